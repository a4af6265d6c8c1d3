// Benchmarks of the solve work are added here.

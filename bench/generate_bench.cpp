// Benchmarks of the generate work are added here.

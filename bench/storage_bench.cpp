// Benchmarks of the storage work are added here.

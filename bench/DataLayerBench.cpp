// data-layer benchmarks

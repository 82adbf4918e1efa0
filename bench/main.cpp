// The benchmark program. Run it under an X server (scripts/bench does), e.g.
//   build/bench/quelmarine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();

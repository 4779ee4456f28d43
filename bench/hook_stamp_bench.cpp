// Cost of one hook stamp, the whole work of Pellix's hook procedures apart
// from chaining (read the clock with time(), store it into the shared word),
// against a bare time() call. Prints the ratio as a summary row; goal: at
// most 1.5 times the bare call.
#include <benchmark/benchmark.h>
#include <stdint.h>
#include <stdio.h>
#include <time.h>

#include <map>
#include <string>
#include <vector>

#include "bench_row.h"
#include "pellix_core.h"

namespace {

volatile int32_t sharedWord = 0;  // stands in for the library's shared word

void BM_BareTime(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(time(nullptr));
  }
}

void BM_HookStamp(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(pellix::Stamp(sharedWord, static_cast<int32_t>(time(nullptr))));
  }
}

BENCHMARK(BM_BareTime)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_HookStamp)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::MedianCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  const double bare = collector.MedianNanoseconds("BM_BareTime");
  const double stamp = collector.MedianNanoseconds("BM_HookStamp");
  if (bare <= 0 || stamp <= 0) {
    fprintf(stderr, "hook_stamp_bench: missing results\n");
    return 1;
  }
  char figure[64];
  snprintf(figure, sizeof(figure), "%.2fx (%.2f ns / %.2f ns)", stamp / bare, stamp, bare);
  bench::PrintRow("hook stamp vs bare time()", figure, "<= 1.50x");
  return 0;
}

// Shared by the benchmark programs: a console reporter that also keeps the
// median time of each benchmark, and the summary row format that
// scripts/bench.sh gathers into its table.
#pragma once

#include <benchmark/benchmark.h>
#include <stdio.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// Prints as the default console reporter does and remembers the median CPU
// time per iteration, in nanoseconds, of every benchmark run with repetitions.
// CPU time rather than wall time: the machines are shared, and time spent
// waiting for a processor is not the code's cost.
class MedianCollector : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that piped output stays plain text.
  MedianCollector() : ConsoleReporter(isatty(1) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
          !run.error_occurred) {
        medians_[run.run_name.function_name] =
            run.GetAdjustedCPUTime() * NanosecondsPer(run.time_unit);
      }
    }
  }

  // 0 when the benchmark did not run.
  double MedianNanoseconds(const std::string& name) const {
    auto found = medians_.find(name);
    return found == medians_.end() ? 0.0 : found->second;
  }

 private:
  static double NanosecondsPer(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1.0;
      case benchmark::kMicrosecond: return 1e3;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kSecond: return 1e9;
    }
    return 1.0;
  }

  std::map<std::string, double> medians_;
};

// One summary row: "bench-row: name | figure | goal". scripts/bench.sh picks
// these lines out of every benchmark program's output.
inline void PrintRow(const char* name, const char* figure, const char* goal) {
  printf("bench-row: %s | %s | %s\n", name, figure, goal);
  fflush(stdout);
}

}  // namespace bench

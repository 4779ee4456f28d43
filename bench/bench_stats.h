// Figures of alternating benchmark runs: the median of a series, and the
// median of the pairwise ratios of two series measured side by side.
// Platform-free, shared by the native and the Win32 benchmark drivers.
#pragma once

#include <stddef.h>

#include <algorithm>
#include <vector>

namespace bench {

// The middle value of the sorted series, or the mean of the two middle
// values for an even count; 0 for an empty series.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The median of measured[i] / baseline[i] over the pairs whose baseline is
// positive (a pair comes from one round, so both saw the same machine load);
// 0 when no pair qualifies.
inline double MedianRatio(const std::vector<double>& measured,
                          const std::vector<double>& baseline) {
  std::vector<double> ratios;
  const size_t pairs = std::min(measured.size(), baseline.size());
  for (size_t i = 0; i < pairs; ++i) {
    if (baseline[i] > 0) ratios.push_back(measured[i] / baseline[i]);
  }
  return Median(ratios);
}

}  // namespace bench

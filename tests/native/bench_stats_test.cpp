#include "bench/bench_stats.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MedianCase {
  std::vector<double> values;
  double median;
};

class MedianTest : public ::testing::TestWithParam<MedianCase> {};

TEST_P(MedianTest, MiddleOfSortedValues) {
  EXPECT_DOUBLE_EQ(GetParam().median, bench::Median(GetParam().values));
}

INSTANTIATE_TEST_SUITE_P(Series, MedianTest,
                         ::testing::Values(MedianCase{{}, 0.0}, MedianCase{{7.0}, 7.0},
                                           MedianCase{{9.0, 1.0, 5.0}, 5.0},
                                           MedianCase{{4.0, 1.0, 3.0, 2.0}, 2.5},
                                           MedianCase{{2.0, 2.0, 100.0}, 2.0}));

TEST(MedianRatioTest, RatioOfEachRoundThenMedian) {
  // Round ratios 2, 3 and 1: the median is 3's neighbour in sorted order, 2.
  EXPECT_DOUBLE_EQ(2.0, bench::MedianRatio({20.0, 30.0, 5.0}, {10.0, 10.0, 5.0}));
}

TEST(MedianRatioTest, SkipsRoundsWithoutBaseline) {
  EXPECT_DOUBLE_EQ(1.5, bench::MedianRatio({3.0, 8.0}, {2.0, 0.0}));
  EXPECT_DOUBLE_EQ(0.0, bench::MedianRatio({3.0}, {0.0}));
}

TEST(MedianRatioTest, PairsOnlyUpToTheShorterSeries) {
  EXPECT_DOUBLE_EQ(4.0, bench::MedianRatio({4.0, 100.0}, {1.0}));
}

}  // namespace

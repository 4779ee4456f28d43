#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "companions/quick_check_verdict.h"

namespace {

using companions::CheckOutcome;

struct VerdictCase {
  const char* label;
  std::vector<bool> passed;
  uint32_t words[4];
};

class QuickCheckWords : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(QuickCheckWords, CountFailuresAndSetOneBitEach) {
  const VerdictCase& c = GetParam();
  std::vector<CheckOutcome> outcomes;
  for (size_t i = 0; i < c.passed.size(); ++i)
    outcomes.push_back({"Check " + std::to_string(i), c.passed[i], "detail"});
  uint32_t words[4] = {99, 99, 99, 99};
  companions::FillQuickCheckWords(outcomes, words);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(words[i], c.words[i]) << "word " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuickCheckWords,
    ::testing::Values(VerdictCase{"AllPass", {true, true, true, true}, {4, 4, 0, 0}},
                      VerdictCase{"FirstFails", {false, true, true, true}, {4, 3, 1, 1}},
                      VerdictCase{"SecondAndLastFail", {true, false, true, false}, {4, 2, 2, 0xA}},
                      VerdictCase{"AllFail", {false, false, false, false}, {4, 0, 4, 0xF}},
                      VerdictCase{"NoChecks", {}, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<VerdictCase>& info) { return info.param.label; });

struct MemoryCase {
  companions::MemoryFigures figures;
  bool passed;
};

// The figures as platforms report them, the emulator's all-free 2 GB with its
// load far above 100 among them.
TEST(MemoryCheck, PassesOnEnoughMemoryWithSomeFree) {
  const uint32_t minimum = companions::kMinimumMemoryKB;
  const MemoryCase cases[] = {{{2097151, 2097151, 0xFFFFFFFFu}, true}, {{16384, 1024, 93}, true},
                              {{minimum, 1, 99}, true}, {{minimum - 1, 1024, 50}, false},
                              {{16384, 0, 100}, false}};
  for (const MemoryCase& c : cases)
    EXPECT_EQ(companions::MemoryCheckPassed(c.figures), c.passed)
        << c.figures.freeKB << " KB free of " << c.figures.totalKB << " KB, load "
        << c.figures.loadPercent;
}

TEST(QuickCheckReport, NamesEveryCheckWithItsVerdict) {
  const std::vector<CheckOutcome> outcomes = {{"Memory", true, "512 KB free"},
                                              {"Clock", false, "1970-01-01 00:00:00"}};
  const std::string report = companions::QuickCheckReport("Vantor", "2001-02-03 04:05:06", outcomes);
  EXPECT_EQ(report.rfind("Vantor Quick Check Report\r\n", 0), 0u);
  EXPECT_NE(report.find("Run on 2001-02-03 04:05:06\r\n"), std::string::npos);
  EXPECT_NE(report.find("Memory              PASS  512 KB free\r\n"), std::string::npos);
  EXPECT_NE(report.find("Clock               FAIL  1970-01-01 00:00:00\r\n"), std::string::npos);
  EXPECT_NE(report.find("Result: 1 of 2 checks failed\r\n"), std::string::npos);
}

TEST(QuickCheckReport, AllPassedSummaryAndNoProductName) {
  const std::string report =
      companions::QuickCheckReport("", "now", {{"Memory", true, "ok"}, {"Clock", true, "ok"}});
  EXPECT_EQ(report.rfind("Quick Check Report\r\n", 0), 0u);
  EXPECT_NE(report.find("Result: all 2 checks passed\r\n"), std::string::npos);
  EXPECT_EQ(report.find("FAIL"), std::string::npos);
}

}  // namespace

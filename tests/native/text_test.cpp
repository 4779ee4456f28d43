#include "base/text.h"

#include <string.h>

#include <string>

#include <gtest/gtest.h>

namespace tessaly {
namespace {

struct CopyCase {
  size_t inputLength;
  bool whole;
  size_t keptLength;
};

class CopyTextAtLimit : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyTextAtLimit, KeepsAtMost259CharactersAndTerminates) {
  const CopyCase c = GetParam();
  const std::string input(c.inputLength, 'x');
  char buffer[kPathSize + 8];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(CopyText(buffer, kPathSize, input.c_str()), c.whole);
  EXPECT_EQ(strlen(buffer), c.keptLength);
  for (size_t i = kPathSize; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << i;
}

INSTANTIATE_TEST_SUITE_P(Limits, CopyTextAtLimit,
                         ::testing::Values(CopyCase{0, true, 0}, CopyCase{258, true, 258},
                                           CopyCase{259, true, 259}, CopyCase{260, false, 259},
                                           CopyCase{261, false, 259},
                                           CopyCase{10000, false, 259}));

TEST(AppendText, CutsAtTheBufferAndReportsIt) {
  char buffer[8] = "abc";
  EXPECT_TRUE(AppendText(buffer, "de"));
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_FALSE(AppendText(buffer, "fghij"));
  EXPECT_STREQ(buffer, "abcdefg");
}

TEST(AppendText, UnterminatedBufferIsTerminatedNotOverrun) {
  char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_FALSE(AppendText(buffer, sizeof buffer, "x"));
  EXPECT_EQ(buffer[3], '\0');
}

TEST(FormatText, CutsLongOutput) {
  char buffer[6];
  EXPECT_FALSE(FormatText(buffer, sizeof buffer, "%s-%d", "abcd", 42));
  EXPECT_STREQ(buffer, "abcd-");
  EXPECT_TRUE(FormatText(buffer, sizeof buffer, "%d", 7));
  EXPECT_STREQ(buffer, "7");
}

TEST(CopyText, NullSourceGivesEmptyText) {
  char buffer[4] = "zz";
  EXPECT_TRUE(CopyText(buffer, nullptr));
  EXPECT_STREQ(buffer, "");
}

}  // namespace
}  // namespace tessaly

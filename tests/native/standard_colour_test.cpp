// The standard colour table.
#include <gtest/gtest.h>

#include "presentation/standard_colour.h"

namespace tessaly {
namespace {

struct Entry {
  int index;
  uint8_t red, green, blue;
};

class StandardColourTest : public ::testing::TestWithParam<Entry> {};

TEST_P(StandardColourTest, GivesTheTableEntryAsBlueGreenRed) {
  const Entry e = GetParam();
  const ColourRef c = StandardColour(e.index);
  EXPECT_EQ(c & 0xFF, e.red);
  EXPECT_EQ((c >> 8) & 0xFF, e.green);
  EXPECT_EQ((c >> 16) & 0xFF, e.blue);
  EXPECT_EQ(c >> 24, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StandardColourTest,
    ::testing::Values(Entry{0, 0, 0, 0}, Entry{1, 0, 0, 128}, Entry{2, 0, 128, 0},
                      Entry{3, 0, 128, 128}, Entry{4, 128, 0, 0}, Entry{5, 128, 0, 128},
                      Entry{6, 128, 128, 0}, Entry{7, 192, 192, 192}, Entry{8, 128, 128, 128},
                      Entry{9, 0, 0, 255}, Entry{10, 0, 255, 0}, Entry{11, 0, 255, 255},
                      Entry{12, 255, 0, 0}, Entry{13, 255, 0, 255}, Entry{14, 255, 255, 0},
                      Entry{15, 255, 255, 255}));

class StandardColourOutOfRangeTest : public ::testing::TestWithParam<int> {};

TEST_P(StandardColourOutOfRangeTest, GivesBlack) {
  EXPECT_EQ(StandardColour(GetParam()), 0u);
}

INSTANTIATE_TEST_SUITE_P(Indices, StandardColourOutOfRangeTest,
                         ::testing::Values(-1, 16, 17, 255, -2147483647 - 1, 2147483647));

TEST(StandardColour, CyanIsTheStatusLightGround) {
  EXPECT_EQ(StandardColour(kStandardCyan), 0x00FFFF00u);
}

}  // namespace
}  // namespace tessaly

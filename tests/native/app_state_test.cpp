// The display getters of the application state.
#include "base/app_state.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

struct DisplayCase {
  int32_t bitsPerPixel;
  int32_t paletteDevice;
  int32_t largeFonts;
  bool rich;
};

class DisplayGetters : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayGetters, ReportTheProbedAttributes) {
  const DisplayCase& c = GetParam();
  AppState app;
  app.display = DisplayAttributes{c.bitsPerPixel, c.paletteDevice, c.largeFonts};
  EXPECT_EQ(app.IsRichColour(), c.rich);
  EXPECT_EQ(app.IsPaletteDevice(), c.paletteDevice != 0);
  EXPECT_EQ(app.IsLargeFonts(), c.largeFonts != 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, DisplayGetters,
                         ::testing::Values(DisplayCase{1, 0, 0, false},
                                           DisplayCase{4, 0, 0, false},
                                           DisplayCase{7, 0, 1, false},
                                           DisplayCase{8, 1, 0, true},
                                           DisplayCase{16, 0, 0, true},
                                           DisplayCase{24, 0, 1, true},
                                           DisplayCase{32, 0, 0, true}));

}  // namespace
}  // namespace tessaly

#include "ui/splash_logic.h"

#include "base/app_state.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

struct SplashCase {
  int bitsPerPixel;
  int bitmapId;
  PaletteMode mode;
};
class SplashPictureChoice : public ::testing::TestWithParam<SplashCase> {};

TEST_P(SplashPictureChoice, FollowsTheDisplay) {
  AppState app;
  app.display.bitsPerPixel = GetParam().bitsPerPixel;
  app.display.paletteDevice = GetParam().bitsPerPixel == 8;
  const SplashPicture p = ChooseSplashPicture(app.IsRichColour(), app.IsPaletteDevice());
  EXPECT_EQ(p.bitmapId, GetParam().bitmapId);
  EXPECT_EQ(p.paletteMode, GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(Displays, SplashPictureChoice,
                         ::testing::Values(SplashCase{4, IDB_SPLASH_16, PaletteMode::None},
                                           SplashCase{8, IDB_SPLASH_256, PaletteMode::Background},
                                           SplashCase{16, IDB_SPLASH_256, PaletteMode::None},
                                           SplashCase{24, IDB_SPLASH_256, PaletteMode::None},
                                           SplashCase{32, IDB_SPLASH_256, PaletteMode::None}));

}  // namespace
}  // namespace tessaly

// Transparent drawing on the software raster.
#include <gtest/gtest.h>

#include "fakes/gdi_colours.h"
#include "fakes/software_gdi.h"
#include "presentation/standard_colour.h"
#include "presentation/transparent_bitmap.h"

namespace tessaly {
namespace {

using namespace colours;

// A 5 x 4 light: a cyan ground with red, green, white and black pixels, so
// that both the all-ones and the all-zeros colours are among the opaque ones.
const int kW = 5, kH = 4;
const std::vector<ColourRef> kLight = {
    kCyan, kRed,   kRed,   kRed,   kCyan,  //
    kRed,  kWhite, kGreen, kBlack, kRed,   //
    kRed,  kGreen, kBlack, kWhite, kRed,   //
    kCyan, kRed,   kRed,   kRed,   kCyan,
};

// A target of 12 x 10 with a different colour in every pixel.
std::vector<ColourRef> TargetPattern(int w, int h) {
  std::vector<ColourRef> p;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.push_back(Rgb(static_cast<uint8_t>(10 + 20 * x), static_cast<uint8_t>(5 + 20 * y), 77));
  return p;
}

// What the target should hold: the picture's pixel where it is not the
// transparent colour, the old target elsewhere.
std::vector<ColourRef> Expected(const std::vector<ColourRef>& target, int tw,
                                const std::vector<ColourRef>& picture, int pw, int ph, int x, int y,
                                ColourRef transparent) {
  std::vector<ColourRef> out = target;
  for (int j = 0; j < ph; ++j)
    for (int i = 0; i < pw; ++i) {
      const ColourRef c = picture[static_cast<size_t>(j) * pw + i];
      if (c != transparent) out[static_cast<size_t>(y + j) * tw + x + i] = c;
    }
  return out;
}

class TransparentDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    targetBitmap = gdi.MakeBitmap(kTw, kTh, TargetPattern(kTw, kTh));
    target = gdi.MakeTargetDc(targetBitmap);
    liveDcs = gdi.LiveDcs();
    liveObjects = gdi.LiveObjects();
  }
  // Nothing made by the drawing is left, and nothing was misused.
  void ExpectNothingLeftBehind(GdiObject lightBitmap) {
    EXPECT_EQ(gdi.LiveDcs(), liveDcs);
    EXPECT_EQ(gdi.LiveObjects(), liveObjects + 1);  // the light's own bitmap
    const SoftwareGdi::Bitmap* b = gdi.FindBitmap(lightBitmap);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->selectedIn, 0u);
    EXPECT_TRUE(gdi.problems.empty()) << gdi.problems.front();
  }

  static constexpr int kTw = 12, kTh = 10;
  SoftwareGdi gdi;
  GdiObject targetBitmap = 0;
  GdiDc target = 0;
  size_t liveDcs = 0, liveObjects = 0;
};

struct Placement {
  int x, y;
  ColourRef transparent;
};

class TransparentPlacementTest : public TransparentDrawTest,
                                 public ::testing::WithParamInterface<Placement> {};

TEST_P(TransparentPlacementTest, TransparentPixelsKeepTheTargetAndOpaqueOnesReplaceIt) {
  const Placement p = GetParam();
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);

  ASSERT_TRUE(light.DrawTransparent(target, p.x, p.y, p.transparent));

  EXPECT_EQ(gdi.Pixels(targetBitmap), Expected(before, kTw, kLight, kW, kH, p.x, p.y, p.transparent));
  EXPECT_EQ(gdi.Pixels(lightBitmap), kLight);  // the bitmap is unchanged
  ExpectNothingLeftBehind(lightBitmap);
}

INSTANTIATE_TEST_SUITE_P(Places, TransparentPlacementTest,
                         ::testing::Values(Placement{0, 0, kCyan}, Placement{3, 2, kCyan},
                                           Placement{7, 6, kCyan}, Placement{1, 1, kRed},
                                           Placement{2, 3, kWhite}, Placement{4, 0, kBlack},
                                           Placement{0, 5, StandardColour(kStandardCyan)}));

TEST_F(TransparentDrawTest, AColourNotInTheBitmapDrawsItAllOpaque) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  ASSERT_TRUE(light.DrawTransparent(target, 2, 2, Rgb(1, 2, 3)));
  std::vector<ColourRef> expected = before;
  for (int j = 0; j < kH; ++j)
    for (int i = 0; i < kW; ++i) expected[(2 + j) * kTw + 2 + i] = kLight[j * kW + i];
  EXPECT_EQ(gdi.Pixels(targetBitmap), expected);
  ExpectNothingLeftBehind(lightBitmap);
}

TEST_F(TransparentDrawTest, TheColourOfEveryPixelLeavesTheTargetUnchanged) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, std::vector<ColourRef>(kW * kH, kCyan));
  light.Attach(lightBitmap);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  ASSERT_TRUE(light.DrawTransparent(target, 4, 3, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), before);
  ExpectNothingLeftBehind(lightBitmap);
}

TEST_F(TransparentDrawTest, DrawsOnAWindowDc) {
  gdi.surfaceWidth = 20;
  gdi.surfaceHeight = 20;
  const WindowHandle window = 0x77;
  const GdiObject surface = gdi.Surface(window);
  const std::vector<ColourRef> before = gdi.Pixels(surface);
  const GdiDc dc = gdi.GetDC(window);
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  ASSERT_TRUE(light.DrawTransparent(dc, 9, 9, kCyan));
  gdi.ReleaseDC(window, dc);
  EXPECT_EQ(gdi.Pixels(surface), Expected(before, 20, kLight, kW, kH, 9, 9, kCyan));
  ExpectNothingLeftBehind(lightBitmap);
}

TEST_F(TransparentDrawTest, DrawingTwiceGivesTheSameResult) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  ASSERT_TRUE(light.DrawTransparent(target, 1, 1, kCyan));
  const std::vector<ColourRef> once = gdi.Pixels(targetBitmap);
  ASSERT_TRUE(light.DrawTransparent(target, 1, 1, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), once);
  ExpectNothingLeftBehind(lightBitmap);
}

TEST_F(TransparentDrawTest, TheComposedPictureReachesTheTargetInOneCopy) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  ASSERT_TRUE(light.DrawTransparent(target, 0, 0, kCyan));
  int intoTarget = 0, fromTarget = 0;
  for (const auto& b : gdi.blitLog) {
    intoTarget += b.dest == target;
    fromTarget += b.source == target;
    if (b.dest == target) {
      EXPECT_EQ(b.rop, kSrcCopy);
    }
  }
  EXPECT_EQ(intoTarget, 1);
  EXPECT_EQ(fromTarget, 1);
}

TEST_F(TransparentDrawTest, WithoutABitmapNothingIsDrawn) {
  TransparentBitmap light(gdi);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  EXPECT_FALSE(light.DrawTransparent(target, 0, 0, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), before);
  EXPECT_EQ(gdi.LiveDcs(), liveDcs);
}

TEST_F(TransparentDrawTest, ABitmapSelectedElsewhereIsNotDrawn) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  const GdiDc other = gdi.CreateCompatibleDC(target);
  const GdiObject old = gdi.SelectObject(other, lightBitmap);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  EXPECT_FALSE(light.DrawTransparent(target, 0, 0, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), before);
  gdi.SelectObject(other, old);
  gdi.DeleteDC(other);
  ExpectNothingLeftBehind(lightBitmap);
}

TEST_F(TransparentDrawTest, AnUnreadableBitmapRecordGivesFalseAndLeavesNothing) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  gdi.failGetBitmapSize = true;
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  EXPECT_FALSE(light.DrawTransparent(target, 0, 0, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), before);
  ExpectNothingLeftBehind(lightBitmap);
}

// Every DC and every work bitmap creation in turn fails.
struct Failure {
  int dcBudget;
  int bitmapBudget;
};

class TransparentFailureTest : public TransparentDrawTest,
                               public ::testing::WithParamInterface<Failure> {};

TEST_P(TransparentFailureTest, GivesFalseDrawsNothingAndLeavesNothingBehind) {
  TransparentBitmap light(gdi);
  const GdiObject lightBitmap = gdi.MakeBitmap(kW, kH, kLight);
  light.Attach(lightBitmap);
  const std::vector<ColourRef> before = gdi.Pixels(targetBitmap);
  gdi.compatibleDcBudget = GetParam().dcBudget;
  gdi.bitmapBudget = GetParam().bitmapBudget;
  EXPECT_FALSE(light.DrawTransparent(target, 2, 2, kCyan));
  EXPECT_EQ(gdi.Pixels(targetBitmap), before);
  EXPECT_EQ(gdi.Pixels(lightBitmap), kLight);
  ExpectNothingLeftBehind(lightBitmap);
}

INSTANTIATE_TEST_SUITE_P(EachCreation, TransparentFailureTest,
                         ::testing::Values(Failure{0, -1}, Failure{1, -1}, Failure{2, -1},
                                           Failure{3, -1}, Failure{4, -1}, Failure{-1, 0},
                                           Failure{-1, 1}, Failure{-1, 2}, Failure{-1, 3}));

TEST(TransparentBitmap, OwnsAndDeletesItsBitmap) {
  SoftwareGdi gdi;
  {
    TransparentBitmap light(gdi);
    light.Attach(gdi.MakeBitmap(2, 2, {}));
    light.Attach(gdi.MakeBitmap(3, 3, {}));  // the first is deleted
    EXPECT_EQ(gdi.LiveObjects(), 1u);
  }
  EXPECT_EQ(gdi.LiveObjects(), 0u);
  EXPECT_TRUE(gdi.problems.empty());
}

}  // namespace
}  // namespace tessaly

// MemoryDC on the software raster.
#include <gtest/gtest.h>

#include "base/app_state.h"
#include "fakes/software_gdi.h"
#include "presentation/memory_dc.h"

namespace tessaly {
namespace {

std::vector<ColourRef> Gradient(int w, int h) {
  std::vector<ColourRef> p;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.push_back(Rgb(static_cast<uint8_t>(x * 9), static_cast<uint8_t>(y * 9), 200));
  return p;
}

class MemoryDcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi.surfaceWidth = 30;
    gdi.surfaceHeight = 20;
    surface = gdi.Surface(kWindow);
    target = gdi.GetDC(kWindow);
    picture = gdi.MakeBitmap(8, 6, Gradient(8, 6));
    liveDcs = gdi.LiveDcs();
    liveObjects = gdi.LiveObjects();
  }
  ColourRef TargetPixel(int x, int y) { return gdi.Pixels(surface)[y * 30 + x]; }

  static constexpr WindowHandle kWindow = 0x42;
  SoftwareGdi gdi;
  AppState app;
  GdiObject surface = 0, picture = 0;
  GdiDc target = 0;
  size_t liveDcs = 0, liveObjects = 0;
};

TEST_F(MemoryDcTest, BlitWithSizeZeroCopiesTheWholeBitmap) {
  {
    MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target);
    EXPECT_EQ(memory.Blit(picture, 3, 4, 0, 0, 0, 0), gdi.StockBitmap());
  }
  const std::vector<ColourRef> g = Gradient(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(TargetPixel(3 + x, 4 + y), g[y * 8 + x]) << x << "," << y;
  EXPECT_EQ(TargetPixel(11, 4), Rgb(255, 255, 255));
  EXPECT_EQ(TargetPixel(3, 10), Rgb(255, 255, 255));
}

struct Part {
  int cx, cy;
  int expectedCx, expectedCy;
};

class MemoryDcPartTest : public MemoryDcTest, public ::testing::WithParamInterface<Part> {};

TEST_P(MemoryDcPartTest, OnlyAZeroSideIsTakenFromTheBitmap) {
  const Part p = GetParam();
  {
    MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target);
    memory.Blit(picture, 0, 0, p.cx, p.cy, 0, 0);
  }
  // The copy covers the asked size, as far as the 8 x 6 bitmap reaches.
  const std::vector<ColourRef> g = Gradient(8, 6);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x < p.expectedCx && y < p.expectedCy && x < 8 && y < 6;
      EXPECT_EQ(TargetPixel(x, y), inside ? g[y * 8 + x] : Rgb(255, 255, 255)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MemoryDcPartTest,
                         ::testing::Values(Part{0, 0, 8, 6}, Part{0, 3, 8, 3}, Part{5, 0, 5, 6},
                                           Part{2, 3, 2, 3}, Part{20, 20, 20, 20}));

TEST_F(MemoryDcTest, BlitCopiesTheSameRegionInSourceAndTarget) {
  // The main window restores the background behind a control by blitting
  // the same place from the background bitmap.
  const GdiObject background = gdi.MakeBitmap(30, 20, Gradient(30, 20));
  {
    MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target);
    memory.Blit(background, 5, 6, 4, 3, 5, 6);
  }
  const std::vector<ColourRef> g = Gradient(30, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 5 && x < 9 && y >= 6 && y < 9;
      EXPECT_EQ(TargetPixel(x, y), inside ? g[y * 30 + x] : Rgb(255, 255, 255)) << x << "," << y;
    }
  gdi.DeleteObject(background);
}

TEST_F(MemoryDcTest, ASecondBlitGivesTheFirstBitmapBackAndDestructionRestoresTheFirstReplaced) {
  const GdiObject second = gdi.MakeBitmap(2, 2, {});
  {
    MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target);
    EXPECT_EQ(memory.Blit(picture, 0, 0, 0, 0, 0, 0), gdi.StockBitmap());
    EXPECT_EQ(memory.Blit(second, 0, 0, 0, 0, 0, 0), picture);
    const GdiDc memoryDc = gdi.FindBitmap(second)->selectedIn;
    EXPECT_NE(memoryDc, 0u);
    EXPECT_NE(memoryDc, target);
  }
  EXPECT_EQ(gdi.FindBitmap(second)->selectedIn, 0u);
  EXPECT_EQ(gdi.FindBitmap(picture)->selectedIn, 0u);
  EXPECT_EQ(gdi.LiveDcs(), liveDcs);
  EXPECT_TRUE(gdi.problems.empty()) << gdi.problems.front();
  // Both bitmaps are free to delete.
  EXPECT_TRUE(gdi.DeleteObject(second));
  EXPECT_TRUE(gdi.DeleteObject(picture));
}

TEST_F(MemoryDcTest, WithoutABlitNothingIsSelectedBack) {
  { MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target); }
  EXPECT_EQ(gdi.LiveDcs(), liveDcs);
  EXPECT_TRUE(gdi.problems.empty());
}

TEST_F(MemoryDcTest, WhenTheDcCannotBeMadeBlitDoesNothing) {
  gdi.compatibleDcBudget = 0;
  const std::vector<ColourRef> before = gdi.Pixels(surface);
  {
    MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target);
    EXPECT_EQ(memory.Blit(picture, 0, 0, 0, 0, 0, 0), 0u);
  }
  EXPECT_EQ(gdi.Pixels(surface), before);
  EXPECT_EQ(gdi.LiveDcs(), liveDcs);
  EXPECT_TRUE(gdi.problems.empty());
}

struct PaletteCase {
  int32_t paletteDevice;
  bool hasPalette;
  bool selected;
};

class MemoryDcPaletteTest : public MemoryDcTest,
                            public ::testing::WithParamInterface<PaletteCase> {};

TEST_P(MemoryDcPaletteTest, RealisesTheApplicationPaletteOnlyOnAPaletteDevice) {
  const PaletteCase c = GetParam();
  LogPalette log{};
  log.version = 0x300;
  log.numEntries = 1;
  const GdiObject palette = c.hasPalette ? gdi.CreatePalette(log) : 0;
  app.display.paletteDevice = c.paletteDevice;
  app.palette = palette;
  const size_t liveBefore = gdi.LiveDcs();
  { MemoryDC memory(gdi, app.palette, app.IsPaletteDevice(), target); }
  if (!c.selected) {
    EXPECT_TRUE(gdi.paletteEvents.empty());
    return;
  }
  // Foreground, target first, each followed by a realise; the memory DC
  // is the one made and deleted again.
  ASSERT_EQ(gdi.paletteEvents.size(), 4u);
  const GdiDc memoryDc = gdi.paletteEvents[2].dc;
  EXPECT_NE(memoryDc, target);
  EXPECT_EQ(gdi.FindDc(memoryDc), nullptr);
  EXPECT_EQ(gdi.LiveDcs(), liveBefore);
  const SoftwareGdi::PaletteEvent expected[] = {
      {target, palette, false, false}, {target, palette, false, true},
      {memoryDc, palette, false, false}, {memoryDc, palette, false, true}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(gdi.paletteEvents[i].dc, expected[i].dc) << i;
    EXPECT_EQ(gdi.paletteEvents[i].palette, expected[i].palette) << i;
    EXPECT_EQ(gdi.paletteEvents[i].background, expected[i].background) << i;
    EXPECT_EQ(gdi.paletteEvents[i].realize, expected[i].realize) << i;
  }
  EXPECT_EQ(gdi.FindDc(target)->palette, palette);  // stays in the target
}

INSTANTIATE_TEST_SUITE_P(Displays, MemoryDcPaletteTest,
                         ::testing::Values(PaletteCase{1, true, true}, PaletteCase{1, false, false},
                                           PaletteCase{0, true, false},
                                           PaletteCase{0, false, false}));

}  // namespace
}  // namespace tessaly

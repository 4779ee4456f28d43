// Bitmaps and palettes from resources, drawing resources into windows, and
// the application palette, on the software raster.
#include <gtest/gtest.h>

#include "base/app_state.h"
#include "fakes/dib_builder.h"
#include "fakes/fake_bitmap_resources.h"
#include "fakes/software_gdi.h"
#include "presentation/bitmap_resource.h"
#include "res/resource.h"

namespace tessaly {
namespace {

constexpr WindowHandle kWindow = 0x99;

// A 4-bit 3 x 2 picture: red, green, blue / white, black, cyan.
DibLayout FourBit() {
  DibLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 4;
  layout.table = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255),
                Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0, 255, 255)};
  layout.pixels = {0, 1, 2, 3, 4, 5};
  return layout;
}
const std::vector<ColourRef> kFourBitPixels = {Rgb(255, 0, 0),     Rgb(0, 255, 0), Rgb(0, 0, 255),
                                               Rgb(255, 255, 255), Rgb(0, 0, 0),   Rgb(0, 255, 255)};

class BitmapResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources.byNumber[167] = BuildDib(FourBit());
    DibLayout deep = FourBit();
    deep.bitCount = 24;
    deep.pixels.assign(kFourBitPixels.begin(), kFourBitPixels.end());
    resources.byNumber[200] = BuildDib(deep);
    DibLayout eight = FourBit();
    eight.bitCount = 8;
    eight.clrUsed = 6;
    resources.byNumber[IDB_BACKGROUND_SMALL_256] = BuildDib(eight);
    resources.byName["LIGHT"] = BuildDib(FourBit());
  }
  void ExpectClean() {
    EXPECT_EQ(gdi.LiveDcs(), 0u);
    EXPECT_TRUE(gdi.problems.empty()) << gdi.problems.front();
  }
  SoftwareGdi gdi;
  FakeBitmapResources resources;
  AppState app;
};

TEST_F(BitmapResourceTest, LoadDibResourceGivesTheBitmapAndItsPalette) {
  GdiObject palette = 0;
  const GdiObject bitmap = LoadDibResource(gdi, resources, ResourceNumber(167), palette);
  ASSERT_NE(bitmap, 0u);
  ASSERT_NE(palette, 0u);
  EXPECT_EQ(gdi.Pixels(bitmap), kFourBitPixels);
  EXPECT_EQ(gdi.FindPalette(palette)->log.numEntries, 16);
  EXPECT_EQ(gdi.FindPalette(palette)->log.entries[5].blue, 255);
  // Made while its own palette was selected in the screen DC and realised.
  EXPECT_EQ(gdi.FindBitmap(bitmap)->paletteAtCreation, palette);
  ASSERT_GE(gdi.paletteEvents.size(), 2u);
  EXPECT_FALSE(gdi.paletteEvents[0].background);
  EXPECT_TRUE(gdi.paletteEvents[1].realize);
  ExpectClean();
  EXPECT_EQ(gdi.FindPalette(palette)->selections, 0);
  EXPECT_TRUE(gdi.DeleteObject(bitmap));
  EXPECT_TRUE(gdi.DeleteObject(palette));
  EXPECT_EQ(gdi.LiveObjects(), 0u);
}

TEST_F(BitmapResourceTest, LoadDibResourceFindsNamedResources) {
  GdiObject palette = 0;
  const GdiObject bitmap = LoadDibResource(gdi, resources, "LIGHT", palette);
  ASSERT_NE(bitmap, 0u);
  EXPECT_EQ(gdi.Pixels(bitmap), kFourBitPixels);
  gdi.DeleteObject(bitmap);
  gdi.DeleteObject(palette);
}

TEST_F(BitmapResourceTest, ADeepBitmapHasNoPalette) {
  GdiObject palette = 0x1234;
  const GdiObject bitmap = LoadDibResource(gdi, resources, ResourceNumber(200), palette);
  ASSERT_NE(bitmap, 0u);
  EXPECT_EQ(palette, 0u);
  EXPECT_EQ(gdi.Pixels(bitmap), kFourBitPixels);
  EXPECT_TRUE(gdi.paletteEvents.empty());
  gdi.DeleteObject(bitmap);
  ExpectClean();
  EXPECT_EQ(gdi.LiveObjects(), 0u);
}

struct Absent {
  const char* name;
  void (*prepare)(FakeBitmapResources&, SoftwareGdi&);
};

const Absent kAbsent[] = {
    {"Missing", [](FakeBitmapResources&, SoftwareGdi&) {}},
    {"Truncated", [](FakeBitmapResources& r, SoftwareGdi&) {
       r.byNumber[300] = BuildDib(FourBit());
       r.byNumber[300].resize(60);
     }},
    {"NotADib", [](FakeBitmapResources& r, SoftwareGdi&) { r.byNumber[300].assign(100, 0xFF); }},
    {"BitmapCannotBeMade", [](FakeBitmapResources& r, SoftwareGdi& g) {
       r.byNumber[300] = BuildDib(FourBit());
       g.bitmapBudget = 0;
     }},
};

class LoadAbsentTest : public BitmapResourceTest, public ::testing::WithParamInterface<Absent> {};

TEST_P(LoadAbsentTest, GivesNullLeavesThePaletteAloneAndNothingBehind) {
  GetParam().prepare(resources, gdi);
  GdiObject palette = 0x5678;
  EXPECT_EQ(LoadDibResource(gdi, resources, ResourceNumber(300), palette), 0u);
  EXPECT_EQ(palette, 0x5678u);
  EXPECT_EQ(CreateDeviceBitmap(gdi, resources, app.palette, 300), 0u);
  DrawResourceBitmap(gdi, resources, 300, kWindow, PaletteMode::Background, 0, 0, 0, 0, 0, 0);
  for (ColourRef c : gdi.Pixels(gdi.Surface(kWindow))) ASSERT_EQ(c, Rgb(255, 255, 255));
  EXPECT_EQ(gdi.LiveObjects(), 0u);
  ExpectClean();
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadAbsentTest, ::testing::ValuesIn(kAbsent),
                         [](const ::testing::TestParamInfo<Absent>& info) {
                           return std::string(info.param.name);
                         });

class CreateDeviceBitmapTest : public BitmapResourceTest,
                               public ::testing::WithParamInterface<bool> {};

TEST_P(CreateDeviceBitmapTest, UsesTheApplicationPaletteWithoutRealisingIt) {
  LogPalette log{};
  log.version = 0x300;
  log.numEntries = 2;
  app.palette = GetParam() ? gdi.CreatePalette(log) : 0;
  const GdiObject bitmap = CreateDeviceBitmap(gdi, resources, app.palette, 167);
  ASSERT_NE(bitmap, 0u);
  EXPECT_EQ(gdi.Pixels(bitmap), kFourBitPixels);
  EXPECT_EQ(gdi.FindBitmap(bitmap)->paletteAtCreation,
            GetParam() ? app.palette : gdi.StockPalette());
  for (const auto& e : gdi.paletteEvents) EXPECT_FALSE(e.realize);
  EXPECT_EQ(gdi.paletteEvents.empty(), !GetParam());
  ExpectClean();
  gdi.DeleteObject(bitmap);
  EXPECT_EQ(gdi.LiveObjects(), GetParam() ? 1u : 0u);  // the application palette stays
}

INSTANTIATE_TEST_SUITE_P(Palettes, CreateDeviceBitmapTest, ::testing::Bool());

struct DrawCase {
  PaletteMode mode;
  int x, y, cx, cy, xSrc, ySrc;
  int drawnW, drawnH;
};

class DrawResourceTest : public BitmapResourceTest,
                         public ::testing::WithParamInterface<DrawCase> {};

TEST_P(DrawResourceTest, DrawsTheBitmapAndDeletesEverything) {
  const DrawCase c = GetParam();
  gdi.surfaceWidth = 10;
  gdi.surfaceHeight = 10;
  DrawResourceBitmap(gdi, resources, 167, kWindow, c.mode, c.x, c.y, c.cx, c.cy, c.xSrc, c.ySrc);

  const std::vector<ColourRef> drawn = gdi.Pixels(gdi.Surface(kWindow));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int sx = c.xSrc + x - c.x, sy = c.ySrc + y - c.y;
      const bool inside = x >= c.x && y >= c.y && x < c.x + c.drawnW && y < c.y + c.drawnH &&
                          sx < 3 && sy < 2;
      EXPECT_EQ(drawn[y * 10 + x], inside ? kFourBitPixels[sy * 3 + sx] : Rgb(255, 255, 255))
          << x << "," << y;
    }
  ExpectClean();
  EXPECT_EQ(gdi.LiveObjects(), 0u);

  // The bitmap's own palette: none selected for None, else in the window DC
  // and then the memory DC in the background, each realised.
  std::vector<SoftwareGdi::PaletteEvent> drawing(gdi.paletteEvents.begin() + 3,
                                                 gdi.paletteEvents.end());  // after loading
  if (c.mode == PaletteMode::None) {
    for (const auto& e : drawing) EXPECT_EQ(e.palette, gdi.StockPalette());
    return;
  }
  ASSERT_GE(drawing.size(), 4u);
  const bool background = c.mode == PaletteMode::Background;
  EXPECT_EQ(gdi.FindDc(drawing[0].dc), nullptr);  // both DCs are gone now
  EXPECT_FALSE(drawing[0].realize);
  EXPECT_EQ(drawing[0].background, background);
  EXPECT_TRUE(drawing[1].realize);
  EXPECT_NE(drawing[2].dc, drawing[0].dc);
  EXPECT_EQ(drawing[2].background, background);
  EXPECT_TRUE(drawing[3].realize);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DrawResourceTest,
    ::testing::Values(DrawCase{PaletteMode::None, 0, 0, 0, 0, 0, 0, 3, 2},
                      DrawCase{PaletteMode::Background, 4, 5, 0, 0, 0, 0, 3, 2},
                      DrawCase{PaletteMode::Background, 1, 1, 2, 0, 0, 0, 2, 2},
                      DrawCase{PaletteMode::Background, 1, 1, 0, 1, 1, 0, 3, 1},
                      DrawCase{PaletteMode::None, 2, 2, 5, 5, 1, 1, 5, 5}));

TEST_F(BitmapResourceTest, DrawingIntoAWindowWhoseMemoryDcCannotBeMadeLeavesNothing) {
  gdi.compatibleDcBudget = 0;
  DrawResourceBitmap(gdi, resources, 167, kWindow, PaletteMode::Background, 0, 0, 0, 0, 0, 0);
  ExpectClean();
  EXPECT_EQ(gdi.LiveObjects(), 0u);
}

struct PaletteDevice {
  int32_t paletteDevice;
  bool hasBitmap;
  bool expectPalette;
};

class BuildPaletteTest : public BitmapResourceTest,
                         public ::testing::WithParamInterface<PaletteDevice> {};

TEST_P(BuildPaletteTest, KeepsThePaletteOfBitmap173OnAPaletteDeviceOnly) {
  const PaletteDevice p = GetParam();
  if (!p.hasBitmap) resources.byNumber.erase(IDB_BACKGROUND_SMALL_256);
  app.display.paletteDevice = p.paletteDevice;
  app.palette = 0xDEAD;
  app.palette = BuildApplicationPalette(gdi, resources, app.IsPaletteDevice());
  if (!p.expectPalette) {
    EXPECT_EQ(app.palette, 0u);
    EXPECT_EQ(gdi.LiveObjects(), 0u);
  } else {
    const SoftwareGdi::Palette* palette = gdi.FindPalette(app.palette);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->log.numEntries, 256);  // whatever biClrUsed says
    EXPECT_EQ(palette->log.entries[2].blue, 255);
    EXPECT_EQ(gdi.LiveObjects(), 1u);  // the bitmap itself is deleted
  }
  ExpectClean();
}

INSTANTIATE_TEST_SUITE_P(Devices, BuildPaletteTest,
                         ::testing::Values(PaletteDevice{1, true, true},
                                           PaletteDevice{0, true, false},
                                           PaletteDevice{1, false, false}));

}  // namespace
}  // namespace tessaly

// Bitmaps and palettes from the program's resources, the display probe and
// the application palette, on the real GDI. The test's own resources
// (resource_bitmaps_test.rc) hold a 4-bit light (1001), a 24-bit picture (1002),
// a 4-bit picture whose biClrUsed is 2 (1003) and an 8-bit picture with a
// full colour table (173).
#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <vector>

#include "base/app_state.h"
#include "base/win32/handles.h"
#include "presentation/gdi_guards.h"
#include "presentation/win32/resource_bitmaps.h"
#include "presentation/win32/win32_gdi.h"

namespace tessaly {
namespace {

constexpr UINT kLight = 1001;
constexpr UINT kDeep = 1002;
constexpr UINT kClrUsed = 1003;
constexpr UINT kMissing = 4242;
constexpr ColourRef kCyan = RGB(0, 255, 255);
constexpr ColourRef kRed = RGB(255, 0, 0);

struct Size {
  int width = 0, height = 0;
};

Size BitmapSize(HBITMAP bitmap) {
  Size s;
  EXPECT_TRUE(SystemGdi().GetBitmapSize(FromHandle(bitmap), &s.width, &s.height));
  return s;
}

ColourRef PixelOf(HBITMAP bitmap, int x, int y) {
  ScopedMemoryDc dc(SystemGdi(), 0);
  ScopedSelection selected(SystemGdi(), dc.get(), FromHandle(bitmap));
  return GetPixel(ToHandle<HDC>(dc.get()), x, y);
}

int PaletteSize(HPALETTE palette) {
  WORD entries = 0;
  if (GetObjectA(palette, sizeof(entries), &entries) != sizeof(entries)) return -1;
  return entries;
}

TEST(LoadDibResource, GivesTheBitmapAndA16EntryPaletteFor4Bits) {
  HPALETTE palette = nullptr;
  HBITMAP bitmap = LoadDibResource(MAKEINTRESOURCEA(kLight), palette);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).width, 13);
  EXPECT_EQ(BitmapSize(bitmap).height, 13);
  EXPECT_EQ(PixelOf(bitmap, 0, 0), kCyan);
  EXPECT_EQ(PixelOf(bitmap, 6, 6), kRed);
  EXPECT_EQ(PixelOf(bitmap, 12, 0), kCyan);
  EXPECT_EQ(PaletteSize(palette), 16);
  PALETTEENTRY entries[16]{};
  ASSERT_EQ(GetPaletteEntries(palette, 0, 16, entries), 16u);
  EXPECT_EQ(entries[9].peRed, 255);  // the table's red, turned into red-green-blue
  EXPECT_EQ(entries[9].peGreen, 0);
  EXPECT_EQ(entries[9].peBlue, 0);
  EXPECT_EQ(entries[14].peRed, 0);
  EXPECT_EQ(entries[14].peGreen, 255);
  EXPECT_EQ(entries[14].peBlue, 255);
  EXPECT_EQ(entries[14].peFlags, 0);
  // Both belong to the caller and are free to delete.
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteObject(palette));
}

TEST(LoadDibResource, A24BitBitmapHasNoPalette) {
  HPALETTE palette = reinterpret_cast<HPALETTE>(1);
  HBITMAP bitmap = LoadDibResource(MAKEINTRESOURCEA(kDeep), palette);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(palette, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).width, 4);
  EXPECT_EQ(BitmapSize(bitmap).height, 3);
  EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(bitmap, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(PixelOf(bitmap, 3, 2), RGB(0, 255, 0));
  DeleteObject(bitmap);
}

TEST(LoadDibResource, TheWholeColourTableCountsWhateverBiClrUsedSays) {
  HPALETTE palette = nullptr;
  HBITMAP bitmap = LoadDibResource(MAKEINTRESOURCEA(kClrUsed), palette);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(PaletteSize(palette), 16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(PixelOf(bitmap, x, y), (x + y) % 2 == 0 ? kRed : kCyan) << x << "," << y;
  DeleteObject(bitmap);
  DeleteObject(palette);
}

TEST(LoadDibResource, AMissingResourceGivesNullAndLeavesThePalette) {
  HPALETTE palette = reinterpret_cast<HPALETTE>(0x1234);
  EXPECT_EQ(LoadDibResource(MAKEINTRESOURCEA(kMissing), palette), nullptr);
  EXPECT_EQ(palette, reinterpret_cast<HPALETTE>(0x1234));
  EXPECT_EQ(LoadDibResource("NOSUCHBITMAP", palette), nullptr);
}

TEST(CreateDeviceBitmap, GivesTheBitmapOrNullWhenMissing) {
  AppState app;
  HBITMAP bitmap = CreateDeviceBitmap(app.palette, kLight);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).width, 13);
  EXPECT_EQ(PixelOf(bitmap, 6, 6), kRed);
  DeleteObject(bitmap);
  EXPECT_EQ(CreateDeviceBitmap(app.palette, kMissing), nullptr);
}

TEST(CreateDeviceBitmap, UnderAnApplicationPalette) {
  AppState app;
  app.display.paletteDevice = 1;
  app.palette = BuildApplicationPalette(app.IsPaletteDevice());
  ASSERT_NE(app.palette, 0u);
  HBITMAP bitmap = CreateDeviceBitmap(app.palette, kLight);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).height, 13);
  DeleteObject(bitmap);
  EXPECT_TRUE(DeleteObject(ToHandle<HPALETTE>(app.palette)));
}

TEST(BuildPalette, KeepsThe256EntryPaletteOfBitmap173OnAPaletteDevice) {
  AppState app;
  app.display.paletteDevice = 1;
  app.palette = BuildApplicationPalette(app.IsPaletteDevice());
  ASSERT_NE(app.palette, 0u);
  EXPECT_EQ(PaletteSize(ToHandle<HPALETTE>(app.palette)), 256);
  PALETTEENTRY entry{};
  ASSERT_EQ(GetPaletteEntries(ToHandle<HPALETTE>(app.palette), 200, 1, &entry), 1u);
  EXPECT_EQ(entry.peRed, 200);
  EXPECT_EQ(entry.peGreen, 55);
  EXPECT_EQ(entry.peBlue, (200 * 7) & 255);
  DeleteObject(ToHandle<HPALETTE>(app.palette));
}

TEST(BuildPalette, IsNullOnOtherDisplays) {
  AppState app;
  app.palette = 0x5555;
  app.palette = BuildApplicationPalette(app.IsPaletteDevice());
  EXPECT_EQ(app.palette, 0u);
}

TEST(ProbeDisplay, AgreesWithTheDisplaysCapabilities) {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  int32_t bitsPerPixel = -1, paletteDevice = -1, largeFonts = -1;
  ReadDisplayAttributes(bitsPerPixel, paletteDevice, largeFonts);
  EXPECT_EQ(bitsPerPixel, bits);
  EXPECT_EQ(paletteDevice, bits == 8 ? 1 : 0);
  EXPECT_EQ(largeFonts, dpi > 96 ? 1 : 0);
  EXPECT_GT(bitsPerPixel, 0);
  // The run on an 8-bit display says so, to be sure it got one.
  if (const char* expected = getenv("TESSALY_EXPECT_BPP")) {
    EXPECT_EQ(bitsPerPixel, atoi(expected));
    EXPECT_EQ(paletteDevice, 1);
  }
}

// A plain top-level window to draw into.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "GdiResourceTestWindow";
    RegisterClassA(&wc);
    window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "draw", WS_POPUP | WS_VISIBLE, 10,
                             10, 80, 60, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
  }
  ColourRef WindowPixel(int x, int y) {
    HDC dc = GetDC(window);
    const ColourRef c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
  }
  HWND window = nullptr;
};

TEST_F(WindowTest, DrawResourceBitmapDrawsTheWholeBitmapAtItsPlace) {
  DrawResourceBitmap(kLight, window, PaletteMode::Background, 20, 10, 0, 0, 0, 0);
  EXPECT_EQ(WindowPixel(20, 10), kCyan);
  EXPECT_EQ(WindowPixel(26, 16), kRed);
  EXPECT_EQ(WindowPixel(32, 22), kCyan);
  EXPECT_EQ(WindowPixel(33, 16), RGB(255, 255, 255));  // right of the bitmap
  EXPECT_EQ(WindowPixel(26, 23), RGB(255, 255, 255));  // below it
}

TEST_F(WindowTest, DrawResourceBitmapHonoursSizeAndSourceOffset) {
  // The 7 x 7 block from (3, 3) of the light: the disc's middle is red.
  DrawResourceBitmap(kLight, window, PaletteMode::Background, 0, 0, 7, 7, 3, 3);
  EXPECT_EQ(WindowPixel(3, 3), kRed);
  EXPECT_EQ(WindowPixel(7, 7), RGB(255, 255, 255));
}

TEST_F(WindowTest, AMissingResourceDrawsNothing) {
  DrawResourceBitmap(kMissing, window, PaletteMode::None, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(WindowPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(WindowPixel(6, 6), RGB(255, 255, 255));
}

}  // namespace
}  // namespace tessaly

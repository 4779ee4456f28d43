// Transparent drawing and MemoryDC on the real GDI: the pixels must be the
// ones the software raster gives for the same bitmaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "base/win32/handles.h"
#include "fakes/gdi_colours.h"
#include "fakes/software_gdi.h"
#include "presentation/gdi_guards.h"
#include "presentation/memory_dc.h"
#include "presentation/standard_colour.h"
#include "presentation/transparent_bitmap.h"
#include "presentation/win32/win32_gdi.h"

namespace tessaly {
namespace {

using namespace colours;

const int kW = 6, kH = 5;
const std::vector<ColourRef> kLight = {
    kCyan, kCyan,  kRed,   kRed,   kCyan,  kCyan,  //
    kCyan, kRed,   kWhite, kGreen, kRed,   kCyan,  //
    kRed,  kBlack, kBlue,  kWhite, kBlack, kRed,   //
    kCyan, kRed,   kGreen, kBlue,  kRed,   kCyan,  //
    kCyan, kCyan,  kRed,   kRed,   kCyan,  kCyan,
};

const int kTw = 16, kTh = 12;
std::vector<ColourRef> TargetPattern() {
  const ColourRef palette[] = {kWhite, kGrey, kBlue, kYellow, kMagenta, kBlack, kGreen};
  std::vector<ColourRef> p;
  for (int y = 0; y < kTh; ++y)
    for (int x = 0; x < kTw; ++x) p.push_back(palette[(x + 2 * y) % 7]);
  return p;
}

// How the real bitmaps are made.
enum class Kind { kDibSection, kScreenCompatible };

Win32Gdi& RealGdi() { return static_cast<Win32Gdi&>(SystemGdi()); }

HBITMAP MakeRealBitmap(Kind kind, int w, int h, const std::vector<ColourRef>& pixels) {
  HBITMAP bitmap = nullptr;
  if (kind == Kind::kDibSection) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
      const ColourRef c = pixels[i];
      out[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);  // BGRX
    }
    GdiFlush();
    return bitmap;
  }
  ScopedWindowDc screen(RealGdi(), 0);
  bitmap = CreateCompatibleBitmap(ToHandle<HDC>(screen.get()), w, h);
  ScopedMemoryDc dc(RealGdi(), screen.get());
  ScopedSelection selected(RealGdi(), dc.get(), FromHandle(bitmap));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixelV(ToHandle<HDC>(dc.get()), x, y, pixels[y * w + x]);
  return bitmap;
}

std::vector<ColourRef> ReadPixels(HDC dc, int w, int h) {
  std::vector<ColourRef> p;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.push_back(GetPixel(dc, x, y));
  return p;
}

std::vector<ColourRef> ReadBitmap(HBITMAP bitmap, int w, int h) {
  ScopedMemoryDc dc(RealGdi(), 0);
  ScopedSelection selected(RealGdi(), dc.get(), FromHandle(bitmap));
  return ReadPixels(ToHandle<HDC>(dc.get()), w, h);
}

// The software raster's answer for the same drawing.
std::vector<ColourRef> SoftwareResult(const std::vector<ColourRef>& light, int x, int y,
                                      ColourRef transparent) {
  SoftwareGdi gdi;
  const GdiObject targetBitmap = gdi.MakeBitmap(kTw, kTh, TargetPattern());
  const GdiDc target = gdi.MakeTargetDc(targetBitmap);
  TransparentBitmap bitmap(gdi);
  bitmap.Attach(gdi.MakeBitmap(kW, kH, light));
  EXPECT_TRUE(bitmap.DrawTransparent(target, x, y, transparent));
  return gdi.Pixels(targetBitmap);
}

struct Case {
  Kind kind;
  int x, y;
  ColourRef transparent;
};

class RealTransparentTest : public ::testing::TestWithParam<Case> {};

TEST_P(RealTransparentTest, GivesTheSoftwareRastersPixelsAndKeepsTheBitmap) {
  const Case c = GetParam();
  HBITMAP targetBitmap = MakeRealBitmap(c.kind, kTw, kTh, TargetPattern());
  ASSERT_NE(targetBitmap, nullptr);
  ScopedGdiObject ownTarget(RealGdi(), FromHandle(targetBitmap));
  ScopedMemoryDc target(RealGdi(), 0);
  ASSERT_NE(target.get(), 0u);
  std::vector<ColourRef> drawn;
  HBITMAP lightBitmap = MakeRealBitmap(c.kind, kW, kH, kLight);
  ASSERT_NE(lightBitmap, nullptr);
  TransparentBitmap light(RealGdi());
  light.Attach(FromHandle(lightBitmap));
  {
    ScopedSelection selected(RealGdi(), target.get(), FromHandle(targetBitmap));
    ASSERT_TRUE(selected);
    // The target's own pixels are what the raster starts from.
    ASSERT_EQ(ReadPixels(ToHandle<HDC>(target.get()), kTw, kTh), TargetPattern());
    ASSERT_TRUE(light.DrawTransparent(target.get(), c.x, c.y, c.transparent));
    drawn = ReadPixels(ToHandle<HDC>(target.get()), kTw, kTh);
  }
  EXPECT_EQ(drawn, SoftwareResult(kLight, c.x, c.y, c.transparent));
  EXPECT_EQ(ReadBitmap(lightBitmap, kW, kH), kLight);
  // Nothing of the drawing holds the bitmap: it can be selected again.
  ScopedMemoryDc again(RealGdi(), 0);
  ScopedSelection reselected(RealGdi(), again.get(), FromHandle(lightBitmap));
  EXPECT_TRUE(reselected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealTransparentTest,
    ::testing::Values(Case{Kind::kDibSection, 0, 0, kCyan}, Case{Kind::kDibSection, 5, 4, kCyan},
                      Case{Kind::kDibSection, 10, 7, StandardColour(kStandardCyan)},
                      Case{Kind::kDibSection, 3, 3, kRed}, Case{Kind::kDibSection, 2, 1, kBlack},
                      Case{Kind::kDibSection, 1, 6, kWhite},
                      Case{Kind::kDibSection, 4, 4, Rgb(1, 2, 3)},
                      Case{Kind::kScreenCompatible, 0, 0, kCyan},
                      Case{Kind::kScreenCompatible, 7, 5, kCyan},
                      Case{Kind::kScreenCompatible, 2, 2, kWhite}));

TEST(RealTransparent, AllTransparentLeavesTheTargetUnchanged) {
  HBITMAP targetBitmap = MakeRealBitmap(Kind::kDibSection, kTw, kTh, TargetPattern());
  ScopedGdiObject ownTarget(RealGdi(), FromHandle(targetBitmap));
  TransparentBitmap light(RealGdi());
  light.Attach(FromHandle(MakeRealBitmap(Kind::kDibSection, kW, kH,
                                          std::vector<ColourRef>(kW * kH, kCyan))));
  ScopedMemoryDc target(RealGdi(), 0);
  ScopedSelection selected(RealGdi(), target.get(), FromHandle(targetBitmap));
  ASSERT_TRUE(light.DrawTransparent(target.get(), 3, 3, kCyan));
  EXPECT_EQ(ReadPixels(ToHandle<HDC>(target.get()), kTw, kTh), TargetPattern());
}

TEST(RealTransparent, WithoutABitmapGivesFalse) {
  TransparentBitmap light(RealGdi());
  ScopedMemoryDc target(RealGdi(), 0);
  EXPECT_FALSE(light.DrawTransparent(target.get(), 0, 0, kCyan));
}

TEST(RealMemoryDc, BlitWithSizeZeroCopiesTheWholeBitmap) {
  HBITMAP targetBitmap = MakeRealBitmap(Kind::kDibSection, kTw, kTh, TargetPattern());
  ScopedGdiObject ownTarget(RealGdi(), FromHandle(targetBitmap));
  HBITMAP picture = MakeRealBitmap(Kind::kDibSection, kW, kH, kLight);
  ScopedGdiObject ownPicture(RealGdi(), FromHandle(picture));
  ScopedMemoryDc target(RealGdi(), 0);
  ScopedSelection selected(RealGdi(), target.get(), FromHandle(targetBitmap));
  AppState app;
  {
    MemoryDC memory(RealGdi(), app.palette, app.IsPaletteDevice(), target.get());
    EXPECT_NE(memory.Blit(FromHandle(picture), 4, 3, 0, 0, 0, 0), 0u);
  }
  const std::vector<ColourRef> drawn = ReadPixels(ToHandle<HDC>(target.get()), kTw, kTh);
  const std::vector<ColourRef> before = TargetPattern();
  for (int y = 0; y < kTh; ++y)
    for (int x = 0; x < kTw; ++x) {
      const bool inside = x >= 4 && x < 4 + kW && y >= 3 && y < 3 + kH;
      EXPECT_EQ(drawn[y * kTw + x], inside ? kLight[(y - 3) * kW + x - 4] : before[y * kTw + x])
          << x << "," << y;
    }
  // The MemoryDC let go of the picture: it can be deleted now.
  EXPECT_TRUE(DeleteObject(ToHandle<HBITMAP>(ownPicture.release())));
}

}  // namespace
}  // namespace tessaly

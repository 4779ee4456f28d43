// The Gdi interface over the real GDI and USER calls, the program's bitmap
// resources through the resource calls of KERNEL, and the guard of a window's
// paint cycle.
#pragma once

#include <windows.h>

#include "base/scoped.h"
#include "base/win32/handles.h"
#include "presentation/bitmap_resources.h"
#include "presentation/gdi.h"

namespace tessaly {

class Win32Gdi : public Gdi {
 public:
  GdiDc GetDC(WindowHandle window) override;
  void ReleaseDC(WindowHandle window, GdiDc dc) override;
  GdiDc CreateDisplayIC() override;
  GdiDc CreateCompatibleDC(GdiDc dc) override;
  bool DeleteDC(GdiDc dc) override;
  int GetDeviceCaps(GdiDc dc, int index) override;
  GdiObject CreateMonochromeBitmap(int width, int height) override;
  GdiObject CreateCompatibleBitmap(GdiDc dc, int width, int height) override;
  GdiObject CreateDIBitmap(GdiDc dc, const DibInfo& dib) override;
  bool GetBitmapSize(GdiObject bitmap, int* width, int* height) override;
  GdiObject CreatePalette(const LogPalette& palette) override;
  GdiObject SelectPalette(GdiDc dc, GdiObject palette, bool background) override;
  unsigned RealizePalette(GdiDc dc) override;
  GdiObject SelectObject(GdiDc dc, GdiObject object) override;
  bool DeleteObject(GdiObject object) override;
  bool BitBlt(GdiDc dest, int x, int y, int cx, int cy, GdiDc source, int xSrc, int ySrc,
              uint32_t rop) override;
  ColourRef SetBkColor(GdiDc dc, ColourRef colour) override;
  int GetMapMode(GdiDc dc) override;
  int SetMapMode(GdiDc dc, int mode) override;
  bool DPtoLP(GdiDc dc, int* x, int* y) override;
};

// RT_BITMAP resources of one module (the program itself by default).
class ModuleBitmapResources : public BitmapResources {
 public:
  explicit ModuleBitmapResources(HMODULE module = nullptr) : module_(module) {}
  bool FindBitmap(const char* name, const uint8_t** data, size_t* size) override;

 private:
  HMODULE module_;
};

// The one real GDI and the program's own bitmaps; both keep no state.
Gdi& SystemGdi();
BitmapResources& ProgramBitmaps();

// BeginPaint / EndPaint, for WM_PAINT: the paint DC, which validates the
// window, as the other guards give theirs (presentation/gdi_guards.h).
struct EndPaintTraits {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
  static GdiDc None() { return 0; }
  bool Valid(GdiDc dc) const { return dc != 0; }
  void Close(GdiDc) const { ::EndPaint(window, &paint); }
};
class ScopedPaintDc : public ScopedOwner<GdiDc, EndPaintTraits> {
 public:
  explicit ScopedPaintDc(HWND window) : ScopedOwner(0, EndPaintTraits{window, {}}) {
    reset(FromHandle(::BeginPaint(window, &traits().paint)));
  }
};

}  // namespace tessaly

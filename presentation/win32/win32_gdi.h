// The Gdi interface over the real GDI and USER calls, and the program's
// bitmap resources through the resource calls of KERNEL.
#pragma once

#include <windows.h>

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
  bool Find(const char* name, const uint8_t** data, size_t* size) override;

 private:
  HMODULE module_;
};

// The one real GDI and the program's own bitmaps; both keep no state.
Gdi& SystemGdi();
BitmapResources& ProgramBitmaps();

}  // namespace tessaly

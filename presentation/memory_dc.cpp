#include "presentation/memory_dc.h"

namespace tessaly {

MemoryDC::MemoryDC(Gdi& gdi, GdiObject palette, bool paletteDevice, GdiDc target)
    : gdi(gdi), dc(gdi.CreateCompatibleDC(target)), target(target) {
  if (!dc || !paletteDevice || !palette) return;
  gdi.SelectPalette(target, palette, false);
  gdi.RealizePalette(target);
  gdi.SelectPalette(dc, palette, false);
  gdi.RealizePalette(dc);
}

MemoryDC::~MemoryDC() {
  if (!dc) return;
  if (firstReplaced) gdi.SelectObject(dc, firstReplaced);
  gdi.DeleteDC(dc);
}

GdiObject MemoryDC::Blit(GdiObject bitmap, int x, int y, int cx, int cy, int xSrc, int ySrc) {
  BlitRect rect{x, y, cx, cy};
  return Blit(bitmap, rect, xSrc, ySrc);
}

GdiObject MemoryDC::Blit(GdiObject bitmap, BlitRect& rect, int xSrc, int ySrc) {
  if (!dc || !bitmap) return 0;
  const GdiObject replaced = gdi.SelectObject(dc, bitmap);
  if (!replaced) return 0;
  if (!firstReplaced) firstReplaced = replaced;
  if (rect.cx == 0 || rect.cy == 0) {
    int width = 0;
    int height = 0;
    if (gdi.GetBitmapSize(bitmap, &width, &height)) {
      if (rect.cx == 0) rect.cx = width;
      if (rect.cy == 0) rect.cy = height;
    }
  }
  gdi.BitBlt(target, rect.x, rect.y, rect.cx, rect.cy, dc, xSrc, ySrc, kSrcCopy);
  return replaced;
}

}  // namespace tessaly

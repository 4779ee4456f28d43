#include "presentation/memory_dc.h"

namespace tessaly {

MemoryDC::MemoryDC(Gdi& gdi, GdiObject palette, bool paletteDevice, GdiDc target)
    : gdi_(gdi), dc_(gdi.CreateCompatibleDC(target)), target_(target) {
  if (!dc_ || !paletteDevice || !palette) return;
  gdi_.SelectPalette(target_, palette, false);
  gdi_.RealizePalette(target_);
  gdi_.SelectPalette(dc_, palette, false);
  gdi_.RealizePalette(dc_);
}

MemoryDC::~MemoryDC() {
  if (!dc_) return;
  if (firstReplaced_) gdi_.SelectObject(dc_, firstReplaced_);
  gdi_.DeleteDC(dc_);
}

GdiObject MemoryDC::Blit(GdiObject bitmap, int x, int y, int cx, int cy, int xSrc, int ySrc) {
  if (!dc_ || !bitmap) return 0;
  const GdiObject replaced = gdi_.SelectObject(dc_, bitmap);
  if (!replaced) return 0;
  if (!firstReplaced_) firstReplaced_ = replaced;
  if (cx == 0 || cy == 0) {
    int width = 0;
    int height = 0;
    if (gdi_.GetBitmapSize(bitmap, &width, &height)) {
      if (cx == 0) cx = width;
      if (cy == 0) cy = height;
    }
  }
  gdi_.BitBlt(target_, x, y, cx, cy, dc_, xSrc, ySrc, kSrcCopy);
  return replaced;
}

}  // namespace tessaly

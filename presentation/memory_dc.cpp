#include "presentation/memory_dc.h"

namespace tessaly {

MemoryDC::MemoryDC(Gdi& gdi, GdiObject palette, bool paletteDevice, GdiDc target)
    : gdi_(gdi), target_(target), dc_(gdi, target) {
  if (!dc_ || !paletteDevice || !palette) return;
  gdi_.SelectPalette(target_, palette, false);
  gdi_.RealizePalette(target_);
  gdi_.SelectPalette(dc_.get(), palette, false);
  gdi_.RealizePalette(dc_.get());
}

GdiObject MemoryDC::Blit(GdiObject bitmap, int x, int y, int cx, int cy, int xSrc, int ySrc) {
  if (!dc_ || !bitmap) return 0;
  GdiObject replaced;
  if (!firstSelection_) {
    firstSelection_ = ScopedSelection(gdi_, dc_.get(), bitmap);
    replaced = firstSelection_.get();
  } else {
    replaced = gdi_.SelectObject(dc_.get(), bitmap);
  }
  if (!replaced) return 0;
  if (cx == 0 || cy == 0) {
    int width = 0;
    int height = 0;
    if (gdi_.GetBitmapSize(bitmap, &width, &height)) {
      if (cx == 0) cx = width;
      if (cy == 0) cy = height;
    }
  }
  gdi_.BitBlt(target_, x, y, cx, cy, dc_.get(), xSrc, ySrc, kSrcCopy);
  return replaced;
}

}  // namespace tessaly

// A memory device context that copies bitmaps to a target DC, used to repaint
// a window's background. One lives for one repaint, on the stack.
#pragma once

#include "presentation/gdi.h"
#include "presentation/gdi_guards.h"

namespace tessaly {

class MemoryDC {
 public:
  // Creates a DC compatible with target. On a palette device with an
  // application palette (0 when there is none), that palette is selected
  // (foreground) and realised in the target and then in the memory DC; it
  // stays in the target.
  MemoryDC(Gdi& gdi, GdiObject palette, bool paletteDevice, GdiDc target);
  // Selects back the object that the first Blit replaced, then deletes the DC.
  ~MemoryDC() = default;
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;

  // Selects bitmap and copies it (SRCCOPY) from (xSrc, ySrc) to the target at
  // (x, y, cx, cy); a cx or cy of 0 means the bitmap's own width or height.
  // Returns the object that this selection replaced, or 0 when nothing could
  // be selected.
  GdiObject Blit(GdiObject bitmap, int x, int y, int cx, int cy, int xSrc, int ySrc);

 private:
  Gdi& gdi_;
  GdiDc target_;  // not owned
  // Undone in reverse: the first selection goes back, then the DC goes.
  ScopedMemoryDc dc_;
  ScopedSelection firstSelection_;
};

}  // namespace tessaly

// A bitmap that can be drawn with one of its colours transparent: the status
// lights, whose ground colour lets the window's background show through.
#pragma once

#include "presentation/gdi.h"

namespace tessaly {

class TransparentBitmap {
 public:
  explicit TransparentBitmap(Gdi& gdi) : gdi_(gdi) {}
  // Deletes the bitmap it holds.
  ~TransparentBitmap();
  TransparentBitmap(const TransparentBitmap&) = delete;
  TransparentBitmap& operator=(const TransparentBitmap&) = delete;

  // Takes ownership of bitmap (deleting the one held before).
  void Attach(GdiObject bitmap);

  // Draws the bitmap on dc at (x, y): pixels of the colour transparent keep
  // the target's pixel, every other pixel shows the bitmap's. The bitmap's
  // own pixels are unchanged afterwards, and every work DC and bitmap is
  // deleted. False, without drawing, when no bitmap is held, it cannot be
  // selected or read, or a work DC or bitmap cannot be created.
  bool DrawTransparent(GdiDc dc, int x, int y, ColourRef transparent);

 private:
  Gdi& gdi_;
  GdiObject bitmap_ = 0;
};

}  // namespace tessaly

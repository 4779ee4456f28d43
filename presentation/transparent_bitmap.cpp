#include "presentation/transparent_bitmap.h"

#include <initializer_list>

#include "presentation/gdi_guards.h"

namespace tessaly {
namespace {

// The five work DCs in the order of their creation, and the four work
// bitmaps; Source holds the bitmap being drawn and has none of its own.
enum WorkSlot { kSource, kInverseMask, kCompose, kMask, kSaved, kWorkCount };

// Everything DrawTransparent makes, given back on every path in this order
// (members and array elements go in reverse): the selections, then the
// bitmaps (Saved's, Mask's, Compose's, InverseMask's), then the DCs.
struct WorkSet {
  ScopedMemoryDc dc[kWorkCount];
  ScopedGdiObject bitmap[kWorkCount];
  ScopedSelection selected[kWorkCount];
};

}  // namespace

TransparentBitmap::~TransparentBitmap() {
  if (bitmap_) gdi_.DeleteObject(bitmap_);
}

void TransparentBitmap::Attach(GdiObject bitmap) {
  if (bitmap_ && bitmap_ != bitmap) gdi_.DeleteObject(bitmap_);
  bitmap_ = bitmap;
}

bool TransparentBitmap::DrawTransparent(GdiDc dc, int x, int y, ColourRef transparent) {
  if (!dc || !bitmap_) return false;
  WorkSet work;
  for (int i = 0; i < kWorkCount; ++i) {
    work.dc[i] = ScopedMemoryDc(gdi_, dc);
    if (!work.dc[i]) return false;
  }
  const GdiDc source = work.dc[kSource].get();
  work.selected[kSource] = ScopedSelection(gdi_, source, bitmap_);
  if (!work.selected[kSource]) return false;

  // Source still has its initial mapping mode, so this is the pixel size.
  int w = 0;
  int h = 0;
  if (!gdi_.GetBitmapSize(bitmap_, &w, &h)) return false;
  gdi_.DPtoLP(source, &w, &h);

  work.bitmap[kInverseMask] = ScopedGdiObject(gdi_, gdi_.CreateMonochromeBitmap(w, h));
  if (!work.bitmap[kInverseMask]) return false;
  work.bitmap[kMask] = ScopedGdiObject(gdi_, gdi_.CreateMonochromeBitmap(w, h));
  if (!work.bitmap[kMask]) return false;
  work.bitmap[kCompose] = ScopedGdiObject(gdi_, gdi_.CreateCompatibleBitmap(dc, w, h));
  if (!work.bitmap[kCompose]) return false;
  work.bitmap[kSaved] = ScopedGdiObject(gdi_, gdi_.CreateCompatibleBitmap(dc, w, h));
  if (!work.bitmap[kSaved]) return false;
  for (int i : {kInverseMask, kCompose, kMask, kSaved}) {
    work.selected[i] = ScopedSelection(gdi_, work.dc[i].get(), work.bitmap[i].get());
    if (!work.selected[i]) return false;
  }

  const GdiDc inverseMask = work.dc[kInverseMask].get();
  const GdiDc compose = work.dc[kCompose].get();
  const GdiDc mask = work.dc[kMask].get();
  const GdiDc saved = work.dc[kSaved].get();

  gdi_.SetMapMode(source, gdi_.GetMapMode(dc));
  // Keep the bitmap's pixels to put them back at the end.
  gdi_.BitBlt(saved, 0, 0, w, h, source, 0, 0, kSrcCopy);
  // Mask: 1 where the bitmap has the transparent colour (colour to mono
  // compares with the source's background colour).
  const ColourRef oldBackground = gdi_.SetBkColor(source, transparent);
  gdi_.BitBlt(mask, 0, 0, w, h, source, 0, 0, kSrcCopy);
  gdi_.SetBkColor(source, oldBackground);
  // InverseMask: 1 where the bitmap is opaque.
  gdi_.BitBlt(inverseMask, 0, 0, w, h, mask, 0, 0, kNotSrcCopy);
  // Compose: the background under the picture, black where it will be
  // covered (mono to colour gives 1 = white, 0 = black in a new DC).
  gdi_.BitBlt(compose, 0, 0, w, h, dc, x, y, kSrcCopy);
  gdi_.BitBlt(compose, 0, 0, w, h, mask, 0, 0, kSrcAnd);
  // The bitmap black where it is transparent, laid over the background.
  gdi_.BitBlt(source, 0, 0, w, h, inverseMask, 0, 0, kSrcAnd);
  gdi_.BitBlt(compose, 0, 0, w, h, source, 0, 0, kSrcPaint);
  // One copy to the target, then the bitmap's own pixels back.
  gdi_.BitBlt(dc, x, y, w, h, compose, 0, 0, kSrcCopy);
  gdi_.BitBlt(source, 0, 0, w, h, saved, 0, 0, kSrcCopy);

  return true;
}

}  // namespace tessaly

#include "presentation/transparent_bitmap.h"

namespace tessaly {
namespace {

// The five work DCs in the order of their creation, and the four work
// bitmaps; Source holds the bitmap being drawn and has none of its own.
enum Work { kSource, kInverseMask, kCompose, kMask, kSaved, kWorkCount };

// Everything DrawTransparent makes. Release undoes whatever was done, in the
// same order on every path: selections back in DC order, then the bitmaps
// (Saved's, Mask's, Compose's, InverseMask's), then the DCs.
class WorkSet {
 public:
  explicit WorkSet(Gdi& gdi) : gdi_(gdi) {}
  ~WorkSet() { Release(); }
  WorkSet(const WorkSet&) = delete;
  WorkSet& operator=(const WorkSet&) = delete;

  bool CreateDcs(GdiDc target) {
    for (int i = 0; i < kWorkCount; ++i) {
      dc[i] = gdi_.CreateCompatibleDC(target);
      if (!dc[i]) return false;
    }
    return true;
  }

  bool Select(int which, GdiObject object) {
    replaced[which] = gdi_.SelectObject(dc[which], object);
    return replaced[which] != 0;
  }

  void Release() {
    for (int i = 0; i < kWorkCount; ++i) {
      if (replaced[i]) gdi_.SelectObject(dc[i], replaced[i]);
      replaced[i] = 0;
    }
    static const int kDeleteOrder[] = {kSaved, kMask, kCompose, kInverseMask};
    for (int i : kDeleteOrder) {
      if (bitmap[i]) gdi_.DeleteObject(bitmap[i]);
      bitmap[i] = 0;
    }
    for (int i = 0; i < kWorkCount; ++i) {
      if (dc[i]) gdi_.DeleteDC(dc[i]);
      dc[i] = 0;
    }
  }

  GdiDc dc[kWorkCount] = {};
  GdiObject bitmap[kWorkCount] = {};
  GdiObject replaced[kWorkCount] = {};

 private:
  Gdi& gdi_;
};

}  // namespace

TransparentBitmap::~TransparentBitmap() {
  if (bitmap_) gdi_.DeleteObject(bitmap_);
}

void TransparentBitmap::Attach(GdiObject bitmap) {
  if (bitmap_ && bitmap_ != bitmap) gdi_.DeleteObject(bitmap_);
  bitmap_ = bitmap;
}

GdiObject TransparentBitmap::Detach() {
  const GdiObject bitmap = bitmap_;
  bitmap_ = 0;
  return bitmap;
}

bool TransparentBitmap::DrawTransparent(GdiDc dc, int x, int y, ColourRef transparent) {
  if (!dc || !bitmap_) return false;
  WorkSet work(gdi_);
  if (!work.CreateDcs(dc)) return false;
  const GdiDc source = work.dc[kSource];
  if (!work.Select(kSource, bitmap_)) return false;

  // Source still has its initial mapping mode, so this is the pixel size.
  int w = 0;
  int h = 0;
  if (!gdi_.GetBitmapSize(bitmap_, &w, &h)) return false;
  gdi_.DPtoLP(source, &w, &h);

  work.bitmap[kInverseMask] = gdi_.CreateMonochromeBitmap(w, h);
  if (!work.bitmap[kInverseMask]) return false;
  work.bitmap[kMask] = gdi_.CreateMonochromeBitmap(w, h);
  if (!work.bitmap[kMask]) return false;
  work.bitmap[kCompose] = gdi_.CreateCompatibleBitmap(dc, w, h);
  if (!work.bitmap[kCompose]) return false;
  work.bitmap[kSaved] = gdi_.CreateCompatibleBitmap(dc, w, h);
  if (!work.bitmap[kSaved]) return false;
  static const int kSelectOrder[] = {kInverseMask, kCompose, kMask, kSaved};
  for (int i : kSelectOrder) {
    if (!work.Select(i, work.bitmap[i])) return false;
  }

  const GdiDc inverseMask = work.dc[kInverseMask];
  const GdiDc compose = work.dc[kCompose];
  const GdiDc mask = work.dc[kMask];
  const GdiDc saved = work.dc[kSaved];

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

  work.Release();
  return true;
}

}  // namespace tessaly

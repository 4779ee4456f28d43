// A software raster implementing the Gdi interface in memory: colour device
// contexts (24-bit COLORREF pixels), 1-bit monochrome bitmaps, BitBlt with
// SRCCOPY, NOTSRCCOPY, SRCAND and SRCPAINT, palettes, and the display's
// device capabilities. It keeps the platform's conversion rules:
//   colour to mono: 1 where the source pixel equals the source DC's
//                   background colour, 0 elsewhere;
//   mono to colour: 1 becomes the destination DC's background colour, 0 its
//                   text colour (white and black in a new DC).
// It tracks every DC, bitmap, palette and selection, so that tests can check
// that nothing leaks, and it records misuse (deleting a selected object, a
// handle that does not exist, a DC deleted with a bitmap still selected) in
// problems. Creation failures can be injected by budget.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "presentation/dib.h"
#include "presentation/gdi.h"

namespace tessaly {

// The initial mapping mode of every DC, the only one the raster models: one
// logical unit per pixel (MM_TEXT).
constexpr int kMmText = 1;

class SoftwareGdi : public Gdi {
 public:
  struct Bitmap {
    int width = 0;
    int height = 0;
    bool mono = false;
    std::vector<ColourRef> pixels;  // row-major, top row first; mono: 0 or 1
    GdiDc selectedIn = 0;
    bool stock = false;              // the default bitmap of new memory DCs
    bool surface = false;            // a window's pixels, owned by the window
    GdiObject paletteAtCreation = 0;  // palette selected in the DC given to CreateDIBitmap
  };
  struct Palette {
    LogPalette log{};
    int selections = 0;
    bool stock = false;
  };
  enum class DcKind { kMemory, kWindow, kInformation };
  struct Dc {
    DcKind kind = DcKind::kMemory;
    WindowHandle window = 0;
    GdiObject bitmap = 0;
    GdiObject palette = 0;
    ColourRef text = Rgb(0, 0, 0);
    ColourRef background = Rgb(255, 255, 255);
    int mapMode = kMmText;
  };
  struct PaletteEvent {
    GdiDc dc;
    GdiObject palette;
    bool background;  // selections only
    bool realize;     // true for RealizePalette, false for SelectPalette
  };

  // The display's capabilities.
  int bitsPixel = 32;
  int planes = 1;
  int logPixelsX = 96;
  // Size of a window's pixels, made white on first use.
  int surfaceWidth = 64;
  int surfaceHeight = 64;

  // Failure injection: how many more creations succeed (-1: all).
  int compatibleDcBudget = -1;
  int bitmapBudget = -1;  // monochrome, compatible and DIB bitmaps
  bool failDisplayIC = false;
  bool failGetBitmapSize = false;

  std::vector<std::string> problems;
  std::vector<PaletteEvent> paletteEvents;
  struct BlitEvent {
    GdiDc dest;
    GdiDc source;
    uint32_t rop;
  };
  std::vector<BlitEvent> blitLog;

  SoftwareGdi() {
    stockBitmap_ = NewHandle();
    Bitmap stock;
    stock.width = stock.height = 1;
    stock.mono = true;
    stock.pixels.assign(1, 0);
    stock.stock = true;
    bitmaps_[stockBitmap_] = stock;
    stockPalette_ = NewHandle();
    Palette palette;
    palette.stock = true;
    palettes_[stockPalette_] = palette;
  }

  // ---- Test helpers ----

  // A colour bitmap of the given pixels (row-major, top row first).
  GdiObject MakeBitmap(int width, int height, const std::vector<ColourRef>& pixels) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.pixels = pixels;
    b.pixels.resize(static_cast<size_t>(width) * height, 0);
    const GdiObject h = NewHandle();
    bitmaps_[h] = b;
    return h;
  }
  // A memory DC holding a bitmap, as a drawing target.
  GdiDc MakeTargetDc(GdiObject bitmap) {
    const GdiDc dc = NewHandle();
    Dc d;
    d.bitmap = bitmap;
    d.palette = stockPalette_;
    palettes_[stockPalette_].selections++;
    dcs_[dc] = d;
    bitmaps_[bitmap].selectedIn = dc;
    return dc;
  }
  // The pixels of a window (created white on first use).
  GdiObject Surface(WindowHandle window) {
    auto it = surfaces_.find(window);
    if (it != surfaces_.end()) return it->second;
    const GdiObject h = MakeBitmap(surfaceWidth, surfaceHeight,
                                   std::vector<ColourRef>(static_cast<size_t>(surfaceWidth) * surfaceHeight,
                                                          Rgb(255, 255, 255)));
    bitmaps_[h].surface = true;
    surfaces_[window] = h;
    return h;
  }
  const Bitmap* FindBitmap(GdiObject h) const {
    auto it = bitmaps_.find(h);
    return it == bitmaps_.end() ? nullptr : &it->second;
  }
  const Palette* FindPalette(GdiObject h) const {
    auto it = palettes_.find(h);
    return it == palettes_.end() ? nullptr : &it->second;
  }
  const Dc* FindDc(GdiDc h) const {
    auto it = dcs_.find(h);
    return it == dcs_.end() ? nullptr : &it->second;
  }
  std::vector<ColourRef> Pixels(GdiObject bitmap) const {
    const Bitmap* b = FindBitmap(bitmap);
    return b ? b->pixels : std::vector<ColourRef>();
  }
  // Live DCs: memory DCs, information contexts and window DCs not released.
  size_t LiveDcs() const { return dcs_.size(); }
  // Live bitmaps and palettes that someone must delete (not stock objects or
  // window pixels).
  size_t LiveObjects() const {
    size_t n = 0;
    for (const auto& b : bitmaps_) n += !b.second.stock && !b.second.surface;
    for (const auto& p : palettes_) n += !p.second.stock;
    return n;
  }
  GdiObject StockBitmap() const { return stockBitmap_; }
  GdiObject StockPalette() const { return stockPalette_; }

  // ---- Gdi ----

  GdiDc GetDC(WindowHandle window) override {
    Dc d;
    d.kind = DcKind::kWindow;
    d.window = window;
    d.bitmap = Surface(window);
    return AddDc(d);
  }
  void ReleaseDC(WindowHandle window, GdiDc dc) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || it->second.kind != DcKind::kWindow || it->second.window != window) {
      problems.push_back("ReleaseDC of a DC that GetDC did not give for this window");
      return;
    }
    DropDc(it);
  }
  GdiDc CreateDisplayIC() override {
    if (failDisplayIC) return 0;
    Dc d;
    d.kind = DcKind::kInformation;
    return AddDc(d);
  }
  GdiDc CreateCompatibleDC(GdiDc dc) override {
    if (dc && !dcs_.count(dc)) problems.push_back("CreateCompatibleDC of an unknown DC");
    if (!Spend(compatibleDcBudget)) return 0;
    Dc d;
    d.bitmap = stockBitmap_;
    return AddDc(d);
  }
  bool DeleteDC(GdiDc dc) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || it->second.kind == DcKind::kWindow) {
      problems.push_back("DeleteDC of an unknown DC or a window DC");
      return false;
    }
    if (it->second.kind == DcKind::kMemory && it->second.bitmap != stockBitmap_)
      problems.push_back("DeleteDC with a bitmap still selected");
    DropDc(it);
    return true;
  }
  int GetDeviceCaps(GdiDc dc, int index) override {
    if (!dcs_.count(dc)) return 0;
    switch (index) {
      case kBitsPixel: return bitsPixel;
      case kPlanes: return planes;
      case kLogPixelsX: return logPixelsX;
      default: return 0;
    }
  }

  GdiObject CreateMonochromeBitmap(int width, int height) override {
    if (width <= 0 || height <= 0 || !Spend(bitmapBudget)) return 0;
    const GdiObject h = MakeBitmap(width, height, {});
    bitmaps_[h].mono = true;
    return h;
  }
  GdiObject CreateCompatibleBitmap(GdiDc dc, int width, int height) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || width <= 0 || height <= 0 || !Spend(bitmapBudget)) return 0;
    // Like the platform: a memory DC gives bitmaps of the format it holds.
    const bool mono = it->second.kind == DcKind::kMemory && bitmaps_[it->second.bitmap].mono;
    const GdiObject h = MakeBitmap(width, height, {});
    bitmaps_[h].mono = mono;
    return h;
  }
  GdiObject CreateDIBitmap(GdiDc dc, const DibInfo& dib) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || !Spend(bitmapBudget)) return 0;
    const int rows = dib.height < 0 ? -dib.height : dib.height;
    std::vector<ColourRef> pixels(static_cast<size_t>(dib.width) * rows);
    for (int r = 0; r < rows; ++r) {
      const uint8_t* row = dib.pixels + dib.rowBytes * r;
      const int y = dib.height < 0 ? r : rows - 1 - r;
      for (int x = 0; x < dib.width; ++x) pixels[static_cast<size_t>(y) * dib.width + x] = DibPixel(dib, row, x);
    }
    const GdiObject h = MakeBitmap(dib.width, rows, pixels);
    bitmaps_[h].paletteAtCreation = it->second.palette;
    return h;
  }
  bool GetBitmapSize(GdiObject bitmap, int* width, int* height) override {
    const Bitmap* b = FindBitmap(bitmap);
    if (!b || failGetBitmapSize) return false;
    *width = b->width;
    *height = b->height;
    return true;
  }

  GdiObject CreatePalette(const LogPalette& log) override {
    if (log.version != 0x300 || log.numEntries == 0 || log.numEntries > 256) return 0;
    Palette p;
    p.log = log;
    const GdiObject h = NewHandle();
    palettes_[h] = p;
    return h;
  }
  GdiObject SelectPalette(GdiDc dc, GdiObject palette, bool background) override {
    auto it = dcs_.find(dc);
    auto pal = palettes_.find(palette);
    if (it == dcs_.end() || pal == palettes_.end()) {
      problems.push_back("SelectPalette with an unknown DC or palette");
      return 0;
    }
    const GdiObject previous = it->second.palette;
    if (previous) palettes_[previous].selections--;
    pal->second.selections++;
    it->second.palette = palette;
    paletteEvents.push_back({dc, palette, background, false});
    return previous;
  }
  unsigned RealizePalette(GdiDc dc) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) return 0;
    paletteEvents.push_back({dc, it->second.palette, false, true});
    return palettes_[it->second.palette].log.numEntries;
  }

  GdiObject SelectObject(GdiDc dc, GdiObject object) override {
    auto it = dcs_.find(dc);
    auto bm = bitmaps_.find(object);
    if (it == dcs_.end() || bm == bitmaps_.end()) {
      problems.push_back("SelectObject with an unknown DC or object");
      return 0;
    }
    // Only memory DCs take bitmaps, and a bitmap sits in one DC at a time.
    if (it->second.kind != DcKind::kMemory) return 0;
    if (!bm->second.stock && bm->second.selectedIn && bm->second.selectedIn != dc) return 0;
    const GdiObject previous = it->second.bitmap;
    if (previous != object) {
      bitmaps_[previous].selectedIn = 0;
      if (!bm->second.stock) bm->second.selectedIn = dc;
      it->second.bitmap = object;
    }
    return previous;
  }
  bool DeleteObject(GdiObject object) override {
    auto bm = bitmaps_.find(object);
    if (bm != bitmaps_.end()) {
      if (bm->second.stock || bm->second.surface) return true;
      if (bm->second.selectedIn) {
        problems.push_back("DeleteObject of a bitmap still selected");
        return false;
      }
      bitmaps_.erase(bm);
      return true;
    }
    auto pal = palettes_.find(object);
    if (pal != palettes_.end()) {
      if (pal->second.stock) return true;
      if (pal->second.selections > 0) {
        problems.push_back("DeleteObject of a palette still selected");
        return false;
      }
      palettes_.erase(pal);
      return true;
    }
    problems.push_back("DeleteObject of an unknown object");
    return false;
  }

  bool BitBlt(GdiDc dest, int x, int y, int cx, int cy, GdiDc source, int xSrc, int ySrc,
              uint32_t rop) override {
    auto d = dcs_.find(dest);
    auto s = dcs_.find(source);
    if (d == dcs_.end() || s == dcs_.end() || d->second.kind == DcKind::kInformation ||
        s->second.kind == DcKind::kInformation) {
      problems.push_back("BitBlt with an unknown DC or an information context");
      return false;
    }
    if (d->second.mapMode != kMmText || s->second.mapMode != kMmText)
      problems.push_back("BitBlt with a mapping mode the raster does not model");
    if (rop != kSrcCopy && rop != kNotSrcCopy && rop != kSrcAnd && rop != kSrcPaint) {
      problems.push_back("BitBlt with an unsupported raster operation");
      return false;
    }
    blitLog.push_back({dest, source, rop});
    const Bitmap src = bitmaps_[s->second.bitmap];  // a copy: source and dest may be one
    Bitmap& dst = bitmaps_[d->second.bitmap];
    const ColourRef full = dst.mono ? 1u : 0x00FFFFFFu;
    for (int j = 0; j < cy; ++j) {
      for (int i = 0; i < cx; ++i) {
        const int sx = xSrc + i, sy = ySrc + j, dx = x + i, dy = y + j;
        if (sx < 0 || sy < 0 || sx >= src.width || sy >= src.height) continue;
        if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
        ColourRef value = src.pixels[static_cast<size_t>(sy) * src.width + sx];
        if (src.mono && !dst.mono) value = value ? d->second.background : d->second.text;
        if (!src.mono && dst.mono) value = value == s->second.background ? 1 : 0;
        ColourRef& out = dst.pixels[static_cast<size_t>(dy) * dst.width + dx];
        switch (rop) {
          case kSrcCopy: out = value; break;
          case kNotSrcCopy: out = ~value & full; break;
          case kSrcAnd: out &= value; break;
          case kSrcPaint: out |= value; break;
        }
      }
    }
    return true;
  }
  ColourRef SetBkColor(GdiDc dc, ColourRef colour) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) return 0xFFFFFFFFu;  // CLR_INVALID
    const ColourRef previous = it->second.background;
    it->second.background = colour;
    return previous;
  }
  int GetMapMode(GdiDc dc) override {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? 0 : it->second.mapMode;
  }
  int SetMapMode(GdiDc dc, int mode) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) return 0;
    const int previous = it->second.mapMode;
    it->second.mapMode = mode;
    return previous;
  }
  bool DPtoLP(GdiDc dc, int*, int*) override {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) return false;
    if (it->second.mapMode != kMmText) problems.push_back("DPtoLP in a mapping mode the raster does not model");
    return true;
  }

 private:
  GdiObject NewHandle() { return nextHandle_ += 4; }
  static bool Spend(int& budget) {
    if (budget == 0) return false;
    if (budget > 0) --budget;
    return true;
  }
  GdiDc AddDc(Dc d) {
    if (!d.palette) d.palette = stockPalette_;
    palettes_[d.palette].selections++;
    const GdiDc h = NewHandle();
    dcs_[h] = d;
    return h;
  }
  void DropDc(std::map<GdiDc, Dc>::iterator it) {
    if (it->second.kind == DcKind::kMemory) bitmaps_[it->second.bitmap].selectedIn = 0;
    palettes_[it->second.palette].selections--;
    dcs_.erase(it);
  }
  static ColourRef DibPixel(const DibInfo& dib, const uint8_t* row, int x) {
    auto fromTable = [&](uint32_t index) {
      const uint8_t* quad = dib.colourTable + 4 * index;
      return Rgb(quad[2], quad[1], quad[0]);
    };
    switch (dib.bitCount) {
      case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
      case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
      case 8: return fromTable(row[x]);
      case 16: {
        const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        return Rgb(static_cast<uint8_t>((v >> 10 & 31) * 255 / 31),
                   static_cast<uint8_t>((v >> 5 & 31) * 255 / 31),
                   static_cast<uint8_t>((v & 31) * 255 / 31));
      }
      case 24: return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      default: return Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
  }

  GdiObject nextHandle_ = 0x1000;
  GdiObject stockBitmap_ = 0;
  GdiObject stockPalette_ = 0;
  std::map<GdiDc, Dc> dcs_;
  std::map<GdiObject, Bitmap> bitmaps_;
  std::map<GdiObject, Palette> palettes_;
  std::map<WindowHandle, GdiObject> surfaces_;
};

}  // namespace tessaly

// The graphics calls that the drawing logic makes, under the platform's own
// names. The Win32 build implements them over GDI and USER
// (presentation/win32/win32_gdi.h); the unit tests use a software raster
// (tests/fakes/software_gdi.h) that keeps the same conversion rules.
#pragma once

#include <stdint.h>

#include "base/platform.h"

namespace tessaly {

// Handles, opaque to the logic; 0 is none.
using GdiDc = uintptr_t;      // HDC
using GdiObject = uintptr_t;  // HBITMAP, HPALETTE or any other HGDIOBJ
using ColourRef = uint32_t;   // COLORREF, 0x00BBGGRR

constexpr ColourRef Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<ColourRef>(red) | (static_cast<ColourRef>(green) << 8) |
         (static_cast<ColourRef>(blue) << 16);
}

// BitBlt raster operations.
enum : uint32_t {
  kSrcCopy = 0x00CC0020,     // dest = source
  kNotSrcCopy = 0x00330008,  // dest = NOT source
  kSrcAnd = 0x008800C6,      // dest = dest AND source
  kSrcPaint = 0x00EE0086,    // dest = dest OR source
};

// GetDeviceCaps indices.
enum : int { kBitsPixel = 12, kPlanes = 14, kLogPixelsX = 88 };

// One entry of a logical palette, laid out as PALETTEENTRY.
struct PaletteEntry {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t flags;
};

// A logical palette of up to 256 entries, laid out as LOGPALETTE (whose
// entry array runs past its declared single element).
struct LogPalette {
  uint16_t version;     // 0x300
  uint16_t numEntries;  // entries in use
  PaletteEntry entries[256];
};

struct DibInfo;  // presentation/dib.h

class Gdi {
 public:
  virtual ~Gdi() = default;

  // GetDC / ReleaseDC; window 0 is the screen.
  virtual GdiDc GetDC(WindowHandle window) = 0;
  virtual void ReleaseDC(WindowHandle window, GdiDc dc) = 0;
  // CreateICA("DISPLAY", "", "", null): the display's information context,
  // deleted with DeleteDC.
  virtual GdiDc CreateDisplayIC() = 0;
  virtual GdiDc CreateCompatibleDC(GdiDc dc) = 0;
  virtual bool DeleteDC(GdiDc dc) = 0;
  virtual int GetDeviceCaps(GdiDc dc, int index) = 0;

  // CreateBitmap(w, h, 1 plane, 1 bit per pixel, no bits).
  virtual GdiObject CreateMonochromeBitmap(int width, int height) = 0;
  virtual GdiObject CreateCompatibleBitmap(GdiDc dc, int width, int height) = 0;
  // CreateDIBitmap(dc, header, CBM_INIT, pixels, header, DIB_RGB_COLORS): a
  // device bitmap of the packed DIB, its colours mapped through the palette
  // selected in dc. The DIB has been validated (ParseDib).
  virtual GdiObject CreateDIBitmap(GdiDc dc, const DibInfo& dib) = 0;
  // GetObjectA on a bitmap: its width and height; false when it cannot be read.
  virtual bool GetBitmapSize(GdiObject bitmap, int* width, int* height) = 0;

  // CreatePalette from the logical palette (numEntries of its entries).
  virtual GdiObject CreatePalette(const LogPalette& palette) = 0;
  // SelectPalette(dc, palette, background): the palette it replaced, or 0.
  virtual GdiObject SelectPalette(GdiDc dc, GdiObject palette, bool background) = 0;
  virtual unsigned RealizePalette(GdiDc dc) = 0;

  // SelectObject: the object it replaced, or 0 when the selection failed.
  virtual GdiObject SelectObject(GdiDc dc, GdiObject object) = 0;
  virtual bool DeleteObject(GdiObject object) = 0;

  virtual bool BitBlt(GdiDc dest, int x, int y, int cx, int cy, GdiDc source, int xSrc,
                      int ySrc, uint32_t rop) = 0;
  // SetBkColor: the previous background colour.
  virtual ColourRef SetBkColor(GdiDc dc, ColourRef colour) = 0;
  virtual int GetMapMode(GdiDc dc) = 0;
  virtual int SetMapMode(GdiDc dc, int mode) = 0;
  // DPtoLP on one point, converted in place.
  virtual bool DPtoLP(GdiDc dc, int* x, int* y) = 0;
};

}  // namespace tessaly

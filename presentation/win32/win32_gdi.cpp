#include "presentation/win32/win32_gdi.h"

#include <stddef.h>

#include <string.h>

#include "base/win32/handles.h"
#include "presentation/dib.h"

namespace tessaly {

static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY), "PALETTEENTRY layout");
static_assert(offsetof(LogPalette, entries) == offsetof(LOGPALETTE, palPalEntry),
              "LOGPALETTE layout");

GdiDc Win32Gdi::GetDC(WindowHandle window) { return FromHandle(::GetDC(ToHandle<HWND>(window))); }

void Win32Gdi::ReleaseDC(WindowHandle window, GdiDc dc) { ::ReleaseDC(ToHandle<HWND>(window), ToHandle<HDC>(dc)); }

GdiDc Win32Gdi::CreateDisplayIC() { return FromHandle(::CreateICA("DISPLAY", "", "", nullptr)); }

GdiDc Win32Gdi::CreateCompatibleDC(GdiDc dc) { return FromHandle(::CreateCompatibleDC(ToHandle<HDC>(dc))); }

bool Win32Gdi::DeleteDC(GdiDc dc) { return ::DeleteDC(ToHandle<HDC>(dc)) != FALSE; }

int Win32Gdi::GetDeviceCaps(GdiDc dc, int index) { return ::GetDeviceCaps(ToHandle<HDC>(dc), index); }

GdiObject Win32Gdi::CreateMonochromeBitmap(int width, int height) {
  return FromHandle(::CreateBitmap(width, height, 1, 1, nullptr));
}

GdiObject Win32Gdi::CreateCompatibleBitmap(GdiDc dc, int width, int height) {
  return FromHandle(::CreateCompatibleBitmap(ToHandle<HDC>(dc), width, height));
}

GdiObject Win32Gdi::CreateDIBitmap(GdiDc dc, const DibInfo& dib) {
  // The pixel rows were found after a colour table of 2^biBitCount entries;
  // GDI is given a copy of the header and table with biClrUsed 0, so that it
  // reads that same table whatever the resource's biClrUsed says.
  // Room for the largest header and a full 256-entry table (and the three
  // masks of a BI_BITFIELDS bitmap); anything longer is not a bitmap GDI takes.
  union {
    BITMAPINFOHEADER header;
    uint8_t bytes[sizeof(BITMAPV5HEADER) + 256 * sizeof(RGBQUAD) + 3 * sizeof(DWORD)];
  } info;
  const size_t length = static_cast<size_t>(dib.pixels - dib.header);
  if (dib.pixels < dib.header || length < sizeof(BITMAPINFOHEADER) || length > sizeof info.bytes)
    return 0;
  memcpy(info.bytes, dib.header, length);
  info.header.biClrUsed = 0;
  return FromHandle(::CreateDIBitmap(ToHandle<HDC>(dc), &info.header, CBM_INIT, dib.pixels,
                                      reinterpret_cast<const BITMAPINFO*>(info.bytes),
                                      DIB_RGB_COLORS));
}

bool Win32Gdi::GetBitmapSize(GdiObject bitmap, int* width, int* height) {
  BITMAP record{};
  if (!bitmap || ::GetObjectA(ToHandle<HGDIOBJ>(bitmap), sizeof(record), &record) != sizeof(record))
    return false;
  *width = record.bmWidth;
  *height = record.bmHeight;
  return true;
}

GdiObject Win32Gdi::CreatePalette(const LogPalette& palette) {
  return FromHandle(::CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)));
}

GdiObject Win32Gdi::SelectPalette(GdiDc dc, GdiObject palette, bool background) {
  return FromHandle(::SelectPalette(ToHandle<HDC>(dc), ToHandle<HPALETTE>(palette), background ? TRUE : FALSE));
}

unsigned Win32Gdi::RealizePalette(GdiDc dc) { return ::RealizePalette(ToHandle<HDC>(dc)); }

GdiObject Win32Gdi::SelectObject(GdiDc dc, GdiObject object) {
  const HGDIOBJ replaced = ::SelectObject(ToHandle<HDC>(dc), ToHandle<HGDIOBJ>(object));
  return replaced == HGDI_ERROR ? 0 : FromHandle(replaced);
}

bool Win32Gdi::DeleteObject(GdiObject object) { return ::DeleteObject(ToHandle<HGDIOBJ>(object)) != FALSE; }

bool Win32Gdi::BitBlt(GdiDc dest, int x, int y, int cx, int cy, GdiDc source, int xSrc, int ySrc,
                      uint32_t rop) {
  return ::BitBlt(ToHandle<HDC>(dest), x, y, cx, cy, ToHandle<HDC>(source), xSrc, ySrc, rop) != FALSE;
}

ColourRef Win32Gdi::SetBkColor(GdiDc dc, ColourRef colour) { return ::SetBkColor(ToHandle<HDC>(dc), colour); }

int Win32Gdi::GetMapMode(GdiDc dc) { return ::GetMapMode(ToHandle<HDC>(dc)); }

int Win32Gdi::SetMapMode(GdiDc dc, int mode) { return ::SetMapMode(ToHandle<HDC>(dc), mode); }

bool Win32Gdi::DPtoLP(GdiDc dc, int* x, int* y) {
  POINT point{*x, *y};
  if (!::DPtoLP(ToHandle<HDC>(dc), &point, 1)) return false;
  *x = point.x;
  *y = point.y;
  return true;
}

bool ModuleBitmapResources::FindBitmap(const char* name, const uint8_t** data, size_t* size) {
  const HMODULE module = module_ ? module_ : ::GetModuleHandleA(nullptr);
  const HRSRC resource = ::FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (!resource) return false;
  const HGLOBAL loaded = ::LoadResource(module, resource);
  const DWORD bytes = ::SizeofResource(module, resource);
  const void* locked = loaded ? ::LockResource(loaded) : nullptr;
  if (!locked || bytes == 0) return false;
  *data = static_cast<const uint8_t*>(locked);
  *size = bytes;
  return true;
}

Gdi& SystemGdi() {
  static Win32Gdi gdi;
  return gdi;
}

BitmapResources& ProgramBitmaps() {
  static ModuleBitmapResources resources;
  return resources;
}

}  // namespace tessaly

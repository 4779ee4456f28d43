#include "presentation/win32/resource_bitmaps.h"

#include "base/win32/handles.h"
#include "presentation/display_probe.h"
#include "presentation/win32/win32_gdi.h"

namespace tessaly {

HBITMAP LoadDibResource(LPCSTR name, HPALETTE& palette) {
  GdiObject made = 0;
  const GdiObject bitmap = LoadDibResource(SystemGdi(), ProgramBitmaps(), name, made);
  if (bitmap) palette = ToHandle<HPALETTE>(made);
  return ToHandle<HBITMAP>(bitmap);
}

HBITMAP CreateDeviceBitmap(uintptr_t palette, UINT id) {
  return ToHandle<HBITMAP>(
      CreateDeviceBitmap(SystemGdi(), ProgramBitmaps(), palette, static_cast<uint16_t>(id)));
}

void DrawResourceBitmap(UINT id, HWND window, PaletteMode paletteMode, int x, int y, int cx,
                        int cy, int xSrc, int ySrc) {
  DrawResourceBitmap(SystemGdi(), ProgramBitmaps(), static_cast<uint16_t>(id),
                     FromHandle(window), paletteMode, x, y, cx, cy, xSrc, ySrc);
}

void ReadDisplayAttributes(int32_t& bitsPerPixel, int32_t& paletteDevice, int32_t& largeFonts) {
  ReadDisplayAttributes(SystemGdi(), bitsPerPixel, paletteDevice, largeFonts);
}

uintptr_t BuildApplicationPalette(bool paletteDevice) {
  return BuildApplicationPalette(SystemGdi(), ProgramBitmaps(), paletteDevice);
}

}  // namespace tessaly

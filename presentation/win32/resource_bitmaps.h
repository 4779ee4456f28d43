// The program's pictures on the real display: bitmaps and palettes from its
// bitmap resources, the display probe and the application palette. Each
// works through SystemGdi() and ProgramBitmaps(); the logic lives in
// presentation/bitmap_resource.h and presentation/display_probe.h.
#pragma once

#include <windows.h>

#include "presentation/bitmap_resource.h"

namespace tessaly {

// The device bitmap of the resource name (text or MAKEINTRESOURCE number),
// with its palette (null above 8 bits) through palette; both owned by the
// caller. Null, with palette untouched, when there is no sound such resource.
HBITMAP LoadDibResource(LPCSTR name, HPALETTE& palette);

// The device bitmap of resource id under the application palette (0 for
// none); null when there is no such resource. Owned by the caller.
HBITMAP CreateDeviceBitmap(uintptr_t palette, UINT id);

// Draws resource id into window at (x, y); cx, cy of 0: the bitmap's size.
void DrawResourceBitmap(UINT id, HWND window, PaletteMode paletteMode, int x, int y, int cx,
                        int cy, int xSrc, int ySrc);

// Fills the three display attributes from the display's capabilities.
void ReadDisplayAttributes(int32_t& bitsPerPixel, int32_t& paletteDevice, int32_t& largeFonts);

// The application palette: that of bitmap IDB_BACKGROUND_SMALL_256 on a
// palette device, else 0.
uintptr_t BuildApplicationPalette(bool paletteDevice);

}  // namespace tessaly

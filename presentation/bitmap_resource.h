// Device bitmaps and palettes made from the program's bitmap resources, and
// the application palette.
#pragma once

#include <stdint.h>

#include "presentation/bitmap_resources.h"
#include "presentation/gdi.h"

namespace tessaly {

// How DrawResourceBitmap selects the bitmap's own palette.
enum class PaletteMode : int {
  None = 0,        // no palette is selected
  Background = 1,  // selected as a background palette
};

// LoadDibResource: the device bitmap of the resource name (a text or a
// ResourceNumber), with its colours realised through the bitmap's own palette
// in the screen DC. On success the palette (0 for bitmaps of more than 8 bits)
// goes to palette; the caller owns both. Gives 0 and leaves palette untouched
// when there is no such resource, it is not a sound packed DIB, or the
// bitmap cannot be made.
GdiObject LoadDibResource(Gdi& gdi, BitmapResources& resources, const char* name,
                          GdiObject& palette);

// CreateDeviceBitmap: the device bitmap of resource id under the application
// palette (selected, not realised, in the screen DC when there is one; 0 for
// none); 0 when there is no such resource. The caller owns the bitmap.
GdiObject CreateDeviceBitmap(Gdi& gdi, BitmapResources& resources, GdiObject palette,
                             uint16_t id);

// DrawResourceBitmap: draws resource id into window at (x, y), from (xSrc,
// ySrc) of the bitmap; a cx or cy of 0 means the bitmap's own width or
// height. Draws nothing when the resource is missing. Everything it makes is
// deleted before it returns.
void DrawResourceBitmap(Gdi& gdi, BitmapResources& resources, uint16_t id, WindowHandle window,
                        PaletteMode paletteMode, int x, int y, int cx, int cy, int xSrc,
                        int ySrc);

// The application palette (the start-up step BuildPalette): on a palette
// device, the palette of bitmap IDB_BACKGROUND_SMALL_256 (the bitmap itself
// is deleted at once); otherwise, or when it cannot be made, 0. The caller
// keeps it until the program ends.
GdiObject BuildApplicationPalette(Gdi& gdi, BitmapResources& resources, bool paletteDevice);

}  // namespace tessaly

// What kind of display the program runs on.
#pragma once

#include <stdint.h>

#include "presentation/gdi.h"

namespace tessaly {

// The display attributes decided from the display's device capabilities:
// bitsPerPixel = bits per pixel times planes; paletteDevice = 1 exactly when
// that is 8; largeFonts = 1 when the logical resolution is above 96 dpi.
void DecideDisplay(int bitsPixel, int planes, int logPixelsX, int32_t& bitsPerPixel,
                   int32_t& paletteDevice, int32_t& largeFonts);

// The start-up step ProbeDisplay: reads the capabilities from the display's information context
// and decides the three attributes. When no context can be had, all three
// are 0: a display of unknown depth gets the 16-colour pictures.
void ReadDisplayAttributes(Gdi& gdi, int32_t& bitsPerPixel, int32_t& paletteDevice,
                           int32_t& largeFonts);

}  // namespace tessaly

#include "presentation/display_probe.h"

namespace tessaly {

void DecideDisplay(int bitsPixel, int planes, int logPixelsX, int32_t& bitsPerPixel,
                   int32_t& paletteDevice, int32_t& largeFonts) {
  bitsPerPixel = bitsPixel * planes;
  paletteDevice = bitsPerPixel == 8 ? 1 : 0;
  largeFonts = logPixelsX > 96 ? 1 : 0;
}

void ReadDisplayAttributes(Gdi& gdi, int32_t& bitsPerPixel, int32_t& paletteDevice,
                  int32_t& largeFonts) {
  const GdiDc ic = gdi.CreateDisplayIC();
  if (!ic) {
    DecideDisplay(0, 0, 0, bitsPerPixel, paletteDevice, largeFonts);
    return;
  }
  const int bitsPixel = gdi.GetDeviceCaps(ic, kBitsPixel);
  const int planes = gdi.GetDeviceCaps(ic, kPlanes);
  const int logPixelsX = gdi.GetDeviceCaps(ic, kLogPixelsX);
  gdi.DeleteDC(ic);
  DecideDisplay(bitsPixel, planes, logPixelsX, bitsPerPixel, paletteDevice, largeFonts);
}

}  // namespace tessaly

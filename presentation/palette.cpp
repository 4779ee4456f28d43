#include "presentation/palette.h"

#include <string.h>

namespace tessaly {

uint32_t FillDibPalette(const DibInfo& dib, LogPalette* out) {
  memset(out, 0, sizeof(*out));
  out->version = kPaletteVersion;
  const uint32_t count = dib.colourTable ? dib.colourCount : 0;
  if (count > sizeof(out->entries) / sizeof(out->entries[0])) return 0;
  out->numEntries = static_cast<uint16_t>(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* quad = dib.colourTable + 4 * i;  // blue, green, red, reserved
    out->entries[i] = PaletteEntry{quad[2], quad[1], quad[0], 0};
  }
  return count;
}

GdiObject CreateDibPalette(Gdi& gdi, const DibInfo& dib, uint32_t& count) {
  count = dib.colourCount;
  if (count == 0) return 0;
  LogPalette palette;
  if (FillDibPalette(dib, &palette) == 0) return 0;
  return gdi.CreatePalette(palette);
}

}  // namespace tessaly

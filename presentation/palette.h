// Logical palettes made from a bitmap's colour table.
#pragma once

#include <stdint.h>

#include "presentation/dib.h"
#include "presentation/gdi.h"

namespace tessaly {

constexpr uint16_t kPaletteVersion = 0x300;

// Fills *out with one entry per colour-table entry of dib (blue-green-red
// turned into red-green-blue, flags 0), version 0x300, and returns the count;
// the unused entries are zero. A DIB without a colour table gives 0.
uint32_t FillDibPalette(const DibInfo& dib, LogPalette* out);

// CreateDibPalette: the palette of dib's colour table, or 0 when it has none
// or the palette cannot be created. The number of colour-table entries goes
// to count either way. The caller owns the palette.
GdiObject CreateDibPalette(Gdi& gdi, const DibInfo& dib, uint32_t& count);

}  // namespace tessaly

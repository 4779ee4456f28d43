// Builds packed DIBs (BITMAPINFOHEADER, colour table, pixel rows) for tests,
// and writes them as .bmp files.
#pragma once

#include <stdint.h>

#include <vector>

#include "presentation/gdi.h"

namespace tessaly {

struct DibLayout {
  int width = 1;
  int height = 1;  // negative: top-down rows
  uint16_t bitCount = 8;
  uint32_t clrUsed = 0;          // biClrUsed as written in the header
  uint32_t compression = 0;      // BI_RGB
  uint16_t planes = 1;
  uint32_t headerSize = 40;      // biSize; bytes past 40 are zero
  std::vector<ColourRef> table;  // colour table, padded with black to 2^bitCount
  // One value per pixel, top row first: a colour-table index for 8 bits or
  // fewer, a ColourRef above.
  std::vector<uint32_t> pixels;
};

inline void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  PutU16(out, at, v & 0xFFFF);
  PutU16(out, at + 2, v >> 16);
}

inline std::vector<uint8_t> BuildDib(const DibLayout& layout) {
  const uint32_t entries = layout.bitCount <= 8 ? (1u << layout.bitCount) : 0;
  const int rows = layout.height < 0 ? -layout.height : layout.height;
  const size_t rowBytes = (static_cast<size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
  const size_t pixelOffset = layout.headerSize + 4 * entries;
  std::vector<uint8_t> out(pixelOffset + rowBytes * rows, 0);
  PutU32(out, 0, layout.headerSize);
  PutU32(out, 4, static_cast<uint32_t>(layout.width));
  PutU32(out, 8, static_cast<uint32_t>(layout.height));
  PutU16(out, 12, layout.planes);
  PutU16(out, 14, layout.bitCount);
  PutU32(out, 16, layout.compression);
  PutU32(out, 20, static_cast<uint32_t>(rowBytes * rows));
  PutU32(out, 32, layout.clrUsed);
  for (uint32_t i = 0; i < entries && i < layout.table.size(); ++i) {
    const ColourRef c = layout.table[i];
    out[layout.headerSize + 4 * i] = static_cast<uint8_t>(c >> 16);     // blue
    out[layout.headerSize + 4 * i + 1] = static_cast<uint8_t>(c >> 8);  // green
    out[layout.headerSize + 4 * i + 2] = static_cast<uint8_t>(c);       // red
  }
  for (int y = 0; y < rows; ++y) {
    const int row = layout.height < 0 ? y : rows - 1 - y;  // file row of picture row y
    uint8_t* p = out.data() + pixelOffset + rowBytes * row;
    for (int x = 0; x < layout.width; ++x) {
      const size_t i = static_cast<size_t>(y) * layout.width + x;
      const uint32_t v = i < layout.pixels.size() ? layout.pixels[i] : 0;
      switch (layout.bitCount) {
        case 1: p[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8)); break;
        case 4: p[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: p[x] = static_cast<uint8_t>(v); break;
        case 16: PutU16(out, p - out.data() + 2 * x, v); break;
        case 24:
          p[3 * x] = static_cast<uint8_t>(v >> 16);
          p[3 * x + 1] = static_cast<uint8_t>(v >> 8);
          p[3 * x + 2] = static_cast<uint8_t>(v);
          break;
        default:
          p[4 * x] = static_cast<uint8_t>(v >> 16);
          p[4 * x + 1] = static_cast<uint8_t>(v >> 8);
          p[4 * x + 2] = static_cast<uint8_t>(v);
          break;
      }
    }
  }
  return out;
}

}  // namespace tessaly

// Packed device-independent bitmaps as the program's bitmap resources hold
// them: a BITMAPINFOHEADER, the colour table, then the pixel rows. ParseDib
// checks every size against the bytes actually present, so that nothing is
// ever read past the end of a damaged or truncated resource.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace tessaly {

constexpr uint32_t kBitmapInfoHeaderSize = 40;

// A validated packed DIB; every pointer points into the caller's bytes.
struct DibInfo {
  const uint8_t* header;       // the BITMAPINFOHEADER (and BITMAPINFO)
  uint32_t headerSize;         // biSize
  int32_t width;               // biWidth, > 0
  int32_t height;              // biHeight; negative for top-down rows
  uint16_t bitCount;           // biBitCount: 1, 4, 8, 16, 24 or 32
  uint32_t colourCount;        // colour-table entries (DibColourCount)
  const uint8_t* colourTable;  // RGBQUADs (blue, green, red, 0); null when none
  const uint8_t* pixels;       // first pixel row
  size_t pixelOffset;          // headerSize + 4 * colourCount
  size_t rowBytes;             // bytes per row, padded to 4
  size_t pixelBytes;           // rowBytes * |height|
};

// Entries of the colour table: 2 to the power bitCount for 8 bits or fewer,
// otherwise none. biClrUsed is not consulted.
uint32_t DibColourCount(uint16_t bitCount);

// Reads and checks the DIB in data[0, size). False, with *out untouched, when
// the header is short or unsupported (not BI_RGB, one plane and 1, 4, 8, 16,
// 24 or 32 bits), the size is empty, or the colour table or the pixel rows
// would run past size.
bool ParseDib(const uint8_t* data, size_t size, DibInfo* out);

}  // namespace tessaly

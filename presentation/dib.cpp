#include "presentation/dib.h"

#include "base/little_endian.h"

namespace tessaly {
namespace {

constexpr uint32_t kBiRgb = 0;

bool IsSupportedBitCount(uint16_t bitCount) {
  switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
      return true;
    default:
      return false;
  }
}

}  // namespace

uint32_t DibColourCount(uint16_t bitCount) {
  return bitCount <= 8 ? (1u << bitCount) : 0u;
}

bool ParseDib(const uint8_t* data, size_t size, DibInfo* out) {
  if (!data || !out || size < kBitmapInfoHeaderSize) return false;
  DibInfo dib{};
  dib.header = data;
  dib.headerSize = ReadLe32(data);
  dib.width = static_cast<int32_t>(ReadLe32(data + 4));
  dib.height = static_cast<int32_t>(ReadLe32(data + 8));
  const uint16_t planes = ReadLe16(data + 12);
  dib.bitCount = ReadLe16(data + 14);
  const uint32_t compression = ReadLe32(data + 16);

  if (dib.headerSize < kBitmapInfoHeaderSize || dib.headerSize > size) return false;
  if (planes != 1 || compression != kBiRgb || !IsSupportedBitCount(dib.bitCount)) return false;
  if (dib.width <= 0 || dib.height == 0 || dib.height == INT32_MIN) return false;

  dib.colourCount = DibColourCount(dib.bitCount);
  const uint64_t pixelOffset = static_cast<uint64_t>(dib.headerSize) + 4ull * dib.colourCount;
  if (pixelOffset > size) return false;

  const uint64_t rowBytes = (static_cast<uint64_t>(dib.width) * dib.bitCount + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(dib.height < 0 ? -static_cast<int64_t>(dib.height)
                                                             : dib.height);
  const uint64_t pixelBytes = rowBytes * rows;  // at most 2^35 * 2^31: no overflow
  if (pixelBytes > size - pixelOffset) return false;

  dib.colourTable = dib.colourCount ? data + dib.headerSize : nullptr;
  dib.pixelOffset = static_cast<size_t>(pixelOffset);
  dib.pixels = data + dib.pixelOffset;
  dib.rowBytes = static_cast<size_t>(rowBytes);
  dib.pixelBytes = static_cast<size_t>(pixelBytes);
  *out = dib;
  return true;
}

}  // namespace tessaly

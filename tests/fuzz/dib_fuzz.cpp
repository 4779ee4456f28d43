// Packed DIBs from the program's bitmap resources: the header checks, the
// colour table turned into a palette, and the resource-bitmap paths over the
// software raster. Every byte the parsed record points at is read, so that a
// record reaching past the resource shows as an out-of-bounds read.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "base/app_state.h"
#include "fakes/fake_bitmap_resources.h"
#include "fakes/software_gdi.h"
#include "fuzz_input.h"
#include "presentation/bitmap_resource.h"
#include "presentation/dib.h"
#include "presentation/palette.h"
#include "res/resource.h"

namespace tessaly {
namespace {

// Bitmaps above this many pixels are only parsed, not drawn: the software
// raster keeps four bytes per pixel.
constexpr uint64_t kDrawnPixels = 1u << 20;

void CheckRecord(const uint8_t* data, size_t size, const DibInfo& dib) {
  FUZZ_CHECK(dib.header == data);
  FUZZ_CHECK(dib.width > 0 && dib.height != 0);
  FUZZ_CHECK(dib.bitCount == 1 || dib.bitCount == 4 || dib.bitCount == 8 || dib.bitCount == 16 ||
             dib.bitCount == 24 || dib.bitCount == 32);
  FUZZ_CHECK(dib.colourCount == DibColourCount(dib.bitCount));
  FUZZ_CHECK(dib.headerSize >= kBitmapInfoHeaderSize);
  FUZZ_CHECK(dib.pixelOffset == dib.headerSize + 4ull * dib.colourCount);
  FUZZ_CHECK(dib.pixels == data + dib.pixelOffset);
  FUZZ_CHECK(dib.rowBytes % 4 == 0 &&
             dib.rowBytes * 8 >= static_cast<uint64_t>(dib.width) * dib.bitCount);
  const uint64_t rows = dib.height < 0 ? -static_cast<int64_t>(dib.height) : dib.height;
  FUZZ_CHECK(dib.pixelBytes == dib.rowBytes * rows);
  FUZZ_CHECK(dib.pixelOffset <= size && dib.pixelBytes <= size - dib.pixelOffset);

  volatile uint8_t sink = 0;
  for (size_t i = 0; i < dib.pixelBytes; ++i) sink = sink + dib.pixels[i];
  if (dib.colourTable) {
    FUZZ_CHECK(dib.colourTable == data + dib.headerSize);
    for (size_t i = 0; i < 4u * dib.colourCount; ++i) sink = sink + dib.colourTable[i];
  } else {
    FUZZ_CHECK(dib.colourCount == 0);
  }
}

void CheckPalette(const DibInfo& dib) {
  LogPalette palette;
  const uint32_t count = FillDibPalette(dib, &palette);
  FUZZ_CHECK(count == dib.colourCount);
  FUZZ_CHECK(palette.version == kPaletteVersion && palette.numEntries == count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* quad = dib.colourTable + 4 * i;
    FUZZ_CHECK(palette.entries[i].red == quad[2] && palette.entries[i].green == quad[1] &&
               palette.entries[i].blue == quad[0] && palette.entries[i].flags == 0);
  }
}

// The resource paths: loading, the application palette and drawing must
// leave no DC or object behind and misuse no handle.
void CheckResourcePaths(const uint8_t* data, size_t size, const DibInfo& dib, uint8_t mode) {
  const uint16_t id = IDB_BACKGROUND_SMALL_256;
  FakeBitmapResources resources;
  resources.byNumber[id] = std::vector<uint8_t>(data, data + size);
  SoftwareGdi gdi;

  GdiObject palette = 0;
  const GdiObject bitmap = LoadDibResource(gdi, resources, ResourceNumber(id), palette);
  FUZZ_CHECK(bitmap != 0);
  FUZZ_CHECK((palette != 0) == (dib.colourCount != 0));
  int width = 0, height = 0;
  FUZZ_CHECK(gdi.GetBitmapSize(bitmap, &width, &height));
  FUZZ_CHECK(width == dib.width && height == (dib.height < 0 ? -dib.height : dib.height));
  gdi.DeleteObject(bitmap);
  if (palette) gdi.DeleteObject(palette);

  AppState app;
  app.display.paletteDevice = 1;
  app.palette = BuildApplicationPalette(gdi, resources, app.IsPaletteDevice());
  FUZZ_CHECK((app.palette != 0) == (dib.colourCount != 0));
  if (app.palette) gdi.DeleteObject(app.palette);

  DrawResourceBitmap(gdi, resources, id, /*window=*/1, static_cast<PaletteMode>(mode % 2), 0, 0, 0,
                     0, 0, 0);
  FUZZ_CHECK(gdi.problems.empty());
  FUZZ_CHECK(gdi.LiveDcs() == 0);
  FUZZ_CHECK(gdi.LiveObjects() == 0);
}

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  DibInfo dib;
  DibInfo untouched;
  memset(&dib, 0xA5, sizeof dib);
  memcpy(&untouched, &dib, sizeof dib);
  if (!ParseDib(data, size, &dib)) {
    FUZZ_CHECK(memcmp(&dib, &untouched, sizeof dib) == 0);  // *out untouched on failure
    return 0;
  }
  CheckRecord(data, size, dib);
  CheckPalette(dib);
  const uint64_t rows = dib.height < 0 ? -static_cast<int64_t>(dib.height) : dib.height;
  if (static_cast<uint64_t>(dib.width) * rows <= kDrawnPixels)
    CheckResourcePaths(data, size, dib, size > 0 ? data[size - 1] : 0);
  return 0;
}

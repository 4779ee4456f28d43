#include "presentation/bitmap_resource.h"

#include "presentation/dib.h"
#include "presentation/gdi_guards.h"
#include "presentation/palette.h"
#include "res/resource.h"

namespace tessaly {
namespace {

bool FindDib(BitmapResources& resources, const char* name, DibInfo* dib) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  return resources.FindBitmap(name, &data, &size) && ParseDib(data, size, dib);
}

}  // namespace

GdiObject LoadDibResource(Gdi& gdi, BitmapResources& resources, const char* name,
                          GdiObject& palette) {
  DibInfo dib;
  if (!FindDib(resources, name, &dib)) return 0;
  uint32_t count = 0;
  ScopedGdiObject ownPalette(gdi, CreateDibPalette(gdi, dib, count));
  GdiObject bitmap = 0;
  {
    // The palette goes back out of the screen DC before the DC is released;
    // the bitmap keeps the colours it was made with.
    ScopedWindowDc screen(gdi, 0);
    ScopedPalette selected(gdi, screen.get(), ownPalette.get(), false, true);
    bitmap = gdi.CreateDIBitmap(screen.get(), dib);
  }
  if (!bitmap) return 0;  // the palette is deleted with it
  palette = ownPalette.release();
  return bitmap;
}

GdiObject CreateDeviceBitmap(Gdi& gdi, BitmapResources& resources, GdiObject palette,
                             uint16_t id) {
  DibInfo dib;
  if (!FindDib(resources, ResourceNumber(id), &dib)) return 0;
  ScopedWindowDc screen(gdi, 0);
  ScopedPalette selected(gdi, screen.get(), palette, false, false);
  return gdi.CreateDIBitmap(screen.get(), dib);
}

void DrawResourceBitmap(Gdi& gdi, BitmapResources& resources, uint16_t id, WindowHandle window,
                        PaletteMode paletteMode, int x, int y, int cx, int cy, int xSrc,
                        int ySrc) {
  GdiObject paletteHandle = 0;
  const GdiObject bitmapHandle = LoadDibResource(gdi, resources, ResourceNumber(id), paletteHandle);
  if (!bitmapHandle) return;
  // Declared first so that they are deleted last, after every DC let go.
  ScopedGdiObject palette(gdi, paletteHandle);
  ScopedGdiObject bitmap(gdi, bitmapHandle);

  int width = 0;
  int height = 0;
  gdi.GetBitmapSize(bitmap.get(), &width, &height);

  ScopedWindowDc windowDc(gdi, window);
  if (!windowDc.get()) return;
  ScopedMemoryDc memoryDc(gdi, windowDc.get());
  if (!memoryDc.get()) return;

  const GdiObject selectedPalette = paletteMode == PaletteMode::None ? 0 : palette.get();
  const bool background = paletteMode == PaletteMode::Background;
  ScopedPalette windowPalette(gdi, windowDc.get(), selectedPalette, background, true);
  ScopedPalette memoryPalette(gdi, memoryDc.get(), selectedPalette, background, true);

  ScopedSelection selection(gdi, memoryDc.get(), bitmap.get());
  if (!selection) return;
  gdi.BitBlt(windowDc.get(), x, y, cx ? cx : width, cy ? cy : height, memoryDc.get(), xSrc, ySrc,
             kSrcCopy);
}

GdiObject BuildApplicationPalette(Gdi& gdi, BitmapResources& resources, bool paletteDevice) {
  if (!paletteDevice) return 0;
  GdiObject palette = 0;
  const GdiObject bitmap =
      LoadDibResource(gdi, resources, ResourceNumber(IDB_BACKGROUND_SMALL_256), palette);
  if (!bitmap) return 0;
  gdi.DeleteObject(bitmap);
  return palette;
}

}  // namespace tessaly

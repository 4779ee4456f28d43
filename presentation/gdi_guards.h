// The program's scope guards for device contexts and GDI objects: each gives
// back, on every way out of its scope, what one platform call took, through
// the Gdi interface (the real GDI in the Win32 build, the software raster in
// the unit tests). Declare them in the order of acquisition; they are undone
// in the reverse order. The paint cycle's guard is beside the real GDI
// (presentation/win32/win32_gdi.h); registry keys have ScopedRegistryKey
// (base/registry.h).
//
//   ScopedWindowDc   GetDC / ReleaseDC
//   ScopedMemoryDc   CreateCompatibleDC / DeleteDC
//   ScopedGdiObject  a created object / DeleteObject
//   ScopedSelection  SelectObject / SelectObject of the replaced object
//   ScopedPalette    SelectPalette / SelectPalette of the replaced palette
//
// Each is empty when default-constructed, so that arrays of them can be
// filled one by one.
#pragma once

#include "base/scoped.h"
#include "presentation/gdi.h"

namespace tessaly {

// What every release goes through; 0 is no handle.
struct GdiTraits {
  Gdi* gdi = nullptr;
  static uintptr_t None() { return 0; }
  bool Valid(uintptr_t handle) const { return handle != 0; }
};

struct ReleaseDcTraits : GdiTraits {
  WindowHandle window = 0;
  void Close(GdiDc dc) const { gdi->ReleaseDC(window, dc); }
};
class ScopedWindowDc : public ScopedOwner<GdiDc, ReleaseDcTraits> {
 public:
  ScopedWindowDc() = default;
  ScopedWindowDc(Gdi& gdi, WindowHandle window)
      : ScopedOwner(gdi.GetDC(window), ReleaseDcTraits{{&gdi}, window}) {}
};

struct DeleteDcTraits : GdiTraits {
  void Close(GdiDc dc) const { gdi->DeleteDC(dc); }
};
class ScopedMemoryDc : public ScopedOwner<GdiDc, DeleteDcTraits> {
 public:
  ScopedMemoryDc() = default;
  ScopedMemoryDc(Gdi& gdi, GdiDc compatibleWith)
      : ScopedOwner(gdi.CreateCompatibleDC(compatibleWith), DeleteDcTraits{{&gdi}}) {}
};

struct DeleteObjectTraits : GdiTraits {
  void Close(GdiObject object) const { gdi->DeleteObject(object); }
};
class ScopedGdiObject : public ScopedOwner<GdiObject, DeleteObjectTraits> {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(Gdi& gdi, GdiObject object = 0)
      : ScopedOwner(object, DeleteObjectTraits{{&gdi}}) {}
};

// False when nothing was selected (no DC, no object, or the call failed).
struct SelectBackTraits : GdiTraits {
  GdiDc dc = 0;
  void Close(GdiObject replaced) const { gdi->SelectObject(dc, replaced); }
};
class ScopedSelection : public ScopedOwner<GdiObject, SelectBackTraits> {
 public:
  ScopedSelection() = default;
  ScopedSelection(Gdi& gdi, GdiDc dc, GdiObject object)
      : ScopedOwner(dc && object ? gdi.SelectObject(dc, object) : 0, SelectBackTraits{{&gdi}, dc}) {}
};

// Optionally realised; the replaced palette goes back as a background
// palette, so that putting it back never takes the foreground. Does nothing
// for a null palette.
struct PaletteBackTraits : GdiTraits {
  GdiDc dc = 0;
  void Close(GdiObject replaced) const { gdi->SelectPalette(dc, replaced, true); }
};
class ScopedPalette : public ScopedOwner<GdiObject, PaletteBackTraits> {
 public:
  ScopedPalette(Gdi& gdi, GdiDc dc, GdiObject palette, bool background, bool realize)
      : ScopedOwner(dc && palette ? gdi.SelectPalette(dc, palette, background) : 0,
                    PaletteBackTraits{{&gdi}, dc}) {
    if (*this && realize) gdi.RealizePalette(dc);
  }
};

}  // namespace tessaly

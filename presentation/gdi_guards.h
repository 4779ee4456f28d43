// Scope guards over the Gdi interface, each a ScopedOwner whose traits carry
// the Gdi and what else the release needs: each gives back what it took when
// it goes out of scope, so that every return path releases its DCs, objects
// and selections. Declare them in the order of acquisition; they are undone
// in the reverse order.
#pragma once

#include "base/scoped.h"
#include "presentation/gdi.h"

namespace tessaly {

// Traits of the handles below: 0 is none; Gdi is the interface to release
// through.
struct GdiTraitsBase {
  Gdi* gdi = nullptr;
  static uintptr_t None() { return 0; }
  bool Valid(uintptr_t handle) const { return handle != 0; }
};

// A window's DC: ReleaseDC(window, dc).
struct GdiReleaseDcTraits : GdiTraitsBase {
  WindowHandle window = 0;
  void Close(GdiDc dc) const { gdi->ReleaseDC(window, dc); }
};

// A memory DC: DeleteDC.
struct GdiDeleteDcTraits : GdiTraitsBase {
  void Close(GdiDc dc) const { gdi->DeleteDC(dc); }
};

// An owned GDI object: DeleteObject.
struct GdiDeleteObjectTraits : GdiTraitsBase {
  void Close(GdiObject object) const { gdi->DeleteObject(object); }
};

// The object a selection replaced, selected back into its DC.
struct GdiSelectBackTraits : GdiTraitsBase {
  GdiDc dc = 0;
  void Close(GdiObject replaced) const { gdi->SelectObject(dc, replaced); }
};

// The palette a selection replaced, selected back into its DC as a
// background palette, so that putting it back never takes the foreground.
struct GdiPaletteBackTraits : GdiTraitsBase {
  GdiDc dc = 0;
  void Close(GdiObject replaced) const { gdi->SelectPalette(dc, replaced, true); }
};

// GetDC / ReleaseDC.
class ScopedWindowDc : public ScopedOwner<GdiDc, GdiReleaseDcTraits> {
 public:
  ScopedWindowDc(Gdi& gdi, WindowHandle window)
      : ScopedOwner(gdi.GetDC(window), GdiReleaseDcTraits{{&gdi}, window}) {}
};

// CreateCompatibleDC / DeleteDC.
class ScopedMemoryDc : public ScopedOwner<GdiDc, GdiDeleteDcTraits> {
 public:
  ScopedMemoryDc(Gdi& gdi, GdiDc compatibleWith)
      : ScopedOwner(gdi.CreateCompatibleDC(compatibleWith), GdiDeleteDcTraits{{&gdi}}) {}
};

// An owned GDI object, deleted with DeleteObject unless released.
class ScopedGdiObject : public ScopedOwner<GdiObject, GdiDeleteObjectTraits> {
 public:
  ScopedGdiObject(Gdi& gdi, GdiObject object) : ScopedOwner(object, GdiDeleteObjectTraits{{&gdi}}) {}
};

// SelectObject, with the replaced object selected back at the end; false
// when nothing was selected.
class ScopedSelection : public ScopedOwner<GdiObject, GdiSelectBackTraits> {
 public:
  ScopedSelection(Gdi& gdi, GdiDc dc, GdiObject object)
      : ScopedOwner(dc && object ? gdi.SelectObject(dc, object) : 0, GdiSelectBackTraits{{&gdi}, dc}) {}
};

// SelectPalette, optionally realised, with the replaced palette selected back
// at the end. Does nothing for a null palette.
class ScopedPalette : public ScopedOwner<GdiObject, GdiPaletteBackTraits> {
 public:
  ScopedPalette(Gdi& gdi, GdiDc dc, GdiObject palette, bool background, bool realize)
      : ScopedOwner(dc && palette ? gdi.SelectPalette(dc, palette, background) : 0,
                    GdiPaletteBackTraits{{&gdi}, dc}) {
    if (*this && realize) gdi.RealizePalette(dc);
  }
};

}  // namespace tessaly

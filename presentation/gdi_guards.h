// Scope guards over the Gdi interface: each gives back what it took when it
// goes out of scope, so that every return path releases its DCs, objects and
// selections. Declare them in the order of acquisition; they are undone in
// the reverse order.
#pragma once

#include "presentation/gdi.h"

namespace tessaly {

// GetDC / ReleaseDC.
class ScopedWindowDc {
 public:
  ScopedWindowDc(Gdi& gdi, WindowHandle window) : gdi_(gdi), window_(window), dc_(gdi.GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) gdi_.ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  GdiDc get() const { return dc_; }

 private:
  Gdi& gdi_;
  WindowHandle window_;
  GdiDc dc_;
};

// CreateCompatibleDC / DeleteDC.
class ScopedMemoryDc {
 public:
  ScopedMemoryDc(Gdi& gdi, GdiDc compatibleWith) : gdi_(gdi), dc_(gdi.CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemoryDc() {
    if (dc_) gdi_.DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  GdiDc get() const { return dc_; }

 private:
  Gdi& gdi_;
  GdiDc dc_;
};

// An owned GDI object, deleted with DeleteObject unless released.
class ScopedGdiObject {
 public:
  ScopedGdiObject(Gdi& gdi, GdiObject object) : gdi_(gdi), object_(object) {}
  ~ScopedGdiObject() {
    if (object_) gdi_.DeleteObject(object_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  GdiObject get() const { return object_; }
  GdiObject release() {
    const GdiObject object = object_;
    object_ = 0;
    return object;
  }

 private:
  Gdi& gdi_;
  GdiObject object_;
};

// SelectObject, with the replaced object selected back at the end.
class ScopedSelection {
 public:
  ScopedSelection(Gdi& gdi, GdiDc dc, GdiObject object)
      : gdi_(gdi), dc_(dc), replaced_(dc && object ? gdi.SelectObject(dc, object) : 0) {}
  ~ScopedSelection() {
    if (replaced_) gdi_.SelectObject(dc_, replaced_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  bool ok() const { return replaced_ != 0; }

 private:
  Gdi& gdi_;
  GdiDc dc_;
  GdiObject replaced_;
};

// SelectPalette, optionally realised, with the replaced palette selected back
// at the end (as a background palette, so that putting it back never takes
// the foreground). Does nothing for a null palette.
class ScopedPalette {
 public:
  ScopedPalette(Gdi& gdi, GdiDc dc, GdiObject palette, bool background, bool realize)
      : gdi_(gdi), dc_(dc), replaced_(dc && palette ? gdi.SelectPalette(dc, palette, background) : 0) {
    if (replaced_ && realize) gdi_.RealizePalette(dc_);
  }
  ~ScopedPalette() {
    if (replaced_) gdi_.SelectPalette(dc_, replaced_, true);
  }
  ScopedPalette(const ScopedPalette&) = delete;
  ScopedPalette& operator=(const ScopedPalette&) = delete;

 private:
  Gdi& gdi_;
  GdiDc dc_;
  GdiObject replaced_;
};

}  // namespace tessaly

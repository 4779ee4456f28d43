// Scope guards for the window system's and GDI's handles, each a ScopedOwner
// (base/scoped.h) with the traits of its handle: each releases its handle, or
// undoes its selection, when it leaves scope, on every path.
//
//   ScopedDeleteObject<T>  DeleteObject (bitmaps, brushes, palettes, pens, fonts)
//   ScopedMemDC            CreateCompatibleDC / DeleteDC
//   ScopedHDC              GetDC / ReleaseDC
//   ScopedPaintDC          BeginPaint / EndPaint
//   ScopedSelectObject     SelectObject, and the previous object back
#pragma once

#include <windows.h>

#include "base/scoped.h"

namespace tessaly {

// Handles for which null is none.
template <class H>
struct NullIsNone {
  static H None() { return nullptr; }
  bool Valid(H handle) const { return handle != nullptr; }
};

template <class T>
struct DeleteObjectTraits : NullIsNone<T> {
  void Close(T object) const { DeleteObject(object); }
};

struct DeleteDcTraits : NullIsNone<HDC> {
  void Close(HDC dc) const { DeleteDC(dc); }
};

// The common DC of `window` (the screen's, for none).
struct ReleaseDcTraits : NullIsNone<HDC> {
  HWND window = nullptr;
  void Close(HDC dc) const { ReleaseDC(window, dc); }
};

// One paint cycle of `window`; the PAINTSTRUCT is kept for EndPaint.
struct EndPaintTraits : NullIsNone<HDC> {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
  void Close(HDC) const { EndPaint(window, &paint); }
};

// The object a selection replaced, selected back into `dc`.
struct SelectBackTraits : NullIsNone<HGDIOBJ> {
  HDC dc = nullptr;
  void Close(HGDIOBJ previous) const { SelectObject(dc, previous); }
};

template <class T>
using ScopedDeleteObject = ScopedOwner<T, DeleteObjectTraits<T>>;
using ScopedMemDC = ScopedOwner<HDC, DeleteDcTraits>;

class ScopedHDC : public ScopedOwner<HDC, ReleaseDcTraits> {
 public:
  explicit ScopedHDC(HWND window) : ScopedOwner(GetDC(window), ReleaseDcTraits{{}, window}) {}
};

// For WM_PAINT.
class ScopedPaintDC : public ScopedOwner<HDC, EndPaintTraits> {
 public:
  explicit ScopedPaintDC(HWND window) : ScopedOwner(nullptr, EndPaintTraits{{}, window, {}}) {
    reset(BeginPaint(window, &traits().paint));
  }
};

// Selects a GDI object into a DC; false when nothing was selected.
class ScopedSelectObject : public ScopedOwner<HGDIOBJ, SelectBackTraits> {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object)
      : ScopedOwner(Select(dc, object), SelectBackTraits{{}, dc}) {}

 private:
  static HGDIOBJ Select(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr) return nullptr;
    HGDIOBJ previous = SelectObject(dc, object);
    return previous == HGDI_ERROR ? nullptr : previous;
  }
};

}  // namespace tessaly

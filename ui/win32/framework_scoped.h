// Scope guards for the window system's and GDI's handles: each releases its
// handle, or undoes its selection, when it leaves scope, on every path.
//
//   ScopedHDC            GetDC / ReleaseDC
//   ScopedPaintDC        BeginPaint / EndPaint
//   ScopedMemDC          CreateCompatibleDC / DeleteDC
//   ScopedGdiObj<T>      DeleteObject (bitmaps, brushes, palettes, pens, fonts)
//   ScopedSelectObject   SelectObject, and the previous object back
//   ScopedSelectPalette  SelectPalette + RealizePalette, and the previous palette back
//   ScopedHMENU          DestroyMenu
//   ScopedIcon           DestroyIcon (icons from LoadImage, not shared ones)
//   ScopedHandle         CloseHandle
//   ScopedRegKey         RegCloseKey
#pragma once

#include <windows.h>

namespace tessaly {

// Owns one handle and releases it through Traits::Close; movable, not
// copyable.
template <class H, class Traits>
class ScopedOwner {
 public:
  ScopedOwner() = default;
  explicit ScopedOwner(H handle) : handle_(handle) {}
  ~ScopedOwner() { reset(); }

  ScopedOwner(ScopedOwner&& other) noexcept : handle_(other.release()) {}
  ScopedOwner& operator=(ScopedOwner&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ScopedOwner(const ScopedOwner&) = delete;
  ScopedOwner& operator=(const ScopedOwner&) = delete;

  H get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }

  // Gives the handle up without releasing it.
  H release() {
    H handle = handle_;
    handle_ = Traits::None();
    return handle;
  }
  // Releases the handle held and takes `handle`.
  void reset(H handle = Traits::None()) {
    if (handle_ != handle && Traits::Valid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = Traits::None();
};

template <class H, BOOL(WINAPI* CloseFn)(H)>
struct NullIsNoneTraits {
  static H None() { return nullptr; }
  static bool Valid(H handle) { return handle != nullptr; }
  static void Close(H handle) { CloseFn(handle); }
};

template <class T>
struct GdiObjectTraits {
  static T None() { return nullptr; }
  static bool Valid(T handle) { return handle != nullptr; }
  static void Close(T handle) { DeleteObject(handle); }
};

struct KernelHandleTraits {
  static HANDLE None() { return nullptr; }
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};

struct RegKeyTraits {
  static HKEY None() { return nullptr; }
  static bool Valid(HKEY key) { return key != nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

template <class T>
using ScopedGdiObj = ScopedOwner<T, GdiObjectTraits<T>>;
using ScopedMemDC = ScopedOwner<HDC, NullIsNoneTraits<HDC, DeleteDC>>;
using ScopedHMENU = ScopedOwner<HMENU, NullIsNoneTraits<HMENU, DestroyMenu>>;
using ScopedIcon = ScopedOwner<HICON, NullIsNoneTraits<HICON, DestroyIcon>>;
using ScopedHandle = ScopedOwner<HANDLE, KernelHandleTraits>;
using ScopedRegKey = ScopedOwner<HKEY, RegKeyTraits>;

// The common device context of a window (or of the screen, for no window).
class ScopedHDC {
 public:
  explicit ScopedHDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedHDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedHDC(const ScopedHDC&) = delete;
  ScopedHDC& operator=(const ScopedHDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// One paint cycle of a window, for WM_PAINT.
class ScopedPaintDC {
 public:
  explicit ScopedPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaintDC() {
    if (dc_ != nullptr) EndPaint(window_, &paint_);
  }
  ScopedPaintDC(const ScopedPaintDC&) = delete;
  ScopedPaintDC& operator=(const ScopedPaintDC&) = delete;

  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return paint_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects a GDI object into a DC and selects the previous one back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {
    if (previous_ == HGDI_ERROR) previous_ = nullptr;
  }
  ~ScopedSelectObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  // True when the object was selected.
  explicit operator bool() const { return previous_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects and realises a palette in a DC, and selects the previous palette
// back (in the background) at the end.
class ScopedSelectPalette {
 public:
  ScopedSelectPalette(HDC dc, HPALETTE palette, bool background)
      : dc_(dc),
        previous_(dc != nullptr && palette != nullptr ? SelectPalette(dc, palette, background)
                                                      : nullptr) {
    if (previous_ != nullptr) RealizePalette(dc_);
  }
  ~ScopedSelectPalette() {
    if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE);
  }
  ScopedSelectPalette(const ScopedSelectPalette&) = delete;
  ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

  explicit operator bool() const { return previous_ != nullptr; }

 private:
  HDC dc_;
  HPALETTE previous_;
};

}  // namespace tessaly

// Scope guards: one owner of a handle that gives it back when it leaves scope,
// on every way out, and one guard for the program-wide re-entry flags.
//
// ScopedOwner<H, Traits> holds one handle of kind H. The traits say which
// value means "none", which values are worth giving back, and how to give one
// back:
//
//   struct MenuTraits {
//     static HMENU None() { return nullptr; }
//     bool Valid(HMENU menu) const { return menu != nullptr; }
//     void Close(HMENU menu) const { DestroyMenu(menu); }
//   };
//
// Traits are kept by value in the owner, so they may carry what the release
// needs besides the handle: the interface it goes through (a Gdi&, a
// RegistryApi&), the window a DC came from, the DC a selection was made in.
// Header-only and free of the platform's headers.
//
// The guards built on ScopedOwner: ScopedRegistryKey (base/registry.h), the
// DC and GDI object guards over the Gdi interface (presentation/gdi_guards.h),
// and the paint cycle's (presentation/win32/win32_gdi.h).
#pragma once

#include <stdint.h>

namespace tessaly {

// Owns one handle and gives it back through Traits::Close; movable, not
// copyable.
template <class H, class Traits>
class ScopedOwner {
 public:
  ScopedOwner() : handle_(Traits::None()) {}
  explicit ScopedOwner(H handle, Traits traits = Traits()) : handle_(handle), traits_(traits) {}
  ~ScopedOwner() { reset(); }

  ScopedOwner(ScopedOwner&& other) noexcept : handle_(other.release()), traits_(other.traits_) {}
  ScopedOwner& operator=(ScopedOwner&& other) noexcept {
    if (this != &other) {
      reset(other.release());
      traits_ = other.traits_;
    }
    return *this;
  }
  ScopedOwner(const ScopedOwner&) = delete;
  ScopedOwner& operator=(const ScopedOwner&) = delete;

  H get() const { return handle_; }
  explicit operator bool() const { return traits_.Valid(handle_); }

  // Gives the handle up without releasing it.
  H release() {
    H handle = handle_;
    handle_ = Traits::None();
    return handle;
  }
  // Gives back the handle held (unless it is `handle` itself) and takes
  // `handle`.
  void reset(H handle = Traits::None()) {
    if (handle_ != handle && traits_.Valid(handle_)) traits_.Close(handle_);
    handle_ = handle;
  }

 protected:
  Traits& traits() { return traits_; }

 private:
  H handle_;
  Traits traits_;
};

// Holds one of the program-wide "running" flags for the length of a call. An
// operation that may be entered again while it runs (its own dialogs and
// message boxes pump messages: a timer tick, a tray command) takes the guard
// first and goes no further when it was not entered: the flag was set
// further up the stack. Otherwise the guard sets the flag and clears it
// again on every way out.
class ReentryGuard {
 public:
  explicit ReentryGuard(int32_t& flag) : flag_(flag), entered_(flag == 0) {
    if (entered_) flag_ = 1;
  }
  ~ReentryGuard() {
    if (entered_) flag_ = 0;
  }
  ReentryGuard(const ReentryGuard&) = delete;
  ReentryGuard& operator=(const ReentryGuard&) = delete;

  // True when this call set the flag; false when it was set already.
  bool entered() const { return entered_; }

 private:
  int32_t& flag_;
  const bool entered_;
};

}  // namespace tessaly

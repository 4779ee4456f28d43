// The one way between the program's opaque handles (WindowHandle, GdiDc,
// GdiObject, MenuHandle, IconHandle, RegistryKey: integers of pointer size, 0
// for none) and the platform's handle types:
//
//   ToHandle<HWND>(window)   an opaque handle as the platform's
//   FromHandle(hwnd)         a platform handle as an opaque one
#pragma once

#include <stdint.h>

namespace tessaly {

template <class H>
H ToHandle(uintptr_t value) {
  return reinterpret_cast<H>(value);
}

template <class H>
uintptr_t FromHandle(H handle) {
  return reinterpret_cast<uintptr_t>(handle);
}

}  // namespace tessaly

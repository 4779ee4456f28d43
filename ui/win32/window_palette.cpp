#include "ui/win32/window_palette.h"

#include "base/win32/handles.h"
#include "presentation/gdi_guards.h"
#include "presentation/win32/win32_gdi.h"

namespace tessaly {
namespace {

// Realises palette in the window's DC; the number of system palette entries
// that changed for it.
UINT RealizeInWindow(HWND window, HPALETTE palette, bool background) {
  Gdi& gdi = SystemGdi();
  ScopedWindowDc dc(gdi, FromHandle(window));
  if (!dc) return 0;
  ScopedPalette selected(gdi, dc.get(), FromHandle(palette), background, false);
  return gdi.RealizePalette(dc.get());
}

}  // namespace

bool RealiseForegroundPalette(HWND window, HPALETTE palette) {
  if (palette == nullptr) return false;
  if (RealizeInWindow(window, palette, false) != 0) InvalidateRect(window, nullptr, TRUE);
  return true;
}

bool RealiseBackgroundPalette(HWND window, HPALETTE palette, uintptr_t changer) {
  if (palette == nullptr) return false;
  if (changer != FromHandle(window)) {
    RealizeInWindow(window, palette, true);
    InvalidateRect(window, nullptr, TRUE);
  }
  return true;
}

}  // namespace tessaly

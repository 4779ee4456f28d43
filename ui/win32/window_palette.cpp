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

bool HandlePaletteMessage(HWND window, HPALETTE palette, WindowMessage& m) {
  if (palette == nullptr) return false;
  if (m.message == WM_QUERYNEWPALETTE) {
    if (RealizeInWindow(window, palette, false) != 0) InvalidateRect(window, nullptr, TRUE);
    m.result = TRUE;
    return true;
  }
  if (PaletteChanger(m) != FromHandle(window)) {
    RealizeInWindow(window, palette, true);
    InvalidateRect(window, nullptr, TRUE);
  }
  m.result = 0;
  return true;
}

}  // namespace tessaly

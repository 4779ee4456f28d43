#include "ui/win32/window_palette.h"

#include "base/win32/handles.h"
#include "ui/win32/framework_scoped.h"

namespace tessaly {
namespace {

// Realises palette in the window's DC; the number of system palette entries
// that changed for it.
UINT RealizeInWindow(HWND window, HPALETTE palette, bool background) {
  ScopedHDC dc(window);
  if (!dc) return 0;
  const HPALETTE previous = SelectPalette(dc.get(), palette, background);
  const UINT changed = RealizePalette(dc.get());
  if (previous != nullptr) SelectPalette(dc.get(), previous, TRUE);
  return changed;
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

// A window that draws with the application palette on a palette display (256
// colours) answers the two palette messages, so that it keeps its colours
// when it gets the focus and when another window changes the system palette.
#pragma once

#include <stdint.h>
#include <windows.h>

namespace tessaly {

// Both give false without a palette (any display but a palette one), for the
// default handling.

// WM_QUERYNEWPALETTE (the window gets the focus): realises palette as the
// foreground palette and redraws the window when that changed the system
// palette; true, a palette was realised.
bool RealiseForegroundPalette(HWND window, HPALETTE palette);

// WM_PALETTECHANGED: when another window (changer) changed the system
// palette, realises palette as a background palette, mapped into the entries
// left, and redraws the window; when the window itself changed it, does
// nothing, which would otherwise never end.
bool RealiseBackgroundPalette(HWND window, HPALETTE palette, uintptr_t changer);

}  // namespace tessaly

// A window that draws with the application palette on a palette display (256
// colours) answers the two palette messages, so that it keeps its colours
// when it gets the focus and when another window changes the system palette.
#pragma once

#include <windows.h>

#include "ui/message_map.h"

namespace tessaly {

// WM_QUERYNEWPALETTE (the window gets the focus): realises palette as the
// foreground palette, redraws the window when that changed the system
// palette, and answers TRUE, a palette was realised.
// WM_PALETTECHANGED: when another window changed the system palette,
// realises palette as a background palette, mapped into the entries left,
// and redraws the window; when the window itself changed it, does nothing,
// which would otherwise never end.
// Without a palette (any display but a palette one) gives false, for the
// default handling.
bool HandlePaletteMessage(HWND window, HPALETTE palette, WindowMessage& m);

}  // namespace tessaly

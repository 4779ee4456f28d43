// The window to raise when a window is brought forward: a window disabled by
// a modal box of its own (a message box it owns) is raised through that box.
#pragma once

#include <windows.h>

namespace tessaly {

// While window is disabled: its last active popup (GetLastActivePopup), or
// else a visible, enabled window that it owns on its thread. Otherwise, and
// when there is none, window itself.
HWND ForegroundTarget(HWND window);

}  // namespace tessaly

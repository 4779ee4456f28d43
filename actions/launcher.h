// Finding, raising and starting the main Vantor program.
#pragma once

#include "actions/action_context.h"

namespace tessaly {

// The main program's top-level window when it runs: the mutex
// "Vantor Is Running" can be opened AND a top-level window titled "Vantor"
// exists; otherwise 0.
WindowHandle FindRunningVantor(ActionContext& context);

// Brings the running main program forward (sending it kMsgVantorShow when
// arguments is not empty), or starts "Vantor.Exe" from the install folder or, failing
// that, from this program's own folder with the argument text. Afterwards
// hides this program's main window if it is visible. Failures are shown in a
// message box ("Error - Couldn't locate Vantor.Exe" / "Error - Couldn't run
// Vantor.Exe"), after which the main window is left as it was.
void ShowOrStartVantor(ActionContext& context, const char* arguments);

}  // namespace tessaly

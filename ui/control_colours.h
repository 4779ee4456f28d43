// How the main window colours its controls.
#pragma once

namespace tessaly {

// Control colours, by the control type (the WM_CTLCOLOR* message less
// WM_CTLCOLORMSGBOX): edit fields and list boxes keep the base brush; every
// other control and the dialog itself are drawn transparently over the
// background.
enum : int { kCtlColorEdit = 1, kCtlColorListBox = 2 };
bool KeepsBaseBrush(int controlType);

}  // namespace tessaly

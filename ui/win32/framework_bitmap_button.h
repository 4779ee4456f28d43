// An owner-drawn push button that shows one of four pictures: up, down
// (pressed), focus and disabled, chosen by ChooseButtonFace. The dialog's
// template gives the button the owner-draw style; the dialog's message map
// hands WM_DRAWITEM to DrawItem.
#pragma once

#include <windows.h>

#include "presentation/gdi_guards.h"
#include "ui/win32/framework_dialog.h"

namespace tessaly {

class CBitmapButton {
 public:
  CBitmapButton() = default;

  CBitmapButton(const CBitmapButton&) = delete;
  CBitmapButton& operator=(const CBitmapButton&) = delete;

  // Binds the button to control `id` of `dialog`. False when the dialog has
  // no such control.
  bool Attach(CDialog& dialog, UINT id);

  // Loads the faces from bitmap resources of ResourceInstance(); 0 leaves a
  // face out. False when the up face or a named face cannot be loaded. Faces
  // loaded before are freed.
  bool LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);

  // Takes over ready-made faces (for example device bitmaps made under the
  // application palette); null leaves a face out. Faces held before are freed.
  void SetBitmaps(HBITMAP up, HBITMAP down, HBITMAP focus, HBITMAP disabled);

  // Sizes the button to its up face, without moving it.
  void SizeToContent();

  HWND GetSafeHwnd() const;

  // WM_DRAWITEM: draws the item when it is this button's; true when drawn.
  bool DrawItem(const DRAWITEMSTRUCT& item);

 private:
  CDialog* dialog_ = nullptr;
  UINT id_ = 0;
  ScopedGdiObject faces_[4];  // up, down, focus, disabled
};

}  // namespace tessaly

#include "ui/win32/framework_bitmap_button.h"

#include "presentation/win32/win32_gdi.h"
#include "ui/button_face.h"

namespace tessaly {

bool CBitmapButton::Attach(CDialog& dialog, UINT id) {
  dialog_ = nullptr;
  if (dialog.GetDlgItem(static_cast<int>(id)) == nullptr) return false;
  dialog_ = &dialog;
  id_ = id;
  return true;
}

HWND CBitmapButton::GetSafeHwnd() const {
  return dialog_ != nullptr ? dialog_->GetDlgItem(static_cast<int>(id_)) : nullptr;
}

bool CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled) {
  const UINT ids[4] = {up, down, focus, disabled};
  HBITMAP loaded[4] = {};
  bool all = true;
  for (int face = 0; face < 4; ++face) {
    if (ids[face] == 0) continue;
    loaded[face] = LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(ids[face]));
    if (loaded[face] == nullptr) all = false;
  }
  SetBitmaps(loaded[0], loaded[1], loaded[2], loaded[3]);
  return all && up != 0;
}

void CBitmapButton::SetBitmaps(HBITMAP up, HBITMAP down, HBITMAP focus, HBITMAP disabled) {
  const HBITMAP faces[4] = {up, down, focus, disabled};
  for (int face = 0; face < 4; ++face)
    faces_[face] = ScopedGdiObject(SystemGdi(), FromHandle(faces[face]));
}

void CBitmapButton::SizeToContent() {
  HWND button = GetSafeHwnd();
  int width = 0, height = 0;
  if (button == nullptr || !SystemGdi().GetBitmapSize(faces_[0].get(), &width, &height)) return;
  SetWindowPos(button, nullptr, -1, -1, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
  if (dialog_ == nullptr || item.CtlID != id_ || item.CtlType != ODT_BUTTON || !faces_[0])
    return false;
  bool has[4];
  for (int face = 0; face < 4; ++face) has[face] = static_cast<bool>(faces_[face]);
  const GdiObject picture = faces_[static_cast<int>(ChooseButtonFace(item.itemState, has))].get();

  Gdi& gdi = SystemGdi();
  const GdiDc target = FromHandle(item.hDC);
  ScopedMemoryDc memory(gdi, target);
  if (!memory) return false;
  ScopedSelection selected(gdi, memory.get(), picture);
  const RECT& r = item.rcItem;
  gdi.BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0,
             kSrcCopy);
  return true;
}

}  // namespace tessaly

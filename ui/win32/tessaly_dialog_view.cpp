// TessalyDialog as the controller's view: controls, pictures, tray icon and
// help viewer.
#include "ui/win32/tessaly_dialog.h"

#include "presentation/memory_dc.h"
#include "presentation/win32/resource_bitmaps.h"
#include "presentation/win32/win32_gdi.h"
#include "res/resource.h"
#include "ui/main_window_pictures.h"
#include "ui/win32/modal_popup.h"

namespace tessaly {

bool TessalyDialog::IsControlEnabled(int id) { return IsWindowEnabled(GetDlgItem(id)) != FALSE; }

void TessalyDialog::EnableControl(int id, bool enable) { EnableWindow(GetDlgItem(id), enable); }

bool TessalyDialog::IsButtonChecked(int id) {
  return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void TessalyDialog::CheckButton(int id, bool checked) {
  CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int TessalyDialog::ComboCount(int id) {
  return static_cast<int>(SendDlgItemMessageA(m_hWnd, id, CB_GETCOUNT, 0, 0));
}

int TessalyDialog::ComboSelection(int id) {
  return static_cast<int>(SendDlgItemMessageA(m_hWnd, id, CB_GETCURSEL, 0, 0));
}

void TessalyDialog::SetComboSelection(int id, int index) {
  SendDlgItemMessageA(m_hWnd, id, CB_SETCURSEL, index, 0);
}

void TessalyDialog::LoadStatusBitmaps() {
  const MainWindowPictures pictures =
      ChooseMainWindowPictures(app_.IsRichColour(), app_.IsLargeFonts());
  for (int i = 0; i < 2; ++i) {
    lightBitmaps_[i].Attach(
        FromHandle(LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(pictures.light[i]))));
  }
  background_.reset(FromHandle(CreateDeviceBitmap(app_.palette, pictures.background)));
  lightRect_ = ControlRect(IDC_LIGHT);
}

RECT TessalyDialog::ControlRect(int id) const {
  RECT r{};
  HWND control = GetDlgItem(id);
  if (control == nullptr) return r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TessalyDialog::CopyBackground(const RECT& r) {
  const int cx = r.right - r.left, cy = r.bottom - r.top;
  // An empty rectangle would read as "the whole picture" to Blit.
  if (cx <= 0 || cy <= 0 || !background_) return;
  ScopedWindowDc dc(SystemGdi(), FromHandle(m_hWnd));
  if (!dc) return;
  MemoryDC memory(SystemGdi(), app_.palette, app_.IsPaletteDevice(), dc.get());
  memory.Blit(background_.get(), r.left, r.top, cx, cy, r.left, r.top);
}

void TessalyDialog::RepaintControlBackground(int id) {
  const RECT r = ControlRect(id);
  CopyBackground(r);
  InvalidateRect(m_hWnd, &r, TRUE);
}

void TessalyDialog::SetTextOverBackground(int id, const char* text) {
  RECT inner = ControlRect(id);
  InflateRect(&inner, -2, -2);  // the control's border stays
  CopyBackground(inner);
  SetDlgItemTextA(m_hWnd, id, text);
}

void TessalyDialog::ShowWindow(int command) { ::ShowWindow(m_hWnd, command); }

// While the backup question disables the window, the question comes forward
// instead, above the window it belongs to.
void TessalyDialog::SetForeground() {
  HWND target = ForegroundTarget(m_hWnd);
  if (target != m_hWnd) ::BringWindowToTop(target);
  ::SetForegroundWindow(target);
}

void TessalyDialog::RedrawLight() {
  InvalidateRect(m_hWnd, &lightRect_, TRUE);
  UpdateWindow(m_hWnd);
}

void TessalyDialog::PostQuit() { PostQuitMessage(0); }

void TessalyDialog::BindTrayIcon(uint32_t callbackMessage) {
  trayIcon_.SetCallbackWindow(FromHandle(m_hWnd), callbackMessage);
}

int32_t TessalyDialog::ShowTrayIcon(int resourceId) {
  return trayIcon_.ShowIconResource(static_cast<uint32_t>(resourceId)) ? 1 : 0;
}

bool TessalyDialog::OpenHelp(const char* path) {
  return WinHelpA(m_hWnd, path, HELP_INDEX, 0) != FALSE;
}

void TessalyDialog::CloseHelp() { WinHelpA(m_hWnd, nullptr, HELP_QUIT, 0); }

}  // namespace tessaly

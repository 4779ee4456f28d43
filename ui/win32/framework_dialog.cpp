#include "ui/win32/framework_dialog.h"

#include "ui/win32/framework_app.h"

namespace tessaly {

namespace {

HINSTANCE g_resourceInstance = nullptr;
int g_lastQuitCode = 0;
// The message whose handler runs now, for Default(); kept for the program's
// one thread rather than in the object, which a handler may delete.
const WindowMessage* g_currentMessage = nullptr;

// Messages whose result the dialog procedure returns itself; for all others
// it goes through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

HINSTANCE ResourceInstance() {
  return g_resourceInstance != nullptr ? g_resourceInstance : GetModuleHandleA(nullptr);
}

void SetResourceInstance(HINSTANCE instance) { g_resourceInstance = instance; }

int LastQuitCode() { return g_lastQuitCode; }

bool PumpMessage(HWND dialog) {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0) g_lastQuitCode = static_cast<int>(msg.wParam);
  if (got == 0 || got == -1) return false;
  if (dialog == nullptr || msg.hwnd == nullptr || !IsDialogMessageA(dialog, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

CDialog::CDialog(UINT templateId) : templateId_(templateId) {}

CDialog::~CDialog() {
  if (m_hWnd != nullptr) {
    HWND window = m_hWnd;
    Detach();  // no more messages reach a half-destroyed object
    ::DestroyWindow(window);
  }
}

bool CDialog::Create(HWND parent) {
  if (m_hWnd != nullptr) return false;
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  return CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent,
                            DialogProc, self) != nullptr;
}

INT_PTR CDialog::DoModal(HWND owner) {
  if (m_hWnd != nullptr) return -1;
  if (owner == nullptr) {
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && app->m_pMainWnd != nullptr) owner = app->m_pMainWnd->GetSafeHwnd();
  }
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  return DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), owner, DialogProc,
                         self);
}

int CDialog::RunModalLoop(DWORD /*flags*/) {
  if (m_hWnd == nullptr) return -1;
  ModalState state;
  state.outer = modal_;
  modal_ = &state;
  for (;;) {
    if (!PumpMessage(m_hWnd)) break;
    // Once the window is gone the object may be gone as well: touch nothing.
    if (state.destroyed) return -1;
    if (state.ended) break;
  }
  modal_ = state.outer;
  return state.ended ? state.result : -1;
}

void CDialog::EndModalLoop(int result) {
  if (modal_ == nullptr) return;
  modal_->ended = true;
  modal_->result = result;
  // Wakes the loop in case the call came from outside a message.
  if (m_hWnd != nullptr) PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::EndDialog(int result) {
  if (modal_ != nullptr) EndModalLoop(result);
  if (m_hWnd != nullptr) ::EndDialog(m_hWnd, result);
}

BOOL CDialog::DestroyWindow() {
  return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CDialog::CenterWindow() {
  if (m_hWnd == nullptr) return;
  RECT window;
  GetWindowRect(m_hWnd, &window);
  RECT area;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  RECT reference = area;
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &reference);
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int x = reference.left + (reference.right - reference.left - width) / 2;
  int y = reference.top + (reference.bottom - reference.top - height) / 2;
  // Keep the window on the work area where it fits.
  if (x > area.right - width) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y > area.bottom - height) y = area.bottom - height;
  if (y < area.top) y = area.top;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::DispatchMessageMap(WindowMessage&) { return false; }

bool CDialog::DefaultCommand(uint32_t id, uint32_t code) {
  if (code != 0 && code != 1) return false;  // only clicks, menus, accelerators
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

LRESULT CDialog::Default() {
  if (m_hWnd == nullptr || g_currentMessage == nullptr) return 0;
  const WindowMessage& m = *g_currentMessage;
  // DefDlgProc offers the message to DialogProc first; DialogProc declines
  // that one call, so the dialog manager's own handling runs.
  const UINT savedMessage = defaultMessage_;
  const bool savedPending = defaultPending_;
  defaultMessage_ = m.message;
  defaultPending_ = true;
  const LRESULT result = DefDlgProcA(m_hWnd, m.message, m.wParam, m.lParam);
  defaultMessage_ = savedMessage;
  defaultPending_ = savedPending;
  return result;
}

void CDialog::Detach() {
  if (m_hWnd != nullptr) SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
  m_hWnd = nullptr;
  for (ModalState* s = modal_; s != nullptr; s = s->outer) s->destroyed = true;
  modal_ = nullptr;
  CWinApp* app = CWinApp::Current();
  if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

bool CDialog::Dispatch(WindowMessage& m) {
  if (m.message == WM_INITDIALOG) {
    m.result = OnInitDialog();
    return true;
  }
  if (DispatchMessageMap(m)) return true;
  if (m.message == WM_COMMAND && DefaultCommand(CommandId(m), CommandCode(m))) {
    m.result = 0;
    return true;
  }
  return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    if (self == nullptr) return TRUE;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->m_hWnd = window;
  } else {
    self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (self == nullptr) return FALSE;

  if (self->defaultPending_ && message == self->defaultMessage_) {
    self->defaultPending_ = false;  // Default() is running for this message
    return FALSE;
  }

  if (message == WM_NCDESTROY) {
    self->Detach();
    self->PostNcDestroy();  // may delete the object
    return FALSE;
  }
  WindowMessage m{message, wParam, lParam, 0};
  const WindowMessage* outer = g_currentMessage;
  g_currentMessage = &m;
  // Nothing below touches the object once the handler has returned: it may
  // have destroyed its window, and with it the object.
  const bool handled = self->Dispatch(m);
  g_currentMessage = outer;
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(m.result);
  SetWindowLongPtrA(window, DWLP_MSGRESULT, m.result);
  return TRUE;
}

}  // namespace tessaly

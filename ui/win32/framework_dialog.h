// Dialogs: a C++ object bound to a dialog window built from a template, with
// one static dialog procedure that finds the object and offers it each message.
//
// Order in which a message is offered (the first handler that reports
// "handled" ends it; its WindowMessage::result is what the window procedure
// gives back):
//   WM_INITDIALOG  -> OnInitDialog()
//   every message  -> DispatchMessageMap(m)   (the class's message map,
//                     ui/message_map.h: the one place that says what the
//                     window does)
//   WM_COMMAND     -> IDOK -> OnOK(), IDCANCEL -> OnCancel(), when the map
//                     did not take them (the dialog manager's Enter and Esc)
// Unhandled messages get the dialog manager's default processing. Handlers
// report failure by their results: the program is built without exceptions.
// After WM_NCDESTROY the object is detached from the window and
// PostNcDestroy() runs; a heap object may delete itself there.
#pragma once

#include <windows.h>

#include "ui/message_map.h"

namespace tessaly {

// The module whose resources dialogs, bitmaps, icons and menus come from: the
// one set by SetResourceInstance (the application object sets its own), else
// the program's module.
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);

// The exit code carried by the last WM_QUIT that a framework message loop
// took off the queue; 0 when none has arrived.
int LastQuitCode();

// Waits for one message and dispatches it, giving `dialog` (if any) its
// keyboard navigation first. False when WM_QUIT arrived (its code is kept for
// LastQuitCode) or the queue failed.
bool PumpMessage(HWND dialog);

// RunModalLoop flag: send no idle messages. The loop never sends any; the
// flag is accepted for the callers that name it.
constexpr DWORD kMlfNoIdleMsg = 0x0001;

class CDialog {
 public:
  // A dialog from template resource `templateId` of ResourceInstance().
  explicit CDialog(UINT templateId);
  // Destroys a window that still exists, without calling PostNcDestroy.
  virtual ~CDialog();

  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Modeless: creates the window (OnInitDialog runs before this returns).
  // False when the window could not be created.
  bool Create(HWND parent = nullptr);

  // Modal: runs the dialog and returns the code given to EndDialog, or -1
  // when it could not be created. Without an owner, the application's main
  // window (if any) owns it.
  INT_PTR DoModal(HWND owner = nullptr);

  // Runs a message loop for this modeless dialog (with its keyboard
  // navigation) until EndModalLoop is called, WM_QUIT arrives or the window is
  // destroyed. Returns the EndModalLoop code, else -1. WM_QUIT is taken off
  // the queue; its code is kept for LastQuitCode().
  int RunModalLoop(DWORD flags = 0);
  void EndModalLoop(int result);

  // Ends a modal dialog, or the modal loop of a modeless one, with `result`.
  void EndDialog(int result);

  // Destroys the window. Overrides add their own clean-up and then call this.
  virtual BOOL DestroyWindow();

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr; }
  BOOL ShowWindow(int command) { return m_hWnd ? ::ShowWindow(m_hWnd, command) : FALSE; }
  // Centres the window over its owner when that is visible and not
  // minimised, else on the screen's work area.
  void CenterWindow();

 protected:
  // WM_INITDIALOG. Return TRUE to let the dialog manager set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // The class's message map, offered every message first. Classes with a
  // map override this with `return DispatchEntries(*this, kMessageMap, m);`.
  virtual bool DispatchMessageMap(WindowMessage& m);
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // After the window's last message; the object is detached already.
  virtual void PostNcDestroy() {}

  // The dialog manager's default processing of the message being handled,
  // for handlers that add to it rather than replace it; 0 outside a handler.
  LRESULT Default();

  HWND m_hWnd = nullptr;

 private:
  // One running RunModalLoop; nested loops form a chain.
  struct ModalState {
    bool ended = false;
    bool destroyed = false;  // the window went; the object may be gone too
    int result = -1;
    ModalState* outer = nullptr;
  };

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Dispatch(WindowMessage& m);
  // IDOK and IDCANCEL that the map left: OnOK and OnCancel.
  bool DefaultCommand(uint32_t id, uint32_t code);
  void Detach();

  UINT templateId_ = 0;
  ModalState* modal_ = nullptr;  // the innermost RunModalLoop of this dialog
  UINT defaultMessage_ = 0;        // message passed on by Default()
  bool defaultPending_ = false;
};

}  // namespace tessaly

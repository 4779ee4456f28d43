// The main window as its controller sees it: controls by their resource ids
// (res/resource.h), pictures, the tray icon and the help viewer. The Win32
// dialog implements it; the unit tests record the calls.
#pragma once

#include <stdint.h>

namespace tessaly {

// ShowTrayIcon's id that removes the icon; the others are IDR_TRAY and
// IDR_TRAY_DISABLED.
constexpr int kTrayRemove = 0;

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual bool IsControlEnabled(int id) = 0;
  virtual void EnableControl(int id, bool enable) = 0;
  virtual bool IsButtonChecked(int id) = 0;
  virtual void CheckButton(int id, bool checked) = 0;
  virtual int ComboCount(int id) = 0;
  virtual int ComboSelection(int id) = 0;  // -1 when nothing is selected
  virtual void SetComboSelection(int id, int index) = 0;
  // Loads the light pictures and the background and takes the light's rectangle.
  virtual void LoadStatusBitmaps() = 0;
  virtual void RepaintControlBackground(int id) = 0;
  virtual void SetTextOverBackground(int id, const char* text) = 0;
  virtual void ShowWindow(int command) = 0;
  virtual void SetForeground() = 0;
  // Invalidates the light's rectangle with erasing and updates the window.
  virtual void RedrawLight() = 0;
  virtual void PostQuit() = 0;
  // The tray icon's SetCallbackWindow: this window, with that message.
  virtual void BindTrayIcon(uint32_t callbackMessage) = 0;
  // The tray icon's ShowIconResource: IDR_TRAY, IDR_TRAY_DISABLED, or
  // kTrayRemove.
  virtual int32_t ShowTrayIcon(int resourceId) = 0;
  // WinHelp with HELP_INDEX for the file; true when the viewer opened.
  virtual bool OpenHelp(const char* path) = 0;
  // WinHelp with HELP_QUIT.
  virtual void CloseHelp() = 0;
};

}  // namespace tessaly

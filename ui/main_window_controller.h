// What the main window does with its settings, commands and private messages,
// free of the window system: the Win32 dialog forwards every message here and
// supplies the view (ui/main_window_view.h) and the services
// (ui/main_window_services.h).
#pragma once

#include <stdint.h>

#include "actions/companions.h"
#include "base/app_state.h"
#include "base/platform.h"
#include "ui/main_window_services.h"
#include "ui/main_window_view.h"
#include "ui/message_map.h"

namespace tessaly {

class MainWindowController {
 public:
  MainWindowController(AppState& app, MainWindowView& view, MainWindowServices& services,
                       Companions& companions, Clock& clock);

  // The dialog's initialisation after the window exists and is sized:
  // combo selection, check boxes, pictures, tray icon, disabled state,
  // last-run text, light index.
  void OnInitDialog();
  // WM_COMMAND, cracked: offers the command to the command table (kCommands);
  // true when a row handled it.
  bool OnCommand(int id, int code);
  // WM_SIZE: a minimised window hides itself. True when it hid.
  bool OnSize(int sizeType);
  // Private messages kMsgStampLastRun and kMsgQuickCheckStatus.
  void StampLastRun();
  void SetQuickCheckStatus(uintptr_t index);
  // Shutdown: close the help viewer if it was opened, remove the tray icon.
  void OnDestroy();

  void UpdateDisabledState();
  void RefreshLastRunText();
  int LightIndex() const;

 private:
  static const MessageMapEntry<MainWindowController> kCommands[];

  // Command handlers, one a row; each reports the command handled.
  bool OnIdleChosen();
  bool OnLastRunLeft();
  bool OnHide();
  bool OnUnload();
  bool OnShow();
  bool OnDisableBox();
  bool OnToggleDisabled();
  bool OnFlagBox(uint32_t id, uint32_t code);
  bool OnChooseSaveLocation();
  bool OnBackupNow();
  bool OnSnapshot();
  bool OnLaunch();
  bool OnShowMe();
  bool OnHelp();

  AppState& app_;
  MainWindowView& view_;
  MainWindowServices& services_;
  Companions& companions_;
  Clock& clock_;
  bool helpOpened_ = false;
};

}  // namespace tessaly

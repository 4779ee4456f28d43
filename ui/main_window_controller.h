// What the main window does with its settings, commands and private messages,
// free of the window system: the Win32 dialog forwards every message here and
// supplies the view (its controls, pictures and tray icon) and the services
// (settings store, maintenance actions).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "actions/companions.h"
#include "base/app_state.h"
#include "base/platform.h"
#include "res/resource.h"
#include "ui/message_map.h"

namespace tessaly {

// Control and command ids of the main window, from the resource ids.
enum : int {
  kCtlMinimize = 1,  // IDOK
  kCtlUnload = 2,    // IDCANCEL
  kCtlSnapshotButton = IDC_SNAPSHOT,
  kCtlLaunchButton = IDC_LAUNCH_VANTOR,
  kCtlIdleCombo = IDC_IDLE,
  kCtlBackupBox = IDC_BACKUP,
  kCtlLocationButton = IDC_LOCATION,
  kCtlQuickCheckBox = IDC_QUICKCHECK,
  kCtlLightFrame = IDC_LIGHT,
  kCtlShowMeButton = IDC_SHOW_ME,
  kCtlLastRunField = IDC_LAST_RUN,
  kCtlMaxOnceBox = IDC_MAX_ONCE,
  kCtlDisableBox = IDC_DISABLE,
  kCtlHelp = ID_HELP,
  kCmdShow = ID_TRAY_SHOW,
  kCmdDisable = ID_TRAY_DISABLE,
  kCmdSnapshot = ID_SNAPSHOT,
  kCmdBackupNow = ID_TRAY_BACKUP_NOW,
  kCmdLaunch = ID_TRAY_LAUNCH_VANTOR,
  kCmdUnload = ID_TRAY_UNLOAD,
};
// Notification codes that the window acts on.
enum : int { kBnClicked = 0, kCbnSelChange = 1, kEnKillFocus = 0x200 };
// Tray icon and tip resources: actions on, actions off, remove.
enum : int { kTrayNormal = IDI_TRAY, kTrayDisabled = IDI_TRAY_DISABLED, kTrayRemove = 0 };

// The window as the controller sees it.
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
  // The tray icon's ShowIconResource: 150, 146, or 0 to remove.
  virtual int32_t ShowTrayIcon(int resourceId) = 0;
  // WinHelp with HELP_INDEX for the file; true when the viewer opened.
  virtual bool OpenHelp(const char* path) = 0;
  // WinHelp with HELP_QUIT.
  virtual void CloseHelp() = 0;
};

// The program's operations that the window's commands call.
class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  virtual void SaveSettings() = 0;
  // True when the backup was made; false when refused, declined or failed.
  virtual bool BackupSystemFiles(bool confirm) = 0;
  virtual void LaunchVantor(const char* arguments) = 0;
  virtual void GetInstallDirectory(char* out, size_t size) = 0;
};

// Guards the snapshot command against re-entry while the snapshot runs its
// own windows; one for the whole process.
extern int32_t snapshotBusy;

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
  // Private messages 1396 and 1397.
  void StampLastRun();
  void SetQuickCheckStatus(uintptr_t index);
  // Shutdown: close the help viewer if it was opened, remove the tray icon.
  void OnDestroy();

  void UpdateDisabledState();
  void RefreshLastRunText();
  int LightIndex() const;
  bool HelpOpened() const { return helpOpened_; }

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
  bool OnBackupBox();
  bool OnQuickCheckBox();
  bool OnMaxOnceBox();
  bool OnChooseSaveLocation();
  bool OnBackupNow();
  bool OnSnapshot();
  bool OnLaunch();
  bool OnShowMe();
  bool OnHelp();

  void SetFlagFromBox(int32_t& flag, int box);

  AppState& app_;
  MainWindowView& view_;
  MainWindowServices& services_;
  Companions& companions_;
  Clock& clock_;
  bool helpOpened_ = false;
};

}  // namespace tessaly

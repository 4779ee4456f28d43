#include "ui/main_window_controller.h"

#include <string.h>

#include "base/messages.h"
#include "base/scoped.h"
#include "base/text.h"
#include "base/window_system.h"
#include "presentation/date_time_formatter.h"
#include "ui/main_window_logic.h"

namespace tessaly {

int32_t snapshotBusy = 0;

MainWindowController::MainWindowController(AppState& app, MainWindowView& view,
                                           MainWindowServices& services, Companions& companions,
                                           Clock& clock)
    : app_(app), view_(view), services_(services), companions_(companions), clock_(clock) {}

void MainWindowController::OnInitDialog() {
  TessalySettings& s = app_.settings;
  // A stored index outside the list becomes "1 Hour", in memory only.
  s.idle = NormaliseIdleIndex(s.idle, view_.ComboCount(kCtlIdleCombo));
  view_.SetComboSelection(kCtlIdleCombo, s.idle);

  view_.CheckButton(kCtlBackupBox, s.backup != 0);
  view_.CheckButton(kCtlQuickCheckBox, s.quickCheck != 0);
  view_.CheckButton(kCtlMaxOnceBox, s.maxOnce != 0);
  view_.CheckButton(kCtlDisableBox, s.disabled != 0);

  // The pictures first: the disabled state and the last-run text draw from
  // the background, and the disabled state changes the icon shown here.
  view_.LoadStatusBitmaps();
  // The shell sends the icon's mouse messages to this window as 1025.
  view_.BindTrayIcon(kMsgTrayCallback);
  view_.ShowTrayIcon(s.disabled ? kTrayDisabled : kTrayNormal);
  UpdateDisabledState();
  RefreshLastRunText();
  s.quickCheckStatus = NormaliseLightIndex(s.quickCheckStatus);
}

// The main window's commands: control or menu id, notification code, handler.
const MessageMapEntry<MainWindowController> MainWindowController::kCommands[] = {
    CommandEntry(kCtlIdleCombo, kCbnSelChange, &MainWindowController::OnIdleChosen),
    CommandEntry(kCtlLastRunField, kEnKillFocus, &MainWindowController::OnLastRunLeft),
    CommandEntry(kCtlMinimize, kBnClicked, &MainWindowController::OnHide),
    CommandEntry(kCtlUnload, kBnClicked, &MainWindowController::OnUnload),
    CommandEntry(kCmdUnload, kBnClicked, &MainWindowController::OnUnload),
    CommandEntry(kCmdShow, kBnClicked, &MainWindowController::OnShow),
    CommandEntry(kCtlDisableBox, kBnClicked, &MainWindowController::OnDisableBox),
    CommandEntry(kCmdDisable, kBnClicked, &MainWindowController::OnToggleDisabled),
    CommandEntry(kCtlBackupBox, kBnClicked, &MainWindowController::OnBackupBox),
    CommandEntry(kCtlQuickCheckBox, kBnClicked, &MainWindowController::OnQuickCheckBox),
    CommandEntry(kCtlMaxOnceBox, kBnClicked, &MainWindowController::OnMaxOnceBox),
    CommandEntry(kCtlLocationButton, kBnClicked, &MainWindowController::OnChooseSaveLocation),
    CommandEntry(kCmdBackupNow, kBnClicked, &MainWindowController::OnBackupNow),
    CommandEntry(kCtlSnapshotButton, kBnClicked, &MainWindowController::OnSnapshot),
    CommandEntry(kCmdSnapshot, kBnClicked, &MainWindowController::OnSnapshot),
    CommandEntry(kCtlLaunchButton, kBnClicked, &MainWindowController::OnLaunch),
    CommandEntry(kCmdLaunch, kBnClicked, &MainWindowController::OnLaunch),
    CommandEntry(kCtlShowMeButton, kBnClicked, &MainWindowController::OnShowMe),
    CommandEntry(kCtlHelp, kBnClicked, &MainWindowController::OnHelp),
};

bool MainWindowController::OnCommand(int id, int code) {
  return DispatchCommand(*this, kCommands, static_cast<uint32_t>(id), static_cast<uint32_t>(code));
}

bool MainWindowController::OnSize(int sizeType) {
  if (static_cast<uint32_t>(sizeType) != kSizeMinimized) return false;
  view_.ShowWindow(kSwHide);
  return true;
}

bool MainWindowController::OnIdleChosen() {
  const int index = view_.ComboSelection(kCtlIdleCombo);
  if (index != -1) {
    app_.settings.idle = index;
    services_.SaveSettings();
  }
  return true;
}

bool MainWindowController::OnLastRunLeft() {
  RefreshLastRunText();
  return true;
}

bool MainWindowController::OnHide() {
  view_.ShowWindow(kSwHide);
  return true;
}

bool MainWindowController::OnUnload() {
  view_.PostQuit();
  return true;
}

bool MainWindowController::OnShow() {
  view_.ShowWindow(kSwShowNormal);
  view_.SetForeground();
  return true;
}

bool MainWindowController::OnDisableBox() {
  SetFlagFromBox(app_.settings.disabled, kCtlDisableBox);
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnToggleDisabled() {
  TessalySettings& s = app_.settings;
  s.disabled = s.disabled == 0 ? 1 : 0;
  services_.SaveSettings();
  view_.CheckButton(kCtlDisableBox, s.disabled != 0);
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnBackupBox() {
  SetFlagFromBox(app_.settings.backup, kCtlBackupBox);
  return true;
}

bool MainWindowController::OnQuickCheckBox() {
  SetFlagFromBox(app_.settings.quickCheck, kCtlQuickCheckBox);
  return true;
}

bool MainWindowController::OnMaxOnceBox() {
  SetFlagFromBox(app_.settings.maxOnce, kCtlMaxOnceBox);
  return true;
}

bool MainWindowController::OnLaunch() {
  services_.LaunchVantor("");
  return true;
}

bool MainWindowController::OnShowMe() {
  services_.LaunchVantor("/D:610");
  return true;
}

void MainWindowController::SetFlagFromBox(int32_t& flag, int box) {
  flag = view_.IsButtonChecked(box) ? 1 : 0;
  services_.SaveSettings();
}

void MainWindowController::UpdateDisabledState() {
  // The backup box's enabled state stands for both action boxes, so a
  // repeated call changes nothing and does not set the tray icon again.
  const bool enabled = view_.IsControlEnabled(kCtlBackupBox);
  if (app_.settings.disabled == 0) {
    if (enabled) return;
    view_.EnableControl(kCtlBackupBox, true);
    view_.EnableControl(kCtlQuickCheckBox, true);
    view_.RepaintControlBackground(kCtlBackupBox);
    view_.RepaintControlBackground(kCtlQuickCheckBox);
    view_.ShowTrayIcon(kTrayNormal);
  } else {
    if (!enabled) return;
    view_.EnableControl(kCtlBackupBox, false);
    view_.EnableControl(kCtlQuickCheckBox, false);
    // The boxes draw their text transparently over the picture: without the
    // picture put back first, the grey text would land on the black one.
    view_.RepaintControlBackground(kCtlBackupBox);
    view_.RepaintControlBackground(kCtlQuickCheckBox);
    view_.ShowTrayIcon(kTrayDisabled);
  }
}

void MainWindowController::RefreshLastRunText() {
  if (app_.settings.lastTime == 0) {
    view_.SetTextOverBackground(kCtlLastRunField, "");
    return;
  }
  DateTimeFormatter formatter(clock_);
  view_.SetTextOverBackground(kCtlLastRunField, formatter.FormatSeconds(&app_.settings.lastTime));
}

void MainWindowController::StampLastRun() {
  app_.settings.lastTime = clock_.Now();
  services_.SaveSettings();
  RefreshLastRunText();
}

void MainWindowController::SetQuickCheckStatus(uintptr_t index) {
  // Only 0 and 1 name a light; anything else would index past the pictures.
  app_.settings.quickCheckStatus = NormaliseLightIndex(static_cast<int32_t>(index));
  view_.RedrawLight();
}

int MainWindowController::LightIndex() const {
  return NormaliseLightIndex(app_.settings.quickCheckStatus);
}

bool MainWindowController::OnChooseSaveLocation() {
  if (companions_.ChangeSnapshotDir(app_.settings.saveDir, "Select Save Directory") != 0) {
    // The chooser writes into the 260-byte buffer; make sure it ends there.
    app_.settings.saveDir[kPathSize - 1] = '\0';
    services_.SaveSettings();
  }
  return true;
}

bool MainWindowController::OnBackupNow() {
  if (services_.BackupSystemFiles(true)) StampLastRun();
  return true;
}

bool MainWindowController::OnSnapshot() {
  // The snapshot's own windows pump messages, and the snapshot commands may
  // arrive again meanwhile: those are ignored.
  ReentryGuard busy(snapshotBusy);
  if (busy.entered() && companions_.SaveSnapshotGUI() != 0) StampLastRun();
  return true;
}

bool MainWindowController::OnHelp() {
  char path[kPathSize];
  services_.GetInstallDirectory(path, sizeof path);
  const size_t length = strlen(path);
  if (length == 0 || path[length - 1] != '\\') AppendText(path, "\\");
  // A path that does not fit is not opened: a cut path would name another file.
  if (AppendText(path, "Help\\Tessaly.hlp") && view_.OpenHelp(path)) helpOpened_ = true;
  return true;
}

void MainWindowController::OnDestroy() {
  if (helpOpened_) view_.CloseHelp();
  view_.ShowTrayIcon(kTrayRemove);
}

}  // namespace tessaly

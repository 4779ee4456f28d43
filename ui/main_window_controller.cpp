#include "ui/main_window_controller.h"

#include <string.h>

#include "base/messages.h"
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

bool MainWindowController::OnCommand(int id, int code) {
  TessalySettings& s = app_.settings;
  if (id == kCtlIdleCombo) {
    if (code != kCbnSelChange) return false;
    const int index = view_.ComboSelection(kCtlIdleCombo);
    if (index != -1) {
      s.idle = index;
      services_.SaveSettings();
    }
    return true;
  }
  if (id == kCtlLastRunField) {
    if (code != kEnKillFocus) return false;
    RefreshLastRunText();
    return true;
  }
  if (code != kBnClicked) return false;

  switch (id) {
    case kCtlMinimize:
      view_.ShowWindow(kSwHide);
      return true;
    case kCtlUnload:
    case kCmdUnload:
      view_.PostQuit();
      return true;
    case kCmdShow:
      view_.ShowWindow(kSwShowNormal);
      view_.SetForeground();
      return true;
    case kCtlDisableBox:
      SetFlagFromBox(s.disabled, kCtlDisableBox);
      UpdateDisabledState();
      return true;
    case kCmdDisable:
      ToggleDisabled();
      return true;
    case kCtlBackupBox:
      SetFlagFromBox(s.backup, kCtlBackupBox);
      return true;
    case kCtlQuickCheckBox:
      SetFlagFromBox(s.quickCheck, kCtlQuickCheckBox);
      return true;
    case kCtlMaxOnceBox:
      SetFlagFromBox(s.maxOnce, kCtlMaxOnceBox);
      return true;
    case kCtlLocationButton:
      ChooseSaveLocation();
      return true;
    case kCmdBackupNow:
      BackupNow();
      return true;
    case kCtlSnapshotButton:
    case kCmdSnapshot:
      Snapshot();
      return true;
    case kCtlLaunchButton:
    case kCmdLaunch:
      services_.LaunchVantor("");
      return true;
    case kCtlShowMeButton:
      services_.LaunchVantor("/D:610");
      return true;
    case kCtlHelp:
      OpenHelp();
      return true;
    default:
      return false;
  }
}

bool MainWindowController::OnSize(int sizeType) {
  const int kSizeMinimized = 1;
  if (sizeType != kSizeMinimized) return false;
  view_.ShowWindow(kSwHide);
  return true;
}

void MainWindowController::SetFlagFromBox(int32_t& flag, int box) {
  flag = view_.IsButtonChecked(box) ? 1 : 0;
  services_.SaveSettings();
}

void MainWindowController::ToggleDisabled() {
  TessalySettings& s = app_.settings;
  s.disabled = s.disabled == 0 ? 1 : 0;
  services_.SaveSettings();
  view_.CheckButton(kCtlDisableBox, s.disabled != 0);
  UpdateDisabledState();
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

void MainWindowController::ChooseSaveLocation() {
  if (companions_.ChangeSnapshotDir(app_.settings.saveDir, "Select Save Directory") != 0) {
    // The chooser writes into the 260-byte buffer; make sure it ends there.
    app_.settings.saveDir[kPathSize - 1] = '\0';
    services_.SaveSettings();
  }
}

void MainWindowController::BackupNow() {
  if (services_.BackupSystemFiles(true)) StampLastRun();
}

void MainWindowController::Snapshot() {
  if (snapshotBusy) return;
  snapshotBusy = 1;
  if (companions_.SaveSnapshotGUI() != 0) StampLastRun();
  snapshotBusy = 0;
}

void MainWindowController::OpenHelp() {
  char path[kPathSize];
  services_.GetInstallDirectory(path, sizeof path);
  const size_t length = strlen(path);
  if (length == 0 || path[length - 1] != '\\') AppendText(path, "\\");
  // A path that does not fit is not opened: a cut path would name another file.
  if (!AppendText(path, "Help\\Tessaly.hlp")) return;
  if (view_.OpenHelp(path)) helpOpened_ = true;
}

void MainWindowController::OnDestroy() {
  if (helpOpened_) view_.CloseHelp();
  view_.ShowTrayIcon(kTrayRemove);
}

}  // namespace tessaly

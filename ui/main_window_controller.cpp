#include "ui/main_window_controller.h"

#include "base/messages.h"
#include "base/paths.h"
#include "base/scoped.h"
#include "base/text.h"
#include "base/window_system.h"
#include "presentation/date_time_formatter.h"
#include "res/resource.h"
#include "ui/flag_boxes.h"
#include "ui/stored_value_ranges.h"

namespace tessaly {

namespace {

// The main Vantor program's own switch for "Show Me" (the button beside the
// status light): handed to it as it is when it has to be started; a running
// copy is told by kMsgVantorShow instead. This program gives it no meaning.
const char kShowMeArguments[] = "/D:610";

}  // namespace

MainWindowController::MainWindowController(AppState& app, MainWindowView& view,
                                           MainWindowServices& services, Companions& companions,
                                           Clock& clock)
    : app_(app), view_(view), services_(services), companions_(companions), clock_(clock) {}

void MainWindowController::OnInitDialog() {
  TessalySettings& s = app_.settings;
  // A stored index outside the list becomes "1 Hour", in memory only.
  s.idle = NormaliseIdleIndex(s.idle, view_.ComboCount(IDC_IDLE));
  view_.SetComboSelection(IDC_IDLE, s.idle);

  for (const FlagBox& box : kFlagBoxes) view_.CheckButton(box.id, s.*box.flag != 0);
  view_.CheckButton(IDC_DISABLE, s.disabled != 0);

  // The pictures first: the disabled state and the last-run text draw from
  // the background, and the disabled state changes the icon shown here.
  view_.LoadStatusBitmaps();
  view_.BindTrayIcon(kMsgTrayCallback);
  view_.ShowTrayIcon(s.disabled ? IDR_TRAY_DISABLED : IDR_TRAY);
  UpdateDisabledState();
  RefreshLastRunText();
  s.quickCheckStatus = NormaliseLightIndex(s.quickCheckStatus);
}

// The main window's commands: control or menu id, notification code, handler.
const MessageMapEntry<MainWindowController> MainWindowController::kCommands[] = {
    CommandEntry(IDC_IDLE, kCbnSelChange, &MainWindowController::OnIdleChosen),
    CommandEntry(IDC_LAST_RUN, kEnKillFocus, &MainWindowController::OnLastRunLeft),
    CommandEntry(IDOK, kBnClicked, &MainWindowController::OnHide),
    CommandEntry(IDCANCEL, kBnClicked, &MainWindowController::OnUnload),
    CommandEntry(ID_TRAY_UNLOAD, kBnClicked, &MainWindowController::OnUnload),
    CommandEntry(ID_TRAY_SHOW, kBnClicked, &MainWindowController::OnShow),
    CommandEntry(IDC_DISABLE, kBnClicked, &MainWindowController::OnDisableBox),
    CommandEntry(ID_TRAY_DISABLE, kBnClicked, &MainWindowController::OnToggleDisabled),
    AnyCommandEntry(&MainWindowController::OnFlagBox),  // the rows of kFlagBoxes
    CommandEntry(IDC_LOCATION, kBnClicked, &MainWindowController::OnChooseSaveLocation),
    CommandEntry(ID_TRAY_BACKUP_NOW, kBnClicked, &MainWindowController::OnBackupNow),
    CommandEntry(IDC_SNAPSHOT, kBnClicked, &MainWindowController::OnSnapshot),
    CommandEntry(ID_SNAPSHOT, kBnClicked, &MainWindowController::OnSnapshot),
    CommandEntry(IDC_LAUNCH_VANTOR, kBnClicked, &MainWindowController::OnLaunch),
    CommandEntry(ID_TRAY_LAUNCH_VANTOR, kBnClicked, &MainWindowController::OnLaunch),
    CommandEntry(IDC_SHOW_ME, kBnClicked, &MainWindowController::OnShowMe),
    CommandEntry(ID_HELP, kBnClicked, &MainWindowController::OnHelp),
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
  const int index = view_.ComboSelection(IDC_IDLE);
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
  app_.settings.disabled = view_.IsButtonChecked(IDC_DISABLE) ? 1 : 0;
  services_.SaveSettings();
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnToggleDisabled() {
  TessalySettings& s = app_.settings;
  s.disabled = s.disabled == 0 ? 1 : 0;
  services_.SaveSettings();
  view_.CheckButton(IDC_DISABLE, s.disabled != 0);
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnFlagBox(uint32_t id, uint32_t code) {
  if (code != kBnClicked) return false;
  for (const FlagBox& box : kFlagBoxes) {
    if (static_cast<uint32_t>(box.id) != id) continue;
    app_.settings.*box.flag = view_.IsButtonChecked(box.id) ? 1 : 0;
    services_.SaveSettings();
    return true;
  }
  return false;
}

bool MainWindowController::OnLaunch() {
  services_.LaunchVantor("");
  return true;
}

bool MainWindowController::OnShowMe() {
  services_.LaunchVantor(kShowMeArguments);
  return true;
}

void MainWindowController::UpdateDisabledState() {
  // The backup box's enabled state stands for both action boxes, so a
  // repeated call changes nothing and does not set the tray icon again.
  const bool enabled = view_.IsControlEnabled(IDC_BACKUP);
  if (app_.settings.disabled == 0) {
    if (enabled) return;
    view_.EnableControl(IDC_BACKUP, true);
    view_.EnableControl(IDC_QUICKCHECK, true);
    view_.RepaintControlBackground(IDC_BACKUP);
    view_.RepaintControlBackground(IDC_QUICKCHECK);
    view_.ShowTrayIcon(IDR_TRAY);
  } else {
    if (!enabled) return;
    view_.EnableControl(IDC_BACKUP, false);
    view_.EnableControl(IDC_QUICKCHECK, false);
    // The boxes draw their text transparently over the picture: without the
    // picture put back first, the grey text would land on the black one.
    view_.RepaintControlBackground(IDC_BACKUP);
    view_.RepaintControlBackground(IDC_QUICKCHECK);
    view_.ShowTrayIcon(IDR_TRAY_DISABLED);
  }
}

void MainWindowController::RefreshLastRunText() {
  if (app_.settings.lastTime == 0) {
    view_.SetTextOverBackground(IDC_LAST_RUN, "");
    return;
  }
  DateTimeFormatter formatter(clock_);
  view_.SetTextOverBackground(IDC_LAST_RUN, formatter.FormatSeconds(&app_.settings.lastTime));
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
    // The chooser writes into the kPathSize-byte buffer; make sure it ends there.
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
  ReentryGuard busy(app_.snapshotBusy);
  if (busy.entered() && companions_.SaveSnapshotGUI() != 0) StampLastRun();
  return true;
}

bool MainWindowController::OnHelp() {
  char path[kPathSize];
  services_.GetInstallDirectory(path, sizeof path);
  // A path that does not fit is not opened: a cut path would name another file.
  if (JoinPath(path, path, "Help\\Tessaly.hlp") && view_.OpenHelp(path)) helpOpened_ = true;
  return true;
}

void MainWindowController::OnDestroy() {
  if (helpOpened_) view_.CloseHelp();
  view_.ShowTrayIcon(kTrayRemove);
}

}  // namespace tessaly

#include "ui/main_window_controller.h"

#include "base/messages.h"
#include "base/paths.h"
#include "base/scoped.h"
#include "base/text.h"
#include "base/window_system.h"
#include "presentation/date_time_formatter.h"
#include "res/resource.h"
#include "ui/main_window_logic.h"

namespace tessaly {

namespace {

// The check boxes that each hold one persisted flag and do nothing else. The
// disable box is not one of them: it also greys the action boxes.
struct FlagBox {
  int id;
  int32_t TessalySettings::*flag;
};
const FlagBox kFlagBoxes[] = {
    {IDC_BACKUP, &TessalySettings::backup},
    {IDC_QUICKCHECK, &TessalySettings::quickCheck},
    {IDC_MAX_ONCE, &TessalySettings::maxOnce},
};

// The main Vantor program's own switch for "Show Me" (the button beside the
// status light): handed to it as it is when it has to be started; a running
// copy is told by kMsgVantorShow instead. This program gives it no meaning.
const char kShowMeArguments[] = "/D:610";

}  // namespace

MainWindowController::MainWindowController(AppState& app, MainWindowView& view,
                                           MainWindowServices& services, Companions& companions,
                                           Clock& clock)
    : app(app), view(view), services(services), companions(companions), clock(clock) {}

void MainWindowController::OnInitDialog() {
  TessalySettings& s = app.settings;
  // A stored index outside the list becomes "1 Hour", in memory only.
  s.idle = NormaliseIdleIndex(s.idle, view.ComboCount(IDC_IDLE));
  view.SetComboSelection(IDC_IDLE, s.idle);

  for (const FlagBox& box : kFlagBoxes) view.CheckButton(box.id, s.*box.flag != 0);
  view.CheckButton(IDC_DISABLE, s.disabled != 0);

  // The pictures first: the disabled state and the last-run text draw from
  // the background, and the disabled state changes the icon shown here.
  view.LoadStatusBitmaps();
  view.BindTrayIcon(kMsgTrayCallback);
  view.ShowTrayIcon(s.disabled ? IDR_TRAY_DISABLED : IDR_TRAY);
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
  view.ShowWindow(kSwHide);
  return true;
}

bool MainWindowController::OnIdleChosen() {
  const int index = view.ComboSelection(IDC_IDLE);
  if (index != -1) {
    app.settings.idle = index;
    services.SaveSettings();
  }
  return true;
}

bool MainWindowController::OnLastRunLeft() {
  RefreshLastRunText();
  return true;
}

bool MainWindowController::OnHide() {
  view.ShowWindow(kSwHide);
  return true;
}

bool MainWindowController::OnUnload() {
  view.PostQuit();
  return true;
}

bool MainWindowController::OnShow() {
  view.ShowWindow(kSwShowNormal);
  view.SetForeground();
  return true;
}

bool MainWindowController::OnDisableBox() {
  app.settings.disabled = view.IsButtonChecked(IDC_DISABLE) ? 1 : 0;
  services.SaveSettings();
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnToggleDisabled() {
  TessalySettings& s = app.settings;
  s.disabled = s.disabled == 0 ? 1 : 0;
  services.SaveSettings();
  view.CheckButton(IDC_DISABLE, s.disabled != 0);
  UpdateDisabledState();
  return true;
}

bool MainWindowController::OnFlagBox(uint32_t id, uint32_t code) {
  if (code != kBnClicked) return false;
  for (const FlagBox& box : kFlagBoxes) {
    if (static_cast<uint32_t>(box.id) != id) continue;
    app.settings.*box.flag = view.IsButtonChecked(box.id) ? 1 : 0;
    services.SaveSettings();
    return true;
  }
  return false;
}

bool MainWindowController::OnLaunch() {
  services.LaunchVantor("");
  return true;
}

bool MainWindowController::OnShowMe() {
  services.LaunchVantor(kShowMeArguments);
  return true;
}

void MainWindowController::UpdateDisabledState() {
  // The backup box's enabled state stands for both action boxes, so a
  // repeated call changes nothing and does not set the tray icon again.
  const bool enabled = view.IsControlEnabled(IDC_BACKUP);
  if (app.settings.disabled == 0) {
    if (enabled) return;
    view.EnableControl(IDC_BACKUP, true);
    view.EnableControl(IDC_QUICKCHECK, true);
    view.RepaintControlBackground(IDC_BACKUP);
    view.RepaintControlBackground(IDC_QUICKCHECK);
    view.ShowTrayIcon(IDR_TRAY);
  } else {
    if (!enabled) return;
    view.EnableControl(IDC_BACKUP, false);
    view.EnableControl(IDC_QUICKCHECK, false);
    // The boxes draw their text transparently over the picture: without the
    // picture put back first, the grey text would land on the black one.
    view.RepaintControlBackground(IDC_BACKUP);
    view.RepaintControlBackground(IDC_QUICKCHECK);
    view.ShowTrayIcon(IDR_TRAY_DISABLED);
  }
}

void MainWindowController::RefreshLastRunText() {
  if (app.settings.lastTime == 0) {
    view.SetTextOverBackground(IDC_LAST_RUN, "");
    return;
  }
  DateTimeFormatter formatter(clock);
  view.SetTextOverBackground(IDC_LAST_RUN, formatter.FormatSeconds(&app.settings.lastTime));
}

void MainWindowController::StampLastRun() {
  app.settings.lastTime = clock.Now();
  services.SaveSettings();
  RefreshLastRunText();
}

void MainWindowController::SetQuickCheckStatus(uintptr_t index) {
  // Only 0 and 1 name a light; anything else would index past the pictures.
  app.settings.quickCheckStatus = NormaliseLightIndex(static_cast<int32_t>(index));
  view.RedrawLight();
}

int MainWindowController::LightIndex() const {
  return NormaliseLightIndex(app.settings.quickCheckStatus);
}

bool MainWindowController::OnChooseSaveLocation() {
  if (companions.ChangeSnapshotDir(app.settings.saveDir, "Select Save Directory") != 0) {
    // The chooser writes into the 260-byte buffer; make sure it ends there.
    app.settings.saveDir[kPathSize - 1] = '\0';
    services.SaveSettings();
  }
  return true;
}

bool MainWindowController::OnBackupNow() {
  if (services.BackupSystemFiles(true)) StampLastRun();
  return true;
}

bool MainWindowController::OnSnapshot() {
  // The snapshot's own windows pump messages, and the snapshot commands may
  // arrive again meanwhile: those are ignored.
  ReentryGuard busy(app.snapshotBusy);
  if (busy.entered() && companions.SaveSnapshotGUI() != 0) StampLastRun();
  return true;
}

bool MainWindowController::OnHelp() {
  char path[kPathSize];
  services.GetInstallDirectory(path, sizeof path);
  // A path that does not fit is not opened: a cut path would name another file.
  if (JoinPath(path, path, "Help\\Tessaly.hlp") && view.OpenHelp(path)) helpOpened = true;
  return true;
}

void MainWindowController::OnDestroy() {
  if (helpOpened) view.CloseHelp();
  view.ShowTrayIcon(kTrayRemove);
}

}  // namespace tessaly

#include "ui/main_window_controller.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_companions.h"
#include "fakes/fake_profile.h"
#include "presentation/locale_formats.h"
#include "res/resource.h"
#include "ui/control_colours.h"
#include "ui/layout_fit.h"
#include "ui/main_window_pictures.h"
#include "base/messages.h"
#include "base/text.h"

namespace tessaly {
namespace {

// One entry of FakeView's log: the call and its id.
std::string Call(const char* what, long id) { return std::string(what) + " " + std::to_string(id); }

// Records what the controller asks of the window.
class FakeView : public MainWindowView {
 public:
  std::set<int> disabledControls;
  std::map<int, bool> checked;
  int comboCount = 6;
  int comboSelection = -1;
  std::vector<std::string> log;
  std::map<int, std::string> texts;
  std::vector<int> trayIcons;
  bool helpResult = true;
  std::string helpPath;

  bool IsControlEnabled(int id) override { return disabledControls.count(id) == 0; }
  void EnableControl(int id, bool enable) override {
    log.push_back((enable ? "enable " : "disable ") + std::to_string(id));
    if (enable) disabledControls.erase(id); else disabledControls.insert(id);
  }
  bool IsButtonChecked(int id) override { return checked[id]; }
  void CheckButton(int id, bool on) override { checked[id] = on; }
  int ComboCount(int) override { return comboCount; }
  int ComboSelection(int) override { return comboSelection; }
  void SetComboSelection(int, int index) override { comboSelection = index; }
  void LoadStatusBitmaps() override { log.push_back("bitmaps"); }
  void RepaintControlBackground(int id) override { log.push_back("repaint " + std::to_string(id)); }
  void SetTextOverBackground(int id, const char* text) override {
    texts[id] = text;
    log.push_back("text " + std::to_string(id));
  }
  void ShowWindow(int command) override { log.push_back("show " + std::to_string(command)); }
  void SetForeground() override { log.push_back("foreground"); }
  void RedrawLight() override { log.push_back("light"); }
  void PostQuit() override { log.push_back("quit"); }
  void BindTrayIcon(uint32_t message) override {
    log.push_back("bind tray " + std::to_string(message));
  }
  int32_t ShowTrayIcon(int id) override {
    trayIcons.push_back(id);
    log.push_back("tray " + std::to_string(id));
    return 1;
  }
  bool OpenHelp(const char* path) override {
    helpPath = path;
    log.push_back("help");
    return helpResult;
  }
  void CloseHelp() override { log.push_back("help quit"); }
};

class FakeServices : public MainWindowServices {
 public:
  int saves = 0;
  bool backupResult = true;
  std::vector<bool> backups;
  std::vector<std::string> launches;
  std::string installDirectory = "C:\\VANTOR";

  void SaveSettings() override { ++saves; }
  bool BackupSystemFiles(bool confirm) override {
    backups.push_back(confirm);
    return backupResult;
  }
  void LaunchVantor(const char* arguments) override { launches.push_back(arguments); }
  void GetInstallDirectory(char* out, size_t size) override {
    CopyText(out, size, installDirectory.c_str());
  }
};

class MainWindowControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeProfile noRegionalSettings;
    LoadLocaleFormats(noRegionalSettings);
    app.snapshotBusy = 0;
    app.settings.idle = 1;
    app.settings.backup = 1;
    app.settings.quickCheck = 1;
    app.settings.maxOnce = 1;
    clock.now = clock.At(1998, 3, 5, 9, 7);
  }
  // Whether the controller counts the help viewer as opened: shutdown then
  // closes it.
  bool HelpClosedAtDestroy() {
    view.log.clear();
    controller.OnDestroy();
    return std::find(view.log.begin(), view.log.end(), "help quit") != view.log.end();
  }
  AppState app;
  FakeView view;
  FakeServices services;
  FakeCompanions companions;
  FakeClock clock;
  MainWindowController controller{app, view, services, companions, clock};
};

TEST_F(MainWindowControllerTest, InitTicksBoxesAndSelectsIdle) {
  app.settings.idle = 3;
  app.settings.quickCheck = 0;
  controller.OnInitDialog();
  EXPECT_EQ(view.comboSelection, 3);
  EXPECT_TRUE(view.checked[IDC_BACKUP]);
  EXPECT_FALSE(view.checked[IDC_QUICKCHECK]);
  EXPECT_TRUE(view.checked[IDC_MAX_ONCE]);
  EXPECT_FALSE(view.checked[IDC_DISABLE]);
  EXPECT_EQ(services.saves, 0) << "initialisation saves nothing";
}

class IdleOutOfRange : public MainWindowControllerTest,
                       public ::testing::WithParamInterface<int32_t> {};

TEST_P(IdleOutOfRange, BecomesOneHourInMemoryOnly) {
  app.settings.idle = GetParam();
  controller.OnInitDialog();
  EXPECT_EQ(app.settings.idle, 1);
  EXPECT_EQ(view.comboSelection, 1);
  EXPECT_EQ(services.saves, 0);
}

INSTANTIATE_TEST_SUITE_P(Stored, IdleOutOfRange, ::testing::Values(-1, 6, 7, INT32_MIN, INT32_MAX));

TEST_F(MainWindowControllerTest, InitOrderPicturesThenTrayThenDisabledStateThenText) {
  app.settings.disabled = 1;
  controller.OnInitDialog();
  const std::vector<std::string> expected = {
      "bitmaps",
      Call("bind tray", kMsgTrayCallback),
      Call("tray", IDR_TRAY_DISABLED),
      Call("disable", IDC_BACKUP),
      Call("disable", IDC_QUICKCHECK),
      Call("repaint", IDC_BACKUP),
      Call("repaint", IDC_QUICKCHECK),
      Call("tray", IDR_TRAY_DISABLED),
      Call("text", IDC_LAST_RUN)};
  EXPECT_EQ(view.log, expected);
}

// Without the window and message the shell would keep the icon but tell no
// one about clicks on it.
TEST_F(MainWindowControllerTest, InitBindsTheTrayIconToTheWindowBeforeAddingIt) {
  controller.OnInitDialog();
  ASSERT_GE(view.log.size(), 3u);
  EXPECT_EQ(view.log[1], Call("bind tray", kMsgTrayCallback));
  EXPECT_EQ(view.log[2], Call("tray", IDR_TRAY));
}

TEST_F(MainWindowControllerTest, InitNormalisesLightIndex) {
  app.settings.quickCheckStatus = 5;
  controller.OnInitDialog();
  EXPECT_EQ(app.settings.quickCheckStatus, 0);
}

TEST_F(MainWindowControllerTest, LastRunTextEmptyWhenNeverRun) {
  app.settings.lastTime = 0;
  controller.RefreshLastRunText();
  EXPECT_EQ(view.texts[IDC_LAST_RUN], "");
}

TEST_F(MainWindowControllerTest, StampLastRunSavesAndShowsTime) {
  controller.StampLastRun();
  EXPECT_EQ(app.settings.lastTime, clock.now);
  EXPECT_EQ(services.saves, 1);
  EXPECT_EQ(view.texts[IDC_LAST_RUN], "03/05/1998 09:07");
}

// Each check box sets its own flag from the box's state and saves.
struct BoxCase {
  int id;
  int32_t TessalySettings::*field;
};

class CheckBoxCommand : public MainWindowControllerTest,
                        public ::testing::WithParamInterface<BoxCase> {};

TEST_P(CheckBoxCommand, FollowsTheBoxAndSaves) {
  const BoxCase c = GetParam();
  for (bool on : {false, true, false}) {
    view.checked[c.id] = on;
    EXPECT_TRUE(controller.OnCommand(c.id, kBnClicked));
    EXPECT_EQ(app.settings.*c.field, on ? 1 : 0);
  }
  EXPECT_EQ(services.saves, 3);
}

INSTANTIATE_TEST_SUITE_P(Boxes, CheckBoxCommand,
                         ::testing::Values(BoxCase{IDC_BACKUP, &TessalySettings::backup},
                                           BoxCase{IDC_QUICKCHECK, &TessalySettings::quickCheck},
                                           BoxCase{IDC_MAX_ONCE, &TessalySettings::maxOnce},
                                           BoxCase{IDC_DISABLE, &TessalySettings::disabled}));

TEST_F(MainWindowControllerTest, DisableBoxGreysActionsAndSwapsTrayIcon) {
  view.checked[IDC_DISABLE] = true;
  controller.OnCommand(IDC_DISABLE, kBnClicked);
  EXPECT_FALSE(view.IsControlEnabled(IDC_BACKUP));
  EXPECT_FALSE(view.IsControlEnabled(IDC_QUICKCHECK));
  EXPECT_EQ(view.trayIcons, std::vector<int>{IDR_TRAY_DISABLED});
  EXPECT_EQ(std::count(view.log.begin(), view.log.end(), Call("repaint", IDC_BACKUP)), 1)
      << "the picture is put back under the greyed text";

  view.log.clear();
  view.checked[IDC_DISABLE] = false;
  controller.OnCommand(IDC_DISABLE, kBnClicked);
  const std::vector<std::string> expected = {
      Call("enable", IDC_BACKUP), Call("enable", IDC_QUICKCHECK), Call("repaint", IDC_BACKUP),
      Call("repaint", IDC_QUICKCHECK), Call("tray", IDR_TRAY)};
  EXPECT_EQ(view.log, expected);
}

TEST_F(MainWindowControllerTest, UpdateDisabledStateTwiceChangesNothingTheSecondTime) {
  app.settings.disabled = 1;
  controller.UpdateDisabledState();
  const size_t calls = view.log.size();
  controller.UpdateDisabledState();
  EXPECT_EQ(view.log.size(), calls);
  app.settings.disabled = 0;
  controller.UpdateDisabledState();
  const size_t enabledCalls = view.log.size();
  controller.UpdateDisabledState();
  EXPECT_EQ(view.log.size(), enabledCalls);
  EXPECT_EQ(view.trayIcons, (std::vector<int>{IDR_TRAY_DISABLED, IDR_TRAY}));
}

TEST_F(MainWindowControllerTest, TrayDisableTogglesFlagAndTicksBox) {
  controller.OnCommand(ID_TRAY_DISABLE, kBnClicked);
  EXPECT_EQ(app.settings.disabled, 1);
  EXPECT_TRUE(view.checked[IDC_DISABLE]);
  EXPECT_FALSE(view.IsControlEnabled(IDC_BACKUP));
  controller.OnCommand(ID_TRAY_DISABLE, kBnClicked);
  EXPECT_EQ(app.settings.disabled, 0);
  EXPECT_FALSE(view.checked[IDC_DISABLE]);
  EXPECT_TRUE(view.IsControlEnabled(IDC_BACKUP));
  EXPECT_EQ(services.saves, 2);
}

TEST_F(MainWindowControllerTest, ComboSelectionChangesIdleUnlessNothingSelected) {
  view.comboSelection = 4;
  EXPECT_TRUE(controller.OnCommand(IDC_IDLE, kCbnSelChange));
  EXPECT_EQ(app.settings.idle, 4);
  EXPECT_EQ(services.saves, 1);
  view.comboSelection = -1;
  controller.OnCommand(IDC_IDLE, kCbnSelChange);
  EXPECT_EQ(app.settings.idle, 4);
  EXPECT_EQ(services.saves, 1);
  // Other combo notifications are not the selection change.
  view.comboSelection = 2;
  EXPECT_FALSE(controller.OnCommand(IDC_IDLE, 7));
  EXPECT_EQ(app.settings.idle, 4);
}

TEST_F(MainWindowControllerTest, BackupNowStampsOnlyWhenDone) {
  services.backupResult = false;
  controller.OnCommand(ID_TRAY_BACKUP_NOW, kBnClicked);
  EXPECT_EQ(app.settings.lastTime, 0);
  EXPECT_EQ(services.saves, 0);
  services.backupResult = true;
  controller.OnCommand(ID_TRAY_BACKUP_NOW, kBnClicked);
  EXPECT_EQ(app.settings.lastTime, clock.now);
  EXPECT_EQ(services.backups, (std::vector<bool>{true, true})) << "always with confirmation";
}

TEST_F(MainWindowControllerTest, LocationSavesOnlyOnChoice) {
  CopyText(app.settings.saveDir, "C:\\OLD");
  companions.snapshotDirResult = 0;
  controller.OnCommand(IDC_LOCATION, kBnClicked);
  EXPECT_STREQ(app.settings.saveDir, "C:\\OLD");
  EXPECT_EQ(services.saves, 0);
  companions.snapshotDirResult = 1;
  companions.snapshotDirChoice = "D:\\BACKUPS";
  controller.OnCommand(IDC_LOCATION, kBnClicked);
  EXPECT_STREQ(app.settings.saveDir, "D:\\BACKUPS");
  EXPECT_EQ(services.saves, 1);
  EXPECT_EQ(companions.calls.back(), "snapshotdir Select Save Directory");
}

TEST_F(MainWindowControllerTest, SnapshotIgnoredWhileOneRuns) {
  companions.snapshotGuiResult = 1;
  int nested = 0;
  // The snapshot's own windows dispatch messages, and both snapshot commands
  // arrive again meanwhile.
  companions.onSnapshotGui = [&] {
    ++nested;
    EXPECT_TRUE(controller.OnCommand(ID_SNAPSHOT, kBnClicked));
    EXPECT_TRUE(controller.OnCommand(IDC_SNAPSHOT, kBnClicked));
  };
  controller.OnCommand(IDC_SNAPSHOT, kBnClicked);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(app.settings.lastTime, clock.now);
  EXPECT_EQ(app.snapshotBusy, 0) << "the guard is cleared afterwards";
}

TEST_F(MainWindowControllerTest, FailedSnapshotLeavesLastTime) {
  companions.snapshotGuiResult = 0;
  controller.OnCommand(ID_SNAPSHOT, kBnClicked);
  EXPECT_EQ(app.settings.lastTime, 0);
  EXPECT_EQ(services.saves, 0);
}

struct LaunchCase {
  int id;
  const char* arguments;
};
class LaunchCommand : public MainWindowControllerTest,
                      public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchCommand, PassesTheArgumentText) {
  EXPECT_TRUE(controller.OnCommand(GetParam().id, kBnClicked));
  ASSERT_EQ(services.launches.size(), 1u);
  EXPECT_EQ(services.launches[0], GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Buttons, LaunchCommand,
                         ::testing::Values(LaunchCase{IDC_LAUNCH_VANTOR, ""},
                                           LaunchCase{ID_TRAY_LAUNCH_VANTOR, ""},
                                           LaunchCase{IDC_SHOW_ME, "/D:610"}));

TEST_F(MainWindowControllerTest, WindowCommands) {
  controller.OnCommand(IDOK, kBnClicked);
  controller.OnCommand(ID_TRAY_SHOW, kBnClicked);
  controller.OnCommand(IDCANCEL, kBnClicked);
  controller.OnCommand(ID_TRAY_UNLOAD, kBnClicked);
  const std::vector<std::string> expected = {"show 0", "show 1", "foreground", "quit", "quit"};
  EXPECT_EQ(view.log, expected);
}

TEST_F(MainWindowControllerTest, MinimisedHidesOtherSizesDoNot) {
  EXPECT_FALSE(controller.OnSize(0));
  EXPECT_FALSE(controller.OnSize(2));
  EXPECT_TRUE(controller.OnSize(1));
  EXPECT_EQ(view.log, std::vector<std::string>{"show 0"});
}

TEST_F(MainWindowControllerTest, UnknownCommandsAndCodesAreNotHandled) {
  EXPECT_FALSE(controller.OnCommand(4242, kBnClicked));
  EXPECT_FALSE(controller.OnCommand(IDC_BACKUP, 5));
  EXPECT_FALSE(controller.OnCommand(IDC_LAST_RUN, kBnClicked));
  EXPECT_TRUE(controller.OnCommand(IDC_LAST_RUN, kEnKillFocus));
  EXPECT_EQ(services.saves, 0);
}

TEST_F(MainWindowControllerTest, QuickCheckStatusMessageSelectsLight) {
  controller.SetQuickCheckStatus(1);
  EXPECT_EQ(controller.LightIndex(), 1);
  controller.SetQuickCheckStatus(0);
  EXPECT_EQ(controller.LightIndex(), 0);
  controller.SetQuickCheckStatus(77);  // no such light
  EXPECT_EQ(controller.LightIndex(), 0);
  EXPECT_EQ(view.log, (std::vector<std::string>{"light", "light", "light"}));
}

struct HelpCase {
  const char* installDirectory;
  const char* path;
};
class HelpCommand : public MainWindowControllerTest,
                    public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpCommand, OpensTheHelpFileOfTheInstallFolder) {
  services.installDirectory = GetParam().installDirectory;
  controller.OnCommand(ID_HELP, kBnClicked);
  EXPECT_EQ(view.helpPath, GetParam().path);
  EXPECT_TRUE(HelpClosedAtDestroy());
}

INSTANTIATE_TEST_SUITE_P(Folders, HelpCommand,
                         ::testing::Values(HelpCase{"C:\\VANTOR", "C:\\VANTOR\\Help\\Tessaly.hlp"},
                                           HelpCase{"C:\\VANTOR\\", "C:\\VANTOR\\Help\\Tessaly.hlp"},
                                           HelpCase{"", "\\Help\\Tessaly.hlp"}));

TEST_F(MainWindowControllerTest, HelpPathTooLongIsNotOpened) {
  services.installDirectory = std::string(250, 'd');
  controller.OnCommand(ID_HELP, kBnClicked);
  EXPECT_TRUE(view.helpPath.empty());
  EXPECT_FALSE(HelpClosedAtDestroy());
}

TEST_F(MainWindowControllerTest, DestroyClosesHelpOnlyWhenOpenedAndRemovesIcon) {
  controller.OnDestroy();
  EXPECT_EQ(view.log, std::vector<std::string>{"tray 0"});
  view.log.clear();
  controller.OnCommand(ID_HELP, kBnClicked);
  view.log.clear();
  controller.OnDestroy();
  EXPECT_EQ(view.log, (std::vector<std::string>{"help quit", "tray 0"}));
}

TEST_F(MainWindowControllerTest, FailedHelpKeepsFlag) {
  view.helpResult = false;
  controller.OnCommand(ID_HELP, kBnClicked);
  EXPECT_FALSE(HelpClosedAtDestroy());
}

struct PictureCase {
  bool rich, large;
  MainWindowPictures expected;
};
class Pictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Pictures, ChosenByColourAndFontSize) {
  const PictureCase c = GetParam();
  const MainWindowPictures p = ChooseMainWindowPictures(c.rich, c.large);
  EXPECT_EQ(p.buttonUp, c.expected.buttonUp);
  EXPECT_EQ(p.buttonDown, c.expected.buttonDown);
  EXPECT_EQ(p.buttonFocus, c.expected.buttonFocus);
  EXPECT_EQ(p.buttonDisabled, c.expected.buttonDisabled);
  EXPECT_EQ(p.background, c.expected.background);
  EXPECT_EQ(p.sizeTemplate, c.expected.sizeTemplate);
  EXPECT_EQ(p.light[0], c.expected.light[0]);
  EXPECT_EQ(p.light[1], c.expected.light[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Displays, Pictures,
    ::testing::Values(
        PictureCase{false, false,
                    {IDB_BUTTON_UP_16, IDB_BUTTON_DOWN_16, IDB_BUTTON_FOCUS_16, IDB_BUTTON_UP_16,
                     IDB_BACKGROUND_SMALL_16, IDB_BACKGROUND_SMALL_256, {IDB_LIGHT_GREEN_16, IDB_LIGHT_RED_16}}},
        PictureCase{false, true,
                    {IDB_BUTTON_UP_16, IDB_BUTTON_DOWN_16, IDB_BUTTON_FOCUS_16, IDB_BUTTON_UP_16,
                     IDB_BACKGROUND_LARGE_16, IDB_BACKGROUND_LARGE_256, {IDB_LIGHT_GREEN_16, IDB_LIGHT_RED_16}}},
        PictureCase{true, false,
                    {IDB_BUTTON_UP_256, IDB_BUTTON_DOWN_256, IDB_BUTTON_FOCUS_256, IDB_BUTTON_UP_256,
                     IDB_BACKGROUND_SMALL_256, IDB_BACKGROUND_SMALL_256, {IDB_LIGHT_GREEN_256, IDB_LIGHT_RED_256}}},
        PictureCase{true, true,
                    {IDB_BUTTON_UP_256, IDB_BUTTON_DOWN_256, IDB_BUTTON_FOCUS_256, IDB_BUTTON_UP_256,
                     IDB_BACKGROUND_LARGE_256, IDB_BACKGROUND_LARGE_256, {IDB_LIGHT_GREEN_256, IDB_LIGHT_RED_256}}}));

TEST(MainWindowSize, AddsFramesAndCaptionButtonHeight) {
  const SystemMetrics normal{3, 3, 18};
  const WindowSize small = MainWindowSize(292, 347, normal);
  EXPECT_EQ(small.cx, 298);
  EXPECT_EQ(small.cy, 371);
  const SystemMetrics large{3, 3, 23};
  const WindowSize big = MainWindowSize(391, 429, large);
  EXPECT_EQ(big.cx, 397);
  EXPECT_EQ(big.cy, 458);
}

struct FitCase {
  int pictureWidth, pictureHeight, unitsX, unitsY;
  bool needed;
  double x, y;
};
class FitLayout : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitLayout, ScalesOnlyWhenTheFontDiffersFromThePicture) {
  const FitCase c = GetParam();
  const LayoutScale s = FitLayoutToPicture(c.pictureWidth, c.pictureHeight, c.unitsX, c.unitsY);
  EXPECT_EQ(s.needed, c.needed);
  EXPECT_NEAR(s.x, c.x, 0.01);
  EXPECT_NEAR(s.y, c.y, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FitLayout,
    ::testing::Values(FitCase{292, 347, 6, 13, false, 1.0, 1.0},   // small fonts as drawn
                      FitCase{391, 429, 8, 16, false, 1.0, 1.0},   // large fonts as drawn
                      FitCase{292, 347, 7, 13, true, 0.851, 0.998},  // a wider font
                      FitCase{292, 347, 0, 13, false, 1.0, 1.0}));  // no answer: leave it

TEST(FitLayout, ScaleRectRounds) {
  const PixelRect r = ScaleRect(PixelRect{10, 20, 30, 41}, LayoutScale{0.5, 2.0, true});
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 15);
  EXPECT_EQ(r.bottom, 82);
}

TEST(FitLayout, FontHeightIsTheLargestThatFits) {
  // Average width grows by one pixel per two pixels of height.
  auto measure = [](int h) { return h / 2.0 + 1; };
  EXPECT_EQ(ChooseFittingFontHeight(13, 8, 6.0, measure), 10);
  EXPECT_EQ(ChooseFittingFontHeight(13, 8, 100.0, measure), 13);
  EXPECT_EQ(ChooseFittingFontHeight(13, 8, 1.0, measure), 8);
}

// The controls the user types in or picks from keep the platform's colours;
// the others are drawn over the picture. By the platform's CTLCOLOR_* types.
TEST(ControlColours, EditAndListKeepBaseBrushOthersTransparent) {
  const struct {
    int type;
    const char* control;
    bool keeps;
  } kTypes[] = {{0, "message box", false}, {1, "edit", true},    {2, "list box", true},
                {3, "button", false},      {4, "dialog", false}, {5, "scroll bar", false},
                {6, "static", false}};
  for (const auto& t : kTypes) EXPECT_EQ(KeepsBaseBrush(t.type), t.keeps) << t.control;
}

}  // namespace
}  // namespace tessaly

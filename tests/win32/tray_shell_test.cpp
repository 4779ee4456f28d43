// The tray icon on the real shell: the record goes to Shell_NotifyIconA in
// its first form (88 bytes) and Wine's shell accepts add, modify and delete;
// with the program's resources, the normal and disabled icons and tips are
// shown, a
// double click sends the menu's first command, and a right click opens menu
// IDR_TRAY with its default item and, while disabled, its check mark.
#include <windows.h>

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "contracts/tray_menu.h"
#include "res/resource.h"
#include "ui/tray_icon.h"
#include "ui/win32/framework_dialog.h"
#include "ui/win32/tray_shell.h"
#include "win32/framework_test_ids.h"
#include "win32/message_pump.h"

namespace tessaly {
namespace {

// The window that receives the tray callbacks and the menu's commands.
class OwnerWindow : public CDialog {
 public:
  OwnerWindow() : CDialog(IDD_FRAMEWORK_TEST) {}
  std::vector<UINT> commands;

 protected:
  bool DispatchMessageMap(WindowMessage& m) override {
    static const MessageMapEntry<OwnerWindow> kMap[] = {
        AnyCommandEntry(&OwnerWindow::OnCommand)};
    return DispatchEntries(*this, kMap, m);
  }

 private:
  bool OnCommand(uint32_t id, uint32_t) {
    commands.push_back(id);
    return true;
  }
};

WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The real shell, with each record it was handed kept for the test.
class RecordingTrayShell : public Win32TrayShell {
 public:
  bool NotifyIcon(TrayOperation operation, const TrayRecord& record) override {
    operations.push_back(operation);
    last = record;
    return Win32TrayShell::NotifyIcon(operation, record);
  }
  std::vector<TrayOperation> operations;
  TrayRecord last{};
};

TEST(TrayShell, RecordBecomesTheFirstFormOfNotifyIconData) {
  TrayRecord record{};
  record.size = kTrayRecordSize;
  record.window = 0x1234;
  record.id = IDR_TRAY;
  record.flags = kNifIcon | kNifTip | kNifMessage;
  record.callbackMessage = kMsgTrayCallback;
  record.icon = 0x5678;
  memset(record.tip, 'x', sizeof record.tip);  // even an unterminated tip stays bounded
  const NOTIFYICONDATAA data = Win32TrayShell::ToNotifyIconData(record);
  EXPECT_EQ(data.cbSize, 88u);
  EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(data.uID, UINT{IDR_TRAY});
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE));
  EXPECT_EQ(data.uCallbackMessage, UINT{kMsgTrayCallback});
  EXPECT_EQ(data.hIcon, reinterpret_cast<HICON>(0x5678));
  EXPECT_EQ(strnlen(data.szTip, 64), 63u);
}

TEST(TrayShell, ShellAcceptsAddModifyAndDeleteOfTheFirstForm) {
  OwnerWindow owner;
  ASSERT_TRUE(owner.Create());
  RecordingTrayShell shell;
  TessalySettings settings{};
  CTrayIcon icon(IDR_TRAY, shell, settings);
  icon.SetCallbackWindow(Handle(owner.GetSafeHwnd()), kMsgTrayCallback);
  // A shared system icon: the shell object never destroys it.
  const IconHandle application = reinterpret_cast<IconHandle>(LoadIconA(nullptr, IDI_APPLICATION));
  const IconHandle warning = reinterpret_cast<IconHandle>(LoadIconA(nullptr, IDI_EXCLAMATION));
  ASSERT_NE(application, 0u);
  EXPECT_TRUE(icon.ApplyIcon(application));  // NIM_ADD
  EXPECT_TRUE(icon.ApplyIcon(warning));      // NIM_MODIFY
  EXPECT_TRUE(icon.ApplyIcon(0));            // NIM_DELETE
  EXPECT_TRUE(icon.ApplyIcon(0));            // nothing shown: nothing sent
  EXPECT_EQ(shell.operations, (std::vector<TrayOperation>{
                                  TrayOperation::kAdd, TrayOperation::kModify,
                                  TrayOperation::kDelete}));
  // System icons stay valid: they were not the shell object's to destroy.
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(application), &info));
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(TrayShell, MissingResourcesGiveNothing) {
  RecordingTrayShell shell;
  char text[64] = "junk";
  EXPECT_EQ(shell.LoadText(4321, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(shell.LoadSmallIcon(4321), 0u);
  EXPECT_EQ(shell.LoadStandardIcon(4321), 0u);
  EXPECT_EQ(shell.LoadMenuResource(4321), 0u);
  TessalySettings settings{};
  CTrayIcon icon(4321, shell, settings);
  EXPECT_TRUE(icon.ShowIconResource(4321));  // nothing to show, nothing sent
  EXPECT_TRUE(shell.operations.empty());
  EXPECT_EQ(icon.HandleCallback(4321, WM_RBUTTONUP), 0);
  EXPECT_EQ(icon.HandleCallback(4321, WM_LBUTTONDBLCLK), 0);
}

#ifdef TESSALY_TEST_RESOURCES

constexpr char kTipNormal[] = "Double-click on the icon to open the Tessaly";
constexpr char kTipDisabled[] =
    "Vantor Tessaly is disabled. Double-click on the icon to open the Tessaly";

class TrayWithResources : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create());
    icon.SetCallbackWindow(Handle(owner.GetSafeHwnd()), kMsgTrayCallback);
  }
  void TearDown() override { tessaly_test::PumpPending(); }

  OwnerWindow owner;
  RecordingTrayShell shell;
  TessalySettings settings{};
  CTrayIcon icon{IDR_TRAY, shell, settings};
};

int IconWidth(IconHandle handle) {
  ICONINFO info;
  if (!GetIconInfo(reinterpret_cast<HICON>(handle), &info)) return -1;
  BITMAP bm{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return bm.bmWidth;
}

TEST_F(TrayWithResources, ShowsNormalThenDisabledIconWithTheirTips) {
  ASSERT_TRUE(icon.ShowIconResource(IDR_TRAY));
  EXPECT_STREQ(shell.last.tip, kTipNormal);
  const IconHandle normal = shell.last.icon;
  EXPECT_EQ(IconWidth(normal), GetSystemMetrics(SM_CXSMSIZE));
  ASSERT_TRUE(icon.ShowIconResource(IDR_TRAY_DISABLED));
  EXPECT_EQ(std::string(shell.last.tip), std::string(kTipDisabled, 63));
  EXPECT_EQ(shell.last.id, uint32_t{IDR_TRAY});
  EXPECT_EQ(IconWidth(normal), -1);  // the replaced icon was destroyed
  const IconHandle disabled = shell.last.icon;
  EXPECT_EQ(IconWidth(disabled), GetSystemMetrics(SM_CXSMSIZE));
  EXPECT_TRUE(icon.ShowIconResource(0));
  EXPECT_EQ(IconWidth(disabled), -1);
  EXPECT_TRUE(icon.ShowIconResource(0));
}

TEST_F(TrayWithResources, DoubleClickSendsTheFirstMenuCommand) {
  ASSERT_TRUE(icon.ShowIconResource(IDR_TRAY));
  EXPECT_EQ(icon.HandleCallback(IDR_TRAY, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(owner.commands, std::vector<UINT>{ID_TRAY_SHOW});
  EXPECT_EQ(icon.HandleCallback(IDR_TRAY_DISABLED, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(icon.HandleCallback(IDR_TRAY, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(owner.commands.size(), 1u);
}

// What the open tray menu looked like, read from inside its own loop.
struct OpenMenu {
  bool seen = false;
  std::vector<UINT> items;
  UINT defaultItem = static_cast<UINT>(-1);
  bool disableChecked = false;
};
OpenMenu* g_openMenu = nullptr;

void CALLBACK InspectOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND popup = FindWindowA("#32768", nullptr);
  if (popup != nullptr && g_openMenu != nullptr) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    if (menu != nullptr) {
      g_openMenu->seen = true;
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        g_openMenu->items.push_back(GetMenuItemID(menu, i));
      }
      g_openMenu->defaultItem = GetMenuDefaultItem(menu, TRUE, 0);
      g_openMenu->disableChecked = (GetMenuState(menu, ID_TRAY_DISABLE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
  }
  EndMenu();
}

class TrayRightClick : public TrayWithResources, public testing::WithParamInterface<int32_t> {};

TEST_P(TrayRightClick, OpensMenu150WithDefaultItemAndCheckMarkWhileDisabled) {
  settings.disabled = GetParam();
  ASSERT_TRUE(icon.ShowIconResource(IDR_TRAY));
  ShowWindow(owner.GetSafeHwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(owner.GetSafeHwnd());
  OpenMenu seen;
  g_openMenu = &seen;
  ASSERT_NE(SetTimer(nullptr, 0, 200, InspectOpenMenu), 0u);
  EXPECT_EQ(icon.HandleCallback(IDR_TRAY, WM_RBUTTONUP), 1);
  g_openMenu = nullptr;

  ASSERT_TRUE(seen.seen) << "the pop-up menu did not open";
  EXPECT_EQ(std::vector<uint32_t>(seen.items.begin(), seen.items.end()), TrayMenuCommands());
  EXPECT_EQ(seen.defaultItem, 0u);
  EXPECT_EQ(seen.disableChecked, GetParam() != 0);
  // WM_NULL follows the closed menu.
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, owner.GetSafeHwnd(), WM_NULL, WM_NULL, PM_REMOVE));
  EXPECT_TRUE(owner.commands.empty());  // closed without a choice
}

INSTANTIATE_TEST_SUITE_P(Disabled, TrayRightClick, testing::Values(0, 1));

#endif  // TESSALY_TEST_RESOURCES

}  // namespace
}  // namespace tessaly

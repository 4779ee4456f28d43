// The notification-area icon against a recording shell: which operation each
// change sends, with which flags, id, tip and icon; the 63-character tip; and
// what each mouse message of the callback does.
#include <gtest/gtest.h>
#include <string.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/messages.h"
#include "contracts/tray_menu.h"
#include "fakes/fake_shell.h"
#include "res/resource.h"
#include "ui/tray_icon.h"

namespace tessaly {
namespace {

constexpr char kTipNormal[] = "Double-click on the icon to open the Tessaly";
constexpr char kTipDisabled[] =
    "Vantor Tessaly is disabled. Double-click on the icon to open the Tessaly";
constexpr WindowHandle kWindow = 0x77;

class TrayIconTest : public testing::Test {
 protected:
  TrayIconTest() {
    shell.strings = {{IDR_TRAY, kTipNormal}, {IDR_TRAY_DISABLED, kTipDisabled}};
    shell.smallIcons = {IDR_TRAY, IDR_TRAY_DISABLED};
    shell.menus[IDR_TRAY] = TrayMenuCommands();
    shell.cursor = {10, 20};
  }
  CTrayIcon& Icon() {
    if (!icon) icon = std::make_unique<CTrayIcon>(IDR_TRAY, shell, settings);
    return *icon;
  }
  CTrayIcon& BoundIcon() {
    Icon().SetCallbackWindow(kWindow, kMsgTrayCallback);
    return *icon;
  }
  // Whether an icon is shown, told by what a removal sends: a delete when
  // one is shown (which removes it), nothing when none is.
  bool RemovalSendsDelete() {
    const size_t before = shell.calls.size();
    icon->ShowIconResource(0);
    return shell.calls.size() > before && shell.calls.back().operation == TrayOperation::kDelete;
  }

  FakeShell shell;
  TessalySettings settings{};
  std::unique_ptr<CTrayIcon> icon;
};

TEST_F(TrayIconTest, ConstructionZeroesTheRecordAndLoadsTheTipOnly) {
  Icon();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(shell.loaded.empty());
  // The first show, with no callback window set, sends the zeroed record
  // with its size, id, tip and icon filled in.
  ASSERT_TRUE(icon->ShowIconResource(IDR_TRAY));
  ASSERT_EQ(shell.calls.size(), 1u);
  const TrayRecord& r = shell.calls[0].record;
  EXPECT_EQ(r.size, 88u);
  EXPECT_EQ(r.id, uint32_t{IDR_TRAY});
  EXPECT_EQ(r.window, 0u);
  EXPECT_EQ(r.flags, kNifIcon | kNifTip);
  EXPECT_EQ(r.callbackMessage, 0u);
  EXPECT_EQ(r.icon, shell.lastIcon);
  EXPECT_STREQ(r.tip, kTipNormal);
  // Every byte after the tip's terminator is still zero.
  const size_t used = strlen(kTipNormal);
  for (size_t i = used; i < kTrayTipSize; ++i) EXPECT_EQ(r.tip[i], '\0') << i;
}

TEST_F(TrayIconTest, MissingTipStringGivesAnEmptyTipAndNoTipFlag) {
  shell.strings.clear();
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_STREQ(shell.calls[0].record.tip, "");
  EXPECT_EQ(shell.calls[0].record.flags, kNifIcon | kNifMessage);
}

TEST_F(TrayIconTest, SetCallbackWindowSendsNothing) {
  BoundIcon();
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_TRUE(icon->ShowIconResource(IDR_TRAY));
  EXPECT_EQ(shell.calls[0].record.window, kWindow);
  EXPECT_EQ(shell.calls[0].record.callbackMessage, 1025u);
}

TEST_F(TrayIconTest, FirstShowAddsThenAChangeModifiesWithTheSameId) {
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  const IconHandle first = shell.lastIcon;
  ASSERT_TRUE(icon->ShowIconResource(IDR_TRAY_DISABLED));
  const IconHandle second = shell.lastIcon;

  ASSERT_EQ(shell.calls.size(), 2u);
  const TrayRecord& add = shell.calls[0].record;
  EXPECT_EQ(shell.calls[0].operation, TrayOperation::kAdd);
  EXPECT_EQ(add.size, 88u);
  EXPECT_EQ(add.id, uint32_t{IDR_TRAY});
  EXPECT_EQ(add.window, kWindow);
  EXPECT_EQ(add.callbackMessage, 1025u);
  EXPECT_EQ(add.flags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(add.icon, first);
  EXPECT_STREQ(add.tip, kTipNormal);

  const TrayRecord& modify = shell.calls[1].record;
  EXPECT_EQ(shell.calls[1].operation, TrayOperation::kModify);
  EXPECT_EQ(modify.id, uint32_t{IDR_TRAY});
  EXPECT_EQ(modify.flags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(modify.icon, second);
  EXPECT_EQ(std::string(modify.tip), std::string(kTipDisabled, 63));
  // The icon replaced by the change went back to the shell, the shown one not.
  EXPECT_EQ(shell.released, std::multiset<IconHandle>{first});
  EXPECT_TRUE(RemovalSendsDelete());
}

TEST_F(TrayIconTest, RemovingWhenNothingIsShownSendsNothingAndSucceeds) {
  shell.notifyResult = false;
  EXPECT_TRUE(BoundIcon().ShowIconResource(0));
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayIconTest, RemovingTwiceDeletesOnceWithTheShownIcon) {
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  const IconHandle shown = shell.lastIcon;
  EXPECT_TRUE(icon->ShowIconResource(0));
  EXPECT_TRUE(icon->ShowIconResource(0));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].operation, TrayOperation::kDelete);
  EXPECT_EQ(shell.calls[1].record.icon, shown);
  EXPECT_EQ(shell.calls[1].record.id, uint32_t{IDR_TRAY});
  EXPECT_EQ(shell.calls[1].record.flags, kNifMessage | kNifTip);
  EXPECT_FALSE(RemovalSendsDelete());
  EXPECT_EQ(shell.released, std::multiset<IconHandle>{shown});
}

TEST_F(TrayIconTest, DestructionRemovesAShownIcon) {
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY_DISABLED));
  icon.reset();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].operation, TrayOperation::kDelete);
}

TEST_F(TrayIconTest, DestructionWithoutAShownIconSendsNothing) {
  BoundIcon();
  icon.reset();
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayIconTest, AFailedAddOrModifyForgetsTheIconSoTheNextShowAdds) {
  BoundIcon();
  shell.notifyResult = false;
  EXPECT_FALSE(icon->ShowIconResource(IDR_TRAY));  // add fails
  EXPECT_FALSE(RemovalSendsDelete());
  shell.notifyResult = true;
  EXPECT_TRUE(icon->ShowIconResource(IDR_TRAY));  // added anew
  shell.notifyResult = false;
  EXPECT_FALSE(icon->ShowIconResource(IDR_TRAY_DISABLED));  // modify fails
  EXPECT_FALSE(RemovalSendsDelete());
  shell.notifyResult = true;
  EXPECT_TRUE(icon->ShowIconResource(IDR_TRAY_DISABLED));

  std::vector<TrayOperation> ops;
  for (const auto& call : shell.calls) ops.push_back(call.operation);
  EXPECT_EQ(ops, (std::vector<TrayOperation>{TrayOperation::kAdd, TrayOperation::kAdd,
                                             TrayOperation::kModify, TrayOperation::kAdd}));
}

TEST_F(TrayIconTest, EveryLoadedIconIsReleasedExactlyOnceByTheEnd) {
  BoundIcon();
  for (uint32_t id : {uint32_t{IDR_TRAY}, uint32_t{IDR_TRAY_DISABLED}, uint32_t{IDR_TRAY_DISABLED}, uint32_t{IDR_TRAY}, 0u, uint32_t{IDR_TRAY}}) icon->ShowIconResource(id);
  shell.notifyResult = false;
  icon->ShowIconResource(IDR_TRAY_DISABLED);  // failed modify: both icons are gone from the record
  shell.notifyResult = true;
  icon->ShowIconResource(IDR_TRAY);
  icon.reset();
  EXPECT_EQ(shell.loaded.size(), 7u);
  EXPECT_EQ(shell.released, shell.loaded);
}

TEST_F(TrayIconTest, MissingSmallIconFallsBackToTheStandardSize) {
  shell.smallIcons = {};
  shell.standardIcons = {IDR_TRAY};
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].record.icon, shell.lastIcon);
  EXPECT_EQ(shell.lastIcon % 2, 0u);  // a standard-size load
}

TEST_F(TrayIconTest, MissingIconAtBothSizesRemovesAShownIconAndAddsNothing) {
  shell.smallIcons = {IDR_TRAY};
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  EXPECT_TRUE(icon->ShowIconResource(IDR_TRAY_DISABLED));  // no icon IDR_TRAY_DISABLED at all
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].operation, TrayOperation::kDelete);
  EXPECT_FALSE(RemovalSendsDelete());
  EXPECT_TRUE(icon->ShowIconResource(IDR_TRAY_DISABLED));  // still none: nothing to send
  EXPECT_EQ(shell.calls.size(), 2u);
}

struct FlagCase {
  WindowHandle window;
  uint32_t message;
  uint32_t flags;
};

class TrayIconFlags : public TrayIconTest, public testing::WithParamInterface<FlagCase> {};

TEST_P(TrayIconFlags, MessageFlagNeedsBothWindowAndMessage) {
  Icon().SetCallbackWindow(GetParam().window, GetParam().message);
  ASSERT_TRUE(icon->ShowIconResource(IDR_TRAY));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].record.flags, GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    WindowAndMessage, TrayIconFlags,
    testing::Values(FlagCase{0, 0, kNifIcon | kNifTip}, FlagCase{kWindow, 0, kNifIcon | kNifTip},
                    FlagCase{0, 1025, kNifIcon | kNifTip},
                    FlagCase{kWindow, 1025, kNifMessage | kNifIcon | kNifTip}));

// The tip keeps at most 63 characters and its terminator, and never writes
// past the record.
class TrayTipLength : public testing::TestWithParam<size_t> {};

TEST_P(TrayTipLength, KeepsAtMost63Characters) {
  const size_t length = GetParam();
  std::string text;
  for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
  FakeShell shell;
  shell.strings[IDR_TRAY] = text;
  shell.strings[IDR_TRAY_DISABLED] = text;
  shell.smallIcons = {IDR_TRAY_DISABLED};
  TessalySettings settings{};
  // The object sits in a larger block whose bytes past its end must survive.
  alignas(CTrayIcon) unsigned char storage[sizeof(CTrayIcon) + 64];
  memset(storage, 0xA5, sizeof storage);
  CTrayIcon* icon = new (storage) CTrayIcon(IDR_TRAY, shell, settings);

  const size_t kept = length < 63 ? length : 63;
  icon->ShowIconResource(IDR_TRAY_DISABLED);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(strnlen(shell.calls[0].record.tip, kTrayTipSize), kept);
  EXPECT_EQ(std::string(shell.calls[0].record.tip), text.substr(0, kept));
  icon->~CTrayIcon();
  for (size_t i = sizeof(CTrayIcon); i < sizeof storage; ++i) ASSERT_EQ(storage[i], 0xA5) << i;
}

INSTANTIATE_TEST_SUITE_P(Lengths, TrayTipLength, testing::Values(0, 1, 62, 63, 64, 1000));

// What each callback does: result and the shell calls in order.
struct CallbackCase {
  const char* name;
  uintptr_t wParam;
  intptr_t lParam;
  int32_t disabled;
  int result;
  std::vector<std::string> log;
};

const std::string kPostNull = "PostMessage 119 0 0 0";
const std::string kForeground = "SetForegroundWindow 119";
const std::string kTrack = "TrackPopupMenu 10,20 owner 119";
const std::string kLoadMenu = "LoadMenu " + std::to_string(IDR_TRAY);
const std::string kSendShow = "SendMessage 119 273 " + std::to_string(ID_TRAY_SHOW) + " 0";

class TrayCallback : public TrayIconTest, public testing::WithParamInterface<CallbackCase> {};

TEST_P(TrayCallback, HandlesExactlyRightButtonUpAndLeftDoubleClickOfItsOwnIcon) {
  const CallbackCase& c = GetParam();
  settings.disabled = c.disabled;
  ASSERT_TRUE(BoundIcon().ShowIconResource(IDR_TRAY));
  EXPECT_EQ(icon->HandleCallback(c.wParam, c.lParam), c.result);
  EXPECT_EQ(shell.log, c.log);
  EXPECT_TRUE(shell.liveMenus.empty());
  EXPECT_EQ(shell.calls.size(), 1u);  // the icon itself is not touched
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TrayCallback,
    testing::Values(
        CallbackCase{"RightUpEnabled", IDR_TRAY, 0x205, 0, 1,
                     {kLoadMenu, "GetSubMenu 0", "SetMenuDefaultItem 0", "GetCursorPos",
                      kForeground, kTrack, kPostNull, "DestroyMenu"}},
        CallbackCase{"RightUpDisabledChecksDisable", IDR_TRAY, 0x205, 1, 1,
                     {kLoadMenu, "GetSubMenu 0", "SetMenuDefaultItem 0",
                      "CheckMenuItem " + std::to_string(ID_TRAY_DISABLE), "GetCursorPos",
                      kForeground, kTrack, kPostNull, "DestroyMenu"}},
        CallbackCase{"LeftDoubleClickSendsFirstCommand", IDR_TRAY, 0x203, 0, 1,
                     {kLoadMenu, "GetSubMenu 0", "GetMenuItemId 0", kSendShow,
                      "DestroyMenu"}},
        CallbackCase{"LeftDoubleClickWhileDisabled", IDR_TRAY, 0x203, 1, 1,
                     {kLoadMenu, "GetSubMenu 0", "GetMenuItemId 0", kSendShow,
                      "DestroyMenu"}},
        CallbackCase{"RightDown", IDR_TRAY, 0x204, 0, 0, {}},
        CallbackCase{"RightDoubleClick", IDR_TRAY, 0x206, 0, 0, {}},
        CallbackCase{"LeftDown", IDR_TRAY, 0x201, 0, 0, {}},
        CallbackCase{"LeftUp", IDR_TRAY, 0x202, 0, 0, {}},
        CallbackCase{"MouseMove", IDR_TRAY, 0x200, 0, 0, {}},
        CallbackCase{"NoMessage", IDR_TRAY, 0, 0, 0, {}},
        CallbackCase{"RightUpInHighWord", IDR_TRAY, 0x2050000, 0, 0, {}},
        CallbackCase{"OtherIconRightUp", IDR_TRAY_DISABLED, 0x205, 0, 0, {}},
        CallbackCase{"OtherIconDoubleClick", 151, 0x203, 1, 0, {}},
        CallbackCase{"NoIconId", 0, 0x205, 0, 0, {}}),
    [](const testing::TestParamInfo<CallbackCase>& info) { return info.param.name; });

TEST_F(TrayIconTest, MissingMenuIsNotHandled) {
  shell.menus.clear();
  EXPECT_EQ(BoundIcon().HandleCallback(IDR_TRAY, 0x205), 0);
  EXPECT_EQ(icon->HandleCallback(IDR_TRAY, 0x203), 0);
  EXPECT_EQ(shell.log, (std::vector<std::string>{kLoadMenu + " missing", kLoadMenu + " missing"}));
}

TEST_F(TrayIconTest, MissingPopupIsNotHandledAndTheMenuIsDestroyed) {
  shell.menuHasPopup = false;
  for (intptr_t message : {0x205, 0x203}) {
    shell.log.clear();
    EXPECT_EQ(BoundIcon().HandleCallback(IDR_TRAY, message), 0);
    EXPECT_EQ(shell.log,
              (std::vector<std::string>{kLoadMenu, "GetSubMenu 0", "DestroyMenu"}));
    EXPECT_TRUE(shell.liveMenus.empty());
  }
}

TEST_F(TrayIconTest, IdStaysTheConstructionIdWhateverPictureIsShown) {
  BoundIcon();
  for (uint32_t id : {uint32_t{IDR_TRAY_DISABLED}, uint32_t{IDR_TRAY}, uint32_t{IDR_TRAY_DISABLED}}) {
    icon->ShowIconResource(id);
    EXPECT_EQ(shell.calls.back().record.id, uint32_t{IDR_TRAY});
  }
  // A callback naming the picture's id rather than the icon's is not ours.
  EXPECT_EQ(icon->HandleCallback(IDR_TRAY_DISABLED, 0x203), 0);
  EXPECT_EQ(icon->HandleCallback(IDR_TRAY, 0x203), 1);
}

}  // namespace
}  // namespace tessaly

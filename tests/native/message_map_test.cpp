// Message-map lookup: which entry a message, command id and notification code
// reach, in which order entries are tried, and what a handler that declines
// does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/message_map.h"

namespace tessaly {
namespace {

constexpr uint32_t kWmTimer = 0x0113;
constexpr uint32_t kWmSize = 0x0005;
constexpr uint32_t kCbnSelChange = 1;
constexpr uint32_t kEnKillFocus = 0x200;

struct Target {
  std::vector<std::string> calls;
  bool declineSize = false;

  bool OnOk() { return Note("ok"); }
  bool OnCancel() { return Note("cancel"); }
  bool OnUnload() { return Note("unload"); }
  bool OnComboChange() { return Note("combo"); }
  bool OnEditKillFocus() { return Note("edit"); }
  bool OnSnapshot() { return Note("snapshot"); }
  bool OnDeclined() {
    calls.push_back("declined");
    return false;
  }
  bool OnTray(WindowMessage& m) {
    calls.push_back("tray " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
    m.result = 1;
    return true;
  }
  bool OnSize(WindowMessage& m) {
    calls.push_back("size");
    m.result = 42;
    return !declineSize;
  }
  bool OnSizeLate(WindowMessage& m) {
    calls.push_back("size late");
    m.result = 7;
    return true;
  }
  bool Note(const char* what) {
    calls.push_back(what);
    return true;
  }

  static const MessageMapEntry<Target> kMap[];
};

const MessageMapEntry<Target> Target::kMap[] = {
    MessageEntry(1025, &Target::OnTray),
    CommandEntry(1, &Target::OnOk),
    CommandEntry(2, &Target::OnCancel),
    CommandEntry(32778, &Target::OnCancel),
    ControlEntry(kCbnSelChange, 1003, &Target::OnComboChange),
    ControlEntry(kEnKillFocus, 1009, &Target::OnEditKillFocus),
    CommandEntry(1000, &Target::OnSnapshot),
    CommandEntry(32775, &Target::OnSnapshot),
    CommandEntry(4000, &Target::OnDeclined),
    MessageEntry(kWmSize, &Target::OnSize),
    MessageEntry(kWmSize, &Target::OnSizeLate),
};

WindowMessage Command(uint32_t id, uint32_t code, intptr_t control) {
  return {kWmCommand, (static_cast<uintptr_t>(code) << 16) | id, control, -1};
}

struct Case {
  const char* name;
  WindowMessage message;
  bool handled;
  std::vector<std::string> calls;
  intptr_t result;  // when handled
};

class MessageMapLookup : public testing::TestWithParam<Case> {};

TEST_P(MessageMapLookup, ReachesTheEntryForMessageIdAndCode) {
  const Case& c = GetParam();
  Target target;
  WindowMessage m = c.message;
  EXPECT_EQ(DispatchEntries(target, Target::kMap, m), c.handled);
  EXPECT_EQ(target.calls, c.calls);
  if (c.handled) {
    EXPECT_EQ(m.result, c.result);
  }
}

constexpr intptr_t kControl = 0x4242;  // a control's window handle

INSTANTIATE_TEST_SUITE_P(
    Table, MessageMapLookup,
    testing::Values(
        Case{"PrivateMessage", {1025, 150, 0x205, -1}, true, {"tray 150 517"}, 1},
        Case{"ButtonClick", Command(1, 0, kControl), true, {"ok"}, 0},
        Case{"MenuItem", Command(32778, 0, 0), true, {"cancel"}, 0},
        // An accelerator has code 1 but no control: it counts as a command.
        Case{"Accelerator", Command(2, 1, 0), true, {"cancel"}, 0},
        Case{"SecondIdSameHandler", Command(32775, 0, 0), true, {"snapshot"}, 0},
        Case{"ControlNotification", Command(1003, kCbnSelChange, kControl), true, {"combo"}, 0},
        Case{"OtherCodeOfMappedControl", Command(1003, 3, kControl), false, {}, 0},
        Case{"ButtonCodeOfNotifyEntry", Command(1009, 0, kControl), false, {}, 0},
        Case{"NotifyEntry", Command(1009, kEnKillFocus, kControl), true, {"edit"}, 0},
        Case{"ControlCodeOfCommandEntry", Command(1, 5, kControl), false, {}, 0},
        Case{"UnmappedCommand", Command(1234, 0, 0), false, {}, 0},
        Case{"DeclinedCommand", Command(4000, 0, 0), false, {"declined"}, 0},
        Case{"UnmappedMessage", {kWmTimer, 1, 0, -1}, false, {}, 0},
        Case{"FirstMatchingEntryWins", {kWmSize, 1, 0, -1}, true, {"size"}, 42}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(MessageMap, DecliningHandlerLetsTheNextMatchingEntryRun) {
  Target target;
  target.declineSize = true;
  WindowMessage m{kWmSize, 1, 0, 0};
  EXPECT_TRUE(DispatchEntries(target, Target::kMap, m));
  EXPECT_EQ(target.calls, (std::vector<std::string>{"size", "size late"}));
  EXPECT_EQ(m.result, 7);
}

TEST(MessageMap, EmptyTableHandlesNothing) {
  Target target;
  WindowMessage m = Command(1, 0, 0);
  EXPECT_FALSE(DispatchEntries(target, Target::kMap, 0, m));
  EXPECT_TRUE(target.calls.empty());
}

TEST(MessageMap, CommandIdAndCodeSplitWParam) {
  const WindowMessage control = Command(1003, kCbnSelChange, kControl);
  EXPECT_EQ(CommandId(control), 1003u);
  EXPECT_EQ(CommandCode(control), kCbnSelChange);
  const WindowMessage menu = Command(32772, 0, 0);
  EXPECT_EQ(CommandId(menu), 32772u);
  EXPECT_EQ(CommandCode(menu), 0u);
}

}  // namespace
}  // namespace tessaly

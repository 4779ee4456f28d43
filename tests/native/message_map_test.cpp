// Message-map lookup: which row a message, command id and notification code
// reach, in which order rows are tried, what a handler that declines does,
// and what the typed rows and crackers hand the handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "res/resource.h"
#include "ui/message_map.h"

// The platform's record exists only in the Win32 build; here the rows hand
// over a stand-in that the test reads back.
struct tagDRAWITEMSTRUCT {
  uint32_t controlId;
};

namespace tessaly {
namespace {

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
  bool OnTimer(uintptr_t id) {
    calls.push_back("timer " + std::to_string(id));
    return true;
  }
  bool OnAnyCommand(uint32_t id, uint32_t code) {
    calls.push_back("any " + std::to_string(id) + " " + std::to_string(code));
    return id == 5000;
  }
  bool Note(const char* what) {
    calls.push_back(what);
    return true;
  }

  static const MessageMapEntry<Target> kMap[];
};

const MessageMapEntry<Target> Target::kMap[] = {
    MessageEntry(kMsgTrayCallback, &Target::OnTray),
    CommandEntry(IDOK, 0, &Target::OnOk),
    CommandEntry(IDCANCEL, 0, &Target::OnCancel),
    CommandEntry(ID_TRAY_UNLOAD, 0, &Target::OnCancel),
    CommandEntry(IDC_IDLE, kCbnSelChange, &Target::OnComboChange),
    CommandEntry(IDC_LAST_RUN, kEnKillFocus, &Target::OnEditKillFocus),
    CommandEntry(IDC_SNAPSHOT, 0, &Target::OnSnapshot),
    CommandEntry(ID_SNAPSHOT, 0, &Target::OnSnapshot),
    CommandEntry(4000, 0, &Target::OnDeclined),
    MessageEntry(kWmSize, &Target::OnSize),
    MessageEntry(kWmSize, &Target::OnSizeLate),
};

// A window that sees every command, and its timers.
const MessageMapEntry<Target> kObserverMap[] = {
    CommandEntry(IDOK, 0, &Target::OnOk),
    AnyCommandEntry(&Target::OnAnyCommand),
    TimerEntry(&Target::OnTimer),
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
        Case{"PrivateMessage", {kMsgTrayCallback, IDR_TRAY, kWmRButtonUp, -1}, true,
             {"tray " + std::to_string(IDR_TRAY) + " " + std::to_string(kWmRButtonUp)}, 1},
        Case{"ButtonClick", Command(IDOK, 0, kControl), true, {"ok"}, 0},
        Case{"MenuItem", Command(ID_TRAY_UNLOAD, 0, 0), true, {"cancel"}, 0},
        // An accelerator has code 1 but no control: it counts as a command.
        Case{"Accelerator", Command(IDCANCEL, 1, 0), true, {"cancel"}, 0},
        Case{"SecondIdSameHandler", Command(ID_SNAPSHOT, 0, 0), true, {"snapshot"}, 0},
        Case{"ControlNotification", Command(IDC_IDLE, kCbnSelChange, kControl), true, {"combo"}, 0},
        Case{"OtherCodeOfMappedControl", Command(IDC_IDLE, 3, kControl), false, {}, 0},
        Case{"ButtonCodeOfNotifyEntry", Command(IDC_LAST_RUN, 0, kControl), false, {}, 0},
        Case{"NotifyEntry", Command(IDC_LAST_RUN, kEnKillFocus, kControl), true, {"edit"}, 0},
        Case{"ControlCodeOfCommandEntry", Command(IDOK, 5, kControl), false, {}, 0},
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
  WindowMessage m = Command(IDOK, 0, 0);
  EXPECT_FALSE(DispatchEntries(target, Target::kMap, 0, m));
  EXPECT_TRUE(target.calls.empty());
}

TEST(MessageMap, TypedRowsGetTheirParametersCracked) {
  Target target;
  WindowMessage timer{kWmTimer, 7, 0, -1};
  EXPECT_TRUE(DispatchEntries(target, kObserverMap, timer));
  EXPECT_EQ(timer.result, 0);
  WindowMessage control = Command(IDC_IDLE, kCbnSelChange, kControl);
  EXPECT_FALSE(DispatchEntries(target, kObserverMap, control));  // declined
  WindowMessage menu = Command(5000, 0, 0);
  EXPECT_TRUE(DispatchEntries(target, kObserverMap, menu));
  // The same rows, reached with a command cracked already.
  EXPECT_TRUE(DispatchCommand(target, kObserverMap, IDOK, 0));
  EXPECT_FALSE(DispatchCommand(target, kObserverMap, IDOK, 5));
  EXPECT_EQ(target.calls,
            (std::vector<std::string>{"timer 7", "any " + std::to_string(IDC_IDLE) + " 1",
                                      "any 5000 0", "ok", "any " + std::to_string(IDOK) + " 5"}));
}

// The rows of the messages with crackers of their own, each handler noting
// what it was handed.
struct Painter {
  std::vector<std::string> calls;
  uintptr_t brush = 0;
  bool accepts = true;  // what the draw-item and palette handlers report

  void OnSize(uint32_t type) { calls.push_back("size " + std::to_string(type)); }
  intptr_t OnErase(GdiDc dc) {
    calls.push_back("erase " + std::to_string(dc));
    return 9;
  }
  uintptr_t OnColour(GdiDc dc, uint32_t type) {
    calls.push_back("colour " + std::to_string(dc) + " " + std::to_string(type));
    return brush;
  }
  bool OnDraw(const tagDRAWITEMSTRUCT& item) {
    calls.push_back("draw " + std::to_string(item.controlId));
    return accepts;
  }
  uintptr_t OnDragIcon() {
    calls.push_back("icon");
    return 0x1CE;
  }
  bool OnQueryNewPalette() {
    calls.push_back("realise");
    return accepts;
  }
  bool OnPaletteChanged(uintptr_t changer) {
    calls.push_back("changed " + std::to_string(changer));
    return accepts;
  }
  void OnValue(uintptr_t value) { calls.push_back("value " + std::to_string(value)); }
};

const MessageMapEntry<Painter> kPainterMap[] = {
    SizeEntry(&Painter::OnSize),
    EraseBackgroundEntry(&Painter::OnErase),
    ControlColourEntry(&Painter::OnColour),
    DrawItemEntry(&Painter::OnDraw),
    QueryDragIconEntry(&Painter::OnDragIcon),
    QueryNewPaletteEntry(&Painter::OnQueryNewPalette),
    PaletteChangedEntry(&Painter::OnPaletteChanged),
    ValueEntry(kMsgQuickCheckStatus, &Painter::OnValue),
};

const tagDRAWITEMSTRUCT kItem{IDC_LAUNCH_VANTOR};

struct TypedCase {
  const char* name;
  WindowMessage message;
  uintptr_t brush;
  bool accepts;
  bool handled;
  std::vector<std::string> calls;
  intptr_t result;  // when handled
};

class TypedRows : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedRows, HandOverTheCrackedParametersAndTheirResult) {
  const TypedCase& c = GetParam();
  Painter painter;
  painter.brush = c.brush;
  painter.accepts = c.accepts;
  WindowMessage m = c.message;
  EXPECT_EQ(DispatchEntries(painter, kPainterMap, m), c.handled);
  EXPECT_EQ(painter.calls, c.calls);
  if (c.handled) {
    EXPECT_EQ(m.result, c.result);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedRows,
    testing::Values(
        TypedCase{"Size", {kWmSize, kSizeMinimized, 0x00400030, -1}, 0, true, true,
                  {"size 1"}, 0},
        TypedCase{"EraseBackground", {kWmEraseBkgnd, 0x3D, 0, -1}, 0, true, true,
                  {"erase 61"}, 9},
        TypedCase{"FirstControlColour", {kWmCtlColorMsgBox, 0x3D, 0x77, -1}, 0xB5, true, true,
                  {"colour 61 0"}, 0xB5},
        TypedCase{"LastControlColour", {kWmCtlColorStatic, 0x3D, 0x77, -1}, 0xB5, true, true,
                  {"colour 61 6"}, 0xB5},
        TypedCase{"ControlColourWithoutBrush", {kWmCtlColorMsgBox + 1, 0x3D, 0x77, -1}, 0, true,
                  false, {"colour 61 1"}, 0},
        TypedCase{"NextToControlColour", {kWmCtlColorStatic + 1, 0x3D, 0, -1}, 0xB5, true, false,
                  {}, 0},
        TypedCase{"DrawItem", {kWmDrawItem, IDC_LAUNCH_VANTOR, reinterpret_cast<intptr_t>(&kItem), -1}, 0,
                  true, true, {"draw " + std::to_string(IDC_LAUNCH_VANTOR)}, 1},
        TypedCase{"DrawItemNotDrawn", {kWmDrawItem, IDC_LAUNCH_VANTOR, reinterpret_cast<intptr_t>(&kItem), -1},
                  0, false, false, {"draw " + std::to_string(IDC_LAUNCH_VANTOR)}, 0},
        TypedCase{"DrawItemWithoutRecord", {kWmDrawItem, IDC_LAUNCH_VANTOR, 0, -1}, 0, true, false, {}, 0},
        TypedCase{"QueryDragIcon", {kWmQueryDragIcon, 0, 0, -1}, 0, true, true, {"icon"},
                  0x1CE},
        TypedCase{"QueryNewPalette", {kWmQueryNewPalette, 0, 0, -1}, 0, true, true, {"realise"}, 1},
        TypedCase{"QueryNewPaletteWithoutPalette", {kWmQueryNewPalette, 0, 0, -1}, 0, false, false,
                  {"realise"}, 0},
        TypedCase{"PaletteChanged", {kWmPaletteChanged, 0x77, 0, -1}, 0, true, true,
                  {"changed 119"}, 0},
        TypedCase{"Value", {kMsgQuickCheckStatus, 1, 0x77, -1}, 0, true, true, {"value 1"}, 0}),
    [](const testing::TestParamInfo<TypedCase>& info) { return info.param.name; });

TEST(MessageMap, CrackersReadTheirParameter) {
  const WindowMessage size{kWmSize, kSizeMinimized, 0x00400030, -1};
  EXPECT_EQ(SizeType(size), kSizeMinimized);
  const WindowMessage tray{kMsgTrayCallback, IDR_TRAY, kWmRButtonUp, -1};
  EXPECT_EQ(TrayIconId(tray), uint32_t{IDR_TRAY});
  EXPECT_EQ(TrayMouseMessage(tray), kWmRButtonUp);
  const int item = 42;
  const WindowMessage draw{kWmDrawItem, IDC_BACKUP, reinterpret_cast<intptr_t>(&item), -1};
  EXPECT_EQ(LParamStruct<int>(draw), &item);
}

TEST(MessageMap, CommandIdAndCodeSplitWParam) {
  const WindowMessage control = Command(IDC_IDLE, kCbnSelChange, kControl);
  EXPECT_EQ(CommandId(control), uint32_t{IDC_IDLE});
  EXPECT_EQ(CommandCode(control), kCbnSelChange);
  const WindowMessage menu = Command(ID_TRAY_SHOW, 0, 0);
  EXPECT_EQ(CommandId(menu), uint32_t{ID_TRAY_SHOW});
  EXPECT_EQ(CommandCode(menu), 0u);
}

}  // namespace
}  // namespace tessaly

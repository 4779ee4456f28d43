// DiffChangeSnapshotDir of Quillet.dll under Wine, through the program's
// binding: the platform's folder chooser, driven from a second thread as a
// user would answer it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string.h>

#include <functional>
#include <string>
#include <thread>

#include "actions/win32/companion_bindings.h"

namespace {

const char kTitle[] = "Select Save Directory";

BOOL CALLBACK MatchChooser(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      strcmp(className, "#32770") == 0) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

// The chooser: a visible dialog of this process.
HWND FindChooser() {
  HWND found = nullptr;
  EnumWindows(MatchChooser, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct TextSearch {
  const char* text;
  bool found;
};

BOOL CALLBACK MatchText(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<TextSearch*>(data);
  char shown[256] = "";
  GetWindowTextA(child, shown, sizeof shown);
  if (strcmp(shown, search->text) == 0) search->found = true;
  return !search->found;
}

bool HasChildText(HWND dialog, const char* text) {
  TextSearch search = {text, false};
  EnumChildWindows(dialog, MatchText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK MatchTree(HWND child, LPARAM data) {
  char className[32] = "";
  GetClassNameA(child, className, sizeof className);
  if (strcmp(className, WC_TREEVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(data) = child;
  return FALSE;
}

HWND FolderTree(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, MatchTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

HTREEITEM Related(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string ItemText(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = "";
  TVITEMA info = {};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = text;
  info.cchTextMax = sizeof text;
  if (item == nullptr || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
    return "";
  return text;
}

// The text of the item selected in the chooser's folder tree.
std::string SelectedFolderName(HWND dialog) {
  HWND tree = FolderTree(dialog);
  return tree ? ItemText(tree, Related(tree, nullptr, TVGN_CARET)) : "";
}

// Clicks, as it were, the folder named leaf beside the selected one.
void SelectSibling(HWND dialog, const std::string& leaf) {
  HWND tree = FolderTree(dialog);
  if (tree == nullptr) return;
  HTREEITEM parent = Related(tree, Related(tree, nullptr, TVGN_CARET), TVGN_PARENT);
  for (HTREEITEM item = Related(tree, parent, TVGN_CHILD); item; item = Related(tree, item, TVGN_NEXT)) {
    if (lstrcmpiA(ItemText(tree, item).c_str(), leaf.c_str()) == 0) {
      SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      return;
    }
  }
}

std::string LastPart(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Waits until the chooser's tree shows the folder named leaf selected, as a
// user would before pressing OK; select, when given, is tried each time.
void AwaitSelection(HWND dialog, const std::string& leaf, const std::function<void()>& select) {
  for (int i = 0; i < 100; ++i) {
    if (select) select();
    if (lstrcmpiA(SelectedFolderName(dialog).c_str(), leaf.c_str()) == 0) return;
    Sleep(50);
  }
}

std::string WindowsFolder() {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  return folder;
}

// The program opens the chooser from the thread of its main window, where
// the window system was set up long before. Here that is done, with a window
// made and destroyed, before the answering thread starts: otherwise that
// thread's first window calls meet this thread's first ones (the chooser's
// dialog). Under Wine both threads then load the display driver at once, and
// were seen to wait on each other for good, one holding the loader's lock.
void SetUpWindowSystem() {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) DestroyWindow(window);
}

// Runs the chooser over buffer on this thread while answer(dialog) runs on a
// second thread once the chooser is up. *titled tells whether the chooser
// showed the title.
int32_t Choose(char* buffer, const std::function<void(HWND)>& answer, bool* titled) {
  *titled = false;
  SetUpWindowSystem();
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 300 && dialog == nullptr; ++i) {
      Sleep(50);
      dialog = FindChooser();
    }
    if (dialog == nullptr) return;
    *titled = HasChildText(dialog, kTitle);
    answer(dialog);
  });
  tessaly::Win32Companions companions;
  const int32_t result = companions.ChangeSnapshotDir(buffer, kTitle);
  user.join();
  return result;
}

void Press(HWND dialog, int button) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

TEST(FolderChooser, CancelLeavesTheBufferAsItWas) {
  char buffer[260];
  memset(buffer, '#', sizeof buffer);
  strcpy(buffer, "C:\\windows");
  char before[sizeof buffer];
  memcpy(before, buffer, sizeof buffer);
  bool titled = false;
  EXPECT_EQ(Choose(buffer, [](HWND dialog) { Press(dialog, IDCANCEL); }, &titled), 0);
  EXPECT_TRUE(titled);
  EXPECT_EQ(memcmp(buffer, before, sizeof buffer), 0);
}

TEST(FolderChooser, StartsAtTheBuffersFolder) {
  const std::string start = WindowsFolder();
  char buffer[260] = "";
  strcpy(buffer, start.c_str());
  bool titled = false;
  EXPECT_NE(Choose(buffer,
                   [&](HWND dialog) {
                     AwaitSelection(dialog, LastPart(start), nullptr);
                     Press(dialog, IDOK);
                   },
                   &titled),
            0);
  EXPECT_EQ(lstrcmpiA(buffer, start.c_str()), 0) << buffer;
}

TEST(FolderChooser, AChoiceIsWrittenBackIntoTheBuffer) {
  // A plain folder beside the Windows folder, whose branch the chooser has
  // open already.
  const std::string target = WindowsFolder().substr(0, 3) + "Chosen Save Folder";
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
  char buffer[260] = "";
  strcpy(buffer, WindowsFolder().c_str());
  bool titled = false;
  EXPECT_NE(Choose(buffer,
                   [&](HWND dialog) {
                     AwaitSelection(dialog, LastPart(target),
                                    [&] { SelectSibling(dialog, LastPart(target)); });
                     Press(dialog, IDOK);
                   },
                   &titled),
            0);
  EXPECT_EQ(lstrcmpiA(buffer, target.c_str()), 0) << buffer;
  RemoveDirectoryA(target.c_str());
}

TEST(FolderChooser, AnUnterminatedBufferIsReadNoFurtherThan260Bytes) {
  // 260 bytes with no terminator inside, followed by a guard that must stay.
  struct {
    char buffer[260];
    char guard[16];
  } memory;
  memset(memory.buffer, 'x', sizeof memory.buffer);
  memset(memory.guard, 'G', sizeof memory.guard);
  bool titled = false;
  EXPECT_EQ(Choose(memory.buffer, [](HWND dialog) { Press(dialog, IDCANCEL); }, &titled), 0);
  for (char c : memory.buffer) ASSERT_EQ(c, 'x');
  for (char c : memory.guard) ASSERT_EQ(c, 'G');
}

}  // namespace

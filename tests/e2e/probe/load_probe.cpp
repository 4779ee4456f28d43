// LoadProbe: drives the load test of the running program from outside.
//
//   LoadProbe burst TITLE COUNT SEED [menus|no-menus|menus-only]
//       posts COUNT messages in one go, a fixed mix drawn from SEED: tray
//       callbacks (kMsgTrayCallback: double-click, right-button up each followed by
//       WM_CANCELMODE that closes the menu it opens, other mouse messages,
//       another icon id), clicks on the flag boxes of kFlagBoxes (the box is
//       toggled with BM_SETCHECK, then the dialog gets BN_CLICKED with the
//       box's handle, as a click does), kMsgStampLastRun, kMsgQuickCheckStatus (light 0, 1
//       and the out-of-range 2), and command ID_TRAY_BACKUP_NOW "&Backup System Files Now". Last it
//       posts a marker: the text limit of the read-only field IDC_LAST_RUN lowered by
//       one, which shows when the program has taken everything before it.
//       Prints the counts, "expect ID=S ..." (the flag boxes' final
//       states) and "marker N". "no-menus" leaves the right-button callbacks
//       out (other mouse messages instead); "menus-only" posts nothing but
//       right-button callbacks and their WM_CANCELMODE.
//   LoadProbe answer TITLE MARKER SECONDS
//       answers No to every message box titled TITLE of the program's thread
//       and closes any menu left open, until the marker has arrived and
//       nothing has been open for a second; then restores the text limit.
//       Prints "boxes N", "max-open-boxes N", "max-open-menus N",
//       "menus-closed N". Exit 1 when SECONDS pass first.
//   LoadProbe census TITLE
//       the program's windows (top-level and child, counted by enumeration),
//       its GDI objects (counted in the GDI handle table of its process
//       environment block), and what GetGuiResources answers:
//       "windows=N gdi=N|unknown guiresources-gdi=N guiresources-user=N".
//   LoadProbe census-windows TITLE
//       the windows that census counts, one a line with class, parent, owner
//       and visibility.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/messages.h"
#include "main_window_search.h"
#include "ui/flag_boxes.h"

namespace {

using tessaly::kFlagBoxes;
constexpr int kBoxCount = sizeof kFlagBoxes / sizeof kFlagBoxes[0];
const UINT kTrayCallback = tessaly::kMsgTrayCallback;
const WPARAM kTrayId = IDR_TRAY;

// The program's main window: the window of that title with the last-run
// field. Its question box has the same title and, while it is up, stands
// above the main window, where a search by title alone would find it.
HWND MainWindow(const char* title) {
  const HWND found = probe::SearchTitle(title).main;
  if (!found) fprintf(stderr, "no main window titled \"%s\"\n", title);
  return found;
}

// A small fixed generator, so that a seed always gives the same burst.
struct Generator {
  unsigned long state;
  unsigned Next(unsigned range) {
    state = state * 1103515245UL + 12345UL;
    return static_cast<unsigned>((state >> 16) & 0x7FFF) % range;
  }
};

LRESULT SendWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 30000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

// menus: whether right-button callbacks (each followed by WM_CANCELMODE)
// are in the mix; without, those draws become other mouse messages. With
// kMenusOnly every message pair is a right-button callback and its close.
enum MenuMix { kNoMenus, kWithMenus, kMenusOnly };

int Burst(const char* title, long count, unsigned long seed, MenuMix menuMix) {
  HWND window = MainWindow(title);
  if (!window) return 1;
  HWND boxes[kBoxCount];
  int state[kBoxCount];
  for (int i = 0; i < kBoxCount; ++i) {
    boxes[i] = GetDlgItem(window, kFlagBoxes[i].id);
    if (!boxes[i]) return 1;
    state[i] = SendWait(boxes[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  HWND field = GetDlgItem(window, IDC_LAST_RUN);
  const LRESULT limit = field ? SendWait(field, EM_GETLIMITTEXT, 0, 0) : -1;
  if (limit <= 1) return 1;

  static const LPARAM kOtherMouse[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                       WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN};
  Generator random = {seed};
  long posted = 0, tray = 0, menus = 0, clicks = 0, stamps = 0, lights = 0, backups = 0;
  bool failed = false;
  auto post = [&](HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(to, message, wParam, lParam)) failed = true;
    ++posted;
  };
  while (posted < count && !failed) {
    const unsigned kind = menuMix == kMenusOnly ? 0 : random.Next(100);
    if (kind < 30) {
      ++tray;
      unsigned mouse = menuMix == kMenusOnly ? 1 : random.Next(10);
      if (mouse == 1 && menuMix == kNoMenus) mouse = 3;
      if (mouse == 0) {
        post(window, kTrayCallback, kTrayId, WM_LBUTTONDBLCLK);
      } else if (mouse == 1 && count - posted >= 2) {
        ++menus;
        post(window, kTrayCallback, kTrayId, WM_RBUTTONUP);
        post(window, WM_CANCELMODE, 0, 0);
      } else if (mouse == 2) {
        post(window, kTrayCallback, kTrayId + 1, WM_RBUTTONUP);  // not our icon
      } else {
        post(window, kTrayCallback, kTrayId, kOtherMouse[random.Next(6)]);
      }
    } else if (kind < 55 && count - posted >= 2) {
      ++clicks;
      const int i = static_cast<int>(random.Next(kBoxCount));
      state[i] = !state[i];
      post(boxes[i], BM_SETCHECK, state[i] ? BST_CHECKED : BST_UNCHECKED, 0);
      post(window, WM_COMMAND, MAKEWPARAM(kFlagBoxes[i].id, BN_CLICKED),
           reinterpret_cast<LPARAM>(boxes[i]));
    } else if (kind < 70) {
      ++stamps;
      post(window, tessaly::kMsgStampLastRun, 0, 0);
    } else if (kind < 85) {
      ++lights;
      post(window, tessaly::kMsgQuickCheckStatus, random.Next(3), 0);
    } else {
      ++backups;
      post(window, WM_COMMAND, ID_TRAY_BACKUP_NOW, 0);
    }
  }
  const LRESULT marker = limit - 1;
  if (!failed && !PostMessageA(field, EM_SETLIMITTEXT, marker, 0)) failed = true;
  printf("posted %ld\ntray %ld\nmenus %ld\nclicks %ld\nstamps %ld\nlights %ld\nbackups %ld\n",
         posted, tray, menus, clicks, stamps, lights, backups);
  printf("expect");
  for (int i = 0; i < kBoxCount; ++i) printf(" %d=%d", kFlagBoxes[i].id, state[i]);
  printf("\nmarker %ld\n", static_cast<long>(marker));
  if (failed) fprintf(stderr, "PostMessage failed after %ld messages\n", posted);
  return failed ? 1 : 0;
}

struct OpenWindows {
  HWND main;
  const char* title;
  HWND boxes[16];
  int boxCount;
  int menuCount;
};

// A message box: a dialog of the program's thread, other than the main
// window, with the title and a No button.
BOOL CALLBACK FindOpen(HWND window, LPARAM data) {
  OpenWindows* open = reinterpret_cast<OpenWindows*>(data);
  if (window == open->main || !IsWindowVisible(window)) return TRUE;
  char cls[32] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (strcmp(cls, "#32768") == 0) {
    ++open->menuCount;
    return TRUE;
  }
  char text[64] = "";
  GetWindowTextA(window, text, sizeof text);
  if (strcmp(cls, "#32770") == 0 && strcmp(text, open->title) == 0 &&
      GetDlgItem(window, IDNO) != nullptr && open->boxCount < 16)
    open->boxes[open->boxCount++] = window;
  return TRUE;
}

int Answer(const char* title, long marker, double seconds) {
  HWND window = MainWindow(title);
  if (!window) return 1;
  HWND field = GetDlgItem(window, IDC_LAST_RUN);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  HWND answered[64];
  int answeredCount = 0;
  long boxes = 0, menusClosed = 0;
  int maxBoxes = 0, maxMenus = 0;
  bool drained = false;
  DWORD quietSince = GetTickCount();
  for (;;) {
    OpenWindows open = {window, title, {}, 0, 0};
    EnumThreadWindows(thread, FindOpen, reinterpret_cast<LPARAM>(&open));
    if (open.boxCount > maxBoxes) maxBoxes = open.boxCount;
    if (open.menuCount > maxMenus) maxMenus = open.menuCount;
    for (int i = 0; i < open.boxCount; ++i) {
      bool seen = false;
      for (int k = 0; k < answeredCount; ++k) seen = seen || answered[k] == open.boxes[i];
      if (!seen) {
        ++boxes;
        answered[answeredCount++ % 64] = open.boxes[i];
        if (answeredCount > 64) answeredCount = 64;
      }
      HWND no = GetDlgItem(open.boxes[i], IDNO);
      PostMessageA(open.boxes[i], WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                   reinterpret_cast<LPARAM>(no));
    }
    // A menu still open once the burst is in: close it as Escape would.
    if (open.menuCount > 0 && drained) {
      ++menusClosed;
      PostMessageA(window, WM_CANCELMODE, 0, 0);
    }
    if (!drained) {
      const LRESULT limit = field ? SendWait(field, EM_GETLIMITTEXT, 0, 0) : -1;
      drained = limit == marker;
    }
    if (open.boxCount > 0 || open.menuCount > 0 || !drained) quietSince = GetTickCount();
    if (drained && GetTickCount() - quietSince >= 1000) break;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      printf("timeout drained=%d\n", drained ? 1 : 0);
      return 1;
    }
    Sleep(10);
  }
  SendWait(field, EM_SETLIMITTEXT, marker + 1, 0);
  printf("boxes %ld\nmax-open-boxes %d\nmax-open-menus %d\nmenus-closed %ld\n", boxes, maxBoxes,
         maxMenus, menusClosed);
  return 0;
}

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++*reinterpret_cast<long*>(data);
  return TRUE;
}

// The census's windows, one a line, for naming a window left over.
BOOL CALLBACK ListOne(HWND window, LPARAM) {
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  printf("hwnd=0x%lx class=%s parent=0x%lx owner=0x%lx visible=%d\n",
         static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), cls,
         static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetParent(window))),
         static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))),
         IsWindowVisible(window) ? 1 : 0);
  return TRUE;
}

BOOL CALLBACK ListTop(HWND window, LPARAM data) {
  ListOne(window, data);
  EnumChildWindows(window, ListOne, data);
  return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM data) {
  long* count = reinterpret_cast<long*>(data);
  ++*count;
  EnumChildWindows(window, CountChild, data);
  return TRUE;
}

// The GDI handle table that the process environment block names: one
// 24-byte entry per handle, in use when its type byte is not 0. Wine keeps
// one table per process, its stock objects included.
long GdiObjects(HANDLE process) {
  struct BasicInformation {
    LONG exitStatus;
    void* peb;
    ULONG_PTR affinity;
    LONG priority;
    ULONG_PTR pid;
    ULONG_PTR parent;
  } info = {};
  typedef LONG(WINAPI * QueryFn)(HANDLE, int, void*, ULONG, ULONG*);
  QueryFn query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  if (!query || query(process, 0, &info, sizeof info, nullptr) != 0 || !info.peb) return -1;
  const SIZE_T kTableOffset = 0x94;  // PEB.GdiSharedHandleTable, 32-bit layout
  DWORD table = 0;
  if (!ReadProcessMemory(process, static_cast<BYTE*>(info.peb) + kTableOffset, &table,
                         sizeof table, nullptr) || table == 0)
    return -1;
  const SIZE_T kEntrySize = 24, kEntries = 0x10000;
  BYTE* entries = static_cast<BYTE*>(VirtualAlloc(nullptr, kEntrySize * kEntries, MEM_COMMIT,
                                                  PAGE_READWRITE));
  if (!entries) return -1;
  long count = -1;
  SIZE_T read = 0;
  if (ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<ULONG_PTR>(table)), entries,
                        kEntrySize * kEntries, &read) && read == kEntrySize * kEntries) {
    count = 0;
    for (SIZE_T i = 0; i < kEntries; ++i) {
      if (entries[i * kEntrySize + 14] != 0) ++count;
    }
  }
  VirtualFree(entries, 0, MEM_RELEASE);
  return count;
}

int Census(const char* title) {
  HWND window = MainWindow(title);
  if (!window) return 1;
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &pid);
  long windows = 0;
  EnumThreadWindows(thread, CountTop, reinterpret_cast<LPARAM>(&windows));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 1;
  const long gdi = GdiObjects(process);
  typedef DWORD(WINAPI * GuiResourcesFn)(HANDLE, DWORD);
  GuiResourcesFn resources = reinterpret_cast<GuiResourcesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
  const DWORD gdiAnswer = resources ? resources(process, 0) : 0;
  const DWORD userAnswer = resources ? resources(process, 1) : 0;
  CloseHandle(process);
  if (gdi < 0)
    printf("windows=%ld gdi=unknown", windows);
  else
    printf("windows=%ld gdi=%ld", windows, gdi);
  printf(" guiresources-gdi=%lu guiresources-user=%lu\n", gdiAnswer, userAnswer);
  return 0;
}

// census-windows TITLE: the windows that census counts, one a line.
int CensusWindows(const char* title) {
  HWND window = MainWindow(title);
  if (!window) return 1;
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), ListTop, 0);
  return 0;
}

int Usage() {
  fprintf(stderr,
          "usage: LoadProbe burst TITLE COUNT SEED [menus|no-menus|menus-only] |\n"
          "  answer TITLE MARKER SECONDS | "
          "census TITLE | census-windows TITLE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const char* command = argv[1];
  if (!strcmp(command, "burst") && (argc == 5 || argc == 6)) {
    const char* mix = argc == 6 ? argv[5] : "menus";
    const MenuMix menuMix = !strcmp(mix, "no-menus")     ? kNoMenus
                            : !strcmp(mix, "menus-only") ? kMenusOnly
                                                         : kWithMenus;
    return Burst(argv[2], strtol(argv[3], nullptr, 0), strtoul(argv[4], nullptr, 0), menuMix);
  }
  if (!strcmp(command, "answer") && argc == 5)
    return Answer(argv[2], strtol(argv[3], nullptr, 0), atof(argv[4]));
  if (!strcmp(command, "census") && argc == 3) return Census(argv[2]);
  if (!strcmp(command, "census-windows") && argc == 3) return CensusWindows(argv[2]);
  return Usage();
}

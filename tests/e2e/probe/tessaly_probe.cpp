// TessalyProbe: a console program that the end-to-end scripts use to look at
// and drive the running program from outside, the way another application
// could: find windows by title, read and change controls, send messages, read
// system metrics and Pellix's shared idle word.
//
//   TessalyProbe <command> [arguments]     prints its answer; exit 0, or 1 on failure
//   TessalyProbe serve                     answers requests from standard input
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "main_window_search.h"

namespace {

long Number(const char* text) { return strtol(text, nullptr, 0); }

// A top-level window by its title: the program's main window where one has
// the title (never its question box), else the first window so titled.
HWND FindTitle(const char* title) {
  const probe::TitleSearch search = probe::SearchTitle(title);
  return search.main != nullptr ? search.main : search.first;
}

HWND RequireWindow(const char* title) {
  HWND window = FindTitle(title);
  if (window == nullptr) fprintf(stderr, "no window titled \"%s\"\n", title);
  return window;
}

// wait-window TITLE SECONDS / wait-gone TITLE SECONDS
int WaitFor(const char* title, double seconds, bool present) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    const bool exists = FindTitle(title) != nullptr;
    if (exists == present) {
      printf("%s\n", present ? "present" : "gone");
      return 0;
    }
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      printf("timeout\n");
      return 1;
    }
    Sleep(100);
  }
}

// wait-visible TITLE 0|1 SECONDS: until the window is hidden, or shown and
// not minimised.
int WaitVisible(const char* title, int visible, double seconds) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND window = FindTitle(title);
    if (window != nullptr) {
      const bool shown = IsWindowVisible(window) && !IsIconic(window);
      if (shown == (visible != 0)) {
        printf("%s\n", shown ? "shown" : "hidden");
        return 0;
      }
    }
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      printf("timeout\n");
      return 1;
    }
    Sleep(100);
  }
}

int Window(const char* title) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  RECT r, c;
  GetWindowRect(window, &r);
  GetClientRect(window, &c);
  printf("visible=%d iconic=%d x=%ld y=%ld cx=%ld cy=%ld client=%ldx%ld\n",
         IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0, r.left, r.top,
         r.right - r.left, r.bottom - r.top, c.right, c.bottom);
  return 0;
}

int Control(const char* title, int id) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  HWND control = GetDlgItem(window, id);
  if (!control) {
    fprintf(stderr, "no control %d\n", id);
    return 1;
  }
  // Asked by message: across processes GetWindowText gives only the window's
  // own caption, which an edit field does not keep its text in.
  char text[512] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_NORMAL, 10000, &length);
  char cls[64] = "";
  GetClassNameA(control, cls, sizeof cls);
  RECT r;
  GetWindowRect(control, &r);
  const LRESULT check = SendMessageA(control, BM_GETCHECK, 0, 0);
  printf("class=%s checked=%ld enabled=%d visible=%d x=%ld y=%ld cx=%ld cy=%ld text=%s\n", cls,
         static_cast<long>(check), IsWindowEnabled(control) ? 1 : 0,
         IsWindowVisible(control) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
         text);
  return 0;
}

// Ticks or unticks a check box the way a click does: the box changes, then
// the dialog hears BN_CLICKED.
int Check(const char* title, int id, int on) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  HWND control = GetDlgItem(window, id);
  if (!control) return 1;
  SendMessageA(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  return 0;
}

int Combo(const char* title, int id, int index) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  HWND control = GetDlgItem(window, id);
  if (!control) return 1;
  SendMessageA(control, CB_SETCURSEL, index, 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
  return 0;
}

int ComboItems(const char* title, int id) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  HWND control = GetDlgItem(window, id);
  if (!control) return 1;
  const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
  printf("selected=%ld count=%ld\n", static_cast<long>(SendMessageA(control, CB_GETCURSEL, 0, 0)),
         static_cast<long>(count));
  for (LRESULT i = 0; i < count; ++i) {
    // Read as wide text: the item crosses a process boundary, where the
    // wide form of the message is the one that is passed on whole.
    wchar_t wide[128] = L"";
    char item[256] = "";
    if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) < 128) {
      SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
      WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof item, nullptr, nullptr);
    }
    printf("%s\n", item);
  }
  return 0;
}

int Send(const char* title, UINT message, WPARAM wParam, LPARAM lParam, bool post) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  if (post) return PostMessageA(window, message, wParam, lParam) ? 0 : 1;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 30000, &result)) {
    printf("timeout\n");
    return 1;
  }
  printf("%ld\n", static_cast<long>(result));
  return 0;
}

// Sends many messages in a row, without waiting for replies: tray callbacks
// and commands from a comma-separated list of message:wParam:lParam.
int Burst(const char* title, int rounds, const char* list) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  int sent = 0;
  for (int round = 0; round < rounds; ++round) {
    const char* p = list;
    while (*p) {
      char* end = nullptr;
      const UINT message = strtoul(p, &end, 0);
      WPARAM wParam = 0;
      LPARAM lParam = 0;
      if (*end == ':') wParam = strtoul(end + 1, &end, 0);
      if (*end == ':') lParam = strtol(end + 1, &end, 0);
      PostMessageA(window, message, wParam, lParam);
      ++sent;
      p = *end == ',' ? end + 1 : end;
      if (end == p && *p) break;
    }
  }
  printf("%d\n", sent);
  return 0;
}

int Metrics() {
  HDC screen = GetDC(nullptr);
  printf("cxdlgframe=%d cydlgframe=%d cysize=%d cxsmsize=%d logpixelsx=%d bitspixel=%d\n",
         GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
         GetSystemMetrics(SM_CYSIZE), GetSystemMetrics(SM_CXSMSIZE),
         GetDeviceCaps(screen, LOGPIXELSX),
         GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
  ReleaseDC(nullptr, screen);
  return 0;
}

int Pixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  printf("%d %d %d\n", GetRValue(c), GetGValue(c), GetBValue(c));
  return c == CLR_INVALID ? 1 : 0;
}

// Pellix's shared word, found through the SHARDATA section of the mapped
// library: every process that maps it sees the same word.
volatile LONG* SharedIdleWord() {
  HMODULE pellix = LoadLibraryA("Pellix.dll");
  if (!pellix) return nullptr;
  const BYTE* base = reinterpret_cast<const BYTE*>(pellix);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (strncmp(reinterpret_cast<const char*>(section->Name), "SHARDATA", 8) == 0)
      return reinterpret_cast<volatile LONG*>(const_cast<BYTE*>(base) + section->VirtualAddress);
  }
  return nullptr;
}

int Idle() {
  HMODULE pellix = LoadLibraryA("Pellix.dll");
  typedef LONG(WINAPI * IdleSeconds)(void);
  IdleSeconds idle = pellix ? reinterpret_cast<IdleSeconds>(reinterpret_cast<void*>(
                                  GetProcAddress(pellix, MAKEINTRESOURCEA(4))))
                            : nullptr;
  if (!idle) return 1;
  printf("%ld\n", static_cast<long>(idle()));
  return 0;
}

// Makes the last input look `seconds` old.
int SetIdle(long seconds) {
  volatile LONG* word = SharedIdleWord();
  if (!word) return 1;
  *word = static_cast<LONG>(time(nullptr)) - seconds;
  printf("%ld\n", static_cast<long>(*word));
  return 0;
}

int GuiResources(const char* title) {
  HWND window = RequireWindow(title);
  if (!window) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return 1;
  typedef DWORD(WINAPI * GetGuiResourcesFn)(HANDLE, DWORD);
  GetGuiResourcesFn get = reinterpret_cast<GetGuiResourcesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetGuiResources")));
  const DWORD gdi = get ? get(process, 0) : 0;
  const DWORD user = get ? get(process, 1) : 0;
  CloseHandle(process);
  printf("gdi=%lu user=%lu\n", gdi, user);
  return 0;
}

int Mutex(const char* name) {
  HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
  printf("%s\n", mutex ? "exists" : "missing");
  if (mutex) CloseHandle(mutex);
  return 0;
}

int Version() {
  OSVERSIONINFOA info;
  memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return 1;
  printf("platform=%lu major=%lu minor=%lu\n", info.dwPlatformId, info.dwMajorVersion,
         info.dwMinorVersion);
  return 0;
}

// A window named by its title, or by its handle written as "hwnd:0x1234"
// (for a window whose title is not unique, or that may be gone already).
HWND Resolve(const char* name) {
  if (strncmp(name, "hwnd:", 5) == 0)
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoul(name + 5, nullptr, 0)));
  return FindTitle(name);
}

void PrintWindowLine(HWND window) {
  char cls[64] = "";
  char text[256] = "";
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, text, sizeof text);
  RECT r;
  GetWindowRect(window, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  printf("hwnd=0x%lx pid=%lu id=%ld class=%s visible=%d x=%ld y=%ld cx=%ld cy=%ld style=0x%lx "
         "owner=0x%lx title=%s\n",
         static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), pid,
         static_cast<long>(GetWindowLongA(window, GWL_ID)), cls, IsWindowVisible(window) ? 1 : 0,
         r.left, r.top, r.right - r.left, r.bottom - r.top,
         static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
         static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))), text);
}

struct ListFilter {
  const char* cls;
  HWND parent;  // children: only direct children of this window
};

BOOL CALLBACK ListOne(HWND window, LPARAM data) {
  const ListFilter* filter = reinterpret_cast<const ListFilter*>(data);
  if (filter->parent != nullptr && GetParent(window) != filter->parent) return TRUE;
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (filter->cls == nullptr || _stricmp(cls, filter->cls) == 0) PrintWindowLine(window);
  return TRUE;
}

// windows [CLASS]: one line per top-level window (of that class).
int Windows(const char* cls) {
  ListFilter filter = {cls, nullptr};
  EnumWindows(ListOne, reinterpret_cast<LPARAM>(&filter));
  return 0;
}

// children TITLE|hwnd:H [CLASS]: one line per direct child window.
int Children(const char* name, const char* cls) {
  HWND window = Resolve(name);
  if (window == nullptr || !IsWindow(window)) {
    fprintf(stderr, "no window \"%s\"\n", name);
    return 1;
  }
  ListFilter filter = {cls, window};
  EnumChildWindows(window, ListOne, reinterpret_cast<LPARAM>(&filter));
  return 0;
}

// tray-icon TITLE|hwnd:H ID: asks the shell to modify the notification icon of
// that window and id without changing anything (no flags). The shell answers
// success only for an icon that it holds.
int TrayIcon(const char* name, UINT id) {
  HWND window = Resolve(name);
  typedef BOOL(WINAPI * NotifyFn)(DWORD, NOTIFYICONDATAA*);
  HMODULE shell = LoadLibraryA("shell32.dll");
  NotifyFn notify = shell ? reinterpret_cast<NotifyFn>(reinterpret_cast<void*>(
                                GetProcAddress(shell, "Shell_NotifyIconA")))
                          : nullptr;
  if (!notify || window == nullptr) return 1;
  NOTIFYICONDATAA data;
  memset(&data, 0, sizeof data);
  data.cbSize = 88;  // the first form of the record
  data.hWnd = window;
  data.uID = id;
  const BOOL present = notify(NIM_MODIFY, &data);
  printf("%s\n", present ? "present" : "absent");
  return 0;
}

// A message box of the given title: a visible top-level dialog window that
// is owned by another window (the program's main window has no owner).
struct BoxSearch {
  const char* title;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(data);
  char cls[64] = "";
  char text[256] = "";
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, text, sizeof text);
  if (strcmp(cls, "#32770") == 0 && strcmp(text, search->title) == 0 &&
      IsWindowVisible(window) && GetWindow(window, GW_OWNER) != nullptr) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

constexpr size_t kBoxTextSize = 1024;

BOOL CALLBACK AppendStaticText(HWND window, LPARAM data) {
  char* all = reinterpret_cast<char*>(data);  // kBoxTextSize bytes
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  char text[512] = "";
  if (_stricmp(cls, "Static") == 0 && GetWindowTextA(window, text, sizeof text) > 0) {
    const size_t used = strlen(all);
    if (used + 1 < kBoxTextSize)
      snprintf(all + used, kBoxTextSize - used, "%s%s", used > 0 ? " " : "", text);
  }
  return TRUE;
}

// box TITLE SECONDS [ANSWER]: waits for a message box, prints its text and,
// given an answer (IDYES 6, IDNO 7, IDOK 1), presses that button by posting
// its command to the box.
int Box(const char* title, double seconds, int answer) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  BoxSearch search = {title, nullptr};
  for (;;) {
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) break;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      printf("timeout\n");
      return 1;
    }
    Sleep(100);
  }
  char text[kBoxTextSize] = "";
  EnumChildWindows(search.found, AppendStaticText, reinterpret_cast<LPARAM>(text));
  printf("%s\n", text);
  if (answer > 0 && !PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0))
    return 1;
  return 0;
}

// Tip texts of the shell's notification icons. Wine's shell gives each icon
// a tooltip tool, in a tooltip window owned by its tray window; the texts
// live in the shell's process, so they are read through memory allocated
// there.
bool ContainsTray(const char* text) {
  char lower[64] = "";
  snprintf(lower, sizeof lower, "%s", text);
  CharLowerA(lower);
  return strstr(lower, "tray") != nullptr;
}

void PrintTips(HWND tooltip, HANDLE shell, BYTE* remote) {
  const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TTTOOLINFOW info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    DWORD_PTR result = 0;
    if (!WriteProcessMemory(shell, remote, &info, sizeof info, nullptr) ||
        !SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote),
                             SMTO_NORMAL, 10000, &result) ||
        !result || !ReadProcessMemory(shell, remote, &info, sizeof info, nullptr))
      continue;
    // A removed icon may leave its tool behind: keep only tools of icons on
    // show, a visible icon window or a non-empty rectangle in the tray.
    const bool shown = (info.uFlags & TTF_IDISHWND)
                           ? IsWindowVisible(reinterpret_cast<HWND>(info.uId)) != FALSE
                           : !IsRectEmpty(&info.rect);
    if (!shown) continue;
    const WCHAR empty = 0;
    info.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof info);
    WCHAR wide[1024] = L"";
    char tip[1024] = "";
    if (WriteProcessMemory(shell, remote, &info, sizeof info, nullptr) &&
        WriteProcessMemory(shell, remote + sizeof info, &empty, sizeof empty, nullptr) &&
        SendMessageTimeoutW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(remote),
                            SMTO_NORMAL, 10000, &result) &&
        ReadProcessMemory(shell, remote + sizeof info, wide, sizeof wide - sizeof(WCHAR),
                          nullptr)) {
      WideCharToMultiByte(CP_ACP, 0, wide, -1, tip, sizeof tip, nullptr, nullptr);
      printf("%s\n", tip);
    }
  }
}

BOOL CALLBACK PrintTrayTips(HWND window, LPARAM) {
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  HWND owner = GetWindow(window, GW_OWNER);
  char ownerClass[64] = "";
  if (owner) GetClassNameA(owner, ownerClass, sizeof ownerClass);
  if (_stricmp(cls, "tooltips_class32") != 0 || !ContainsTray(ownerClass)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE shell = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!shell) return TRUE;
  const SIZE_T textBytes = 1024 * sizeof(WCHAR);  // INFOTIPSIZE characters
  BYTE* remote = static_cast<BYTE*>(
      VirtualAllocEx(shell, nullptr, sizeof(TTTOOLINFOW) + textBytes, MEM_COMMIT, PAGE_READWRITE));
  if (remote) {
    PrintTips(window, shell, remote);
    VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
  }
  CloseHandle(shell);
  return TRUE;
}

// tray-tips: one line per notification icon on show, its tip text.
int TrayTips() {
  EnumWindows(PrintTrayTips, 0);
  return 0;
}

// hold SECONDS: keeps Pellix.dll mapped for that long, so that its shared
// word outlives the programs that map it.
int Hold(double seconds) {
  if (!LoadLibraryA("Pellix.dll")) return 1;
  Sleep(static_cast<DWORD>(seconds * 1000));
  return 0;
}

// How many colours the screen shows in that rectangle, as Wine itself sees
// them (through the palette on a palette display); -1 when it cannot be read.
int CountColours(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return -1;
  BITMAPINFO info;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int count = -1;
  if (memory && dib && bits) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    DWORD* pixels = static_cast<DWORD*>(bits);
    const size_t n = static_cast<size_t>(w) * h;
    for (size_t i = 0; i < n; ++i) pixels[i] &= 0xFFFFFF;
    qsort(pixels, n, sizeof(DWORD), [](const void* a, const void* b) {
      const DWORD l = *static_cast<const DWORD*>(a), r = *static_cast<const DWORD*>(b);
      return l < r ? -1 : (l > r ? 1 : 0);
    });
    count = n ? 1 : 0;
    for (size_t i = 1; i < n; ++i)
      if (pixels[i] != pixels[i - 1]) ++count;
  }
  if (dib) DeleteObject(dib);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return count;
}

// colours X Y W H
int Colours(int x, int y, int w, int h) {
  const int count = CountColours(x, y, w, h);
  if (count < 0) return 1;
  printf("%d\n", count);
  return 0;
}

// The splash of the program whose main window has TITLE: a visible top-level
// dialog of that process without caption or title.
struct SplashSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindSplash(HWND window, LPARAM data) {
  SplashSearch* search = reinterpret_cast<SplashSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = "";
  GetClassNameA(window, cls, sizeof cls);
  if (pid != search->pid || strcmp(cls, "#32770") != 0 || !IsWindowVisible(window) ||
      GetWindowTextLengthA(window) != 0 || (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

// watch-splash TITLE SECONDS [KEY]: the splash lives a few seconds, shorter
// than a few starts of this probe under an emulator, so one probe watches it
// whole; with KEY (a virtual-key code) it also presses that key as soon as
// the splash is the foreground window, and prints "key sent".
// It prints "watching" at once (start the program after that line), then
// the splash's window line as soon as it is up, "colours=N" each time its
// screen area shows more colours than before while it is up (how long
// drawing takes depends on the machine's load), and "ended" when it is
// gone. Each step (the main window to come, then its splash, then the
// splash's end) may take SECONDS; "timeout" when one took longer. Each line
// is flushed as it is printed, for a script that acts on the splash while it
// is up.
int WatchSplash(const char* title, double seconds, UINT key) {
  const DWORD limit = static_cast<DWORD>(seconds * 1000);
  DWORD stepStart = GetTickCount();
  const auto expired = [&stepStart, limit] { return GetTickCount() - stepStart >= limit; };
  printf("watching\n");
  fflush(stdout);
  HWND main = nullptr;
  while ((main = probe::SearchTitle(title).main) == nullptr) {
    if (expired()) break;
    Sleep(20);
  }
  SplashSearch search = {0, nullptr};
  if (main != nullptr) {
    GetWindowThreadProcessId(main, &search.pid);
    stepStart = GetTickCount();
    for (;;) {
      EnumWindows(FindSplash, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr || expired()) break;
      Sleep(20);
    }
  }
  HWND splash = search.found;
  if (splash == nullptr) {
    printf("timeout\n");
    return 1;
  }
  PrintWindowLine(splash);
  fflush(stdout);
  if (key != 0) {
    // Pressed from here the moment the splash is the foreground window: the
    // splash lives three seconds, less than a script's look and a key sent
    // through the display take on a slow machine.
    stepStart = GetTickCount();
    while (IsWindow(splash) && GetForegroundWindow() != splash && !expired()) Sleep(5);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    printf("key sent\n");
    fflush(stdout);
  }
  int most = 0;
  stepStart = GetTickCount();
  while (IsWindow(splash)) {
    if (expired()) {
      printf("timeout\n");
      return 1;
    }
    RECT r;
    if (IsWindowVisible(splash) && GetWindowRect(splash, &r)) {
      const int count = CountColours(r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (count > most) {
        most = count;
        printf("colours=%d\n", most);
        fflush(stdout);
      }
    }
    Sleep(50);
  }
  printf("ended\n");
  return 0;
}

// window-text TITLE|hwnd:H: the text that the window itself answers to
// WM_GETTEXT (for a tooltip, the tip it shows).
int WindowText(const char* name) {
  HWND window = Resolve(name);
  if (window == nullptr || !IsWindow(window)) return 1;
  char text[512] = "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_NORMAL, 10000, &length))
    return 1;
  text[sizeof text - 1] = '\0';
  printf("%s\n", text);
  return 0;
}

// text-width FACE POINTS TEXT: the face that the system gives for a font of
// that name and point size (another when it has no such font) and the width
// of TEXT in it, in pixels: "face=F width=W".
int TextWidth(const char* face, int points, const char* text) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 1;
  LOGFONTA wanted;
  memset(&wanted, 0, sizeof wanted);
  wanted.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&wanted);
  HGDIOBJ old = SelectObject(screen, font);
  char used[LF_FACESIZE] = "";
  GetTextFaceA(screen, sizeof used, used);
  SIZE size = {0, 0};
  GetTextExtentPoint32A(screen, text, static_cast<int>(strlen(text)), &size);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  printf("face=%s width=%ld\n", used, size.cx);
  return 0;
}

// reg-value HKCU|HKLM\\KEY NAME: "REG_DWORD 0x..." or "REG_SZ text", as the
// scripts read `reg query`; nothing and 1 when there is no such value.
int RegValue(const char* path, const char* name) {
  HKEY root = nullptr;
  if (!strncmp(path, "HKCU\\", 5)) root = HKEY_CURRENT_USER;
  if (!strncmp(path, "HKLM\\", 5)) root = HKEY_LOCAL_MACHINE;
  if (root == nullptr) return 2;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path + 5, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 1;
  BYTE data[1024];
  DWORD type = 0, size = sizeof data - 1;
  const LONG status = RegQueryValueExA(key, name, nullptr, &type, data, &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return 1;
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD value;
    memcpy(&value, data, sizeof value);
    printf("REG_DWORD 0x%lx\n", static_cast<unsigned long>(value));
    return 0;
  }
  if (type == REG_SZ) {
    data[size] = 0;
    printf("REG_SZ %s\n", reinterpret_cast<char*>(data));
    return 0;
  }
  printf("type=%lu\n", static_cast<unsigned long>(type));
  return 0;
}

// foreground: the window line of the foreground window, or "none".
int Foreground() {
  HWND window = GetForegroundWindow();
  if (window == nullptr) {
    printf("none\n");
    return 0;
  }
  PrintWindowLine(window);
  return 0;
}

int Usage() {
  fprintf(stderr,
          "usage: TessalyProbe wait-window|wait-gone TITLE SECONDS | wait-visible TITLE 0|1 SECONDS |\n"
          "  window TITLE |\n"
          "  control TITLE ID | check TITLE ID 0|1 | combo TITLE ID INDEX | combo-items TITLE ID |\n"
          "  send|post TITLE MSG WPARAM LPARAM | burst TITLE ROUNDS MSG:W:L,... | metrics |\n"
          "  pixel X Y | idle | set-idle SECONDS | gui-resources TITLE | mutex NAME | version |\n"
          "  windows [CLASS] | children TITLE|hwnd:H [CLASS] | tray-icon TITLE|hwnd:H ID |\n"
          "  colours X Y W H | hold SECONDS | window-text TITLE|hwnd:H | watch-splash TITLE SECONDS [KEY] |\n"
          "  box TITLE SECONDS [ANSWER] | tray-tips | foreground | text-width FACE POINTS TEXT |\n"
          "  reg-value HKCU|HKLM\\KEY NAME | serve\n");
  return 2;
}

int Command(const char* c, int n, char** a) {
  if (!strcmp(c, "wait-window") && n == 2) return WaitFor(a[0], atof(a[1]), true);
  if (!strcmp(c, "wait-gone") && n == 2) return WaitFor(a[0], atof(a[1]), false);
  if (!strcmp(c, "wait-visible") && n == 3) return WaitVisible(a[0], Number(a[1]), atof(a[2]));
  if (!strcmp(c, "window") && n == 1) return Window(a[0]);
  if (!strcmp(c, "control") && n == 2) return Control(a[0], Number(a[1]));
  if (!strcmp(c, "check") && n == 3) return Check(a[0], Number(a[1]), Number(a[2]));
  if (!strcmp(c, "combo") && n == 3) return Combo(a[0], Number(a[1]), Number(a[2]));
  if (!strcmp(c, "combo-items") && n == 2) return ComboItems(a[0], Number(a[1]));
  if (!strcmp(c, "send") && n == 4)
    return Send(a[0], Number(a[1]), Number(a[2]), Number(a[3]), false);
  if (!strcmp(c, "post") && n == 4)
    return Send(a[0], Number(a[1]), Number(a[2]), Number(a[3]), true);
  if (!strcmp(c, "burst") && n == 3) return Burst(a[0], Number(a[1]), a[2]);
  if (!strcmp(c, "metrics") && n == 0) return Metrics();
  if (!strcmp(c, "pixel") && n == 2) return Pixel(Number(a[0]), Number(a[1]));
  if (!strcmp(c, "idle") && n == 0) return Idle();
  if (!strcmp(c, "set-idle") && n == 1) return SetIdle(Number(a[0]));
  if (!strcmp(c, "gui-resources") && n == 1) return GuiResources(a[0]);
  if (!strcmp(c, "mutex") && n == 1) return Mutex(a[0]);
  if (!strcmp(c, "version") && n == 0) return Version();
  if (!strcmp(c, "windows") && n <= 1) return Windows(n ? a[0] : nullptr);
  if (!strcmp(c, "children") && (n == 1 || n == 2)) return Children(a[0], n == 2 ? a[1] : nullptr);
  if (!strcmp(c, "tray-icon") && n == 2) return TrayIcon(a[0], Number(a[1]));
  if (!strcmp(c, "window-text") && n == 1) return WindowText(a[0]);
  if (!strcmp(c, "colours") && n == 4)
    return Colours(Number(a[0]), Number(a[1]), Number(a[2]), Number(a[3]));
  if (!strcmp(c, "watch-splash") && (n == 2 || n == 3))
    return WatchSplash(a[0], atof(a[1]), n == 3 ? Number(a[2]) : 0);
  if (!strcmp(c, "hold") && n == 1) return Hold(atof(a[0]));
  if (!strcmp(c, "box") && (n == 2 || n == 3)) return Box(a[0], atof(a[1]), n == 3 ? Number(a[2]) : 0);
  if (!strcmp(c, "tray-tips") && n == 0) return TrayTips();
  if (!strcmp(c, "foreground") && n == 0) return Foreground();
  if (!strcmp(c, "reg-value") && n == 2) return RegValue(a[0], a[1]);
  if (!strcmp(c, "text-width") && n == 3) return TextWidth(a[0], Number(a[1]), a[2]);
  return Usage();
}

// serve: one request a line on standard input, its words separated by tabs:
// a tag of the caller's, then the command and its arguments. After each
// answer comes a line of the record separator (0x1E), the tag and the exit
// code the command would have had, and the output is flushed; a caller that
// gave up on an answer knows the late one by its tag. One process answers a
// whole script: under an emulator each Wine process start costs a second or
// more.
constexpr char kEndOfAnswer = '\x1e';
constexpr int kMaxServedWords = 16;

int Serve() {
  static char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    line[strcspn(line, "\r\n")] = '\0';
    char* words[kMaxServedWords];
    int n = 0;
    for (char* p = line; n < kMaxServedWords;) {
      words[n++] = p;
      char* tab = strchr(p, '\t');
      if (tab == nullptr) break;
      *tab = '\0';
      p = tab + 1;
    }
    const int rc = n >= 2 && strcmp(words[1], "serve") ? Command(words[1], n - 2, words + 2) : Usage();
    fflush(stderr);
    printf("%c%s %d\n", kEndOfAnswer, words[0], rc);
    fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  if (!strcmp(argv[1], "serve") && argc == 2) return Serve();
  return Command(argv[1], argc - 2, argv + 2);
}

// Tessaly.exe's own start-up and the few C++ runtime hooks its code needs.
// The program links neither libstdc++ nor the MinGW start-up objects (both
// are built for the Pentium Pro and bring imports Windows 95 lacks): this
// file runs the static constructors, calls WinMain, runs the registered
// destructors and ends the process. The C runtime is MSVCRT.DLL, which
// initialises itself when it is loaded.
#include <windows.h>

#include <stddef.h>

extern "C" {
// Bounds of the static constructor table, from the linker script: a -1
// marker, the constructors, then a 0 marker.
typedef void (*StaticFunction)();
extern StaticFunction __CTOR_LIST__[];
}

namespace {

// The start-up record in the form Windows 95 fills.
constexpr DWORD kStartupInfoSize = 68;
static_assert(sizeof(STARTUPINFOA) == kStartupInfoSize, "the Windows 95 start-up record");

// Destructors of static objects, registered through atexit while the
// constructors run. The program has a handful of statics; more than fit are
// not registered (their destructors do not run, as after ExitProcess).
StaticFunction exitFunctions[32];
int exitCount = 0;

void RunStaticConstructors() {
  StaticFunction* entry = __CTOR_LIST__ + 1;
  size_t count = 0;
  while (entry[count] != nullptr) ++count;
  // The table is run back to front, as the GNU start-up code does.
  while (count > 0) entry[--count]();
}

void RunExitFunctions() {
  while (exitCount > 0) exitFunctions[--exitCount]();
}

// The command line after the program's name, as WinMain expects it.
char* ArgumentsOf(char* line) {
  if (line == nullptr) return const_cast<char*>("");
  if (*line == '"') {
    ++line;
    while (*line != '\0' && *line != '"') ++line;
    if (*line == '"') ++line;
  } else {
    while (*line != '\0' && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

}  // namespace

extern "C" int atexit(StaticFunction function) {
  if (exitCount >= static_cast<int>(sizeof exitFunctions / sizeof exitFunctions[0])) return -1;
  exitFunctions[exitCount++] = function;
  return 0;
}

extern "C" void __cxa_pure_virtual() { FatalAppExitA(0, "Tessaly: pure virtual call"); }

void* operator new(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, size_t) noexcept { operator delete(block); }
void operator delete[](void* block, size_t) noexcept { operator delete(block); }

extern "C" void WINAPI TessalyStartup() {
  RunStaticConstructors();
  STARTUPINFOA startup;
  startup.cb = kStartupInfoSize;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow
                                                                 : SW_SHOWDEFAULT;
  const int result =
      WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show);
  RunExitFunctions();
  ExitProcess(static_cast<UINT>(result));
}

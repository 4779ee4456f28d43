// Vantor.Exe as the peer of Tessaly in tests and demonstrations: it holds the
// mutex "Vantor Is Running", shows a top-level window titled "Vantor" and
// appends its command line and every message 1394 and 1395, with their
// parameters, to Vantor.log beside itself, one line per event.
#include <windows.h>
#include <string.h>

#include "companions/standin_text.h"

namespace {

constexpr UINT kQuickCheckResult = 1394;
constexpr UINT kShowRequest = 1395;
const char kWindowClass[] = "VantorStandIn";

char logPath[MAX_PATH];

// The log beside the executable; false when the path cannot be formed.
bool FindLogPath() {
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) return false;
  char* slash = strrchr(module, '\\');
  if (slash == nullptr) return false;
  slash[1] = '\0';
  return companions::CopyText(logPath, module) && companions::AppendText(logPath, "Vantor.log");
}

// Appends one line and closes the file at once, so that a reader sees it.
void LogLine(const char* line) {
  if (logPath[0] == '\0') return;
  HANDLE file = CreateFileA(logPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetFilePointer(file, 0, nullptr, FILE_END);
  DWORD done = 0;
  WriteFile(file, line, static_cast<DWORD>(strlen(line)), &done, nullptr);
  WriteFile(file, "\r\n", 2, &done, nullptr);
  CloseHandle(file);
}

void LogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  char line[96];
  companions::FormatText(line, sizeof line, "message %u wParam %lu lParam %ld", message,
                      static_cast<unsigned long>(wParam), static_cast<long>(lParam));
  LogLine(line);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case kQuickCheckResult:
      case kShowRequest:
        LogMessage(message, wParam, lParam);
        return 0;
      case WM_CLOSE:
        LogLine("close");
        DestroyWindow(window);
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        break;
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  FindLogPath();
  char line[1024] = "command line ";
  companions::AppendText(line, GetCommandLineA());
  LogLine(line);

  HANDLE running = CreateMutexA(nullptr, FALSE, "Vantor Is Running");
  if (running == nullptr) {
    LogLine("mutex failed");
    return 1;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) LogLine("mutex already held");

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  HWND window = nullptr;
  if (RegisterClassA(&windowClass))
    window = CreateWindowA(kWindowClass, "Vantor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    LogLine("window failed");
    CloseHandle(running);
    return 1;
  }
  ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(window);
  LogLine("ready");

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  LogLine("exit");
  CloseHandle(running);
  return 0;
}

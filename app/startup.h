// Start-up and shutdown of the program, as a fixed order of steps over a host
// that performs each step on the platform. The Win32 application object is the
// real host; the unit tests record the order.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/window_system.h"

namespace tessaly {

// What GetVersionExA answered.
struct OsVersionInfo {
  bool ok;             // the call succeeded
  uint32_t platformId; // 1 Windows 95/98, 2 Windows NT
  uint32_t major, minor;
};
// 0 unless the platform is Windows NT; then (minor << 16) | major.
uint32_t NtVersionFrom(const OsVersionInfo& info);

// True when no other instance runs; otherwise shows the running instance's
// main window (found by its title), brings it to the front and returns false.
bool IsFirstInstance(WindowSystem& windows);

// The command line is lowered in place, so switches match in any letter case,
// anywhere in the line (also inside a longer word).
void LowerCommandLine(char* commandLine);
bool HasSwitch(const char* loweredCommandLine, const char* name);

inline constexpr const char kNoSplashSwitch[] = "-nosplash";
inline constexpr const char kDisplaySwitch[] = "-display";
inline constexpr const char kNtRefusalText[] = "This application only runs under Windows 95.";

// The platform steps of start-up and shutdown.
class StartupHost {
 public:
  virtual ~StartupHost() = default;
  virtual void ConstructSplash() = 0;
  virtual void DestroySplash() = 0;
  virtual void Enable3dControls() = 0;
  virtual uint32_t GetNTVersion() = 0;
  // MessageBoxA(no owner, text, caption, MB_ICONSTOP).
  virtual void ShowRefusal(const char* text, const char* caption, uint32_t style) = 0;
  virtual bool IsFirstInstance() = 0;
  // The text after the program name, writable; never null.
  virtual char* CommandLine() = 0;
  virtual void SetRegistryKey(const char* company) = 0;
  virtual void SetApplicationNames(const char* company, const char* product) = 0;
  virtual void LoadLocaleFormats() = 0;
  virtual void GetInstallDirectory(char* out, size_t size) = 0;
  virtual void InitializeTools(const char* company, const char* product, const char* folder) = 0;
  virtual void InitializeTests(const char* company, const char* product, const char* folder) = 0;
  virtual void LoadSettings() = 0;
  virtual void ProbeDisplay() = 0;
  virtual void BuildPalette() = 0;
  virtual void CreateMainWindow() = 0;
  virtual void HookInstall(int32_t install) = 0;
  virtual void HookResetTimer() = 0;
  virtual void SetMainWindowTimer(uintptr_t id, uint32_t period) = 0;
  virtual void KillMainWindowTimer(uintptr_t id) = 0;
  virtual void ShowMainWindow(int command) = 0;
  virtual void RunSplash() = 0;
  virtual void RunModalLoop() = 0;
};

// The whole run: returns false always, so that the framework destroys the
// main window and calls RunExitInstance.
bool RunInitInstance(StartupHost& host);
// Removes the hooks and kills the idle timer.
void RunExitInstance(StartupHost& host);

}  // namespace tessaly

// Start-up and shutdown of the program, as a fixed order of steps over the
// program's services. The Win32 application object provides them; the unit
// tests record the order.
#pragma once

#include <stdint.h>

#include "actions/companions.h"
#include "app/command_line.h"
#include "app/idle_clock.h"
#include "app/single_instance.h"
#include "base/app_state.h"
#include "base/paths.h"
#include "base/platform.h"
#include "base/registry.h"
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

inline constexpr const char kNtRefusalText[] = "This application only runs under Windows 95.";

// The steps of start-up and shutdown that belong to the application
// framework, the display and the program's own windows. The Win32 application
// object performs them; the unit tests record them.
class StartupShell {
 public:
  virtual ~StartupShell() = default;
  // The framework.
  virtual void ConstructSplash() = 0;
  virtual void DestroySplash() = 0;
  virtual uint32_t GetNTVersion() = 0;
  // The text after the program name, writable; never null.
  virtual char* CommandLine() = 0;
  // The display attributes and the application palette, into the state.
  virtual void ProbeDisplay() = 0;
  virtual void BuildPalette() = 0;
  // The program's windows.
  virtual void CreateMainWindow() = 0;
  // A timer of the main window served by the program's timer procedure.
  virtual void SetMainWindowTimer(uintptr_t id, uint32_t period) = 0;
  virtual void RunSplash() = 0;
  virtual void RunModalLoop() = 0;
};

// The activity hook library as start-up and shutdown use it: the idle clock,
// and installing (1) or removing (0) the hooks.
class ActivityHooks : public IdleClock {
 public:
  virtual void Install(int32_t install) = 0;
};

// Everything start-up and shutdown work through. A new step that uses one of
// these services is a line of RunInitInstance and a line of its test.
struct StartupServices {
  AppState& state;
  StartupShell& shell;
  WindowSystem& windows;         // the first-instance check, the refusal box,
                                 // showing the main window, its idle timer
  ProfileApi& profile;           // the regional formats
  RegistryApi& registry;         // the settings
  FileSystem& files;             // the settings' folders
  InstallFolder& installFolder;  // the companions' folder
  Companions& companions;
  ActivityHooks& hooks;
};

// The whole run: returns false always, so that the framework destroys the
// main window and calls RunExitInstance.
bool RunInitInstance(StartupServices& s);
// Removes the hooks and kills the idle timer.
void RunExitInstance(StartupServices& s);

}  // namespace tessaly

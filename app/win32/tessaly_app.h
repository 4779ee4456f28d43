// TessalyApp: the one application object. It owns the settings and display
// attributes (AppState), the platform implementations behind the logic, the
// idle scheduler and the splash window, and runs start-up and shutdown as the
// host of their fixed order of steps.
#pragma once

#include <windows.h>

#include "actions/action_context.h"
#include "actions/win32/companion_bindings.h"
#include "base/app_state.h"
#include "app/idle_scheduler.h"
#include "app/install_folder.h"
#include "app/startup.h"
#include "app/win32/pellix_idle_clock.h"
#include "app/win32/win32_file_system.h"
#include "app/win32/win32_profile.h"
#include "app/win32/win32_registry.h"
#include "app/win32/win32_window_system.h"
#include "ui/main_window_controller.h"
#include "ui/win32/framework_app.h"
#include "ui/win32/splash_dialog.h"

namespace tessaly {

class TessalyDialog;

class TessalyApp : public CWinApp,
                   private StartupShell,
                   private MainWindowServices,
                   private MaintenanceActions {
 public:
  TessalyApp();
  ~TessalyApp() override;

  // The whole run; always FALSE, so the framework destroys the main window
  // and calls ExitInstance.
  BOOL InitInstance() override;
  // Removes the hooks and kills the idle timer.
  int ExitInstance() override;

  // The timer procedure of the main window's timers kIdleTimerId (idle poll)
  // and kStartupTimerId (start-up ticks).
  static void CALLBACK TessalyTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

  AppState state;

 private:
  HWND MainWindowHandle() const;

  // StartupShell.
  void ConstructSplash() override;
  void DestroySplash() override;
  uint32_t GetNTVersion() override;
  char* CommandLine() override;
  void ProbeDisplay() override;
  void BuildPalette() override;
  void CreateMainWindow() override;
  void SetMainWindowTimer(uintptr_t id, uint32_t period) override;
  void RunSplash() override;
  void RunModalLoop() override;

  // MainWindowServices and MaintenanceActions.
  void GetInstallDirectory(char* out, size_t size) override;
  void SaveSettings() override;
  bool BackupSystemFiles(bool confirm) override;  // for both
  void LaunchVantor(const char* arguments) override;
  void RunQuickCheck() override;

  Win32Registry registry_;
  Win32FileSystem files_;
  Win32Profile profile_;
  SystemClock clock_;
  Win32WindowSystem windows_;
  Win32Companions companions_;
  PellixIdleClock idleClock_;
  RegistryInstallFolder installFolder_;  // the one lookup of the install folder
  ActionContext actions_;
  IdleScheduler scheduler_;
  StartupServices startup_;
  SplashDialog* splash_ = nullptr;  // owned: made and destroyed by the start-up steps

  static TessalyApp* instance_;
};

}  // namespace tessaly

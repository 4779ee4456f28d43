#include "app/startup.h"

#include "app/settings_store.h"
#include "base/names.h"
#include "base/timers.h"
#include "presentation/locale_formats.h"
#include "base/text.h"

namespace tessaly {

uint32_t NtVersionFrom(const OsVersionInfo& info) {
  const uint32_t kPlatformNt = 2;
  if (!info.ok || info.platformId != kPlatformNt) return 0;
  return ((info.minor & 0xFFFF) << 16) | (info.major & 0xFFFF);
}

bool RunInitInstance(StartupServices& s) {
  StartupShell& shell = s.shell;
  shell.ConstructSplash();
  // Enable3dControls: no call; Windows 95 gives the controls their 3-D look.
  if (shell.GetNTVersion() != 0) {
    s.windows.MessageBox(0, kNtRefusalText, kAppCaption, kMbIconStop);
  } else if (IsFirstInstance(s.windows)) {
    char* commandLine = shell.CommandLine();
    if (*commandLine != '\0') LowerCommandLine(commandLine);
    s.state.commandLine = commandLine;
    // SetRegistryKey and the two application texts: the settings key's names,
    // company and product.
    SetApplicationNames(kCompanyKey, kProductKey);
    LoadLocaleFormats(s.profile);
    char installDirectory[kPathSize] = "";
    s.installFolder.Lookup(installDirectory, sizeof installDirectory);
    s.companions.InitializeTools(kCompanyKey, kFamilyName, installDirectory);
    s.companions.InitializeTests(kCompanyKey, kFamilyName, installDirectory);
    LoadSettings(s.state, s.registry, s.files);
    shell.ProbeDisplay();
    shell.BuildPalette();
    shell.CreateMainWindow();
    s.hooks.Install(1);
    s.hooks.ResetTimer();  // idle time counts from here
    shell.SetMainWindowTimer(kIdleTimerId, kIdleTimerPeriod);
    if (s.state.mainWindow != 0) s.windows.ShowWindow(s.state.mainWindow, kSwShowMinNoActive);
    shell.SetMainWindowTimer(kStartupTimerId, kStartupTimerPeriod);
    if (!HasSwitch(commandLine, kNoSplashSwitch)) shell.RunSplash();
    shell.RunModalLoop();
  }
  shell.DestroySplash();
  return false;
}

void RunExitInstance(StartupServices& s) {
  s.hooks.Install(0);
  if (s.state.mainWindow != 0) s.windows.KillTimer(s.state.mainWindow, kIdleTimerId);
}

}  // namespace tessaly

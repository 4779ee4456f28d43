#include "app/startup.h"

#include <ctype.h>
#include <string.h>

#include "base/messages.h"
#include "base/text.h"

namespace tessaly {

uint32_t NtVersionFrom(const OsVersionInfo& info) {
  const uint32_t kPlatformNt = 2;
  if (!info.ok || info.platformId != kPlatformNt) return 0;
  return ((info.minor & 0xFFFF) << 16) | (info.major & 0xFFFF);
}

bool IsFirstInstance(WindowSystem& windows) {
  const WindowHandle running = windows.FindTopLevelWindow(kAppCaption);
  if (running == 0) return true;
  windows.ShowWindow(running, kSwShowNormal);
  windows.BringWindowToTop(running);
  windows.SetForegroundWindow(running);
  return false;
}

void LowerCommandLine(char* commandLine) {
  for (char* p = commandLine; *p != '\0'; ++p)
    *p = static_cast<char>(tolower(static_cast<unsigned char>(*p)));
}

bool HasSwitch(const char* loweredCommandLine, const char* name) {
  return strstr(loweredCommandLine, name) != nullptr;
}

bool RunInitInstance(StartupHost& host) {
  host.ConstructSplash();
  host.Enable3dControls();
  if (host.GetNTVersion() != 0) {
    host.ShowRefusal(kNtRefusalText, kAppCaption, kMbIconStop);
  } else if (host.IsFirstInstance()) {
    char* commandLine = host.CommandLine();
    if (*commandLine != '\0') LowerCommandLine(commandLine);
    host.SetRegistryKey(kCompanyKey);
    host.SetApplicationNames(kCompanyKey, kProductKey);
    host.LoadLocaleFormats();
    char installDirectory[kPathSize] = "";
    host.GetInstallDirectory(installDirectory, sizeof installDirectory);
    host.InitializeTools(kCompanyKey, kFamilyName, installDirectory);
    host.InitializeTests(kCompanyKey, kFamilyName, installDirectory);
    host.LoadSettings();
    host.ProbeDisplay();
    host.BuildPalette();
    host.CreateMainWindow();
    host.HookInstall(1);
    host.HookResetTimer();  // idle time counts from here
    host.SetMainWindowTimer(kIdleTimerId, kIdleTimerPeriod);
    host.ShowMainWindow(kSwShowMinNoActive);
    host.SetMainWindowTimer(kStartupTimerId, kStartupTimerPeriod);
    if (!HasSwitch(commandLine, kNoSplashSwitch)) host.RunSplash();
    host.RunModalLoop();
  }
  host.DestroySplash();
  return false;
}

void RunExitInstance(StartupHost& host) {
  host.HookInstall(0);
  host.KillMainWindowTimer(kIdleTimerId);
}

}  // namespace tessaly

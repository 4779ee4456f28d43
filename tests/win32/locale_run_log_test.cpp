// Under Wine: an idle run's log lines are keyed by the date-and-time text of
// the regional settings, read and written through the real profile functions.
#include <windows.h>

#include <stdio.h>

#include <string>

#include <gtest/gtest.h>

#include "app/idle_scheduler.h"
#include "base/timers.h"
#include "app/win32/win32_profile.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_idle_clock.h"
#include "fakes/fake_maintenance_actions.h"
#include "fakes/fake_window_system.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

void SetInternational(const char* name, const char* value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(strlen(value) + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::string ReadWholeFile(const std::string& path) {
  std::string text;
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[512];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  fclose(file);
  return text;
}

TEST(RunLog, KeyedByTheRegionalDateAndTimeInTheWindowsDirectory) {
  SetInternational("sShortDate", "dd.MM.yy");
  SetInternational("sDate", ".");
  SetInternational("sTime", ":");
  SetInternational("iTime", "1");
  Win32Profile profile;
  LoadLocaleFormats(profile);

  char windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
  const std::string logPath = std::string(windows) + "\\Tessaly.ini";
  DeleteFileA(logPath.c_str());

  AppState app;
  app.mainWindow = 42;
  app.settings.idle = 0;
  app.settings.backup = 1;
  app.settings.quickCheck = 1;
  FakeIdleClock idleClock;
  idleClock.idleSeconds = 1801;
  FakeClock clock;
  clock.now = clock.At(1998, 3, 5, 9, 7);
  FakeWindowSystem windowSystem;
  FakeMaintenanceActions actions;
  IdleScheduler scheduler(app, idleClock, clock, profile, windowSystem, actions);

  scheduler.OnTimer(kIdleTimerId);
  // A second run in the same minute replaces the line; a refused backup
  // leaves the earlier "SaveFiles" line as it was.
  idleClock.idleSeconds = 1801;
  actions.backupResult = false;
  clock.now += 30;
  scheduler.OnTimer(kIdleTimerId);
  clock.now += 60;
  idleClock.idleSeconds = 1801;
  scheduler.OnTimer(kIdleTimerId);

  EXPECT_EQ(idleClock.resets, 3);
  EXPECT_EQ(windowSystem.sent.size(), 3u);
  const std::string log = ReadWholeFile(logPath);
  EXPECT_EQ(log,
            "[SaveFiles]\r\n"
            "05.03.1998 09:07=System files backed up on 05.03.1998 09:07\r\n"
            "[QuickCheck]\r\n"
            "05.03.1998 09:07=Quick Check done on 05.03.1998 09:07\r\n"
            "05.03.1998 09:08=Quick Check done on 05.03.1998 09:08\r\n")
      << log;
}

}  // namespace
}  // namespace tessaly

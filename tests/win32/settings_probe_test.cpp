// A driver for tests/e2e/settings_registry_e2e.sh, which copies this program
// into a program folder of a fresh prefix and runs it with
// TESSALY_SETTINGS_PROBE set to "load" or "save": it loads the settings with
// the real registry and file system (and saves them for "save") and prints
// what it got, for the script to compare with what it sees from outside.
// Without the variable the case is skipped.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <gtest/gtest.h>

#include "app/install_folder.h"
#include "app/settings_store.h"
#include "base/names.h"
#include "base/paths.h"
#include "base/settings_table.h"
#include "app/win32/win32_file_system.h"
#include "app/win32/win32_registry.h"

namespace tessaly {
namespace {

TEST(SettingsProbe, LoadAndPrint) {
  const char* mode = getenv("TESSALY_SETTINGS_PROBE");
  if (mode == nullptr) GTEST_SKIP() << "driven by settings_registry_e2e.sh";
  ASSERT_TRUE(strcmp(mode, "load") == 0 || strcmp(mode, "save") == 0) << mode;

  ASSERT_TRUE(SetApplicationNames(kCompanyKey, kProductKey));
  Win32Registry registry;
  Win32FileSystem files;
  char install[kPathSize];
  GetInstallDirectory(registry, files, install, sizeof install);
  AppState app;
  LoadSettings(app, registry, files);
  if (strcmp(mode, "save") == 0) WriteSettings(app, registry);

  const TessalySettings& s = app.settings;
  printf("install=%s\n", install);
  printf("saveDir=%s\n", s.saveDir);
  printf("reportPath=%s\n", s.reportPath);
  // The persisted numbers, by their value names in the table's order.
  printf("numbers");
  for (const PersistedSetting& setting : kPersistedSettings)
    if (!setting.IsText()) printf(" %s=%d", setting.name, static_cast<int>(s.*setting.number));
  printf("\n");
  fflush(stdout);
}

}  // namespace
}  // namespace tessaly

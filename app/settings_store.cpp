#include "app/settings_store.h"

#include <string.h>

#include "app/install_folder.h"
#include "base/paths.h"
#include "base/registry_values.h"
#include "base/settings_table.h"
#include "base/text.h"

namespace tessaly {

char companyName[kNameSize];
char productName[kNameSize];

namespace {

const char kRecoveryFolder[] = "Recovery";
const char kTestsFolder[] = "Tests";
const char kReportFile[] = "QUICKCHK.RPT";

}  // namespace

bool SetApplicationNames(const char* company, const char* product) {
  if (CopyText(companyName, company) && CopyText(productName, product)) return true;
  companyName[0] = '\0';
  productName[0] = '\0';
  return false;
}

RegistryKey OpenSettingsKey(RegistryApi& registry) {
  // An empty name would open the parent key itself and scatter the values
  // into HKEY_CURRENT_USER\Software.
  if (companyName[0] == '\0' || productName[0] == '\0') return 0;

  RegistryKey raw = 0;
  if (registry.OpenKey(kCurrentUserKey, "Software", kKeyReadWrite, &raw) != kRegistrySuccess)
    return 0;
  ScopedRegistryKey software(registry, raw);

  raw = 0;
  if (registry.CreateKey(software.get(), companyName, kKeyReadWrite, &raw) != kRegistrySuccess)
    return 0;
  ScopedRegistryKey company(registry, raw);

  raw = 0;
  if (registry.CreateKey(company.get(), productName, kKeyReadWrite, &raw) != kRegistrySuccess)
    return 0;
  return raw;
}

void LoadSettings(AppState& app, RegistryApi& registry, FileSystem& files) {
  ScopedRegistryKey key(registry, OpenSettingsKey(registry));
  TessalySettings& s = app.settings;

  for (const PersistedSetting& setting : kPersistedSettings) {
    if (setting.IsText())
      memset(s.*setting.text, 0, sizeof(s.*setting.text));
    else
      s.*setting.number = 0;
  }
  s.quickCheckStatus = 0;

  // The numbers first, then the folders.
  for (const PersistedSetting& setting : kPersistedSettings) {
    if (!setting.IsText())
      s.*setting.number =
          static_cast<int32_t>(ReadDwordValue(registry, key.get(), setting.name, setting.def));
  }
  for (const PersistedSetting& setting : kPersistedSettings) {
    if (!setting.IsText()) continue;
    // A folder name too long for the field would be cut into the name of
    // some other folder: take the default instead.
    char* folder = s.*setting.text;
    if (ReadStringValue(registry, key.get(), setting.name, nullptr, folder, kPathSize) >= kPathSize)
      folder[0] = '\0';
  }

  char install[kPathSize];
  RegistryInstallFolder(registry, files).Lookup(install, sizeof install);

  if (s.saveDir[0] != '\0' && !files.Exists(s.saveDir)) s.saveDir[0] = '\0';
  if (s.saveDir[0] == '\0' && JoinPath(s.saveDir, install, kRecoveryFolder) &&
      !files.Exists(s.saveDir))
    files.MakeDirectory(s.saveDir);

  char tests[kPathSize];
  if (JoinPath(tests, install, kTestsFolder)) {
    if (!files.Exists(tests)) files.MakeDirectory(tests);
    JoinPath(s.reportPath, tests, kReportFile);
  } else {
    s.reportPath[0] = '\0';
  }
}

void WriteSettings(const AppState& app, RegistryApi& registry) {
  ScopedRegistryKey key(registry, OpenSettingsKey(registry));
  if (key.get() == 0) return;
  const TessalySettings& s = app.settings;
  for (const PersistedSetting& setting : kPersistedSettings) {
    if (setting.IsText()) {
      // The field is kept terminated by every writer; a stray unterminated
      // one is cut at the field's end rather than read past it.
      char text[kPathSize];
      memcpy(text, s.*setting.text, sizeof text);
      text[sizeof text - 1] = '\0';
      WriteStringValue(registry, key.get(), setting.name, text);
    } else {
      WriteDwordValue(registry, key.get(), setting.name, static_cast<uint32_t>(s.*setting.number));
    }
  }
}

}  // namespace tessaly

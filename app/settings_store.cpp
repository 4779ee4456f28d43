#include "app/settings_store.h"

#include <stdlib.h>
#include <string.h>


#include "app/install_folder.h"
#include "base/paths.h"
#include "base/text.h"

namespace tessaly {

char companyName[kNameSize];
char productName[kNameSize];

namespace {

const char kIdleValue[] = "Idle";
const char kBackupValue[] = "Backup";
const char kQuickCheckValue[] = "QuickCheck";
const char kMaxOnceValue[] = "MaxOnce";
const char kLastTimeValue[] = "LastTime";
const char kDisabledValue[] = "Disabled";
const char kSaveDirValue[] = "SaveDir";

const char kRecoveryFolder[] = "Recovery";
const char kTestsFolder[] = "Tests";
const char kReportFile[] = "QUICKCHK.RPT";

bool IsTextType(uint32_t type) { return type == kRegString || type == kRegExpandString; }

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

bool CloseSettingsKey(RegistryApi& registry, RegistryKey key) {
  return key == 0 || registry.CloseKey(key) == kRegistrySuccess;
}

bool WriteDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t value) {
  if (key == 0) return false;
  return registry.SetValue(key, name, kRegDword, &value, sizeof value) == kRegistrySuccess;
}

bool WriteStringValue(RegistryApi& registry, RegistryKey key, const char* name,
                      const char* text) {
  if (key == 0) return false;
  if (text == nullptr) text = "";
  const size_t bytes = strlen(text) + 1;
  return registry.SetValue(key, name, kRegString, text, static_cast<uint32_t>(bytes)) ==
         kRegistrySuccess;
}

uint32_t ReadDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t def) {
  if (key == 0) return def;
  uint32_t value = 0;
  uint32_t type = 0;
  uint32_t size = sizeof value;
  if (registry.QueryValue(key, name, &type, &value, &size) != kRegistrySuccess) return def;
  // A text or a short value is not a number: "1" stored as REG_SZ would
  // otherwise read as 49, and a 2-byte value would leave bytes unset.
  if ((type != kRegDword && type != kRegBinary) || size != sizeof value) return def;
  return value;
}

size_t ReadStringValue(RegistryApi& registry, RegistryKey key, const char* name, const char* def,
                       char* out, size_t size) {
  if (def == nullptr) def = "";
  const auto useDefault = [&] {
    if (size > 0) CopyText(out, size, def);
    return strlen(def);
  };
  if (key == 0) return useDefault();

  uint32_t type = 0;
  uint32_t needed = 0;
  if (registry.QueryValue(key, name, &type, nullptr, &needed) != kRegistrySuccess ||
      !IsTextType(type))
    return useDefault();

  // One byte more than stored, so that a value saved without its terminator
  // still ends in one. The whole text is read, so its length can be told.
  char* text = static_cast<char*>(calloc(static_cast<size_t>(needed) + 1, 1));
  if (text == nullptr) return useDefault();
  uint32_t got = needed;
  if (registry.QueryValue(key, name, &type, text, &got) != kRegistrySuccess ||
      !IsTextType(type) || got > needed) {
    free(text);
    return useDefault();
  }
  text[got] = '\0';

  if (size > 0) CopyText(out, size, text);
  const size_t length = strlen(text);
  free(text);
  return length;
}

void LoadSettings(AppState& app, RegistryApi& registry, FileSystem& files) {
  ScopedRegistryKey key(registry, OpenSettingsKey(registry));
  TessalySettings& s = app.settings;

  s.disabled = 0;
  s.idle = 0;
  s.backup = 0;
  s.quickCheck = 0;
  s.maxOnce = 0;
  s.lastTime = 0;
  s.quickCheckStatus = 0;
  memset(s.saveDir, 0, sizeof s.saveDir);

  s.idle = static_cast<int32_t>(ReadDwordValue(registry, key.get(), kIdleValue, 1));
  s.backup = static_cast<int32_t>(ReadDwordValue(registry, key.get(), kBackupValue, 1));
  s.quickCheck = static_cast<int32_t>(ReadDwordValue(registry, key.get(), kQuickCheckValue, 1));
  s.maxOnce = static_cast<int32_t>(ReadDwordValue(registry, key.get(), kMaxOnceValue, 1));
  s.lastTime = static_cast<Time32>(ReadDwordValue(registry, key.get(), kLastTimeValue, 0));
  s.disabled = static_cast<int32_t>(ReadDwordValue(registry, key.get(), kDisabledValue, 0));

  // A folder name too long for the field would be cut into the name of some
  // other folder: take the default instead.
  if (ReadStringValue(registry, key.get(), kSaveDirValue, nullptr, s.saveDir, sizeof s.saveDir) >=
      sizeof s.saveDir)
    s.saveDir[0] = '\0';

  char install[kPathSize];
  RegistryInstallFolder(registry, files).Get(install, sizeof install);

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

void SaveSettings(const AppState& app, RegistryApi& registry) {
  ScopedRegistryKey key(registry, OpenSettingsKey(registry));
  if (key.get() == 0) return;
  const TessalySettings& s = app.settings;
  WriteDwordValue(registry, key.get(), kIdleValue, static_cast<uint32_t>(s.idle));
  WriteDwordValue(registry, key.get(), kBackupValue, static_cast<uint32_t>(s.backup));
  WriteDwordValue(registry, key.get(), kQuickCheckValue, static_cast<uint32_t>(s.quickCheck));
  WriteDwordValue(registry, key.get(), kMaxOnceValue, static_cast<uint32_t>(s.maxOnce));
  WriteDwordValue(registry, key.get(), kLastTimeValue, static_cast<uint32_t>(s.lastTime));
  // The field is kept terminated by every writer; a stray unterminated one is
  // cut at the field's end rather than read past it.
  char saveDir[sizeof s.saveDir];
  memcpy(saveDir, s.saveDir, sizeof saveDir);
  saveDir[sizeof saveDir - 1] = '\0';
  WriteStringValue(registry, key.get(), kSaveDirValue, saveDir);
  WriteDwordValue(registry, key.get(), kDisabledValue, static_cast<uint32_t>(s.disabled));
}

}  // namespace tessaly

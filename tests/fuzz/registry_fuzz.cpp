// The settings store's reading of the registry: the persisted settings and
// the install key's "Directory" hold values of any type and any bytes from
// the input, some of them changed by "another writer" between the size query
// and the data query. LoadSettings must take each value or its default, keep
// every path within its 260 bytes, write nothing to the registry, close
// every key it opened, and create folders only under the install folder.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "app/install_folder.h"
#include "base/paths.h"
#include "base/settings_table.h"
#include "app/settings_store.h"
#include "base/registry_values.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "fuzz_input.h"

namespace tessaly {
namespace {

const char kSettingsPath[] = "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp\\Tessaly";
const char kInstallPath[] =
    "HKEY_LOCAL_MACHINE\\Software\\Brenmoor Software Corp\\Vantor\\Settings";

// The values the input fills: the persisted settings, then the install key's
// "Directory".
constexpr size_t kValues = kPersistedSettingCount + 1;
constexpr size_t kDirectory = kPersistedSettingCount;
const char* PathOf(size_t i) { return i == kDirectory ? kInstallPath : kSettingsPath; }
const char* NameOf(size_t i) { return i == kDirectory ? "Directory" : kPersistedSettings[i].name; }

// The index of the persisted folder "SaveDir".
size_t SaveDirIndex() {
  for (size_t i = 0; i < kPersistedSettingCount; ++i)
    if (kPersistedSettings[i].IsText()) return i;
  return kPersistedSettingCount;
}

// A registry whose values another program may rewrite between a size-only
// query and the query that reads the data.
class ChangingRegistry : public FakeRegistry {
 public:
  struct Change {
    std::string path;
    uint32_t type;
    std::vector<uint8_t> data;
  };
  std::map<std::string, Change> pending;  // by Lower(value name)

  int32_t QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                     uint32_t* size) override {
    const int32_t result = FakeRegistry::QueryValue(key, name, type, data, size);
    if (data == nullptr) {
      auto it = pending.find(Lower(name != nullptr ? name : ""));
      if (it != pending.end()) {
        SetRaw(it->second.path, name, it->second.type, it->second.data);
        pending.erase(it);
      }
    }
    return result;
  }
};

// A file system in which anything named may exist, as the input decides.
class ChosenFileSystem : public FakeFileSystem {
 public:
  bool everythingExists = false;
  bool Exists(const char* path) override {
    return FakeFileSystem::Exists(path) || everythingExists;
  }
};

struct Stored {
  bool present = false;
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

uint32_t ValueType(FuzzInput& input) {
  const uint8_t pick = input.Byte();
  switch (pick % 8) {
    case 0:
      return kRegString;
    case 1:
      return kRegExpandString;
    case 2:
      return kRegBinary;
    case 3:
      return kRegDword;
    case 4:
      return 0;  // REG_NONE
    case 5:
      return 7;  // REG_MULTI_SZ
    case 6:
      return 5;  // REG_DWORD_BIG_ENDIAN
    default:
      return input.Dword();
  }
}

std::vector<uint8_t> ValueData(FuzzInput& input) {
  const uint8_t how = input.Byte();
  if (how % 3 == 0) return input.Bytes();
  if (how % 3 == 1) return input.Bytes(4);  // up to 1020 bytes
  const std::string text = input.Repeated(4);
  std::vector<uint8_t> data(text.begin(), text.end());
  if (how & 0x10) data.push_back(0);  // with or without its terminator
  return data;
}

bool IsText(uint32_t type) { return type == kRegString || type == kRegExpandString; }

// The text a value holds up to its first NUL (the reader adds a terminator
// after the stored bytes).
std::string TextOf(const Stored& value) {
  if (value.data.empty()) return std::string();
  const char* p = reinterpret_cast<const char*>(value.data.data());
  return std::string(p, strnlen(p, value.data.size()));
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void CheckDwordReads(ChangingRegistry& registry, const Stored (&stored)[kValues], bool readable,
                     const AppState& app) {
  for (size_t i = 0; i < kPersistedSettingCount; ++i) {
    const PersistedSetting& setting = kPersistedSettings[i];
    if (setting.IsText()) continue;
    const Stored& v = stored[i];
    uint32_t expected = setting.def;
    if (readable && v.present && (v.type == kRegDword || v.type == kRegBinary) &&
        v.data.size() == 4)
      memcpy(&expected, v.data.data(), 4);
    FUZZ_CHECK(static_cast<uint32_t>(app.settings.*setting.number) == expected);
  }
  FUZZ_CHECK(ReadDwordValue(registry, 0, "Idle", 77) == 77);
}

void CheckLoad(ChangingRegistry& registry, ChosenFileSystem& files, const Stored (&stored)[kValues],
               bool readable, bool saveDirChanged) {
  AppState app;
  memset(app.settings.saveDir, 'x', sizeof app.settings.saveDir);
  memset(app.settings.reportPath, 'x', sizeof app.settings.reportPath);
  LoadSettings(app, registry, files);

  FUZZ_CHECK(registry.writes.empty());
  FUZZ_CHECK(registry.OpenHandles() == 0);
  CheckDwordReads(registry, stored, readable, app);

  const TessalySettings& s = app.settings;
  FUZZ_CHECK(Terminated(s.saveDir, sizeof s.saveDir));
  FUZZ_CHECK(Terminated(s.reportPath, sizeof s.reportPath));
  const std::string saveDir = s.saveDir;
  const std::string reportPath = s.reportPath;

  // The stored folder, when it is a text that fits and exists; otherwise the
  // default under the install folder (or nothing when that does not fit).
  const Stored& saved = stored[SaveDirIndex()];
  const bool storedUsable = readable && saved.present && IsText(saved.type) &&
                            TextOf(saved).size() < kPathSize && !TextOf(saved).empty() &&
                            files.Exists(TextOf(saved).c_str());
  if (!saveDirChanged && storedUsable) {
    FUZZ_CHECK(saveDir == TextOf(saved));
  } else if (!saveDirChanged) {
    FUZZ_CHECK(saveDir.empty() || EndsWith(saveDir, "\\Recovery"));
  }
  FUZZ_CHECK(reportPath.empty() || EndsWith(reportPath, "\\Tests\\QUICKCHK.RPT"));

  // Folders are made only as the default backup folder and the Tests folder.
  for (const std::string& call : files.calls) {
    if (call.rfind("mkdir ", 0) != 0) continue;
    const std::string folder = call.substr(6);
    FUZZ_CHECK(folder.size() < kPathSize);
    FUZZ_CHECK(EndsWith(folder, "\\Recovery") || EndsWith(folder, "\\Tests"));
  }
}

void CheckInstallDirectory(ChangingRegistry& registry, ChosenFileSystem& files, size_t size) {
  std::vector<char> out(size + 1, 'x');
  out[size] = '#';  // a guard byte past the buffer the call is given
  const bool found = GetInstallDirectory(registry, files, out.data(), size);
  FUZZ_CHECK(out[size] == '#');
  FUZZ_CHECK(registry.OpenHandles() == 0);
  if (size == 0) {
    FUZZ_CHECK(!found);
    return;
  }
  FUZZ_CHECK(Terminated(out.data(), size));
  FUZZ_CHECK(found == (out[0] != '\0'));
}

void CheckStringReads(ChangingRegistry& registry, size_t size) {
  RegistryKey key = 0;
  if (registry.OpenKey(kCurrentUserKey, "Software\\Brenmoor Software Corp\\Tessaly", kKeyQueryValue,
                       &key) != kRegistrySuccess)
    return;
  for (size_t i = 0; i < kValues; ++i) {
    std::vector<char> out(size + 1, 'x');
    out[size] = '#';
    const size_t length = ReadStringValue(registry, key, NameOf(i), "default", out.data(), size);
    FUZZ_CHECK(out[size] == '#');
    if (size == 0) continue;
    FUZZ_CHECK(Terminated(out.data(), size));
    if (length < size)
      FUZZ_CHECK(strlen(out.data()) == length);
    else
      FUZZ_CHECK(strlen(out.data()) == size - 1);
  }
  registry.CloseKey(key);
}

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  FuzzInput input(data, size);
  ChangingRegistry registry;
  registry.AddKey(kSettingsPath);
  registry.AddKey(kInstallPath);
  Stored stored[kValues];
  bool saveDirChanged = false;
  // The input fills the numbers first, then the folder and the install
  // folder, so that the corpus keeps its meaning whatever the rows' order.
  size_t order[kValues];
  size_t filled = 0;
  for (size_t i = 0; i < kPersistedSettingCount; ++i)
    if (!kPersistedSettings[i].IsText()) order[filled++] = i;
  for (size_t i = 0; i < kPersistedSettingCount; ++i)
    if (kPersistedSettings[i].IsText()) order[filled++] = i;
  order[filled] = kDirectory;
  for (size_t i : order) {
    const uint8_t how = input.Byte();
    if (how % 4 == 0) continue;
    stored[i].present = true;
    stored[i].type = ValueType(input);
    stored[i].data = ValueData(input);
    registry.SetRaw(PathOf(i), NameOf(i), stored[i].type, stored[i].data);
    if (how % 4 == 3) {  // rewritten after its size is asked
      ChangingRegistry::Change change{PathOf(i), ValueType(input), ValueData(input)};
      registry.pending[FakeRegistry::Lower(NameOf(i))] = change;
      if (i == SaveDirIndex()) saveDirChanged = true;
    }
  }
  const uint8_t setup = input.Byte();
  if (setup & 1) registry.denied.insert(FakeRegistry::Lower(kSettingsPath));
  if (setup & 2) registry.denied.insert(FakeRegistry::Lower(kInstallPath));

  ChosenFileSystem files;
  files.everythingExists = (setup & 4) != 0;
  files.moduleFileNameFails = (setup & 8) != 0;
  if (setup & 16) files.moduleFileName = input.Repeated(2);
  if (stored[kDirectory].present && (setup & 32)) files.AddDirectory(TextOf(stored[kDirectory]));
  const size_t saveDir = SaveDirIndex();
  if (stored[saveDir].present && (setup & 64)) files.AddDirectory(TextOf(stored[saveDir]));
  const size_t outSize = input.Word() % 300;

  FUZZ_CHECK(SetApplicationNames("Brenmoor Software Corp", "Tessaly"));
  // The reads below would set off the pending changes: load first.
  CheckLoad(registry, files, stored, (setup & 1) == 0, saveDirChanged);
  CheckInstallDirectory(registry, files, outSize);
  CheckStringReads(registry, outSize);
  return 0;
}

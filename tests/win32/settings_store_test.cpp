// The settings store over the real registry and the real file system of a
// fresh Windows-95 prefix.
#include <windows.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "registry_test_support.h"
#include "app/install_folder.h"
#include "base/paths.h"
#include "app/settings_store.h"
#include "app/win32/win32_file_system.h"
#include "app/win32/win32_registry.h"
#include "contracts/registry_contract.h"
#include "contracts/settings_defaults.h"

namespace tessaly {
namespace {

std::unique_ptr<RegistryApi> MakeWin32() { return std::make_unique<Win32Registry>(); }
INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract, ::testing::Values(&MakeWin32));

const char kSettingsKey[] = "Software\\Brenmoor Software Corp\\Tessaly";
const char kInstallKey[] = "Software\\Brenmoor Software Corp\\Vantor\\Settings";
const char kProgramFolder[] = "C:\\Tessaly Test";

// The real file system, with the program's own path placed in a folder of
// the prefix instead of the build folder the test runs from.
class ProgramInFolder : public Win32FileSystem {
 public:
  bool ModuleFileName(char* out, size_t size) override {
    return FormatText(out, size, "%s\\Tessaly.exe", kProgramFolder);
  }
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void Store(HKEY root, const char* path, const char* name, DWORD type, const void* data,
           DWORD size) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void StoreText(HKEY root, const char* path, const char* name, const std::string& text) {
  Store(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::vector<BYTE> Dword(DWORD value) {
  std::vector<BYTE> data(4);
  memcpy(data.data(), &value, 4);
  return data;
}

std::vector<BYTE> Text(const std::string& text) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

class WineSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly"));
    // Each case starts from the state of a fresh prefix: no settings, no
    // install key, an empty program folder.
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKey);
    for (const char* sub : {"\\Recovery", "\\Tests"})
      RemoveDirectoryA((std::string(kProgramFolder) + sub).c_str());
    CreateDirectoryA(kProgramFolder, nullptr);
  }
  void TearDown() override { SetApplicationNames("", ""); }
  void Load() { LoadSettings(app, registry, files); }

  Win32Registry registry;
  ProgramInFolder files;
  AppState app;
};

TEST_F(WineSettings, FreshPrefixLoadsTheDefaultsMakesTheFoldersAndWritesNoValue) {
  Load();
  const TessalySettings& s = app.settings;
  ExpectDefaultSettings(s);
  EXPECT_EQ(std::string(s.saveDir), std::string(kProgramFolder) + "\\Recovery");
  EXPECT_EQ(std::string(s.reportPath), std::string(kProgramFolder) + "\\Tests\\QUICKCHK.RPT");
  EXPECT_TRUE(IsFolder(s.saveDir));
  EXPECT_TRUE(IsFolder(std::string(kProgramFolder) + "\\Tests"));
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kSettingsKey), 0u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kInstallKey));
}

TEST_F(WineSettings, SaveWritesTheSevenValuesWithTheirTypes) {
  Load();
  app.settings.idle = 3;
  app.settings.lastTime = 946684800;
  WriteSettings(app, registry);

  struct Expected {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  const std::string saveDir = std::string(kProgramFolder) + "\\Recovery";
  const Expected expected[] = {
      {"Idle", REG_DWORD, Dword(3)},          {"Backup", REG_DWORD, Dword(1)},
      {"QuickCheck", REG_DWORD, Dword(1)},    {"MaxOnce", REG_DWORD, Dword(1)},
      {"LastTime", REG_DWORD, Dword(946684800)}, {"SaveDir", REG_SZ, Text(saveDir)},
      {"Disabled", REG_DWORD, Dword(0)},
  };
  EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kSettingsKey), 7u);
  for (const Expected& e : expected) {
    const RawValue v = Query(HKEY_CURRENT_USER, kSettingsKey, e.name);
    ASSERT_TRUE(v.found) << e.name;
    EXPECT_EQ(v.type, e.type) << e.name;
    EXPECT_EQ(v.data, e.data) << e.name;
  }
}

TEST_F(WineSettings, SavedSettingsLoadBack) {
  Load();
  app.settings.idle = 5;
  app.settings.backup = 0;
  app.settings.maxOnce = 0;
  app.settings.disabled = 1;
  app.settings.lastTime = 1000000000;
  WriteSettings(app, registry);
  AppState loaded;
  LoadSettings(loaded, registry, files);
  ExpectSamePersisted(loaded.settings, app.settings);
}

class WineInstallDirectory : public WineSettings,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(WineInstallDirectory, WithOrWithoutTrailingBackslashGivesTheSamePaths) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Vantor Test", nullptr) ||
              GetLastError() == ERROR_ALREADY_EXISTS);
  StoreText(HKEY_LOCAL_MACHINE, kInstallKey, "Directory", GetParam());
  Load();
  EXPECT_STREQ(app.settings.saveDir, "C:\\Vantor Test\\Recovery");
  EXPECT_STREQ(app.settings.reportPath, "C:\\Vantor Test\\Tests\\QUICKCHK.RPT");
  EXPECT_TRUE(IsFolder("C:\\Vantor Test\\Recovery"));
  EXPECT_TRUE(IsFolder("C:\\Vantor Test\\Tests"));
  char install[kPathSize];
  EXPECT_TRUE(GetInstallDirectory(registry, files, install, sizeof install));
  EXPECT_STREQ(install, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Backslash, WineInstallDirectory,
                         ::testing::Values("C:\\Vantor Test", "C:\\Vantor Test\\"));

TEST_F(WineSettings, DirectoryOf300CharactersFallsBackToTheProgramsFolder) {
  StoreText(HKEY_LOCAL_MACHINE, kInstallKey, "Directory", "C:\\" + std::string(297, 'v'));
  char install[kPathSize + 16];
  memset(install, '#', sizeof install);
  EXPECT_TRUE(GetInstallDirectory(registry, files, install, kPathSize));
  EXPECT_EQ(std::string(install), std::string(kProgramFolder) + "\\");
  for (size_t i = kPathSize; i < sizeof install; ++i) ASSERT_EQ(install[i], '#') << i;
}

TEST(WineProgramFolder, IsTheRealExecutablesFolderEndingInABackslash) {
  Win32Registry registry;
  Win32FileSystem files;
  char install[kPathSize];
  ASSERT_TRUE(GetInstallDirectory(registry, files, install, sizeof install));
  char module[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, module, sizeof module), 0u);
  const std::string modulePath = module;
  EXPECT_EQ(std::string(install), modulePath.substr(0, modulePath.rfind('\\') + 1));
}

struct MalformedCase {
  const char* label;
  const char* name;
  DWORD type;
  std::vector<BYTE> data;
};

class WineMalformedValue : public WineSettings,
                           public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(WineMalformedValue, GetsTheDefault) {
  const MalformedCase& c = GetParam();
  Store(HKEY_CURRENT_USER, kSettingsKey, c.name, c.type, c.data.data(),
        static_cast<DWORD>(c.data.size()));
  Load();
  const TessalySettings& s = app.settings;
  ExpectDefaultSettings(s);
  EXPECT_EQ(std::string(s.saveDir), std::string(kProgramFolder) + "\\Recovery");
}

INSTANTIATE_TEST_SUITE_P(
    Values, WineMalformedValue,
    ::testing::Values(
        MalformedCase{"IdleAsText", "Idle", REG_SZ, Text("3")},
        MalformedCase{"LastTimeAsEightByteBinary", "LastTime", REG_BINARY,
                      {0x80, 0x43, 0x6D, 0x38, 0, 0, 0, 0}},
        MalformedCase{"SaveDirAsDword", "SaveDir", REG_DWORD, {'C', ':', '\\', 0}},
        MalformedCase{"SaveDirOf10000Characters", "SaveDir", REG_SZ,
                      Text("C:\\" + std::string(9997, 'd'))},
        MalformedCase{"SaveDirOfAVanishedFolder", "SaveDir", REG_SZ, Text("C:\\Gone Away")}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.label; });

class WineIdleOutOfRange : public WineSettings, public ::testing::WithParamInterface<int32_t> {};

TEST_P(WineIdleOutOfRange, LoadsUnchanged) {
  const DWORD idle = static_cast<DWORD>(GetParam());
  Store(HKEY_CURRENT_USER, kSettingsKey, "Idle", REG_DWORD, &idle, sizeof idle);
  Load();
  EXPECT_EQ(app.settings.idle, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Values, WineIdleOutOfRange, ::testing::Values(-1, 7));

}  // namespace
}  // namespace tessaly

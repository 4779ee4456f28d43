// The settings store over the in-memory registry and file system: the
// settings key, LoadSettings and SaveSettings.
#include "app/settings_store.h"

#include <string.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/settings_defaults.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace tessaly {
namespace {

const char kSettingsPath[] = "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp\\Tessaly";
const char kInstallPath[] = "HKEY_LOCAL_MACHINE\\Software\\Brenmoor Software Corp\\Vantor\\Settings";

class SettingsKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly")); }
  void TearDown() override { SetApplicationNames("", ""); }
  FakeRegistry registry;
};

TEST_F(SettingsKeyTest, OpenCreatesCompanyAndProductKeysAndLeavesOnlyTheProductKeyOpen) {
  const RegistryKey key = OpenSettingsKey(registry);
  ASSERT_NE(key, 0u);
  EXPECT_TRUE(registry.HasKey(kSettingsPath));
  EXPECT_EQ(registry.createdKeys,
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp",
                                      "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp\\Tessaly"}));
  EXPECT_EQ(registry.OpenHandles(), 1u);
  EXPECT_EQ(registry.CloseKey(key), kRegistrySuccess);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsKeyTest, OpenFailsWhenAnyLevelIsDeniedAndLeavesNothingOpen) {
  for (const char* path : {"HKEY_CURRENT_USER\\Software",
                           "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp",
                           kSettingsPath}) {
    FakeRegistry denying;
    denying.denied.insert(FakeRegistry::Lower(path));
    EXPECT_EQ(OpenSettingsKey(denying), 0u) << path;
    EXPECT_EQ(denying.OpenHandles(), 0u) << path;
  }
}

TEST_F(SettingsKeyTest, OpenRefusesWhileANameIsEmpty) {
  for (auto names : {std::pair<const char*, const char*>{"", "Tessaly"},
                     {"Brenmoor Software Corp", ""}, {"", ""}}) {
    SetApplicationNames(names.first, names.second);
    EXPECT_EQ(OpenSettingsKey(registry), 0u);
    EXPECT_TRUE(registry.createdKeys.empty());
  }
}

TEST_F(SettingsKeyTest, NamesThatDoNotFitLeaveBothEmpty) {
  EXPECT_FALSE(SetApplicationNames(std::string(kNameSize, 'c').c_str(), "Tessaly"));
  EXPECT_STREQ(companyName, "");
  EXPECT_STREQ(productName, "");
  EXPECT_TRUE(SetApplicationNames(std::string(kNameSize - 1, 'c').c_str(), "Tessaly"));
  EXPECT_EQ(strlen(companyName), kNameSize - 1);
}

class SettingsLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly"));
    files.moduleFileName = "C:\\TESSALY\\TESSALY.EXE";
    files.AddDirectory("C:\\TESSALY");
    // Whatever a previous load left behind must not survive the next one.
    app.settings.quickCheckStatus = 1;
    memset(app.settings.saveDir, 'x', sizeof app.settings.saveDir - 1);
  }
  void TearDown() override {
    EXPECT_EQ(registry.OpenHandles(), 0u) << "a registry key was left open";
    SetApplicationNames("", "");
  }
  void Load() { LoadSettings(app, registry, files); }

  FakeRegistry registry;
  FakeFileSystem files;
  AppState app;
};

TEST_F(SettingsLoadTest, FreshUserGetsTheDefaultsAndTheFoldersAndNothingIsWritten) {
  Load();
  const TessalySettings& s = app.settings;
  ExpectDefaultSettings(s);
  EXPECT_STREQ(s.saveDir, "C:\\TESSALY\\Recovery");
  EXPECT_STREQ(s.reportPath, "C:\\TESSALY\\Tests\\QUICKCHK.RPT");
  EXPECT_TRUE(files.IsDirectory("C:\\TESSALY\\Recovery"));
  EXPECT_TRUE(files.IsDirectory("C:\\TESSALY\\Tests"));
  EXPECT_FALSE(files.Has("C:\\TESSALY\\Tests\\QUICKCHK.RPT"));
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_EQ(registry.ValueCount(kSettingsPath), 0u);
}

TEST_F(SettingsLoadTest, StoredValuesAreLoaded) {
  registry.SetDword(kSettingsPath, "Idle", 4);
  registry.SetDword(kSettingsPath, "Backup", 0);
  registry.SetDword(kSettingsPath, "QuickCheck", 0);
  registry.SetDword(kSettingsPath, "MaxOnce", 0);
  registry.SetDword(kSettingsPath, "LastTime", 946684800);
  registry.SetDword(kSettingsPath, "Disabled", 1);
  files.AddDirectory("D:\\Saves");
  registry.SetString(kSettingsPath, "SaveDir", "D:\\Saves");
  Load();
  const TessalySettings& s = app.settings;
  EXPECT_EQ(s.idle, 4);
  EXPECT_EQ(s.backup, 0);
  EXPECT_EQ(s.quickCheck, 0);
  EXPECT_EQ(s.maxOnce, 0);
  EXPECT_EQ(s.lastTime, 946684800);
  EXPECT_EQ(s.disabled, 1);
  EXPECT_STREQ(s.saveDir, "D:\\Saves");
  EXPECT_FALSE(files.Has("C:\\TESSALY\\Recovery"));
  EXPECT_TRUE(files.IsDirectory("C:\\TESSALY\\Tests"));
}

class IdleOutOfRange : public SettingsLoadTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(IdleOutOfRange, LoadsUnchanged) {
  registry.SetDword(kSettingsPath, "Idle", static_cast<uint32_t>(GetParam()));
  Load();
  EXPECT_EQ(app.settings.idle, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Values, IdleOutOfRange, ::testing::Values(-1, 7));

struct MalformedCase {
  const char* label;
  const char* name;
  uint32_t type;
  std::vector<uint8_t> data;
};

std::vector<uint8_t> Text(const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

class MalformedValue : public SettingsLoadTest,
                       public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedValue, GetsTheDefault) {
  const MalformedCase& c = GetParam();
  registry.SetRaw(kSettingsPath, c.name, c.type, c.data);
  Load();
  ExpectDefaultSettings(app.settings);
  EXPECT_STREQ(app.settings.saveDir, "C:\\TESSALY\\Recovery");
  EXPECT_STREQ(app.settings.reportPath, "C:\\TESSALY\\Tests\\QUICKCHK.RPT");
}

INSTANTIATE_TEST_SUITE_P(
    Values, MalformedValue,
    ::testing::Values(
        MalformedCase{"IdleAsText", "Idle", kRegString, Text("3")},
        MalformedCase{"IdleAsLongText", "Idle", kRegString, Text("12 Hours")},
        MalformedCase{"LastTimeAsEightByteBinary", "LastTime", kRegBinary,
                      {0x80, 0x43, 0x6D, 0x38, 0, 0, 0, 0}},
        MalformedCase{"DisabledAsTwoBytes", "Disabled", kRegBinary, {1, 0}},
        MalformedCase{"SaveDirAsDword", "SaveDir", kRegDword, {'D', ':', 0, 0}},
        MalformedCase{"SaveDirAsDwordSpellingAFolder", "SaveDir", kRegDword, {'C', ':', '\\', 0}},
        MalformedCase{"SaveDirOf10000Characters", "SaveDir", kRegString,
                      Text("C:\\" + std::string(9997, 'd'))},
        MalformedCase{"SaveDirOf260Characters", "SaveDir", kRegString,
                      Text("C:\\" + std::string(257, 'd'))},
        MalformedCase{"SaveDirOfAVanishedFolder", "SaveDir", kRegString, Text("D:\\Gone")}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.label; });

TEST_F(SettingsLoadTest, SaveDirOf259CharactersIsKeptWhenItExists) {
  const std::string dir = "C:\\" + std::string(256, 'd');
  files.AddDirectory(dir);
  registry.SetString(kSettingsPath, "SaveDir", dir);
  Load();
  EXPECT_EQ(std::string(app.settings.saveDir), dir);
}

TEST_F(SettingsLoadTest, SaveDirCutTo259CharactersIsNotTakenForAnotherFolder) {
  // The first 259 characters name a folder that exists; the stored value is
  // longer and so names a different one.
  const std::string prefix = "C:\\" + std::string(256, 'd');
  files.AddDirectory(prefix);
  registry.SetString(kSettingsPath, "SaveDir", prefix + "\\more");
  Load();
  EXPECT_STREQ(app.settings.saveDir, "C:\\TESSALY\\Recovery");
}

class InstallDirectoryForm : public SettingsLoadTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(InstallDirectoryForm, GivesTheSameDerivedPaths) {
  files.AddDirectory("C:\\VANTOR");
  registry.SetString(kInstallPath, "Directory", GetParam());
  Load();
  EXPECT_STREQ(app.settings.saveDir, "C:\\VANTOR\\Recovery");
  EXPECT_STREQ(app.settings.reportPath, "C:\\VANTOR\\Tests\\QUICKCHK.RPT");
  EXPECT_TRUE(files.IsDirectory("C:\\VANTOR\\Recovery"));
  EXPECT_TRUE(files.IsDirectory("C:\\VANTOR\\Tests"));
}

INSTANTIATE_TEST_SUITE_P(Backslash, InstallDirectoryForm,
                         ::testing::Values("C:\\VANTOR", "C:\\VANTOR\\"));

TEST_F(SettingsLoadTest, ExistingFoldersAreNotMadeAgain) {
  files.AddDirectory("C:\\TESSALY\\Recovery");
  files.AddDirectory("C:\\TESSALY\\Tests");
  Load();
  for (const std::string& call : files.calls) EXPECT_NE(call.rfind("mkdir ", 0), 0u) << call;
}

TEST_F(SettingsLoadTest, WithoutAnyInstallFolderThePathsStartAtTheRoot) {
  files.moduleFileNameFails = true;
  Load();
  EXPECT_STREQ(app.settings.saveDir, "\\Recovery");
  EXPECT_STREQ(app.settings.reportPath, "\\Tests\\QUICKCHK.RPT");
}

TEST_F(SettingsLoadTest, UnopenableKeyGivesTheDefaultsAndSaveWritesNothing) {
  registry.SetDword(kSettingsPath, "Idle", 5);
  registry.denied.insert(FakeRegistry::Lower(kSettingsPath));
  Load();
  EXPECT_EQ(app.settings.idle, 1);
  EXPECT_STREQ(app.settings.saveDir, "C:\\TESSALY\\Recovery");
  WriteSettings(app, registry);
  EXPECT_TRUE(registry.writes.empty());
}

class ThrowingFileSystem : public FakeFileSystem {
 public:
  bool Exists(const char*) override { throw std::runtime_error("disk gone"); }
};

TEST_F(SettingsLoadTest, KeyIsClosedWhenAnExceptionPassesThrough) {
  ThrowingFileSystem throwing;
  throwing.AddDirectory("C:\\TESSALY");
  EXPECT_THROW(LoadSettings(app, registry, throwing), std::runtime_error);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsLoadTest, SaveWritesEveryValueInOrderWithItsType) {
  Load();
  WriteSettings(app, registry);
  const std::string p = kSettingsPath;
  const std::string recovery = "C:\\TESSALY\\Recovery";
  EXPECT_EQ(registry.writes,
            (std::vector<std::string>{
                p + "|Idle|4|4", p + "|Backup|4|4", p + "|QuickCheck|4|4", p + "|MaxOnce|4|4",
                p + "|LastTime|4|4", p + "|SaveDir|1|" + std::to_string(recovery.size() + 1),
                p + "|Disabled|4|4"}));
  const FakeRegistry::Value* saveDir = registry.Find(p, "SaveDir");
  ASSERT_NE(saveDir, nullptr);
  EXPECT_EQ(saveDir->data, Text(recovery));
}

TEST_F(SettingsLoadTest, SaveWritesAnEmptySaveDirToo) {
  app.settings.saveDir[0] = '\0';
  WriteSettings(app, registry);
  const FakeRegistry::Value* saveDir = registry.Find(kSettingsPath, "SaveDir");
  ASSERT_NE(saveDir, nullptr);
  EXPECT_EQ(saveDir->type, kRegString);
  EXPECT_EQ(saveDir->data, Text(""));
}

TEST_F(SettingsLoadTest, SaveStopsAnUnterminatedSaveDirAtTheFieldsEnd) {
  memset(app.settings.saveDir, 'x', sizeof app.settings.saveDir);
  WriteSettings(app, registry);
  const FakeRegistry::Value* saveDir = registry.Find(kSettingsPath, "SaveDir");
  ASSERT_NE(saveDir, nullptr);
  EXPECT_EQ(saveDir->data, Text(std::string(kPathSize - 1, 'x')));
}

TEST_F(SettingsLoadTest, SavedSettingsLoadBack) {
  files.AddDirectory("E:\\Sets");
  TessalySettings& s = app.settings;
  s.idle = 5;
  s.backup = 0;
  s.quickCheck = 1;
  s.maxOnce = 0;
  s.lastTime = -5;
  s.disabled = 1;
  CopyText(s.saveDir, "E:\\Sets");
  WriteSettings(app, registry);

  AppState loaded;
  LoadSettings(loaded, registry, files);
  ExpectSamePersisted(loaded.settings, s);
}

}  // namespace
}  // namespace tessaly

// The bad-input sweep under Wine, over the real registry, profile functions
// and file system of a fresh Windows-95 prefix: registry values of every
// wrong type and size, "intl" values that are empty, 1,000 characters long or
// hold '%' and "%n" (written to HKCU\Control Panel\International, where the
// profile functions find them), a "Vantor.ini" with huge sections, and paths
// of 259, 260 and 261 characters. Prints "N bad inputs tried, 0 crashes".
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <windows.h>

#include <string>
#include <vector>

#include "registry_test_support.h"
#include "actions/action_context.h"
#include "actions/backup.h"
#include "app/install_folder.h"
#include "base/paths.h"
#include "app/settings_store.h"
#include "app/win32/win32_file_system.h"
#include "app/win32/win32_profile.h"
#include "app/win32/win32_registry.h"
#include "contracts/bad_input_rows.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_companions.h"
#include "fakes/fake_install_folder.h"
#include "fakes/fake_window_system.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

const char kSettingsKey[] = "Software\\Brenmoor Software Corp\\Tessaly";
const char kInstallKey[] = "Software\\Brenmoor Software Corp\\Vantor\\Settings";
const char kInternational[] = "Control Panel\\International";
const char kProgramFolder[] = "C:\\Tessaly Sweep";
const char kExistingFolder[] = "C:\\Sweep Folder";
const char kMainFolder[] = "C:\\Vantor Sweep";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates every folder along path; true when the whole path exists after.
bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
  return Exists(path);
}

// Creates an empty file; false when the platform refuses the path.
bool MakeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The real file system, the program's own path placed in a folder of the
// prefix instead of the test's build folder.
class ProgramInFolder : public Win32FileSystem {
 public:
  bool ModuleFileName(char* out, size_t size) override {
    return FormatText(out, size, "%s\\Tessaly.exe", kProgramFolder);
  }
};

void Store(HKEY root, const char* path, const char* name, DWORD type,
           const std::vector<uint8_t>& data) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // The bytes handed over end in a NUL past the count: the platform's text
  // writers look one byte past an unterminated text (and Wine reads on to
  // the next NUL), and a null pointer is refused even for 0 bytes.
  std::vector<uint8_t> padded = data;
  padded.push_back(0);
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, padded.data(), static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void StoreText(HKEY root, const char* path, const char* name, const std::string& text) {
  Store(root, path, name, REG_SZ, SweepBytes(text, true));
}

// An ActionContext over the real file system and profile functions, the
// rest from the fakes; a save writes the set's first cabinet.
struct RealActions {
  RealActions() {
    companions.writeSet = [](const FakeCompanions::Save& save) {
      MakeFile(save.saveDir + "\\" + save.setName + "1.cab");
    };
  }
  AppState app;
  Win32FileSystem files;
  Win32Profile profile;
  FakeClock clock;
  FakeWindowSystem windows;
  FakeCompanions companions;
  FakeInstallFolder installFolder{kProgramFolder};
  ActionContext context{app, files, profile, clock, windows, companions, installFolder};
};

// The start of a save that began after every file made so far.
Time32 SaveBeganLater() { return static_cast<Time32>(time(nullptr)) + 60; }

std::string VantorIniPath() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder, length) + "\\Vantor.ini";
}

std::string ReadRestore(const std::string& key) {
  char value[1100];
  GetPrivateProfileStringA("Restore Files", key.c_str(), "<missing>", value, sizeof value,
                           "Vantor.ini");
  return value;
}

class BadInputSweep : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly"));
    ASSERT_TRUE(MakeFolders(kProgramFolder));
    ASSERT_TRUE(MakeFolders(kExistingFolder));
  }
  void TearDown() override { SetApplicationNames("", ""); }

  // A settings key and install key holding only value name = form.
  void FreshKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKey);
  }

  void RegistryValues();
  void IntlValues();
  void HugeVantorIni();
  void SettingsPaths();
  void BackupPaths();

  Win32Registry registry;
  ProgramInFolder files;
  SweepCounter sweep;
};

// ---- Registry values of every wrong type and size ----

void BadInputSweep::RegistryValues() {
  const std::string program = kProgramFolder;
  for (const SettingValue& setting : SweepSettingValues()) {
    for (const RegistryForm& form : SweepRegistryForms(kExistingFolder)) {
      SCOPED_TRACE(std::string(setting.name) + " stored as " + form.name);
      sweep.Row();
      FreshKeys();
      const HKEY root = setting.machineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
      const char* path = setting.machineWide ? kInstallKey : kSettingsKey;
      Store(root, path, setting.name, form.type, form.data);
      const RawValue before = Query(root, path, setting.name);
      ASSERT_TRUE(before.found);
      ASSERT_EQ(before.type, form.type);

      AppState app;
      LoadSettings(app, registry, files);

      // Load writes nothing: the one stored value is as it was.
      const RawValue after = Query(root, path, setting.name);
      EXPECT_TRUE(after.found && after.type == before.type && after.data == before.data);
      EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kSettingsKey), setting.machineWide ? 0u : 1u);

      const std::string install =
          ExpectSweptLoad(app.settings, setting, form, program + "\\", Exists);
      char found[kPathSize];
      EXPECT_TRUE(GetInstallDirectory(registry, files, found, sizeof found));
      EXPECT_EQ(found, install);
    }
  }
  FreshKeys();
}

// ---- "intl" values: empty, 1,000 characters, '%' and "%n" ----

void BadInputSweep::IntlValues() {
  const char* const keys[] = {"sShortDate", "sDate", "sTime", "s1159", "s2359", "iTime"};
  for (const IntlRow& row : SweepIntlRows()) {
    SCOPED_TRACE(row.name);
    sweep.Row();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kInternational, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const char* name : keys) RegDeleteValueA(key, name);
    for (const auto& entry : row.entries)
      EXPECT_EQ(RegSetValueExA(key, entry.first, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(entry.second.c_str()),
                               static_cast<DWORD>(entry.second.size() + 1)),
                ERROR_SUCCESS);
    RegCloseKey(key);

    Win32Profile profile;
    ExpectIntlRow(profile, row);
  }
}

// ---- "Vantor.ini" with huge sections ----

struct VantorIniRow {
  const char* name;
  int cabKeys;         // Cab1..CabN
  size_t valueLength;  // length of the entries that name no cabinet
  int emptyAt;         // this entry is empty (0: none)
  int matchAt;         // this entry names the cleared cabinet (0: none)
  int otherKeys;       // keys of other names in both sections
  int expectedWrite;   // the entry emptied (0: none)
};

void BadInputSweep::HugeVantorIni() {
  const VantorIniRow rows[] = {
      {"3000LongEntriesNoMatch", 3000, 1000, 0, 0, 0, 0},
      {"3000LongEntriesMatchAtLast", 3000, 1000, 0, 3000, 0, 3000},
      {"EmptyEntryEndsTheWalk", 2000, 300, 700, 1500, 0, 0},
      {"3000OtherKeysAroundMain", 1, 10, 0, 1, 3000, 1},
  };
  const std::string recovery = SweepJoined(kMainFolder, "Recovery");
  const std::string cab = SweepJoined(recovery, "Tessaly31.cab");
  const std::string rcv = SweepJoined(recovery, "Tessaly31.rcv");
  for (const VantorIniRow& row : rows) {
    SCOPED_TRACE(row.name);
    sweep.Row();
    ASSERT_TRUE(MakeFolders(recovery));
    ASSERT_TRUE(MakeFile(cab));
    ASSERT_TRUE(MakeFile(rcv));
    // The file is written whole: thousands of profile writes would take
    // minutes.
    FILE* ini = fopen(VantorIniPath().c_str(), "wb");
    ASSERT_NE(ini, nullptr);
    fprintf(ini, "[Directories]\r\n");
    for (int k = 1; k <= row.otherKeys; ++k)
      fprintf(ini, "Folder%d=%s\r\n", k, Repeat("d", 200).c_str());
    fprintf(ini, "Main=%s\r\n[Restore Files]\r\n", kMainFolder);
    for (int k = 1; k <= row.otherKeys; ++k) fprintf(ini, "File%d=%s\r\n", k, cab.c_str());
    for (int k = 1; k <= row.cabKeys; ++k) {
      const std::string value = k == row.matchAt ? cab
                                : k == row.emptyAt
                                    ? ""
                                    : Repeat(std::to_string(k) + "v", row.valueLength);
      fprintf(ini, "Cab%d=%s\r\n", k, value.c_str());
    }
    fclose(ini);

    RealActions actions;
    ClearOldRecoveryFiles(actions.context, "Tessaly3", SaveBeganLater());

    EXPECT_FALSE(Exists(cab));
    EXPECT_FALSE(Exists(rcv));
    for (int k : {1, row.emptyAt, row.matchAt, row.cabKeys}) {
      if (k == 0) continue;
      const std::string key = "Cab" + std::to_string(k);
      const std::string expected = k == row.expectedWrite || k == row.emptyAt ? ""
                                   : k == row.matchAt
                                       ? cab
                                       : Repeat(std::to_string(k) + "v", row.valueLength);
      EXPECT_EQ(ReadRestore(key), expected) << key;
    }
  }
  DeleteFileA(VantorIniPath().c_str());
}

// ---- Paths of 259, 260 and 261 characters ----

void BadInputSweep::SettingsPaths() {
  const std::string program = std::string(kProgramFolder) + "\\";
  for (size_t length : kSweepPathLengths) {
    const bool fits = length < kPathSize;
    {
      SCOPED_TRACE("Directory of " + std::to_string(length));
      sweep.Row();
      FreshKeys();
      const std::string directory = PathOfLength("C:\\Dir", length);
      const bool exists = MakeFolders(directory);
      StoreText(HKEY_LOCAL_MACHINE, kInstallKey, "Directory", directory);
      char found[kPathSize];
      EXPECT_TRUE(GetInstallDirectory(registry, files, found, sizeof found));
      EXPECT_EQ(found, fits && exists ? directory : program);
    }
    {
      SCOPED_TRACE("SaveDir of " + std::to_string(length));
      sweep.Row();
      FreshKeys();
      const std::string saveDir = PathOfLength("C:\\Save", length);
      const bool exists = MakeFolders(saveDir);
      StoreText(HKEY_CURRENT_USER, kSettingsKey, "SaveDir", saveDir);
      AppState app;
      LoadSettings(app, registry, files);
      EXPECT_EQ(app.settings.saveDir, fits && exists ? saveDir : program + "Recovery");
      EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, kSettingsKey), 1u);
    }
    {
      SCOPED_TRACE("reportPath of " + std::to_string(length));
      sweep.Row();
      FreshKeys();
      const std::string tail = "\\Tests\\QUICKCHK.RPT";
      const std::string directory = PathOfLength("C:\\Report", length - tail.size());
      ASSERT_TRUE(MakeFolders(directory));
      StoreText(HKEY_LOCAL_MACHINE, kInstallKey, "Directory", directory);
      AppState app;
      LoadSettings(app, registry, files);
      EXPECT_EQ(app.settings.reportPath, fits ? directory + tail : std::string());
      EXPECT_TRUE(Exists(directory + "\\Tests"));
    }
  }
  FreshKeys();
}

void BadInputSweep::BackupPaths() {
  const std::string firstCabinet = "\\Tessaly11.cab";
  for (size_t length : kSweepPathLengths) {
    const bool fits = length < kPathSize;
    const std::string saveDir = PathOfLength("C:\\Sets", length - firstCabinet.size());
    ASSERT_TRUE(MakeFolders(saveDir));
    {
      SCOPED_TRACE("ChooseBackupSet, first cabinet path of " + std::to_string(length));
      sweep.Row();
      RealActions actions;
      CopyText(actions.app.settings.saveDir, saveDir.c_str());
      char description[kBackupDescriptionSize];
      char setName[16] = "unchanged";
      EXPECT_EQ(ChooseBackupSet(actions.context, description, sizeof description, setName,
                                sizeof setName),
                fits);
      EXPECT_STREQ(setName, fits ? "Tessaly1" : "unchanged");
    }
    {
      SCOPED_TRACE("BackupSystemFiles, first cabinet path of " + std::to_string(length));
      sweep.Row();
      RealActions actions;
      CopyText(actions.app.settings.saveDir, saveDir.c_str());
      EXPECT_EQ(RunSystemFileBackup(actions.context, 0), fits);
      ASSERT_EQ(actions.companions.saves.size(), fits ? 1u : 0u);
      if (fits) {
        EXPECT_EQ(actions.companions.saves[0].saveDir, saveDir);
        EXPECT_EQ(actions.companions.saves[0].setName, "Tessaly1");
      }
    }
    {
      SCOPED_TRACE("recovery cabinet path of " + std::to_string(length));
      sweep.Row();
      const std::string tail = "\\Recovery\\Tessaly11.cab";
      const std::string main = PathOfLength("C:\\Main", length - tail.size());
      // A file of 261 characters cannot be made; the row then checks the
      // restore list alone.
      const bool made = MakeFolders(main + "\\Recovery") && MakeFile(main + tail);
      ASSERT_TRUE(WritePrivateProfileStringA("Directories", "Main", main.c_str(), "Vantor.ini"));
      ASSERT_TRUE(
          WritePrivateProfileStringA("Restore Files", "Cab1", (main + tail).c_str(), "Vantor.ini"));
      RealActions actions;
      ClearOldRecoveryFiles(actions.context, "Tessaly1", SaveBeganLater());
      EXPECT_EQ(ReadRestore("Cab1"), fits ? "" : main + tail);
      if (made) {
        EXPECT_EQ(Exists(main + tail), !fits);
      }
      DeleteFileA(VantorIniPath().c_str());
    }
  }
}

TEST_F(BadInputSweep, EveryRowEndsInItsDefinedResult) {
  RegistryValues();
  IntlValues();
  HugeVantorIni();
  SettingsPaths();
  BackupPaths();
  const size_t lengths = sizeof kSweepPathLengths / sizeof kSweepPathLengths[0];
  const size_t rows = SweepSettingValues().size() * SweepRegistryForms(kExistingFolder).size() +
                      SweepIntlRows().size() + 4 + lengths * (3 + 3);
  EXPECT_EQ(static_cast<size_t>(sweep.tried()), rows);
  sweep.Print();
}

}  // namespace
}  // namespace tessaly

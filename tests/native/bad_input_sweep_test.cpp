// The bad-input sweep over the in-memory registry, profile and files: every
// row is one load, format or parse of a bad value, and must end in its
// defined result (the default taken, the text cut or refused as documented,
// nothing written outside the named folders and keys). The test prints
// "N bad inputs tried, 0 crashes".
#include <ctype.h>
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/install_folder.h"
#include "actions/backup.h"
#include "base/paths.h"
#include "app/settings_store.h"
#include "contracts/bad_input_rows.h"
#include "fakes/fake_action_context.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

const char kSettingsPath[] = "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp\\Tessaly";
const char kInstallPath[] =
    "HKEY_LOCAL_MACHINE\\Software\\Brenmoor Software Corp\\Vantor\\Settings";
const char kProgramFolder[] = "C:\\TESSALY\\";
const char kExistingFolder[] = "C:\\Sweep Folder";
const char kMainFolder[] = "C:\\Vantor";
// A save that began after every file these tests make (they are stamped 0).
constexpr Time32 kSaveBegan = 1100000000;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

// The registry, files and state of one settings load.
struct SettingsWorld {
  FakeRegistry registry;
  FakeFileSystem files;
  AppState app;

  SettingsWorld() {
    files.moduleFileName = std::string(kProgramFolder) + "TESSALY.EXE";
    files.AddDirectory("C:\\TESSALY");
    files.AddDirectory(kExistingFolder);
    registry.AddKey(kSettingsPath);
    registry.AddKey(kInstallPath);
    memset(app.settings.saveDir, 'x', sizeof app.settings.saveDir - 1);
  }
  void Load() { LoadSettings(app, registry, files); }
  // The folders load created, in order.
  std::vector<std::string> Made() const {
    std::vector<std::string> made;
    for (const std::string& call : files.calls)
      if (call.rfind("mkdir ", 0) == 0) made.push_back(call.substr(6));
    return made;
  }
  // Load reads only: no registry write and no key left open.
  void ExpectReadOnly() const {
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_EQ(registry.OpenHandles(), 0u);
  }
};

class BadInputSweep : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly")); }
  void TearDown() override { SetApplicationNames("", ""); }

  void RegistryValues();
  void IntlValues();
  void HugeVantorIni();
  void JoinPaths();
  void SettingsPaths();
  void BackupPaths();

  SweepCounter sweep;
};

// ---- Registry values of every wrong type and size ----

void BadInputSweep::RegistryValues() {
  for (const SettingValue& setting : SweepSettingValues()) {
    for (const RegistryForm& form : SweepRegistryForms(kExistingFolder)) {
      SCOPED_TRACE(std::string(setting.name) + " stored as " + form.name);
      sweep.Row();
      SettingsWorld w;
      w.registry.SetRaw(setting.machineWide ? kInstallPath : kSettingsPath, setting.name, form.type,
                        form.data);
      w.Load();
      w.ExpectReadOnly();

      const std::string install =
          ExpectSweptLoad(w.app.settings, setting, form, kProgramFolder,
                          [&](const std::string& path) { return w.files.Has(path); });
      for (const std::string& made : w.Made())
        EXPECT_TRUE(made == SweepJoined(install, "Recovery") ||
                    made == SweepJoined(install, "Tests"))
            << made;

      char found[kPathSize];
      EXPECT_TRUE(GetInstallDirectory(w.registry, w.files, found, sizeof found));
      EXPECT_EQ(found, install);
      EXPECT_EQ(w.registry.OpenHandles(), 0u);
    }
  }
}

// ---- "intl" values: empty, 1,000 characters, '%' and "%n" ----

void BadInputSweep::IntlValues() {
  for (const IntlRow& row : SweepIntlRows()) {
    SCOPED_TRACE(row.name);
    sweep.Row();
    FakeProfile profile;
    for (const auto& entry : row.entries)
      profile.Set(nullptr, kIntlSection, entry.first, entry.second);
    ExpectIntlRow(profile, row);
    EXPECT_TRUE(profile.writes.empty());
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
  size_t mainLength;   // "Main" of this length instead of C:\Vantor (0: C:\Vantor)
  int expectedWrite;   // the entry emptied (0: none)
  bool removes;        // the two recovery files are removed
};

void BadInputSweep::HugeVantorIni() {
  const VantorIniRow rows[] = {
      {"5000LongEntriesNoMatch", 5000, 1000, 0, 0, 0, 0, 0, true},
      {"5000LongEntriesMatchAtLast", 5000, 1000, 0, 5000, 0, 0, 5000, true},
      {"EmptyEntryEndsTheWalk", 3000, 300, 1000, 1500, 0, 0, 0, true},
      {"5000OtherKeysAroundMain", 1, 10, 0, 1, 5000, 0, 1, true},
      {"Main1000Characters", 3, 10, 0, 1, 0, 1000, 0, false},
      {"Main259Characters", 3, 10, 0, 1, 0, 259, 0, false},
  };
  for (const VantorIniRow& row : rows) {
    SCOPED_TRACE(row.name);
    sweep.Row();
    FakeActionContext f;
    const std::string main = row.mainLength ? PathOfLength("C:\\", row.mainLength) : kMainFolder;
    f.profile.Set(kVantorIni, "Directories", "Main", main);
    const std::string cab = SweepJoined(main, "Recovery\\Tessaly31.cab");
    const std::string rcv = SweepJoined(main, "Recovery\\Tessaly31.rcv");
    f.files.AddFile(cab);
    f.files.AddFile(rcv);
    for (int k = 1; k <= row.otherKeys; ++k) {
      f.profile.Set(kVantorIni, "Directories", ("Folder" + std::to_string(k)).c_str(),
                    Repeat("d", 200));
      f.profile.Set(kVantorIni, "Restore Files", ("File" + std::to_string(k)).c_str(), Upper(cab));
    }
    for (int k = 1; k <= row.cabKeys; ++k) {
      const std::string value = k == row.matchAt ? Upper(cab)
                                : k == row.emptyAt
                                    ? ""
                                    : Repeat(std::to_string(k) + "v", row.valueLength);
      f.profile.Set(kVantorIni, "Restore Files", ("Cab" + std::to_string(k)).c_str(), value);
    }

    ClearOldRecoveryFiles(f.context, "Tessaly3", kSaveBegan);

    const std::vector<std::string> removed = f.FileCalls("remove ");
    if (row.removes) {
      EXPECT_EQ(removed, (std::vector<std::string>{rcv, cab}));
    } else {
      EXPECT_TRUE(removed.empty());
    }
    if (row.expectedWrite) {
      EXPECT_EQ(f.profile.writes,
                (std::vector<std::string>{"Vantor.ini|Restore Files|Cab" +
                                          std::to_string(row.expectedWrite) + "="}));
    } else {
      EXPECT_TRUE(f.profile.writes.empty());
    }
  }

  // Entries of 259, 260 and 261 characters that begin with the cabinet's
  // path: none matches, none ends the walk, and the exact entry after them
  // is emptied.
  for (size_t length : kSweepPathLengths) {
    SCOPED_TRACE("entry of " + std::to_string(length) + " characters beginning with the cabinet");
    sweep.Row();
    FakeActionContext f;
    f.profile.Set(kVantorIni, "Directories", "Main", kMainFolder);
    const std::string cab = SweepJoined(kMainFolder, "Recovery\\Tessaly31.cab");
    f.profile.Set(kVantorIni, "Restore Files", "Cab1", cab + Repeat("x", length - cab.size()));
    f.profile.Set(kVantorIni, "Restore Files", "Cab2", cab);
    ClearOldRecoveryFiles(f.context, "Tessaly3", kSaveBegan);
    EXPECT_EQ(f.profile.writes, (std::vector<std::string>{"Vantor.ini|Restore Files|Cab2="}));
  }
}

// ---- Paths of 259, 260 and 261 characters ----

void BadInputSweep::JoinPaths() {
  const std::string name = "x.cab";
  for (size_t length : kSweepPathLengths) {
    for (bool backslash : {false, true}) {
      for (bool inPlace : {false, true}) {
        SCOPED_TRACE("JoinPath to " + std::to_string(length) +
                     (backslash ? ", first ends in \\" : "") + (inPlace ? ", in place" : ""));
        sweep.Row();
        std::string first = PathOfLength("C:\\", length - name.size() - 1);
        if (backslash) first += '\\';
        const std::string whole = SweepJoined(first, name);
        ASSERT_EQ(whole.size(), length);
        char out[kPathSize + 8];
        memset(out, '#', sizeof out);
        CopyText(out, kPathSize, first.c_str());
        const bool fitted = JoinPath(out, kPathSize, inPlace ? out : first.c_str(), name.c_str());
        EXPECT_EQ(fitted, length < kPathSize);
        EXPECT_EQ(out, fitted ? whole : std::string());  // cut paths are refused, not used
        EXPECT_EQ(out[kPathSize], '#');                  // nothing past the buffer
      }
    }
  }
}

void BadInputSweep::SettingsPaths() {
  for (size_t length : kSweepPathLengths) {
    const bool fits = length < kPathSize;
    {
      SCOPED_TRACE("Directory of " + std::to_string(length));
      sweep.Row();
      SettingsWorld w;
      const std::string directory = PathOfLength("C:\\", length);
      w.files.AddDirectory(directory);
      w.registry.SetString(kInstallPath, "Directory", directory);
      char found[kPathSize];
      EXPECT_TRUE(GetInstallDirectory(w.registry, w.files, found, sizeof found));
      EXPECT_EQ(found, fits ? directory : std::string(kProgramFolder));
      w.Load();
      w.ExpectReadOnly();
      // A 259-character install folder leaves no room for its subfolders:
      // they are not used, and nothing is created.
      EXPECT_STREQ(w.app.settings.saveDir, fits ? "" : "C:\\TESSALY\\Recovery");
      EXPECT_STREQ(w.app.settings.reportPath, fits ? "" : "C:\\TESSALY\\Tests\\QUICKCHK.RPT");
      if (fits) {
        EXPECT_TRUE(w.Made().empty());
      }
    }
    {
      SCOPED_TRACE("SaveDir of " + std::to_string(length));
      sweep.Row();
      SettingsWorld w;
      const std::string saveDir = PathOfLength("C:\\", length);
      w.files.AddDirectory(saveDir);
      w.registry.SetString(kSettingsPath, "SaveDir", saveDir);
      w.Load();
      w.ExpectReadOnly();
      EXPECT_EQ(w.app.settings.saveDir, fits ? saveDir : std::string("C:\\TESSALY\\Recovery"));
    }
    {
      SCOPED_TRACE("reportPath and default saveDir of " + std::to_string(length));
      sweep.Row();
      SettingsWorld w;
      const std::string tail = "\\Tests\\QUICKCHK.RPT";
      const std::string directory = PathOfLength("C:\\", length - tail.size());
      w.files.AddDirectory(directory);
      w.registry.SetString(kInstallPath, "Directory", directory);
      w.Load();
      w.ExpectReadOnly();
      EXPECT_EQ(w.app.settings.reportPath, fits ? directory + tail : std::string());
      const std::string recovery = directory + "\\Recovery";  // always shorter: used
      EXPECT_EQ(w.app.settings.saveDir, recovery);
      EXPECT_EQ(w.Made(), (std::vector<std::string>{recovery, directory + "\\Tests"}));
    }
    {
      SCOPED_TRACE("default saveDir of " + std::to_string(length));
      sweep.Row();
      SettingsWorld w;
      const std::string directory = PathOfLength("C:\\", length - strlen("\\Recovery"));
      w.files.AddDirectory(directory);
      w.registry.SetString(kInstallPath, "Directory", directory);
      w.Load();
      w.ExpectReadOnly();
      EXPECT_EQ(w.app.settings.saveDir, fits ? directory + "\\Recovery" : std::string());
      // The Tests folder is shorter and is always made.
      std::vector<std::string> made = {directory + "\\Tests"};
      if (fits) made.insert(made.begin(), directory + "\\Recovery");
      EXPECT_EQ(w.Made(), made);
    }
  }
}

void BadInputSweep::BackupPaths() {
  const std::string firstCabinet = "\\Tessaly11.cab";
  for (size_t length : kSweepPathLengths) {
    const bool fits = length < kPathSize;
    const std::string saveDir = PathOfLength("C:\\", length - firstCabinet.size());
    {
      SCOPED_TRACE("ChooseBackupSet, first cabinet path of " + std::to_string(length));
      sweep.Row();
      FakeActionContext f;
      f.SetSaveDir(saveDir);
      f.profile.Set(kVantorIni, "Directories", "Main", kMainFolder);
      f.profile.Set(kVantorIni, "Restore Files", "Cab1",
                    SweepJoined(kMainFolder, "Recovery\\Tessaly11.cab"));
      f.files.AddFile(SweepJoined(kMainFolder, "Recovery\\Tessaly11.cab"));
      char description[kBackupDescriptionSize];
      char setName[16] = "unchanged";
      EXPECT_EQ(
          ChooseBackupSet(f.context, description, sizeof description, setName, sizeof setName),
          fits);
      if (fits) {
        EXPECT_STREQ(setName, "Tessaly1");
        EXPECT_EQ(f.FileCalls("findfirst "), (std::vector<std::string>{saveDir + firstCabinet}));
        // Choosing clears nothing: that waits for a successful save.
        EXPECT_TRUE(f.FileCalls("remove ").empty());
        EXPECT_TRUE(f.profile.writes.empty());
      } else {
        EXPECT_STREQ(setName, "unchanged");
        EXPECT_TRUE(f.FileCalls("remove ").empty());
        EXPECT_TRUE(f.profile.writes.empty());
      }
    }
    {
      SCOPED_TRACE("BackupSystemFiles, first cabinet path of " + std::to_string(length));
      sweep.Row();
      FakeActionContext f;
      f.SetSaveDir(saveDir);
      f.files.AddDirectory(saveDir);
      f.windows.messageBoxAnswer = kIdYes;
      EXPECT_EQ(RunSystemFileBackup(f.context, 1), fits);
      ASSERT_EQ(f.windows.boxes.size(), 1u);
      EXPECT_NE(f.windows.boxes[0].text.find(saveDir),
                std::string::npos);  // the whole folder shown
      ASSERT_EQ(f.companions.saves.size(), fits ? 1u : 0u);
      if (fits) {
        EXPECT_EQ(f.companions.saves[0].saveDir, saveDir);
      }
      EXPECT_EQ(f.app.backupBusy, 0);
    }
    {
      SCOPED_TRACE("recovery cabinet path of " + std::to_string(length));
      sweep.Row();
      FakeActionContext f;
      const std::string tail = "\\Recovery\\Tessaly11.cab";
      const std::string main = PathOfLength("C:\\", length - tail.size());
      f.profile.Set(kVantorIni, "Directories", "Main", main);
      f.profile.Set(kVantorIni, "Restore Files", "Cab1", main + tail);
      f.files.AddFile(main + tail);
      f.files.AddFile(main + "\\Recovery\\Tessaly11.rcv");
      ClearOldRecoveryFiles(f.context, "Tessaly1", kSaveBegan);
      EXPECT_EQ(f.FileCalls("remove ").size(), fits ? 2u : 0u);
      EXPECT_EQ(f.profile.writes.size(), fits ? 1u : 0u);
    }
  }
  {
    SCOPED_TRACE("BackupSystemFiles, saveDir of 259");
    sweep.Row();
    FakeActionContext f;
    const std::string saveDir = PathOfLength("C:\\", 259);
    f.SetSaveDir(saveDir);
    f.files.AddDirectory(saveDir);
    f.windows.messageBoxAnswer = kIdYes;
    EXPECT_FALSE(RunSystemFileBackup(f.context, 1));
    ASSERT_EQ(f.windows.boxes.size(), 1u);
    EXPECT_EQ(f.windows.boxes[0].text,
              "This will save critical system files to " + saveDir + ". Do you want to proceed?");
    EXPECT_TRUE(f.companions.saves.empty());
  }
}

TEST_F(BadInputSweep, EveryRowEndsInItsDefinedResult) {
  RegistryValues();
  IntlValues();
  HugeVantorIni();
  JoinPaths();
  SettingsPaths();
  BackupPaths();
  // Every row of every table ran.
  const size_t lengths = sizeof kSweepPathLengths / sizeof kSweepPathLengths[0];
  const size_t rows = SweepSettingValues().size() * SweepRegistryForms(kExistingFolder).size() +
                      SweepIntlRows().size() + 6 + lengths * (1 + 4 + 4 + 3) + 1;
  EXPECT_EQ(static_cast<size_t>(sweep.tried()), rows);
  sweep.Print();
}

}  // namespace
}  // namespace tessaly

// SaveSystemFiles of VarnTools.dll under Wine, through the program's binding:
// a real cabinet of the system files and the description, replaced only
// whole, and every failure leaves the old cabinet and no stray files.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "actions/win32/companion_bindings.h"
#include "companion_test_support.h"

namespace {

using companion_test::ListFolder;
using companion_test::ReadWholeFile;
using companion_test::ScratchFolder;
using companion_test::TempFolderOverride;
using companion_test::WriteWholeFile;

struct Member {
  std::string name;
  uint32_t size;
};

// Reads the member table straight from the cabinet's header (CFHEADER and
// the CFFILE entries), independently of the cabinet library.
bool ParseCabinet(const std::string& bytes, std::vector<Member>* members) {
  auto word = [&](size_t at) { return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8); };
  auto dword = [&](size_t at) { return uint32_t(word(at)) | uint32_t(word(at + 2)) << 16; };
  if (bytes.size() < 36 || bytes.compare(0, 4, "MSCF") != 0) return false;
  if (dword(8) != bytes.size() || bytes[25] != 1 || word(30) != 0) return false;  // whole, v1.x, one cabinet
  size_t at = dword(16);
  for (uint16_t i = 0, files = word(28); i < files; ++i) {
    if (at + 16 >= bytes.size()) return false;
    const uint32_t size = dword(at);
    const size_t name = at + 16;
    const size_t end = bytes.find('\0', name);
    if (end == std::string::npos) return false;
    members->push_back({bytes.substr(name, end - name), size});
    at = end + 1;
  }
  return true;
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

class SaveSystemFiles : public ::testing::Test {
 protected:
  int32_t Save(const std::string& description, const std::string& saveDir,
               const std::string& set = "Tessaly1") {
    return companions.SaveSystemFiles(description.c_str(), saveDir.c_str(), set.c_str());
  }
  std::string Cabinet() const { return ReadWholeFile(folder / "Tessaly11.cab"); }

  tessaly::Win32Companions companions;
  ScratchFolder folder;
};

TEST_F(SaveSystemFiles, WritesACabinetOfTheSystemFilesAndTheDescription) {
  ASSERT_NE(Save("Tessaly Backup on 12/7/2026 8:41 PM", folder.Path()), 0);
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});

  std::vector<Member> members;
  ASSERT_TRUE(ParseCabinet(Cabinet(), &members));
  std::map<std::string, uint32_t> sizes;
  for (const Member& m : members) sizes[m.name] = m.size;
  ASSERT_EQ(sizes.count("WIN.INI"), 1u);
  ASSERT_EQ(sizes.count("SYSTEM.INI"), 1u);
  ASSERT_EQ(sizes.count("DESCRIPT.TXT"), 1u);
  EXPECT_EQ(sizes["WIN.INI"], ReadWholeFile(WindowsFile("WIN.INI")).size());
  EXPECT_EQ(sizes["SYSTEM.INI"], ReadWholeFile(WindowsFile("SYSTEM.INI")).size());
  EXPECT_GE(sizes["DESCRIPT.TXT"], strlen("Tessaly Backup on 12/7/2026 8:41 PM"));
}

TEST_F(SaveSystemFiles, OptionalSystemFilesGoInWhereTheyExist) {
  const std::string userDat = WindowsFile("USER.DAT");
  ASSERT_TRUE(WriteWholeFile(userDat, std::string(70000, 'u')));
  const int32_t result = Save("with USER.DAT", folder.Path());
  DeleteFileA(userDat.c_str());
  ASSERT_NE(result, 0);
  std::vector<Member> members;
  ASSERT_TRUE(ParseCabinet(Cabinet(), &members));
  bool found = false;
  for (const Member& m : members) found = found || (m.name == "USER.DAT" && m.size == 70000);
  EXPECT_TRUE(found);
}

TEST_F(SaveSystemFiles, ASecondSaveReplacesTheCabinetWhole) {
  ASSERT_NE(Save("first", folder.Path()), 0);
  const std::string first = Cabinet();
  ASSERT_NE(Save("the second backup, with a longer description", folder.Path()), 0);
  const std::string second = Cabinet();
  EXPECT_NE(first, second);
  std::vector<Member> members;
  ASSERT_TRUE(ParseCabinet(second, &members));
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});
}

TEST_F(SaveSystemFiles, AFailedWriteKeepsTheOldCabinetAndLeavesNoFiles) {
  ASSERT_NE(Save("good", folder.Path()), 0);
  const std::string old = Cabinet();
  ScratchFolder temp;
  {
    // The cabinet library's scratch files cannot be made: the write fails
    // after the new cabinet has been started.
    TempFolderOverride noScratch(temp / "missing\\");
    EXPECT_EQ(Save("never written", folder.Path()), 0);
  }
  EXPECT_EQ(Cabinet(), old);
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});
}

TEST_F(SaveSystemFiles, LeavesNoScratchFilesInTheTemporaryFolder) {
  ScratchFolder temp;
  TempFolderOverride scratch(temp.Path() + "\\");
  ASSERT_NE(Save("scratch", folder.Path()), 0);
  EXPECT_TRUE(ListFolder(temp.Path()).empty());
  CreateDirectoryA((folder / "Tessaly21.cab").c_str(), nullptr);
  EXPECT_EQ(Save("scratch", folder.Path(), "Tessaly2"), 0);
  EXPECT_TRUE(ListFolder(temp.Path()).empty());
}

TEST_F(SaveSystemFiles, AFolderUnderTheCabinetNameIsLeftAlone) {
  const std::string blocker = folder / "Tessaly11.cab";
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(blocker + "\\keep.txt", "keep"));
  EXPECT_EQ(Save("blocked", folder.Path()), 0);
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});
  EXPECT_EQ(ListFolder(blocker), std::set<std::string>{"KEEP.TXT"});
  EXPECT_EQ(ReadWholeFile(blocker + "\\keep.txt"), "keep");
}

TEST_F(SaveSystemFiles, AMissingSaveFolderFails) {
  const std::string missing = folder / "vanished";
  EXPECT_EQ(Save("nowhere", missing), 0);
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(ListFolder(folder.Path()).empty());
}

TEST_F(SaveSystemFiles, AnOldCabinetSetAsideByAnInterruptedRunIsPutBack) {
  ASSERT_NE(Save("good", folder.Path()), 0);
  const std::string old = Cabinet();
  // As a run killed between setting the old cabinet aside and renaming the
  // new one into place leaves it.
  ASSERT_TRUE(MoveFileA((folder / "Tessaly11.cab").c_str(), (folder / "Tessaly11.cab.old").c_str()));
  ASSERT_TRUE(WriteWholeFile(folder / "Tessaly11.cab.new", "half a cabi"));
  ScratchFolder temp;
  {
    TempFolderOverride noScratch(temp / "missing\\");
    EXPECT_EQ(Save("fails", folder.Path()), 0);
  }
  EXPECT_EQ(Cabinet(), old);
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});
  ASSERT_NE(Save("then succeeds", folder.Path()), 0);
  EXPECT_NE(Cabinet(), old);
  EXPECT_EQ(ListFolder(folder.Path()), std::set<std::string>{"TESSALY11.CAB"});
}

struct BadInput {
  const char* label;
  const char* description;
  int saveDir;  // 0 the scratch folder, 1 none, 2 a 259-character path, 3 empty
  const char* set;
};

class SaveSystemFilesBadInput : public SaveSystemFiles,
                                public ::testing::WithParamInterface<BadInput> {};

TEST_P(SaveSystemFilesBadInput, FailsAndWritesNothing) {
  const BadInput& c = GetParam();
  std::string longDir = folder.Path() + "\\";
  longDir.append(259 - longDir.size(), 'x');
  const std::string saveDir[] = {folder.Path(), "", longDir, ""};
  const char* dir = c.saveDir == 1 ? nullptr : saveDir[c.saveDir].c_str();
  EXPECT_EQ(companions.SaveSystemFiles(c.description, dir, c.set), 0);
  EXPECT_TRUE(ListFolder(folder.Path()).empty());
  EXPECT_EQ(ListFolder(folder.Path() + "\\..").count("TESSALY11.CAB"), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveSystemFilesBadInput,
    ::testing::Values(BadInput{"NoSaveDir", "d", 1, "Tessaly1"},
                      BadInput{"EmptySaveDir", "d", 3, "Tessaly1"},
                      BadInput{"SaveDirOf259", "d", 2, "Tessaly1"},
                      BadInput{"NoSetName", "d", 0, nullptr},
                      BadInput{"EmptySetName", "d", 0, ""},
                      BadInput{"SetNameLeavesTheFolder", "d", 0, "..\\Tessaly1"},
                      BadInput{"SetNameWithWildcard", "d", 0, "Tessaly?"}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.label; });

TEST_F(SaveSystemFiles, TheDescriptionNamesWhoMadeTheBackupOnceInitialised) {
  const std::string description = "Tessaly Backup";
  ASSERT_NE(companions.InitializeTools("Brenmoor Software Corp", "Vantor", "C:\\Vantor"), 0);
  ASSERT_NE(Save(description, folder.Path()), 0);
  std::vector<Member> members;
  ASSERT_TRUE(ParseCabinet(Cabinet(), &members));
  const std::string expected = description + "\r\nSaved by Brenmoor Software Corp Vantor\r\n";
  bool found = false;
  for (const Member& m : members) found = found || (m.name == "DESCRIPT.TXT" && m.size == expected.size());
  EXPECT_TRUE(found);
}

TEST_F(SaveSystemFiles, NoDescriptionStillSaves) {
  EXPECT_NE(companions.SaveSystemFiles(nullptr, folder.Path().c_str(), "Tessaly1"), 0);
  std::vector<Member> members;
  ASSERT_TRUE(ParseCabinet(Cabinet(), &members));
}

}  // namespace

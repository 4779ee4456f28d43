// Under Wine: the regional settings are read through the real profile
// functions, which map the "intl" section to HKCU\Control Panel\International.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/win32/win32_profile.h"
#include "contracts/locale_examples.h"

namespace tessaly {
namespace {

const char kInternational[] = "Control Panel\\International";
const char* const kIntlKeys[] = {"sShortDate", "sDate", "sTime", "s1159", "s2359", "iTime"};

// Sets every one of the six values the program reads: listed ones to their
// text, the others deleted.
void SetInternational(const IntlEntries& values) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kInternational, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  for (const char* name : kIntlKeys) RegDeleteValueA(key, name);
  for (const auto& value : values) {
    EXPECT_EQ(RegSetValueExA(key, value.first, 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value.second),
                             static_cast<DWORD>(strlen(value.second) + 1)),
              ERROR_SUCCESS);
  }
  RegCloseKey(key);
}

class RealProfile : public ::testing::TestWithParam<LocaleExample> {};

TEST_P(RealProfile, LoadAndFormat) {
  const LocaleExample& example = GetParam();
  SetInternational(example.entries);
  Win32Profile profile;
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  FakeClock clock;
  ExpectLocaleExample(example, formats, clock);
}

INSTANTIATE_TEST_SUITE_P(International, RealProfile, ::testing::ValuesIn(LocaleExamples()),
                         LocaleExampleName);

// Win32Profile over a private file in the Windows directory.
class PrivateFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    path = std::string(windows) + "\\" + kFile;
    DeleteFileA(path.c_str());
  }
  void TearDown() override { DeleteFileA(path.c_str()); }

  static constexpr const char* kFile = "LocaleProfileTest.ini";
  std::string path;
  Win32Profile profile;
};

TEST_F(PrivateFile, WriteCreatesTheFileInTheWindowsDirectoryAndReadsBack) {
  EXPECT_TRUE(profile.WriteString(kFile, "SaveFiles", "03/05/1998 09:07",
                                   "System files backed up on 03/05/1998 09:07"));
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  char text[256];
  EXPECT_EQ(profile.GetString(kFile, "SaveFiles", "03/05/1998 09:07", "", text, sizeof text), 42u);
  EXPECT_STREQ(text, "System files backed up on 03/05/1998 09:07");
}

TEST_F(PrivateFile, ReplacesAnExistingKey) {
  ASSERT_TRUE(profile.WriteString(kFile, "QuickCheck", "k", "first"));
  ASSERT_TRUE(profile.WriteString(kFile, "QuickCheck", "k", "second"));
  char text[64];
  profile.GetString(kFile, "QuickCheck", "k", "", text, sizeof text);
  EXPECT_STREQ(text, "second");
}

TEST_F(PrivateFile, AbsentKeyGivesTheDefaultAndEmptyValueGivesEmpty) {
  ASSERT_TRUE(profile.WriteString(kFile, "Restore Files", "Cab1", ""));
  char text[64];
  EXPECT_EQ(profile.GetString(kFile, "Restore Files", "Cab2", "none", text, sizeof text), 4u);
  EXPECT_STREQ(text, "none");
  EXPECT_EQ(profile.GetString(kFile, "Restore Files", "Cab1", "none", text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(profile.GetString(kFile, "Restore Files", "Cab2", nullptr, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
}

TEST_F(PrivateFile, ReadsAreBoundedBySize) {
  ASSERT_TRUE(profile.WriteString(kFile, "Directories", "Main", std::string(300, 'x').c_str()));
  char text[16];
  memset(text, '#', sizeof text);
  EXPECT_EQ(profile.GetString(kFile, "Directories", "Main", "", text, 7), 6u);
  EXPECT_STREQ(text, "xxxxxx");
  EXPECT_EQ(text[7], '#');
  EXPECT_EQ(profile.GetString(kFile, "Directories", "Main", "", text, 0), 0u);
  EXPECT_EQ(text[0], 'x');
}

TEST_F(PrivateFile, Integers) {
  ASSERT_TRUE(profile.WriteString(kFile, "Numbers", "Seven", "7"));
  EXPECT_EQ(profile.GetInt(kFile, "Numbers", "Seven", 3), 7);
  EXPECT_EQ(profile.GetInt(kFile, "Numbers", "Absent", 3), 3);
}

TEST(SystemProfile, IntegerOfTheIntlSection) {
  SetInternational({{"iTime", "1"}});
  Win32Profile profile;
  EXPECT_EQ(profile.GetInt(nullptr, kIntlSection, "iTime", 5), 1);
  SetInternational({});
  EXPECT_EQ(profile.GetInt(nullptr, kIntlSection, "iTime", 5), 5);
}

}  // namespace
}  // namespace tessaly

// Under Wine: the regional settings are read through the real profile
// functions, which map the "intl" section to HKCU\Control Panel\International.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/win32/win32_profile.h"
#include "fakes/fake_clock.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

const char kInternational[] = "Control Panel\\International";
const char* const kIntlKeys[] = {"sShortDate", "sDate", "sTime", "s1159", "s2359", "iTime"};

// Sets every one of the six values the program reads: listed ones to their
// text, the others deleted.
void SetInternational(const std::vector<std::pair<const char*, const char*>>& values) {
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

struct WineExample {
  const char* name;
  std::vector<std::pair<const char*, const char*>> values;
  const char* expected[4];  // 00:05, 09:07, 12:30, 23:21 on 5 March 1998
};

class RealProfile : public ::testing::TestWithParam<WineExample> {};

TEST_P(RealProfile, LoadAndFormat) {
  const WineExample& c = GetParam();
  SetInternational(c.values);
  Win32Profile profile;
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  FakeClock clock;
  const int times[4][2] = {{0, 5}, {9, 7}, {12, 30}, {23, 21}};
  for (int i = 0; i < 4; ++i) {
    DateTimeFormatter formatter(clock, formats);
    const Time32 t = clock.At(1998, 3, 5, times[i][0], times[i][1]);
    EXPECT_STREQ(formatter.FormatSeconds(&t), c.expected[i]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    International, RealProfile,
    ::testing::Values(
        WineExample{"NoEntries",
                    {},
                    {"03/05/1998 00:05", "03/05/1998 09:07", "03/05/1998 12:30",
                     "03/05/1998 23:21"}},
        WineExample{"DayMonthDots",
                    {{"sShortDate", "dd.MM.yy"}, {"sDate", "."}, {"sTime", ":"}},
                    {"05.03.1998 00:05", "05.03.1998 09:07", "05.03.1998 12:30",
                     "05.03.1998 23:21"}},
        WineExample{"YearMonthDashes",
                    {{"sShortDate", "yyyy-MM-dd"}, {"sDate", "-"}, {"sTime", ":"}},
                    {"1998-03-05 00:05", "1998-03-05 09:07", "1998-03-05 12:30",
                     "1998-03-05 23:21"}},
        WineExample{"TwelveHourClock",
                    {{"sShortDate", "M/d/yy"}, {"sDate", "/"}, {"sTime", ":"}, {"iTime", "0"}},
                    {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM",
                     "03/05/1998 11:21PM"}},
        WineExample{"SeparatorsWithoutShortDate",
                    {{"sDate", "."}, {"sTime", "."}, {"iTime", "0"}},
                    {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM",
                     "03/05/1998 11:21PM"}},
        WineExample{"EmptyTimeSeparator",
                    {{"sShortDate", "M/d/yy"}, {"sTime", ""}},
                    {"03/05/1998 0005", "03/05/1998 0907", "03/05/1998 1230", "03/05/1998 2321"}},
        WineExample{"LongAndPercentDesignators",
                    {{"iTime", "0"}, {"s1159", "%n%s%d%x"}, {"s2359", "afternoon"}},
                    {"03/05/1998 12:05%n%s%d", "03/05/1998 09:07%n%s%d",
                     "03/05/1998 12:30aftern", "03/05/1998 11:21aftern"}},
        WineExample{"PercentSeparators",
                    {{"sShortDate", "dd%MM%yy"}, {"sDate", "%n"}, {"sTime", "%s"}},
                    {"05%03%1998 00%05", "05%03%1998 09%07", "05%03%1998 12%30",
                     "05%03%1998 23%21"}}),
    [](const ::testing::TestParamInfo<WineExample>& info) { return std::string(info.param.name); });

// Win32Profile over a private file in the Windows directory.
class PrivateFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    path_ = std::string(windows) + "\\" + kFile;
    DeleteFileA(path_.c_str());
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }

  static constexpr const char* kFile = "LocaleProfileTest.ini";
  std::string path_;
  Win32Profile profile_;
};

TEST_F(PrivateFile, WriteCreatesTheFileInTheWindowsDirectoryAndReadsBack) {
  EXPECT_TRUE(profile_.WriteString(kFile, "SaveFiles", "03/05/1998 09:07",
                                   "System files backed up on 03/05/1998 09:07"));
  EXPECT_NE(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
  char text[256];
  EXPECT_EQ(profile_.GetString(kFile, "SaveFiles", "03/05/1998 09:07", "", text, sizeof text), 42u);
  EXPECT_STREQ(text, "System files backed up on 03/05/1998 09:07");
}

TEST_F(PrivateFile, ReplacesAnExistingKey) {
  ASSERT_TRUE(profile_.WriteString(kFile, "QuickCheck", "k", "first"));
  ASSERT_TRUE(profile_.WriteString(kFile, "QuickCheck", "k", "second"));
  char text[64];
  profile_.GetString(kFile, "QuickCheck", "k", "", text, sizeof text);
  EXPECT_STREQ(text, "second");
}

TEST_F(PrivateFile, AbsentKeyGivesTheDefaultAndEmptyValueGivesEmpty) {
  ASSERT_TRUE(profile_.WriteString(kFile, "Restore Files", "Cab1", ""));
  char text[64];
  EXPECT_EQ(profile_.GetString(kFile, "Restore Files", "Cab2", "none", text, sizeof text), 4u);
  EXPECT_STREQ(text, "none");
  EXPECT_EQ(profile_.GetString(kFile, "Restore Files", "Cab1", "none", text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(profile_.GetString(kFile, "Restore Files", "Cab2", nullptr, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
}

TEST_F(PrivateFile, ReadsAreBoundedBySize) {
  ASSERT_TRUE(profile_.WriteString(kFile, "Directories", "Main", std::string(300, 'x').c_str()));
  char text[16];
  memset(text, '#', sizeof text);
  EXPECT_EQ(profile_.GetString(kFile, "Directories", "Main", "", text, 7), 6u);
  EXPECT_STREQ(text, "xxxxxx");
  EXPECT_EQ(text[7], '#');
  EXPECT_EQ(profile_.GetString(kFile, "Directories", "Main", "", text, 0), 0u);
  EXPECT_EQ(text[0], 'x');
}

TEST_F(PrivateFile, Integers) {
  ASSERT_TRUE(profile_.WriteString(kFile, "Numbers", "Seven", "7"));
  EXPECT_EQ(profile_.GetInt(kFile, "Numbers", "Seven", 3), 7);
  EXPECT_EQ(profile_.GetInt(kFile, "Numbers", "Absent", 3), 3);
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

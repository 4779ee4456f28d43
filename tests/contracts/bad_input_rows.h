// The rows of the bad-input sweep, shared by the native sweep (in-memory
// registry, profile and files) and the Wine sweep (the real ones): registry
// values of every wrong type and size, "intl" values that are empty, 1,000
// characters long or hold '%' and "%n", and paths of 259, 260 and 261
// characters. Each row names the defined result it must end in.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/platform.h"
#include "base/registry.h"
#include "base/settings_table.h"
#include "base/text.h"
#include "fakes/fake_clock.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {

// ---- Registry values ----

// The persisted settings with their defaults, then the install key's
// "Directory".
struct SettingValue {
  const char* name;
  uint32_t def;
  bool machineWide;  // "Directory" of the install key
  bool isText;
};
inline const std::vector<SettingValue>& SweepSettingValues() {
  static const std::vector<SettingValue> values = [] {
    std::vector<SettingValue> all;
    for (const PersistedSetting& setting : kPersistedSettings)
      all.push_back({setting.name, setting.def, false, setting.IsText()});
    all.push_back({"Directory", 0, true, true});
    return all;
  }();
  return values;
}

// One stored form of a value: its type and bytes.
struct RegistryForm {
  const char* name;
  uint32_t type;
  std::vector<uint8_t> data;
};

inline std::vector<uint8_t> SweepBytes(const std::string& text, bool terminator) {
  std::vector<uint8_t> data(text.begin(), text.end());
  if (terminator) data.push_back(0);
  return data;
}

// The forms of the sweep. The folder text "<folder>" is replaced by the
// caller's existing folder, so that a text form fails only by its type or
// size, never because the folder is missing.
inline std::vector<RegistryForm> SweepRegistryForms(const std::string& folder) {
  constexpr uint32_t kNone = 0, kBigEndian = 5, kLink = 6, kMulti = 7, kQword = 11;
  const std::vector<uint8_t> eight = {7, 0, 0, 0, 0, 0, 0, 0};
  return {
      {"TextOne", kRegString, SweepBytes("1", true)},
      {"ExpandTextOne", kRegExpandString, SweepBytes("1", true)},
      {"TextFolder", kRegString, SweepBytes(folder, true)},
      {"TextFolderWithoutTerminator", kRegString, SweepBytes(folder, false)},
      {"ExpandTextFolder", kRegExpandString, SweepBytes(folder, true)},
      {"EmptyText", kRegString, {}},
      {"TerminatorOnly", kRegString, {0}},
      {"Text300", kRegString, SweepBytes(std::string(300, 'a'), true)},
      {"Text4096", kRegString, SweepBytes(std::string(4096, 'b'), true)},
      {"DwordNoBytes", kRegDword, {}},
      {"DwordOneByte", kRegDword, {7}},
      {"DwordTwoBytes", kRegDword, {7, 0}},
      {"DwordThreeBytes", kRegDword, {7, 0, 0}},
      {"DwordFiveBytes", kRegDword, {7, 0, 0, 0, 0}},
      {"DwordEightBytes", kRegDword, eight},
      {"DwordSeven", kRegDword, {7, 0, 0, 0}},
      {"BinaryFour", kRegBinary, {7, 0, 0, 0}},
      {"BinaryTwo", kRegBinary, {7, 0}},
      {"BinaryLarge", kRegBinary, std::vector<uint8_t>(1000, 0x41)},
      {"NoneFour", kNone, {7, 0, 0, 0}},
      {"BigEndianFour", kBigEndian, {0, 0, 0, 7}},
      {"LinkFour", kLink, {7, 0, 0, 0}},
      {"MultiText", kMulti, {'a', 0, 'b', 0, 0}},
      {"QwordEight", kQword, eight},
      {"UnknownType", 0x7777, {7, 0, 0, 0}},
  };
}

// The number a DWORD setting loads from a form: the stored value only for a
// 4-byte REG_DWORD or REG_BINARY, the default otherwise.
inline uint32_t ExpectedDword(const RegistryForm& form, uint32_t def) {
  if ((form.type != kRegDword && form.type != kRegBinary) || form.data.size() != 4) return def;
  uint32_t value;
  memcpy(&value, form.data.data(), 4);
  return value;
}

// The folder text a text setting takes from a form: a REG_SZ or
// REG_EXPAND_SZ (up to its first NUL) that fits a path; "" when the default
// must be used instead.
inline std::string ExpectedFolderText(const RegistryForm& form) {
  if (form.type != kRegString && form.type != kRegExpandString) return "";
  const std::string text(form.data.begin(), form.data.end());
  const std::string upToNul = text.substr(0, text.find('\0'));
  return upToNul.size() < kPathSize ? upToNul : "";
}

inline std::string SweepJoined(const std::string& folder, const std::string& name) {
  return folder + (folder.empty() || folder.back() != '\\' ? "\\" : "") + name;
}

// Checks the settings a load gave after setting was stored as form: the
// number, or the default, for the DWORD settings; the stored folder, when it
// is a text that fits and exists, for "SaveDir" and "Directory", otherwise
// the defaults under programFolder (ending in a backslash). Returns the
// install folder the load used.
inline std::string ExpectSweptLoad(const TessalySettings& s, const SettingValue& setting,
                                   const RegistryForm& form, const std::string& programFolder,
                                   const std::function<bool(const std::string&)>& exists) {
  for (const PersistedSetting& other : kPersistedSettings) {
    if (other.IsText()) continue;
    const uint32_t expected =
        strcmp(other.name, setting.name) == 0 ? ExpectedDword(form, other.def) : other.def;
    EXPECT_EQ(static_cast<uint32_t>(s.*other.number), expected) << other.name;
  }
  const std::string text = setting.isText ? ExpectedFolderText(form) : "";
  const bool taken = !text.empty() && exists(text);
  const std::string install =
      strcmp(setting.name, "Directory") == 0 && taken ? text : programFolder;
  const std::string saveDir =
      strcmp(setting.name, "SaveDir") == 0 && taken ? text : SweepJoined(install, "Recovery");
  EXPECT_EQ(s.saveDir, saveDir);
  EXPECT_EQ(s.reportPath, SweepJoined(install, "Tests\\QUICKCHK.RPT"));
  return install;
}

// ---- "intl" values ----

struct IntlRow {
  const char* name;
  std::vector<std::pair<const char*, std::string>> entries;  // others absent
  const char* morning;  // FormatSeconds at 09:07 on 5 March 1998
  const char* evening;  // at 23:21
};

inline std::string Repeat(const std::string& piece, size_t length) {
  std::string out;
  while (out.size() < length) out += piece;
  out.resize(length);
  return out;
}

inline const std::vector<IntlRow>& SweepIntlRows() {
  const std::string x1000 = Repeat("x", 1000);
  const std::string n1000 = Repeat("%n", 1000);
  const std::string p1000 = Repeat("%", 1000);
  static const std::vector<IntlRow> rows = {
      // Separators: only the first character counts, and a '%' prints as itself.
      {"TimeSeparatorEmpty", {{"sShortDate", "M/d/yy"}, {"sTime", ""}}, "03/05/1998 0907", "03/05/1998 2321"},
      {"TimeSeparator1000", {{"sShortDate", "M/d/yy"}, {"sTime", x1000}}, "03/05/1998 09x07", "03/05/1998 23x21"},
      {"TimeSeparatorPercent", {{"sShortDate", "M/d/yy"}, {"sTime", "%"}}, "03/05/1998 09%07", "03/05/1998 23%21"},
      {"TimeSeparatorPercentN", {{"sShortDate", "M/d/yy"}, {"sTime", "%n"}}, "03/05/1998 09%07", "03/05/1998 23%21"},
      {"TimeSeparatorPercentN1000", {{"sShortDate", "M/d/yy"}, {"sTime", n1000}}, "03/05/1998 09%07", "03/05/1998 23%21"},
      {"DateSeparatorEmpty", {{"sShortDate", "M/d/yy"}, {"sDate", ""}}, "03051998 09:07", "03051998 23:21"},
      {"DateSeparator1000", {{"sShortDate", "M/d/yy"}, {"sDate", x1000}}, "03x05x1998 09:07", "03x05x1998 23:21"},
      {"DateSeparatorPercent", {{"sShortDate", "M/d/yy"}, {"sDate", "%"}}, "03%05%1998 09:07", "03%05%1998 23:21"},
      {"DateSeparatorPercentN", {{"sShortDate", "d/M/yy"}, {"sDate", "%n"}}, "05%03%1998 09:07", "05%03%1998 23:21"},
      {"DateSeparatorPercent1000", {{"sShortDate", "yy/M/d"}, {"sDate", p1000}}, "1998%03%05 09:07", "1998%03%05 23:21"},
      // Designators: at most six characters, appended as text, never as a format.
      {"AmEmpty", {{"iTime", "0"}, {"s1159", ""}}, "03/05/1998 09:07", "03/05/1998 11:21PM"},
      {"Am1000", {{"iTime", "0"}, {"s1159", x1000}}, "03/05/1998 09:07xxxxxx", "03/05/1998 11:21PM"},
      {"AmPercent", {{"iTime", "0"}, {"s1159", "%"}}, "03/05/1998 09:07%", "03/05/1998 11:21PM"},
      {"AmPercentN", {{"iTime", "0"}, {"s1159", "%n"}}, "03/05/1998 09:07%n", "03/05/1998 11:21PM"},
      {"AmPercentN1000", {{"iTime", "0"}, {"s1159", n1000}}, "03/05/1998 09:07%n%n%n", "03/05/1998 11:21PM"},
      {"PmEmpty", {{"iTime", "0"}, {"s2359", ""}}, "03/05/1998 09:07AM", "03/05/1998 11:21"},
      {"Pm1000", {{"iTime", "0"}, {"s2359", x1000}}, "03/05/1998 09:07AM", "03/05/1998 11:21xxxxxx"},
      {"PmPercent", {{"iTime", "0"}, {"s2359", "%"}}, "03/05/1998 09:07AM", "03/05/1998 11:21%"},
      {"PmPercentN", {{"iTime", "0"}, {"s2359", "%n"}}, "03/05/1998 09:07AM", "03/05/1998 11:21%n"},
      {"PmPercent1000", {{"iTime", "0"}, {"s2359", p1000}}, "03/05/1998 09:07AM", "03/05/1998 11:21%%%%%%"},
      // The clock style: an empty value reads as absent (the 24-hour clock), a
      // value that is no number as 0 (the 12-hour clock).
      {"ClockEmpty", {{"iTime", ""}}, "03/05/1998 09:07", "03/05/1998 23:21"},
      {"Clock1000", {{"iTime", x1000}}, "03/05/1998 09:07AM", "03/05/1998 11:21PM"},
      {"ClockPercent", {{"iTime", "%"}}, "03/05/1998 09:07AM", "03/05/1998 11:21PM"},
      {"ClockPercentN", {{"iTime", "%n"}}, "03/05/1998 09:07AM", "03/05/1998 11:21PM"},
      {"ClockPercentN1000", {{"iTime", n1000}}, "03/05/1998 09:07AM", "03/05/1998 11:21PM"},
      // The short date: empty keeps the initial formats; any other first
      // character keeps the order and rebuilds the formats.
      {"ShortDateEmpty", {{"sShortDate", ""}, {"sDate", "."}}, "03/05/1998 09:07", "03/05/1998 23:21"},
      {"ShortDate1000", {{"sShortDate", x1000}, {"sDate", "."}}, "03.05.1998 09:07", "03.05.1998 23:21"},
      {"ShortDatePercent", {{"sShortDate", "%"}, {"sDate", "-"}}, "03-05-1998 09:07", "03-05-1998 23:21"},
      {"ShortDatePercentN", {{"sShortDate", "%n"}, {"sDate", "-"}}, "03-05-1998 09:07", "03-05-1998 23:21"},
      {"ShortDatePercentN1000", {{"sShortDate", n1000}, {"sDate", "-"}}, "03-05-1998 09:07", "03-05-1998 23:21"},
      // Every value at once.
      {"AllEmpty",
       {{"sShortDate", ""}, {"sDate", ""}, {"sTime", ""}, {"s1159", ""}, {"s2359", ""}, {"iTime", ""}},
       "03/05/1998 09:07", "03/05/1998 23:21"},
      {"AllPercentN1000",
       {{"sShortDate", n1000}, {"sDate", n1000}, {"sTime", n1000}, {"s1159", n1000}, {"s2359", n1000},
        {"iTime", n1000}},
       "03%05%1998 09%07%n%n%n", "03%05%1998 11%21%n%n%n"},
      {"All1000",
       {{"sShortDate", x1000}, {"sDate", x1000}, {"sTime", x1000}, {"s1159", x1000}, {"s2359", x1000},
        {"iTime", x1000}},
       "03x05x1998 09x07xxxxxx", "03x05x1998 11x21xxxxxx"},
  };
  return rows;
}

// Loads the regional formats from profile and checks the row's two texts.
inline void ExpectIntlRow(ProfileApi& profile, const IntlRow& row) {
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  FakeClock clock;
  DateTimeFormatter formatter(clock, formats);
  const Time32 morning = clock.At(1998, 3, 5, 9, 7);
  const Time32 evening = clock.At(1998, 3, 5, 23, 21);
  EXPECT_STREQ(formatter.FormatSeconds(&morning), row.morning);
  EXPECT_STREQ(formatter.FormatSeconds(&evening), row.evening);
}

// ---- Paths ----

inline constexpr size_t kSweepPathLengths[] = {259, 260, 261};

// A folder path of exactly length characters: prefix, then backslash-joined
// names of at most 60 characters (no name ends in a space or dot).
inline std::string PathOfLength(const std::string& prefix, size_t length) {
  std::string path = prefix;
  char letter = 'a';
  while (path.size() < length) {
    if (path.back() != '\\') path += '\\';
    const size_t room = length - path.size();
    const size_t name = room > 60 ? 60 : room;
    // A remainder of one character would need a name of length 0: split.
    path += std::string(name > 1 && room - name == 1 ? name - 1 : name, letter);
    letter = letter == 'z' ? 'a' : static_cast<char>(letter + 1);
  }
  return path;
}

// Counts the rows of a sweep and prints the closing line. A row that
// crashed would end the program before the line, so the line is only ever
// printed with 0 crashes, and a missing line is a crash.
class SweepCounter {
 public:
  void Row() { ++tried_; }
  int tried() const { return tried_; }
  void Print() const { printf("%d bad inputs tried, 0 crashes\n", tried_); fflush(stdout); }

 private:
  int tried_ = 0;
};

}  // namespace tessaly

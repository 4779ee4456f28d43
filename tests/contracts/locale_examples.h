// Date-and-time texts for given "intl" entries, shared by the native tests
// (in-memory profile) and the Wine tests (real profile): the worked examples
// and the edge cases of the regional settings.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "fakes/fake_clock.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {

using IntlEntries = std::vector<std::pair<const char*, const char*>>;

// The four times of day of every example, on 5 March 1998, local time.
struct TimeOfDay {
  int hour, minute;
};
inline constexpr TimeOfDay kExampleTimes[4] = {{0, 5}, {9, 7}, {12, 30}, {23, 21}};

struct LocaleExample {
  const char* name;
  IntlEntries entries;         // every other "intl" entry is absent
  const char* expected[4];     // FormatSeconds at kExampleTimes
};

inline const std::vector<LocaleExample>& LocaleExamples() {
  static const std::vector<LocaleExample> examples = {
      {"NoEntries",
       {},
       {"03/05/1998 00:05", "03/05/1998 09:07", "03/05/1998 12:30", "03/05/1998 23:21"}},
      {"DayMonthDots",
       {{"sShortDate", "dd.MM.yy"}, {"sDate", "."}, {"sTime", ":"}},
       {"05.03.1998 00:05", "05.03.1998 09:07", "05.03.1998 12:30", "05.03.1998 23:21"}},
      {"YearMonthDashes",
       {{"sShortDate", "yyyy-MM-dd"}, {"sDate", "-"}, {"sTime", ":"}},
       {"1998-03-05 00:05", "1998-03-05 09:07", "1998-03-05 12:30", "1998-03-05 23:21"}},
      {"TwelveHourClock",
       {{"sShortDate", "M/d/yy"}, {"sDate", "/"}, {"sTime", ":"}, {"iTime", "0"}},
       {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM", "03/05/1998 11:21PM"}},
      {"SeparatorsWithoutShortDate",
       {{"sDate", "."}, {"sTime", "."}, {"iTime", "0"}},
       {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM", "03/05/1998 11:21PM"}},
      // Edge cases.
      {"OtherFirstCharacter",
       {{"sShortDate", "gg yy.MM.dd"}, {"sDate", "-"}, {"sTime", "."}},
       {"03-05-1998 00.05", "03-05-1998 09.07", "03-05-1998 12.30", "03-05-1998 23.21"}},
      {"EmptyTimeSeparator",
       {{"sShortDate", "M/d/yy"}, {"sTime", ""}},
       {"03/05/1998 0005", "03/05/1998 0907", "03/05/1998 1230", "03/05/1998 2321"}},
      {"EmptyDesignatorsTwelveHour",
       {{"iTime", "0"}, {"s1159", ""}, {"s2359", ""}},
       {"03/05/1998 12:05", "03/05/1998 09:07", "03/05/1998 12:30", "03/05/1998 11:21"}},
      {"LongDesignatorsCut",
       {{"iTime", "0"}, {"s1159", "morning"}, {"s2359", "afternoon"}},
       {"03/05/1998 12:05mornin", "03/05/1998 09:07mornin", "03/05/1998 12:30aftern",
        "03/05/1998 11:21aftern"}},
      // '%' from the regional settings prints as itself, in separators and
      // designators alike.
      {"PercentSeparators",
       {{"sShortDate", "dd%MM%yy"}, {"sDate", "%n"}, {"sTime", "%n"}},
       {"05%03%1998 00%05", "05%03%1998 09%07", "05%03%1998 12%30", "05%03%1998 23%21"}},
      {"PercentSeparatorsYearFirst",
       {{"sShortDate", "yy%M%d"}, {"sDate", "%"}, {"sTime", "%s"}},
       {"1998%03%05 00%05", "1998%03%05 09%07", "1998%03%05 12%30", "1998%03%05 23%21"}},
      {"PercentDesignators",
       {{"iTime", "0"}, {"s1159", "%n%s%d%x"}, {"s2359", "%s%n%%"}},
       {"03/05/1998 12:05%n%s%d", "03/05/1998 09:07%n%s%d", "03/05/1998 12:30%s%n%%",
        "03/05/1998 11:21%s%n%%"}},
  };
  return examples;
}

inline std::string LocaleExampleName(const ::testing::TestParamInfo<LocaleExample>& info) {
  return info.param.name;
}

// Formats the four times of the example with the loaded formats; the clock
// decides local time.
inline void ExpectLocaleExample(const LocaleExample& example, const LocaleFormats& formats,
                                FakeClock& clock) {
  for (int i = 0; i < 4; ++i) {
    const Time32 t = clock.At(1998, 3, 5, kExampleTimes[i].hour, kExampleTimes[i].minute);
    DateTimeFormatter formatter(clock, formats);
    EXPECT_STREQ(formatter.FormatDateTime(t), example.expected[i]) << kExampleTimes[i].hour;
    EXPECT_STREQ(formatter.FormatSeconds(&t), example.expected[i]) << kExampleTimes[i].hour;
  }
}

}  // namespace tessaly

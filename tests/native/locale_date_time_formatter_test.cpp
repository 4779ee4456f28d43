// Date, time and date-and-time texts by the regional settings.
#include "presentation/date_time_formatter.h"

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_profile.h"

namespace tessaly {
namespace {

using Entries = std::vector<std::pair<const char*, const char*>>;

LocaleFormats Load(const Entries& entries) {
  FakeProfile profile;
  for (const auto& entry : entries) profile.Set(nullptr, kIntlSection, entry.first, entry.second);
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  return formats;
}

// The four times of day on 5 March 1998, local time.
struct TimeOfDay {
  int hour, minute;
};
constexpr TimeOfDay kTimes[4] = {{0, 5}, {9, 7}, {12, 30}, {23, 21}};

struct ExampleCase {
  const char* name;
  Entries entries;
  const char* expected[4];
};

// Local time differs from UTC in each offset, so the texts must come from the
// local calendar.
class WorkedExample
    : public ::testing::TestWithParam<std::tuple<ExampleCase, int /*utc offset*/>> {};

TEST_P(WorkedExample, FormatDateTime) {
  const ExampleCase& c = std::get<0>(GetParam());
  FakeClock clock;
  clock.utcOffsetSeconds = std::get<1>(GetParam());
  const LocaleFormats formats = Load(c.entries);
  for (int i = 0; i < 4; ++i) {
    const Time32 t = clock.At(1998, 3, 5, kTimes[i].hour, kTimes[i].minute);
    DateTimeFormatter formatter(clock, formats);
    EXPECT_STREQ(formatter.FormatDateTime(t), c.expected[i]) << kTimes[i].hour;
    EXPECT_STREQ(formatter.FormatSeconds(&t), c.expected[i]) << kTimes[i].hour;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Intl, WorkedExample,
    ::testing::Combine(
        ::testing::Values(
            ExampleCase{"NoEntries",
                        {},
                        {"03/05/1998 00:05", "03/05/1998 09:07", "03/05/1998 12:30",
                         "03/05/1998 23:21"}},
            ExampleCase{"DayMonthDots",
                        {{"sShortDate", "dd.MM.yy"}, {"sDate", "."}, {"sTime", ":"}},
                        {"05.03.1998 00:05", "05.03.1998 09:07", "05.03.1998 12:30",
                         "05.03.1998 23:21"}},
            ExampleCase{"YearMonthDashes",
                        {{"sShortDate", "yyyy-MM-dd"}, {"sDate", "-"}, {"sTime", ":"}},
                        {"1998-03-05 00:05", "1998-03-05 09:07", "1998-03-05 12:30",
                         "1998-03-05 23:21"}},
            ExampleCase{"TwelveHourClock",
                        {{"sShortDate", "M/d/yy"}, {"sDate", "/"}, {"sTime", ":"}, {"iTime", "0"}},
                        {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM",
                         "03/05/1998 11:21PM"}},
            ExampleCase{"SeparatorsWithoutShortDate",
                        {{"sDate", "."}, {"sTime", "."}, {"iTime", "0"}},
                        {"03/05/1998 12:05AM", "03/05/1998 09:07AM", "03/05/1998 12:30PM",
                         "03/05/1998 11:21PM"}},
            // Edge cases.
            ExampleCase{"OtherFirstCharacter",
                        {{"sShortDate", "gg yy.MM.dd"}, {"sDate", "-"}, {"sTime", "."}},
                        {"03-05-1998 00.05", "03-05-1998 09.07", "03-05-1998 12.30",
                         "03-05-1998 23.21"}},
            ExampleCase{"EmptyTimeSeparator",
                        {{"sShortDate", "M/d/yy"}, {"sTime", ""}},
                        {"03/05/1998 0005", "03/05/1998 0907", "03/05/1998 1230",
                         "03/05/1998 2321"}},
            ExampleCase{"EmptyDesignatorsTwelveHour",
                        {{"iTime", "0"}, {"s1159", ""}, {"s2359", ""}},
                        {"03/05/1998 12:05", "03/05/1998 09:07", "03/05/1998 12:30",
                         "03/05/1998 11:21"}},
            ExampleCase{"LongDesignatorsCut",
                        {{"iTime", "0"}, {"s1159", "morning"}, {"s2359", "afternoon"}},
                        {"03/05/1998 12:05mornin", "03/05/1998 09:07mornin",
                         "03/05/1998 12:30aftern", "03/05/1998 11:21aftern"}},
            // '%' from the regional settings prints as itself, in separators
            // and designators alike.
            ExampleCase{"PercentSeparators",
                        {{"sShortDate", "dd%MM%yy"}, {"sDate", "%n"}, {"sTime", "%n"}},
                        {"05%03%1998 00%05", "05%03%1998 09%07", "05%03%1998 12%30",
                         "05%03%1998 23%21"}},
            ExampleCase{"PercentDesignators",
                        {{"iTime", "0"}, {"s1159", "%n%s"}, {"s2359", "%s%n%%"}},
                        {"03/05/1998 12:05%n%s", "03/05/1998 09:07%n%s",
                         "03/05/1998 12:30%s%n%%", "03/05/1998 11:21%s%n%%"}}),
        ::testing::Values(0, 3600, -5 * 3600)),
    [](const ::testing::TestParamInfo<WorkedExample::ParamType>& info) {
      const int offset = std::get<1>(info.param);
      return std::string(std::get<0>(info.param).name) + "_Utc" + (offset < 0 ? "Minus" : "Plus") +
             std::to_string(offset < 0 ? -offset / 3600 : offset / 3600);
    });

// Separate date and time texts around midnight and noon on the 12-hour clock.
struct PartsCase {
  int hour, minute;
  const char* date;
  const char* time12;
  const char* time24;
};

class DateAndTimeParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(DateAndTimeParts, FormatDateAndFormatTime) {
  const PartsCase& c = GetParam();
  FakeClock clock;
  const Time32 t = clock.At(1998, 3, 5, c.hour, c.minute);
  const LocaleFormats twelve = Load({{"sShortDate", "M/d/yyyy"}, {"iTime", "0"}});
  const LocaleFormats twentyFour = Load({{"sShortDate", "M/d/yyyy"}, {"iTime", "1"}});
  DateTimeFormatter formatter12(clock, twelve);
  DateTimeFormatter formatter24(clock, twentyFour);
  EXPECT_STREQ(formatter12.FormatDate(t), c.date);
  EXPECT_STREQ(formatter12.FormatTime(t), c.time12);
  EXPECT_STREQ(formatter24.FormatTime(t), c.time24);
}

INSTANTIATE_TEST_SUITE_P(Clock, DateAndTimeParts,
                         ::testing::Values(PartsCase{0, 0, "03/05/1998", "12:00AM", "00:00"},
                                           PartsCase{0, 5, "03/05/1998", "12:05AM", "00:05"},
                                           PartsCase{1, 0, "03/05/1998", "01:00AM", "01:00"},
                                           PartsCase{11, 59, "03/05/1998", "11:59AM", "11:59"},
                                           PartsCase{12, 0, "03/05/1998", "12:00PM", "12:00"},
                                           PartsCase{12, 30, "03/05/1998", "12:30PM", "12:30"},
                                           PartsCase{13, 0, "03/05/1998", "01:00PM", "13:00"},
                                           PartsCase{23, 59, "03/05/1998", "11:59PM", "23:59"}));

// A negative seconds value formats as 0, the start of 1970 in local time.
struct SecondsCase {
  Time32 seconds;
  int utcOffset;
  const char* expected;
};

class Seconds : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(Seconds, NegativeFormatsAsZero) {
  const SecondsCase& c = GetParam();
  FakeClock clock;
  clock.utcOffsetSeconds = c.utcOffset;
  const LocaleFormats formats = Load({});  // no entries: month/day/year, 24-hour
  DateTimeFormatter formatter(clock, formats);
  EXPECT_STREQ(formatter.FormatSeconds(&c.seconds), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Seconds,
    ::testing::Values(SecondsCase{0, 0, "01/01/1970 00:00"}, SecondsCase{-1, 0, "01/01/1970 00:00"},
                      SecondsCase{-86400 * 400, 0, "01/01/1970 00:00"},
                      SecondsCase{INT32_MIN, 0, "01/01/1970 00:00"},
                      SecondsCase{-1, 3600, "01/01/1970 01:00"},
                      SecondsCase{-1, -5 * 3600, "12/31/1969 19:00"},
                      SecondsCase{60, 0, "01/01/1970 00:01"},
                      SecondsCase{INT32_MAX, 0, "01/19/2038 03:14"}));

TEST(Seconds, NullPointerFormatsAsZero) {
  FakeClock clock;
  const LocaleFormats formats = Load({});
  DateTimeFormatter formatter(clock, formats);
  EXPECT_STREQ(formatter.FormatSeconds(nullptr), "01/01/1970 00:00");
}

// A clock whose local-time conversion fails.
class BrokenClock : public Clock {
 public:
  Time32 Now() override { return 0; }
  bool LocalTime(Time32, struct tm*) override { return false; }
};

TEST(Formatter, UnconvertibleTimeGivesEmptyTexts) {
  BrokenClock clock;
  const LocaleFormats formats;
  DateTimeFormatter formatter(clock, formats);
  const Time32 t = 889088820;
  EXPECT_STREQ(formatter.FormatDate(t), "");
  EXPECT_STREQ(formatter.FormatTime(t), "");
  EXPECT_STREQ(formatter.FormatDateTime(t), "");
  EXPECT_STREQ(formatter.FormatSeconds(&t), "");
}

TEST(Formatter, EachCallReusesTheOneBuffer) {
  FakeClock clock;
  const LocaleFormats formats = Load({});
  DateTimeFormatter formatter(clock, formats);
  const Time32 t = clock.At(1998, 3, 5, 9, 7);
  const char* date = formatter.FormatDate(t);
  const char* time = formatter.FormatTime(t);
  EXPECT_EQ(date, time);
  EXPECT_STREQ(time, "09:07");
  EXPECT_EQ(formatter.FormatDateTime(t), date);
}

TEST(Formatter, LongestTextFitsInTheBuffer) {
  FakeClock clock;
  const LocaleFormats formats =
      Load({{"sShortDate", "yyyy"}, {"iTime", "0"}, {"s2359", std::string(200, 'P').c_str()}});
  DateTimeFormatter formatter(clock, formats);
  const Time32 t = clock.At(1998, 3, 5, 23, 21);
  const char* text = formatter.FormatDateTime(t);
  EXPECT_STREQ(text, "1998/03/05 11:21PPPPPP");
  EXPECT_EQ(strlen(text), 22u);
}

// The record as it is before start-up loads it: the 12-hour clock.
TEST(Formatter, InitialRecordUsesTheTwelveHourClock) {
  FakeClock clock;
  const LocaleFormats formats;
  DateTimeFormatter formatter(clock, formats);
  const Time32 t = clock.At(1998, 3, 5, 13, 7);
  EXPECT_STREQ(formatter.FormatDateTime(t), "03/05/1998 01:07PM");
}

TEST(Formatter, DefaultsToTheProcessWideFormats) {
  FakeProfile profile;
  profile.Set(nullptr, kIntlSection, "sShortDate", "dd.MM.yy");
  profile.Set(nullptr, kIntlSection, "sDate", ".");
  LoadLocaleFormats(profile);
  FakeClock clock;
  clock.utcOffsetSeconds = 3600;
  DateTimeFormatter formatter(clock);
  const Time32 t = clock.At(1998, 3, 5, 9, 7);
  EXPECT_STREQ(formatter.FormatSeconds(&t), "05.03.1998 09:07");
}

}  // namespace
}  // namespace tessaly

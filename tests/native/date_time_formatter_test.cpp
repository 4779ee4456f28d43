// Date, time and date-and-time texts by the regional settings.
#include "presentation/date_time_formatter.h"

#include <string.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/locale_examples.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_profile.h"

namespace tessaly {
namespace {

LocaleFormats Load(const IntlEntries& entries) {
  FakeProfile profile;
  for (const auto& entry : entries) profile.Set(nullptr, kIntlSection, entry.first, entry.second);
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  return formats;
}

// Local time differs from UTC in each offset, so the texts must come from the
// local calendar.
class WorkedExample
    : public ::testing::TestWithParam<std::tuple<LocaleExample, int /*utc offset*/>> {};

TEST_P(WorkedExample, FormatDateTime) {
  const LocaleExample& example = std::get<0>(GetParam());
  FakeClock clock;
  clock.utcOffsetSeconds = std::get<1>(GetParam());
  ExpectLocaleExample(example, Load(example.entries), clock);
}

INSTANTIATE_TEST_SUITE_P(
    Intl, WorkedExample,
    ::testing::Combine(::testing::ValuesIn(LocaleExamples()), ::testing::Values(0, 3600, -5 * 3600)),
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

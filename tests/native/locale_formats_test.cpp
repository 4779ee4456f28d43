// Reading the "intl" section and building the date and time formats.
#include "presentation/locale_formats.h"

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_profile.h"

namespace tessaly {
namespace {

using Entries = std::vector<std::pair<const char*, const char*>>;

void SetIntl(FakeProfile& profile, const Entries& entries) {
  for (const auto& entry : entries) profile.Set(nullptr, kIntlSection, entry.first, entry.second);
}

TEST(LocaleFormats, InitialValues) {
  const LocaleFormats formats;
  EXPECT_EQ(formats.timeSeparator, ':');
  EXPECT_EQ(formats.dateSeparator, '/');
  EXPECT_STREQ(formats.dateFormat, "%02u/%02u/%02u");
  EXPECT_STREQ(formats.timeFormat, "%02u:%02u");
  EXPECT_STREQ(formats.amDesignator, "AM");
  EXPECT_STREQ(formats.pmDesignator, "PM");
  EXPECT_EQ(formats.dateOrder, MonthDayYear);
  EXPECT_EQ(formats.use24HourClock, 0);
  EXPECT_EQ(static_cast<int>(MonthDayYear), 0);
  EXPECT_EQ(static_cast<int>(DayMonthYear), 1);
  EXPECT_EQ(static_cast<int>(YearMonthDay), 2);
}

// The first character of "sShortDate" decides the order; the formats are
// rebuilt with the separators whenever the entry is not empty.
struct ShortDateCase {
  const char* name;
  Entries entries;
  DateOrder order;
  const char* dateFormat;
  const char* timeFormat;
};

class ShortDate : public ::testing::TestWithParam<ShortDateCase> {};

TEST_P(ShortDate, SetsOrderAndFormats) {
  const ShortDateCase& c = GetParam();
  FakeProfile profile;
  SetIntl(profile, c.entries);
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  EXPECT_EQ(formats.dateOrder, c.order);
  EXPECT_STREQ(formats.dateFormat, c.dateFormat);
  EXPECT_STREQ(formats.timeFormat, c.timeFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Intl, ShortDate,
    ::testing::Values(
        ShortDateCase{"UpperM", {{"sShortDate", "M/d/yy"}}, MonthDayYear, "%02u/%02u/%04u",
                      "%02u:%02u"},
        ShortDateCase{"LowerM", {{"sShortDate", "mm/dd/yyyy"}}, MonthDayYear, "%02u/%02u/%04u",
                      "%02u:%02u"},
        ShortDateCase{"UpperD", {{"sShortDate", "DD.MM.YY"}, {"sDate", "."}}, DayMonthYear,
                      "%02u.%02u.%04u", "%02u:%02u"},
        ShortDateCase{"LowerD", {{"sShortDate", "dd.MM.yy"}, {"sDate", "."}}, DayMonthYear,
                      "%02u.%02u.%04u", "%02u:%02u"},
        ShortDateCase{"UpperY", {{"sShortDate", "YYYY-MM-DD"}, {"sDate", "-"}}, YearMonthDay,
                      "%04u-%02u-%02u", "%02u:%02u"},
        ShortDateCase{"LowerY", {{"sShortDate", "yyyy-MM-dd"}, {"sDate", "-"}}, YearMonthDay,
                      "%04u-%02u-%02u", "%02u:%02u"},
        ShortDateCase{"OtherCharacter", {{"sShortDate", "gg yyyy"}, {"sDate", "-"}, {"sTime", "."}},
                      MonthDayYear, "%02u-%02u-%04u", "%02u.%02u"},
        ShortDateCase{"NoEntry", {{"sDate", "."}, {"sTime", "."}}, MonthDayYear, "%02u/%02u/%02u",
                      "%02u:%02u"},
        ShortDateCase{"EmptyEntry", {{"sShortDate", ""}, {"sDate", "-"}}, MonthDayYear,
                      "%02u/%02u/%02u", "%02u:%02u"},
        ShortDateCase{"EmptyTimeSeparator", {{"sShortDate", "M/d/yy"}, {"sTime", ""}},
                      MonthDayYear, "%02u/%02u/%04u", "%02u%02u"},
        ShortDateCase{"EmptyDateSeparator", {{"sShortDate", "yy/M/d"}, {"sDate", ""}},
                      YearMonthDay, "%04u%02u%02u", "%02u:%02u"},
        // A '%' separator is escaped, so it prints as itself.
        ShortDateCase{"PercentSeparators",
                      {{"sShortDate", "dd%MM%yy"}, {"sDate", "%n"}, {"sTime", "%s"}},
                      DayMonthYear, "%02u%%%02u%%%04u", "%02u%%%02u"},
        ShortDateCase{"PercentSeparatorsYearFirst",
                      {{"sShortDate", "y"}, {"sDate", "%"}, {"sTime", "%"}}, YearMonthDay,
                      "%04u%%%02u%%%02u", "%02u%%%02u"}),
    [](const ::testing::TestParamInfo<ShortDateCase>& info) { return std::string(info.param.name); });

TEST(ShortDate, OtherCharacterKeepsAnEarlierOrder) {
  FakeProfile profile;
  SetIntl(profile, {{"sShortDate", "#d/M"}});
  LocaleFormats formats;
  formats.dateOrder = DayMonthYear;
  BuildDateTimeFormats(profile, &formats);
  EXPECT_EQ(formats.dateOrder, DayMonthYear);
  EXPECT_STREQ(formats.dateFormat, "%02u/%02u/%04u");
}

TEST(ShortDate, EmptyEntryKeepsEarlierFormats) {
  FakeProfile profile;
  LocaleFormats formats;
  formats.dateOrder = YearMonthDay;
  CopyText(formats.dateFormat, "%04u-%02u-%02u");
  CopyText(formats.timeFormat, "%02u.%02u");
  BuildDateTimeFormats(profile, &formats);
  EXPECT_EQ(formats.dateOrder, YearMonthDay);
  EXPECT_STREQ(formats.dateFormat, "%04u-%02u-%02u");
  EXPECT_STREQ(formats.timeFormat, "%02u.%02u");
}

// Separators, designators and the clock style.
struct FieldsCase {
  const char* name;
  Entries entries;
  char timeSeparator;
  char dateSeparator;
  const char* am;
  const char* pm;
  int32_t use24HourClock;
};

class LoadedFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(LoadedFields, FollowTheProfile) {
  const FieldsCase& c = GetParam();
  FakeProfile profile;
  SetIntl(profile, c.entries);
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  EXPECT_EQ(formats.timeSeparator, c.timeSeparator);
  EXPECT_EQ(formats.dateSeparator, c.dateSeparator);
  EXPECT_STREQ(formats.amDesignator, c.am);
  EXPECT_STREQ(formats.pmDesignator, c.pm);
  EXPECT_EQ(formats.use24HourClock, c.use24HourClock);
}

INSTANTIATE_TEST_SUITE_P(
    Intl, LoadedFields,
    ::testing::Values(
        FieldsCase{"NoEntries", {}, ':', '/', "AM", "PM", 1},
        FieldsCase{"FirstCharacterOnly", {{"sTime", ".:"}, {"sDate", "-/"}}, '.', '-', "AM", "PM", 1},
        FieldsCase{"EmptySeparators", {{"sTime", ""}, {"sDate", ""}}, '\0', '\0', "AM", "PM", 1},
        FieldsCase{"TwelveHourClock", {{"iTime", "0"}}, ':', '/', "AM", "PM", 0},
        FieldsCase{"TwentyFourHourClock", {{"iTime", "1"}}, ':', '/', "AM", "PM", 1},
        FieldsCase{"Designators", {{"s1159", "vorm."}, {"s2359", "nachm."}}, ':', '/', "vorm.",
                   "nachm.", 1},
        FieldsCase{"LongDesignatorsCutToSix", {{"s1159", "Morning!"}, {"s2359", "Afternoon and more"}},
                   ':', '/', "Mornin", "Aftern", 1},
        FieldsCase{"EmptyDesignators", {{"s1159", ""}, {"s2359", ""}}, ':', '/', "", "", 1}),
    [](const ::testing::TestParamInfo<FieldsCase>& info) { return std::string(info.param.name); });

TEST(LoadedFields, LongDesignatorStaysInsideItsBuffer) {
  FakeProfile profile;
  SetIntl(profile, {{"s1159", std::string(300, 'a').c_str()}, {"s2359", std::string(300, 'p').c_str()}});
  LocaleFormats formats;
  memset(formats.amDesignator, '#', sizeof formats.amDesignator);
  memset(formats.pmDesignator, '#', sizeof formats.pmDesignator);
  LoadLocaleFormats(profile, &formats);
  EXPECT_EQ(strlen(formats.amDesignator), kDesignatorLength);
  EXPECT_EQ(strlen(formats.pmDesignator), kDesignatorLength);
  EXPECT_EQ(formats.amDesignator[kDesignatorSize - 1], '#');  // the byte after the NUL untouched
  EXPECT_EQ(formats.pmDesignator[kDesignatorSize - 1], '#');
}

TEST(LoadedFields, ReadsOnlyTheSystemProfile) {
  FakeProfile profile;
  profile.Set("Tessaly.ini", kIntlSection, "sShortDate", "dd.MM.yy");
  profile.Set(nullptr, "other", "sShortDate", "dd.MM.yy");
  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  EXPECT_EQ(formats.dateOrder, MonthDayYear);
  EXPECT_STREQ(formats.dateFormat, "%02u/%02u/%02u");
  EXPECT_TRUE(profile.writes.empty());
}

TEST(ProcessFormats, LoadFillsTheProcessWideRecord) {
  FakeProfile profile;
  SetIntl(profile, {{"sShortDate", "yyyy-MM-dd"}, {"sDate", "-"}, {"iTime", "0"}, {"s1159", "am"}});
  LoadLocaleFormats(profile);
  const LocaleFormats& formats = CurrentLocaleFormats();
  EXPECT_EQ(formats.dateOrder, YearMonthDay);
  EXPECT_STREQ(formats.dateFormat, "%04u-%02u-%02u");
  EXPECT_STREQ(formats.amDesignator, "am");
  EXPECT_EQ(formats.use24HourClock, 0);
}

}  // namespace
}  // namespace tessaly

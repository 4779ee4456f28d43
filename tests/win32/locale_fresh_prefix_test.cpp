// Under Wine, in a fresh prefix: the regional settings are the en-US ones
// (sShortDate M/d/yyyy, 12-hour clock), read through the real profile.
#include <gtest/gtest.h>

#include "app/win32/win32_profile.h"
#include "fakes/fake_clock.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

TEST(FreshPrefix, LoadsTheUnitedStatesFormats) {
  Win32Profile profile;
  LoadLocaleFormats(profile);
  const LocaleFormats& formats = CurrentLocaleFormats();
  EXPECT_EQ(formats.dateOrder, MonthDayYear);
  EXPECT_STREQ(formats.dateFormat, "%02u/%02u/%04u");
  EXPECT_STREQ(formats.timeFormat, "%02u:%02u");
  EXPECT_STREQ(formats.amDesignator, "AM");
  EXPECT_STREQ(formats.pmDesignator, "PM");
  EXPECT_EQ(formats.use24HourClock, 0);

  FakeClock clock;
  DateTimeFormatter formatter(clock);
  const Time32 morning = clock.At(1998, 3, 5, 9, 7);
  const Time32 evening = clock.At(1998, 3, 5, 23, 21);
  EXPECT_STREQ(formatter.FormatSeconds(&morning), "03/05/1998 09:07AM");
  EXPECT_STREQ(formatter.FormatSeconds(&evening), "03/05/1998 11:21PM");
}

}  // namespace
}  // namespace tessaly

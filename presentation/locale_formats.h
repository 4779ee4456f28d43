// The user's regional date and time settings (section "intl" of the system
// profile), read once at start-up and turned into the printf formats that
// DateTimeFormatter fills.
#pragma once

#include <stdint.h>

#include "base/platform.h"

namespace tessaly {

// Order of the three numbers of a date.
enum DateOrder : int32_t { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// Size of the date and time format buffers and of the designators.
constexpr size_t kLocaleFormatSize = 64;
constexpr size_t kDesignatorSize = 8;
// Designators keep at most this many characters.
constexpr size_t kDesignatorLength = 6;

struct LocaleFormats {
  char timeSeparator = ':';
  char dateSeparator = '/';
  // Three unsigned conversions, filled in the order given by dateOrder. A '%'
  // taken from the regional settings is stored as "%%" so it prints as itself.
  char dateFormat[kLocaleFormatSize] = "%02u/%02u/%02u";
  char timeFormat[kLocaleFormatSize] = "%02u:%02u";  // hour, then minute
  char amDesignator[kDesignatorSize] = "AM";
  char pmDesignator[kDesignatorSize] = "PM";
  DateOrder dateOrder = MonthDayYear;
  int32_t use24HourClock = 0;
};

// Name of the system-profile section that holds the regional settings.
inline constexpr const char kIntlSection[] = "intl";

// Reads "sTime", "sDate", "s1159", "s2359" and "iTime" from the "intl" section
// of the system profile into *formats, then builds its formats.
void LoadLocaleFormats(ProfileApi& profile, LocaleFormats* formats);
// Reads "sShortDate" and, when it is not empty, sets the date order and
// rebuilds both formats from the separators already in *formats.
void BuildDateTimeFormats(ProfileApi& profile, LocaleFormats* formats);

// The same on the process-wide record, which start-up loads once.
void LoadLocaleFormats(ProfileApi& profile);
void BuildDateTimeFormats(ProfileApi& profile);

// The process-wide record; everything but the two loaders only reads it.
const LocaleFormats& CurrentLocaleFormats();

}  // namespace tessaly

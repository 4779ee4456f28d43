#include "presentation/locale_formats.h"

#include "base/text.h"

namespace tessaly {
namespace {

LocaleFormats processFormats;

// Size of the buffer each profile text is read into.
constexpr size_t kProfileTextSize = 256;

// First character of a profile value; NUL when the entry is present but empty.
char ReadSeparator(ProfileApi& profile, const char* key, const char* def) {
  char text[kProfileTextSize];
  profile.GetString(nullptr, kIntlSection, key, def, text, sizeof text);
  return text[0];
}

// Appends the separator to a printf format so that it prints as itself: a
// '%' becomes "%%", the NUL character adds nothing.
void AppendSeparator(char* format, size_t size, char separator) {
  if (separator == '\0') return;
  const char literal[3] = {separator, separator == '%' ? '%' : '\0', '\0'};
  AppendText(format, size, literal);
}

// first + S + second + S + third, S being the separator.
void BuildFormat(char* format, size_t size, char separator, const char* first,
                 const char* second, const char* third) {
  CopyText(format, size, first);
  AppendSeparator(format, size, separator);
  AppendText(format, size, second);
  if (third == nullptr) return;
  AppendSeparator(format, size, separator);
  AppendText(format, size, third);
}

}  // namespace

void LoadLocaleFormats(ProfileApi& profile, LocaleFormats* formats) {
  formats->timeSeparator = ReadSeparator(profile, "sTime", ":");
  formats->dateSeparator = ReadSeparator(profile, "sDate", "/");
  // Size 7: at most six characters of each designator are kept.
  profile.GetString(nullptr, kIntlSection, "s1159", "AM", formats->amDesignator,
                    kDesignatorLength + 1);
  profile.GetString(nullptr, kIntlSection, "s2359", "PM", formats->pmDesignator,
                    kDesignatorLength + 1);
  formats->use24HourClock = profile.GetInt(nullptr, kIntlSection, "iTime", 1);
  BuildDateTimeFormats(profile, formats);
}

void BuildDateTimeFormats(ProfileApi& profile, LocaleFormats* formats) {
  char shortDate[kProfileTextSize];
  profile.GetString(nullptr, kIntlSection, "sShortDate", "", shortDate, sizeof shortDate);
  if (shortDate[0] == '\0') return;  // keep the formats and order as they are

  switch (shortDate[0]) {
    case 'M': case 'm': formats->dateOrder = MonthDayYear; break;
    case 'D': case 'd': formats->dateOrder = DayMonthYear; break;
    case 'Y': case 'y': formats->dateOrder = YearMonthDay; break;
    default: break;
  }

  if (formats->dateOrder == YearMonthDay) {
    BuildFormat(formats->dateFormat, sizeof formats->dateFormat, formats->dateSeparator, "%04u",
                "%02u", "%02u");
  } else {
    BuildFormat(formats->dateFormat, sizeof formats->dateFormat, formats->dateSeparator, "%02u",
                "%02u", "%04u");
  }
  BuildFormat(formats->timeFormat, sizeof formats->timeFormat, formats->timeSeparator, "%02u",
              "%02u", nullptr);
}

void LoadLocaleFormats(ProfileApi& profile) { LoadLocaleFormats(profile, &processFormats); }

void BuildDateTimeFormats(ProfileApi& profile) { BuildDateTimeFormats(profile, &processFormats); }

const LocaleFormats& CurrentLocaleFormats() { return processFormats; }

}  // namespace tessaly

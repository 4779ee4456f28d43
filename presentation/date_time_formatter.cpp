#include "presentation/date_time_formatter.h"

#include <time.h>

#include "base/text.h"

namespace tessaly {
namespace {

SystemClock& TheSystemClock() {
  static SystemClock clock;
  return clock;
}

// Each half of a date-and-time text is copied out into a buffer this size.
constexpr size_t kPartSize = 128;

}  // namespace

DateTimeFormatter::DateTimeFormatter(Clock& clock, const LocaleFormats& formats)
    : clock_(clock), formats_(formats), buffer_(new char[kBufferSize]) {
  buffer_[0] = '\0';
}

DateTimeFormatter::DateTimeFormatter(Clock& clock)
    : DateTimeFormatter(clock, CurrentLocaleFormats()) {}

DateTimeFormatter::DateTimeFormatter() : DateTimeFormatter(TheSystemClock()) {}

DateTimeFormatter::~DateTimeFormatter() { delete[] buffer_; }

bool DateTimeFormatter::LocalFields(Time32 t, struct tm* fields) {
  if (clock_.LocalTime(t, fields)) return true;
  buffer_[0] = '\0';
  return false;
}

const char* DateTimeFormatter::FormatTime(Time32 t) {
  struct tm fields;
  if (!LocalFields(t, &fields)) return buffer_;
  unsigned hour = static_cast<unsigned>(fields.tm_hour);
  const unsigned minute = static_cast<unsigned>(fields.tm_min);
  if (formats_.use24HourClock) {
    FormatText(buffer_, kBufferSize, formats_.timeFormat, hour, minute);
    return buffer_;
  }
  const char* designator = hour < 12 ? formats_.amDesignator : formats_.pmDesignator;
  if (hour == 0) hour = 12;
  if (hour > 12) hour -= 12;
  FormatText(buffer_, kBufferSize, formats_.timeFormat, hour, minute);
  AppendText(buffer_, kBufferSize, designator);
  return buffer_;
}

const char* DateTimeFormatter::FormatDate(Time32 t) {
  struct tm fields;
  if (!LocalFields(t, &fields)) return buffer_;
  const unsigned month = static_cast<unsigned>(fields.tm_mon + 1);
  const unsigned day = static_cast<unsigned>(fields.tm_mday);
  const unsigned year = static_cast<unsigned>(fields.tm_year + 1900);
  switch (formats_.dateOrder) {
    case DayMonthYear:
      FormatText(buffer_, kBufferSize, formats_.dateFormat, day, month, year);
      break;
    case YearMonthDay:
      FormatText(buffer_, kBufferSize, formats_.dateFormat, year, month, day);
      break;
    case MonthDayYear:
    default:
      FormatText(buffer_, kBufferSize, formats_.dateFormat, month, day, year);
      break;
  }
  return buffer_;
}

const char* DateTimeFormatter::FormatDateTime(Time32 t) {
  char date[kPartSize];
  char time[kPartSize];
  CopyText(date, FormatDate(t));
  CopyText(time, FormatTime(t));
  if (date[0] == '\0' && time[0] == '\0') {  // the time could not be converted
    buffer_[0] = '\0';
    return buffer_;
  }
  CopyText(buffer_, kBufferSize, date);
  AppendText(buffer_, kBufferSize, " ");
  AppendText(buffer_, kBufferSize, time);
  return buffer_;
}

const char* DateTimeFormatter::FormatSeconds(const Time32* seconds) {
  Time32 value = seconds != nullptr ? *seconds : 0;
  if (value < 0) value = 0;
  return FormatDateTime(value);
}

}  // namespace tessaly

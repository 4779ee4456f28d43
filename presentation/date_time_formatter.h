// Dates and times in the user's regional format. One formatter per use, on
// the stack: each format call writes into the formatter's own 256-byte buffer
// and returns it; the text stays valid until the next call on the same object.
#pragma once

#include "app/platform.h"

namespace tessaly {

class DateTimeFormatter {
 public:
  // Local calendar fields come from clock.LocalTime (the C runtime's
  // localtime with SystemClock).
  explicit DateTimeFormatter(Clock& clock);
  DateTimeFormatter();  // uses the system clock
  ~DateTimeFormatter();
  DateTimeFormatter(const DateTimeFormatter&) = delete;
  DateTimeFormatter& operator=(const DateTimeFormatter&) = delete;

  const char* FormatTime(Time32 t);
  const char* FormatDate(Time32 t);
  const char* FormatDateTime(Time32 t);  // date, one space, time
  // A negative value formats as 0.
  const char* FormatSeconds(const Time32* seconds);

 private:
  Clock& clock_;
  char* buffer_;  // 256 bytes
};

}  // namespace tessaly

// Dates and times in the user's regional format. One formatter per use, on
// the stack: each format call writes into the formatter's own 256-byte buffer
// and returns it; the text stays valid until the next call on the same object.
#pragma once

#include "base/platform.h"
#include "presentation/locale_formats.h"

namespace tessaly {

class DateTimeFormatter {
 public:
  // Local calendar fields come from clock.LocalTime (the C runtime's
  // localtime with SystemClock).
  explicit DateTimeFormatter(Clock& clock);
  DateTimeFormatter();  // uses the system clock
  // Formats by the given record instead of the process-wide one.
  DateTimeFormatter(Clock& clock, const LocaleFormats& formats);
  ~DateTimeFormatter();
  DateTimeFormatter(const DateTimeFormatter&) = delete;
  DateTimeFormatter& operator=(const DateTimeFormatter&) = delete;

  const char* FormatTime(Time32 t);
  const char* FormatDate(Time32 t);
  const char* FormatDateTime(Time32 t);  // date, one space, time
  // A negative value formats as 0.
  const char* FormatSeconds(const Time32* seconds);

  // Size of the text buffer; every text fits with room to spare.
  static constexpr size_t kBufferSize = 256;

 private:
  // Local calendar fields of t; false (and an empty text) when the time
  // cannot be converted.
  bool LocalFields(Time32 t, struct tm* fields);

  Clock& clock_;
  const LocaleFormats& formats_;
  char* buffer_;  // kBufferSize bytes
};

}  // namespace tessaly

// The regional settings of the "intl" section turned into printf formats and
// used: each of the six values is absent or holds text from the input, then
// dates and times are formatted for a time from the input. The built formats
// must hold exactly the conversions the formatter passes numbers for, so
// that no separator can add a conversion of its own.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_profile.h"
#include "fuzz_input.h"
#include "presentation/date_time_formatter.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

const char* const kIntlKeys[] = {"sTime", "sDate", "s1159", "s2359", "iTime", "sShortDate"};

// Counts the conversions of a format made of text, "%%" and "%0<digits>u";
// -1 for any other use of '%'.
int UnsignedConversions(const char* format) {
  int count = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    if (*p != '0') return -1;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p != 'u') return -1;
    ++count;
  }
  return count;
}

void CheckText(const char* text) { FUZZ_CHECK(Terminated(text, DateTimeFormatter::kBufferSize)); }

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  FuzzInput input(data, size);
  FakeProfile profile;
  for (const char* key : kIntlKeys) {
    const uint8_t how = input.Byte();
    if (how % 4 == 0) continue;  // absent
    // A short text, a long one made by repetition, or an empty one.
    const std::string value = how % 4 == 1 ? input.Text() : how % 4 == 2 ? input.Repeated(8) : "";
    profile.Set(nullptr, kIntlSection, key, value);
  }

  LocaleFormats formats;
  LoadLocaleFormats(profile, &formats);
  FUZZ_CHECK(Terminated(formats.dateFormat, sizeof formats.dateFormat));
  FUZZ_CHECK(Terminated(formats.timeFormat, sizeof formats.timeFormat));
  FUZZ_CHECK(strlen(formats.amDesignator) <= kDesignatorLength);
  FUZZ_CHECK(strlen(formats.pmDesignator) <= kDesignatorLength);
  FUZZ_CHECK(formats.dateOrder == MonthDayYear || formats.dateOrder == DayMonthYear ||
             formats.dateOrder == YearMonthDay);
  FUZZ_CHECK(UnsignedConversions(formats.dateFormat) == 3);
  FUZZ_CHECK(UnsignedConversions(formats.timeFormat) == 2);

  FakeClock clock;
  clock.utcOffsetSeconds = static_cast<int16_t>(input.Word()) * 60;
  for (int i = 0; i < 3; ++i) {
    const Time32 t = static_cast<Time32>(input.Dword());
    DateTimeFormatter formatter(clock, formats);
    CheckText(formatter.FormatTime(t));
    CheckText(formatter.FormatDate(t));
    const char* both = formatter.FormatDateTime(t);
    CheckText(both);
    FUZZ_CHECK(strlen(both) < 128 * 2);
    CheckText(formatter.FormatSeconds(&t));
    CheckText(formatter.FormatSeconds(nullptr));
  }
  return 0;
}

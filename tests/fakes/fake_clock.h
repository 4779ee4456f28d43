// A clock for unit tests: the time is set by the test, and local time is UTC
// shifted by a fixed offset.
#pragma once

#include <time.h>

#include "base/platform.h"

namespace tessaly {

class FakeClock : public Clock {
 public:
  Time32 now = 0;
  int utcOffsetSeconds = 0;

  Time32 Now() override { return now; }
  bool LocalTime(Time32 t, struct tm* out) override {
    const time_t shifted = static_cast<time_t>(t) + utcOffsetSeconds;
#ifdef _WIN32
    const struct tm* r = gmtime(&shifted);
    if (!r) return false;
    *out = *r;
    return true;
#else
    return gmtime_r(&shifted, out) != nullptr;
#endif
  }

  // Seconds since 1970 of a local calendar time (month 1..12).
  Time32 At(int year, int month, int day, int hour, int minute, int second = 0) const {
    return static_cast<Time32>(DaysFromCivil(year, month, day) * 86400 + hour * 3600 +
                               minute * 60 + second - utcOffsetSeconds);
  }

 private:
  static long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
  }
};

}  // namespace tessaly

#include "base/platform.h"

namespace tessaly {

Time32 SystemClock::Now() { return static_cast<Time32>(time(nullptr)); }

bool SystemClock::LocalTime(Time32 t, struct tm* out) {
  const time_t value = t;
  const struct tm* local = localtime(&value);
  if (local == nullptr) return false;
  *out = *local;
  return true;
}

}  // namespace tessaly

#include "base/text.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

namespace tessaly {

bool CopyText(char* out, size_t size, const char* in) {
  if (size == 0) return false;
  if (in == nullptr) in = "";
  const size_t length = strlen(in);
  const size_t kept = length < size ? length : size - 1;
  memcpy(out, in, kept);
  out[kept] = '\0';
  return kept == length;
}

bool AppendText(char* out, size_t size, const char* in) {
  if (size == 0) return false;
  size_t used = 0;
  while (used < size && out[used] != '\0') ++used;
  if (used >= size) {  // not terminated within the buffer: terminate, cut
    out[size - 1] = '\0';
    return false;
  }
  return CopyText(out + used, size - used, in);
}

bool FormatTextV(char* out, size_t size, const char* format, va_list args) {
  if (size == 0) return false;
#ifdef _WIN32
  // MSVCRT's own formatter (the MinGW one is built for the Pentium Pro): it
  // returns -1 when the text did not fit, and leaves no terminator when the
  // text fills the buffer exactly.
  const int written = _vsnprintf(out, size, format, args);
  if (written < 0 || static_cast<size_t>(written) >= size) {
    out[size - 1] = '\0';
    return false;
  }
  return true;
#else
  const int needed = vsnprintf(out, size, format, args);
  if (needed < 0) {
    out[0] = '\0';
    return false;
  }
  return static_cast<size_t>(needed) < size;
#endif
}

bool FormatText(char* out, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const bool whole = FormatTextV(out, size, format, args);
  va_end(args);
  return whole;
}

bool SameTextIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (tolower(static_cast<unsigned char>(*a)) != tolower(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

}  // namespace tessaly

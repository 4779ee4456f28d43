#include "base/text.h"

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
  const size_t used = strnlen(out, size);
  if (used >= size) {  // not terminated within the buffer: terminate, cut
    out[size - 1] = '\0';
    return false;
  }
  return CopyText(out + used, size - used, in);
}

bool FormatTextV(char* out, size_t size, const char* format, va_list args) {
  if (size == 0) return false;
  const int needed = vsnprintf(out, size, format, args);
  if (needed < 0) {
    out[0] = '\0';
    return false;
  }
  return static_cast<size_t>(needed) < size;
}

bool FormatText(char* out, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const bool whole = FormatTextV(out, size, format, args);
  va_end(args);
  return whole;
}

}  // namespace tessaly

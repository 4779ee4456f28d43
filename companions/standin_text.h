// Bounded text helpers of the stand-ins: every copy into a fixed buffer goes
// through these, so no text runs past the buffer's end. Each leaves the
// buffer NUL-terminated (when size > 0) and reports whether the text fitted.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

namespace companions {

constexpr size_t kPathSize = 260;

inline bool FormatTextV(char* out, size_t size, const char* format, va_list args) {
  if (out == nullptr || size == 0) return false;
  const int n = vsnprintf(out, size, format, args);
  if (n < 0) {
    out[0] = '\0';
    return false;
  }
  return static_cast<size_t>(n) < size;
}

inline bool FormatText(char* out, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
inline bool FormatText(char* out, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const bool fitted = FormatTextV(out, size, format, args);
  va_end(args);
  return fitted;
}

inline bool CopyText(char* out, size_t size, const char* in) {
  return FormatText(out, size, "%s", in != nullptr ? in : "");
}

inline bool AppendText(char* out, size_t size, const char* in) {
  if (out == nullptr || size == 0) return false;
  const size_t used = strnlen(out, size);
  if (used >= size) {
    out[size - 1] = '\0';
    return false;
  }
  return CopyText(out + used, size - used, in);
}

template <size_t N>
inline bool CopyText(char (&out)[N], const char* in) {
  return CopyText(out, N, in);
}
template <size_t N>
inline bool AppendText(char (&out)[N], const char* in) {
  return AppendText(out, N, in);
}

}  // namespace companions

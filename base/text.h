// Bounded text helpers: every copy into a fixed buffer goes through these, so
// no text can run past the buffer's end. Each always leaves the buffer
// NUL-terminated (when size > 0) and reports whether the whole text fitted.
#pragma once

#include <stdarg.h>
#include <stddef.h>

namespace tessaly {

// Size of every path buffer: at most 259 characters and the terminator.
constexpr size_t kPathSize = 260;

// Copies in into out; true when nothing was cut.
bool CopyText(char* out, size_t size, const char* in);

// Appends in to the text already in out; true when nothing was cut.
bool AppendText(char* out, size_t size, const char* in);

// printf into out; true when nothing was cut.
bool FormatText(char* out, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool FormatTextV(char* out, size_t size, const char* format, va_list args);

// The two texts are equal but for the letter case of ASCII letters, as the
// platform compares file names and profile keys.
bool SameTextIgnoringCase(const char* a, const char* b);

template <size_t N>
inline bool CopyText(char (&out)[N], const char* in) {
  return CopyText(out, N, in);
}
template <size_t N>
inline bool AppendText(char (&out)[N], const char* in) {
  return AppendText(out, N, in);
}

}  // namespace tessaly

// Helpers shared by the fuzz targets: a reader that takes typed pieces off
// the front of the fuzzer's bytes (running dry gives zeros and empty texts,
// never a read past the end), and FUZZ_CHECK, which stops the run with a
// message when a property of the code under test does not hold.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      abort();                                                                         \
    }                                                                                  \
  } while (0)

namespace tessaly {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Remaining() const { return size_ - at_; }
  bool Empty() const { return at_ >= size_; }

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Flag() { return (Byte() & 1) != 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
  uint32_t Dword() {
    const uint32_t low = Word();
    return low | (static_cast<uint32_t>(Word()) << 16);
  }

  // A length byte scaled by unit, then that many bytes (fewer when the input
  // runs out). unit lets a one-byte length ask for long values.
  std::vector<uint8_t> Bytes(size_t unit = 1) {
    const size_t wanted = static_cast<size_t>(Byte()) * unit;
    const size_t n = wanted < Remaining() ? wanted : Remaining();
    std::vector<uint8_t> out(data_ + at_, data_ + at_ + n);
    at_ += n;
    return out;
  }
  // As Bytes, up to the first NUL: the text a profile or registry string can
  // hold.
  std::string Text(size_t unit = 1) {
    const size_t wanted = static_cast<size_t>(Byte()) * unit;
    std::string out;
    while (out.size() < wanted && !Empty()) {
      const char c = static_cast<char>(Byte());
      if (c == '\0') break;
      out += c;
    }
    return out;
  }
  // A text of length * unit characters made by repeating a short pattern, so
  // that small inputs still reach long values.
  std::string Repeated(size_t unit) {
    const size_t length = static_cast<size_t>(Byte()) * unit;
    const std::string pattern = Text();
    if (pattern.empty()) return std::string();
    std::string out;
    while (out.size() < length) out += pattern;
    out.resize(length);
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// True when text is NUL-terminated within size bytes.
inline bool Terminated(const char* text, size_t size) {
  return memchr(text, '\0', size) != nullptr;
}

}  // namespace tessaly

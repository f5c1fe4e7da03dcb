// Shared by the fuzz targets: a failed check aborts with its location, which
// libFuzzer reports with the input; inputs are read front to back, so that a
// seed file can be written down field by field.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

// Little-endian integers and byte strings; zeros once the input runs out, so
// every input, however short, is a complete one.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }

  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

  template <typename T>
  T number() {
    static_assert(std::is_integral_v<T>);
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) bits |= std::uint64_t{byte()} << (8 * i);
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
  }

  std::string bytes(std::size_t count) {
    const std::size_t taken = count < size_ - at_ ? count : size_ - at_;
    std::string text(reinterpret_cast<const char*>(data_ + at_), taken);
    at_ += taken;
    return text;
  }

  // Up to the next '\n', which is consumed but not returned.
  std::string line() {
    std::string text;
    while (!empty()) {
      const auto c = static_cast<char>(byte());
      if (c == '\n') break;
      text += c;
    }
    return text;
  }

  std::string rest() { return bytes(size_ - at_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Four signed 32-bit edges, left, top, right, bottom: any rectangle, empty,
// inverted or at the limits.
inline platform::Rect ReadRect(FuzzInput& input) {
  platform::Rect r;
  r.left = input.number<std::int32_t>();
  r.top = input.number<std::int32_t>();
  r.right = input.number<std::int32_t>();
  r.bottom = input.number<std::int32_t>();
  return r;
}

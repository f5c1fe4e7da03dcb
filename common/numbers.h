// Number rules shared by every part of the plugin: the classic-locale decimal
// text that the settings file, the host and the version resource use, and
// 32-bit arithmetic that wraps or truncates the way the platform does, with
// no undefined behaviour on any input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numbers {

// Reads a number the way a classic-locale input stream does: leading white
// space, an optional sign, then the longest run of decimal digits; anything
// after it is ignored. "  -42abc" -> -42, "0x20" -> 0, "abc" -> none.
// A value outside the int32 range is none.
std::optional<std::int32_t> parseInt32(std::string_view text);

// As parseInt32, but a value beyond the range saturates to its nearest bound;
// text without a number gives `fallback`.
std::int32_t parseInt32Saturating(std::string_view text, std::int32_t fallback);

// Unsigned variant: " 12" -> 12, "4294967296" -> none, "-3" -> none.
std::optional<std::uint32_t> parseUInt32(std::string_view text);

// Plain decimal, "-" for negatives, no grouping: -5 -> "-5".
std::string formatInt32(std::int32_t value);
std::string formatUInt32(std::uint32_t value);

// Two's-complement wrap of a wider result, as 32-bit hardware arithmetic gives.
std::int32_t wrapToInt32(std::int64_t value);
inline std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
  return wrapToInt32(std::int64_t{a} + b);
}
inline std::int32_t wrappingSub(std::int32_t a, std::int32_t b) {
  return wrapToInt32(std::int64_t{a} - b);
}
inline std::int32_t wrappingMul(std::int32_t a, std::int32_t b) {
  return wrapToInt32(std::int64_t{a} * b);
}

// To the nearest integer, halves away from zero (-6.5 -> -7, 421.875 -> 422);
// NaN, infinities and values whose rounded result lies outside the int32
// range give INT32_MIN, the platform's "integer indefinite" result.
std::int32_t roundToInt32(double value);

}  // namespace numbers

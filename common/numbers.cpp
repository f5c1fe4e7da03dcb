#include "common/numbers.h"

#include <cmath>
#include <limits>

namespace numbers {
namespace {

struct ScannedInteger {
  bool found = false;
  bool negative = false;
  bool tooLarge = false;        // magnitude beyond 2^32
  std::uint64_t magnitude = 0;  // exact while !tooLarge
};

bool isClassicSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

ScannedInteger scan(std::string_view text) {
  ScannedInteger result;
  std::size_t i = 0;
  while (i < text.size() && isClassicSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    result.negative = text[i] == '-';
    ++i;
  }
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 32;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    result.found = true;
    if (!result.tooLarge) {
      result.magnitude = result.magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
      if (result.magnitude > kLimit) result.tooLarge = true;
    }
  }
  return result;
}

std::optional<std::int64_t> signedValue(const ScannedInteger& scanned) {
  if (!scanned.found || scanned.tooLarge) return std::nullopt;
  const auto magnitude = static_cast<std::int64_t>(scanned.magnitude);
  return scanned.negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<std::int32_t> parseInt32(std::string_view text) {
  const auto value = signedValue(scan(text));
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
}

std::int32_t parseInt32Saturating(std::string_view text, std::int32_t fallback) {
  const ScannedInteger scanned = scan(text);
  if (!scanned.found) return fallback;
  const auto value = signedValue(scanned);
  if (!value || *value > std::numeric_limits<std::int32_t>::max() ||
      *value < std::numeric_limits<std::int32_t>::min()) {
    return scanned.negative ? std::numeric_limits<std::int32_t>::min()
                            : std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(*value);
}

std::optional<std::uint32_t> parseUInt32(std::string_view text) {
  const ScannedInteger scanned = scan(text);
  if (!scanned.found || scanned.tooLarge) return std::nullopt;
  if (scanned.magnitude > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  if (scanned.negative && scanned.magnitude != 0) return std::nullopt;
  return static_cast<std::uint32_t>(scanned.magnitude);
}

std::string formatUInt32(std::uint32_t value) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::string text;
  while (count > 0) text.push_back(digits[--count]);
  return text;
}

std::string formatInt32(std::int32_t value) {
  if (value >= 0) return formatUInt32(static_cast<std::uint32_t>(value));
  const auto magnitude = static_cast<std::uint32_t>(-(std::int64_t{value}));
  return "-" + formatUInt32(magnitude);
}

std::int32_t wrapToInt32(std::int64_t value) {
  const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(value));
  if (low <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
    return static_cast<std::int32_t>(low);
  }
  return static_cast<std::int32_t>(static_cast<std::int64_t>(low) - (std::int64_t{1} << 32));
}

std::int32_t roundToInt32(double value) {
  // std::round keeps NaN and infinities, which the range test turns away.
  const double rounded = std::round(value);
  if (!(rounded > -2147483649.0 && rounded < 2147483648.0)) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace numbers

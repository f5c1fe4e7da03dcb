// The percentage an edit box's text saves, PercentOfEditText, for any text:
// the dialog's bounds, and bounds that show the unclamped reading.
#include "settings/options_dialog.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Blanks, a sign, digits; no digits means 80; beyond int32 saturates.
std::int64_t Reading(std::string_view text) {
  constexpr std::string_view kBlanks(" \t\n\v\f\r", 6);
  std::size_t at = 0;
  while (at < text.size() && kBlanks.find(text[at]) != std::string_view::npos) ++at;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const std::size_t digitsFrom = at;
  std::int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[at] - '0'), kInt32Max + 2);
  }
  if (at == digitsFrom) return 80;
  return std::clamp(negative ? -magnitude : magnitude, kInt32Min, kInt32Max);
}

void Check(std::string_view text, std::int32_t lower, std::int32_t upper) {
  const std::int32_t percent = PercentOfEditText(text, lower, upper);
  FUZZ_CHECK(lower <= percent && percent <= upper);
  FUZZ_CHECK(percent == std::clamp<std::int64_t>(Reading(text), lower, upper));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check(text, 10, 100);
  Check(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
  Check(text, -7, -7);
  return 0;
}

#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseInt32, ReadsLikeAClassicLocaleStream) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {"42", 42},
      {"  \t42", 42},
      {"+50", 50},
      {"-7", -7},
      {"42abc", 42},
      {"0x20", 0},
      {"007", 7},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"+", std::nullopt},
      {"- 5", std::nullopt},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numbers::parseInt32(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseInt32, SaturatesBeyondTheRangeAndFallsBackWithoutANumber) {
  EXPECT_EQ(numbers::parseInt32Saturating("2147483648", 80), kMax);
  EXPECT_EQ(numbers::parseInt32Saturating("123456789012345678901234", 80), kMax);
  EXPECT_EQ(numbers::parseInt32Saturating("-99999999999", 80), kMin);
  EXPECT_EQ(numbers::parseInt32Saturating("", 80), 80);
  EXPECT_EQ(numbers::parseInt32Saturating("x1", 80), 80);
  EXPECT_EQ(numbers::parseInt32Saturating(" 42abc", 80), 42);
}

TEST(ParseUInt32, AcceptsTheUnsignedRangeOnly) {
  EXPECT_EQ(numbers::parseUInt32("4294967295"), 4294967295u);
  EXPECT_EQ(numbers::parseUInt32("4294967296"), std::nullopt);
  EXPECT_EQ(numbers::parseUInt32(" 1"), 1u);
  EXPECT_EQ(numbers::parseUInt32("01"), 1u);
  EXPECT_EQ(numbers::parseUInt32("3rc1"), 3u);
  EXPECT_EQ(numbers::parseUInt32("beta"), std::nullopt);
  EXPECT_EQ(numbers::parseUInt32("-3"), std::nullopt);
  EXPECT_EQ(numbers::parseUInt32("-0"), 0u);
}

TEST(FormatInt32, WritesPlainDecimal) {
  EXPECT_EQ(numbers::formatInt32(0), "0");
  EXPECT_EQ(numbers::formatInt32(80), "80");
  EXPECT_EQ(numbers::formatInt32(-5), "-5");
  EXPECT_EQ(numbers::formatInt32(kMin), "-2147483648");
  EXPECT_EQ(numbers::formatInt32(kMax), "2147483647");
  EXPECT_EQ(numbers::formatUInt32(4294967295u), "4294967295");
}

TEST(Wrapping, FollowsTwosComplement) {
  EXPECT_EQ(numbers::wrappingMul(kMax, 2), -2);
  EXPECT_EQ(numbers::wrappingMul(1280, 80), 102400);
  EXPECT_EQ(numbers::wrappingMul(50000, 50000), -1794967296);
  EXPECT_EQ(numbers::wrappingAdd(kMax, 1), kMin);
  EXPECT_EQ(numbers::wrappingSub(kMin, 1), kMax);
}

TEST(RoundToInt32, RoundsHalvesAwayFromZeroAndGivesIndefiniteOutOfRange) {
  const std::pair<double, std::int32_t> cases[] = {
      {373.33, 373},
      {-6.67, -7},
      {421.875, 422},
      {-0.4, 0},
      {-0.5, -1},
      {0.5, 1},
      {2.5, 3},
      {-2.5, -3},
      {2147483647.4, kMax},
      {2147483647.5, kMin},
      {-2147483648.4, kMin},
      {-2147483648.6, kMin},
      {2147483648.0, kMin},
      {-2147483649.0, kMin},
      {std::nan(""), kMin},
      {std::numeric_limits<double>::infinity(), kMin},
      {-std::numeric_limits<double>::infinity(), kMin},
  };
  for (const auto& [value, rounded] : cases) {
    EXPECT_EQ(numbers::roundToInt32(value), rounded) << value;
  }
}

}  // namespace

// The geometry core on its own: each case is a row of plain rectangles,
// lists and options with the answer the core must give. No display or window
// is involved, so every rule can be pinned at its edges; the operations that
// read the window and move it are tested against the fake desktop elsewhere.
#include "monitors/geometry.h"

#include "common/numbers.h"
#include "monitors/placement.h"
#include "tests/unit/geometry_support.h"
#include "tests/unit/reference_desktop.h"
#include "tests/unit/test_printers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using geometry_support::Coords;
using geometry_support::CoordsOf;
using numbers::wrappingAdd;
using platform::Rect;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using namespace reference_desktop;
constexpr Rect kWindowOnM1 = kHostStart;
constexpr Rect kNothing{0, 0, 0, 0};

// A rectangle written as a move is: x, y, width, height. The reference
// desktop's answers are stated this way.
constexpr Rect At(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return Rect{x, y, x + width, y + height};
}

// --- Symmetries the rows are re-checked under ------------------------------------------
// Wrapping, like the core, so that a shift across the ends of the range is
// still a shift.
Rect Shifted(const Rect& r, std::int32_t dx, std::int32_t dy) {
  return Rect{wrappingAdd(r.left, dx), wrappingAdd(r.top, dy), wrappingAdd(r.right, dx),
              wrappingAdd(r.bottom, dy)};
}

// x and y exchanged: the rules for the two axes are the same rules.
Rect Transposed(const Rect& r) { return Rect{r.top, r.left, r.bottom, r.right}; }

unsigned TransposedFlags(unsigned flags) {
  const unsigned axisFree = flags & ~(kResizePercent | kResizePercentV);
  return axisFree | ((flags & kResizePercent) != 0 ? kResizePercentV : 0u) |
         ((flags & kResizePercentV) != 0 ? kResizePercent : 0u);
}

struct Shift {
  std::int32_t dx, dy;
};

// Into negative coordinates, by odd amounts, and across the ends of the range.
constexpr Shift kShifts[] = {{-1920, 0}, {-3200, -1024}, {-5000, -700},      {7, -3},
                             {-1, 1},    {kMax, kMin},   {-2147483000, 1000}};

// --- PlacedRect ------------------------------------------------------------------------
struct PlacementRow {
  const char* name;
  unsigned flags;
  Rect window;
  Rect source;
  Rect target;
  Rect placed;
  std::int32_t widthPercent = 0;  // the hotkey's overrides
  std::int32_t heightPercent = 0;
  std::int32_t percent = 80;  // the stored percentages
  std::int32_t percentV = 80;
};

void PrintTo(const PlacementRow& row, std::ostream* os) { *os << row.name; }

Rect Place(const PlacementRow& row) {
  return PlacedRect(row.window, row.source, row.target,
                    PlacementRulesOf(OptionsWith(row.flags, row.percent, row.percentV)),
                    row.widthPercent, row.heightPercent);
}

// M1 to M2 and back; M2 is 1280/1920 as wide and 1024/1080 as high as M1.
const PlacementRow kReferenceDesktop[] = {
    {"None", 0, kWindowOnM1, kM1, kM2, At(2480, 340, 800, 400)},
    {"MoveRelative", kMoveRelative, kWindowOnM1, kM1, kM2, At(2293, 322, 800, 400)},
    {"ResizeRelative", kResizeRelative, kWindowOnM1, kM1, kM2, At(2480, 340, 533, 379)},
    {"MoveAndResizeRelative", kMoveRelative | kResizeRelative, kWindowOnM1, kM1, kM2,
     At(2293, 322, 533, 379)},
    {"ResizePercent", kResizePercent, kWindowOnM1, kM1, kM2, At(2480, 340, 1024, 400)},
    {"ResizePercentV", kResizePercentV, kWindowOnM1, kM1, kM2, At(2480, 340, 800, 819)},
    {"BothPercentagesMoveRelative", kResizePercent | kResizePercentV | kMoveRelative, kWindowOnM1,
     kM1, kM2, At(2293, 322, 1024, 819)},
    {"Center", kCenter, kWindowOnM1, kM1, kM2, At(2160, 312, 800, 400)},
    {"CenterResizeRelative", kCenter | kResizeRelative, kWindowOnM1, kM1, kM2,
     At(2293, 322, 533, 379)},
    {"CenterBothPercentages", kCenter | kResizePercent | kResizePercentV, kWindowOnM1, kM1, kM2,
     At(2048, 102, 1024, 819)},
    {"BothRelativeWidthPercent50", kMoveRelative | kResizeRelative, kWindowOnM1, kM1, kM2,
     At(2293, 322, 640, 379), 50, 0},
    {"BothRelativeHeightPercent30", kMoveRelative | kResizeRelative, kWindowOnM1, kM1, kM2,
     At(2293, 322, 533, 307), 0, 30},
    {"BackNone", 0, kWindowOnM2, kM2, kM1, At(180, 100, 800, 400)},
    {"BackMoveRelative", kMoveRelative, kWindowOnM2, kM2, kM1, At(270, 105, 800, 400)},
    // 400 x 1080 / 1024 is 421.875, rounded to 422.
    {"BackResizeRelative", kResizeRelative, kWindowOnM2, kM2, kM1, At(180, 100, 1200, 422)},
    {"BackMoveAndResizeRelative", kMoveRelative | kResizeRelative, kWindowOnM2, kM2, kM1,
     At(270, 105, 1200, 422)},
    {"BackCenter", kCenter, kWindowOnM2, kM2, kM1, At(560, 340, 800, 400)},
    {"BackBothPercentages", kResizePercent | kResizePercentV, kWindowOnM2, kM2, kM1,
     At(180, 100, 1536, 864)},
};

const PlacementRow kNumberRules[] = {
    // Scaled offsets and sizes round, halves away from zero: -6.67 gives -7,
    // -9.48 gives -9. Percentages and halves truncate toward zero: -422.4
    // and -337.92 give -422 and -337, -217 / 2 is -108. (Only an override
    // reaches the arithmetic beyond 10..100.)
    {"NegativeHorizontalOffset", kMoveRelative, Rect{-10, 340, 790, 740}, kM1, kM2,
     At(1913, 322, 800, 400)},
    {"NegativeVerticalOffset", kMoveRelative, Rect{560, -10, 1360, 390}, kM1, kM2,
     At(2293, -9, 800, 400)},
    {"NegativePercentages", 0, kWindowOnM1, kM1, kM2, At(2480, 340, -422, -337), -33, -33},
    {"CentredOddOverhang", kCenter | kResizePercentV, kWindowOnM1, kM1, kM2,
     At(1812, 0, 1497, 1024), 117, 0, 80, 100},
    {"ReversedWindow", kResizeRelative, Rect{1360, 740, 560, 340}, kM1, kM2,
     At(3280, 740, -533, -379)},
    // 32-bit wrapping: 1280 x 2147483647 wraps to -1280 before the division,
    // and 2147483000 + 1000 to -2147483296.
    {"PercentageProductWraps", 0, kWindowOnM1, kM1, kM2, At(2480, 340, -12, 400), kMax},
    {"TargetNearTheTopOfTheRange", 0, Rect{1000, 0, 1800, 400}, kM1,
     Rect{2147483000, 0, 2147483600, 1080}, At(-2147483296, 0, 800, 400)},
    // A source without extent (settings unreadable, or no pixels on an axis)
    // keeps the window's offset and size on that axis.
    {"SourceWithoutExtent", kMoveRelative | kResizeRelative, Rect{100, 50, 900, 450}, kNothing, kM2,
     At(2020, 50, 800, 400)},
    {"SourceWithoutWidth", kMoveRelative | kResizeRelative, kWindowOnM1, Rect{0, 0, 0, 1080}, kM2,
     At(2480, 322, 800, 379)},
    {"SourceWithoutHeight", kMoveRelative | kResizeRelative, kWindowOnM1, Rect{0, 0, 1920, 0}, kM2,
     At(2293, 340, 533, 400)},
    // A target without extent shrinks the window to nothing.
    {"TargetWithoutExtent", kMoveRelative | kResizeRelative, Rect{-10, 340, 790, 740}, kM1,
     kNothing, kNothing},
    // The zero rectangle an unreadable window reports, placed from M2.
    {"ZeroWindow", 0, kNothing, kM2, kM1, At(-1920, 0, 0, 0)},
    {"ZeroWindowBothRelative", kMoveRelative | kResizeRelative, kNothing, kM2, kM1,
     At(-2880, 0, 0, 0)},
    {"ZeroWindowBothPercentages", kResizePercent | kResizePercentV, kNothing, kM2, kM1,
     At(-1920, 0, 1536, 864)},
    // Source equal to target keeps the rectangle.
    {"SameMonitorNoOption", 0, kWindowOnM1, kM1, kM1, kWindowOnM1},
    {"SameMonitorBothRelative", kMoveRelative | kResizeRelative, kWindowOnM1, kM1, kM1,
     kWindowOnM1},
    {"SameMonitorBothRelativeOddSizes", kMoveRelative | kResizeRelative, Rect{2001, 17, 2334, 350},
     kM2, kM2, Rect{2001, 17, 2334, 350}},
};

// Stored percentages are taken within 10..100, the nearest bound for one
// beyond it; a hotkey's non-zero percentage overrides its own axis only.
const PlacementRow kPercentages[] = {
    {"Wide150High100Centred", kCenter | kResizePercent | kResizePercentV, kWindowOnM1, kM1, kM2,
     At(1920, 0, 1280, 1024), 0, 0, 150, 100},
    // 10 % of 1280 and of 1024, truncated.
    {"ZeroWide", kResizePercent, kWindowOnM1, kM1, kM2, At(2480, 340, 128, 400), 0, 0, 0},
    {"NegativeHigh", kResizePercentV, kWindowOnM1, kM1, kM2, At(2480, 340, 800, 102), 0, 0, 80,
     -2147483647 - 1},
    {"FullBothRelativeMove", kResizePercent | kResizePercentV | kMoveRelative, kWindowOnM1, kM1,
     kM2, At(2293, 322, 1280, 1024), 0, 0, 100, 100},
    {"WidthOverrideEveryFlagOff", 0, kWindowOnM1, kM1, kM2, At(2480, 340, 640, 400), 50, 0},
    {"WidthOverrideHeightRelative", kResizeRelative, kWindowOnM1, kM1, kM2, At(2480, 340, 640, 379),
     50, 0},
    {"WidthOverrideHeightByItsPercentage", kResizePercentV, kWindowOnM1, kM1, kM2,
     At(2480, 340, 640, 307), 50, 0, 80, 30},
    {"WidthOverrideBeatsTheStoredWidth", kResizePercent, kWindowOnM1, kM1, kM2,
     At(2480, 340, 640, 400), 50, 0, 80},
    {"HeightOverrideEveryFlagOff", 0, kWindowOnM1, kM1, kM2, At(2480, 340, 800, 307), 0, 30},
    {"HeightOverrideWidthRelative", kResizeRelative, kWindowOnM1, kM1, kM2, At(2480, 340, 533, 307),
     0, 30},
    {"HeightOverrideBeatsTheStoredHeight", kResizePercentV, kWindowOnM1, kM1, kM2,
     At(2480, 340, 800, 307), 0, 30, 80, 80},
    {"HeightOverrideCentred", kCenter, kWindowOnM1, kM1, kM2, At(2160, 0, 800, 1024), 0, 100},
    {"NegativeOverrideCountsAsGiven", 0, kWindowOnM1, kM1, kM2, At(2480, 340, -128, 400), -10, 0},
};

template <typename Row>
std::string NameOf(const ::testing::TestParamInfo<Row>& param) {
  return param.param.name;
}

class PlacedRectTest : public ::testing::TestWithParam<PlacementRow> {};

// Each row is checked as written, then on a shifted desktop, where the rules
// read offsets and sizes only, and with x and y exchanged, where each axis
// follows the same rules.
TEST_P(PlacedRectTest, GivesTheTabledRectangle) {
  const PlacementRow& given = GetParam();
  EXPECT_EQ(Place(given), given.placed);
  for (const Shift& s : kShifts) {
    SCOPED_TRACE("shifted by " + std::to_string(s.dx) + ", " + std::to_string(s.dy));
    PlacementRow row = given;
    row.window = Shifted(row.window, s.dx, s.dy);
    row.source = Shifted(row.source, s.dx, s.dy);
    row.target = Shifted(row.target, s.dx, s.dy);
    EXPECT_EQ(Place(row), Shifted(given.placed, s.dx, s.dy));
  }
  {
    SCOPED_TRACE("axes exchanged");
    PlacementRow row = given;
    row.window = Transposed(row.window);
    row.source = Transposed(row.source);
    row.target = Transposed(row.target);
    row.flags = TransposedFlags(row.flags);
    std::swap(row.widthPercent, row.heightPercent);
    std::swap(row.percent, row.percentV);
    EXPECT_EQ(Place(row), Transposed(given.placed));
  }
}

INSTANTIATE_TEST_SUITE_P(ReferenceDesktop, PlacedRectTest, ::testing::ValuesIn(kReferenceDesktop),
                         NameOf<PlacementRow>);
INSTANTIATE_TEST_SUITE_P(NumberRules, PlacedRectTest, ::testing::ValuesIn(kNumberRules),
                         NameOf<PlacementRow>);
INSTANTIATE_TEST_SUITE_P(Percentages, PlacedRectTest, ::testing::ValuesIn(kPercentages),
                         NameOf<PlacementRow>);

TEST(PlacedRectCentringTest, ACentredPlacementIsWhereTheFinalCentringLeavesIt) {
  // A placement with `center` ends with a centring whose rectangle becomes
  // lastCenteredRect; it must find the window in place, or the window would
  // move twice and the stored rectangle would differ from the placement.
  std::vector<PlacementRow> rows;
  rows.insert(rows.end(), std::begin(kReferenceDesktop), std::end(kReferenceDesktop));
  rows.insert(rows.end(), std::begin(kNumberRules), std::end(kNumberRules));
  rows.insert(rows.end(), std::begin(kPercentages), std::end(kPercentages));
  int centred = 0;
  for (const PlacementRow& row : rows) {
    if ((row.flags & kCenter) == 0) continue;
    ++centred;
    EXPECT_EQ(CenteredRect(row.placed, row.target), row.placed) << row.name;
  }
  EXPECT_GT(centred, 0);
}

// --- CenteredRect -----------------------------------------------------------------------
struct CentringRow {
  const char* name;
  Rect window;
  Rect monitor;
  Rect centred;
};

void PrintTo(const CentringRow& row, std::ostream* os) { *os << row.name; }

const CentringRow kCentring[] = {
    {"OnM2", kWindowOnM2, kM2, {2160, 312, 2960, 712}},
    {"AlreadyCentred", {2160, 312, 2960, 712}, kM2, {2160, 312, 2960, 712}},
    {"StraddlingOntoM1", {1500, 900, 2300, 1300}, kM1, {560, 340, 1360, 740}},
    {"FromTheSharedEdgeOntoM1", {1520, 0, 2320, 400}, kM1, {560, 340, 1360, 740}},
    // 1119 / 2 and 679 / 2 are 559 and 339: rounding would give one more.
    {"OddLeftover", {0, 0, 801, 401}, kM1, {559, 339, 1360, 740}},
    // (1280 - 1501) / 2 is -110 and (1024 - 1200) / 2 is -88: toward zero.
    {"LargerThanItsMonitor", {1800, -50, 3301, 1150}, kM2, {1810, -88, 3311, 1112}},
    {"NegativeMonitor", {-1100, 0, -100, 101}, {-1280, -200, 0, 824}, {-1140, 261, -140, 362}},
    // The size the window really took, larger than the one a placement asked
    // for.
    {"KeepsTheSizeItHas", {2293, 322, 3193, 822}, kM2, {2110, 262, 3010, 762}},
    {"MonitorWithoutExtent", {100, 100, 900, 500}, kNothing, {-400, -200, 400, 200}},
};

class CentredRectTest : public ::testing::TestWithParam<CentringRow> {};

// Checked as written, shifted, with the axes exchanged, and centred again,
// which must change nothing.
TEST_P(CentredRectTest, GivesTheTabledRectangle) {
  const CentringRow& row = GetParam();
  EXPECT_EQ(CenteredRect(row.window, row.monitor), row.centred);
  for (const Shift& s : kShifts) {
    EXPECT_EQ(CenteredRect(Shifted(row.window, s.dx, s.dy), Shifted(row.monitor, s.dx, s.dy)),
              Shifted(row.centred, s.dx, s.dy))
        << "shifted by " << s.dx << ", " << s.dy;
  }
  EXPECT_EQ(CenteredRect(Transposed(row.window), Transposed(row.monitor)), Transposed(row.centred))
      << "axes exchanged";
  EXPECT_EQ(CenteredRect(row.centred, row.monitor), row.centred) << "centred again";
}

INSTANTIATE_TEST_SUITE_P(Centring, CentredRectTest, ::testing::ValuesIn(kCentring),
                         NameOf<CentringRow>);

// --- Monitor lookups -------------------------------------------------------------------
std::vector<MonitorInfo> ListOf(const std::vector<Rect>& rects) {
  std::vector<MonitorInfo> list;
  for (const Rect& rect : rects) list.push_back(MonitorInfo{0, false, rect, {}});
  return list;
}

// The index a lookup answered, -1 for none.
int IndexOf(std::optional<std::size_t> index) { return index ? static_cast<int>(*index) : -1; }

struct LookupRow {
  const char* name;
  std::vector<Rect> monitors;                         // in list order
  std::vector<std::pair<std::int32_t, int>> lookups;  // x, expected index
};

void PrintTo(const LookupRow& row, std::ostream* os) { *os << row.name; }

// Lists in the order a monitor list keeps them: by left edge, ties in
// enumeration order.
const LookupRow kLookups[] = {
    {"SharedEdgeGoesToTheLeftHandMonitor",
     {kM1, kM2},
     {{-1, -1}, {0, 0}, {1919, 0}, {1920, 0}, {1921, 1}, {3200, 1}, {3201, -1}}},
    {"StackedTheFirstWinsEverywhere",
     {{0, 1080, 1920, 2160}, {0, 0, 1920, 1080}},
     {{0, 0}, {960, 0}, {1920, 0}, {1921, -1}}},
    {"OverlappingSpansTheFirstWins",
     {{0, 500, 2000, 1500}, {1000, 0, 3000, 1080}},
     {{999, 0}, {1000, 0}, {2000, 0}, {2001, 1}, {3000, 1}}},
    {"NegativeCoordinates",
     {{-2560, 100, -1280, 1124}, {-1280, 0, 0, 1024}, {0, 0, 1920, 1080}},
     {{-2561, -1}, {-2560, 0}, {-1280, 0}, {-1279, 1}, {-1, 1}, {0, 1}, {1, 2}, {1920, 2}}},
    {"AGapBetweenMonitors",
     {{0, 0, 1000, 800}, {1500, 0, 2500, 800}},
     {{1000, 0}, {1001, -1}, {1499, -1}, {1500, 1}}},
    {"TheExtremesOfTheRange",
     {{kMin, 0, -100, 10}, {100, 0, kMax, 10}},
     {{kMin, 0}, {-100, 0}, {-99, -1}, {0, -1}, {99, -1}, {100, 1}, {kMax, 1}}},
    {"AMonitorWithoutExtentHoldsItsOnePoint",
     {kNothing, {1920, 0, 3200, 1024}},
     {{-1, -1}, {0, 0}, {1, -1}, {1920, 1}}},
    {"NoMonitorFindsNothing", {}, {{0, -1}, {1, -1}, {-1, -1}, {1920, -1}, {kMin, -1}, {kMax, -1}}},
    // The core does not sort: the order given decides.
    {"UnsortedTheFirstGivenWins",
     {{1000, 0, 3000, 1080}, {0, 500, 2000, 1500}},
     {{500, 1}, {999, 1}, {1000, 0}, {2000, 0}, {3000, 0}}},
};

class MonitorIndexAtXTest : public ::testing::TestWithParam<LookupRow> {};

TEST_P(MonitorIndexAtXTest, AnswersTheFirstEntryWithBothBoundsInclusive) {
  const std::vector<MonitorInfo> list = ListOf(GetParam().monitors);
  for (const auto& [x, expected] : GetParam().lookups) {
    EXPECT_EQ(IndexOf(MonitorIndexAtX(list, x)), expected) << "x = " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Lookups, MonitorIndexAtXTest, ::testing::ValuesIn(kLookups),
                         NameOf<LookupRow>);

struct RectLookupRow {
  const char* name;
  std::vector<Rect> monitors;
  Rect window;
  std::int32_t centre;  // HorizontalCenterOf(window)
  int expected;         // index of the monitor holding it, -1: none
};

void PrintTo(const RectLookupRow& row, std::ostream* os) { *os << row.name; }

// Boundaries placed so that a rounding or midpoint mistake picks a
// neighbour: A ends at -601, B spans -600..400, C starts at 401.
const std::vector<Rect> kABC = {{-1601, 0, -601, 1080}, {-600, 0, 400, 1080}, {401, 0, 1401, 1080}};

const RectLookupRow kRectLookups[] = {
    // The edges' midpoint would be -600.
    {"OddWidthLeftOfZero", kABC, {-1001, 0, -200, 100}, -601, 0},
    {"EvenWidth", kABC, {-1000, 0, -200, 100}, -600, 1},
    {"OddWidthOneFurtherLeft", kABC, {-1002, 0, -201, 100}, -602, 0},
    {"OnAnInclusiveRightEdge", kABC, {0, 0, 801, 100}, 400, 1},
    {"OnAnInclusiveLeftEdge", kABC, {1, 0, 802, 100}, 401, 2},
    {"FarBelowEveryMonitor", kABC, {-400, 5000, 0, 5400}, -200, 1},
    {"LeftOfEverything", kABC, {-3000, 0, -2000, 100}, -2500, -1},
    {"RightOfEverything", kABC, {1000, 0, 2000, 100}, 1500, -1},
    {"OverlappingTwoMonitors", kABC, {-2400, 0, -800, 100}, -1600, 0},
    {"NegativeWidth", kABC, {300, 0, 100, 100}, 200, 1},
    {"StraddlingTheReferenceDesktop", {kM1, kM2}, {1500, 900, 2300, 1300}, 1900, 0},
    {"CentreOnTheSharedEdgeGoesLeft", {kM1, kM2}, {1520, 0, 2320, 400}, 1920, 0},
    {"BesideEveryMonitor", {kM1, kM2}, {5000, 0, 5800, 400}, 5400, -1},
    {"LargerThanItsMonitor", {kM1, kM2}, {1800, -50, 3301, 1150}, 2550, 1},
    {"OnANegativeMonitor", {{-1280, -200, 0, 824}, kM1}, {-1100, 0, -100, 101}, -600, 0},
    {"NoMonitorAtAll", {}, {100, 100, 900, 500}, 500, -1},
    // What an unreadable window reports: centred on 0.
    {"TheZeroRectangle", {{-1920, 0, -1, 1080}, {0, 0, 1920, 1080}}, kNothing, 0, 1},
};

class MonitorIndexOfRectTest : public ::testing::TestWithParam<RectLookupRow> {};

TEST_P(MonitorIndexOfRectTest, UsesHalfTheWidthPlusTheLeftEdge) {
  const RectLookupRow& row = GetParam();
  EXPECT_EQ(HorizontalCenterOf(row.window), row.centre);
  EXPECT_EQ(IndexOf(MonitorIndexOfRect(ListOf(row.monitors), row.window)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, MonitorIndexOfRectTest, ::testing::ValuesIn(kRectLookups),
                         NameOf<RectLookupRow>);

std::optional<Coords> RectAtX(const std::vector<MonitorInfo>& list, std::int32_t x) {
  const std::optional<std::size_t> index = MonitorIndexAtX(list, x);
  if (!index) return std::nullopt;
  return CoordsOf(list[*index].rect);
}

TEST(MonitorIndexAtXLayoutTest, LayoutsAcrossOffsets) {
  // Four monitors: two side by side, one stacked on the first with the same
  // left edge, one left of everything; listed as a monitor list keeps them,
  // with either of the two sharing an edge first, shifted across the range.
  for (std::int32_t offset = -3000; offset <= 3000; offset += 125) {
    const Rect a{offset, 0, offset + 1920, 1080};
    const Rect b{offset + 1920, 0, offset + 3200, 1024};
    const Rect s{offset, -1024, offset + 1280, 0};
    const Rect l{offset - 1366, 200, offset, 968};
    for (const bool stackedFirst : {false, true}) {
      const std::vector<MonitorInfo> list =
          ListOf(stackedFirst ? std::vector<Rect>{l, s, a, b} : std::vector<Rect>{l, a, s, b});
      // Whichever of A and S comes first answers for their common span, and
      // A alone beyond S's right edge.
      const Rect& sharedWinner = stackedFirst ? s : a;
      const std::string where =
          "offset " + std::to_string(offset) + (stackedFirst ? ", S first" : ", A first");
      EXPECT_EQ(RectAtX(list, offset), CoordsOf(l)) << where << ": L's right edge is inclusive";
      EXPECT_EQ(RectAtX(list, offset + 1), CoordsOf(sharedWinner)) << where;
      EXPECT_EQ(RectAtX(list, offset + 1280), CoordsOf(sharedWinner)) << where;
      EXPECT_EQ(RectAtX(list, offset + 1281), CoordsOf(a)) << where;
      EXPECT_EQ(RectAtX(list, offset + 1920), CoordsOf(a)) << where;
      EXPECT_EQ(RectAtX(list, offset + 1921), CoordsOf(b)) << where;
      EXPECT_EQ(RectAtX(list, offset + 3200), CoordsOf(b)) << where;
      EXPECT_EQ(RectAtX(list, offset + 3201), std::nullopt) << where;
      EXPECT_EQ(RectAtX(list, offset - 1366), CoordsOf(l)) << where;
      EXPECT_EQ(RectAtX(list, offset - 1367), std::nullopt) << where;
    }
  }
}

// --- Round trips ----------------------------------------------------------------------
// A window shown alternately on two monitors must not drift: with the default
// options every scaled offset and size loses at most half a pixel per move,
// and the next move back undoes most of it instead of adding to it.
TEST(RoundTripTest, AHundredRoundTripsEndWithinThreePixelsForCommonMonitorPairs) {
  const Rect kSizes[] = {{0, 0, 1920, 1080}, {0, 0, 1280, 1024}, {0, 0, 2560, 1440},
                         {0, 0, 3840, 2160}, {0, 0, 1366, 768},  {0, 0, 1600, 900},
                         {0, 0, 1680, 1050}, {0, 0, 1440, 900},  {0, 0, 1080, 1920},
                         {0, 0, 2560, 1080}, {0, 0, 3440, 1440}, {0, 0, 1024, 768}};
  const PlacementRules defaults = PlacementRulesOf(PluginOptions());
  std::int64_t drift = 0;
  std::int64_t edges = 0;
  std::int32_t worst = 0;
  for (const Rect& a : kSizes) {
    for (const Rect& b : kSizes) {
      if (&a == &b) continue;
      const Rect m1 = a;
      const Rect m2 = Shifted(b, a.right, 0);  // to the right of m1
      // Windows on a grid over m1: offsets and sizes in sixths and tenths.
      for (std::int32_t i = 0; i < 5; ++i) {
        for (std::int32_t j = 1; j < 4; ++j) {
          const std::int32_t w = WidthOf(m1) * j / 6 + 7 * i;
          const std::int32_t h = HeightOf(m1) * j / 5 + 3 * i;
          const std::int32_t x = WidthOf(m1) * i / 10 + j;
          const std::int32_t y = HeightOf(m1) * (4 - i) / 10 + 11 * j;
          const Rect start{x, y, x + w, y + h};
          Rect r = start;
          for (int trip = 0; trip < 100; ++trip) {
            r = PlacedRect(PlacedRect(r, m1, m2, defaults, 0, 0), m2, m1, defaults, 0, 0);
          }
          const std::int32_t moved[] = {r.left - start.left, r.top - start.top,
                                        r.right - start.right, r.bottom - start.bottom};
          for (const std::int32_t d : moved) {
            const std::int32_t distance = d < 0 ? -d : d;
            drift += distance;
            ++edges;
            if (distance > worst) worst = distance;
            EXPECT_LE(distance, 3) << CoordsOf(start)[0] << "," << CoordsOf(start)[1] << " " << w
                                   << "x" << h << " between " << WidthOf(m1) << "x" << HeightOf(m1)
                                   << " and " << WidthOf(m2) << "x" << HeightOf(m2);
          }
        }
      }
    }
  }
  std::cout << "after 100 round trips: edges moved "
            << static_cast<double>(drift) / static_cast<double>(edges) << " px on average, "
            << worst << " px at worst, over " << edges << " edges\n";
}

// --- SteppedMonitor --------------------------------------------------------------------
struct StepRow {
  std::size_t count;
  std::size_t current;
  int next;  // expected index, -1: none
  int previous;
  int same;
};

void PrintTo(const StepRow& row, std::ostream* os) { *os << row.current << " of " << row.count; }

const StepRow kSteps[] = {
    {1, 0, 0, -1, 0},
    {2, 0, 1, 1, 0},
    {2, 1, 0, 0, 1},
    {3, 0, 1, 2, 0},
    {3, 1, 2, 0, 1},
    {3, 2, 0, 1, 2},
    {5, 0, 1, 4, 0},
    {5, 4, 0, 3, 4},
    // No current monitor: the window is on none of the list.
    {0, 0, -1, -1, -1},
    {1, 1, -1, -1, -1},
    {3, 3, -1, -1, -1},
    {3, 7, -1, -1, -1},
};

class SteppedMonitorTest : public ::testing::TestWithParam<StepRow> {};

TEST_P(SteppedMonitorTest, SelectsTheTabledMonitor) {
  const StepRow& row = GetParam();
  EXPECT_EQ(IndexOf(SteppedMonitor(row.count, row.current, MonitorStep::Next)), row.next);
  EXPECT_EQ(IndexOf(SteppedMonitor(row.count, row.current, MonitorStep::Previous)), row.previous);
  EXPECT_EQ(IndexOf(SteppedMonitor(row.count, row.current, MonitorStep::Same)), row.same);
}

std::string StepName(const ::testing::TestParamInfo<StepRow>& param) {
  return "From" + std::to_string(param.param.current) + "Of" + std::to_string(param.param.count);
}

INSTANTIATE_TEST_SUITE_P(Lists, SteppedMonitorTest, ::testing::ValuesIn(kSteps), StepName);

}  // namespace

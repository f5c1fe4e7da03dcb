// Building the monitor list from the display devices, and the lookups that
// hand out its entries. Which index a lookup answers over a plain list is
// tabled against the geometry core in geometry_test.cpp.
#include "monitors/monitor_list.h"

#include "tests/fake/fake_desktop.h"
#include "tests/unit/geometry_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using geometry_support::Coords;
using geometry_support::CoordsOf;
using platform::Rect;

constexpr std::uint32_t kAttached = platform::kDisplayAttachedToDesktop;
constexpr std::uint32_t kPrimary = platform::kDisplayPrimaryDevice;

fake::Display DisplayAt(const std::string& name, const Rect& rect,
                        std::uint32_t flags = kAttached) {
  fake::Display display;
  display.name = name;
  display.stateFlags = flags;
  display.mode.x = rect.left;
  display.mode.y = rect.top;
  display.mode.width = static_cast<std::uint32_t>(rect.right - rect.left);
  display.mode.height = static_cast<std::uint32_t>(rect.bottom - rect.top);
  return display;
}

std::vector<Rect> RectsOf(const MonitorList& list) {
  std::vector<Rect> rects;
  for (const MonitorInfo& monitor : list.entries()) rects.push_back(monitor.rect);
  return rects;
}

std::vector<std::uint32_t> NumbersOf(const MonitorList& list) {
  std::vector<std::uint32_t> numbers;
  for (const MonitorInfo& monitor : list.entries()) numbers.push_back(monitor.displayNumber);
  return numbers;
}

// Index of the entry a lookup answered, -1 for none; fails on an index past
// the list.
int IndexOf(const MonitorList& list, MonitorIndex found) {
  if (!found) return -1;
  if (*found >= list.entries().size()) ADD_FAILURE() << "lookup answered an entry past the list";
  return static_cast<int>(*found);
}

MonitorIndex AtX(const MonitorList& list, std::int32_t x) {
  return MonitorIndexAtX(list.entries(), x);
}

class MonitorListTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::reset(); }
};

// --- Building the list -----------------------------------------------------

TEST_F(MonitorListTest, OrdersByLeftEdgeWhateverTheEnumerationOrder) {
  struct Case {
    const char* what;
    std::vector<Rect> enumerated;
    std::vector<Rect> expected;
  };
  const Case cases[] = {
      {"reference desktop, enumerated right first",
       {{1920, 0, 3200, 1024}, {0, 0, 1920, 1080}},
       {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}}},
      {"one left of the primary",
       {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {1920, -200, 3600, 850}},
       {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}, {1920, -200, 3600, 850}}},
      {"all left of zero",
       {{-1000, 0, -500, 600}, {-3000, 0, -2000, 700}, {-2000, 50, -1000, 700}},
       {{-3000, 0, -2000, 700}, {-2000, 50, -1000, 700}, {-1000, 0, -500, 600}}},
      {"the vertical position is no key",
       {{100, 900, 900, 1500}, {50, 2000, 900, 2500}, {0, -900, 1000, 0}},
       {{0, -900, 1000, 0}, {50, 2000, 900, 2500}, {100, 900, 900, 1500}}},
      {"a single monitor", {{0, 0, 1024, 768}}, {{0, 0, 1024, 768}}},
  };
  for (const Case& c : cases) {
    fake::reset();
    for (const Rect& rect : c.enumerated) fake::addMonitor(rect);
    const MonitorList list;
    EXPECT_EQ(CoordsOf(RectsOf(list)), CoordsOf(c.expected)) << c.what;
  }
}

TEST_F(MonitorListTest, EqualLeftEdgesKeepTheEnumerationOrder) {
  // Display numbers follow the enumeration order: DISPLAY1 first.
  fake::addMonitor({100, 0, 900, 600});     // 1
  fake::addMonitor({-50, 0, 100, 600});     // 2
  fake::addMonitor({100, 600, 900, 1200});  // 3
  fake::addMonitor({0, 0, 100, 600});       // 4
  fake::addMonitor({100, -600, 300, 0});    // 5
  fake::addMonitor({-50, 600, 100, 900});   // 6
  const MonitorList list;
  EXPECT_EQ(NumbersOf(list), (std::vector<std::uint32_t>{2, 6, 4, 1, 3, 5}));
}

TEST_F(MonitorListTest, ManyEqualLeftEdgesStillKeepTheEnumerationOrder) {
  // Enough entries that a sort which is not stable shows it: 48 monitors on
  // five left edges, enumerated in a scrambled order of edges.
  const std::int32_t edges[] = {400, -800, 0, 1200, -800, 400, 0, 1200};
  for (std::size_t i = 0; i < 48; ++i) {
    const std::int32_t left = edges[(i * 5) % 8];
    const auto top = static_cast<std::int32_t>(i) * 10;
    fake::addMonitor({left, top, left + 400, top + 300});
  }
  const MonitorList list;
  const auto& entries = list.entries();
  ASSERT_EQ(entries.size(), 48u);
  std::vector<std::int32_t> lefts;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    lefts.push_back(entries[i].rect.left);
    if (i > 0 && entries[i - 1].rect.left == entries[i].rect.left) {
      EXPECT_LT(entries[i - 1].displayNumber, entries[i].displayNumber) << "entry " << i;
    }
  }
  std::vector<std::int32_t> expectedLefts;
  for (const std::int32_t left : {-800, 0, 400, 1200})
    expectedLefts.insert(expectedLefts.end(), 12, left);
  EXPECT_EQ(lefts, expectedLefts);
  // The first on each edge is the one enumerated first.
  EXPECT_EQ(entries[0].displayNumber, 5u);
  EXPECT_EQ(entries[12].displayNumber, 3u);
  EXPECT_EQ(entries[24].displayNumber, 1u);
  EXPECT_EQ(entries[36].displayNumber, 4u);
}

TEST_F(MonitorListTest, EnumeratedDevicesAreSortedByTheirLeftEdgesStably) {
  const Rect rects[] = {
      {1920, 0, 3200, 1024}, {0, 0, 1920, 1080}, {0, 1080, 1920, 2160}, {-800, 0, 0, 600}};
  for (const Rect& rect : rects) fake::addMonitor(rect);
  const MonitorList list;
  EXPECT_EQ(NumbersOf(list), (std::vector<std::uint32_t>{4, 2, 3, 1}));
}

TEST_F(MonitorListTest, OnlyDevicesAttachedToTheDesktopCount) {
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, kAttached | kPrimary));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, 0));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY3", {-800, 0, 0, 600}, kPrimary));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY4", {3200, 0, 4000, 600}, kAttached | 0x8u));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY5", {5000, 0, 6000, 600}, 0x2u));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY6", {-5000, 0, -4000, 600}, kAttached));
  const MonitorList list;
  EXPECT_EQ(NumbersOf(list), (std::vector<std::uint32_t>{6, 1, 4}));
  // Every index was asked for, and one past the last.
  EXPECT_EQ(fake::calls().enumDisplayDevice, 7);
}

TEST_F(MonitorListTest, NoDeviceGivesAnEmptyListThatFindsNothing) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 600});
  const MonitorList list;
  EXPECT_TRUE(list.entries().empty());
  EXPECT_EQ(fake::calls().enumDisplayDevice, 1);
  const std::int32_t xs[] = {0,
                             1,
                             -1,
                             1920,
                             std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max()};
  for (const std::int32_t x : xs) EXPECT_EQ(AtX(list, x), std::nullopt) << x;
  EXPECT_EQ(MonitorOfWindow(list, window), std::nullopt);
}

TEST_F(MonitorListTest, OnlyUnattachedDevicesGiveAnEmptyList) {
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, kPrimary));
  fake::addDisplay(DisplayAt("\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, 0));
  const MonitorList list;
  EXPECT_TRUE(list.entries().empty());
  EXPECT_EQ(AtX(list, 0), std::nullopt);
}

TEST_F(MonitorListTest, UnreadableSettingsGiveAZeroRectangleThatStillSorts) {
  struct Case {
    const char* what;
    Rect readable;
    std::vector<Rect> expectedOrder;
    int atZero;  // index answered for x = 0
    int atOne;
  };
  const Case cases[] = {
      {"readable monitor right of zero",
       {1920, 0, 3200, 1024},
       {{0, 0, 0, 0}, {1920, 0, 3200, 1024}},
       0,
       -1},
      {"readable monitor ending at zero covers it first",
       {-1920, 0, 0, 1080},
       {{-1920, 0, 0, 1080}, {0, 0, 0, 0}},
       0,
       -1},
      {"readable monitor at zero was enumerated first",
       {0, 0, 1920, 1080},
       {{0, 0, 1920, 1080}, {0, 0, 0, 0}},
       0,
       0},
  };
  for (const Case& c : cases) {
    fake::reset();
    fake::addDisplay(DisplayAt("\\\\.\\DISPLAY1", c.readable));
    fake::Display unreadable = DisplayAt("\\\\.\\DISPLAY2", {500, 500, 1500, 1500});
    unreadable.settingsReadable = false;
    fake::addDisplay(unreadable);
    const MonitorList list;
    EXPECT_EQ(CoordsOf(RectsOf(list)), CoordsOf(c.expectedOrder)) << c.what;
    EXPECT_EQ(IndexOf(list, AtX(list, 0)), c.atZero) << c.what;
    EXPECT_EQ(IndexOf(list, AtX(list, 1)), c.atOne) << c.what;
  }
}

TEST_F(MonitorListTest, RectangleSumsWrapInsteadOfOverflowing) {
  fake::Display display;
  display.name = "\\\\.\\DISPLAY1";
  display.mode = platform::DisplayMode{2147483000, -2147483000, 1000, 4294967295u};
  fake::addDisplay(display);
  const MonitorList list;
  ASSERT_EQ(list.entries().size(), 1u);
  EXPECT_EQ(CoordsOf(list.entries()[0].rect),
            (Coords{2147483000, -2147483000, -2147483296, -2147483001}));
}

// --- displayNumber and primary ---------------------------------------------

TEST_F(MonitorListTest, DisplayNumberIsTheNumberAfterDisplay) {
  struct Case {
    const char* name;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"\\\\.\\DISPLAY1", 1},
      {"\\\\.\\DISPLAY12", 12},
      {"\\\\.\\DISPLAY007", 7},
      {"\\\\.\\DISPLAY 3", 3},
      {"\\\\.\\DISPLAY\t4", 4},
      {"\\\\.\\DISPLAY5x9", 5},
      {"\\\\.\\DISPLAY4294967295", 4294967295u},
      {"\\\\.\\DISPLAY99999999999", 4294967295u},
      {"VDISPLAY8\\DISPLAY6", 8},
      {"DISPLAYDISPLAY9", 0},
      {"\\\\.\\DISPLAY", 0},
      {"\\\\.\\DISPLAY-2", 0},
      {"\\\\.\\display3", 0},
      {"\\\\.\\MONITOR2", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    fake::reset();
    fake::addDisplay(DisplayAt(c.name, {0, 0, 800, 600}));
    const MonitorList list;
    ASSERT_EQ(list.entries().size(), 1u) << c.name;
    EXPECT_EQ(list.entries()[0].displayNumber, c.expected) << c.name;
  }
}

TEST_F(MonitorListTest, PrimaryFollowsBitTwoOnly) {
  struct Case {
    std::uint32_t flags;
    bool primary;
  };
  const Case cases[] = {
      {kAttached, false},
      {kAttached | kPrimary, true},
      {kAttached | 0x2u, false},
      {kAttached | 0x8u, false},
      {0xFFFFFFFBu, false},
      {0xFFFFFFFFu, true},
      {kAttached | 0x80000004u, true},
  };
  for (const Case& c : cases) {
    fake::reset();
    fake::addDisplay(DisplayAt("\\\\.\\DISPLAY1", {0, 0, 800, 600}, c.flags));
    const MonitorList list;
    ASSERT_EQ(list.entries().size(), 1u) << std::hex << c.flags;
    EXPECT_EQ(list.entries()[0].primary, c.primary) << std::hex << c.flags;
  }
}

// --- Lookups on the list -------------------------------------------------------

TEST_F(MonitorListTest, OverlappingSpansGoToTheLowerLeftEdgeWhateverTheOrderGiven) {
  // The lookup takes the first entry that holds x; the list's sort is what
  // puts the lower left edge first.
  fake::addMonitor({1000, 0, 3000, 1080});
  fake::addMonitor({0, 500, 2000, 1500});
  const MonitorList list;
  const MonitorIndex overlap = AtX(list, 1500);
  ASSERT_NE(overlap, std::nullopt);
  EXPECT_EQ(list.entries()[*overlap].displayNumber, 2u);
  EXPECT_EQ(IndexOf(list, AtX(list, 2001)), 1);
  EXPECT_EQ(AtX(list, 3001), std::nullopt);
}

TEST_F(MonitorListTest, LookupsByXAndByWindowAgree) {
  fake::addMonitor({0, 0, 1920, 1080}, true);
  fake::addMonitor({1920, 0, 3200, 1024});
  const platform::WindowHandle window = fake::createWindow({2100, 100, 2900, 500});
  const MonitorList list;
  const MonitorIndex byX = AtX(list, 2000);
  EXPECT_EQ(IndexOf(list, byX), 1);
  EXPECT_EQ(MonitorOfWindow(list, window), byX);
  EXPECT_EQ(IndexOf(list, AtX(list, 10)), 0);
  // A second list of the same layout answers the same.
  const MonitorList other;
  ASSERT_EQ(AtX(other, 2000), byX);
  EXPECT_EQ(CoordsOf(other.entries()[*byX].rect), CoordsOf(list.entries()[*byX].rect));
}

// --- MonitorOfWindow ------------------------------------------------------------

TEST_F(MonitorListTest, AnUnreadableWindowCountsAsCentredOnZero) {
  fake::addMonitor({-1920, 0, -1, 1080});
  fake::addMonitor({0, 0, 1920, 1080});
  const platform::WindowHandle window = fake::createWindow({-1700, 0, -1000, 500});
  fake::setWindowRectUnreadable(window, true);
  const MonitorList list;
  EXPECT_EQ(IndexOf(list, MonitorOfWindow(list, window)), 1);
  EXPECT_EQ(IndexOf(list, MonitorOfWindow(list, 9999)), 1);  // no such window either
}

// --- Invariants over many layouts -------------------------------------------------

TEST_F(MonitorListTest, LayoutsAcrossOffsetsKeepTheOrderingInvariant) {
  // Four monitors: two side by side, one stacked on the first with the same
  // left edge, one left of everything. Enumerated in every rotation, shifted
  // across the coordinate range.
  for (std::int32_t offset = -3000; offset <= 3000; offset += 125) {
    const Rect layout[] = {
        {offset, 0, offset + 1920, 1080},         // A
        {offset + 1920, 0, offset + 3200, 1024},  // B
        {offset, -1024, offset + 1280, 0},        // S, same left edge as A
        {offset - 1366, 200, offset, 968},        // L
    };
    for (std::size_t rotation = 0; rotation < 4; ++rotation) {
      fake::reset();
      for (std::size_t i = 0; i < 4; ++i) fake::addMonitor(layout[(i + rotation) % 4]);
      const MonitorList list;
      const auto& entries = list.entries();
      ASSERT_EQ(entries.size(), 4u);
      for (std::size_t i = 1; i < entries.size(); ++i) {
        ASSERT_LE(entries[i - 1].rect.left, entries[i].rect.left) << offset;
        if (entries[i - 1].rect.left == entries[i].rect.left) {
          EXPECT_LT(entries[i - 1].displayNumber, entries[i].displayNumber)
              << "offset " << offset << ", rotation " << rotation;
        }
      }
      // A and S share a left edge and stay in enumeration order, which is
      // what decides the lookup over their common span.
      const bool stackedFirst = rotation == 1 || rotation == 2;
      const std::string where =
          "offset " + std::to_string(offset) + ", rotation " + std::to_string(rotation);
      EXPECT_EQ(CoordsOf(entries[0].rect), CoordsOf(layout[3])) << where;
      EXPECT_EQ(CoordsOf(entries[1].rect), CoordsOf(layout[stackedFirst ? 2 : 0])) << where;
      EXPECT_EQ(CoordsOf(entries[2].rect), CoordsOf(layout[stackedFirst ? 0 : 2])) << where;
      EXPECT_EQ(CoordsOf(entries[3].rect), CoordsOf(layout[1])) << where;
    }
  }
}

}  // namespace

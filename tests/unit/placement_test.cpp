#include "monitors/placement.h"

#include "tests/fake/fake_desktop.h"
#include "tests/unit/geometry_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace {

using geometry_support::Coords;
using geometry_support::CoordsOf;
using platform::Rect;

// x, y, width, height of one MoveWindow.
using Move = std::array<std::int32_t, 4>;

// The worked example's monitors.
constexpr Rect kM1{0, 0, 1920, 1080};
constexpr Rect kM2{1920, 0, 3200, 1024};
// Its window on M1.
constexpr Rect kWindowOnM1{560, 340, 1360, 740};

// What lastCenteredRect holds before a placement, to see whether it was written.
constexpr Rect kUntouched{11, 22, 33, 44};

enum Flag : unsigned {
  kMoveRelative = 1u << 0,
  kResizeRelative = 1u << 1,
  kCenter = 1u << 2,
  kResizePercent = 1u << 3,
  kResizePercentV = 1u << 4,
};

// Every option off except the ones named; both percentages 80 unless given.
PluginOptions OptionsWith(unsigned flags, std::int32_t percent = 80, std::int32_t percentV = 80) {
  PluginOptions options;
  options.moveRelative = (flags & kMoveRelative) != 0;
  options.resizeRelative = (flags & kResizeRelative) != 0;
  options.center = (flags & kCenter) != 0;
  options.resizePercent = (flags & kResizePercent) != 0;
  options.resizePercentV = (flags & kResizePercentV) != 0;
  options.resizePercentValue = percent;
  options.resizePercentValueV = percentV;
  return options;
}

Rect Shifted(const Rect& r, std::int32_t dx, std::int32_t dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

const MonitorInfo* EntryWithRect(const MonitorList& list, const std::optional<Rect>& rect) {
  if (!rect) return nullptr;
  for (const MonitorInfo& monitor : list.entries()) {
    if (monitor.rect == *rect) return &monitor;
  }
  ADD_FAILURE() << "no monitor with that rectangle";
  return nullptr;
}

struct Outcome {
  std::vector<Move> moves;
  Coords lastCentered;
  Coords finalWindow;
};

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::reset(); }

  // One placement on the displays added to the fake desktop so far.
  Outcome Place(const PluginOptions& options, const Rect& window, std::optional<Rect> from,
                std::optional<Rect> to, std::int32_t widthPercent = 0,
                std::int32_t heightPercent = 0) {
    window_ = fake::createWindow(window);
    fake::clearMoveCalls();
    const MonitorList monitors;
    Rect lastCentered = kUntouched;
    const PlacementTarget target{window_, options, lastCentered};
    PlaceOnMonitor(EntryWithRect(monitors, to), EntryWithRect(monitors, from), target, widthPercent,
                   heightPercent, monitors);
    return Outcome{MovesOf(window_), CoordsOf(lastCentered), CoordsOf(fake::windowRect(window_))};
  }

  static std::vector<Move> MovesOf(platform::WindowHandle window) {
    std::vector<Move> moves;
    for (const fake::MoveCall& call : fake::moveCalls()) {
      EXPECT_EQ(call.window, window);
      EXPECT_TRUE(call.repaint);
      moves.push_back(Move{call.x, call.y, call.width, call.height});
    }
    return moves;
  }

  platform::WindowHandle window_ = 0;
};

// --- The worked example ------------------------------------------------------------

struct ExampleRow {
  const char* options;
  unsigned flags;
  std::int32_t widthPercent;
  std::int32_t heightPercent;
  Move placement;
  std::optional<Coords> lastCentered;  // rows with `center` only
};

const ExampleRow kExampleRows[] = {
    {"none", 0, 0, 0, {2480, 340, 800, 400}, {}},
    {"moveRelative", kMoveRelative, 0, 0, {2293, 322, 800, 400}, {}},
    {"resizeRelative", kResizeRelative, 0, 0, {2480, 340, 533, 379}, {}},
    {"moveRelative, resizeRelative",
     kMoveRelative | kResizeRelative,
     0,
     0,
     {2293, 322, 533, 379},
     {}},
    {"resizePercent", kResizePercent, 0, 0, {2480, 340, 1024, 400}, {}},
    {"resizePercentV", kResizePercentV, 0, 0, {2480, 340, 800, 819}, {}},
    {"resizePercent, resizePercentV, moveRelative",
     kResizePercent | kResizePercentV | kMoveRelative,
     0,
     0,
     {2293, 322, 1024, 819},
     {}},
    {"center", kCenter, 0, 0, {2160, 312, 800, 400}, Coords{2160, 312, 2960, 712}},
    {"center, resizeRelative",
     kCenter | kResizeRelative,
     0,
     0,
     {2293, 322, 533, 379},
     Coords{2293, 322, 2826, 701}},
    {"center, resizePercent, resizePercentV",
     kCenter | kResizePercent | kResizePercentV,
     0,
     0,
     {2048, 102, 1024, 819},
     Coords{2048, 102, 3072, 921}},
    {"moveRelative, resizeRelative; widthPercent 50",
     kMoveRelative | kResizeRelative,
     50,
     0,
     {2293, 322, 640, 379},
     {}},
    {"moveRelative, resizeRelative; heightPercent 30",
     kMoveRelative | kResizeRelative,
     0,
     30,
     {2293, 322, 533, 307},
     {}},
};

// The last two coordinates of a MoveWindow call as a rectangle's right and bottom.
Coords RectOfMove(const Move& move) {
  return {move[0], move[1], move[0] + move[2], move[1] + move[3]};
}

TEST_F(PlacementTest, WorkedExampleFromTheLeftMonitorToTheRight) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  for (const ExampleRow& row : kExampleRows) {
    const Outcome outcome =
        Place(OptionsWith(row.flags), kWindowOnM1, kM1, kM2, row.widthPercent, row.heightPercent);
    ASSERT_FALSE(outcome.moves.empty()) << row.options;
    EXPECT_EQ(outcome.moves[0], row.placement) << row.options;
    if (row.lastCentered) {
      // The final centring finds the window already centred on M2 and
      // leaves it there.
      EXPECT_EQ(outcome.moves.size(), 1u) << row.options;
      EXPECT_EQ(outcome.finalWindow, *row.lastCentered) << row.options;
      EXPECT_EQ(outcome.lastCentered, *row.lastCentered) << row.options;
    } else {
      EXPECT_EQ(outcome.moves.size(), 1u) << row.options;
      EXPECT_EQ(outcome.lastCentered, CoordsOf(kUntouched)) << row.options;
    }
    EXPECT_EQ(outcome.finalWindow, RectOfMove(outcome.moves.back())) << row.options;
  }
}

TEST_F(PlacementTest, WorkedExampleShiftedGivesShiftedResults) {
  // The arithmetic depends on offsets and sizes only, so moving the whole
  // desktop, negative coordinates included, moves every result with it.
  struct Shift {
    std::int32_t dx, dy;
  };
  const Shift shifts[] = {{-1920, 0}, {-3200, -1024}, {-5000, -700}, {7, -3}, {-1, 1}};
  for (const Shift& shift : shifts) {
    fake::reset();
    const Rect m1 = Shifted(kM1, shift.dx, shift.dy);
    const Rect m2 = Shifted(kM2, shift.dx, shift.dy);
    fake::addMonitor(m1, true);
    fake::addMonitor(m2);
    for (const ExampleRow& row : kExampleRows) {
      const Outcome outcome =
          Place(OptionsWith(row.flags), Shifted(kWindowOnM1, shift.dx, shift.dy), m1, m2,
                row.widthPercent, row.heightPercent);
      ASSERT_FALSE(outcome.moves.empty()) << row.options;
      const Move expected{row.placement[0] + shift.dx, row.placement[1] + shift.dy,
                          row.placement[2], row.placement[3]};
      EXPECT_EQ(outcome.moves[0], expected)
          << row.options << " shifted " << shift.dx << "," << shift.dy;
      if (row.lastCentered) {
        const Coords& c = *row.lastCentered;
        EXPECT_EQ(outcome.lastCentered,
                  (Coords{c[0] + shift.dx, c[1] + shift.dy, c[2] + shift.dx, c[3] + shift.dy}))
            << row.options << " shifted " << shift.dx << "," << shift.dy;
      }
    }
  }
}

TEST_F(PlacementTest, WorkedExampleFromTheRightMonitorToTheLeft) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* options;
    unsigned flags;
    Move placement;
  };
  const Case cases[] = {
      {"none", 0, {180, 100, 800, 400}},
      {"moveRelative", kMoveRelative, {270, 105, 800, 400}},
      {"resizeRelative", kResizeRelative, {180, 100, 1200, 421}},
      {"moveRelative, resizeRelative", kMoveRelative | kResizeRelative, {270, 105, 1200, 421}},
      {"center", kCenter, {560, 340, 800, 400}},
      {"resizePercent, resizePercentV", kResizePercent | kResizePercentV, {180, 100, 1536, 864}},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Place(OptionsWith(c.flags), {2100, 100, 2900, 500}, kM2, kM1);
    ASSERT_FALSE(outcome.moves.empty()) << c.options;
    EXPECT_EQ(outcome.moves[0], c.placement) << c.options;
  }
}

// --- Number rules -------------------------------------------------------------------

TEST_F(PlacementTest, ProductsAndQuotientsTruncateTowardZero) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* what;
    PluginOptions options;
    Rect window;
    Move placement;
  };
  const Case cases[] = {
      {"negative horizontal offset: -6.67 gives -6",
       OptionsWith(kMoveRelative),
       {-10, 340, 790, 740},
       {1914, 322, 800, 400}},
      {"negative vertical offset: -9.48 gives -9",
       OptionsWith(kMoveRelative),
       {560, -10, 1360, 390},
       {2293, -9, 800, 400}},
      {"negative percentage: -422.4 and -337.92",
       OptionsWith(kResizePercent | kResizePercentV, -33, -33),
       kWindowOnM1,
       {2480, 340, -422, -337}},
      {"centring an odd overhang: -217 / 2 is -108",
       OptionsWith(kCenter | kResizePercent | kResizePercentV, 117, 100),
       kWindowOnM1,
       {1812, 0, 1497, 1024}},
      {"negative size from a reversed window",
       OptionsWith(kResizeRelative),
       {1360, 740, 560, 340},
       {3280, 740, -533, -379}},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Place(c.options, c.window, kM1, kM2);
    ASSERT_FALSE(outcome.moves.empty()) << c.what;
    EXPECT_EQ(outcome.moves[0], c.placement) << c.what;
  }
}

TEST_F(PlacementTest, ArithmeticWrapsLikeThirtyTwoBitHardware) {
  // The product 1280 x 2147483647 wraps to -1280 before the division.
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  {
    const Outcome outcome =
        Place(OptionsWith(kResizePercent, std::numeric_limits<std::int32_t>::max()), kWindowOnM1,
              kM1, kM2);
    ASSERT_EQ(outcome.moves.size(), 1u);
    EXPECT_EQ(outcome.moves[0], (Move{2480, 340, -12, 400}));
  }
  // A target near the top of the coordinate range: 2147483000 + 1000 wraps.
  fake::reset();
  const Rect farRight{2147483000, 0, 2147483600, 1080};
  fake::addMonitor(kM1, true);
  fake::addMonitor(farRight);
  {
    const Outcome outcome = Place(OptionsWith(0), {1000, 0, 1800, 400}, kM1, farRight);
    ASSERT_EQ(outcome.moves.size(), 1u);
    EXPECT_EQ(outcome.moves[0], (Move{-2147483296, 0, 800, 400}));
  }
}

// --- Percentages and overrides ---------------------------------------------------------

TEST_F(PlacementTest, PercentagesAreUsedAsStored) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* what;
    PluginOptions options;
    Move placement;
    std::optional<Coords> lastCentered;
  };
  const Case cases[] = {
      {"150 % wide, 100 % high, centred: overlaps M2 on both sides",
       OptionsWith(kCenter | kResizePercent | kResizePercentV, 150, 100),
       {1600, 0, 1920, 1024},
       Coords{1600, 0, 3520, 1024}},
      {"0 % wide", OptionsWith(kResizePercent, 0), {2480, 340, 0, 400}, {}},
      {"0 % high", OptionsWith(kResizePercentV, 80, 0), {2480, 340, 800, 0}, {}},
      {"100 % both, relative move",
       OptionsWith(kResizePercent | kResizePercentV | kMoveRelative, 100, 100),
       {2293, 322, 1280, 1024},
       {}},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Place(c.options, kWindowOnM1, kM1, kM2);
    ASSERT_FALSE(outcome.moves.empty()) << c.what;
    EXPECT_EQ(outcome.moves[0], c.placement) << c.what;
    if (c.lastCentered) {
      EXPECT_EQ(outcome.lastCentered, *c.lastCentered) << c.what;
    }
  }
}

TEST_F(PlacementTest, HotkeyPercentagesOverrideTheirAxisOnly) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* what;
    PluginOptions options;
    std::int32_t widthPercent, heightPercent;
    Move placement;
  };
  const Case cases[] = {
      {"width override, every flag off", OptionsWith(0), 50, 0, {2480, 340, 640, 400}},
      {"width override, height relative",
       OptionsWith(kResizeRelative),
       50,
       0,
       {2480, 340, 640, 379}},
      {"width override, height by its percentage",
       OptionsWith(kResizePercentV, 80, 30),
       50,
       0,
       {2480, 340, 640, 307}},
      {"width override beats the stored width percentage",
       OptionsWith(kResizePercent, 80),
       50,
       0,
       {2480, 340, 640, 400}},
      {"height override, every flag off", OptionsWith(0), 0, 30, {2480, 340, 800, 307}},
      {"height override, width relative",
       OptionsWith(kResizeRelative),
       0,
       30,
       {2480, 340, 533, 307}},
      {"height override beats the stored height percentage",
       OptionsWith(kResizePercentV, 80, 80),
       0,
       30,
       {2480, 340, 800, 307}},
      {"height override with a centred position",
       OptionsWith(kCenter),
       0,
       100,
       {2160, 0, 800, 1024}},
      {"negative override counts as given", OptionsWith(0), -10, 0, {2480, 340, -128, 400}},
  };
  for (const Case& c : cases) {
    const Outcome outcome =
        Place(c.options, kWindowOnM1, kM1, kM2, c.widthPercent, c.heightPercent);
    ASSERT_FALSE(outcome.moves.empty()) << c.what;
    EXPECT_EQ(outcome.moves[0], c.placement) << c.what;
  }
}

// --- Source and target ---------------------------------------------------------------------

TEST_F(PlacementTest, SourceEqualToTargetKeepsTheRectangleAndStillMoves) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* what;
    unsigned flags;
    Rect window;
    Rect monitor;
  };
  const Case cases[] = {
      {"no option, M1", 0, kWindowOnM1, kM1},
      {"both relative, M1", kMoveRelative | kResizeRelative, kWindowOnM1, kM1},
      {"both relative, odd sizes on M2",
       kMoveRelative | kResizeRelative,
       {2001, 17, 2334, 350},
       kM2},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Place(OptionsWith(c.flags), c.window, c.monitor, c.monitor);
    ASSERT_EQ(outcome.moves.size(), 1u) << c.what;
    EXPECT_EQ(RectOfMove(outcome.moves[0]), CoordsOf(c.window)) << c.what;
  }
}

TEST_F(PlacementTest, AMissingMonitorSkipsTheMove) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    const char* what;
    std::optional<Rect> from, to;
  };
  const Case cases[] = {
      {"no target", kM1, std::nullopt},
      {"no source", std::nullopt, kM2},
      {"neither", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const Outcome outcome =
        Place(OptionsWith(kMoveRelative | kResizeRelative), {100, 100, 900, 500}, c.from, c.to);
    EXPECT_TRUE(outcome.moves.empty()) << c.what;
    EXPECT_EQ(outcome.lastCentered, CoordsOf(kUntouched)) << c.what;
    EXPECT_EQ(outcome.finalWindow, (Coords{100, 100, 900, 500})) << c.what;
  }
  for (const Case& c : cases) {
    // With `center` only the centring on the window's own monitor happens.
    const Outcome outcome = Place(OptionsWith(kCenter), {100, 100, 900, 500}, c.from, c.to);
    EXPECT_EQ(outcome.moves, (std::vector<Move>{{560, 340, 800, 400}})) << c.what;
    EXPECT_EQ(outcome.lastCentered, (Coords{560, 340, 1360, 740})) << c.what;
  }
}

TEST_F(PlacementTest, ASourceWithoutExtentKeepsThatAxisUnscaled) {
  // Such a source comes from a display whose settings could not be read, or
  // one reporting no pixels on one axis.
  struct Case {
    const char* what;
    fake::Display source;
    Rect window;
    Move placement;
  };
  fake::Display unreadable;
  unreadable.name = "\\\\.\\DISPLAY1";
  unreadable.mode = platform::DisplayMode{0, 0, 1920, 1080};
  unreadable.settingsReadable = false;
  fake::Display noWidth;
  noWidth.name = "\\\\.\\DISPLAY1";
  noWidth.mode = platform::DisplayMode{0, 0, 0, 1080};
  fake::Display noHeight;
  noHeight.name = "\\\\.\\DISPLAY1";
  noHeight.mode = platform::DisplayMode{0, 0, 1920, 0};
  const Case cases[] = {
      {"unreadable settings", unreadable, {100, 50, 900, 450}, {2020, 50, 800, 400}},
      {"no width", noWidth, kWindowOnM1, {2480, 322, 800, 379}},
      {"no height", noHeight, kWindowOnM1, {2293, 340, 533, 400}},
  };
  for (const Case& c : cases) {
    fake::reset();
    fake::addDisplay(c.source);
    fake::addMonitor(kM2);
    const MonitorList monitors;
    ASSERT_EQ(monitors.entries().size(), 2u);
    const platform::WindowHandle window = fake::createWindow(c.window);
    const PluginOptions options = OptionsWith(kMoveRelative | kResizeRelative);
    Rect lastCentered;
    PlaceOnMonitor(&monitors.entries()[1], &monitors.entries()[0],
                   PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
    ASSERT_EQ(fake::moveCalls().size(), 1u) << c.what;
    const fake::MoveCall& call = fake::moveCalls()[0];
    EXPECT_EQ((Move{call.x, call.y, call.width, call.height}), c.placement) << c.what;
  }
}

TEST_F(PlacementTest, ATargetWithoutExtentShrinksTheWindowToNothing) {
  fake::Display empty;
  empty.name = "\\\\.\\DISPLAY2";
  empty.settingsReadable = false;
  fake::addMonitor(kM1, true);
  fake::addDisplay(empty);
  const MonitorList monitors;
  // Both sort at left 0; M1 was enumerated first.
  ASSERT_EQ(CoordsOf(monitors.entries()[1].rect), (Coords{0, 0, 0, 0}));
  const platform::WindowHandle window = fake::createWindow({-10, 340, 790, 740});
  const PluginOptions options = OptionsWith(kMoveRelative | kResizeRelative);
  Rect lastCentered;
  PlaceOnMonitor(&monitors.entries()[1], &monitors.entries()[0],
                 PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
  ASSERT_EQ(fake::moveCalls().size(), 1u);
  EXPECT_EQ(CoordsOf(fake::windowRect(window)), (Coords{0, 0, 0, 0}));
}

TEST_F(PlacementTest, AnUnreadableWindowIsPlacedFromTheZeroRectangle) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  struct Case {
    unsigned flags;
    Move placement;
  };
  const Case cases[] = {
      {0, {-1920, 0, 0, 0}},
      {kMoveRelative | kResizeRelative, {-2880, 0, 0, 0}},
      {kResizePercent | kResizePercentV, {-1920, 0, 1536, 864}},
  };
  for (const Case& c : cases) {
    const platform::WindowHandle window = fake::createWindow({2100, 100, 2900, 500});
    fake::setWindowRectUnreadable(window, true);
    fake::clearMoveCalls();
    const MonitorList monitors;
    const PluginOptions options = OptionsWith(c.flags);
    Rect lastCentered;
    PlaceOnMonitor(EntryWithRect(monitors, kM1), EntryWithRect(monitors, kM2),
                   PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
    EXPECT_EQ(MovesOf(window), (std::vector<Move>{c.placement})) << c.flags;
  }
}

// --- Centring ------------------------------------------------------------------------------

TEST_F(PlacementTest, CentringKeepsTheSizeTheWindowReallyHas) {
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  const platform::WindowHandle window = fake::createWindow(kWindowOnM1);
  fake::setMinimumSize(window, 900, 500);
  const MonitorList monitors;
  const PluginOptions options = OptionsWith(kCenter | kResizeRelative);
  Rect lastCentered = kUntouched;
  PlaceOnMonitor(EntryWithRect(monitors, kM2), EntryWithRect(monitors, kM1),
                 PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
  // Asked for 533 x 379, the window took 900 x 500 and is centred with it.
  EXPECT_EQ(MovesOf(window), (std::vector<Move>{{2293, 322, 533, 379}, {2110, 262, 900, 500}}));
  EXPECT_EQ(CoordsOf(lastCentered), (Coords{2110, 262, 3010, 762}));
}

TEST_F(PlacementTest, CenterOnCurrentMonitorCases) {
  struct Case {
    const char* what;
    std::vector<Rect> monitors;
    Rect window;
    std::vector<Move> moves;
    Coords answer;
  };
  const Case cases[] = {
      {"larger than its monitor: (1280 - 1501) / 2 is -110",
       {kM1, kM2},
       {1800, -50, 3301, 1150},
       {{1810, -88, 1501, 1200}},
       {1810, -88, 3311, 1112}},
      {"already centred: moved to the same place",
       {kM1, kM2},
       {2160, 312, 2960, 712},
       {{2160, 312, 800, 400}},
       {2160, 312, 2960, 712}},
      {"straddling, centre on M1",
       {kM1, kM2},
       {1500, 900, 2300, 1300},
       {{560, 340, 800, 400}},
       {560, 340, 1360, 740}},
      {"centre on the shared edge goes left",
       {kM1, kM2},
       {1520, 0, 2320, 400},
       {{560, 340, 800, 400}},
       {560, 340, 1360, 740}},
      {"negative monitor",
       {{-1280, -200, 0, 824}, kM1},
       {-1100, 0, -100, 101},
       {{-1140, 261, 1000, 101}},
       {-1140, 261, -140, 362}},
      {"no monitor holds the centre: left alone",
       {kM1, kM2},
       {5000, 0, 5800, 400},
       {},
       {5000, 0, 5800, 400}},
      {"no monitor at all: left alone", {}, {100, 100, 900, 500}, {}, {100, 100, 900, 500}},
  };
  for (const Case& c : cases) {
    fake::reset();
    for (const Rect& rect : c.monitors) fake::addMonitor(rect);
    const platform::WindowHandle window = fake::createWindow(c.window);
    const Rect answer = CenterOnCurrentMonitor(window);
    EXPECT_EQ(CoordsOf(answer), c.answer) << c.what;
    EXPECT_EQ(MovesOf(window), c.moves) << c.what;
    EXPECT_EQ(CoordsOf(fake::windowRect(window)), c.answer) << c.what;
  }
}

TEST_F(PlacementTest, CentringWithoutAListEnumeratesTheDisplaysNow) {
  fake::addMonitor(kM1, true);
  const platform::WindowHandle window = fake::createWindow({2100, 100, 2900, 500});
  const MonitorList before;
  // A monitor attached after `before` was built counts for a fresh centring.
  fake::addMonitor(kM2);
  EXPECT_EQ(CoordsOf(CenterOnCurrentMonitor(window, before)), (Coords{2100, 100, 2900, 500}));
  EXPECT_TRUE(fake::moveCalls().empty());
  EXPECT_EQ(CoordsOf(CenterOnCurrentMonitor(window)), (Coords{2160, 312, 2960, 712}));
}

TEST_F(PlacementTest, CentringWithNoMonitorLeavesTheWindowAndStoresItsRectangle) {
  const PluginOptions options = OptionsWith(kCenter | kMoveRelative);
  {
    // No display at all.
    const Outcome outcome = Place(options, {100, 100, 900, 500}, std::nullopt, std::nullopt);
    EXPECT_TRUE(outcome.moves.empty());
    EXPECT_EQ(outcome.lastCentered, (Coords{100, 100, 900, 500}));
  }
  {
    // The window is beside every monitor.
    fake::addMonitor(kM1, true);
    const Outcome outcome = Place(options, {-2000, 10, -1200, 410}, std::nullopt, kM1);
    EXPECT_TRUE(outcome.moves.empty());
    EXPECT_EQ(outcome.lastCentered, (Coords{-2000, 10, -1200, 410}));
  }
}

// --- Re-entry through the message hook --------------------------------------------------------

// The nested handler: what the message hook of the controller would do from
// inside a MoveWindow.
struct Nested {
  PluginOptions* options = nullptr;
  Rect* lastCentered = nullptr;
  int deliveries = 0;
  void (*onDelivery)(Nested&) = nullptr;
};
Nested* gNested = nullptr;

platform::LongResult VMM_STDCALL NestedHook(int code, platform::WordParam wParam,
                                            platform::LongParam lParam) {
  if (gNested != nullptr &&
      platform::sentMessageOf(lParam).message == platform::kMessageWindowPosChanging) {
    ++gNested->deliveries;
    gNested->onDelivery(*gNested);
  }
  return platform::callNextHook(code, wParam, lParam);
}

class ReentryTest : public PlacementTest {
 protected:
  void SetUp() override {
    PlacementTest::SetUp();
    fake::addMonitor(kM1, true);
    fake::addMonitor(kM2);
    ASSERT_NE(platform::installHook(platform::kHookCallWndProc, NestedHook, fake::kGuiThread), 0u);
  }
  void TearDown() override { gNested = nullptr; }
};

TEST_F(ReentryTest, InputsAreReadBeforeTheMove) {
  PluginOptions options = OptionsWith(kCenter | kResizeRelative);
  Rect lastCentered = kUntouched;
  Nested nested{&options, &lastCentered, 0, [](Nested& n) {
                  // A nested handler switching options and forgetting the
                  // centred rectangle changes nothing of this placement.
                  n.options->center = false;
                  n.options->resizeRelative = false;
                  n.options->resizePercent = true;
                  n.options->resizePercentValue = 10;
                  *n.lastCentered = Rect{7, 7, 7, 7};
                }};
  gNested = &nested;
  const platform::WindowHandle window = fake::createWindow(kWindowOnM1);
  const MonitorList monitors;
  PlaceOnMonitor(EntryWithRect(monitors, kM2), EntryWithRect(monitors, kM1),
                 PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
  EXPECT_EQ(nested.deliveries, 1) << "the final centring finds the window in place";
  EXPECT_EQ(MovesOf(window), (std::vector<Move>{{2293, 322, 533, 379}}));
  EXPECT_EQ(CoordsOf(lastCentered), (Coords{2293, 322, 2826, 701}));
}

TEST_F(ReentryTest, TheRectangleStoredLastIsTheFinalCentring) {
  PluginOptions options = OptionsWith(kCenter);
  Rect lastCentered = kUntouched;
  // As the centre-always check does when it re-centres: clear the rectangle.
  Nested nested{&options, &lastCentered, 0, [](Nested& n) { *n.lastCentered = Rect{}; }};
  gNested = &nested;
  // Wider than the placement asks, so the final centring has to move it.
  const platform::WindowHandle window = fake::createWindow(kWindowOnM1);
  fake::setMinimumSize(window, 900, 0);
  const MonitorList monitors;
  PlaceOnMonitor(EntryWithRect(monitors, kM2), EntryWithRect(monitors, kM1),
                 PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
  EXPECT_EQ(nested.deliveries, 2);
  EXPECT_EQ(CoordsOf(lastCentered), (Coords{2110, 312, 3010, 712}));
}

TEST_F(ReentryTest, ANestedCentringDuringThePlacementIsOverriddenByIt) {
  // The hook centres the window from inside the placement's own move, while
  // the window still stands on M1; the placement's move and final centring
  // then take it to M2.
  PluginOptions options = OptionsWith(kCenter | kMoveRelative | kResizeRelative);
  Rect lastCentered = kUntouched;
  static platform::WindowHandle window = 0;
  Nested nested{&options, &lastCentered, 0, [](Nested& n) {
                  if (n.deliveries != 1) return;
                  CenterOnCurrentMonitor(window);
                }};
  gNested = &nested;
  window = fake::createWindow({100, 100, 900, 500});
  const MonitorList monitors;
  PlaceOnMonitor(EntryWithRect(monitors, kM2), EntryWithRect(monitors, kM1),
                 PlacementTarget{window, options, lastCentered}, 0, 0, monitors);
  EXPECT_EQ(MovesOf(window), (std::vector<Move>{{2293, 322, 533, 379}, {560, 340, 800, 400}}));
  EXPECT_EQ(CoordsOf(lastCentered), (Coords{2293, 322, 2826, 701}));
  EXPECT_EQ(CoordsOf(fake::windowRect(window)), (Coords{2293, 322, 2826, 701}));
}

}  // namespace

// The placement operations over the fake desktop: that they read the window,
// move it and store the centred rectangle, what happens when a monitor or the
// window's rectangle is missing, and what a message hook re-entering a move
// can and cannot change. The rectangles themselves are tabled against the
// geometry core in geometry_test.cpp.
#include "monitors/placement.h"

#include "tests/fake/fake_desktop.h"
#include "tests/unit/geometry_support.h"
#include "tests/unit/reference_desktop.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

using geometry_support::Coords;
using geometry_support::CoordsOf;
using platform::Rect;

// x, y, width, height of one MoveWindow.
using Move = std::array<std::int32_t, 4>;

using namespace reference_desktop;
constexpr Rect kWindowOnM1 = kHostStart;

// What lastCenteredRect holds before a placement, to see whether it was written.
constexpr Rect kUntouched{11, 22, 33, 44};

MonitorIndex EntryWithRect(const MonitorList& list, const std::optional<Rect>& rect) {
  if (!rect) return std::nullopt;
  for (std::size_t i = 0; i < list.entries().size(); ++i) {
    if (list.entries()[i].rect == *rect) return i;
  }
  ADD_FAILURE() << "no monitor with that rectangle";
  return std::nullopt;
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
    const PlacedWindow target{window_, options, lastCentered};
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

// --- The reference desktop ------------------------------------------------------------

struct ExampleRow {
  const char* options;
  unsigned flags;
  std::int32_t widthPercent;
  std::int32_t heightPercent;
  Move placement;
  std::optional<Coords> lastCentered;  // rows with `center` only
};

// One row without `center`, one with a hotkey's percentage, one with
// `center`: enough to see the shell pass everything to the core and act on
// the answer.
const ExampleRow kExampleRows[] = {
    {"none", 0, 0, 0, {2480, 340, 800, 400}, {}},
    {"moveRelative, resizeRelative; widthPercent 50",
     kMoveRelative | kResizeRelative,
     50,
     0,
     {2293, 322, 640, 379},
     {}},
    {"center, resizePercent, resizePercentV",
     kCenter | kResizePercent | kResizePercentV,
     0,
     0,
     {2048, 102, 1024, 819},
     Coords{2048, 102, 3072, 921}},
};

// The last two coordinates of a MoveWindow call as a rectangle's right and bottom.
Coords RectOfMove(const Move& move) {
  return {move[0], move[1], move[0] + move[2], move[1] + move[3]};
}

TEST_F(PlacementTest, ReferenceDesktopFromTheLeftMonitorToTheRight) {
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

// --- Source and target ---------------------------------------------------------------------

TEST_F(PlacementTest, SourceEqualToTargetStillMoves) {
  // The window is moved to where it is: the move's messages drive the
  // centre-always check, so a placement does not skip it.
  fake::addMonitor(kM1, true);
  fake::addMonitor(kM2);
  const Rect window{2001, 17, 2334, 350};
  const Outcome outcome = Place(OptionsWith(kMoveRelative | kResizeRelative), window, kM2, kM2);
  EXPECT_EQ(outcome.moves, (std::vector<Move>{{2001, 17, 333, 333}}));
  EXPECT_EQ(outcome.finalWindow, CoordsOf(window));
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
                   PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
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
                 PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
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
      {"straddling, centre on M1",
       {kM1, kM2},
       {1500, 900, 2300, 1300},
       {{560, 340, 800, 400}},
       {560, 340, 1360, 740}},
      {"already centred: moved to the same place",
       {kM1, kM2},
       {2160, 312, 2960, 712},
       {{2160, 312, 800, 400}},
       {2160, 312, 2960, 712}},
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

TEST_F(PlacementTest, CentringEnumeratesTheDisplaysNow) {
  fake::addMonitor(kM1, true);
  const platform::WindowHandle window = fake::createWindow({2100, 100, 2900, 500});
  EXPECT_EQ(CoordsOf(CenterOnCurrentMonitor(window)), (Coords{2100, 100, 2900, 500}));
  EXPECT_TRUE(fake::moveCalls().empty());
  // A monitor attached since counts for the next centring.
  fake::addMonitor(kM2);
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
    ASSERT_NE(platform::installHook(platform::kHookCallWndProc, NestedHook, 0, fake::kGuiThread),
              0u);
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
                 PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
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
                 PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
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
                 PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
  EXPECT_EQ(MovesOf(window), (std::vector<Move>{{2293, 322, 533, 379}, {560, 340, 800, 400}}));
  EXPECT_EQ(CoordsOf(lastCentered), (Coords{2293, 322, 2826, 701}));
  EXPECT_EQ(CoordsOf(fake::windowRect(window)), (Coords{2293, 322, 2826, 701}));
}

}  // namespace

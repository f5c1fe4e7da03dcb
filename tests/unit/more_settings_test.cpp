// The settings edited in the file only: the work area, both axes, keeping the
// window on screen, and a chosen monitor. First the geometry core's rules as
// tables, then what the shown window and the hotkeys do with them.
#include "monitors/geometry.h"
#include "monitors/monitor_list.h"
#include "monitors/placement.h"
#include "tracking_fixture.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using platform::Point;
using platform::Rect;

constexpr Rect At(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return Rect{x, y, x + width, y + height};
}

std::vector<MonitorInfo> ListOf(const std::vector<Rect>& rects) {
  std::vector<MonitorInfo> list;
  for (const Rect& rect : rects) list.push_back(MonitorInfo{0, false, rect, {}});
  return list;
}

int IndexOf(std::optional<std::size_t> index) { return index ? static_cast<int>(*index) : -1; }

TEST(KeptInsideTest, MovesTheLeastDistanceOrTakesTheAreasExtent) {
  const Rect area{0, 0, 1920, 1040};
  struct Row {
    const char* name;
    Rect window, kept;
  };
  const Row rows[] = {
      {"inside", At(100, 100, 800, 400), At(100, 100, 800, 400)},
      {"exactly the area", area, area},
      {"off the left", At(-50, 100, 800, 400), At(0, 100, 800, 400)},
      {"off the right", At(1500, 100, 800, 400), At(1120, 100, 800, 400)},
      {"off the top", At(100, -300, 800, 400), At(100, 0, 800, 400)},
      {"off the bottom (under the taskbar)", At(100, 700, 800, 400), At(100, 640, 800, 400)},
      {"off a corner", At(-10, 1000, 800, 400), At(0, 640, 800, 400)},
      {"wider than the area", At(300, 100, 2500, 400), At(0, 100, 1920, 400)},
      {"taller than the area", At(300, -5, 800, 1200), At(300, 0, 800, 1040)},
      {"larger on both axes", At(-100, -100, 4000, 3000), area},
      {"far beyond every edge", At(70000, -90000, 800, 400), At(1120, 0, 800, 400)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(KeptInside(row.window, area), row.kept) << row.name;
    EXPECT_TRUE(LiesInside(row.kept, area)) << row.name;
    EXPECT_EQ(LiesInside(row.window, area), row.window == row.kept) << row.name;
  }
}

TEST(BothAxesTest, PointsFindTheirMonitorByBothCoordinates) {
  // Stacked; portrait beside landscape; an L of three.
  const std::vector<Rect> stacked = {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}};
  const std::vector<Rect> portrait = {{0, 0, 1080, 1920}, {1080, 0, 3000, 1080}};
  const std::vector<Rect> shapeL = {
      {0, 0, 1920, 1080}, {0, 1080, 1920, 2160}, {1920, 0, 3840, 1080}};
  struct Row {
    const char* name;
    const std::vector<Rect>* monitors;
    Point point;
    int xOnly, bothAxes;
  };
  const Row rows[] = {
      {"stacked, top", &stacked, {960, 500}, 0, 0},
      {"stacked, bottom", &stacked, {960, 1500}, 0, 1},
      {"stacked, shared edge goes up", &stacked, {960, 1080}, 0, 0},
      {"stacked, below both", &stacked, {960, 2161}, 0, -1},
      {"portrait, low on the portrait", &portrait, {500, 1800}, 0, 0},
      {"portrait, below the landscape", &portrait, {2000, 1500}, 1, -1},
      {"L, bottom left", &shapeL, {100, 2000}, 0, 1},
      {"L, right", &shapeL, {3000, 100}, 2, 2},
      {"L, the empty corner", &shapeL, {3000, 2000}, 2, -1},
  };
  for (const Row& row : rows) {
    std::vector<MonitorInfo> list = ListOf(*row.monitors);
    SortMonitors(list, MonitorRules{false, true, false});
    EXPECT_EQ(IndexOf(MonitorIndexAt(list, row.point, {})), row.xOnly) << row.name;
    EXPECT_EQ(IndexOf(MonitorIndexAt(list, row.point, MonitorRules{false, true, false})),
              row.bothAxes)
        << row.name;
  }
  // A window's vertical centre counts too: half the height, then the top.
  const std::vector<MonitorInfo> list = ListOf(stacked);
  EXPECT_EQ(IndexOf(MonitorIndexOfRect(list, {0, 1000, 800, 1161}, {false, true, false})), 0);
  EXPECT_EQ(IndexOf(MonitorIndexOfRect(list, {0, 1000, 800, 1163}, {false, true, false})), 1);
}

TEST(BothAxesTest, StackedMonitorsAreOrderedTopToBottomWithinAColumn) {
  // Enumerated bottom first, with a monitor to the right.
  std::vector<MonitorInfo> list =
      ListOf({{0, 1080, 1920, 2160}, {1920, 0, 3840, 1080}, {0, 0, 1920, 1080}});
  std::vector<MonitorInfo> classic = list;
  SortMonitors(classic, {});
  SortMonitors(list, MonitorRules{false, true, false});
  EXPECT_EQ(list[0].rect.top, 0);
  EXPECT_EQ(list[1].rect.top, 1080);
  EXPECT_EQ(list[2].rect.left, 1920);
  EXPECT_EQ(classic[0].rect.top, 1080) << "by left edge only, enumeration order decides";
}

TEST(WorkAreaTest, SizesAndPlacesByTheWorkArea) {
  MonitorInfo m1{1, true, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}};  // bottom taskbar
  MonitorInfo m2{2, false, {1920, 0, 3200, 1024}, {1920, 0, 3200, 984}};
  MonitorInfo left{1, true, {0, 0, 1920, 1080}, {60, 0, 1920, 1080}};  // left taskbar
  const MonitorRules work{true, false, false};
  EXPECT_EQ(AreaOf(m1, {}), m1.rect);
  EXPECT_EQ(AreaOf(m1, work), m1.workRect);
  EXPECT_EQ(AreaOf(MonitorInfo{1, true, m1.rect, {}}, work), m1.rect) << "no work area read";

  const Rect window{560, 340, 1360, 740};
  PluginOptions options;  // move and resize relative
  struct Row {
    const char* name;
    const MonitorInfo* source;
    const MonitorInfo* target;
    bool center;
    std::int32_t heightPercent;
    Rect placed;
  };
  const Row rows[] = {
      // 984 / 1040 of 400 is 378.46; of 340, 321.69.
      {"bottom taskbars, relative", &m1, &m2, false, 0, At(2293, 322, 533, 378)},
      {"bottom taskbars, centred", &m1, &m2, true, 0, At(2293, 303, 533, 378)},
      {"bottom taskbars, full height", &m1, &m2, false, 100, At(2293, 322, 533, 984)},
      // 1280 / 1860 of 800 is 550.54, of 500 (from the work area's edge)
      // 344.09; 984 / 1080 of 400 is 364.44, of 340 309.78.
      {"left taskbar, relative", &left, &m2, false, 0, At(2264, 310, 551, 364)},
      // 1860 / 1280 of 800 is 1162.5; 1080 / 984 of 400 is 439.02.
      {"left taskbar, centred back", &m2, &left, true, 0, At(408, 320, 1163, 439)},
  };
  for (const Row& row : rows) {
    options.center = row.center;
    EXPECT_EQ(
        PlacedRect(row.source == &m2 ? At(2100, 100, 800, 400) : window, AreaOf(*row.source, work),
                   AreaOf(*row.target, work), PlacementRulesOf(options), 0, row.heightPercent),
        row.placed)
        << row.name;
  }
}

TEST(ChosenMonitorTest, PrimaryThenNumberThenNone) {
  std::vector<MonitorInfo> list =
      ListOf({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
  list[1].primary = true;
  struct Row {
    bool primary;
    std::int32_t number;
    bool listHasPrimary;
    int chosen;
  };
  const Row rows[] = {
      {false, 0, true, -1},  {true, 0, true, 1},  {true, 3, true, 1},
      {false, 1, true, 0},   {false, 3, true, 2}, {false, 4, true, -1},
      {false, -2, true, -1}, {true, 3, false, 2}, {true, 0, false, -1},
  };
  for (const Row& row : rows) {
    PluginOptions options;
    options.showOnPrimaryMonitor = row.primary;
    options.showOnMonitorNumber = row.number;
    list[1].primary = row.listHasPrimary;
    EXPECT_EQ(IndexOf(ChosenMonitorIndex(list, ChoiceOf(options))), row.chosen)
        << row.primary << " " << row.number << " " << row.listHasPrimary;
  }
}

// --- On the reference desktop ---------------------------------------------------
class MoreSettingsTest : public TrackingTest {
 protected:
  void taskbars() {
    fake::setWorkArea(0, {0, 0, 1920, 1040});
    fake::setWorkArea(1, {1920, 0, 3200, 984});
  }
  void hotkey(std::initializer_list<int> held, int key) {
    for (const int k : held) fake::setKeyDown(k, true);
    fake::keyDown(key);
    fake::keyUp(key);
    for (const int k : held) fake::setKeyDown(k, false);
  }
};

TEST_F(MoreSettingsTest, WithoutTheKeysNothingChanges) {
  taskbars();
  fake::setWindowRect(host, {5000, 5000, 5800, 5400});
  init();
  show(onM2);
  EXPECT_EQ(hostRect(), (Rect{5000, 5000, 5800, 5400})) << "a window on no monitor stays";
}

TEST_F(MoreSettingsTest, WorkAreaForShowsHotkeysAndCentring) {
  taskbars();
  setOption("UseWorkArea", 1);
  init();
  show(onM2);
  EXPECT_EQ(hostRect(), At(2293, 322, 533, 378));
  hotkey({platform::kKeyLeftWindows, platform::kKeyControl, platform::kKeyShift}, '0');
  EXPECT_EQ(hostRect(), At(2293, 322, 533, 984));
  hotkey({platform::kKeyLeftWindows}, platform::kKeyLeft);
  EXPECT_EQ(hostRect(), At(560, 340, 800, 1040));
  hotkey({platform::kKeyLeftWindows}, platform::kKeyHome);
  EXPECT_EQ(hostRect(), At(560, 0, 800, 1040));
}

// Stacked monitors, the lower one enumerated first: by x alone it wins for
// every window on either.
class StackedMonitorsTest : public MoreSettingsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StackedMonitorsTest, FindTheWindowsMonitorByBothAxesOnlyWhenAsked) {
  const bool bothAxes = GetParam();
  fake::clearDisplays();
  fake::addMonitor({0, 1080, 1920, 2160});  // enumerated first, below
  fake::addMonitor({0, 0, 1920, 1080}, true);
  const platform::WindowHandle below = fake::createWindow({100, 1200, 500, 1500});
  setOption("UseBothAxes", bothAxes ? 1 : 0);
  fake::setWindowRect(host, kHostStart);
  init();
  show(below);
  // By x alone the lower monitor, enumerated first, wins for both windows.
  EXPECT_EQ(hostRect(), bothAxes ? (Rect{560, 1420, 1360, 1820}) : kHostStart);
  // By x alone the window counts as on the lower monitor and is thrown
  // above the upper one.
  hotkey({platform::kKeyLeftWindows}, platform::kKeyRight);
  EXPECT_EQ(hostRect(), bothAxes ? kHostStart : (Rect{560, -740, 1360, -340}));
}

INSTANTIATE_TEST_SUITE_P(UseBothAxes, StackedMonitorsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? "ByBothAxes" : "ByXAlone";
                         });

TEST_F(MoreSettingsTest, KeepOnScreenClampsAndRescues) {
  setOption("KeepOnScreen", 1);
  setOption("MoveRelative", 0);
  setOption("ResizeRelative", 0);
  init();
  show(onM2);
  EXPECT_EQ(hostRect(), (Rect{2400, 340, 3200, 740})) << "kept off M2's right edge";
  hide();
  fake::setWindowRect(host, {5000, 5000, 5800, 5400});
  show(onM2);
  EXPECT_EQ(hostRect(), (Rect{2400, 624, 3200, 1024})) << "brought back from beyond M2";
  hide();
  fake::setMinimumSize(host, 1400, 100);
  fake::setWindowRect(host, kHostStart);
  show(onM2);
  EXPECT_EQ(hostRect(), (Rect{1920, 340, 3320, 740}))
      << "a window wider than M2 at its minimum size ends at M2's left edge";
}

TEST_F(MoreSettingsTest, KeepingInsideIsPartOfTheCentringNotANewLevel) {
  setOption("KeepOnScreen", 1);
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  fake::setMinimumSize(host, 1400, 100);  // wider than M2
  init();
  show(onM2);
  // Placed, centred and kept at M2's left edge, at the width it insists on.
  const Rect settled{1920, 322, 3320, 701};
  EXPECT_EQ(hostRect(), settled);
  EXPECT_LE(fake::maxPosChangingDepth(), 2);
  EXPECT_EQ(controller().lastCenteredRect, settled) << "where the window really is";
  fake::clearMoveCalls();
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_TRUE(fake::moveCalls().empty()) << "found where it was left: nothing to do";
  fake::setWindowRect(host, {2000, 100, 3400, 500});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  // Centred at (1024 - 400) / 2 down, and kept at the left edge again.
  EXPECT_EQ(hostRect(), (Rect{1920, 312, 3320, 712})) << "the centre-always check keeps it too";
  EXPECT_LE(fake::maxPosChangingDepth(), 2);
}

struct ChosenMonitorRow {
  const char* name;
  int primary, number, mouse;
  Rect placed;
};

void PrintTo(const ChosenMonitorRow& row, std::ostream* os) { *os << row.name; }

const ChosenMonitorRow kChosenMonitorRows[] = {
    {"Primary", 1, 0, 0, kHostStart},
    {"PrimaryOverANumber", 1, 2, 0, kHostStart},
    {"SecondMonitor", 0, 2, 0, kHostOnM2},
    {"NumberPastTheEndLeavesItToThePreviousWindow", 0, 3, 0, kHostStart},
    {"NumberPastTheEndLeavesItToThePointer", 0, 3, 1, kHostOnM2},
};

class ChosenMonitorOnShowTest : public MoreSettingsTest,
                                public ::testing::WithParamInterface<ChosenMonitorRow> {};

TEST_P(ChosenMonitorOnShowTest, BeatsThePointerAndThePreviousWindow) {
  const ChosenMonitorRow& row = GetParam();
  setOption("ShowOnPrimaryMonitor", row.primary);
  setOption("ShowOnMonitorNumber", row.number);
  setOption("ShowOnMonitorWithMouse", row.mouse);
  fake::setCursor({2500, 500});
  init();
  const std::size_t asked = fakeHost().requests.size();
  show(onM1);
  EXPECT_EQ(hostRect(), row.placed);
  EXPECT_EQ(fakeHost().requests.size(), asked + 1) << "the host is still asked";
}

INSTANTIATE_TEST_SUITE_P(Choices, ChosenMonitorOnShowTest, ::testing::ValuesIn(kChosenMonitorRows),
                         [](const ::testing::TestParamInfo<ChosenMonitorRow>& param) {
                           return std::string(param.param.name);
                         });

TEST_F(MoreSettingsTest, TheDialogsOkKeepsTheFileOnlyKeysAndAppliesThem) {
  fake::setFileText(kSettingsPath, "[Options]\r\nUseWorkArea=1\r\nShowOnMonitorNumber=2\r\n");
  init();
  fake::setDialogUser(
      [](platform::WindowHandle dialog) { fake::pressButton(dialog, platform::kIdOk); });
  EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  const std::string text = fake::fileText(kSettingsPath);
  EXPECT_NE(text.find("UseWorkArea=1"), std::string::npos) << text;
  EXPECT_NE(text.find("ShowOnMonitorNumber=2"), std::string::npos) << text;
  EXPECT_TRUE(controller().options.useWorkArea);
  EXPECT_EQ(controller().options.showOnMonitorNumber, 2);
}

}  // namespace

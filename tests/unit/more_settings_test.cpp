// The settings edited in the file only: the work area, both axes, keeping the
// window on screen, and a chosen monitor. First the geometry core's rules as
// tables, then what the shown window and the hotkeys do with them.
#include "monitors/geometry.h"
#include "monitors/monitor_list.h"
#include "monitors/placement.h"
#include "settings/remembered_places.h"
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

template <typename Row>
std::string NameOf(const ::testing::TestParamInfo<Row>& param) {
  return param.param.name;
}

// --- Keeping inside --------------------------------------------------------------
constexpr Rect kTaskbarArea{0, 0, 1920, 1040};

struct KeptInsideRow {
  const char* name;
  Rect window, kept;
};

void PrintTo(const KeptInsideRow& row, std::ostream* os) { *os << row.name; }

const KeptInsideRow kKeptInsideRows[] = {
    {"Inside", At(100, 100, 800, 400), At(100, 100, 800, 400)},
    {"ExactlyTheArea", kTaskbarArea, kTaskbarArea},
    {"OffTheLeft", At(-50, 100, 800, 400), At(0, 100, 800, 400)},
    {"OffTheRight", At(1500, 100, 800, 400), At(1120, 100, 800, 400)},
    {"OffTheTop", At(100, -300, 800, 400), At(100, 0, 800, 400)},
    {"OffTheBottomUnderTheTaskbar", At(100, 700, 800, 400), At(100, 640, 800, 400)},
    {"OffACorner", At(-10, 1000, 800, 400), At(0, 640, 800, 400)},
    {"WiderThanTheArea", At(300, 100, 2500, 400), At(0, 100, 1920, 400)},
    {"TallerThanTheArea", At(300, -5, 800, 1200), At(300, 0, 800, 1040)},
    {"LargerOnBothAxes", At(-100, -100, 4000, 3000), kTaskbarArea},
    {"FarBeyondEveryEdge", At(70000, -90000, 800, 400), At(1120, 0, 800, 400)},
};

class KeptInsideTest : public ::testing::TestWithParam<KeptInsideRow> {};

TEST_P(KeptInsideTest, MovesTheLeastDistanceOrTakesTheAreasExtent) {
  const KeptInsideRow& row = GetParam();
  EXPECT_EQ(KeptInside(row.window, kTaskbarArea), row.kept);
  EXPECT_TRUE(LiesInside(row.kept, kTaskbarArea));
  EXPECT_EQ(LiesInside(row.window, kTaskbarArea), row.window == row.kept);
}

INSTANTIATE_TEST_SUITE_P(Windows, KeptInsideTest, ::testing::ValuesIn(kKeptInsideRows),
                         NameOf<KeptInsideRow>);

// --- Both axes -------------------------------------------------------------------
// Stacked; portrait beside landscape; an L of three.
const std::vector<Rect> kStacked = {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}};
const std::vector<Rect> kPortrait = {{0, 0, 1080, 1920}, {1080, 0, 3000, 1080}};
const std::vector<Rect> kShapeL = {
    {0, 0, 1920, 1080}, {0, 1080, 1920, 2160}, {1920, 0, 3840, 1080}};

struct PointRow {
  const char* name;
  const std::vector<Rect>* monitors;
  Point point;
  int xOnly, bothAxes;
};

void PrintTo(const PointRow& row, std::ostream* os) { *os << row.name; }

const PointRow kPointRows[] = {
    {"StackedTop", &kStacked, {960, 500}, 0, 0},
    {"StackedBottom", &kStacked, {960, 1500}, 0, 1},
    {"StackedSharedEdgeGoesUp", &kStacked, {960, 1080}, 0, 0},
    {"StackedBelowBoth", &kStacked, {960, 2161}, 0, -1},
    {"PortraitLowOnThePortrait", &kPortrait, {500, 1800}, 0, 0},
    {"PortraitBelowTheLandscape", &kPortrait, {2000, 1500}, 1, -1},
    {"LBottomLeft", &kShapeL, {100, 2000}, 0, 1},
    {"LRight", &kShapeL, {3000, 100}, 2, 2},
    {"LTheEmptyCorner", &kShapeL, {3000, 2000}, 2, -1},
};

class BothAxesPointTest : public ::testing::TestWithParam<PointRow> {};

TEST_P(BothAxesPointTest, PointsFindTheirMonitorByBothCoordinates) {
  const PointRow& row = GetParam();
  std::vector<MonitorInfo> list = ListOf(*row.monitors);
  SortMonitors(list, MonitorRules{false, true, false});
  EXPECT_EQ(IndexOf(MonitorIndexAt(list, row.point, {})), row.xOnly);
  EXPECT_EQ(IndexOf(MonitorIndexAt(list, row.point, MonitorRules{false, true, false})),
            row.bothAxes);
}

INSTANTIATE_TEST_SUITE_P(Points, BothAxesPointTest, ::testing::ValuesIn(kPointRows),
                         NameOf<PointRow>);

TEST(BothAxesTest, AWindowsVerticalCentreCountsTooHalfTheHeightThenTheTop) {
  const std::vector<MonitorInfo> list = ListOf(kStacked);
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

// --- The work area --------------------------------------------------------------
const MonitorInfo kM1BottomTaskbar{1, true, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorInfo kM2BottomTaskbar{2, false, {1920, 0, 3200, 1024}, {1920, 0, 3200, 984}};
const MonitorInfo kM1LeftTaskbar{1, true, {0, 0, 1920, 1080}, {60, 0, 1920, 1080}};
constexpr MonitorRules kWorkArea{true, false, false};

TEST(WorkAreaTest, AreaOfIsTheWorkAreaOnlyWhenAskedAndRead) {
  EXPECT_EQ(AreaOf(kM1BottomTaskbar, {}), kM1BottomTaskbar.rect);
  EXPECT_EQ(AreaOf(kM1BottomTaskbar, kWorkArea), kM1BottomTaskbar.workRect);
  EXPECT_EQ(AreaOf(MonitorInfo{1, true, kM1BottomTaskbar.rect, {}}, kWorkArea),
            kM1BottomTaskbar.rect)
      << "no work area read";
}

struct WorkAreaRow {
  const char* name;
  const MonitorInfo* source;
  const MonitorInfo* target;
  bool center;
  std::int32_t heightPercent;
  Rect placed;
};

void PrintTo(const WorkAreaRow& row, std::ostream* os) { *os << row.name; }

const WorkAreaRow kWorkAreaRows[] = {
    // 984 / 1040 of 400 is 378.46; of 340, 321.69.
    {"BottomTaskbarsRelative", &kM1BottomTaskbar, &kM2BottomTaskbar, false, 0,
     At(2293, 322, 533, 378)},
    {"BottomTaskbarsCentred", &kM1BottomTaskbar, &kM2BottomTaskbar, true, 0,
     At(2293, 303, 533, 378)},
    {"BottomTaskbarsFullHeight", &kM1BottomTaskbar, &kM2BottomTaskbar, false, 100,
     At(2293, 322, 533, 984)},
    // 1280 / 1860 of 800 is 550.54, of 500 (from the work area's edge)
    // 344.09; 984 / 1080 of 400 is 364.44, of 340 309.78.
    {"LeftTaskbarRelative", &kM1LeftTaskbar, &kM2BottomTaskbar, false, 0, At(2264, 310, 551, 364)},
    // 1860 / 1280 of 800 is 1162.5; 1080 / 984 of 400 is 439.02.
    {"LeftTaskbarCentredBack", &kM2BottomTaskbar, &kM1LeftTaskbar, true, 0,
     At(408, 320, 1163, 439)},
};

class WorkAreaTest : public ::testing::TestWithParam<WorkAreaRow> {};

TEST_P(WorkAreaTest, SizesAndPlacesByTheWorkArea) {
  const WorkAreaRow& row = GetParam();
  PluginOptions options;  // move and resize relative
  options.center = row.center;
  const Rect window = row.source == &kM2BottomTaskbar ? kWindowOnM2 : kHostStart;
  EXPECT_EQ(PlacedRect(window, AreaOf(*row.source, kWorkArea), AreaOf(*row.target, kWorkArea),
                       PlacementRulesOf(options), 0, row.heightPercent),
            row.placed);
}

INSTANTIATE_TEST_SUITE_P(Taskbars, WorkAreaTest, ::testing::ValuesIn(kWorkAreaRows),
                         NameOf<WorkAreaRow>);

// --- The chosen monitor ---------------------------------------------------------
struct ChoiceRow {
  const char* name;
  bool primary;
  std::int32_t number;
  bool listHasPrimary;
  int chosen;
};

void PrintTo(const ChoiceRow& row, std::ostream* os) { *os << row.name; }

const ChoiceRow kChoiceRows[] = {
    {"NoChoice", false, 0, true, -1},
    {"Primary", true, 0, true, 1},
    {"PrimaryOverANumber", true, 3, true, 1},
    {"FirstByNumber", false, 1, true, 0},
    {"ThirdByNumber", false, 3, true, 2},
    {"NumberPastTheEnd", false, 4, true, -1},
    {"NegativeNumber", false, -2, true, -1},
    {"NoPrimaryInTheListThenTheNumber", true, 3, false, 2},
    {"NoPrimaryInTheListAndNoNumber", true, 0, false, -1},
};

class ChosenMonitorTest : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(ChosenMonitorTest, PrimaryThenNumberThenNone) {
  const ChoiceRow& row = GetParam();
  std::vector<MonitorInfo> list =
      ListOf({{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
  list[1].primary = row.listHasPrimary;
  PluginOptions options;
  options.showOnPrimaryMonitor = row.primary;
  options.showOnMonitorNumber = row.number;
  EXPECT_EQ(IndexOf(ChosenMonitorIndex(list, ChoiceOf(options))), row.chosen);
}

INSTANTIATE_TEST_SUITE_P(Choices, ChosenMonitorTest, ::testing::ValuesIn(kChoiceRows),
                         NameOf<ChoiceRow>);

// --- On the reference desktop ---------------------------------------------------
class MoreSettingsTest : public TrackingTest {
 protected:
  void taskbars() {
    fake::setWorkArea(0, {0, 0, 1920, 1040});
    fake::setWorkArea(1, {1920, 0, 3200, 984});
  }
  void hotkey(const std::vector<int>& held, int key) {
    for (const int k : held) fake::setKeyDown(k, true);
    fake::keyDown(key);
    fake::keyUp(key);
    fake::pumpSentMessages();
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
                         NameOf<ChosenMonitorRow>);

TEST_F(MoreSettingsTest, TheDialogsOkKeepsTheFileOnlyKeysAndAppliesThem) {
  fake::setFileText(kSettingsPath,
                    "[Options]\r\nUseWorkArea=1\r\nShowOnMonitorNumber=2\r\n"
                    "[PlacesPerMonitor]\r\n0,0,1920,1080=1,2,3,4\r\n");
  init();
  for (const int button : {platform::kIdCancel, platform::kIdOk}) {
    fake::setDialogUser(
        [button](platform::WindowHandle dialog) { fake::pressButton(dialog, button); });
    EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  }
  const std::string text = fake::fileText(kSettingsPath);
  EXPECT_NE(text.find("UseWorkArea=1"), std::string::npos) << text;
  EXPECT_NE(text.find("ShowOnMonitorNumber=2"), std::string::npos) << text;
  EXPECT_NE(text.find("[PlacesPerMonitor]\r\n0,0,1920,1080=1,2,3,4\r\n"), std::string::npos)
      << text;
  EXPECT_TRUE(controller().options.useWorkArea);
  EXPECT_EQ(controller().options.showOnMonitorNumber, 2);
}

// --- RememberPerMonitor ------------------------------------------------------
// A1 in M1's top right corner, A2 in M2's bottom left one.
constexpr Rect kA1{1400, 40, 1900, 440};
constexpr Rect kA2{1940, 600, 2740, 1000};

enum class Do { ShowOnM1, ShowOnM2, LeaveAt, Hide, HideWritingNothing, Hotkey, M2Becomes };

// A show or a hotkey must put the window at `rect`; LeaveAt puts it there,
// M2Becomes makes it M2's rectangle.
struct PlaceStep {
  Do what;
  Rect rect;
  std::vector<int> held = {};  // Hotkey: the keys held, and the one pressed
  int key = 0;
};

struct PlacesRow {
  const char* name;
  std::string file;  // after "[Options]\r\n"
  std::vector<PlaceStep> steps;
  std::string places;  // the section's lines afterwards, joined by '|'
};

void PrintTo(const PlacesRow& row, std::ostream* os) { *os << row.name; }

constexpr int kWin = platform::kKeyLeftWindows;
constexpr const char* kOn = "RememberPerMonitor=1\r\n";
constexpr const char* kPlacesOfM2ThenM1 =
    "[PlacesPerMonitor]\r\n1920,0,3200,1024=1940,600,2740,1000\r\n"
    "0,0,1920,1080=1400,40,1900,440\r\n";

// Places of monitors far right of the desktop, the i-th at x = i * 10000.
std::string FarPlaces(int first, int last, const char* separator) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    const auto x = [i](int offset) { return std::to_string(i * 10000 + offset); };
    text += x(0) + ",0," + x(1000) + ",1000=" + x(10) + ",10," + x(900) + ",90" + separator;
  }
  return text;
}

const PlacesRow kPlacesRows[] = {
    {"APlaceOnEachOfTwoMonitors",
     kOn,
     {{Do::ShowOnM1, kHostStart},
      {Do::LeaveAt, kA1},
      {Do::Hide, {}},
      {Do::ShowOnM2, {2853, 38, 3186, 417}},  // scaled from A1
      {Do::LeaveAt, kA2},
      {Do::Hide, {}},
      {Do::ShowOnM1, kA1},
      {Do::HideWritingNothing, {}},
      {Do::ShowOnM2, kA2},
      {Do::HideWritingNothing, {}}},
     "0,0,1920,1080=1400,40,1900,440|1920,0,3200,1024=1940,600,2740,1000"},
    {"HotkeysMoveToThePlacesTheNextHideRemembers",
     std::string(kOn) + kPlacesOfM2ThenM1,
     {{Do::ShowOnM1, kA1},
      {Do::Hotkey, kA2, {kWin}, platform::kKeyRight},
      {Do::Hotkey, {1940, 600, 2580, 1000}, {kWin, platform::kKeyControl}, '5'},
      {Do::Hotkey, {2240, 312, 2880, 712}, {kWin}, platform::kKeyHome},
      {Do::Hide, {}},
      {Do::ShowOnM1, kA1},
      {Do::Hotkey, {2240, 312, 2880, 712}, {kWin}, platform::kKeyRight}},
     "0,0,1920,1080=1400,40,1900,440|1920,0,3200,1024=2240,312,2880,712"},
    {"CenterKeepsOnlyTheSize",
     std::string(kOn) + "Center=1\r\n" + kPlacesOfM2ThenM1,
     {{Do::ShowOnM2, {2160, 312, 2960, 712}}},
     "1920,0,3200,1024=1940,600,2740,1000|0,0,1920,1080=1400,40,1900,440"},
    {"AChangedLayoutFindsItsPlacesAgain",
     std::string(kOn) + "[PlacesPerMonitor]\r\n1920,0,3200,1024=1940,600,2740,1000\r\n",
     {{Do::M2Becomes, {1920, 0, 3360, 1050}},
      {Do::ShowOnM2, {2340, 331, 2940, 720}},
      {Do::Hide, {}},
      {Do::M2Becomes, kM2},
      {Do::ShowOnM2, kA2}},
     "1920,0,3200,1024=1940,600,2740,1000|1920,0,3360,1050=2340,331,2940,720"},
    {"PlacesOffTheirMonitorOrUnreadableAreIgnored",
     std::string(kOn) +
         "[PlacesPerMonitor]\r\n0,0,1920,1080=2000,100,2400,400\r\n1920,0,3200,1024=a,b,c,d\r\n"
         "1920, 0, 3200, 1024=2100,500,2000,900\r\n1920,0,3200=2000,100,2400,400\r\n"
         "1920,0,3200,1024,5=2000,100,2400,400\r\n; a comment\r\n",
     {{Do::ShowOnM1, kHostStart}, {Do::ShowOnM2, kHostOnM2}, {Do::Hide, {}}},
     "0,0,1920,1080=2000,100,2400,400|1920,0,3200=2000,100,2400,400|"
     "1920,0,3200,1024,5=2000,100,2400,400|1920,0,3200,1024=2293,322,2826,701"},
    {"AtMostEightMonitorsTheOldestGoes",
     std::string(kOn) + "[PlacesPerMonitor]\r\n" + FarPlaces(1, 8, "\r\n"),
     {{Do::ShowOnM2, kHostOnM2}, {Do::Hide, {}}},
     FarPlaces(2, 8, "|") + "1920,0,3200,1024=2293,322,2826,701"},
};

class RememberedPlacesTest : public MoreSettingsTest,
                             public ::testing::WithParamInterface<PlacesRow> {};

TEST_P(RememberedPlacesTest, EachMonitorFindsTheWindowWhereItWasLeft) {
  const PlacesRow& row = GetParam();
  fake::setFileText(kSettingsPath, "[Options]\r\n" + row.file);
  init();
  for (std::size_t i = 0; i < row.steps.size(); ++i) {
    const PlaceStep& step = row.steps[i];
    const fake::CallCounts before = fake::calls();
    switch (step.what) {
      case Do::ShowOnM1:
      case Do::ShowOnM2:
        show(step.what == Do::ShowOnM1 ? onM1 : onM2);
        break;
      case Do::LeaveAt:
        fake::setWindowRect(host, step.rect);
        continue;
      case Do::Hide:
      case Do::HideWritingNothing:
        hide();
        if (step.what == Do::HideWritingNothing) {
          EXPECT_EQ(fake::calls().writeProfileString, before.writeProfileString) << "step " << i;
          EXPECT_EQ(fake::calls().deleteProfileKey, before.deleteProfileKey) << "step " << i;
        }
        continue;
      case Do::Hotkey:
        hotkey(step.held, step.key);
        break;
      case Do::M2Becomes:
        fake::clearDisplays();
        fake::addMonitor(kM1, true);
        fake::addMonitor(step.rect);
        continue;
    }
    EXPECT_EQ(hostRect(), step.rect) << "step " << i;
  }
  std::string places;
  for (const std::string& line :
       SettingsFile(PluginDirectory(kPluginDirectory)).ReadSection(kPlacesSection)) {
    places += (places.empty() ? "" : "|") + line;
  }
  EXPECT_EQ(places, row.places);
}

INSTANTIATE_TEST_SUITE_P(RememberPerMonitor, RememberedPlacesTest, ::testing::ValuesIn(kPlacesRows),
                         NameOf<PlacesRow>);

}  // namespace

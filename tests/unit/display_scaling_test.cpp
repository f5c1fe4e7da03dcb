// Display scaling as a host that is not DPI-aware sees it: the display
// settings report physical pixels, everything else is scaled down. The
// plugin must land the window exactly where it lands without scaling.
#include "monitors/monitor_list.h"
#include "tracking_fixture.h"

#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Scale {
  const char* name;
  std::int32_t numerator, denominator;
};

const Scale kUnscaled{"Unscaled", 1, 1};
const Scale kScales[] = {
    {"At5Over4", 5, 4},
    {"At3Over2", 3, 2},
    {"At7Over4", 7, 4},
    {"At2Over1", 2, 1},
};

// The settings each combination of the reference desktop writes.
struct OptionSet {
  const char* name;
  std::vector<std::pair<const char*, int>> settings;
};

const OptionSet kOptionSets[] = {
    {"Defaults", {}},
    {"AbsoluteMove", {{"MoveRelative", 0}}},
    {"AbsoluteSize", {{"ResizeRelative", 0}}},
    {"AbsoluteMoveAndSize", {{"MoveRelative", 0}, {"ResizeRelative", 0}}},
    {"Centred", {{"Center", 1}}},
    {"CentredAbsoluteSize", {{"Center", 1}, {"ResizeRelative", 0}}},
    {"Percentages", {{"ResizePercent", 1}, {"ResizePercentV", 1}}},
    {"CentredPercentages", {{"Center", 1}, {"ResizePercent", 1}, {"ResizePercentV", 1}}},
    {"FollowingThePointer", {{"ShowOnMonitorWithMouse", 1}}},
};

void PrintTo(const Scale& scale, std::ostream* os) {
  *os << scale.numerator << "/" << scale.denominator;
}
void PrintTo(const OptionSet& options, std::ostream* os) { *os << options.name; }

class DisplayScalingTest : public TrackingTest {
 protected:
  // The reference desktop at `scale`, then a show with the previous
  // window on M2, a show guided by the pointer on M1, and the hotkeys; the
  // window's rectangle after each step.
  std::vector<platform::Rect> journey(const Scale& scale, const OptionSet& options) {
    fake::clearDisplays();
    fake::setDisplayScale(scale.numerator, scale.denominator);
    fake::addMonitor(kM1, true);
    fake::addMonitor(kM2);
    for (const auto& [key, value] : options.settings) setOption(key, value);
    init();
    std::vector<platform::Rect> seen;
    fake::setCursor({2500, 500});
    show(onM2);
    seen.push_back(hostRect());
    hide();
    fake::setCursor({700, 500});
    show(0);
    seen.push_back(hostRect());
    fake::setKeyDown(platform::kKeyLeftWindows, true);
    for (const int key : {platform::kKeyRight, platform::kKeyHome, platform::kKeyLeft}) {
      fake::keyDown(key);
      fake::keyUp(key);
      fake::pumpSentMessages();
      seen.push_back(hostRect());
    }
    fake::setKeyDown(platform::kKeyControl, true);
    fake::keyDown('5');
    fake::keyUp('5');
    fake::pumpSentMessages();
    seen.push_back(hostRect());
    return seen;
  }

  // A second journey must start from the desktop and module state the
  // first one started from, or it would not be comparable.
  void startAfresh() {
    TrackingTest::TearDown();
    TrackingTest::SetUp();
  }
};

// The reference desktop's own figures, so that "the same" is the right thing.
TEST_F(DisplayScalingTest, UnscaledJourneyGivesTheRoundedReferenceFigures) {
  const std::vector<platform::Rect> unscaled = journey(kUnscaled, kOptionSets[0]);
  EXPECT_EQ(unscaled[0], kHostOnM2);
  EXPECT_EQ(unscaled[1], kHostStart) << "back on M1 exactly";
}

class ScaledDisplayTest : public DisplayScalingTest,
                          public ::testing::WithParamInterface<std::tuple<OptionSet, Scale>> {};

TEST_P(ScaledDisplayTest, LandsWhereTheUnscaledDisplayDoes) {
  const auto& [options, scale] = GetParam();
  const std::vector<platform::Rect> unscaled = journey(kUnscaled, options);
  startAfresh();
  EXPECT_EQ(journey(scale, options), unscaled);
}

std::string ScaledName(const ::testing::TestParamInfo<std::tuple<OptionSet, Scale>>& param) {
  return std::string(std::get<0>(param.param).name) + "_" + std::get<1>(param.param).name;
}

INSTANTIATE_TEST_SUITE_P(OptionsAndScales, ScaledDisplayTest,
                         ::testing::Combine(::testing::ValuesIn(kOptionSets),
                                            ::testing::ValuesIn(kScales)),
                         ScaledName);

TEST_F(DisplayScalingTest, ADeviceWithoutAMonitorKeepsItsSettingsRectangle) {
  fake::clearDisplays();
  fake::setDisplayScale(3, 2);
  fake::addMonitor(kM1, true);
  fake::Display orphan;
  orphan.name = "\\\\.\\DISPLAY2";
  orphan.mode = platform::DisplayMode{2880, 0, 1920, 1536};
  orphan.hasMonitor = false;
  fake::addDisplay(orphan);
  const MonitorList list;
  ASSERT_EQ(list.entries().size(), 2u);
  EXPECT_EQ(list.entries()[0].rect, kM1);
  EXPECT_EQ(list.entries()[1].rect, (platform::Rect{2880, 0, 4800, 1536}));
}

}  // namespace

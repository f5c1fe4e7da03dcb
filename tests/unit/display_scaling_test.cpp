// Display scaling as a host that is not DPI-aware sees it: the display
// settings report physical pixels, everything else is scaled down. The
// plugin must land the window exactly where it lands without scaling.
#include "monitors/monitor_list.h"
#include "tracking_fixture.h"

#include <string>
#include <vector>

namespace {

struct Scale {
  std::int32_t numerator, denominator;
};

// The settings each combination of the reference desktop writes.
const std::vector<std::vector<std::pair<const char*, int>>> kOptionSets = {
    {},
    {{"MoveRelative", 0}},
    {{"ResizeRelative", 0}},
    {{"MoveRelative", 0}, {"ResizeRelative", 0}},
    {{"Center", 1}},
    {{"Center", 1}, {"ResizeRelative", 0}},
    {{"ResizePercent", 1}, {"ResizePercentV", 1}},
    {{"Center", 1}, {"ResizePercent", 1}, {"ResizePercentV", 1}},
    {{"ShowOnMonitorWithMouse", 1}},
};

class DisplayScalingTest : public TrackingTest {
 protected:
  // The reference desktop at `scale`, then a show with the previous
  // window on M2, a show guided by the pointer on M1, and the hotkeys; the
  // window's rectangle after each step.
  std::vector<platform::Rect> journey(Scale scale,
                                      const std::vector<std::pair<const char*, int>>& options) {
    fake::clearDisplays();
    fake::setDisplayScale(scale.numerator, scale.denominator);
    fake::addMonitor(kM1, true);
    fake::addMonitor(kM2);
    for (const auto& [key, value] : options) setOption(key, value);
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
      seen.push_back(hostRect());
    }
    fake::setKeyDown(platform::kKeyControl, true);
    fake::keyDown('5');
    fake::keyUp('5');
    seen.push_back(hostRect());
    return seen;
  }
};

TEST_F(DisplayScalingTest, ScaledDisplaysLandWhereUnscaledOnesDo) {
  const Scale kScales[] = {{5, 4}, {3, 2}, {7, 4}, {2, 1}};
  for (std::size_t set = 0; set < kOptionSets.size(); ++set) {
    const std::vector<platform::Rect> unscaled = journey({1, 1}, kOptionSets[set]);
    if (set == 0) {
      // The reference desktop's own figures, so that "the same" is the right thing.
      EXPECT_EQ(unscaled[0], kHostOnM2);
      EXPECT_EQ(unscaled[1], kHostStart) << "back on M1 exactly";
    }
    for (const Scale& scale : kScales) {
      TearDown();
      SetUp();
      EXPECT_EQ(journey(scale, kOptionSets[set]), unscaled)
          << "options " << set << " at " << scale.numerator << "/" << scale.denominator;
    }
    TearDown();
    SetUp();
  }
}

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

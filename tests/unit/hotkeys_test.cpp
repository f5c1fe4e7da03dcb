#include "tracking/hotkeys.h"

#include "plugin/hook_procedures.h"
#include "tracking_fixture.h"

#include <gmock/gmock.h>

#include <initializer_list>

namespace {

constexpr int kWin = platform::kKeyLeftWindows;
constexpr int kCtrl = platform::kKeyControl;
constexpr int kShift = platform::kKeyShift;
constexpr int kRightWin = 0x5C;
constexpr int kUp = 0x26;
constexpr int kDown = 0x28;
constexpr int kNumpad5 = 0x65;

class HotkeysTest : public TrackingTest {
 protected:
  // The host window shown on M1 and in front.
  void showOnM1() {
    init();
    show(onM1);
    fake::clearMoveCalls();
  }
  void hold(std::initializer_list<int> keys) {
    for (int key : keys) fake::setKeyDown(key, true);
  }
  // Press and release of `key`; answers how many of the two reached the host.
  int tap(int key, std::uintptr_t extraInfo = 0) {
    const bool press = fake::keyDown(key, extraInfo);
    const bool release = fake::keyUp(key, extraInfo);
    return (press ? 1 : 0) + (release ? 1 : 0);
  }
  // The keystrokes our hook injected: each must be the mask key, marked as
  // ours, passed on by our own hook, in down-up pairs.
  int maskKeystrokes() {
    const auto& injected = fake::injectedKeystrokes();
    for (std::size_t i = 0; i < injected.size(); ++i) {
      EXPECT_EQ(injected[i].virtualKey, kMaskKey);
      EXPECT_EQ(injected[i].release, i % 2 == 1);
      EXPECT_EQ(injected[i].extraInfo, kOwnKeystrokeMark);
      EXPECT_TRUE(injected[i].delivered);
    }
    return static_cast<int>(injected.size()) / 2;
  }
};

TEST_F(HotkeysTest, RecognisedCombinationsAreSwallowedAndActOnRelease) {
  struct Case {
    const char* name;
    std::initializer_list<int> held;
    int key;
    bool swallowed;
    platform::Rect after;
  };
  const platform::Rect unchanged = kHostStart;
  const Case cases[] = {
      {"Win+Right", {kWin}, platform::kKeyRight, true, kHostOnM2},
      {"Win+Left (two monitors)", {kWin}, platform::kKeyLeft, true, kHostOnM2},
      {"Win+Ctrl+Shift+Left", {kWin, kCtrl, kShift}, platform::kKeyLeft, true, kHostOnM2},
      {"Win+Home", {kWin}, platform::kKeyHome, true, {560, 340, 1360, 740}},
      {"Win+Ctrl+5", {kWin, kCtrl}, '5', true, {560, 340, 1520, 740}},
      {"Win+Ctrl+Shift+0", {kWin, kCtrl, kShift}, '0', true, {560, 340, 1360, 1420}},
      {"Win+5 without Ctrl", {kWin}, '5', false, unchanged},
      {"Win+Shift+5 without Ctrl", {kWin, kShift}, '5', false, unchanged},
      {"Win+Up", {kWin}, kUp, false, unchanged},
      {"Win+Down", {kWin}, kDown, false, unchanged},
      {"Ctrl+Right without Win", {kCtrl}, platform::kKeyRight, false, unchanged},
      {"right Windows key", {kRightWin}, platform::kKeyRight, false, unchanged},
      {"right Windows key + Ctrl + digit", {kRightWin, kCtrl}, '5', false, unchanged},
      {"keypad digit", {kWin, kCtrl}, kNumpad5, false, unchanged},
      {"plain letter", {kWin, kCtrl}, 'A', false, unchanged},
  };
  for (const Case& c : cases) {
    SetUp();
    showOnM1();
    hold(c.held);
    EXPECT_EQ(tap(c.key), c.swallowed ? 0 : 2) << c.name;
    EXPECT_EQ(hostRect(), c.after) << c.name;
    EXPECT_EQ(maskKeystrokes(), c.swallowed ? 1 : 0) << c.name << ": one per dropped press";
    TearDown();
  }
}

TEST_F(HotkeysTest, AutoRepeatIsSwallowedAndMovesOnceOnRelease) {
  showOnM1();
  hold({kWin});
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_TRUE(fake::moveCalls().empty());
  EXPECT_FALSE(fake::keyUp(platform::kKeyRight));
  EXPECT_EQ(fake::moveCalls().size(), 1u);
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_EQ(maskKeystrokes(), 3);
}

TEST_F(HotkeysTest, OtherProgramsInjectedKeystrokesCountButOurOwnPass) {
  struct Case {
    const char* name;
    std::uintptr_t extraInfo;
    int reachedHost;
    platform::Rect after;
  };
  const Case cases[] = {
      {"injected by a remapping tool", 0x1234, 0, kHostOnM2},
      {"marked as ours", kOwnKeystrokeMark, 2, kHostStart},
  };
  for (const Case& c : cases) {
    SetUp();
    showOnM1();
    hold({kWin});
    EXPECT_EQ(tap(platform::kKeyRight, c.extraInfo), c.reachedHost) << c.name;
    EXPECT_EQ(hostRect(), c.after) << c.name;
    TearDown();
  }
}

TEST_F(HotkeysTest, WinReleasedBeforeTheArrowLetsTheReleaseThrough) {
  showOnM1();
  hold({kWin});
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  fake::setKeyDown(kWin, false);
  EXPECT_TRUE(fake::keyUp(platform::kKeyRight));
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(HotkeysTest, CtrlReleasedBeforeTheDigitChangesNothing) {
  showOnM1();
  hold({kWin, kCtrl});
  EXPECT_FALSE(fake::keyDown('5'));
  fake::setKeyDown(kCtrl, false);
  EXPECT_TRUE(fake::keyUp('5'));
  EXPECT_EQ(controller().options.resizePercentValue, 80);
  EXPECT_FALSE(fake::fileExists(kSettingsPath));
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(HotkeysTest, WidthHotkeyStoresItsChoiceWhereTheNextLoadFindsIt) {
  showOnM1();
  hold({kWin, kCtrl});
  tap('5');
  EXPECT_EQ(hostRect().right - hostRect().left, 960);
  EXPECT_EQ(controller().options.resizePercentValue, 50);
  EXPECT_FALSE(controller().options.resizePercent) << "the flag stays as it was";
  EXPECT_EQ(fake::fileText(kSettingsPath),
            "[Options]\r\nResizePercentValueH=50\r\nResizePercentValue=50\r\n");
  controller().ReloadOptions();
  EXPECT_EQ(controller().options.resizePercentValue, 50);
}

TEST_F(HotkeysTest, HeightHotkeyWritesTheVerticalKey) {
  showOnM1();
  hold({kWin, kCtrl, kShift});
  tap('0');
  EXPECT_EQ(hostRect().bottom - hostRect().top, 1080);
  EXPECT_EQ(controller().options.resizePercentValueV, 100);
  EXPECT_EQ(fake::fileText(kSettingsPath), "[Options]\r\nResizePercentValueV=100\r\n");
}

TEST_F(HotkeysTest, EveryDigitGivesItsPercentage) {
  showOnM1();
  hold({kWin, kCtrl});
  const std::int32_t expected[] = {100, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  for (int digit = 0; digit <= 9; ++digit) {
    tap('0' + digit);
    EXPECT_EQ(controller().options.resizePercentValue, expected[digit]) << digit;
    EXPECT_EQ(hostRect().right - hostRect().left, 1920 * expected[digit] / 100) << digit;
  }
}

TEST_F(HotkeysTest, APercentageHotkeyAppliesOnlyToItsOwnMove) {
  showOnM1();
  hold({kWin, kCtrl});
  tap('5');
  fake::setKeyDown(kCtrl, false);
  tap(platform::kKeyRight);
  // Scaled from 960 on M1 by 1280/1920, not 50 % of M2.
  EXPECT_EQ(hostRect().right - hostRect().left, 640);
  fake::setWindowRect(host, kHostStart);
  hide();
  show(onM2);
  EXPECT_EQ(hostRect(), kHostOnM2) << "the next show ignores the percentage";
}

TEST_F(HotkeysTest, NothingHappensWhileHiddenNotInFrontOrDisabled) {
  for (int variant = 0; variant < 3; ++variant) {
    SetUp();
    if (variant == 2) setOption("EnableHotkeys", 0);
    showOnM1();
    if (variant == 0) hide();
    if (variant == 1) fake::setForegroundWindow(onM2);
    hold({kWin, kCtrl});
    EXPECT_EQ(tap(platform::kKeyRight), 2) << variant;
    EXPECT_EQ(tap('5'), 2) << variant;
    EXPECT_EQ(hostRect(), kHostStart) << variant;
    EXPECT_EQ(controller().options.resizePercentValue, 80) << variant;
    EXPECT_THAT(fake::fileText(kSettingsPath), ::testing::Not(::testing::HasSubstr("Resize")))
        << variant;
    TearDown();
  }
}

TEST_F(HotkeysTest, HomeCentresWithoutTouchingTheCentredRectangle) {
  setOption("Center", 1);
  showOnM1();
  const platform::Rect remembered = controller().lastCenteredRect;
  // The host moved the window: Home centres it; the nested check sees it off
  // the remembered rectangle, centres it too and forgets the rectangle.
  fake::setWindowRect(host, {0, 0, 800, 400});
  hold({kWin});
  tap(platform::kKeyHome);
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740}));
  EXPECT_EQ(remembered, (platform::Rect{560, 340, 1360, 740}));
  EXPECT_EQ(controller().lastCenteredRect, platform::Rect{});
}

TEST_F(HotkeysTest, TypingCostsOneKeyStateQueryAndHiddenCostsNone) {
  showOnM1();
  const fake::CallCounts shown = fake::calls();
  tap('A');
  EXPECT_EQ(fake::calls().getAsyncKeyState - shown.getAsyncKeyState, 2) << "one per keystroke";
  EXPECT_EQ(fake::calls().getForegroundWindow, shown.getForegroundWindow);

  hide();
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0)
      << "while hidden no keystroke of the desktop passes through us";
  const fake::CallCounts hidden = fake::calls();
  hold({kWin});
  tap('A');
  tap(platform::kKeyRight);
  EXPECT_EQ(fake::calls().getAsyncKeyState, hidden.getAsyncKeyState);
  EXPECT_EQ(fake::calls().getForegroundWindow, hidden.getForegroundWindow);
}

// Monitors of equal size, so a move keeps the offset (100, 100) exactly.
class MonitorCyclingTest : public TrackingTest {
 protected:
  void layOut(int count) {
    fake::clearDisplays();
    // Enumerated right to left: the list still runs left to right.
    for (int i = count - 1; i >= 0; --i) fake::addMonitor({1000 * i, 0, 1000 * i + 1000, 800});
    init();
    fake::sendMessage(host, platform::kMessageShowWindow, 1);
  }
  // The monitor index the window ends on after `step` from `from`, -1 if it
  // was not moved.
  int stepFrom(int from, MonitorStep step) {
    fake::setWindowRect(host, {1000 * from + 100, 100, 1000 * from + 300, 200});
    fake::clearMoveCalls();
    MoveToMonitor(controller(), step, 0, 0);
    if (fake::moveCalls().empty()) return -1;
    EXPECT_EQ(hostRect().left % 1000, 100);
    return hostRect().left / 1000;
  }
};

TEST_F(MonitorCyclingTest, MoveToMonitorTakesTheWindowToTheSteppedMonitor) {
  // Which index each step selects is tabled against the core; these rows
  // check that the shell steps through the list it builds, left to right
  // whatever the enumeration order, and moves to the entry selected or not
  // at all.
  struct Case {
    int monitors;
    int current;
    int next;
    int previous;
    int same;
  };
  const Case cases[] = {{1, 0, 0, -1, 0}, {3, 1, 2, 0, 1}, {3, 0, 1, 2, 0}};
  for (const Case& c : cases) {
    SetUp();
    layOut(c.monitors);
    EXPECT_EQ(stepFrom(c.current, MonitorStep::Next), c.next) << c.monitors << "/" << c.current;
    EXPECT_EQ(stepFrom(c.current, MonitorStep::Previous), c.previous)
        << c.monitors << "/" << c.current;
    EXPECT_EQ(stepFrom(c.current, MonitorStep::Same), c.same) << c.monitors << "/" << c.current;
    TearDown();
  }
}

TEST_F(MonitorCyclingTest, NoCurrentMonitorMeansNoTarget) {
  // The window is on no monitor, so the shell has no index to step from.
  layOut(3);
  for (MonitorStep step : {MonitorStep::Next, MonitorStep::Previous, MonitorStep::Same}) {
    fake::setWindowRect(host, {-900, 100, -700, 200});
    fake::clearMoveCalls();
    MoveToMonitor(controller(), step, 50, 0);
    EXPECT_TRUE(fake::moveCalls().empty());
  }
}

TEST_F(MonitorCyclingTest, NoCurrentMonitorStillCentresWhenCentring) {
  setOption("Center", 1);
  layOut(2);
  fake::setWindowRect(host, {-900, 100, -700, 200});
  MoveToMonitor(controller(), MonitorStep::Next, 0, 0);
  // The centre lies on no monitor either: the window stays, and that is
  // what is remembered.
  EXPECT_EQ(hostRect(), (platform::Rect{-900, 100, -700, 200}));
  EXPECT_EQ(controller().lastCenteredRect, (platform::Rect{-900, 100, -700, 200}));
}

TEST_F(MonitorCyclingTest, WinRightFromTheLastMonitorWrapsToTheFirst) {
  layOut(3);
  fake::setForegroundWindow(host);
  fake::setWindowRect(host, {2100, 100, 2300, 200});
  fake::setKeyDown(kWin, true);
  fake::keyDown(platform::kKeyRight);
  fake::keyUp(platform::kKeyRight);
  EXPECT_EQ(hostRect(), (platform::Rect{100, 100, 300, 200}));
}

}  // namespace

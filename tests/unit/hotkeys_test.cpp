#include "tracking/hotkeys.h"

#include "plugin/hook_procedures.h"
#include "tracking_fixture.h"

#include <gmock/gmock.h>

#include <initializer_list>
#include <ostream>
#include <vector>

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
  // The main window shown on M1 and in front.
  void showOnM1() {
    init();
    show(onM1);
    fake::clearMoveCalls();
  }
  void hold(std::initializer_list<int> keys) {
    for (int key : keys) fake::setKeyDown(key, true);
  }
  // Press and release of `key`, then VESK's thread takes what the hook
  // handed it; answers how many of the two keystrokes reached the host.
  int tap(int key, std::uintptr_t extraInfo = 0) {
    const bool press = fake::keyDown(key, extraInfo);
    const bool release = fake::keyUp(key, extraInfo);
    fake::pumpSentMessages();
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

// Each combination pressed and released once with the main window shown on
// M1 and in front.
enum class Hotkey { Recognised, NotRecognised };

struct CombinationRow {
  const char* name;
  std::vector<int> held;
  int key;
  Hotkey hotkey;  // recognised: both keystrokes swallowed
  platform::Rect after;
};

void PrintTo(const CombinationRow& row, std::ostream* os) { *os << row.name; }

const CombinationRow kCombinations[] = {
    {"WinRightGoesToTheNextMonitor", {kWin}, platform::kKeyRight, Hotkey::Recognised, kHostOnM2},
    {"WinLeftWrapsFromTheFirstToTheLastMonitor",
     {kWin},
     platform::kKeyLeft,
     Hotkey::Recognised,
     kHostOnM2},
    {"WinLeftWithCtrlAndShiftStillSteps",
     {kWin, kCtrl, kShift},
     platform::kKeyLeft,
     Hotkey::Recognised,
     kHostOnM2},
    {"WinHomeCentres", {kWin}, platform::kKeyHome, Hotkey::Recognised, {560, 340, 1360, 740}},
    {"WinCtrlDigitSetsTheWidth", {kWin, kCtrl}, '5', Hotkey::Recognised, {560, 340, 1520, 740}},
    {"WinCtrlShiftDigitSetsTheHeight",
     {kWin, kCtrl, kShift},
     '0',
     Hotkey::Recognised,
     {560, 340, 1360, 1420}},
    {"WinDigitWithoutCtrl", {kWin}, '5', Hotkey::NotRecognised, kHostStart},
    {"WinShiftDigitWithoutCtrl", {kWin, kShift}, '5', Hotkey::NotRecognised, kHostStart},
    {"WinUp", {kWin}, kUp, Hotkey::NotRecognised, kHostStart},
    {"WinDown", {kWin}, kDown, Hotkey::NotRecognised, kHostStart},
    {"CtrlRightWithoutWin", {kCtrl}, platform::kKeyRight, Hotkey::NotRecognised, kHostStart},
    {"RightWindowsKeyRight", {kRightWin}, platform::kKeyRight, Hotkey::NotRecognised, kHostStart},
    {"RightWindowsKeyCtrlDigit", {kRightWin, kCtrl}, '5', Hotkey::NotRecognised, kHostStart},
    {"WinCtrlKeypadDigit", {kWin, kCtrl}, kNumpad5, Hotkey::NotRecognised, kHostStart},
    {"WinCtrlLetter", {kWin, kCtrl}, 'A', Hotkey::NotRecognised, kHostStart},
};

class HotkeyCombinationTest : public TrackingTableTest<CombinationRow, HotkeysTest> {
 protected:
  // Answers how many of the two keystrokes reached the host.
  int pressAndRelease() {
    const CombinationRow& row = GetParam();
    showOnM1();
    for (int key : row.held) fake::setKeyDown(key, true);
    return tap(row.key);
  }
  bool recognised() const { return GetParam().hotkey == Hotkey::Recognised; }
};

TEST_P(HotkeyCombinationTest, RecognisedCombinationsAreSwallowedAndActOnRelease) {
  EXPECT_EQ(pressAndRelease(), recognised() ? 0 : 2);
  EXPECT_EQ(hostRect(), GetParam().after);
}

// The system would otherwise see the Windows key released alone and open the
// Start menu.
TEST_P(HotkeyCombinationTest, EachDroppedPressIsMaskedOnce) {
  pressAndRelease();
  EXPECT_EQ(maskKeystrokes(), recognised() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Combinations, HotkeyCombinationTest, ::testing::ValuesIn(kCombinations),
                         TableRowName<CombinationRow>);

TEST_F(HotkeysTest, AutoRepeatIsSwallowedMaskedAndMovesOnceOnRelease) {
  showOnM1();
  hold({kWin});
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyUp(platform::kKeyRight));
  EXPECT_TRUE(fake::moveCalls().empty()) << "decided apart from VESK's thread";
  fake::pumpSentMessages();
  EXPECT_EQ(fake::moveCalls().size(), 1u);
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_EQ(maskKeystrokes(), 3);
}

struct InjectedRow {
  const char* name;
  std::uintptr_t extraInfo;
  int reachedHost;  // of the press and the release of Win+Right
  platform::Rect after;
};

void PrintTo(const InjectedRow& row, std::ostream* os) { *os << row.name; }

const InjectedRow kInjected[] = {
    {"InjectedByARemappingTool", 0x1234, /*reachedHost=*/0, kHostOnM2},
    {"MarkedAsOurs", kOwnKeystrokeMark, /*reachedHost=*/2, kHostStart},
};

class InjectedKeystrokeTest : public TrackingTableTest<InjectedRow, HotkeysTest> {};

TEST_P(InjectedKeystrokeTest, OtherProgramsInjectedKeystrokesCountButOurOwnPass) {
  const InjectedRow& row = GetParam();
  showOnM1();
  hold({kWin});
  EXPECT_EQ(tap(platform::kKeyRight, row.extraInfo), row.reachedHost);
  EXPECT_EQ(hostRect(), row.after);
}

INSTANTIATE_TEST_SUITE_P(Injected, InjectedKeystrokeTest, ::testing::ValuesIn(kInjected),
                         TableRowName<InjectedRow>);

TEST_F(HotkeysTest, WinReleasedBeforeTheArrowLetsTheReleaseThrough) {
  showOnM1();
  hold({kWin});
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  fake::setKeyDown(kWin, false);
  EXPECT_TRUE(fake::keyUp(platform::kKeyRight));
  fake::pumpSentMessages();
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(HotkeysTest, CtrlReleasedBeforeTheDigitChangesNothing) {
  showOnM1();
  hold({kWin, kCtrl});
  EXPECT_FALSE(fake::keyDown('5'));
  fake::setKeyDown(kCtrl, false);
  EXPECT_TRUE(fake::keyUp('5'));
  fake::pumpSentMessages();
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

enum class Inactive { Hidden, NotInFront, Disabled };

struct InactiveRow {
  const char* name;
  Inactive why;
};

void PrintTo(const InactiveRow& row, std::ostream* os) { *os << row.name; }

const InactiveRow kInactive[] = {
    {"WhileHidden", Inactive::Hidden},
    {"WhileNotInFront", Inactive::NotInFront},
    {"WhileDisabled", Inactive::Disabled},
};

class InactiveHotkeysTest : public TrackingTableTest<InactiveRow, HotkeysTest> {};

TEST_P(InactiveHotkeysTest, NothingHappensAndEveryKeystrokePasses) {
  const Inactive why = GetParam().why;
  if (why == Inactive::Disabled) setOption("EnableHotkeys", 0);
  showOnM1();
  if (why == Inactive::Hidden) hide();
  if (why == Inactive::NotInFront) fake::setForegroundWindow(onM2);
  hold({kWin, kCtrl});
  EXPECT_EQ(tap(platform::kKeyRight), 2);
  EXPECT_EQ(tap('5'), 2);
  EXPECT_EQ(hostRect(), kHostStart);
  EXPECT_EQ(controller().options.resizePercentValue, 80);
  EXPECT_THAT(fake::fileText(kSettingsPath), ::testing::Not(::testing::HasSubstr("Resize")));
}

INSTANTIATE_TEST_SUITE_P(Inactive, InactiveHotkeysTest, ::testing::ValuesIn(kInactive),
                         TableRowName<InactiveRow>);

// Win+Right is pressed and released, and before VESK's thread takes the
// hotkey the window goes, or the plugin does: the thread and its hook go
// with it, the pending hotkey is dropped, and the module reference the
// thread held is given back as it leaves.
enum class Goes { HiddenBySetWindowPos, Destroyed, ShutDown, Unloaded, StartedAgain };

struct PendingRow {
  const char* name;
  Goes how;
  bool hotkeysAfter;  // the window still shown, with a controller
};

void PrintTo(const PendingRow& row, std::ostream* os) { *os << row.name; }

const PendingRow kPending[] = {
    {"HiddenBySetWindowPos", Goes::HiddenBySetWindowPos, false},
    {"DestroyedWhileShown", Goes::Destroyed, false},
    {"ShutDown", Goes::ShutDown, false},
    {"Unloaded", Goes::Unloaded, false},
    {"StartedAgainWhileShown", Goes::StartedAgain, true},
};

class PendingHotkeyTest : public TrackingTableTest<PendingRow, HotkeysTest> {};

TEST_P(PendingHotkeyTest, NothingOfOursOutlivesItAndThePendingHotkeyIsDropped) {
  const PendingRow& row = GetParam();
  showOnM1();
  EXPECT_EQ(fake::liveThreads(), 1);
  EXPECT_EQ(fake::moduleReferences(kPluginModule), 1);
  hold({kWin});
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight));
  EXPECT_FALSE(fake::keyUp(platform::kKeyRight));
  EXPECT_EQ(fake::pendingSentMessages(), 1);
  switch (row.how) {
    case Goes::HiddenBySetWindowPos:
      fake::setWindowPos(host, platform::kWindowPosHideWindow);
      break;
    case Goes::Destroyed:
      fake::destroyWindow(host);
      break;
    case Goes::ShutDown:
      PluginFunc_DoShutDown();
      break;
    case Goes::Unloaded:
      OnLibraryUnload(false);
      break;
    case Goes::StartedAgain:
      init();
      break;
  }
  fake::pumpSentMessages();
  EXPECT_TRUE(fake::moveCalls().empty()) << "the pending hotkey was dropped";
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), row.hotkeysAfter ? 1 : 0);
  EXPECT_EQ(fake::liveThreads(), row.hotkeysAfter ? 1 : 0);
  EXPECT_EQ(fake::moduleReferences(kPluginModule), row.hotkeysAfter ? 1 : 0);
  EXPECT_EQ(fake::exitsReleasingModule(), 1) << "the thread left giving its reference back";
  // Hotkeys work at once after a start while the window is shown.
  EXPECT_EQ(tap(platform::kKeyRight), row.hotkeysAfter ? 0 : 2);
  if (row.how != Goes::Destroyed) {
    EXPECT_EQ(hostRect(), row.hotkeysAfter ? kHostOnM2 : kHostStart);
  }
}

INSTANTIATE_TEST_SUITE_P(Pending, PendingHotkeyTest, ::testing::ValuesIn(kPending),
                         TableRowName<PendingRow>);

// Windows removes a low-level hook that answers too slowly, silently; ours
// comes back as soon as the window is activated again, without a hide.
TEST_F(HotkeysTest, AHookWindowsRemovedComesBackWhenTheWindowIsActivated) {
  showOnM1();
  fake::dropHooksSilently(platform::kHookKeyboardLowLevel);
  hold({kWin});
  EXPECT_EQ(tap(platform::kKeyRight), 2);
  fake::sendMessage(host, platform::kMessageActivate, 1);
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 1);
  EXPECT_EQ(tap(platform::kKeyRight), 0);
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_EQ(fake::liveThreads(), 1) << "renewed on the same thread";
}

// Keystrokes are decided on the hook's thread in the order they come, and
// VESK's thread does the work in that order once it takes its messages.
TEST_F(HotkeysTest, HotkeysPressedWhileVeskIsBusyRunInTheirOrderLater) {
  showOnM1();
  hold({kWin, kCtrl});
  for (const int key : {'5', '3'}) {
    EXPECT_FALSE(fake::keyDown(key));
    EXPECT_FALSE(fake::keyUp(key));
  }
  EXPECT_EQ(fake::pendingSentMessages(), 2);
  EXPECT_TRUE(fake::moveCalls().empty());
  fake::pumpSentMessages();
  EXPECT_EQ(controller().options.resizePercentValue, 30) << "the last one pressed wins";
  EXPECT_EQ(hostRect().right - hostRect().left, 576);
  EXPECT_EQ(fake::moveCalls().size(), 2u);
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

// Which index each step selects is tabled against the core; these rows check
// that the shell steps through the list it builds, left to right whatever
// the enumeration order, and moves to the entry selected or not at all.
struct SteppedMoveRow {
  const char* name;
  int monitors;
  int from;
  MonitorStep step;
  int lands;  // the monitor's index, -1: not moved
};

void PrintTo(const SteppedMoveRow& row, std::ostream* os) { *os << row.name; }

const SteppedMoveRow kSteppedMoves[] = {
    {"NextOnTheOnlyMonitorStays", 1, 0, MonitorStep::Next, 0},
    {"PreviousOnTheOnlyMonitorMovesNothing", 1, 0, MonitorStep::Previous, -1},
    {"SameOnTheOnlyMonitorStays", 1, 0, MonitorStep::Same, 0},
    {"NextFromTheMiddleOfThree", 3, 1, MonitorStep::Next, 2},
    {"PreviousFromTheMiddleOfThree", 3, 1, MonitorStep::Previous, 0},
    {"SameFromTheMiddleOfThree", 3, 1, MonitorStep::Same, 1},
    {"NextFromTheFirstOfThree", 3, 0, MonitorStep::Next, 1},
    {"PreviousFromTheFirstOfThreeWrapsToTheLast", 3, 0, MonitorStep::Previous, 2},
    {"SameFromTheFirstOfThree", 3, 0, MonitorStep::Same, 0},
};

class SteppedMoveTest : public TrackingTableTest<SteppedMoveRow, MonitorCyclingTest> {};

TEST_P(SteppedMoveTest, MoveToMonitorTakesTheWindowToTheSteppedMonitor) {
  const SteppedMoveRow& row = GetParam();
  layOut(row.monitors);
  EXPECT_EQ(stepFrom(row.from, row.step), row.lands);
}

INSTANTIATE_TEST_SUITE_P(Steps, SteppedMoveTest, ::testing::ValuesIn(kSteppedMoves),
                         TableRowName<SteppedMoveRow>);

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
  fake::pumpSentMessages();
  EXPECT_EQ(hostRect(), (platform::Rect{100, 100, 300, 200}));
}

}  // namespace

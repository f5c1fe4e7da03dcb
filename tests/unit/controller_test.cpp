#include "tracking_fixture.h"

#include <gmock/gmock.h>

namespace {

class ControllerTest : public TrackingTest {};

TEST_F(ControllerTest, ShowLandsOnThePreviousWindowsMonitor) {
  init();
  show(onM2);
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_TRUE(controller().shown);
  ASSERT_EQ(fakeHost().requests.size(), 2u);
  EXPECT_EQ(fakeHost().requests[1].request, "resolve:%LASTHWND%");
  EXPECT_EQ(fakeHost().requests[1].size, 16);
  EXPECT_EQ(fakeHost().requests[1].pluginId, 7);
}

TEST_F(ControllerTest, EveryFormOfThePreviousWindowAnswer) {
  // The pointer waits on M2 and the previous window lies on M1 with the host:
  // the mouse case moves the host to M2, the previous window keeps it on M1.
  const platform::WindowHandle previous = onM1;
  const std::string number = std::to_string(previous);
  struct Case {
    std::string answer;
    bool followsMouse;
  };
  const Case cases[] = {
      {number, false},
      {"   " + number, false},
      {"\t" + number + "xyz", false},
      {"+" + number, false},
      {"000000000000000" + number, false},  // all 16 bytes, no terminator
      {"-1", false},                        // a handle with the high bit set
      {"", true},
      {"0", true},
      {"abc", true},
      {"0x" + number, true},
      {"2147483648", true},
      {"-2147483649", true},
      {"- " + number, true},
  };
  for (const Case& c : cases) {
    SetUp();
    fake::setCursor({2500, 500});
    init();
    showAnswering(c.answer);
    EXPECT_EQ(hostRect(), c.followsMouse ? kHostOnM2 : kHostStart) << '"' << c.answer << '"';
    TearDown();
  }
}

TEST_F(ControllerTest, DesktopAndShellWindowsMeanTheMouse) {
  const platform::WindowHandle shell = fake::createWindow({0, 0, 1920, 1080});
  fake::setShellWindow(shell);
  fake::setCursor({2500, 500});
  init();
  show(shell);
  EXPECT_EQ(hostRect(), kHostOnM2);

  fake::setWindowRect(host, kHostStart);
  hide();
  show(platform::getDesktopWindow());
  EXPECT_EQ(hostRect(), kHostOnM2);
}

TEST_F(ControllerTest, MouseOptionWinsOverAKnownPreviousWindow) {
  setOption("ShowOnMonitorWithMouse", 1);
  fake::setCursor({2500, 500});
  init();
  show(onM1);
  EXPECT_EQ(hostRect(), kHostOnM2);
}

TEST_F(ControllerTest, OnlyThePointersHorizontalPositionCounts) {
  fake::setCursor({2000, 5000});  // below M2, within its horizontal span
  init();
  showAnswering("");
  EXPECT_EQ(hostRect(), kHostOnM2);
}

TEST_F(ControllerTest, PointerOnNoMonitorMovesNothingUnlessCentring) {
  fake::setCursor({-50, 100});
  init();
  showAnswering("");
  EXPECT_EQ(hostRect(), kHostStart);
  EXPECT_TRUE(fake::moveCalls().empty());

  TearDown();
  SetUp();
  setOption("Center", 1);
  fake::setCursor({-50, 100});
  init();
  showAnswering("");
  // Centred on M1, where it already stood centred: remembered, not moved.
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740}));
  EXPECT_EQ(controller().lastCenteredRect, (platform::Rect{560, 340, 1360, 740}));
  EXPECT_TRUE(fake::moveCalls().empty());

  fake::setWindowRect(host, {0, 0, 800, 400});
  hide();
  showAnswering("");
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740})) << "a window off centre is moved";
}

TEST_F(ControllerTest, StackedMonitorsResolveToTheFirstInListOrder) {
  fake::clearDisplays();
  fake::addMonitor({0, 0, 1920, 1080}, true);
  fake::addMonitor({0, 1080, 1280, 2104});
  const platform::WindowHandle below = fake::createWindow({100, 1200, 500, 1400});
  fake::setCursor({100, 1500});
  init();
  show(below);
  EXPECT_EQ(hostRect(), kHostStart) << "the upper monitor wins for both lookups";
  hide();
  showAnswering("");
  EXPECT_EQ(hostRect(), kHostStart);
}

TEST_F(ControllerTest, DisabledMultiMonitorStillAsksTheHostButMovesNothing) {
  setOption("EnableMultiMonitor", 0);
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  show(onM2);
  EXPECT_EQ(fakeHost().requests.size(), 2u);
  EXPECT_EQ(hostRect(), kHostStart);
  // The window's own size change still re-centres it.
  fake::setWindowRect(host, {0, 0, 800, 400});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740}));
}

TEST_F(ControllerTest, HidingClearsShownWithoutAskingTheHost) {
  init();
  show(onM2);
  hide();
  EXPECT_FALSE(controller().shown);
  EXPECT_EQ(fakeHost().requests.size(), 2u);
  fake::sendMessage(host, platform::kMessageShowWindow, 2);
  EXPECT_FALSE(controller().shown) << "only 1 means shown";
  EXPECT_EQ(fakeHost().requests.size(), 2u);
}

TEST_F(ControllerTest, TwoShowsInARowPlaceTwice) {
  init();
  show(onM2);
  fake::setWindowRect(host, kHostStart);
  show(onM2);
  EXPECT_EQ(fakeHost().requests.size(), 3u);
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_EQ(fake::moveCalls().size(), 2u);
}

TEST_F(ControllerTest, InitialisedWhileVisibleDoesNothingUntilShownAgain) {
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  fake::setWindowRect(host, {0, 0, 800, 400});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_TRUE(fake::moveCalls().empty());
  fake::setKeyDown(platform::kKeyLeftWindows, true);
  EXPECT_TRUE(fake::keyDown(platform::kKeyRight));
  EXPECT_TRUE(fake::keyUp(platform::kKeyRight));
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(ControllerTest, OtherWindowsOfTheThreadAreIgnored) {
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  fake::showWindow(onM1, true);
  EXPECT_EQ(fakeHost().requests.size(), 1u);
  EXPECT_FALSE(controller().shown);
  show(onM2);
  fake::clearMoveCalls();
  fake::sendMessage(onM1, platform::kMessageWindowPosChanging, 0);
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(ControllerTest, TheHookOnlyWatches) {
  init();
  const int before = fake::callNextHookCount();
  show(onM2);
  fake::sendMessage(host, 0x0005, 0);  // WM_SIZE: not ours
  const auto& received = fake::receivedMessages();
  ASSERT_GE(received.size(), 3u);
  EXPECT_EQ(received.back().message, 0x0005u);
  // Every delivery went on to the next hook: show, its pos-changing, the
  // placement's pos-changing, WM_SIZE.
  EXPECT_EQ(fake::callNextHookCount() - before, 4);
}

// The centre-always table, one notification at a time.
TEST_F(ControllerTest, CenterAlwaysDecisions) {
  const platform::Rect centredOnM1{560, 340, 1360, 740};
  const platform::Rect elsewhere{0, 0, 800, 400};
  struct Case {
    const char* name;
    bool center;
    bool centerAlways;
    platform::Rect lastCentered;
    platform::Rect window;
    bool centres;
  };
  const Case cases[] = {
      {"set, unchanged", true, false, centredOnM1, centredOnM1, false},
      {"set, unchanged, always", true, true, centredOnM1, centredOnM1, false},
      {"set, moved", true, false, centredOnM1, elsewhere, true},
      {"set, moved, always", true, true, centredOnM1, elsewhere, true},
      {"empty", true, false, {}, elsewhere, false},
      {"empty, always", true, true, {}, elsewhere, true},
      {"tiny rectangle counts as set", true, false, {0, 0, 0, 5}, elsewhere, true},
      {"center off", false, true, centredOnM1, elsewhere, false},
  };
  for (const Case& c : cases) {
    SetUp();
    setOption("Center", c.center);
    setOption("CenterAlways", c.centerAlways);
    init();
    fake::sendMessage(host, platform::kMessageShowWindow, 1);
    controller().lastCenteredRect = c.lastCentered;
    fake::setWindowRect(host, c.window);
    fake::clearMoveCalls();
    fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
    EXPECT_EQ(hostRect(), c.centres ? centredOnM1 : c.window) << c.name;
    const platform::Rect expectedLast = c.centres ? platform::Rect{} : c.lastCentered;
    EXPECT_EQ(controller().lastCenteredRect, expectedLast) << c.name;
    TearDown();
  }
}

TEST_F(ControllerTest, CenterWithoutAlwaysRecentresOnceAfterAShow) {
  setOption("Center", 1);
  init();
  show(onM2);
  const platform::Rect centred{2293, 322, 2826, 701};
  EXPECT_EQ(hostRect(), centred);
  EXPECT_EQ(controller().lastCenteredRect, centred);

  fake::clearMoveCalls();
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_TRUE(fake::moveCalls().empty()) << "still where it was centred";

  fake::setWindowRect(host, {1920, 0, 2720, 600});  // the host grew the window
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), (platform::Rect{2160, 212, 2960, 812}));
  EXPECT_EQ(controller().lastCenteredRect, platform::Rect{});

  fake::setWindowRect(host, {1920, 0, 2720, 600});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), (platform::Rect{1920, 0, 2720, 600})) << "forgotten until the next show";
}

TEST_F(ControllerTest, CenterAlwaysRecentresEveryTime) {
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  show(onM2);
  for (int i = 0; i < 3; ++i) {
    fake::setWindowRect(host, {1920, 0, 2720, 600});
    fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
    EXPECT_EQ(hostRect(), (platform::Rect{2160, 212, 2960, 812})) << i;
  }
}

TEST_F(ControllerTest, NothingIsCentredWhileThePrimaryButtonIsHeld) {
  struct Case {
    bool swapped;
    int held;  // 0: none
    bool centres;
  };
  const Case cases[] = {
      {false, 0, true},
      {false, platform::kKeyLeftButton, false},
      {false, platform::kKeyRightButton, true},
      // Left-handed: the physical right button drags.
      {true, 0, true},
      {true, platform::kKeyRightButton, false},
      {true, platform::kKeyLeftButton, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "swapped " << c.swapped << ", held " << c.held);
    setOption("Center", 1);
    setOption("CenterAlways", 1);
    init();
    show(onM2);
    fake::setMouseButtonsSwapped(c.swapped);
    if (c.held != 0) fake::setAsyncKeyDown(c.held, true);
    fake::setWindowRect(host, {1920, 0, 2720, 600});
    fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
    EXPECT_EQ(hostRect(), c.centres ? (platform::Rect{2160, 212, 2960, 812})
                                    : (platform::Rect{1920, 0, 2720, 600}));
    if (c.held != 0) fake::setAsyncKeyDown(c.held, false);
    fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
    EXPECT_EQ(hostRect(), (platform::Rect{2160, 212, 2960, 812})) << "once released";
    TearDown();
    SetUp();
  }
}

TEST_F(ControllerTest, ACentreAlwaysCentringDoesNotRecurseIntoItself) {
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  fake::sendMessage(host, platform::kMessageShowWindow, 1);
  fake::setWindowRect(host, {0, 0, 800, 400});
  fake::clearMoveCalls();
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(fake::moveCalls().size(), 1u) << "the nested notification is passed on";
  EXPECT_EQ(fake::maxPosChangingDepth(), 1);
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740}));
  EXPECT_EQ(controller().lastCenteredRect, platform::Rect{});
}

TEST_F(ControllerTest, APlacementsOwnMoveIsCheckedOneLevelDeep) {
  // The second show's move passes the check while the first show's centred
  // rectangle is still remembered: the window has left it, so the nested
  // check centres the window (on M1, where it still is) and forgets the
  // rectangle; then the placement's own centring on M2 stores the new one.
  setOption("Center", 1);
  init();
  show(onM1);
  EXPECT_EQ(controller().lastCenteredRect, (platform::Rect{560, 340, 1360, 740}));
  fake::setWindowRect(host, {100, 100, 900, 500});
  fake::clearMoveCalls();
  show(onM2);
  EXPECT_EQ(fake::maxPosChangingDepth(), 2);
  ASSERT_GE(fake::moveCalls().size(), 2u);
  EXPECT_EQ(fake::moveCalls()[1].x, 560) << "the nested check centred on M1";
  EXPECT_EQ(hostRect(), kHostOnM2);
  EXPECT_EQ(controller().lastCenteredRect, kHostOnM2);
}

TEST_F(ControllerTest, WindowPosChangingCostsNoPlatformCallWhileCentringIsOff) {
  init();
  show(onM2);
  const fake::CallCounts before = fake::calls();
  for (int i = 0; i < 10; ++i) fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(fake::calls().getAsyncKeyState, before.getAsyncKeyState);
  EXPECT_EQ(fake::calls().getWindowRect, before.getWindowRect);
}

TEST_F(ControllerTest, ReloadKeepsShownAndTheCentredRectangle) {
  setOption("Center", 1);
  init();
  show(onM2);
  setOption("Center", 0);
  controller().ReloadOptions();
  EXPECT_FALSE(controller().options.center);
  EXPECT_TRUE(controller().shown);
  EXPECT_EQ(controller().lastCenteredRect, kHostOnM2);
}

TEST_F(ControllerTest, AfterShutDownNothingMoves) {
  init();
  PluginFunc_DoShutDown();
  show(onM2);
  fake::setKeyDown(platform::kKeyLeftWindows, true);
  fake::keyUp(platform::kKeyRight);
  EXPECT_TRUE(fake::moveCalls().empty());
  EXPECT_EQ(hostRect(), kHostStart);
}

}  // namespace

#include "tracking_fixture.h"

#include <gmock/gmock.h>

#include <ostream>
#include <string>
#include <vector>

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

// The host answers "resolve:%LASTHWND%" with up to 16 bytes of text. The
// pointer waits on M2; the host window, the named window and the centre of
// the virtual screen lie on M1: an answer read as an ordinary window keeps
// the host on M1, one read as no window, the desktop in any form, or a window
// on no monitor sends it to M2 with the mouse.
enum class ReadAs { ThePreviousWindow, TheMouse };

// The window the answer names, made by the fixture.
enum class Named {
  WindowOnM1,
  DesktopIconView,     // the shell's WorkerW, after "Show desktop"
  ShellsBareWorkerW,   // of the shell's thread, without the icon view
  ProgramsOwnWorkerW,  // on M1, hosting a shell view of its own
  MinimisedAndParked,  // as Windows minimises
  MinimisedInPlace,    // as Wine minimises without a window manager
  BeyondEveryMonitor,
};

struct AnswerRow {
  const char* name;
  const char* answer;  // '#' stands for the named window's handle in decimal
  ReadAs readAs;
  Named named = Named::WindowOnM1;
};

void PrintTo(const AnswerRow& row, std::ostream* os) { *os << row.name; }

const AnswerRow kAnswers[] = {
    {"PlainNumber", "#", ReadAs::ThePreviousWindow},
    {"LeadingSpaces", "   #", ReadAs::ThePreviousWindow},
    {"LeadingTabAndTrailingLetters", "\t#xyz", ReadAs::ThePreviousWindow},
    {"PlusSign", "+#", ReadAs::ThePreviousWindow},
    {"AllSixteenBytesWithoutTerminator", "000000000000000#", ReadAs::ThePreviousWindow},
    {"MinusOneIsAHandleWithTheHighBitSet", "-1", ReadAs::ThePreviousWindow},
    {"Empty", "", ReadAs::TheMouse},
    {"Zero", "0", ReadAs::TheMouse},
    {"Letters", "abc", ReadAs::TheMouse},
    {"HexadecimalPrefix", "0x#", ReadAs::TheMouse},
    {"AboveThirtyTwoBits", "2147483648", ReadAs::TheMouse},
    {"BelowThirtyTwoBits", "-2147483649", ReadAs::TheMouse},
    {"SpaceAfterTheSign", "- #", ReadAs::TheMouse},
    {"DesktopIconViewAfterShowDesktop", "#", ReadAs::TheMouse, Named::DesktopIconView},
    {"ShellsWorkerWWithoutTheIconView", "#", ReadAs::ThePreviousWindow, Named::ShellsBareWorkerW},
    {"ProgramsOwnWorkerW", "#", ReadAs::ThePreviousWindow, Named::ProgramsOwnWorkerW},
    {"MinimisedAndParked", "#", ReadAs::TheMouse, Named::MinimisedAndParked},
    {"MinimisedInPlace", "#", ReadAs::TheMouse, Named::MinimisedInPlace},
    {"BeyondEveryMonitor", "#", ReadAs::TheMouse, Named::BeyondEveryMonitor},
};

class PreviousWindowAnswerTest : public TrackingTableTest<AnswerRow> {
 protected:
  void SetUp() override {
    TrackingTableTest::SetUp();
    const platform::Rect virtualScreen{0, 0, 3200, 1080};
    const platform::Rect onM1Rect = fake::windowRect(onM1);
    const fake::Shell shell = fake::addShell(virtualScreen);
    const platform::WindowHandle bare = fake::createWindow(virtualScreen, fake::kShellThread);
    fake::setWindowClass(bare, "WorkerW");
    const platform::WindowHandle own = fake::createWindow(onM1Rect);
    fake::setWindowClass(own, "WorkerW");
    fake::createChildWindow(own, "SHELLDLL_DefView");
    const platform::WindowHandle parked = fake::createWindow(onM1Rect);
    fake::minimiseWindow(parked);
    const platform::WindowHandle inPlace = fake::createWindow(onM1Rect);
    fake::minimiseWindow(inPlace, false);
    // In the order of Named.
    named_ = {onM1,
              shell.desktopView,
              bare,
              own,
              parked,
              inPlace,
              fake::createWindow({5000, 100, 5400, 400})};
  }

  std::string answerText() const {
    std::string text = GetParam().answer;
    const std::size_t mark = text.find('#');
    const platform::WindowHandle window = named_.at(static_cast<std::size_t>(GetParam().named));
    if (mark != std::string::npos) text.replace(mark, 1, std::to_string(window));
    return text;
  }

 private:
  std::vector<platform::WindowHandle> named_;
};

TEST_P(PreviousWindowAnswerTest, OnlyADecimalHandleNamesAWindowAnythingElseMeansTheMouse) {
  fake::setCursor({2500, 500});
  init();
  showAnswering(answerText());
  EXPECT_EQ(hostRect(), GetParam().readAs == ReadAs::TheMouse ? kHostOnM2 : kHostStart)
      << '"' << answerText() << '"';
}

INSTANTIATE_TEST_SUITE_P(AnswerForms, PreviousWindowAnswerTest, ::testing::ValuesIn(kAnswers),
                         TableRowName<AnswerRow>);

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

TEST_F(ControllerTest, PointerOnNoMonitorMovesNothing) {
  fake::setCursor({-50, 100});
  init();
  showAnswering("");
  EXPECT_EQ(hostRect(), kHostStart);
  EXPECT_TRUE(fake::moveCalls().empty());
}

TEST_F(ControllerTest, PointerOnNoMonitorStillCentresOnTheWindowsOwnMonitor) {
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

// The check on each position change of the shown window, one notification
// at a time.
enum class Centring { LeavesTheWindow, CentresIt };

constexpr platform::Rect kCentredOnM1{560, 340, 1360, 740};
constexpr platform::Rect kOffCentreOnM1{0, 0, 800, 400};

struct CenterCheckRow {
  const char* name;
  bool center;        // the Center option
  bool centerAlways;  // the CenterAlways option
  platform::Rect lastCentered;
  platform::Rect window;
  Centring check;
};

void PrintTo(const CenterCheckRow& row, std::ostream* os) { *os << row.name; }

const CenterCheckRow kCenterChecks[] = {
    {"RememberedAndUnchanged", /*center=*/true, /*centerAlways=*/false, kCentredOnM1, kCentredOnM1,
     Centring::LeavesTheWindow},
    {"RememberedAndUnchangedAlways", /*center=*/true, /*centerAlways=*/true, kCentredOnM1,
     kCentredOnM1, Centring::LeavesTheWindow},
    {"MovedOffTheRemembered", /*center=*/true, /*centerAlways=*/false, kCentredOnM1, kOffCentreOnM1,
     Centring::CentresIt},
    {"MovedOffTheRememberedAlways", /*center=*/true, /*centerAlways=*/true, kCentredOnM1,
     kOffCentreOnM1, Centring::CentresIt},
    {"NoneRemembered",
     /*center=*/true,
     /*centerAlways=*/false,
     {},
     kOffCentreOnM1,
     Centring::LeavesTheWindow},
    {"NoneRememberedAlways",
     /*center=*/true,
     /*centerAlways=*/true,
     {},
     kOffCentreOnM1,
     Centring::CentresIt},
    {"ATinyRectangleCountsAsRemembered",
     /*center=*/true,
     /*centerAlways=*/false,
     {0, 0, 0, 5},
     kOffCentreOnM1,
     Centring::CentresIt},
    {"CenterOff", /*center=*/false, /*centerAlways=*/true, kCentredOnM1, kOffCentreOnM1,
     Centring::LeavesTheWindow},
};

class CenterCheckTest : public TrackingTableTest<CenterCheckRow> {};

TEST_P(CenterCheckTest, CentresAWindowOffTheRememberedRectangleOrWithNoneOnlyIfAlways) {
  const CenterCheckRow& row = GetParam();
  setOption("Center", row.center);
  setOption("CenterAlways", row.centerAlways);
  init();
  fake::sendMessage(host, platform::kMessageShowWindow, 1);
  controller().lastCenteredRect = row.lastCentered;
  fake::setWindowRect(host, row.window);
  fake::clearMoveCalls();
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  const bool centres = row.check == Centring::CentresIt;
  EXPECT_EQ(hostRect(), centres ? kCentredOnM1 : row.window);
  EXPECT_EQ(controller().lastCenteredRect, centres ? platform::Rect{} : row.lastCentered)
      << "a centring forgets the remembered rectangle";
}

INSTANTIATE_TEST_SUITE_P(CenterAlwaysDecisions, CenterCheckTest, ::testing::ValuesIn(kCenterChecks),
                         TableRowName<CenterCheckRow>);

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

struct HeldButtonRow {
  const char* name;
  bool buttonsSwapped;  // left-handed: the physical right button drags
  int heldButton;       // 0: none
  Centring whileHeld;
};

void PrintTo(const HeldButtonRow& row, std::ostream* os) { *os << row.name; }

const HeldButtonRow kHeldButtons[] = {
    {"NoneHeld", /*buttonsSwapped=*/false, 0, Centring::CentresIt},
    {"LeftHeld", /*buttonsSwapped=*/false, platform::kKeyLeftButton, Centring::LeavesTheWindow},
    {"RightHeld", /*buttonsSwapped=*/false, platform::kKeyRightButton, Centring::CentresIt},
    {"LeftHandedNoneHeld", /*buttonsSwapped=*/true, 0, Centring::CentresIt},
    {"LeftHandedRightHeld", /*buttonsSwapped=*/true, platform::kKeyRightButton,
     Centring::LeavesTheWindow},
    {"LeftHandedLeftHeld", /*buttonsSwapped=*/true, platform::kKeyLeftButton, Centring::CentresIt},
};

class HeldButtonTest : public TrackingTableTest<HeldButtonRow> {};

TEST_P(HeldButtonTest, NothingIsCentredWhileThePrimaryButtonIsHeld) {
  const HeldButtonRow& row = GetParam();
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  show(onM2);
  fake::setMouseButtonsSwapped(row.buttonsSwapped);
  if (row.heldButton != 0) fake::setAsyncKeyDown(row.heldButton, true);
  fake::setWindowRect(host, {1920, 0, 2720, 600});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), row.whileHeld == Centring::CentresIt
                            ? (platform::Rect{2160, 212, 2960, 812})
                            : (platform::Rect{1920, 0, 2720, 600}));
  if (row.heldButton != 0) fake::setAsyncKeyDown(row.heldButton, false);
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), (platform::Rect{2160, 212, 2960, 812})) << "once released";
}

INSTANTIATE_TEST_SUITE_P(Buttons, HeldButtonTest, ::testing::ValuesIn(kHeldButtons),
                         TableRowName<HeldButtonRow>);

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

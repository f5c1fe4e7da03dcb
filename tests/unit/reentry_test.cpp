// The host calling back into us from inside our own work: a shutdown or a
// second start from inside its answer to a request, or from a message that
// our own move delivers, and a second start without a shutdown.
#include "tracking_fixture.h"

#include <functional>
#include <ostream>

namespace {

// Where the host steps in while the plugin is working.
enum class During { PreviousWindowAnswer, OwnMoveAtShow, OwnMoveOfAHotkey };
enum class HostCall { ShutDown, InitAgain };

std::function<void()> onOwnMove;

// A host hook on the GUI thread, installed after ours and so called first.
platform::LongResult VMM_STDCALL HostMessageHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam) {
  const platform::SentMessage sent = platform::sentMessageOf(lParam);
  if (sent.message == platform::kMessageWindowPosChanging && pluginState.hookCallsInProgress > 0 &&
      onOwnMove) {
    std::function<void()> once;
    once.swap(onOwnMove);
    once();
  }
  return platform::callNextHook(code, wParam, lParam);
}

class HostReentryTest : public TrackingTest {
 protected:
  void TearDown() override {
    onOwnMove = nullptr;
    TrackingTest::TearDown();
  }

  // Runs the operation of `during`, with `call` made from inside it when
  // `reenter` is set; answers where the window ends.
  platform::Rect run(During during, HostCall call, bool reenter) {
    setOption("Center", 1);
    init();
    platform::installHook(platform::kHookCallWndProc, &HostMessageHook, 0, fake::kGuiThread);
    std::function<void()> hostCall = [this, call] {
      PluginFunc_DoShutDown();
      if (call == HostCall::InitAgain) initWith(host);
    };
    if (!reenter) hostCall = [] {};
    if (during == During::OwnMoveOfAHotkey) {
      show(onM1);
      onOwnMove = hostCall;
      fake::setKeyDown(platform::kKeyLeftWindows, true);
      fake::keyDown(platform::kKeyRight);
      fake::keyUp(platform::kKeyRight);
      fake::pumpSentMessages();
    } else {
      if (during == During::PreviousWindowAnswer) fakeHost().onPreviousWindowRequest = hostCall;
      if (during == During::OwnMoveAtShow) onOwnMove = hostCall;
      show(onM2);
    }
    return hostRect();
  }
};

struct ReentryRow {
  const char* name;
  During during;
  HostCall call;
};

void PrintTo(const ReentryRow& row, std::ostream* os) { *os << row.name; }

const ReentryRow kReentries[] = {
    {"ShutDownDuringThePreviousWindowAnswer", During::PreviousWindowAnswer, HostCall::ShutDown},
    {"InitAgainDuringThePreviousWindowAnswer", During::PreviousWindowAnswer, HostCall::InitAgain},
    {"ShutDownDuringTheOwnMoveAtShow", During::OwnMoveAtShow, HostCall::ShutDown},
    {"InitAgainDuringTheOwnMoveAtShow", During::OwnMoveAtShow, HostCall::InitAgain},
    {"ShutDownDuringTheOwnMoveOfAHotkey", During::OwnMoveOfAHotkey, HostCall::ShutDown},
    {"InitAgainDuringTheOwnMoveOfAHotkey", During::OwnMoveOfAHotkey, HostCall::InitAgain},
};

class HostCallInsideOurWorkTest : public TrackingTableTest<ReentryRow, HostReentryTest> {};

// Every operation, undisturbed, leaves the window centred on M2; the test
// below holds a reentered one to the same place.
TEST_P(HostCallInsideOurWorkTest, UndisturbedTheWorkEndsWithTheWindowOnM2) {
  EXPECT_EQ(run(GetParam().during, GetParam().call, false), kHostOnM2);
}

TEST_P(HostCallInsideOurWorkTest, TheWorkInProgressFinishesAndTheOldControllerGoesAfterIt) {
  const ReentryRow& row = GetParam();
  EXPECT_EQ(run(row.during, row.call, true), kHostOnM2) << "as if undisturbed";
  EXPECT_EQ(pluginState.hookCallsInProgress, 0);
  EXPECT_TRUE(pluginState.retiredControllers.empty());
  const int ourHooks = row.call == HostCall::InitAgain ? 1 : 0;
  // The host's own message hook stays installed.
  EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), 1 + ourHooks);
  // A new controller counts the window, visible at the end, as shown.
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), ourHooks);
  EXPECT_EQ(pluginState.controller != nullptr, row.call == HostCall::InitAgain);
}

INSTANTIATE_TEST_SUITE_P(HostCalls, HostCallInsideOurWorkTest, ::testing::ValuesIn(kReentries),
                         TableRowName<ReentryRow>);

struct SecondStartRow {
  const char* name;
  bool withCallback;
  bool answerMainWindow;
  bool active;  // hooks, controller, placement and hotkeys
};

void PrintTo(const SecondStartRow& row, std::ostream* os) { *os << row.name; }

const SecondStartRow kSecondStarts[] = {
    {"NoCallbackTheSecondTime", /*withCallback=*/false, /*answerMainWindow=*/true,
     /*active=*/false},
    {"TheHostWritesNoMainWindow", /*withCallback=*/true, /*answerMainWindow=*/false,
     /*active=*/false},
    {"TheSameMainWindowAgain", /*withCallback=*/true, /*answerMainWindow=*/true,
     /*active=*/true},
};

class SecondStartTest : public TrackingTableTest<SecondStartRow, HostReentryTest> {};

TEST_P(SecondStartTest, ASecondStartBeginsFromACleanState) {
  const SecondStartRow& row = GetParam();
  init();
  fakeHost().answerMainWindow = row.answerMainWindow;
  PluginFunc_DoInit(kLibraryPath, 8, nullptr, nullptr,
                    row.withCallback ? &FakeHostCallback : nullptr, nullptr);
  EXPECT_EQ(pluginState.mainWindow, row.active ? host : 0u);
  EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), row.active ? 1 : 0);
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0);
  EXPECT_EQ(pluginState.controller != nullptr, row.active);
  show(onM2);
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), row.active ? 1 : 0);
  EXPECT_EQ(hostRect(), row.active ? kHostOnM2 : kHostStart);
  fake::setKeyDown(platform::kKeyLeftWindows, true);
  EXPECT_NE(fake::keyUp(platform::kKeyRight), row.active) << "swallowed only while active";
}

INSTANTIATE_TEST_SUITE_P(SecondStarts, SecondStartTest, ::testing::ValuesIn(kSecondStarts),
                         TableRowName<SecondStartRow>);

}  // namespace

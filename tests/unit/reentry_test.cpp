// The host calling back into us from inside our own work: a shutdown or a
// second start from inside its answer to a request, or from a message that
// our own move delivers, and a second start without a shutdown.
#include "tracking_fixture.h"

#include <functional>

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
    } else {
      if (during == During::PreviousWindowAnswer) fakeHost().onPreviousWindowRequest = hostCall;
      if (during == During::OwnMoveAtShow) onOwnMove = hostCall;
      show(onM2);
    }
    return hostRect();
  }
};

TEST_F(HostReentryTest, TheWorkInProgressFinishesAndTheOldControllerGoesAfterIt) {
  for (const During during :
       {During::PreviousWindowAnswer, During::OwnMoveAtShow, During::OwnMoveOfAHotkey}) {
    for (const HostCall call : {HostCall::ShutDown, HostCall::InitAgain}) {
      SCOPED_TRACE(testing::Message()
                   << "during " << static_cast<int>(during) << ", call " << static_cast<int>(call));
      const platform::Rect undisturbed = run(during, call, false);
      TearDown();
      SetUp();
      EXPECT_EQ(run(during, call, true), undisturbed);
      EXPECT_EQ(pluginState.hookCallsInProgress, 0);
      EXPECT_TRUE(pluginState.retiredControllers.empty());
      const int ourHooks = call == HostCall::InitAgain ? 1 : 0;
      // The host's own message hook stays installed.
      EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), 1 + ourHooks);
      // A new controller has not seen its window shown yet.
      EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0);
      EXPECT_EQ(pluginState.controller != nullptr, call == HostCall::InitAgain);
      TearDown();
      SetUp();
    }
  }
}

TEST_F(HostReentryTest, ASecondStartBeginsFromACleanState) {
  struct Case {
    const char* name;
    bool withCallback;
    bool answerMainWindow;
    bool active;  // hooks, controller, placement and hotkeys
  };
  const Case cases[] = {
      {"no callback the second time", false, true, false},
      {"the host writes no main window", true, false, false},
      {"the same main window again", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    init();
    fakeHost().answerMainWindow = c.answerMainWindow;
    PluginFunc_DoInit(kLibraryPath, 8, nullptr, nullptr,
                      c.withCallback ? &FakeHostCallback : nullptr, nullptr);
    EXPECT_EQ(pluginState.mainWindow, c.active ? host : 0u);
    EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), c.active ? 1 : 0);
    EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0);
    EXPECT_EQ(pluginState.controller != nullptr, c.active);
    show(onM2);
    EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), c.active ? 1 : 0);
    EXPECT_EQ(hostRect(), c.active ? kHostOnM2 : kHostStart);
    fake::setKeyDown(platform::kKeyLeftWindows, true);
    EXPECT_NE(fake::keyUp(platform::kKeyRight), c.active) << "swallowed only while active";
    TearDown();
    SetUp();
  }
}

}  // namespace

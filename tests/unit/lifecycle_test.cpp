#include "plugin_fixture.h"

#include <gmock/gmock.h>

#include <memory>
#include <vector>

namespace {

using ::testing::ElementsAre;

constexpr platform::ThreadId kHostThread = 9;

class LifecycleTest : public PluginTest {};

TEST_F(LifecycleTest, InitAsksForTheMainWindowAndHooksItsThread) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 400}, kHostThread);
  initWith(window);

  ASSERT_EQ(fakeHost().requests.size(), 1u);
  EXPECT_EQ(fakeHost().requests[0].pluginId, 7);
  EXPECT_EQ(fakeHost().requests[0].request, "Handle.MainForm");
  EXPECT_EQ(fakeHost().requests[0].size, 4);
  EXPECT_EQ(pluginState.pluginId, 7);
  EXPECT_EQ(pluginState.mainWindow, window);
  EXPECT_EQ(pluginState.mainWindowThreadId, kHostThread);
  EXPECT_EQ(pluginState.pluginFolder.HostText(), "C:\\Apps\\Plugins\\MultiMonitor\\");
  EXPECT_THAT(fake::hookEvents(), ElementsAre("install 4 on 9"));
  ASSERT_NE(pluginState.controller, nullptr);
  EXPECT_EQ(pluginState.controller->mainWindow, window);
  EXPECT_FALSE(pluginState.controller->shown);
  EXPECT_EQ(pluginState.controller->lastCenteredRect, platform::Rect{});
}

// The low-level keyboard hook sees the whole desktop's keystrokes: it is ours
// only while the window is shown, installed from the message hook.
TEST_F(LifecycleTest, TheKeyboardHookExistsExactlyWhileTheWindowIsShown) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 400}, kHostThread);
  initWith(window);
  for (int round = 0; round < 2; ++round) {
    fake::showWindow(window, true);
    fake::sendMessage(window, platform::kMessageWindowPosChanging, 0);
    fake::showWindow(window, false);
    fake::showWindow(window, false);
  }
  EXPECT_THAT(fake::hookEvents(), ElementsAre("install 4 on 9", "install 13 on 0", "remove 13",
                                              "install 13 on 0", "remove 13"));
}

TEST_F(LifecycleTest, SettingsLieBesideTheLibraryNotWhereTheHostSaysItIs) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 400});
  fakeHost().mainWindow = window;
  PluginFunc_DoInit("E:\\Elsewhere\\copy.dll", 1, nullptr, nullptr, &FakeHostCallback, nullptr);
  ASSERT_NE(pluginState.controller, nullptr);
  EXPECT_EQ(pluginState.controller->settings.Path(), kSettingsPath);
}

TEST_F(LifecycleTest, ControllerLoadsTheOptionsOnceWithoutWritingTheFile) {
  fake::setFileText(kSettingsPath, "[Options]\r\nCenter=1\r\nResizePercentValue=250\r\n");
  initWith(fake::createWindow({0, 0, 800, 400}));
  ASSERT_NE(pluginState.controller, nullptr);
  EXPECT_TRUE(pluginState.controller->options.center);
  EXPECT_EQ(pluginState.controller->options.resizePercentValue, 100) << "250: the nearest bound";
  EXPECT_EQ(fake::calls().getProfileInt, 17) << "each setting read once";
  EXPECT_EQ(fake::calls().writeProfileString, 0);
}

TEST_F(LifecycleTest, WithoutAMainWindowThePluginStaysPassive) {
  fakeHost().answerMainWindow = false;
  EXPECT_EQ(PluginFunc_DoInit(kLibraryPath, 1, nullptr, nullptr, &FakeHostCallback, nullptr), 1);
  EXPECT_EQ(pluginState.mainWindow, 0u);
  EXPECT_TRUE(fake::hookEvents().empty());
  EXPECT_EQ(pluginState.controller, nullptr);
}

TEST_F(LifecycleTest, WithoutAHostCallbackNothingIsAskedAndNothingHooked) {
  EXPECT_EQ(PluginFunc_DoInit(kLibraryPath, 1, nullptr, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(pluginState.mainWindow, 0u);
  EXPECT_TRUE(fake::hookEvents().empty());
  EXPECT_EQ(pluginState.controller, nullptr);
}

TEST_F(LifecycleTest, AFailedHookLeavesTheOtherOneAndTheController) {
  // The fake refuses hooks on thread 0: a window it does not know has none.
  fakeHost().mainWindow = 77;
  PluginFunc_DoInit(kLibraryPath, 1, nullptr, nullptr, &FakeHostCallback, nullptr);
  EXPECT_FALSE(pluginState.callWndProcHook);
  EXPECT_FALSE(pluginState.keyboardHookThread.running());
  EXPECT_NE(pluginState.controller, nullptr);
}

TEST_F(LifecycleTest, ShutDownRemovesTheMessageHookThenTheKeyboardHookThenTheController) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 400});
  initWith(window);
  fake::showWindow(window, true);
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_THAT(fake::hookEvents(),
              ElementsAre("install 4 on 1", "install 13 on 0", "remove 4", "remove 13"));
  EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), 0);
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0);
  EXPECT_EQ(pluginState.controller, nullptr);
  EXPECT_EQ(pluginState.mainWindow, window) << "nothing else is cleared";

  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_EQ(fake::hookEvents().size(), 4u) << "a second shutdown finds nothing to remove";
}

TEST_F(LifecycleTest, ShutDownWithoutInitReleasesNothing) {
  EXPECT_EQ(PluginFunc_DoShutDown(), 1);
  EXPECT_TRUE(fake::hookEvents().empty());
}

// An unload while the host lives on must remove the hooks while the
// controller they call still exists: a message delivered in between would
// otherwise run on a destroyed controller.
TEST_F(LifecycleTest, UnloadRemovesTheHooksBeforeTheControllerAndProcessExitTouchesNothing) {
  const platform::WindowHandle window = fake::createWindow({0, 0, 800, 400});
  std::vector<bool> controllerAtRemoval;
  const PluginState* watched = &pluginState;
  fake::setHookRemovalObserver(
      [&] { controllerAtRemoval.push_back(watched->controller != nullptr); });

  initWith(window);
  fake::showWindow(window, true);
  OnLibraryUnload(true);
  EXPECT_TRUE(controllerAtRemoval.empty());
  EXPECT_NE(pluginState.controller, nullptr);

  OnLibraryUnload(false);
  EXPECT_THAT(controllerAtRemoval, ElementsAre(true, true));
  EXPECT_EQ(pluginState.controller, nullptr);
  EXPECT_EQ(fake::installedHooks(platform::kHookCallWndProc), 0);
  EXPECT_EQ(fake::installedHooks(platform::kHookKeyboardLowLevel), 0);

  // The same order when the state record itself goes.
  controllerAtRemoval.clear();
  initWith(window);
  fake::showWindow(window, true);
  watched = &pluginState;
  ResetPluginState();
  EXPECT_THAT(controllerAtRemoval, ElementsAre(true, true));
  fake::setHookRemovalObserver(nullptr);
}

}  // namespace

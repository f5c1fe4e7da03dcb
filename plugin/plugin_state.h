// The module-wide state: everything the plugin keeps between the host's calls.
#pragma once

#include "common/host_bridge.h"
#include "common/plugin_paths.h"
#include "platform/platform.h"
#include "plugin/keyboard_hook_thread.h"
#include "plugin/plugin_api.h"
#include "plugin/unique_hook.h"
#include "tracking/main_window_controller.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct PluginState {
  platform::ModuleHandle moduleHandle = 0;
  std::int32_t pluginId = 0;
  HostCallback hostCallback = nullptr;
  PluginFolder pluginFolder;
  platform::WindowHandle mainWindow = 0;
  platform::ThreadId mainWindowThreadId = 0;
  std::unique_ptr<MainWindowController> controller;
  // Declared after the controller, so that even an implicit destruction
  // removes the hooks before the controller goes.
  UniqueHook callWndProcHook;
  KeyboardHookThread keyboardHookThread;
  HotkeyGate hotkeyGate;
  SearchNotifyCallback searchNotifyCallback = nullptr;
  std::int32_t searchState = 0;
  std::int32_t itemResultCount = 0;
  std::int32_t anyResultAvailable = 0;

  // Hook procedure calls now running (nested ones included), and the
  // controllers released while one of them was working in them: the host can
  // shut us down or start us again from inside its answer to a request, or
  // from a message that our own move delivers.
  int hookCallsInProgress = 0;
  std::vector<std::unique_ptr<MainWindowController>> retiredControllers;

  HostBridge host() const { return HostBridge(pluginId, hostCallback); }
};

// Never destroyed by the runtime: at process exit the hooks and the host are
// going away with us, and nothing may be called; an unload while the process
// lives releases everything through ReleaseHooksAndController instead.
extern PluginState& pluginState;

// Removes the message hook, then stops the keyboard hook's thread (hotkeys
// it decided and VESK's thread has not yet taken are dropped), then lets the
// controller go: at once, or, while a hook procedure call is still working
// in it, when the outermost one returns.
void ReleaseHooksAndController(PluginState& state);

// The library is unloaded: while the host lives on (perhaps without a
// shutdown) the hooks must go before the code they call; at process exit the
// host's threads are gone and nothing is touched. Runs under the loader
// lock, so it waits for nothing: the keyboard hook's thread holds a
// reference to the module, and is gone before any unload.
void OnLibraryUnload(bool processExit);

// Marks a hook procedure call as running for as long as it lives.
class HookCallScope {
 public:
  explicit HookCallScope(PluginState& state) : state_(state) { ++state_.hookCallsInProgress; }
  HookCallScope(const HookCallScope&) = delete;
  HookCallScope& operator=(const HookCallScope&) = delete;
  ~HookCallScope() {
    if (--state_.hookCallsInProgress == 0) state_.retiredControllers.clear();
  }

 private:
  PluginState& state_;
};

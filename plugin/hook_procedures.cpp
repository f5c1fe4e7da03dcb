#include "plugin/hook_procedures.h"

#include "common/no_throw.h"
#include "plugin/plugin_state.h"
#include "tracking/hotkeys.h"

namespace {

// A low-level hook sees every keystroke of the desktop, and the shell's own
// shortcuts with the same keys win over a thread hook: it exists exactly
// while the controller says VESK's window is shown. Called after each
// message to the main window, as a show or hide (or a shutdown or restart
// from inside one) may have changed that.
void FollowShownState(PluginState& state) {
  const bool wanted = state.controller != nullptr && state.controller->shown;
  if (wanted == static_cast<bool>(state.keyboardHook)) return;
  if (wanted) {
    state.keyboardHook.reset(platform::installHook(platform::kHookKeyboardLowLevel,
                                                   &LowLevelKeyboardHook, state.moduleHandle, 0));
  } else {
    state.keyboardHook.reset();
  }
}

}  // namespace

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam) {
  // Watches only: whatever happens, the message goes on unchanged.
  bool toMainWindow = false;
  NoThrow(0, [&] {
    const HookCallScope inProgress(pluginState);
    MainWindowController* const controller = pluginState.controller.get();
    if (code >= 0 && controller != nullptr) {
      const platform::SentMessage sent = platform::sentMessageOf(lParam);
      if (sent.window == pluginState.mainWindow) {
        toMainWindow = true;
        controller->OnWindowMessage(sent.message, sent.wParam);
      }
    }
    return 0;
  });
  // Only a message to the main window can show or hide it; checked also when
  // the controller's work failed half-way, as it may have marked the window
  // shown first.
  if (toMainWindow) FollowShownState(pluginState);
  return platform::callNextHook(code, wParam, lParam);
}

platform::LongResult VMM_STDCALL LowLevelKeyboardHook(int code, platform::WordParam wParam,
                                                      platform::LongParam lParam) {
  const bool drop = NoThrow(false, [&] {
    if (code < 0) return false;
    const platform::LowLevelKey key = platform::lowLevelKeyOf(lParam);
    if (key.extraInfo == kOwnKeystrokeMark) return false;
    const HookCallScope inProgress(pluginState);
    MainWindowController* const controller = pluginState.controller.get();
    if (controller == nullptr || !HandleHotkey(*controller, key.virtualKey, key.release)) {
      return false;
    }
    // With the key after Win dropped, Windows would see Win pressed and
    // released alone and open the Start menu: a keystroke of our own in
    // between makes it a combination.
    if (!key.release) platform::injectKeystroke(kMaskKey, kOwnKeystrokeMark);
    return true;
  });
  return drop ? 1 : platform::callNextHook(code, wParam, lParam);
}

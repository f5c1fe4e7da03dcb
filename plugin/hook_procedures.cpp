#include "plugin/hook_procedures.h"

#include "common/no_throw.h"
#include "plugin/keyboard_hook_thread.h"
#include "plugin/plugin_state.h"
#include "tracking/hotkeys.h"

namespace {

// A hotkey travels to VESK's thread as wParam: its action in the low byte,
// its percentage above.
platform::WordParam EncodeHotkey(const Hotkey& hotkey) {
  return static_cast<platform::WordParam>(hotkey.action) |
         (static_cast<platform::WordParam>(hotkey.percent & 0xFF) << 8);
}

Hotkey DecodeHotkey(platform::WordParam wParam) {
  const auto action = static_cast<std::uint8_t>(wParam & 0xFF);
  if (action > static_cast<std::uint8_t>(HotkeyAction::Height)) return Hotkey{};
  return Hotkey{static_cast<HotkeyAction>(action), static_cast<std::int32_t>((wParam >> 8) & 0xFF)};
}

bool IsHotkeyMessage(const platform::SentMessage& sent) {
  const std::uint32_t hotkeyMessage = pluginState.hotkeyGate.hotkeyMessage.load();
  return hotkeyMessage != 0 && sent.message == hotkeyMessage;
}

bool IsActivation(const platform::SentMessage& sent) {
  return (sent.message == platform::kMessageActivate && (sent.wParam & 0xFFFF) != 0) ||
         (sent.message == platform::kMessageActivateApp && sent.wParam != 0);
}

}  // namespace

void FollowMainWindow(PluginState& state, bool activated) {
  const MainWindowController* const controller = state.controller.get();
  // A low-level hook sees every keystroke of the desktop, and the shell's
  // own shortcuts with the same keys win over a thread hook: it exists
  // exactly while the controller says the main window is shown.
  const bool wanted = controller != nullptr && controller->shown;
  if (wanted == state.keyboardHookThread.running()) {
    if (wanted && activated) state.keyboardHookThread.renewHook();
  } else if (wanted) {
    // The switch changes only with the options, which the dialog's OK
    // passes on itself: taken here, not with every message.
    state.hotkeyGate.hotkeysOn = controller->options.enableHotkeys;
    state.keyboardHookThread.start(state.moduleHandle, state.mainWindow);
  } else {
    state.keyboardHookThread.stop();
  }
}

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam) {
  // Watches only: whatever happens, the message goes on unchanged.
  bool toMainWindow = false;
  bool activated = false;
  NoThrow(0, [&] {
    const HookCallScope inProgress(pluginState);
    MainWindowController* const controller = pluginState.controller.get();
    if (code < 0 || controller == nullptr) return 0;
    const platform::SentMessage sent = platform::sentMessageOf(lParam);
    if (sent.window != pluginState.mainWindow) return 0;
    toMainWindow = true;
    activated = IsActivation(sent);
    if (!IsHotkeyMessage(sent)) {
      controller->OnWindowMessage(sent.message, sent.wParam, sent.windowPosFlags);
    } else if (static_cast<std::uint32_t>(sent.lParam) ==
               pluginState.hotkeyGate.generation.load()) {
      // Decided while the window was shown in this same showing; one from
      // before a hide, a shutdown or a new start is dropped.
      PerformHotkey(*controller, DecodeHotkey(sent.wParam));
    }
    return 0;
  });
  // Only a message to the main window can show, hide or activate it;
  // followed also when the controller's work failed half-way, as it may have
  // marked the window shown first.
  if (toMainWindow) {
    NoThrow(0, [&] {
      FollowMainWindow(pluginState, activated);
      return 0;
    });
  }
  return platform::callNextHook(code, wParam, lParam);
}

platform::LongResult VMM_STDCALL LowLevelKeyboardHook(int code, platform::WordParam wParam,
                                                      platform::LongParam lParam) {
  // Runs on the hook's own thread: reads the gate and the keyboard, and
  // touches nothing of VESK's thread.
  const bool drop = NoThrow(false, [&] {
    if (code < 0) return false;
    const platform::LowLevelKey key = platform::lowLevelKeyOf(lParam);
    if (key.extraInfo == kOwnKeystrokeMark || !pluginState.hotkeyGate.hotkeysOn.load())
      return false;
    if (platform::currentThreadId() != pluginState.hotkeyGate.thread.load()) return false;
    const std::uint32_t generation = pluginState.hotkeyGate.generation.load();
    const platform::WindowHandle mainWindow = pluginState.hotkeyGate.mainWindow.load();
    const HotkeyDecision decision = DecideHotkey(key.virtualKey, key.release, mainWindow);
    if (!decision.swallow) return false;
    if (decision.hotkey.action != HotkeyAction::None) {
      platform::sendNotifyMessage(mainWindow, pluginState.hotkeyGate.hotkeyMessage.load(),
                                  EncodeHotkey(decision.hotkey),
                                  static_cast<platform::LongParam>(generation));
    }
    // With the key after Win dropped, Windows would see Win pressed and
    // released alone and open the Start menu: a keystroke of our own in
    // between makes it a combination.
    if (!key.release) platform::injectKeystroke(kMaskKey, kOwnKeystrokeMark);
    return true;
  });
  return drop ? 1 : platform::callNextHook(code, wParam, lParam);
}

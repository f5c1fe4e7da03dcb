#include "plugin/hook_procedures.h"

#include "common/no_throw.h"
#include "plugin/plugin_state.h"
#include "tracking/hotkeys.h"

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam) {
  // Watches only: whatever happens, the message goes on unchanged.
  NoThrow(0, [&] {
    const HookCallScope inProgress(pluginState);
    MainWindowController* const controller = pluginState.controller.get();
    if (code >= 0 && controller != nullptr) {
      const platform::SentMessage sent = platform::sentMessageOf(lParam);
      if (sent.window == pluginState.mainWindow) {
        controller->OnWindowMessage(sent.message, sent.wParam);
      }
    }
    return 0;
  });
  return platform::callNextHook(code, wParam, lParam);
}

platform::LongResult VMM_STDCALL KeyboardHook(int code, platform::WordParam wParam,
                                              platform::LongParam lParam) {
  const bool swallow = NoThrow(false, [&] {
    const HookCallScope inProgress(pluginState);
    MainWindowController* const controller = pluginState.controller.get();
    return code >= 0 && controller != nullptr &&
           HandleHotkey(*controller, static_cast<std::uint32_t>(wParam),
                        static_cast<std::uint32_t>(lParam));
  });
  return swallow ? 1 : platform::callNextHook(code, wParam, lParam);
}

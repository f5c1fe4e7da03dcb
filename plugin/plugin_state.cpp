#include "plugin/plugin_state.h"

#include <new>
#include <utility>

namespace {

alignas(PluginState) unsigned char pluginStateStorage[sizeof(PluginState)];

}  // namespace

PluginState& pluginState = *new (pluginStateStorage) PluginState();

void OnLibraryUnload(bool processExit) {
  if (!processExit) ReleaseHooksAndController(pluginState);
}

void ReleaseHooksAndController(PluginState& state) {
  state.callWndProcHook.reset();
  state.keyboardHookThread.stop();
  state.hotkeyGate.hotkeysOn = false;
  if (!state.controller || state.hookCallsInProgress == 0) {
    state.controller.reset();
    return;
  }
  try {
    state.retiredControllers.push_back(std::move(state.controller));
  } catch (const std::bad_alloc&) {
    // A hook call below us still works in it: leaking it is the only safe
    // way out.
    static_cast<void>(state.controller.release());
  }
}

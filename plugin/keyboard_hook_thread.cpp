#include "plugin/keyboard_hook_thread.h"

#include "common/no_throw.h"
#include "plugin/hook_procedures.h"
#include "plugin/plugin_state.h"
#include "plugin/unique_hook.h"

#include <utility>

namespace {

constexpr const char* kHotkeyMessageName = "VeskMultiMonitorHotkey";
constexpr std::uint32_t kRenewHookMessage = platform::kMessageApp;

UniqueHook InstallKeyboardHook(platform::ModuleHandle module) {
  return UniqueHook(
      platform::installHook(platform::kHookKeyboardLowLevel, &LowLevelKeyboardHook, module, 0));
}

void RunHookThread(platform::ModuleHandle module, std::uint32_t generation) {
  platform::createMessageQueue();
  UniqueHook hook = InstallKeyboardHook(module);
  // Stopped before this thread had a queue, the quit could not be posted.
  if (pluginState.hotkeyGate.generation.load() != generation) return;
  std::uint32_t message = 0;
  while (platform::waitForThreadMessage(message)) {
    if (message != kRenewHookMessage) continue;
    // The new one first, so that no keystroke slips through in between.
    UniqueHook renewed = InstallKeyboardHook(module);
    if (renewed) hook = std::move(renewed);
  }
}

std::uint32_t VMM_STDCALL HookThreadMain(void* parameter) {
  const auto generation = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(parameter));
  const platform::ModuleHandle module = pluginState.hotkeyGate.module.load();
  NoThrow(0, [&] {
    RunHookThread(module, generation);
    return 0;
  });
  platform::exitThreadReleasingModule(module);
  return 0;
}

}  // namespace

void KeyboardHookThread::start(platform::ModuleHandle module, platform::WindowHandle mainWindow) {
  if (running()) return;
  pluginState.hotkeyGate.module = module;
  pluginState.hotkeyGate.mainWindow = mainWindow;
  if (pluginState.hotkeyGate.hotkeyMessage.load() == 0) {
    pluginState.hotkeyGate.hotkeyMessage = platform::registerWindowMessage(kHotkeyMessageName);
  }
  // Given back by the thread as it leaves.
  if (!platform::referenceModule(module)) return;
  const std::uint32_t generation = ++pluginState.hotkeyGate.generation;
  thread_ = platform::startThread(&HookThreadMain,
                                  reinterpret_cast<void*>(static_cast<std::uintptr_t>(generation)));
  if (thread_ == 0) {
    platform::releaseModule(module);
    return;
  }
  pluginState.hotkeyGate.thread = thread_;
}

void KeyboardHookThread::stop() {
  if (!running()) return;
  pluginState.hotkeyGate.thread = 0;
  ++pluginState.hotkeyGate.generation;
  platform::postThreadMessage(thread_, platform::kMessageQuit);
  thread_ = 0;
}

void KeyboardHookThread::renewHook() {
  if (running()) platform::postThreadMessage(thread_, kRenewHookMessage);
}

// The module-wide state: everything the plugin keeps between the host's calls.
#pragma once

#include "platform/platform.h"
#include "plugin/hook_handle.h"
#include "tracking/main_window_controller.h"

#include <cstdint>
#include <memory>
#include <string>

// VESK's request function: (plugin id, request text, answer buffer, size).
using HostCallback = std::int32_t(VMM_CDECL*)(std::int32_t pluginId, const char* request,
                                              void* answer, std::int32_t answerSize);
// VESK's search notification: (plugin id, 0, search state).
using SearchNotifyCallback = std::int32_t(VMM_CDECL*)(std::int32_t pluginId, std::int32_t zero,
                                                      std::int32_t searchState);

struct PluginState {
  platform::ModuleHandle moduleHandle = 0;
  std::int32_t pluginId = 0;
  HostCallback hostCallback = nullptr;
  std::string pluginFolder;  // with its trailing backslash
  platform::WindowHandle mainWindow = 0;
  platform::ThreadId mainWindowThreadId = 0;
  HookHandle callWndProcHook;
  HookHandle keyboardHook;
  std::unique_ptr<MainWindowController> controller;
  SearchNotifyCallback searchNotifyCallback = nullptr;
  std::int32_t searchState = 0;
  std::int32_t itemResultCount = 0;
  std::int32_t anyResultAvailable = 0;
};

extern PluginState pluginState;

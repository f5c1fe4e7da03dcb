// The module-wide state: everything the plugin keeps between the host's calls.
#pragma once

#include "common/host_bridge.h"
#include "platform/platform.h"
#include "plugin/hook_handle.h"
#include "plugin/plugin_api.h"
#include "tracking/main_window_controller.h"

#include <cstdint>
#include <memory>
#include <string>

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

  HostBridge host() const { return HostBridge(pluginId, hostCallback); }
};

extern PluginState pluginState;

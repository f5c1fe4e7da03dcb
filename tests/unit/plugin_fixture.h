// A clean fake desktop and module state for every test that touches the
// plugin's module-wide state, plus a scripted stand-in for VESK's callbacks.
#pragma once

#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "test_printers.h"
#include "tests/fake/fake_desktop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

struct HostRequest {
  std::int32_t pluginId;
  std::string request;
  std::int32_t size;
};

// What the stand-in host answers and what it was asked.
struct FakeHost {
  platform::WindowHandle mainWindow = 0;
  bool answerMainWindow = true;
  std::string previousWindowAnswer;  // raw bytes for "resolve:%LASTHWND%"
  // Runs inside the answer to "resolve:%LASTHWND%", as a host that calls
  // back into the plugin from there would.
  std::function<void()> onPreviousWindowRequest;
  std::vector<HostRequest> requests;
};

inline FakeHost& fakeHost() {
  static FakeHost host;
  return host;
}

inline std::int32_t VMM_CDECL FakeHostCallback(std::int32_t pluginId, const char* request,
                                               void* answer, std::int32_t size) {
  FakeHost& host = fakeHost();
  host.requests.push_back(HostRequest{pluginId, request, size});
  if (std::strcmp(request, "Handle.MainForm") == 0 && host.answerMainWindow) {
    std::memcpy(answer, &host.mainWindow, 4);
  } else if (std::strcmp(request, "resolve:%LASTHWND%") == 0) {
    const std::size_t n =
        std::min<std::size_t>(host.previousWindowAnswer.size(), static_cast<std::size_t>(size));
    std::memcpy(answer, host.previousWindowAnswer.data(), n);
    if (host.onPreviousWindowRequest) host.onPreviousWindowRequest();
  }
  return 1;
}

constexpr platform::ModuleHandle kPluginModule = 0x10000000;
constexpr const char* kPluginDirectory = "C:\\Apps\\Plugins\\MultiMonitor";
constexpr const char* kLibraryPath = "C:\\Apps\\Plugins\\MultiMonitor\\VeskMultiMonitor.dll";
constexpr const char* kSettingsPath = "C:\\Apps\\Plugins\\MultiMonitor\\VESK_MultiMonitor.ini";

// The module-wide state holds atomics, which cannot be assigned: a fresh one
// takes the old one's place.
inline void ResetPluginState() {
  pluginState.~PluginState();
  new (&pluginState) PluginState();
}

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    fake::reset();
    fakeHost() = FakeHost{};
    pluginState.moduleHandle = kPluginModule;
    fake::setModuleFileName(kPluginModule, kLibraryPath);
  }
  void TearDown() override {
    ResetPluginState();
    fake::reset();
  }

  // Initialises the plugin with a host whose main window is `window`.
  void initWith(platform::WindowHandle window) {
    fakeHost().mainWindow = window;
    PluginFunc_DoInit(kLibraryPath, 7, nullptr, nullptr, &FakeHostCallback, nullptr);
  }
};

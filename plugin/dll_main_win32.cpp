// The library entry point: remembers our own module so that the settings
// file and the version resource are found beside the DLL, not the host.
#include "plugin/plugin_state.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    pluginState.moduleHandle = reinterpret_cast<platform::ModuleHandle>(instance);
  }
  return TRUE;
}

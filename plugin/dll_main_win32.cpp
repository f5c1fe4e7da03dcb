// The library entry point: remembers our own module so that the settings
// file and the version resource are found beside the DLL, not the host.
#include "common/no_throw.h"
#include "plugin/plugin_state.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    pluginState.moduleHandle = reinterpret_cast<platform::ModuleHandle>(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    NoThrow(0, [&] {
      OnLibraryUnload(reserved != nullptr);
      return 0;
    });
  }
  return TRUE;
}

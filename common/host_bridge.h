// The way back into VESK: its request function and the plugin id it gave us.
// Handed by value to whoever needs to ask the host something.
#pragma once

#include "platform/platform.h"

#include <cstdint>

// VESK's request function: (plugin id, request text, answer buffer, size).
using HostCallback = std::int32_t(VMM_CDECL*)(std::int32_t pluginId, const char* request,
                                              void* answer, std::int32_t answerSize);

class HostBridge {
 public:
  HostBridge() = default;
  HostBridge(std::int32_t pluginId, HostCallback callback)
      : pluginId_(pluginId), callback_(callback) {}

  // Asks VESK; false (and nothing written) when it gave us no callback.
  bool ask(const char* request, void* answer, std::int32_t answerSize) const {
    if (callback_ == nullptr) return false;
    callback_(pluginId_, request, answer, answerSize);
    return true;
  }

  // The window that was in front before VESK's, as VESK reports it; 0 when
  // the answer holds no decimal number in the 32-bit range.
  platform::WindowHandle previousWindow() const;

 private:
  std::int32_t pluginId_ = 0;
  HostCallback callback_ = nullptr;
};

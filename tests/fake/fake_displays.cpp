// Display devices and their current settings.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <cstring>
#include <new>

namespace fake {

void addDisplay(const Display& display) { desktop().displays.push_back(display); }

void addMonitor(const platform::Rect& rect, bool primary) {
  Display display;
  display.name = "\\\\.\\DISPLAY" + std::to_string(desktop().displays.size() + 1);
  display.stateFlags =
      platform::kDisplayAttachedToDesktop | (primary ? platform::kDisplayPrimaryDevice : 0u);
  display.mode.x = rect.left;
  display.mode.y = rect.top;
  display.mode.width = static_cast<std::uint32_t>(rect.right - rect.left);
  display.mode.height = static_cast<std::uint32_t>(rect.bottom - rect.top);
  addDisplay(display);
}

void clearDisplays() { desktop().displays.clear(); }

void setEnumerationThrows(bool throws) { desktop().enumerationThrows = throws; }

}  // namespace fake

namespace platform {

using fake::desktop;

bool enumDisplayDevice(std::uint32_t index, DisplayDevice& device) {
  ++desktop().calls.enumDisplayDevice;
  if (desktop().enumerationThrows) throw std::bad_alloc();
  if (index >= desktop().displays.size()) return false;
  const fake::Display& display = desktop().displays[index];
  desktop().lastEnumerated = index;
  device = DisplayDevice{};
  std::strncpy(device.name, display.name.c_str(), sizeof device.name - 1);
  device.stateFlags = display.stateFlags;
  return true;
}

void currentDisplayMode(const char* deviceName, DisplayMode& mode) {
  // Device names are unique on a desktop.
  const auto& displays = desktop().displays;
  if (desktop().lastEnumerated < displays.size()) {
    const fake::Display& last = displays[desktop().lastEnumerated];
    if (last.name == deviceName) {
      if (last.settingsReadable) mode = last.mode;
      return;
    }
  }
  for (const fake::Display& display : displays) {
    if (display.name == deviceName && display.settingsReadable) {
      mode = display.mode;
      return;
    }
  }
}

}  // namespace platform

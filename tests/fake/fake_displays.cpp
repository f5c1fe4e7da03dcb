// Display devices and their current settings.
#include "tests/fake/fake_desktop.h"

#include "common/numbers.h"
#include "tests/fake/fake_state.h"

#include <cstring>
#include <new>

namespace fake {

void addDisplay(const Display& display) {
  Display added = display;
  const bool attached = (display.stateFlags & platform::kDisplayAttachedToDesktop) != 0;
  if (!attached || !display.settingsReadable) added.hasMonitor = false;
  if (added.hasMonitor && !added.monitor) {
    const platform::DisplayMode& m = display.mode;
    // Wrapping as the platform's 32-bit sums do, for the modes tests make up.
    added.monitor =
        platform::Rect{m.x, m.y, numbers::wrapToInt32(std::int64_t{m.x} + std::int64_t{m.width}),
                       numbers::wrapToInt32(std::int64_t{m.y} + std::int64_t{m.height})};
  }
  desktop().displays.push_back(added);
}

namespace {

// The display settings of a monitor at `rect` under the current scaling.
platform::DisplayMode ScaledModeOf(const platform::Rect& rect) {
  const std::int64_t numerator = desktop().scaleNumerator;
  const std::int64_t denominator = desktop().scaleDenominator;
  const auto scaled = [&](std::int32_t value) {
    return static_cast<std::int32_t>(value * numerator / denominator);
  };
  platform::DisplayMode mode;
  mode.x = scaled(rect.left);
  mode.y = scaled(rect.top);
  mode.width = static_cast<std::uint32_t>(scaled(rect.right - rect.left));
  mode.height = static_cast<std::uint32_t>(scaled(rect.bottom - rect.top));
  return mode;
}

}  // namespace

void addMonitor(const platform::Rect& rect, bool primary) {
  Display display;
  display.name = "\\\\.\\DISPLAY" + std::to_string(desktop().displays.size() + 1);
  display.stateFlags =
      platform::kDisplayAttachedToDesktop | (primary ? platform::kDisplayPrimaryDevice : 0u);
  display.mode = ScaledModeOf(rect);
  display.monitor = rect;
  addDisplay(display);
}

void removeDisplay(std::size_t index) {
  auto& displays = desktop().displays;
  displays.erase(displays.begin() + static_cast<std::ptrdiff_t>(index));
}

void moveMonitor(std::size_t index, const platform::Rect& rect) {
  Display& display = desktop().displays.at(index);
  display.mode = ScaledModeOf(rect);
  display.monitor = rect;
  display.work.reset();
}

void setDisplayScale(std::int32_t numerator, std::int32_t denominator) {
  desktop().scaleNumerator = numerator;
  desktop().scaleDenominator = denominator;
}

void setWorkArea(std::size_t index, const platform::Rect& work) {
  desktop().displays.at(index).work = work;
}

void clearDisplays() { desktop().displays.clear(); }

void setEnumerationThrows(bool throws) { desktop().enumerationThrows = throws; }

}  // namespace fake

namespace platform {

using fake::desktop;

bool enumDisplayDevice(std::uint32_t index, DisplayDevice& device) {
  ++desktop().calls.enumDisplayDevice;
  if (desktop().enumerationThrows) throw std::bad_alloc();
  const bool fails = fake::beginCall(fake::Call::EnumDisplayDevice);
  const bool found =
      !fails && index < desktop().enumerationEnd && index < desktop().displays.size();
  if (found) {
    const fake::Display& display = desktop().displays[index];
    desktop().lastEnumerated = index;
    device = DisplayDevice{};
    std::strncpy(device.name, display.name.c_str(), sizeof device.name - 1);
    device.stateFlags = display.stateFlags;
  }
  fake::endCall(fake::Call::EnumDisplayDevice);
  return found;
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

void enumMonitorAreas(std::vector<MonitorArea>& areas) {
  ++desktop().calls.enumMonitorAreas;
  areas.clear();
  if (desktop().enumerationThrows) throw std::bad_alloc();
  for (const fake::Display& display : desktop().displays) {
    if (!display.hasMonitor || !display.monitor) continue;
    MonitorArea area;
    std::strncpy(area.deviceName, display.name.c_str(), sizeof area.deviceName - 1);
    area.monitor = *display.monitor;
    area.work = display.work.value_or(*display.monitor);
    areas.push_back(area);
  }
}

}  // namespace platform

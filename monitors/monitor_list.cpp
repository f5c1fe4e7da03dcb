#include "monitors/monitor_list.h"

#include "common/numbers.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// "\\.\DISPLAY12" -> 12: the number an unsigned stream read takes after
// "DISPLAY", except that a sign is no digit here; no digits give 0, too many
// saturate.
std::uint32_t DisplayNumberOf(const platform::DisplayDevice& device) {
  const char* end = std::find(std::begin(device.name), std::end(device.name), '\0');
  const std::string_view name(device.name, static_cast<std::size_t>(end - device.name));
  constexpr std::string_view kPrefix = "DISPLAY";
  const std::size_t found = name.find(kPrefix);
  if (found == std::string_view::npos) return 0;
  const std::string_view rest = name.substr(found + kPrefix.size());
  const std::size_t first = rest.find_first_not_of(" \t\n\v\f\r");
  if (first == std::string_view::npos || rest[first] < '0' || rest[first] > '9') return 0;
  return numbers::parseUInt32(rest.substr(first))
      .value_or(std::numeric_limits<std::uint32_t>::max());
}

const platform::MonitorArea* AreaOf(const platform::DisplayDevice& device,
                                    const std::vector<platform::MonitorArea>& areas) {
  for (const platform::MonitorArea& area : areas) {
    if (std::strncmp(area.deviceName, device.name, sizeof device.name) == 0) return &area;
  }
  return nullptr;
}

MonitorInfo EntryOf(const platform::DisplayDevice& device,
                    const std::vector<platform::MonitorArea>& areas) {
  MonitorInfo info;
  info.displayNumber = DisplayNumberOf(device);
  info.primary = (device.stateFlags & platform::kDisplayPrimaryDevice) != 0;
  // With display scaling the settings give physical pixels, while a host
  // that is not DPI-aware sees its windows, moves and the pointer scaled:
  // the monitor's own rectangle is in those coordinates. Without scaling
  // both are the same.
  if (const platform::MonitorArea* area = AreaOf(device, areas)) {
    info.rect = area->monitor;
    info.workRect = area->work;
    return info;
  }
  platform::DisplayMode mode;
  platform::currentDisplayMode(device.name, mode);
  // The pixel counts are unsigned in the mode record; the sums are 32-bit.
  const std::int32_t width = numbers::wrapToInt32(std::int64_t{mode.width});
  const std::int32_t height = numbers::wrapToInt32(std::int64_t{mode.height});
  info.rect = platform::Rect{mode.x, mode.y, numbers::wrappingAdd(mode.x, width),
                             numbers::wrappingAdd(mode.y, height)};
  info.workRect = info.rect;
  return info;
}

}  // namespace

MonitorList::MonitorList(const MonitorRules& rules) {
  platform::DisplayDevice device;
  std::vector<platform::MonitorArea> areas;
  bool areasRead = false;
  // A device left out (not on the desktop) does not end the enumeration.
  for (std::uint32_t index = 0; platform::enumDisplayDevice(index, device); ++index) {
    if ((device.stateFlags & platform::kDisplayAttachedToDesktop) == 0) continue;
    // Read once, and only when some device is on the desktop.
    if (!areasRead) {
      platform::enumMonitorAreas(areas);
      areasRead = true;
    }
    entries_.push_back(EntryOf(device, areas));
  }
  SortMonitors(entries_, rules);
}

MonitorIndex MonitorOfWindow(const MonitorList& list, platform::WindowHandle window,
                             const MonitorRules& rules) {
  return MonitorIndexOfRect(list.entries(), platform::getWindowRect(window), rules);
}

// A MonitorList built from fake displays with any device names (up to 32
// bytes), state flags, modes, monitors and work areas. The list must hold
// every attached device, left to right (with both axes, then top to bottom),
// devices sharing those edges in enumeration order, each numbered by the
// digits after "DISPLAY" in its name.
//
// Input: the rules (1 byte), then per display: state flags (1 byte), fake
// options (1 byte), mode x, y (int32), width, height (uint32), with option 4
// a monitor and with option 8 a work area (4 int32 each), the name's prefix
// (1 byte: none, "\\.\DISPLAY", "DISPLAY"), the length of the rest (1 byte,
// up to 32) and its bytes; the name is cut at 32.
#include "monitors/monitor_list.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

constexpr std::size_t kMostDisplays = 12;

enum FakeOptions : std::uint8_t {
  kSettingsUnreadable = 1,
  kNoMonitor = 2,
  kOwnMonitorRect = 4,
  kOwnWorkArea = 8,
};

struct Expected {
  std::uint32_t index;  // in the enumeration
  MonitorInfo info;
};

std::uint32_t DisplayNumber(const char (&name)[32]) {
  const std::string_view text(name, strnlen(name, sizeof name));
  const std::size_t found = text.find("DISPLAY");
  if (found == std::string_view::npos) return 0;
  std::size_t at = found + 7;
  while (at < text.size() && std::string_view(" \t\n\v\f\r").find(text[at]) != text.npos) ++at;
  std::uint64_t value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(text[at] - '0'),
                                    std::numeric_limits<std::uint32_t>::max());
  }
  return static_cast<std::uint32_t>(value);
}

// Through the seam, as the platform reports the devices: an attached device
// takes the window manager's monitor of its name, or else its mode, which is
// its work area as well.
std::vector<Expected> AttachedDevices() {
  std::vector<platform::MonitorArea> areas;
  platform::enumMonitorAreas(areas);
  std::vector<Expected> devices;
  platform::DisplayDevice device;
  for (std::uint32_t index = 0; platform::enumDisplayDevice(index, device); ++index) {
    if ((device.stateFlags & platform::kDisplayAttachedToDesktop) == 0) continue;
    Expected entry{index, {}};
    entry.info.displayNumber = DisplayNumber(device.name);
    entry.info.primary = (device.stateFlags & platform::kDisplayPrimaryDevice) != 0;
    const auto area = std::find_if(areas.begin(), areas.end(), [&](const auto& a) {
      return std::strncmp(a.deviceName, device.name, sizeof device.name) == 0;
    });
    if (area != areas.end()) {
      entry.info.rect = area->monitor;
      entry.info.workRect = area->work;
    } else {
      platform::DisplayMode mode;
      platform::currentDisplayMode(device.name, mode);
      // 32-bit sums, wrapping.
      const auto right = static_cast<std::uint32_t>(mode.x) + mode.width;
      const auto bottom = static_cast<std::uint32_t>(mode.y) + mode.height;
      entry.info.rect = {mode.x, mode.y, static_cast<std::int32_t>(right),
                         static_cast<std::int32_t>(bottom)};
      entry.info.workRect = entry.info.rect;
    }
    devices.push_back(entry);
  }
  return devices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t ruleBits = input.byte();
  const MonitorRules rules{(ruleBits & 1) != 0, (ruleBits & 2) != 0, (ruleBits & 4) != 0};
  fake::reset();
  for (std::size_t i = 0; i < kMostDisplays && !input.empty(); ++i) {
    fake::Display display;
    display.stateFlags = input.byte();
    const std::uint8_t options = input.byte();
    display.mode.x = input.number<std::int32_t>();
    display.mode.y = input.number<std::int32_t>();
    display.mode.width = input.number<std::uint32_t>();
    display.mode.height = input.number<std::uint32_t>();
    display.settingsReadable = (options & kSettingsUnreadable) == 0;
    display.hasMonitor = (options & kNoMonitor) == 0;
    if ((options & kOwnMonitorRect) != 0) display.monitor = ReadRect(input);
    if ((options & kOwnWorkArea) != 0) display.work = ReadRect(input);
    // The platform's prefix can come whole, so that mutations land on what follows.
    const char* const prefixes[] = {"", "\\\\.\\DISPLAY", "DISPLAY"};
    const std::string prefix = prefixes[input.byte() % 3];
    display.name = (prefix + input.bytes(input.byte() % 33)).substr(0, 32);
    fake::addDisplay(display);
  }

  const MonitorList list(rules);
  std::vector<Expected> expected = AttachedDevices();
  const auto order = [&](const Expected& e) {
    return std::make_tuple(e.info.rect.left, rules.useBothAxes ? e.info.rect.top : 0, e.index);
  };
  std::sort(expected.begin(), expected.end(),
            [&](const Expected& a, const Expected& b) { return order(a) < order(b); });
  FUZZ_CHECK(list.entries().size() == expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const MonitorInfo& entry = list.entries()[i];
    FUZZ_CHECK(entry.displayNumber == expected[i].info.displayNumber);
    FUZZ_CHECK(entry.primary == expected[i].info.primary);
    FUZZ_CHECK(entry.rect == expected[i].info.rect);
    FUZZ_CHECK(entry.workRect == expected[i].info.workRect);
  }
  return 0;
}

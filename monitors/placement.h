// Moving, scaling and centring the host window between monitors.
#pragma once

#include "monitors/monitor_list.h"
#include "platform/platform.h"
#include "settings/plugin_options.h"

#include <cstdint>

// What a placement acts on: the window, the live options, and where the last
// placement centred the window (all zero: none). The controller hands out
// one of these over its own fields.
struct PlacementTarget {
  platform::WindowHandle hostWindow;
  const PluginOptions& options;
  platform::Rect& lastCenteredRect;
};

// Moves the window from `source` to `target` (either may be null: no move).
// A non-zero percentage overrides the options for that axis. With `center`
// on, ends with a centring whose rectangle becomes lastCenteredRect.
// `monitors` is the caller's list that holds `target` and `source`; the final
// centring reuses it instead of enumerating the displays again.
void PlaceOnMonitor(const MonitorInfo* target, const MonitorInfo* source,
                    const PlacementTarget& window, std::int32_t widthPercent,
                    std::int32_t heightPercent, const MonitorList& monitors);

// Centres the window, keeping its size, on the monitor that holds its
// centre (by the rules), and answers the rectangle it gave the window. Builds
// its own monitor list unless one is given.
platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window,
                                      const MonitorRules& rules = {});
platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window, const MonitorList& monitors,
                                      const MonitorRules& rules = {});

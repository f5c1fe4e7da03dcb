// Moving, scaling and centring the host window between monitors.
#pragma once

#include "monitors/monitor_list.h"
#include "platform/platform.h"
#include "settings/plugin_options.h"

#include <cstdint>
#include <optional>

// What a placement acts on: the window, the live options, and where the last
// placement centred the window (all zero: none). The controller hands out
// one of these over its own fields.
struct PlacedWindow {
  platform::WindowHandle hostWindow;
  const PluginOptions& options;
  platform::Rect& lastCenteredRect;
};

// The options as the geometry core reads them.
MonitorRules RulesOf(const PluginOptions& options);
PlacementRules PlacementRulesOf(const PluginOptions& options);
MonitorChoice ChoiceOf(const PluginOptions& options);

// Moves the window from monitor `source` to monitor `target` of `monitors`
// (either none: no move). A non-zero percentage overrides the options for
// that axis. With `center` on, ends with a centring on the same list whose
// rectangle becomes lastCenteredRect. A place remembered on the target
// stands in for the window's rectangle scaled from the source, which then
// need not be known; percentages, centring and keeping inside still apply.
void PlaceOnMonitor(MonitorIndex target, MonitorIndex source, const PlacedWindow& window,
                    std::int32_t widthPercent, std::int32_t heightPercent,
                    const MonitorList& monitors,
                    const std::optional<platform::Rect>& rememberedPlace = std::nullopt);

// Centres the window, keeping its size, on the monitor that holds its
// centre (by the rules), and answers the rectangle it gave the window.
platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window,
                                      const MonitorRules& rules = {});

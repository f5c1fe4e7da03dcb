// The geometry core: where a window goes, computed from plain rectangles,
// lists and options, with no platform call. The placement operations and
// the hotkeys read the window, call these, and move it.
#pragma once

#include "platform/platform.h"
#include "settings/plugin_options.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct MonitorInfo {
  std::uint32_t displayNumber = 0;  // "\\.\DISPLAY12" -> 12
  bool primary = false;
  platform::Rect rect;
  platform::Rect workRect;  // without the taskbar; all zero: the whole monitor
};

// How monitors are found and used. All off is the classic behaviour; each
// is a setting of its own.
struct MonitorRules {
  bool useWorkArea = false;   // size and place within the work area
  bool useBothAxes = false;   // find monitors by both coordinates
  bool keepOnScreen = false;  // bring the window wholly inside its area
};

MonitorRules RulesOf(const PluginOptions& options);

enum class MonitorStep : std::int32_t { Next = 0, Previous = 1, Same = 2 };

std::int32_t WidthOf(const platform::Rect& r);
std::int32_t HeightOf(const platform::Rect& r);

// Half the width first, then the left edge: for odd widths left of 0 this
// differs by one from the midpoint of the edges.
std::int32_t HorizontalCentreOf(const platform::Rect& r);
// The same on both axes.
platform::Point CentreOf(const platform::Rect& r);

// The rectangle a window is sized and placed by on `monitor`.
platform::Rect AreaOf(const MonitorInfo& monitor, const MonitorRules& rules);

// `window` moved the least distance that brings it wholly inside `area`; on
// an axis where it is larger than the area, it takes the area's extent.
platform::Rect KeptInside(const platform::Rect& window, const platform::Rect& area);
bool LiesInside(const platform::Rect& window, const platform::Rect& area);

// Sorts by left edge, and with both axes then by top edge; stable, so that
// monitors sharing those edges stay in enumeration order.
void SortMonitors(std::vector<MonitorInfo>& monitors, const MonitorRules& rules);

// The rectangle a window `window` on `source` gets on `target`. A non-zero
// percentage overrides the options for its axis.
platform::Rect PlacedRect(const platform::Rect& window, const platform::Rect& source,
                          const platform::Rect& target, const PluginOptions& options,
                          std::int32_t widthPercent, std::int32_t heightPercent);

// `window` moved, at its size, to the centre of `monitor`.
platform::Rect CentredRect(const platform::Rect& window, const platform::Rect& monitor);

// The first entry whose horizontal span holds x, both bounds inclusive.
std::optional<std::size_t> MonitorIndexAtX(const std::vector<MonitorInfo>& monitors,
                                           std::int32_t x);
// With both axes, the first entry holding the point, all bounds inclusive;
// otherwise MonitorIndexAtX for its x.
std::optional<std::size_t> MonitorIndexAt(const std::vector<MonitorInfo>& monitors,
                                          platform::Point point, const MonitorRules& rules);
// MonitorIndexAt for the centre of a window's rectangle (only its horizontal
// centre unless both axes count).
std::optional<std::size_t> MonitorIndexOfRect(const std::vector<MonitorInfo>& monitors,
                                              const platform::Rect& window,
                                              const MonitorRules& rules = {});

// The show-time target the settings name outright: the primary monitor,
// else the n-th of the list (1 = the first); none when neither applies.
std::optional<std::size_t> ChosenMonitorIndex(const std::vector<MonitorInfo>& monitors,
                                              const PluginOptions& options);

// The monitor `step` selects from `current` in a list of `count`: the next
// wraps round to the first; the previous of the first is the last, and none
// when the list has only one.
std::optional<std::size_t> SteppedMonitor(std::size_t count, std::size_t current, MonitorStep step);

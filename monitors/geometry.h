// The geometry core: where a window goes, computed from plain rectangles,
// lists and options, with no platform call. The placement operations and
// the hotkeys read the window, call these, and move it.
#pragma once

#include "platform/platform.h"

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

// How a placement sizes and places the window on its new monitor.
struct PlacementRules {
  bool moveRelative = false;    // keep the offset in proportion to the monitor
  bool resizeRelative = false;  // keep the size in proportion to the monitor
  bool resizePercent = false;   // width = resizePercentValue % of the monitor
  std::int32_t resizePercentValue = 0;
  bool resizePercentV = false;  // height = resizePercentValueV % of the monitor
  std::int32_t resizePercentValueV = 0;
  bool center = false;  // centred on the monitor instead of moved
};

// The show-time monitor the settings name outright, if any.
struct MonitorChoice {
  bool primary = false;
  std::int32_t number = 0;  // 1: the first of the list; 0: none
};

enum class MonitorStep : std::int32_t { Next = 0, Previous = 1, Same = 2 };

// A position in a monitor list; none when no monitor qualifies.
using MonitorIndex = std::optional<std::size_t>;

std::int32_t WidthOf(const platform::Rect& r);
std::int32_t HeightOf(const platform::Rect& r);

// Half the width first, then the left edge: for odd widths left of 0 this
// differs by one from the midpoint of the edges.
std::int32_t HorizontalCenterOf(const platform::Rect& r);
// The same on both axes.
platform::Point CenterOf(const platform::Rect& r);

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
// percentage overrides the rules for its axis.
platform::Rect PlacedRect(const platform::Rect& window, const platform::Rect& source,
                          const platform::Rect& target, const PlacementRules& rules,
                          std::int32_t widthPercent, std::int32_t heightPercent);

// `window` moved, at its size, to the centre of `monitor`.
platform::Rect CenteredRect(const platform::Rect& window, const platform::Rect& monitor);

// The lookups answer an index into the list they are given; none when no
// entry qualifies.

// The first entry whose horizontal span holds x, both bounds inclusive.
MonitorIndex MonitorIndexAtX(const std::vector<MonitorInfo>& monitors, std::int32_t x);
// With both axes, the first entry holding the point, all bounds inclusive;
// otherwise MonitorIndexAtX for its x.
MonitorIndex MonitorIndexAt(const std::vector<MonitorInfo>& monitors, platform::Point point,
                            const MonitorRules& rules);
// MonitorIndexAt for the centre of a window's rectangle (only its horizontal
// centre unless both axes count).
MonitorIndex MonitorIndexOfRect(const std::vector<MonitorInfo>& monitors,
                                const platform::Rect& window, const MonitorRules& rules = {});

// The show-time target the settings name outright: the primary monitor,
// else the n-th of the list (1 = the first); none when neither applies.
MonitorIndex ChosenMonitorIndex(const std::vector<MonitorInfo>& monitors,
                                const MonitorChoice& choice);

// The monitor `step` selects from `current` in a list of `count`: the next
// wraps round to the first; the previous of the first is the last, and none
// when the list has only one.
MonitorIndex SteppedMonitor(std::size_t count, std::size_t current, MonitorStep step);

#include "monitors/placement.h"

#include "monitors/geometry.h"

namespace {

void MoveTo(platform::WindowHandle window, const platform::Rect& r) {
  platform::moveWindow(window, r.left, r.top, WidthOf(r), HeightOf(r), true);
}

// Moves the window to `wanted`, which lies inside `area` when the window
// must be kept there; a window that would not take that rectangle (a
// minimum size, say) is brought inside from where it did end up, once.
// Answers where it was put, or, after that second move, where it is: a
// centring remembers it, and must find it there at the next notification.
platform::Rect MoveKeptInside(platform::WindowHandle window, const platform::Rect& wanted,
                              const platform::Rect& area, bool keepInside) {
  MoveTo(window, wanted);
  if (!keepInside) return wanted;
  const platform::Rect actual = platform::getWindowRect(window);
  if (LiesInside(actual, area)) return wanted;
  MoveTo(window, KeptInside(actual, area));
  return platform::getWindowRect(window);
}

// Skipping a move to where the window already is changes nothing but the
// messages the window gets, and those drive the centre-always check: only the
// final centring of a placement, whose outcome it overwrites anyway, skips it.
enum class MoveWhenInPlace { No, Yes };

platform::Rect Center(platform::WindowHandle window, const MonitorList& monitors,
                      const MonitorRules& rules, MoveWhenInPlace moveWhenInPlace) {
  const platform::Rect r = platform::getWindowRect(window);
  const MonitorIndex current = MonitorIndexOfRect(monitors.entries(), r, rules);
  // Nowhere to centre on: leave the window where it is.
  if (!current) return r;
  const platform::Rect area = AreaOf(monitors.entries()[*current], rules);
  platform::Rect centered = CenteredRect(r, area);
  if (rules.keepOnScreen) centered = KeptInside(centered, area);
  if (moveWhenInPlace == MoveWhenInPlace::No && centered == r) return centered;
  return MoveKeptInside(window, centered, area, rules.keepOnScreen);
}

}  // namespace

MonitorRules RulesOf(const PluginOptions& options) {
  return MonitorRules{options.useWorkArea, options.useBothAxes, options.keepOnScreen};
}

// The percentages are kept in range where they are used as well, whatever
// put them in the options.
PlacementRules PlacementRulesOf(const PluginOptions& options) {
  return PlacementRules{options.moveRelative,   options.resizeRelative,
                        options.resizePercent,  PercentInRange(options.resizePercentValue),
                        options.resizePercentV, PercentInRange(options.resizePercentValueV),
                        options.center};
}

MonitorChoice ChoiceOf(const PluginOptions& options) {
  return MonitorChoice{options.showOnPrimaryMonitor, options.showOnMonitorNumber};
}

void PlaceOnMonitor(MonitorIndex target, MonitorIndex source, const PlacedWindow& window,
                    std::int32_t widthPercent, std::int32_t heightPercent,
                    const MonitorList& monitors,
                    const std::optional<platform::Rect>& rememberedPlace) {
  // The move below re-enters the message hook, which may act on the options
  // and on lastCenteredRect; everything this placement depends on is taken
  // before it.
  const PluginOptions options = window.options;
  const MonitorRules rules = RulesOf(options);
  if (target && (source || rememberedPlace)) {
    const platform::Rect area = AreaOf(monitors.entries()[*target], rules);
    // A remembered place already lies on the target: placed from the target
    // to itself, it keeps its offset and size exactly.
    const platform::Rect r =
        rememberedPlace ? *rememberedPlace : platform::getWindowRect(window.hostWindow);
    const platform::Rect from = rememberedPlace ? area : AreaOf(monitors.entries()[*source], rules);
    platform::Rect placed =
        PlacedRect(r, from, area, PlacementRulesOf(options), widthPercent, heightPercent);
    if (rules.keepOnScreen) placed = KeptInside(placed, area);
    MoveKeptInside(window.hostWindow, placed, area, rules.keepOnScreen);
  }
  if (options.center) {
    // The placement above has usually put the window where the centring
    // would; moving it there again only costs a window-manager round trip.
    const platform::Rect centered = Center(window.hostWindow, monitors, rules, MoveWhenInPlace::No);
    // Stored only now, so a nested handler's write during the centring does
    // not outlive it.
    window.lastCenteredRect = centered;
  }
}

platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window, const MonitorRules& rules) {
  const MonitorList monitors(rules);
  return Center(window, monitors, rules, MoveWhenInPlace::Yes);
}

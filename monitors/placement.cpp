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

platform::Rect Centre(platform::WindowHandle window, const MonitorList& monitors,
                      const MonitorRules& rules, MoveWhenInPlace moveWhenInPlace) {
  const platform::Rect r = platform::getWindowRect(window);
  const MonitorInfo* current = MonitorOfRect(monitors, r, rules);
  // Nowhere to centre on: leave the window where it is.
  if (current == nullptr) return r;
  const platform::Rect area = AreaOf(*current, rules);
  platform::Rect centred = CentredRect(r, area);
  if (rules.keepOnScreen) centred = KeptInside(centred, area);
  if (moveWhenInPlace == MoveWhenInPlace::No && centred == r) return centred;
  return MoveKeptInside(window, centred, area, rules.keepOnScreen);
}

}  // namespace

void PlaceOnMonitor(const MonitorInfo* target, const MonitorInfo* source,
                    const PlacementTarget& window, std::int32_t widthPercent,
                    std::int32_t heightPercent, const MonitorList& monitors) {
  // The move below re-enters the message hook, which may act on the options
  // and on lastCenteredRect; everything this placement depends on is taken
  // before it.
  const PluginOptions options = window.options;
  const MonitorRules rules = RulesOf(options);
  if (target != nullptr && source != nullptr) {
    const platform::Rect r = platform::getWindowRect(window.hostWindow);
    const platform::Rect area = AreaOf(*target, rules);
    platform::Rect placed =
        PlacedRect(r, AreaOf(*source, rules), area, options, widthPercent, heightPercent);
    if (rules.keepOnScreen) placed = KeptInside(placed, area);
    MoveKeptInside(window.hostWindow, placed, area, rules.keepOnScreen);
  }
  if (options.center) {
    // The placement above has usually put the window where the centring
    // would; moving it there again only costs a window-manager round trip.
    const platform::Rect centred = Centre(window.hostWindow, monitors, rules, MoveWhenInPlace::No);
    // Stored only now, so a nested handler's write during the centring does
    // not outlive it.
    window.lastCenteredRect = centred;
  }
}

platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window, const MonitorRules& rules) {
  const MonitorList monitors(rules);
  return CenterOnCurrentMonitor(window, monitors, rules);
}

platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window, const MonitorList& monitors,
                                      const MonitorRules& rules) {
  return Centre(window, monitors, rules, MoveWhenInPlace::Yes);
}

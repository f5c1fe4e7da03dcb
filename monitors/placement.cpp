#include "monitors/placement.h"

#include "monitors/geometry.h"

namespace {

void MoveTo(platform::WindowHandle window, const platform::Rect& r) {
  platform::moveWindow(window, r.left, r.top, WidthOf(r), HeightOf(r), true);
}

// Skipping a move to where the window already is changes nothing but the
// messages the window gets, and those drive the centre-always check: only the
// final centring of a placement, whose outcome it overwrites anyway, skips it.
enum class MoveWhenInPlace { No, Yes };

platform::Rect Centre(platform::WindowHandle window, const MonitorList& monitors,
                      MoveWhenInPlace moveWhenInPlace) {
  const platform::Rect r = platform::getWindowRect(window);
  const MonitorInfo* current = MonitorOfRect(monitors, r);
  // Nowhere to centre on: leave the window where it is.
  if (current == nullptr) return r;
  const platform::Rect centred = CentredRect(r, current->rect);
  if (moveWhenInPlace == MoveWhenInPlace::Yes || centred != r) MoveTo(window, centred);
  return centred;
}

}  // namespace

void PlaceOnMonitor(const MonitorInfo* target, const MonitorInfo* source,
                    const PlacementTarget& window, std::int32_t widthPercent,
                    std::int32_t heightPercent, const MonitorList& monitors) {
  // The move below re-enters the message hook, which may act on the options
  // and on lastCenteredRect; everything this placement depends on is taken
  // before it.
  const PluginOptions options = window.options;
  if (target != nullptr && source != nullptr) {
    const platform::Rect r = platform::getWindowRect(window.hostWindow);
    MoveTo(window.hostWindow,
           PlacedRect(r, source->rect, target->rect, options, widthPercent, heightPercent));
  }
  if (options.center) {
    // The placement above has usually put the window where the centring
    // would; moving it there again only costs a window-manager round trip.
    const platform::Rect centred = Centre(window.hostWindow, monitors, MoveWhenInPlace::No);
    // Stored only now, so a nested handler's write during the centring does
    // not outlive it.
    window.lastCenteredRect = centred;
  }
}

platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window) {
  const MonitorList monitors;
  return CenterOnCurrentMonitor(window, monitors);
}

platform::Rect CenterOnCurrentMonitor(platform::WindowHandle window, const MonitorList& monitors) {
  return Centre(window, monitors, MoveWhenInPlace::Yes);
}

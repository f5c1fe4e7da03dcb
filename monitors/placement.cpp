#include "monitors/placement.h"

#include "common/numbers.h"

using numbers::truncateToInt32;
using numbers::wrappingAdd;
using numbers::wrappingMul;
using numbers::wrappingSub;

namespace {

std::int32_t WidthOf(const platform::Rect& r) { return wrappingSub(r.right, r.left); }
std::int32_t HeightOf(const platform::Rect& r) { return wrappingSub(r.bottom, r.top); }

// A source monitor without extent (its settings could not be read) would make
// the ratio infinite and throw the window to INT32_MIN; keeping the window's
// offset and size on that axis is the useful answer.
double RatioOf(std::int32_t targetExtent, std::int32_t sourceExtent) {
  if (sourceExtent == 0) return 1.0;
  return static_cast<double>(targetExtent) / static_cast<double>(sourceExtent);
}

std::int32_t Scaled(std::int32_t value, double factor) {
  return truncateToInt32(static_cast<double>(value) * factor);
}

std::int32_t PercentOf(std::int32_t extent, std::int32_t percent) {
  return wrappingMul(extent, percent) / 100;
}

// Where a window of `extent` starts when centred on a monitor span.
std::int32_t CentredStart(std::int32_t monitorStart, std::int32_t monitorExtent,
                          std::int32_t extent) {
  return wrappingAdd(monitorStart, wrappingSub(monitorExtent, extent) / 2);
}

// Skipping a move to where the window already is changes nothing but the
// messages the window gets, and those drive the centre-always check: only the
// final centring of a placement, whose outcome it overwrites anyway, skips it.
enum class MoveWhenInPlace { No, Yes };
platform::Rect Centre(platform::WindowHandle window, const MonitorList& monitors,
                      MoveWhenInPlace moveWhenInPlace);

struct Placement {
  std::int32_t x, y, width, height;
};

Placement Compute(const platform::Rect& r, const platform::Rect& source,
                  const platform::Rect& target, const PluginOptions& options,
                  std::int32_t widthPercent, std::int32_t heightPercent) {
  const std::int32_t w = WidthOf(r);
  const std::int32_t h = HeightOf(r);
  const std::int32_t dx = wrappingSub(r.left, source.left);
  const std::int32_t dy = wrappingSub(r.top, source.top);
  const std::int32_t tw = WidthOf(target);
  const std::int32_t th = HeightOf(target);
  const double rx = RatioOf(tw, WidthOf(source));
  const double ry = RatioOf(th, HeightOf(source));

  Placement p{};
  if (options.resizePercent || widthPercent != 0) {
    p.width = PercentOf(tw, widthPercent != 0 ? widthPercent : options.resizePercentValue);
  } else {
    p.width = options.resizeRelative ? Scaled(w, rx) : w;
  }
  if (options.resizePercentV || heightPercent != 0) {
    p.height = PercentOf(th, heightPercent != 0 ? heightPercent : options.resizePercentValueV);
  } else {
    p.height = options.resizeRelative ? Scaled(h, ry) : h;
  }

  if (options.center) {
    p.x = CentredStart(target.left, tw, p.width);
    p.y = CentredStart(target.top, th, p.height);
  } else if (options.moveRelative) {
    p.x = wrappingAdd(target.left, Scaled(dx, rx));
    p.y = wrappingAdd(target.top, Scaled(dy, ry));
  } else {
    p.x = wrappingAdd(target.left, dx);
    p.y = wrappingAdd(target.top, dy);
  }
  return p;
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
    const platform::Rect s = source->rect;
    const platform::Rect t = target->rect;
    const Placement p = Compute(r, s, t, options, widthPercent, heightPercent);
    platform::moveWindow(window.hostWindow, p.x, p.y, p.width, p.height, true);
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

namespace {

platform::Rect Centre(platform::WindowHandle window, const MonitorList& monitors,
                      MoveWhenInPlace moveWhenInPlace) {
  const platform::Rect r = platform::getWindowRect(window);
  const MonitorInfo* current = MonitorOfWindow(monitors, window);
  // Nowhere to centre on: leave the window where it is.
  if (current == nullptr) return r;
  const platform::Rect m = current->rect;
  const std::int32_t w = WidthOf(r);
  const std::int32_t h = HeightOf(r);
  const std::int32_t x = CentredStart(m.left, WidthOf(m), w);
  const std::int32_t y = CentredStart(m.top, HeightOf(m), h);
  const platform::Rect centred{x, y, wrappingAdd(x, w), wrappingAdd(y, h)};
  if (moveWhenInPlace == MoveWhenInPlace::Yes || centred != r) {
    platform::moveWindow(window, x, y, w, h, true);
  }
  return centred;
}

}  // namespace

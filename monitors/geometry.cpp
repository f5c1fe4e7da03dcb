#include "monitors/geometry.h"

#include "common/numbers.h"

using numbers::roundToInt32;
using numbers::wrappingAdd;
using numbers::wrappingMul;
using numbers::wrappingSub;

namespace {

// A source monitor without extent (its settings could not be read) would make
// the ratio infinite and throw the window to INT32_MIN; keeping the window's
// offset and size on that axis is the useful answer.
double RatioOf(std::int32_t targetExtent, std::int32_t sourceExtent) {
  if (sourceExtent == 0) return 1.0;
  return static_cast<double>(targetExtent) / static_cast<double>(sourceExtent);
}

// Rounded, not truncated: truncation always loses the fraction in the same
// direction, so a window shown alternately on two monitors of different sizes
// would shrink and creep toward the top-left corner with every round trip.
std::int32_t Scaled(std::int32_t value, double factor) {
  return roundToInt32(static_cast<double>(value) * factor);
}

std::int32_t PercentOf(std::int32_t extent, std::int32_t percent) {
  return wrappingMul(extent, percent) / 100;
}

// Where a window of `extent` starts when centred on a monitor span.
std::int32_t CentredStart(std::int32_t monitorStart, std::int32_t monitorExtent,
                          std::int32_t extent) {
  return wrappingAdd(monitorStart, wrappingSub(monitorExtent, extent) / 2);
}

platform::Rect RectAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return platform::Rect{x, y, wrappingAdd(x, width), wrappingAdd(y, height)};
}

}  // namespace

std::int32_t WidthOf(const platform::Rect& r) { return wrappingSub(r.right, r.left); }
std::int32_t HeightOf(const platform::Rect& r) { return wrappingSub(r.bottom, r.top); }

std::int32_t HorizontalCentreOf(const platform::Rect& r) {
  return wrappingAdd(WidthOf(r) / 2, r.left);
}

platform::Rect PlacedRect(const platform::Rect& r, const platform::Rect& source,
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

  std::int32_t width = 0;
  if (options.resizePercent || widthPercent != 0) {
    width = PercentOf(tw, widthPercent != 0 ? widthPercent : options.resizePercentValue);
  } else {
    width = options.resizeRelative ? Scaled(w, rx) : w;
  }
  std::int32_t height = 0;
  if (options.resizePercentV || heightPercent != 0) {
    height = PercentOf(th, heightPercent != 0 ? heightPercent : options.resizePercentValueV);
  } else {
    height = options.resizeRelative ? Scaled(h, ry) : h;
  }

  if (options.center) {
    return RectAt(CentredStart(target.left, tw, width), CentredStart(target.top, th, height), width,
                  height);
  }
  if (options.moveRelative) {
    return RectAt(wrappingAdd(target.left, Scaled(dx, rx)), wrappingAdd(target.top, Scaled(dy, ry)),
                  width, height);
  }
  return RectAt(wrappingAdd(target.left, dx), wrappingAdd(target.top, dy), width, height);
}

platform::Rect CentredRect(const platform::Rect& window, const platform::Rect& monitor) {
  const std::int32_t w = WidthOf(window);
  const std::int32_t h = HeightOf(window);
  return RectAt(CentredStart(monitor.left, WidthOf(monitor), w),
                CentredStart(monitor.top, HeightOf(monitor), h), w, h);
}

std::optional<std::size_t> MonitorIndexAtX(const std::vector<MonitorInfo>& monitors,
                                           std::int32_t x) {
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].rect.left <= x && x <= monitors[i].rect.right) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> MonitorIndexOfRect(const std::vector<MonitorInfo>& monitors,
                                              const platform::Rect& window) {
  return MonitorIndexAtX(monitors, HorizontalCentreOf(window));
}

std::optional<std::size_t> SteppedMonitor(std::size_t count, std::size_t current,
                                          MonitorStep step) {
  if (current >= count) return std::nullopt;
  switch (step) {
    case MonitorStep::Next:
      return (current + 1) % count;
    case MonitorStep::Previous:
      if (current > 0) return current - 1;
      if (count >= 2) return count - 1;
      return std::nullopt;
    case MonitorStep::Same:
      return current;
  }
  return std::nullopt;
}

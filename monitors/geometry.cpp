#include "monitors/geometry.h"

#include "common/numbers.h"

#include <algorithm>

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
std::int32_t CenteredStart(std::int32_t monitorStart, std::int32_t monitorExtent,
                           std::int32_t extent) {
  return wrappingAdd(monitorStart, wrappingSub(monitorExtent, extent) / 2);
}

platform::Rect RectAt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return platform::Rect{x, y, wrappingAdd(x, width), wrappingAdd(y, height)};
}

}  // namespace

std::int32_t WidthOf(const platform::Rect& r) { return wrappingSub(r.right, r.left); }
std::int32_t HeightOf(const platform::Rect& r) { return wrappingSub(r.bottom, r.top); }

std::int32_t HorizontalCenterOf(const platform::Rect& r) {
  return wrappingAdd(WidthOf(r) / 2, r.left);
}

platform::Point CenterOf(const platform::Rect& r) {
  return platform::Point{HorizontalCenterOf(r), wrappingAdd(HeightOf(r) / 2, r.top)};
}

platform::Rect AreaOf(const MonitorInfo& monitor, const MonitorRules& rules) {
  if (rules.useWorkArea && monitor.workRect != platform::Rect{}) return monitor.workRect;
  return monitor.rect;
}

namespace {

// One axis of KeptInside, in 64 bits so that no intermediate overflows.
void KeepSpanInside(std::int32_t& start, std::int32_t& end, std::int32_t areaStart,
                    std::int32_t areaEnd) {
  const std::int64_t extent = std::int64_t{end} - start;
  const std::int64_t room = std::int64_t{areaEnd} - areaStart;
  std::int64_t newStart = start;
  std::int64_t newEnd = end;
  if (extent > room) {
    newStart = areaStart;
    newEnd = areaEnd;
  } else if (start < areaStart) {
    newStart = areaStart;
    newEnd = areaStart + extent;
  } else if (std::int64_t{start} + extent > areaEnd) {
    newStart = areaEnd - extent;
    newEnd = areaEnd;
  }
  start = numbers::wrapToInt32(newStart);
  end = numbers::wrapToInt32(newEnd);
}

}  // namespace

platform::Rect KeptInside(const platform::Rect& window, const platform::Rect& area) {
  platform::Rect kept = window;
  KeepSpanInside(kept.left, kept.right, area.left, area.right);
  KeepSpanInside(kept.top, kept.bottom, area.top, area.bottom);
  return kept;
}

bool LiesInside(const platform::Rect& window, const platform::Rect& area) {
  return KeptInside(window, area) == window;
}

void SortMonitors(std::vector<MonitorInfo>& monitors, const MonitorRules& rules) {
  std::stable_sort(monitors.begin(), monitors.end(),
                   [&](const MonitorInfo& a, const MonitorInfo& b) {
                     if (a.rect.left != b.rect.left) return a.rect.left < b.rect.left;
                     return rules.useBothAxes && a.rect.top < b.rect.top;
                   });
}

platform::Rect PlacedRect(const platform::Rect& r, const platform::Rect& source,
                          const platform::Rect& target, const PlacementRules& rules,
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
  if (rules.resizePercent || widthPercent != 0) {
    width = PercentOf(tw, widthPercent != 0 ? widthPercent : rules.resizePercentValue);
  } else {
    width = rules.resizeRelative ? Scaled(w, rx) : w;
  }
  std::int32_t height = 0;
  if (rules.resizePercentV || heightPercent != 0) {
    height = PercentOf(th, heightPercent != 0 ? heightPercent : rules.resizePercentValueV);
  } else {
    height = rules.resizeRelative ? Scaled(h, ry) : h;
  }

  if (rules.center) {
    return RectAt(CenteredStart(target.left, tw, width), CenteredStart(target.top, th, height),
                  width, height);
  }
  if (rules.moveRelative) {
    return RectAt(wrappingAdd(target.left, Scaled(dx, rx)), wrappingAdd(target.top, Scaled(dy, ry)),
                  width, height);
  }
  return RectAt(wrappingAdd(target.left, dx), wrappingAdd(target.top, dy), width, height);
}

platform::Rect CenteredRect(const platform::Rect& window, const platform::Rect& monitor) {
  const std::int32_t w = WidthOf(window);
  const std::int32_t h = HeightOf(window);
  return RectAt(CenteredStart(monitor.left, WidthOf(monitor), w),
                CenteredStart(monitor.top, HeightOf(monitor), h), w, h);
}

MonitorIndex MonitorIndexAtX(const std::vector<MonitorInfo>& monitors, std::int32_t x) {
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].rect.left <= x && x <= monitors[i].rect.right) return i;
  }
  return std::nullopt;
}

MonitorIndex MonitorIndexAt(const std::vector<MonitorInfo>& monitors, platform::Point point,
                            const MonitorRules& rules) {
  if (!rules.useBothAxes) return MonitorIndexAtX(monitors, point.x);
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const platform::Rect& r = monitors[i].rect;
    if (r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom) {
      return i;
    }
  }
  return std::nullopt;
}

MonitorIndex MonitorIndexOfRect(const std::vector<MonitorInfo>& monitors,
                                const platform::Rect& window, const MonitorRules& rules) {
  return MonitorIndexAt(monitors, CenterOf(window), rules);
}

MonitorIndex ChosenMonitorIndex(const std::vector<MonitorInfo>& monitors,
                                const MonitorChoice& choice) {
  if (choice.primary) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      if (monitors[i].primary) return i;
    }
  }
  const std::int32_t n = choice.number;
  if (n >= 1 && static_cast<std::size_t>(n) <= monitors.size()) {
    return static_cast<std::size_t>(n) - 1;
  }
  return std::nullopt;
}

MonitorIndex SteppedMonitor(std::size_t count, std::size_t current, MonitorStep step) {
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

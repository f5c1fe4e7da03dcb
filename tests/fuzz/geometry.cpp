// The geometry core with any rectangles, options, rules and percentages,
// against its formulas recomputed in 64-bit arithmetic: each step wraps to 32
// bits, scaled values round half away from zero (INT32_MIN when not a number
// or out of range), halves and hundredths truncate, and a source without
// extent keeps the window's offset and size on that axis.
//
// Input: window, source, target (4 int32 each), options (1 byte), the two
// option percentages, width and height percent, the monitor number to show
// on (int32 each), a monitor count (1 byte, up to 8), which are primary (1
// byte), each monitor's rectangle and work area, a point (2 int32), then a
// count, a current index and a step (1 byte each).
#include "monitors/geometry.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

namespace {

constexpr std::int64_t kTwoTo32 = std::int64_t{1} << 32;
constexpr std::int64_t kInt32Min = -(std::int64_t{1} << 31);

std::int64_t Wrap(std::int64_t value) {
  const std::int64_t low = (value % kTwoTo32 + kTwoTo32) % kTwoTo32;
  return low >= (kTwoTo32 >> 1) ? low - kTwoTo32 : low;
}

std::int64_t Width(const platform::Rect& r) { return Wrap(std::int64_t{r.right} - r.left); }
std::int64_t Height(const platform::Rect& r) { return Wrap(std::int64_t{r.bottom} - r.top); }

double Ratio(std::int64_t target, std::int64_t source) {
  return source == 0 ? 1.0 : static_cast<double>(target) / static_cast<double>(source);
}

std::int64_t Scaled(std::int64_t value, double ratio) {
  const double product = static_cast<double>(value) * ratio;
  if (!std::isfinite(product)) return kInt32Min;
  double whole = std::trunc(product);
  const double fraction = product - whole;  // exact
  if (fraction >= 0.5) whole += 1;
  if (fraction <= -0.5) whole -= 1;
  if (whole < -2147483648.0 || whole > 2147483647.0) return kInt32Min;
  return static_cast<std::int64_t>(whole);
}

std::int64_t Percent(std::int64_t extent, std::int64_t percent) {
  return Wrap(extent * percent) / 100;
}

std::int64_t CenteredStart(std::int64_t start, std::int64_t monitorExtent, std::int64_t extent) {
  return Wrap(start + Wrap(monitorExtent - extent) / 2);
}

platform::Rect RectAt(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
          static_cast<std::int32_t>(Wrap(x + width)), static_cast<std::int32_t>(Wrap(y + height))};
}

platform::Rect Placed(const platform::Rect& r, const platform::Rect& source,
                      const platform::Rect& target, const PlacementRules& o,
                      std::int32_t widthPercent, std::int32_t heightPercent) {
  const double rx = Ratio(Width(target), Width(source));
  const double ry = Ratio(Height(target), Height(source));
  std::int64_t width = o.resizeRelative ? Scaled(Width(r), rx) : Width(r);
  if (o.resizePercent || widthPercent != 0) {
    width = Percent(Width(target), widthPercent != 0 ? widthPercent : o.resizePercentValue);
  }
  std::int64_t height = o.resizeRelative ? Scaled(Height(r), ry) : Height(r);
  if (o.resizePercentV || heightPercent != 0) {
    height = Percent(Height(target), heightPercent != 0 ? heightPercent : o.resizePercentValueV);
  }
  const std::int64_t dx = Wrap(std::int64_t{r.left} - source.left);
  const std::int64_t dy = Wrap(std::int64_t{r.top} - source.top);
  if (o.center) {
    return RectAt(CenteredStart(target.left, Width(target), width),
                  CenteredStart(target.top, Height(target), height), width, height);
  }
  if (o.moveRelative) {
    return RectAt(Wrap(target.left + Scaled(dx, rx)), Wrap(target.top + Scaled(dy, ry)), width,
                  height);
  }
  return RectAt(Wrap(target.left + dx), Wrap(target.top + dy), width, height);
}

// All bounds inclusive; the vertical ones only with both axes.
std::optional<std::size_t> IndexAt(const std::vector<MonitorInfo>& monitors, std::int64_t x,
                                   std::int64_t y, bool bothAxes) {
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const platform::Rect& r = monitors[i].rect;
    const bool holdsY = !bothAxes || (r.top <= y && y <= r.bottom);
    if (r.left <= x && x <= r.right && holdsY) return i;
  }
  return std::nullopt;
}

// The least move that brings a span inside the area's span; a span larger
// than the area's takes it whole.
void KeepInside(std::int64_t& start, std::int64_t& end, std::int64_t areaStart,
                std::int64_t areaEnd) {
  const std::int64_t extent = end - start;
  if (extent > areaEnd - areaStart) {
    start = areaStart;
    end = areaEnd;
  } else if (start < areaStart) {
    start = areaStart;
    end = areaStart + extent;
  } else if (end > areaEnd) {
    start = areaEnd - extent;
    end = areaEnd;
  }
}

platform::Rect Kept(const platform::Rect& window, const platform::Rect& area) {
  std::int64_t left = window.left, right = window.right, top = window.top, bottom = window.bottom;
  KeepInside(left, right, area.left, area.right);
  KeepInside(top, bottom, area.top, area.bottom);
  return {static_cast<std::int32_t>(Wrap(left)), static_cast<std::int32_t>(Wrap(top)),
          static_cast<std::int32_t>(Wrap(right)), static_cast<std::int32_t>(Wrap(bottom))};
}

std::optional<std::size_t> Chosen(const std::vector<MonitorInfo>& monitors,
                                  const MonitorChoice& choice) {
  for (std::size_t i = 0; choice.primary && i < monitors.size(); ++i) {
    if (monitors[i].primary) return i;
  }
  const std::int64_t n = choice.number;
  if (n < 1 || n > static_cast<std::int64_t>(monitors.size())) return std::nullopt;
  return static_cast<std::size_t>(n - 1);
}

std::optional<std::size_t> Stepped(std::size_t count, std::size_t current, std::int32_t step) {
  if (current >= count) return std::nullopt;
  if (step == 0) return current + 1 == count ? 0 : current + 1;
  if (step == 1 && current > 0) return current - 1;
  if (step == 1 && count > 1) return count - 1;
  if (step == 2) return current;
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const platform::Rect window = ReadRect(input);
  const platform::Rect source = ReadRect(input);
  const platform::Rect target = ReadRect(input);
  const std::uint8_t bits = input.byte();
  PlacementRules options;
  MonitorChoice choice;
  options.resizePercent = (bits & 1) != 0;
  options.resizePercentV = (bits & 2) != 0;
  options.resizeRelative = (bits & 4) != 0;
  options.moveRelative = (bits & 8) != 0;
  options.center = (bits & 16) != 0;
  choice.primary = (bits & 32) != 0;
  const MonitorRules rules{(bits & 64) != 0, (bits & 128) != 0, false};
  options.resizePercentValue = input.number<std::int32_t>();
  options.resizePercentValueV = input.number<std::int32_t>();
  const auto widthPercent = input.number<std::int32_t>();
  const auto heightPercent = input.number<std::int32_t>();
  choice.number = input.number<std::int32_t>();
  std::vector<MonitorInfo> monitors(input.byte() % 9);
  const std::uint8_t primaries = input.byte();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    monitors[i].displayNumber = static_cast<std::uint32_t>(i);
    monitors[i].primary = (primaries >> i & 1) != 0;
    monitors[i].rect = ReadRect(input);
    monitors[i].workRect = ReadRect(input);
  }
  const auto x = input.number<std::int32_t>();
  const auto y = input.number<std::int32_t>();
  const std::size_t count = input.byte();
  const std::size_t current = input.byte();
  const std::int32_t step = input.byte() % 4;

  FUZZ_CHECK(WidthOf(window) == Width(window));
  FUZZ_CHECK(HeightOf(window) == Height(window));
  const std::int64_t centre = Wrap(Width(window) / 2 + window.left);
  FUZZ_CHECK(HorizontalCenterOf(window) == centre);
  const std::int64_t middle = Wrap(Height(window) / 2 + window.top);
  FUZZ_CHECK(CenterOf(window).x == centre && CenterOf(window).y == middle);

  FUZZ_CHECK(PlacedRect(window, source, target, options, widthPercent, heightPercent) ==
             Placed(window, source, target, options, widthPercent, heightPercent));
  const std::int64_t centredLeft = CenteredStart(target.left, Width(target), Width(window));
  const std::int64_t centredTop = CenteredStart(target.top, Height(target), Height(window));
  FUZZ_CHECK(CenteredRect(window, target) ==
             RectAt(centredLeft, centredTop, Width(window), Height(window)));

  FUZZ_CHECK(KeptInside(window, target) == Kept(window, target));
  FUZZ_CHECK(LiesInside(window, target) == (Kept(window, target) == window));

  FUZZ_CHECK(MonitorIndexAtX(monitors, x) == IndexAt(monitors, x, 0, false));
  FUZZ_CHECK(MonitorIndexAt(monitors, {x, y}, rules) == IndexAt(monitors, x, y, rules.useBothAxes));
  FUZZ_CHECK(MonitorIndexOfRect(monitors, window, rules) ==
             IndexAt(monitors, centre, middle, rules.useBothAxes));
  FUZZ_CHECK(ChosenMonitorIndex(monitors, choice) == Chosen(monitors, choice));
  for (const MonitorInfo& monitor : monitors) {
    const bool work = rules.useWorkArea && monitor.workRect != platform::Rect{};
    FUZZ_CHECK(AreaOf(monitor, rules) == (work ? monitor.workRect : monitor.rect));
  }

  // Left to right, with both axes top to bottom, else in the given order.
  std::vector<MonitorInfo> sorted = monitors;
  SortMonitors(sorted, rules);
  const auto order = [&](const MonitorInfo& m) {
    return std::make_tuple(m.rect.left, rules.useBothAxes ? m.rect.top : 0, m.displayNumber);
  };
  FUZZ_CHECK(std::is_permutation(sorted.begin(), sorted.end(), monitors.begin(),
                                 [](const MonitorInfo& a, const MonitorInfo& b) {
                                   return a.displayNumber == b.displayNumber;
                                 }));
  FUZZ_CHECK(std::is_sorted(sorted.begin(), sorted.end(),
                            [&](const auto& a, const auto& b) { return order(a) < order(b); }));
  FUZZ_CHECK(SteppedMonitor(count, current, static_cast<MonitorStep>(step)) ==
             Stepped(count, current, step));
  return 0;
}

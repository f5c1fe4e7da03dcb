// Cost of the monitor snapshot and of one placement on the fake desktop, for
// 1 to 16 monitors side by side. Building the snapshot grows linearly with
// the monitors; a placement on a snapshot at hand hardly depends on them.
#include "monitors/monitor_list.h"
#include "monitors/placement.h"
#include "tests/fake/fake_desktop.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr std::int32_t kMonitorWidth = 1920;
constexpr std::int32_t kMonitorHeight = 1080;

// Monitors side by side, enumerated right to left so that the sort has work.
void SetUpDesktop(std::int64_t monitors) {
  fake::reset();
  for (std::int64_t i = monitors - 1; i >= 0; --i) {
    const auto left = static_cast<std::int32_t>(i) * kMonitorWidth;
    fake::addMonitor({left, 0, left + kMonitorWidth, kMonitorHeight}, i == 0);
  }
}

// The fake records every move and message; forget them now and then so that
// the records do not grow with the iteration count.
constexpr std::int64_t kIterationsPerReset = 1024;

void BM_BuildMonitorList(benchmark::State& state) {
  SetUpDesktop(state.range(0));
  for (auto _ : state) {
    const MonitorList monitors;
    benchmark::DoNotOptimize(monitors.entries().data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildMonitorList)->RangeMultiplier(2)->Range(1, 16)->Complexity(benchmark::oN);

// One placement with the default options plus `center`, between the first and
// the last monitor and back, on a list built beforehand. The final centring
// scans the list up to the window's monitor.
void BM_PlaceOnMonitor(benchmark::State& state) {
  SetUpDesktop(state.range(0));
  PluginOptions options;
  options.center = true;
  platform::Rect lastCentered;
  platform::WindowHandle window = fake::createWindow({560, 340, 1360, 740});
  const MonitorList monitors;
  const MonitorIndex first = 0;
  const MonitorIndex last = monitors.entries().size() - 1;
  std::int64_t sinceReset = 0;
  bool onFirst = true;
  for (auto _ : state) {
    PlaceOnMonitor(onFirst ? last : first, onFirst ? first : last,
                   PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
    benchmark::DoNotOptimize(lastCentered);
    onFirst = !onFirst;
    if (++sinceReset == kIterationsPerReset) {
      state.PauseTiming();
      const platform::Rect at = fake::windowRect(window);
      fake::reset();
      SetUpDesktop(state.range(0));
      window = fake::createWindow(at);
      sinceReset = 0;
      state.ResumeTiming();
    }
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlaceOnMonitor)->RangeMultiplier(2)->Range(1, 16)->Complexity(benchmark::oAuto);

// What a show-time placement does: a fresh list, the two lookups, the
// placement with the default options.
void BM_ShowTimePlacement(benchmark::State& state) {
  SetUpDesktop(state.range(0));
  const PluginOptions options;
  platform::Rect lastCentered;
  platform::WindowHandle window = fake::createWindow({560, 340, 1360, 740});
  const std::int32_t farRight =
      static_cast<std::int32_t>(state.range(0)) * kMonitorWidth - kMonitorWidth / 2;
  std::int64_t sinceReset = 0;
  bool onFirst = true;
  for (auto _ : state) {
    const MonitorList monitors;
    const MonitorIndex source = MonitorOfWindow(monitors, window);
    const MonitorIndex target = MonitorIndexAtX(monitors.entries(), onFirst ? farRight : 0);
    PlaceOnMonitor(target, source, PlacedWindow{window, options, lastCentered}, 0, 0, monitors);
    onFirst = !onFirst;
    if (++sinceReset == kIterationsPerReset) {
      state.PauseTiming();
      const platform::Rect at = fake::windowRect(window);
      fake::reset();
      SetUpDesktop(state.range(0));
      window = fake::createWindow(at);
      sinceReset = 0;
      state.ResumeTiming();
    }
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ShowTimePlacement)->RangeMultiplier(2)->Range(1, 16)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();

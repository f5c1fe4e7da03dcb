// The monitor list and the placement against the real platform: the logic
// linked with the Win32 seam, run under Wine on a desktop of known monitors.
//
//   monitors_probe.exe [--reference-desktop] [--centre L,T,R,B] [--numbers N,N...]
//                      L,T,R,B...
//
// The rectangles are the monitors expected from the enumeration, left to
// right; --numbers gives their display numbers in that order. --reference-desktop moves a real
// window from the first monitor to the second and expects the reference desktop's results; --centre
// centres a window whose centre is at x = 300 and expects the rectangle given. The exit code is the
// number of failed checks.
#include "monitors/monitor_list.h"
#include "monitors/placement.h"
#include "settings/plugin_options.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Report {
 public:
  bool check(bool ok, const std::string& name, const std::string& detail = "") {
    if (ok) {
      ++passed_;
      std::printf("ok   %s\n", name.c_str());
    } else {
      ++failed_;
      std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return ok;
  }
  int failed() const { return failed_; }
  void summary() const {
    std::printf("monitors_probe: %d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
  }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

std::string Text(const platform::Rect& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

bool CheckRect(Report& report, const platform::Rect& actual, const platform::Rect& expected,
               const std::string& name) {
  return report.check(actual == expected, name, "got " + Text(actual) + ", want " + Text(expected));
}

// "2,1,3" -> {2, 1, 3}
bool ParseNumbers(const char* text, std::vector<std::uint32_t>& numbers) {
  numbers.clear();
  const char* at = text;
  while (*at != '\0') {
    char* end = nullptr;
    const unsigned long value = std::strtoul(at, &end, 10);
    if (end == at || (*end != ',' && *end != '\0')) return false;
    numbers.push_back(static_cast<std::uint32_t>(value));
    at = *end == ',' ? end + 1 : end;
  }
  return !numbers.empty();
}

bool ParseRect(const char* text, platform::Rect& rect) {
  int l = 0, t = 0, r = 0, b = 0;
  char rest = 0;
  if (std::sscanf(text, "%d,%d,%d,%d%c", &l, &t, &r, &b, &rest) != 4) return false;
  rect = platform::Rect{l, t, r, b};
  return true;
}

platform::Rect WindowRectOf(HWND window) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(window, &r);
  return platform::Rect{r.left, r.top, r.right, r.bottom};
}

platform::WindowHandle HandleOf(HWND window) {
  return static_cast<platform::WindowHandle>(reinterpret_cast<UINT_PTR>(window));
}

// WM_WINDOWPOSCHANGING deliveries to the probe's window, seen by a thread
// hook as the plugin's message hook sees them.
HWND gWatched = nullptr;
int gPosChanging = 0;

LRESULT CALLBACK CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->hwnd == gWatched && sent->message == WM_WINDOWPOSCHANGING) ++gPosChanging;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A plain popup without a sizing frame keeps exactly the rectangle it is given.
HWND CreateProbeWindow(const platform::Rect& r) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VmmMonitorsProbe";
    registered = RegisterClassA(&windowClass) != 0;
  }
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "VmmMonitorsProbe", "probe", WS_POPUP, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void CheckEnumeration(Report& report, const MonitorList& list,
                      const std::vector<platform::Rect>& expected,
                      const std::vector<std::uint32_t>& numbers) {
  const auto& entries = list.entries();
  std::printf("     enumerated:");
  for (const MonitorInfo& m : entries) {
    std::printf(" DISPLAY%u%s %s", static_cast<unsigned>(m.displayNumber), m.primary ? "*" : "",
                Text(m.rect).c_str());
  }
  std::printf("\n");
  if (!report.check(
          entries.size() == expected.size(), "monitor count",
          "got " + std::to_string(entries.size()) + ", want " + std::to_string(expected.size()))) {
    return;
  }
  int primaries = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string name = "monitor " + std::to_string(i) + " from the left";
    CheckRect(report, entries[i].rect, expected[i], name);
    if (i < numbers.size()) {
      report.check(entries[i].displayNumber == numbers[i],
                   name + " is DISPLAY" + std::to_string(numbers[i]));
    } else {
      report.check(entries[i].displayNumber >= 1, name + " has a display number");
    }
    if (entries[i].primary) {
      ++primaries;
      report.check(entries[i].rect.left == 0 && entries[i].rect.top == 0,
                   name + " is primary and at the origin");
    }
    // Just inside the left edge belongs to this monitor whatever its
    // neighbour's inclusive right edge covers.
    report.check(MonitorIndexAtX(entries, expected[i].left + 1) == i,
                 name + " found by MonitorIndexAtX");
  }
  report.check(primaries == 1, "exactly one primary monitor");
}

void CheckReferenceDesktop(Report& report, const MonitorList& list) {
  const auto& entries = list.entries();
  if (!report.check(entries.size() >= 2, "reference desktop needs two monitors")) return;
  HWND window = CreateProbeWindow({560, 340, 1360, 740});
  if (!report.check(window != nullptr, "probe window created")) return;
  PumpMessages();
  if (!CheckRect(report, WindowRectOf(window), {560, 340, 1360, 740}, "window starts on M1")) {
    DestroyWindow(window);
    return;
  }
  report.check(MonitorOfWindow(list, HandleOf(window)) == 0u, "MonitorOfWindow finds M1");

  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountingHook, nullptr, GetCurrentThreadId());
  gWatched = window;
  gPosChanging = 0;
  const PluginOptions defaults;
  platform::Rect lastCentered{1, 2, 3, 4};
  PlaceOnMonitor(1, 0, PlacedWindow{HandleOf(window), defaults, lastCentered}, 0, 0, list);
  PumpMessages();
  CheckRect(report, WindowRectOf(window), {2293, 322, 2826, 701},
            "default options move the window to (2293, 322), 533 x 379");
  report.check(MonitorOfWindow(list, HandleOf(window)) == 1u, "MonitorOfWindow finds M2");
  CheckRect(report, lastCentered, {1, 2, 3, 4}, "lastCenteredRect untouched without centring");
  report.check(gPosChanging == 1, "the move re-entered the message hook once",
               "saw " + std::to_string(gPosChanging));

  // Once more from M1, with `center` alone.
  PluginOptions centred;
  centred.moveRelative = false;
  centred.resizeRelative = false;
  centred.center = true;
  MoveWindow(window, 560, 340, 800, 400, TRUE);
  gPosChanging = 0;
  PlaceOnMonitor(1, 0, PlacedWindow{HandleOf(window), centred, lastCentered}, 0, 0, list);
  PumpMessages();
  CheckRect(report, WindowRectOf(window), {2160, 312, 2960, 712}, "centred on M2");
  CheckRect(report, lastCentered, {2160, 312, 2960, 712}, "lastCenteredRect is the centring");
  // The placement already put it where the centring would: no second move.
  report.check(gPosChanging == 1, "only the placement re-entered the hook",
               "saw " + std::to_string(gPosChanging));

  gWatched = nullptr;
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  DestroyWindow(window);
}

// A window of odd size, (-100, 7) 801 x 301, overlapping the left edge of
// the monitor that holds x = 300.
void CheckCentring(Report& report, const platform::Rect& expected) {
  HWND window = CreateProbeWindow({-100, 7, 701, 308});
  if (!report.check(window != nullptr, "probe window created")) return;
  PumpMessages();
  const platform::Rect answer = CenterOnCurrentMonitor(HandleOf(window));
  PumpMessages();
  CheckRect(report, WindowRectOf(window), expected, "CenterOnCurrentMonitor centres the window");
  CheckRect(report, answer, expected, "CenterOnCurrentMonitor answers the new rectangle");
  DestroyWindow(window);
}

// For comparison with the benchmark on the fake desktop: what the platform's
// own enumeration costs. Printed, not checked.
void NoteEnumerationCost() {
  constexpr int kBuilds = 200;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  std::size_t seen = 0;
  for (int i = 0; i < kBuilds; ++i) seen += MonitorList().entries().size();
  QueryPerformanceCounter(&end);
  const double micros = static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                        static_cast<double>(frequency.QuadPart) / kBuilds;
  std::printf("     building the list on the platform: %.1f us (%zu monitors)\n", micros,
              seen / kBuilds);
}

}  // namespace

int main(int argc, char** argv) {
  bool referenceDesktop = false;
  bool centre = false;
  platform::Rect centred;
  std::vector<std::uint32_t> numbers;
  std::vector<platform::Rect> expected;
  for (int i = 1; i < argc; ++i) {
    platform::Rect rect;
    if (std::strcmp(argv[i], "--reference-desktop") == 0) {
      referenceDesktop = true;
    } else if (std::strcmp(argv[i], "--centre") == 0 && i + 1 < argc &&
               ParseRect(argv[i + 1], centred)) {
      centre = true;
      ++i;
    } else if (std::strcmp(argv[i], "--numbers") == 0 && i + 1 < argc &&
               ParseNumbers(argv[i + 1], numbers)) {
      ++i;
    } else if (ParseRect(argv[i], rect)) {
      expected.push_back(rect);
    } else {
      std::fprintf(stderr, "monitors_probe: bad argument %s\n", argv[i]);
      return 100;
    }
  }
  Report report;
  const MonitorList list;
  NoteEnumerationCost();
  CheckEnumeration(report, list, expected, numbers);
  if (referenceDesktop) CheckReferenceDesktop(report, list);
  if (centre) CheckCentring(report, centred);
  report.summary();
  return report.failed() < 100 ? report.failed() : 100;
}

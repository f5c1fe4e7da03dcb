// What the plugin's hooks cost under Wine, next to the platform calls they
// cannot avoid; prints figures, judges none of them.
//
//   tracking-bench
//     keyboard: microseconds per keyboard event (a press or a release of 'A',
//       injected with SendInput and retrieved by the message pump) with no
//       hook, with a bare pass-through WH_KEYBOARD_LL hook of our own on the
//       GUI thread and one on a thread of its own, and with the plugin's
//       hooks; the main window hidden (another window of the host in front),
//       where the plugin has no keyboard hook at all, and shown and in front,
//       where its low-level hook sees every keystroke
//     hotkey: milliseconds from the release of Win+Right's arrow (injected
//       with SendInput) to the window's move, as the host's thread sees it
//     placement: a WM_SHOWWINDOW to the hidden main window that the plugin
//       turns into a placement from M1 to M2, next to one monitor enumeration
//       (EnumDisplayDevicesA + EnumDisplaySettingsA per attached device) and
//       one MoveWindow of the same rectangles, done directly and done by a
//       bare WH_CALLWNDPROC hook of our own
//     single calls: the platform calls the hooks make, one at a time
// Configurations alternate round by round, so that drift of the machine
// affects them alike; medians over the rounds.
#include "tests/e2e/vesk_host_tracking.h"

#include <algorithm>
#include <cstdio>

namespace tracking {
namespace {

constexpr int kKeyboardRounds = 30;
constexpr int kPairsPerBatch = 20;
constexpr int kPlacementRounds = 100;

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double microseconds() const {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_;
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

std::string Figure(double value, int decimals = 1) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

LRESULT CALLBACK BareKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Microseconds per keyboard event over one batch; negative when the batch
// did not arrive in time.
double KeyboardBatch() {
  std::vector<INPUT> inputs;
  for (int i = 0; i < kPairsPerBatch; ++i) {
    inputs.push_back(KeyInput('A', false));
    inputs.push_back(KeyInput('A', true));
  }
  const int target = KeystrokesReceived() + static_cast<int>(inputs.size());
  const Stopwatch watch;
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  const bool arrived = PumpUntil([target] { return KeystrokesReceived() >= target; }, 5000);
  const double elapsed = watch.microseconds();
  return arrived ? elapsed / static_cast<double>(inputs.size()) : -1.0;
}

bool QuietInit(HostContext& context, const TrackedWindow& main) {
  context.mainWindowAnswer = main.handle();
  return context.plugin.DoInit(context.dllPath.c_str(), kPluginId, nullptr, nullptr,
                               &HostCallbackProc, nullptr) == 1;
}

enum class Hook { None, Bare, BareOwnThread, Plugin };
constexpr int kHookConfigurations = 4;

struct KeyboardFigures {
  std::vector<double> perEvent[2][kHookConfigurations];  // [shown][hook]
};

// A bare pass-through low-level hook on a thread that does nothing else:
// what any hook costs that never waits for the host's thread.
class BareHookThread {
 public:
  bool start() {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &BareHookThread::run, this, 0, &id_);
    const bool started = thread_ != nullptr && WaitForSingleObject(ready_, 5000) == WAIT_OBJECT_0;
    return started && hooked_;
  }
  void stop() {
    if (thread_ == nullptr) return;
    PostThreadMessageA(id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    thread_ = nullptr;
  }

 private:
  static DWORD WINAPI run(void* self) {
    auto& owner = *static_cast<BareHookThread*>(self);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    const HHOOK hook =
        SetWindowsHookExA(WH_KEYBOARD_LL, &BareKeyboardHook, GetModuleHandleA(nullptr), 0);
    owner.hooked_ = hook != nullptr;
    SetEvent(owner.ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    }
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    return 0;
  }

  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  DWORD id_ = 0;
  bool hooked_ = false;
};

// One round: every hook configuration with the window hidden, then shown.
// The plugin is initialised while the window is hidden, as it is in VESK,
// so that the show counts and its hotkey tests run.
bool KeyboardRound(HostContext& context, const TrackedWindow& main, const TrackedWindow& other,
                   KeyboardFigures& figures) {
  const auto record = [&figures](bool shown, Hook hook, double value) {
    if (value >= 0.0) figures.perEvent[shown ? 1 : 0][static_cast<int>(hook)].push_back(value);
    return value >= 0.0;
  };
  bool ok = true;

  // The plugin's hooks.
  if (!QuietInit(context, main)) return false;
  SetForegroundWindow(other.handle());
  HostWindow::pumpMessages();
  ok = record(false, Hook::Plugin, KeyboardBatch()) && ok;
  ShowWindow(main.handle(), SW_SHOW);
  HostWindow::pumpMessages();
  ok = GetForegroundWindow() == main.handle() && ok;
  ok = record(true, Hook::Plugin, KeyboardBatch()) && ok;
  ShowWindow(main.handle(), SW_HIDE);
  context.plugin.DoShutDown();

  // No hook, and the bare hook, in both window states.
  for (const bool shown : {false, true}) {
    ShowWindow(main.handle(), shown ? SW_SHOW : SW_HIDE);
    SetForegroundWindow(shown ? main.handle() : other.handle());
    HostWindow::pumpMessages();
    ok = record(shown, Hook::None, KeyboardBatch()) && ok;
    const HHOOK bare =
        SetWindowsHookExA(WH_KEYBOARD_LL, &BareKeyboardHook, GetModuleHandleA(nullptr), 0);
    ok = bare != nullptr && ok;
    ok = record(shown, Hook::Bare, KeyboardBatch()) && ok;
    UnhookWindowsHookEx(bare);
    BareHookThread ownThread;
    ok = ownThread.start() && ok;
    ok = record(shown, Hook::BareOwnThread, KeyboardBatch()) && ok;
    ownThread.stop();
  }
  ShowWindow(main.handle(), SW_HIDE);
  HostWindow::pumpMessages();
  return ok;
}

void KeyboardBench(HostContext& context, const TrackedWindow& main, const TrackedWindow& other) {
  Report& report = context.report;
  KeyboardFigures figures;
  int failedRounds = 0;
  for (int round = 0; round < kKeyboardRounds; ++round) {
    ParkPointer();
    if (!KeyboardRound(context, main, other, figures)) ++failedRounds;
  }
  report.checkEqual(failedRounds, 0,
                    "keyboard: in every round the plugin started, the main window came in front "
                    "and every batch of keystrokes arrived");
  const char* const states[2] = {"window hidden", "window shown and in front"};
  for (int shown = 0; shown < 2; ++shown) {
    const double none = Median(figures.perEvent[shown][0]);
    const double bare = Median(figures.perEvent[shown][1]);
    const double ownThread = Median(figures.perEvent[shown][2]);
    const double plugin = Median(figures.perEvent[shown][3]);
    report.note(std::string("keyboard, ") + states[shown] + ": per event (us, median of " +
                std::to_string(figures.perEvent[shown][3].size()) + " batches of " +
                std::to_string(2 * kPairsPerBatch) + "): no hook " + Figure(none) +
                ", bare hook on the GUI thread " + Figure(bare) +
                ", bare hook on a thread of its own " + Figure(ownThread) + ", plugin " +
                Figure(plugin));
    report.note(std::string("keyboard, ") + states[shown] +
                ": plugin / bare hook on its own thread = " +
                Figure(ownThread > 0.0 ? plugin / ownThread : 0.0, 3) +
                "; hook's own share (minus no hook): plugin " + Figure(plugin - none) +
                " us, bare on its own thread " + Figure(ownThread - none) +
                " us, bare on the GUI thread " + Figure(bare - none) + " us");
  }
}

// From the release of Win+Right's arrow to the window's move, as the host's
// thread sees it: the time the hotkey's work waits for, wherever it runs.
void HotkeyBench(HostContext& context, const TrackedWindow& main) {
  constexpr int kRounds = 20;
  Report& report = context.report;
  std::vector<double> latencies;
  main.moveTo(kMainStart);
  if (!QuietInit(context, main)) return;
  ShowWindow(main.handle(), SW_SHOW);
  HostWindow::pumpMessages();
  for (int round = 0; round < kRounds; ++round) {
    if (!CheckInFront(report, main, "for the hotkey round " + std::to_string(round))) break;
    const RECT before = main.rect();
    INPUT press[2] = {KeyInput(VK_LWIN, false), KeyInput(VK_RIGHT, false)};
    SendInput(2, press, sizeof(INPUT));
    PumpUntil([] { return false; }, 30);
    INPUT release[2] = {KeyInput(VK_RIGHT, true), KeyInput(VK_LWIN, true)};
    const Stopwatch watch;
    SendInput(2, release, sizeof(INPUT));
    const bool moved = PumpUntil(
        [&] {
          const RECT now = main.rect();
          return EqualRect(&now, &before) == FALSE;
        },
        2000);
    if (!moved) break;
    latencies.push_back(watch.microseconds() / 1000.0);
    PumpUntil([] { return false; }, 30);
  }
  ShowWindow(main.handle(), SW_HIDE);
  HostWindow::pumpMessages();
  context.plugin.DoShutDown();
  report.checkEqual(static_cast<std::int32_t>(latencies.size()), kRounds,
                    "hotkey: every Win+Right moved the window");
  const double slowest =
      latencies.empty() ? 0.0 : *std::max_element(latencies.begin(), latencies.end());
  report.note("hotkey: release to move (ms, median of " + std::to_string(latencies.size()) +
              "): " + Figure(Median(latencies), 3) + ", slowest " + Figure(slowest, 3));
}

// EnumDisplayDevicesA over every device and EnumDisplaySettingsA for those
// attached to the desktop: what any monitor snapshot has to ask.
int EnumerateMonitors() {
  int attached = 0;
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof device;
  for (DWORD index = 0; EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
    if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0) {
      DEVMODEA mode = {};
      mode.dmSize = sizeof mode;
      EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
      ++attached;
    }
    device = {};
    device.cb = sizeof device;
  }
  return attached;
}

BOOL CALLBACK ReadMonitorInfo(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFOEXA info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoA(monitor, &info);
  return TRUE;
}

// EnumDisplayMonitors and GetMonitorInfoA per monitor: what a snapshot asks
// besides for rectangles in the coordinates windows use.
void ReadMonitorAreas() { EnumDisplayMonitors(nullptr, nullptr, &ReadMonitorInfo, 0); }

int CountDevices() {
  DISPLAY_DEVICEA device = {};
  device.cb = sizeof device;
  int count = 0;
  while (EnumDisplayDevicesA(nullptr, static_cast<DWORD>(count), &device, 0)) ++count;
  return count;
}

HWND bareHookWindow = nullptr;

// What any plugin doing this job must do at least, as a hook of our own:
// on WM_SHOWWINDOW of the window, one enumeration and one move.
LRESULT CALLBACK BarePlacementHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && sent->hwnd == bareHookWindow && sent->message == WM_SHOWWINDOW &&
      sent->wParam == TRUE) {
    EnumerateMonitors();
    MoveWindow(sent->hwnd, kOnM2.left, kOnM2.top, kOnM2.right - kOnM2.left,
               kOnM2.bottom - kOnM2.top, TRUE);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The plugin's show-time placement with the options in the settings file,
// against the same calls done directly and done by a bare WH_CALLWNDPROC
// hook of our own (which pays the platform's hook delivery, for the message
// and for the move's nested WM_WINDOWPOSCHANGING, as the plugin does). The
// window stays hidden, as it is when VESK shows it. The baselines run with
// the plugin shut down, so that none of its work is counted on their side.
void PlacementBench(HostContext& context, const TrackedWindow& main, const char* options) {
  Report& report = context.report;
  std::vector<double> plugin;
  std::vector<double> direct;
  std::vector<double> bareHook;
  bool placed = true;
  const auto timedShow = [&main] {
    const Stopwatch watch;
    SendMessageA(main.handle(), WM_SHOWWINDOW, TRUE, 0);
    return watch.microseconds();
  };
  const auto landed = [&main] {
    const RECT r = main.rect();
    return EqualRect(&r, &kOnM2) != FALSE;
  };
  bareHookWindow = main.handle();
  for (int round = 0; round < kPlacementRounds; ++round) {
    main.moveTo(kMainStart);
    placed = QuietInit(context, main) && placed;
    plugin.push_back(timedShow());
    placed = landed() && placed;
    context.plugin.DoShutDown();

    main.moveTo(kMainStart);
    {
      const Stopwatch watch;
      EnumerateMonitors();
      MoveWindow(main.handle(), kOnM2.left, kOnM2.top, kOnM2.right - kOnM2.left,
                 kOnM2.bottom - kOnM2.top, TRUE);
      direct.push_back(watch.microseconds());
    }

    main.moveTo(kMainStart);
    const HHOOK bare =
        SetWindowsHookExA(WH_CALLWNDPROC, &BarePlacementHook, nullptr, GetCurrentThreadId());
    bareHook.push_back(timedShow());
    UnhookWindowsHookEx(bare);
    placed = landed() && placed;
  }
  report.check(placed, std::string("placement (") + options +
                           "): every show, the plugin's and the bare hook's, lands at " +
                           RectText(kOnM2));
  const double pluginMedian = Median(plugin);
  const double directMedian = Median(direct);
  const double bareMedian = Median(bareHook);
  report.note(std::string("placement (") + options + "): per show (us, median of " +
              std::to_string(kPlacementRounds) + "): plugin " + Figure(pluginMedian) +
              ", enumeration + MoveWindow directly " + Figure(directMedian) +
              ", the same from a bare hook " + Figure(bareMedian));
  report.note(
      std::string("placement (") + options +
      "): plugin / direct = " + Figure(directMedian > 0.0 ? pluginMedian / directMedian : 0.0, 3) +
      ", plugin / bare hook = " + Figure(bareMedian > 0.0 ? pluginMedian / bareMedian : 0.0, 3));
}

// Single platform calls the hooks make, for reading the figures above.
void CallCosts(HostContext& context, const TrackedWindow& main) {
  constexpr int kCalls = 200;
  struct Call {
    const char* name;
    void (*call)(HWND window);
  };
  const Call calls[] = {
      {"GetForegroundWindow", [](HWND) { GetForegroundWindow(); }},
      {"GetAsyncKeyState", [](HWND) { GetAsyncKeyState(VK_LWIN); }},
      {"GetWindowRect",
       [](HWND window) {
         RECT r;
         GetWindowRect(window, &r);
       }},
      {"GetDesktopWindow", [](HWND) { GetDesktopWindow(); }},
      {"GetShellWindow", [](HWND) { GetShellWindow(); }},
      {"GetCursorPos",
       [](HWND) {
         POINT p;
         GetCursorPos(&p);
       }},
      {"enumeration", [](HWND) { EnumerateMonitors(); }},
      {"monitor info", [](HWND) { ReadMonitorAreas(); }},
      {"MoveWindow (hidden)",
       [](HWND window) {
         static bool flip = false;
         flip = !flip;
         const RECT& r = flip ? kOnM2 : kMainStart;
         MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
       }},
  };
  std::string line = "single calls (us, median of " + std::to_string(kCalls) + "):";
  for (const Call& call : calls) {
    std::vector<double> times;
    for (int i = 0; i < kCalls; ++i) {
      const Stopwatch watch;
      call.call(main.handle());
      times.push_back(watch.microseconds());
    }
    line += std::string(" ") + call.name + " " + Figure(Median(times));
  }
  context.report.note(line);
}

void BenchScenario(HostContext& context) {
  Report& report = context.report;
  const std::string settingsPath = SettingsPathBeside(context.dllPath);
  WriteSettings(settingsPath, {});
  TrackedWindow main;
  TrackedWindow other;
  if (!report.check(main.create(kMainStart) && other.create(kPreviousOnM2),
                    "the host creates its main window and a window on M2")) {
    return;
  }
  ParkPointer();
  ShowWindow(other.handle(), SW_SHOW);
  HostWindow::pumpMessages();
  context.textAnswers[kPreviousWindowRequest] = DecimalHandle(other.handle());
  report.note("display devices: " + std::to_string(CountDevices()) + ", attached " +
              std::to_string(EnumerateMonitors()));

  CallCosts(context, main);
  KeyboardBench(context, main, other);
  HotkeyBench(context, main);
  PlacementBench(context, main, "default options");
  WriteSettings(settingsPath, {{"Center", "1"}});
  PlacementBench(context, main, "Center=1");
}

const ScenarioRegistration kBench("tracking-bench", &BenchScenario);

}  // namespace
}  // namespace tracking

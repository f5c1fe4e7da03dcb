// The demo of the plugin's main job (scripts/demo), also run as tests: the
// real DLL, VESK's main window painted like a search window and the window
// that was in front before it painted as such. Scenarios:
//   demo          on the reference desktop, default options
//   demo-stacked  on a stacked desktop with a taskbar on each monitor, with
//                 UseBothAxes, UseWorkArea and KeepOnScreen on
// Each has six steps: a show with the previous window on M2, one with it on
// M1, one with the pointer as the guide, then Win+Right, Win+Ctrl+5 and
// Win+Home; the first a seventh, a show after "Show desktop" with the pointer
// on M2 (it needs the stand-in shell, --shell). After each step it prints
//   demo-step NN|NAME|WHAT|L,T,R,B|MONITOR|ok|WANT_RECT|WANT_MONITOR|X,Y|:N
// (the window's rectangle and monitor, ok or FAIL, what the placement rules
// give, the pointer, the display). With --shots it then waits until a file
// shot-NN appears beside the DLL (at most --hold-seconds, default 30), so
// that the desktop can be captured from outside.
#include "tests/e2e/vesk_host_gdi.h"
#include "tests/e2e/vesk_host_tracking.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>

namespace tracking {
namespace {

// ---------------------------------------------------------------------------
// The two windows' looks, painted by a subclass of the tracked windows'
// procedure (which keeps logging the keystrokes PressCombination waits for).

enum class Look { Vesk, Previous };

WNDPROC trackedWindowProc = nullptr;
std::map<HWND, Look>& looks() {
  static std::map<HWND, Look> byWindow;
  return byWindow;
}

gdi::Font MakeFont(int height, int weight) {
  return gdi::Font(CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

void FillBox(HDC dc, const RECT& box, COLORREF color) {
  const gdi::Brush brush(CreateSolidBrush(color));
  FillRect(dc, &box, brush.get());
}

void FrameBox(HDC dc, const RECT& box, COLORREF color, int thickness) {
  const gdi::Brush brush(CreateSolidBrush(color));
  for (int i = 0; i < thickness; ++i) {
    const RECT ring = {box.left + i, box.top + i, box.right - i, box.bottom - i};
    FrameRect(dc, &ring, brush.get());
  }
}

void DrawLabel(HDC dc, const char* text, RECT box, int height, int weight, COLORREF color,
               UINT format) {
  const gdi::Font font = MakeFont(height, weight);
  const gdi::Selection selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text, -1, &box, format | DT_SINGLELINE | DT_NOPREFIX);
}

// Dark, a title, a search box and a few result rows, scaled to the window.
void PaintVesk(HDC dc, const RECT& c) {
  const int w = c.right - c.left;
  const int h = c.bottom - c.top;
  const int margin = w / 20 > 12 ? w / 20 : 12;
  FillBox(dc, c, RGB(28, 30, 38));
  FrameBox(dc, c, RGB(86, 156, 230), 3);
  const int titleHeight = h / 6;
  DrawLabel(dc, "VESK", {margin, h / 20, w - margin, h / 20 + titleHeight}, titleHeight * 4 / 5,
            FW_BOLD, RGB(235, 238, 245), DT_LEFT | DT_VCENTER);
  const int boxTop = h / 20 + titleHeight + h / 30;
  const int boxHeight = h / 7;
  const RECT searchBox = {margin, boxTop, w - margin, boxTop + boxHeight};
  FillBox(dc, searchBox, RGB(50, 54, 66));
  FrameBox(dc, searchBox, RGB(120, 130, 150), 1);
  DrawLabel(dc, "Type to search...",
            {searchBox.left + boxHeight / 3, searchBox.top, searchBox.right, searchBox.bottom},
            boxHeight / 2, FW_NORMAL, RGB(150, 156, 170), DT_LEFT | DT_VCENTER);
  const int rowHeight = h / 10;
  for (int row = 0; row < 4; ++row) {
    const int top = searchBox.bottom + h / 25 + row * (rowHeight + h / 40);
    if (top + rowHeight > h - margin / 2) break;
    FillBox(dc, {margin, top, margin + rowHeight, top + rowHeight},
            row == 0 ? RGB(86, 156, 230) : RGB(70, 76, 92));
    const int barWidth = (w - 3 * margin - rowHeight) * (4 - row) / 5;
    FillBox(dc,
            {margin + rowHeight + margin / 2, top + rowHeight / 3,
             margin + rowHeight + margin / 2 + barWidth, top + rowHeight * 2 / 3},
            RGB(70, 76, 92));
  }
}

// Light, with a caption bar: an ordinary application window.
void PaintPrevious(HDC dc, const RECT& c) {
  const int w = c.right - c.left;
  const int h = c.bottom - c.top;
  FillBox(dc, c, RGB(236, 233, 220));
  const RECT caption = {0, 0, w, h / 6};
  FillBox(dc, caption, RGB(170, 110, 40));
  DrawLabel(dc, "  previous window", caption, h / 10, FW_BOLD, RGB(255, 255, 255),
            DT_LEFT | DT_VCENTER);
  DrawLabel(dc, "in front before VESK was called", {0, h / 6, w, h}, h / 10, FW_NORMAL,
            RGB(60, 60, 60), DT_CENTER | DT_VCENTER);
  FrameBox(dc, c, RGB(120, 80, 30), 2);
}

LRESULT CALLBACK PaintedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto look = looks().find(window);
  if (look != looks().end()) {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_SIZE:
        // A new size changes every proportion, not just the uncovered strip.
        InvalidateRect(window, nullptr, FALSE);
        break;
      case WM_PAINT: {
        const gdi::PaintDc dc(window);
        RECT client = {0, 0, 0, 0};
        GetClientRect(window, &client);
        if (look->second == Look::Vesk) {
          PaintVesk(dc.get(), client);
        } else {
          PaintPrevious(dc.get(), client);
        }
        return 0;
      }
      default:
        break;
    }
  }
  if (trackedWindowProc == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(trackedWindowProc, window, message, wParam, lParam);
}

void Paint(const TrackedWindow& window, Look look) {
  looks()[window.handle()] = look;
  const auto previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintedWindowProc)));
  if (previousProc != &PaintedWindowProc) trackedWindowProc = previousProc;
}

// ---------------------------------------------------------------------------
// Steps

struct DemoMonitor {
  const char* name;
  RECT rect;
};

// What one of the steps is called, says and must give.
struct StepOutcome {
  const char* name;
  const char* what;
  RECT expected;
};

// One part of the demo: its desktop, the settings, where the windows and the
// pointer are put, and the outcome of each step.
struct DemoPart {
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<DemoMonitor> monitors;
  bool bothAxes;  // monitors found by the centre point, not its x alone
  RECT mainStart;
  RECT previousOnM2;
  RECT previousOnM1;
  POINT pointerOnM2;
  std::vector<StepOutcome> steps;  // the first six, or all seven
};

// The monitor holding the rectangle's centre as the plugin decides it: by
// its x, or with both axes by the point.
std::string MonitorName(const DemoPart& part, const RECT& r) {
  const POINT centre = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
  for (const DemoMonitor& monitor : part.monitors) {
    const RECT& m = monitor.rect;
    if (centre.x >= m.left && centre.x < m.right &&
        (!part.bothAxes || (centre.y >= m.top && centre.y < m.bottom))) {
      return monitor.name;
    }
  }
  return "none";
}

std::string Coordinates(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Lets the windows paint and reach the X server before anyone looks.
void Settle(const TrackedWindow& main, const TrackedWindow& previous) {
  PumpUntil([] { return false; }, 150);
  for (HWND window : {previous.handle(), main.handle()}) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  GdiFlush();
  PumpUntil([] { return false; }, 100);
}

// Polls: the file's arrival sends no message that would end a wait.
bool WaitForFile(const std::string& path, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start >= timeoutMs) return false;
    PumpUntil([] { return false; }, 50);
  }
  return true;
}

void RunDemo(HostContext& context, const DemoPart& part) {
  Report& report = context.report;
  const bool shots = context.options.count("shots") != 0;
  const DWORD holdMs = static_cast<DWORD>(std::stoi(context.option("hold-seconds", "30"))) * 1000;
  const std::string settingsPath = SettingsPathBeside(context.dllPath);
  const std::string folder = settingsPath.substr(0, settingsPath.rfind('\\') + 1);
  char display[64] = {};
  GetEnvironmentVariableA("DISPLAY", display, sizeof display);

  WriteSettings(settingsPath, part.options);
  TrackedWindow main;
  TrackedWindow previous;
  if (!report.check(main.create(part.mainStart) && previous.create(part.previousOnM2),
                    "the host creates its main window and the previous window on M2")) {
    return;
  }
  Paint(main, Look::Vesk);
  Paint(previous, Look::Previous);
  ParkPointer();
  ShowWindow(previous.handle(), SW_SHOW);
  HostWindow::pumpMessages();
  context.textAnswers[kPreviousWindowRequest] = DecimalHandle(previous.handle());
  if (!InitPlugin(context, main.handle())) return;

  const auto show = [&main] {
    ShowMain(main);
    return true;
  };
  const auto hotkey = [&main, &report, &context](std::vector<WORD> modifiers, WORD key) {
    return CheckInFront(report, main, "for the hotkey") &&
           PressHotkey(context, modifiers, key, "the hotkey");
  };
  // Each step starts where the one before left the window.
  const std::function<bool()> acts[] = {
      show,
      [&] {
        HideMain(main);
        previous.moveTo(part.previousOnM1);
        SetForegroundWindow(previous.handle());
        HostWindow::pumpMessages();
        return show();
      },
      // VESK knows no previous window: the pointer's monitor.
      [&] {
        HideMain(main);
        ShowWindow(previous.handle(), SW_HIDE);
        context.textAnswers[kPreviousWindowRequest] = "0";
        SetCursorPos(part.pointerOnM2.x, part.pointerOnM2.y);
        HostWindow::pumpMessages();
        return show();
      },
      [&] { return hotkey({VK_LWIN}, VK_RIGHT); },
      [&] {
        return hotkey({VK_LWIN, VK_CONTROL}, '5');
      },
      [&] { return hotkey({VK_LWIN}, VK_HOME); },
      // "Show desktop": the shell's WorkerW holding the icon view is in
      // front, and covers both monitors.
      [&] {
        if (context.shell == nullptr) return false;
        HideMain(main);
        context.textAnswers[kPreviousWindowRequest] = DecimalHandle(context.shell->desktopView());
        SetCursorPos(part.pointerOnM2.x, part.pointerOnM2.y);
        HostWindow::pumpMessages();
        return show();
      },
  };

  const int steps = static_cast<int>(std::min(part.steps.size(), std::size(acts)));
  for (int number = 1; number <= steps; ++number) {
    const StepOutcome& step = part.steps[static_cast<std::size_t>(number - 1)];
    char index[8];
    std::snprintf(index, sizeof index, "%02d", number);
    const std::string release = folder + "shot-" + index;
    DeleteFileA(release.c_str());
    const bool acted = acts[static_cast<std::size_t>(number - 1)]();
    Settle(main, previous);
    const RECT r = main.rect();
    const std::string monitor = MonitorName(part, r);
    const std::string wantMonitor = MonitorName(part, step.expected);
    const bool ok = acted && EqualRect(&r, &step.expected) != FALSE && monitor == wantMonitor;
    report.check(
        ok, std::string("step ") + index + ", " + step.what + ": " + RectText(r) + " on " + monitor,
        "want " + RectText(step.expected) + " on " + wantMonitor);
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    report.note(std::string("demo-step ") + index + "|" + step.name + "|" + step.what + "|" +
                Coordinates(r) + "|" + monitor + "|" + (ok ? "ok" : "FAIL") + "|" +
                Coordinates(step.expected) + "|" + wantMonitor + "|" + std::to_string(pointer.x) +
                "," + std::to_string(pointer.y) + "|" + display);
    if (shots) {
      report.check(WaitForFile(release, holdMs),
                   std::string("step ") + index + " was captured in time");
    }
  }

  HideMain(main);
  report.checkEqual(context.plugin.DoShutDown(), 1, "DoShutDown result");
  looks().clear();
}

// The reference desktop, default options (relative move and size);
// the placement rules, scaled values rounded, give:
const DemoPart kSideBySide = {
    {},
    {{"M1", kMonitor1}, {"M2", kMonitor2}},
    false,
    kMainStart,  // hidden
    // Below where VESK's window lands on either monitor, so that both stay
    // in view.
    {1990, 740, 2590, 1000},
    {120, 780, 720, 1040},
    // On M2, outside the rectangle the window is given there.
    {2960, 860},
    {
        // The reference desktop: (560, 340) 800x400 scaled by 1280/1920 and
        // 1024/1080.
        {"shown-on-M2", "shown while the previous window is in front on M2", kOnM2},
        // Back: (373, 322) 533x379 scaled by 1.5 and 1080/1024, rounded:
        // exactly where it started.
        {"shown-on-M1", "shown while the previous window is in front on M1", kMainStart},
        // The reference desktop again.
        {"pointer-on-M2", "shown with no previous window and the pointer on M2", kOnM2},
        // M2 is the last monitor: Next wraps round to M1, back where it
        // started.
        {"win-right", "Win+Right: next monitor, round to M1", kMainStart},
        // Width 50 % of 1920; same monitor, so the top left corner stays.
        {"win-ctrl-5", "Win+Ctrl+5: width 50 % of M1", {560, 340, 1520, 740}},
        // Size kept: ((1920 - 960) / 2, (1080 - 400) / 2).
        {"win-home", "Win+Home: centred on M1", {480, 340, 1440, 740}},
        // The pointer's monitor, not the one holding the centre of the
        // WorkerW that covers both (M1): (480, 340) 960x400 scaled by
        // 1280/1920 and 1024/1080, rounded.
        {"show-desktop-pointer-on-M2",
         "shown after Show desktop with the pointer on M2",
         {2240, 322, 2880, 701}},
    },
};

// A stacked desktop with a 40 px taskbar at the bottom of each monitor: M1
// (0, 0, 1920, 1080) primary, work area W1 (0, 0, 1920, 1040); M2 (320, 1080,
// 1600, 2104) below it, work area W2 (320, 1080, 1600, 2064). M2's span of
// x lies within M1's, so only both axes tell them apart. UseBothAxes,
// UseWorkArea and KeepOnScreen on, relative move and size:
const DemoPart kStacked = {
    {{"UseBothAxes", "1"}, {"UseWorkArea", "1"}, {"KeepOnScreen", "1"}},
    {{"M1", {0, 0, 1920, 1080}}, {"M2", {320, 1080, 1600, 2104}}},
    true,
    {990, 300, 1790, 700},  // 800x400 on M1, hidden
    // Below where VESK's window lands on M2, and left of it on M1.
    {400, 1780, 1000, 2040},
    {120, 760, 720, 1020},
    // On M2 (its x on M1's span too), outside the windows.
    {1450, 1900},
    {
        // From W1 1920x1040 to W2 1280x984: (320 + 990 * 1280/1920,
        // 1080 + 300 * 984/1040) = (980, 1363.8) and (800 * 1280/1920,
        // 400 * 984/1040) = (533.3, 378.5), rounded.
        {"shown-on-M2",
         "shown while the previous window is in front on M2",
         {980, 1364, 1513, 1742}},
        // Back: (660 * 1.5, 284 * 1040/984) = (990, 300.2) and (533 * 1.5,
        // 378 * 1040/984) = (799.5, 399.5), rounded: where it started.
        {"shown-on-M1", "shown while the previous window is in front on M1", {990, 300, 1790, 700}},
        {"pointer-on-M2",
         "shown with no previous window and the pointer on M2",
         {980, 1364, 1513, 1742}},
        // Listed by left edge, then top: M1, M2. From M2, the last, Next
        // wraps round to M1.
        {"win-right", "Win+Right: next monitor, round to M1", {990, 300, 1790, 700}},
        // Width 50 % of W1's 1920 from x 990 would end at 1950: moved left
        // by the least, to 1920 - 960.
        {"win-ctrl-5",
         "Win+Ctrl+5: width 50 % of M1's work area, kept on screen",
         {960, 300, 1920, 700}},
        // Centred in W1: ((1920 - 960) / 2, (1040 - 400) / 2).
        {"win-home", "Win+Home: centred in M1's work area", {480, 320, 1440, 720}},
    },
};

void SideBySideScenario(HostContext& context) { RunDemo(context, kSideBySide); }
void StackedScenario(HostContext& context) { RunDemo(context, kStacked); }

const ScenarioRegistration kDemo("demo", &SideBySideScenario);
const ScenarioRegistration kDemoStacked("demo-stacked", &StackedScenario);

}  // namespace
}  // namespace tracking

// The demo of the plugin's main job (scripts/demo), also run as a test: the
// real DLL on the worked example's desktop, VESK's main window painted like a
// search window and the window that was in front before it painted as such.
// Scenario:
//   demo  six steps: a show with the previous window on M2, one with it on
//         M1, one with the pointer as the guide, then Win+Right, Win+Ctrl+5
//         and Win+Home. After each step it prints
//           demo-step NN|NAME|WHAT|L,T,R,B|MONITOR|ok|WANT_RECT|WANT_MONITOR|X,Y|:N
//         (the window's rectangle and monitor, ok or FAIL, what the placement
//         rules give, the pointer, the display). With --shots it then waits
//         until a file shot-NN appears beside the DLL (at most --hold-seconds,
//         default 30), so that the desktop can be captured from outside.
#include "tests/e2e/vesk_host_tracking.h"

#include <cstdio>
#include <functional>

namespace tracking {
namespace {

constexpr const char* kPreviousWindowRequest = "resolve:%LASTHWND%";
constexpr RECT kMainStart = {560, 340, 1360, 740};  // 800x400 on M1, hidden
// Below where VESK's window lands on either monitor, so that both stay in view.
constexpr RECT kPreviousOnM2 = {1990, 740, 2590, 1000};
constexpr RECT kPreviousOnM1 = {120, 780, 720, 1040};
// On M2, outside the rectangle the window is given there.
constexpr POINT kPointerOnM2 = {2960, 860};

// ---------------------------------------------------------------------------
// The two windows' looks, painted by a subclass of the tracked windows'
// procedure (which keeps logging the keystrokes PressCombination waits for).

enum class Look { Vesk, Previous };

WNDPROC trackedWindowProc = nullptr;
std::map<HWND, Look>& looks() {
  static std::map<HWND, Look> byWindow;
  return byWindow;
}

HFONT MakeFont(int height, int weight) {
  return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, "Tahoma");
}

void FillBox(HDC dc, const RECT& box, COLORREF color) {
  const HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

void FrameBox(HDC dc, const RECT& box, COLORREF color, int thickness) {
  for (int i = 0; i < thickness; ++i) {
    const RECT ring = {box.left + i, box.top + i, box.right - i, box.bottom - i};
    const HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &ring, brush);
    DeleteObject(brush);
  }
}

void DrawLabel(HDC dc, const char* text, RECT box, int height, int weight, COLORREF color,
               UINT format) {
  const HFONT font = MakeFont(height, weight);
  const HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text, -1, &box, format | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
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
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT client = {0, 0, 0, 0};
        GetClientRect(window, &client);
        if (look->second == Look::Vesk) {
          PaintVesk(dc, client);
        } else {
          PaintPrevious(dc, client);
        }
        EndPaint(window, &paint);
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

// The monitor holding the rectangle's horizontal centre, as the plugin
// decides it.
std::string MonitorName(const RECT& r) {
  const int centre = r.left + (r.right - r.left) / 2;
  if (centre >= kMonitor1.left && centre < kMonitor1.right) return "M1";
  if (centre >= kMonitor2.left && centre < kMonitor2.right) return "M2";
  return "none";
}

std::string Coordinates(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

struct Step {
  const char* name;
  const char* what;
  std::function<bool()> act;  // false: the step could not be carried out
  RECT expected;
};

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

void DemoScenario(HostContext& context) {
  Report& report = context.report;
  const bool shots = context.options.count("shots") != 0;
  const DWORD holdMs = static_cast<DWORD>(std::stoi(context.option("hold-seconds", "30"))) * 1000;
  const std::string settingsPath = SettingsPathBeside(context.dllPath);
  const std::string folder = settingsPath.substr(0, settingsPath.rfind('\\') + 1);
  char display[64] = {};
  GetEnvironmentVariableA("DISPLAY", display, sizeof display);

  WriteSettings(settingsPath, {});  // the defaults: relative move and size
  TrackedWindow main;
  TrackedWindow previous;
  if (!report.check(main.create(kMainStart) && previous.create(kPreviousOnM2),
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
    ShowWindow(main.handle(), SW_SHOW);
    HostWindow::pumpMessages();
    return true;
  };
  const auto hide = [&main] {
    ShowWindow(main.handle(), SW_HIDE);
    HostWindow::pumpMessages();
  };
  const auto hotkey = [&main, &report](std::vector<WORD> modifiers, WORD key) {
    ParkPointer();
    return report.check(GetForegroundWindow() == main.handle(),
                        "the main window is in the foreground for the hotkey") &&
           report.check(PressCombination(modifiers, key), "the hotkey's keystrokes are retrieved");
  };

  // Default options throughout; each step starts where the one before left
  // the window, and the placement rules (scaled values rounded) give:
  const Step steps[] = {
      // The worked example: (560, 340) 800x400 scaled by 1280/1920 and 1024/1080.
      {"shown-on-M2",
       "shown while the previous window is in front on M2",
       show,
       {2293, 322, 2826, 701}},
      // Back: (373, 322) 533x379 scaled by 1.5 and 1080/1024, rounded: exactly
      // where it started.
      {"shown-on-M1",
       "shown while the previous window is in front on M1",
       [&] {
         hide();
         previous.moveTo(kPreviousOnM1);
         SetForegroundWindow(previous.handle());
         HostWindow::pumpMessages();
         return show();
       },
       {560, 340, 1360, 740}},
      // VESK knows no previous window: the pointer's monitor. The worked
      // example again.
      {"pointer-on-M2",
       "shown with no previous window and the pointer on M2",
       [&] {
         hide();
         ShowWindow(previous.handle(), SW_HIDE);
         context.textAnswers[kPreviousWindowRequest] = "0";
         SetCursorPos(kPointerOnM2.x, kPointerOnM2.y);
         HostWindow::pumpMessages();
         return show();
       },
       {2293, 322, 2826, 701}},
      // M2 is the last monitor: Next wraps round to M1, back where it started.
      {"win-right",
       "Win+Right: next monitor, round to M1",
       [&] { return hotkey({VK_LWIN}, VK_RIGHT); },
       {560, 340, 1360, 740}},
      // Width 50 % of 1920; same monitor, so the top left corner stays.
      {"win-ctrl-5",
       "Win+Ctrl+5: width 50 % of M1",
       [&] {
         return hotkey({VK_LWIN, VK_CONTROL}, '5');
       },
       {560, 340, 1520, 740}},
      // Size kept: ((1920 - 960) / 2, (1080 - 400) / 2).
      {"win-home",
       "Win+Home: centred on M1",
       [&] { return hotkey({VK_LWIN}, VK_HOME); },
       {480, 340, 1440, 740}},
  };

  int number = 0;
  for (const Step& step : steps) {
    ++number;
    char index[8];
    std::snprintf(index, sizeof index, "%02d", number);
    const std::string release = folder + "shot-" + index;
    DeleteFileA(release.c_str());
    const bool acted = step.act();
    Settle(main, previous);
    const RECT r = main.rect();
    const std::string monitor = MonitorName(r);
    const std::string wantMonitor = MonitorName(step.expected);
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

  hide();
  report.checkEqual(context.plugin.DoShutDown(), 1, "DoShutDown result");
  looks().clear();
}

const ScenarioRegistration kDemo("demo", &DemoScenario);

}  // namespace
}  // namespace tracking

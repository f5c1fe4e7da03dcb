// The options dialog and the running plugin: what OK changes in the live
// options, a shutdown while the dialog is open, the dialog without a main
// window, and the dialog held open for pictures.
//   dialog-reload           OK reaches the live options: the next show is centred
//   dialog-shutdown-inside  VESK shuts the plugin down inside the dialog, the user
//                           presses OK: the file is written, a new start uses it
//   dialog-no-controller    without a main window the dialog still edits the file
//   hold-dialog             keeps the dialog open for scripts/screenshot-dialog
#include "tests/e2e/vesk_host_dialog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialog {
namespace {

// ---------------------------------------------------------------------------
// VESK's main window shown with the pointer on the second monitor

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

RECT WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Where the main window starts before each show.
constexpr int kLeft = 100, kTop = 100, kWidth = 600, kHeight = 80;
constexpr RECT kStart = {kLeft, kTop, kLeft + kWidth, kTop + kHeight};

// The monitor the pointer is put on, and the main window centred on it with
// its size kept.
struct PointerMonitor {
  RECT monitor = {};
  RECT centred = {};
};

// The pointer on the second monitor: with no previous window the plugin
// takes the monitor under it. None when the pointer landed on the primary.
std::optional<PointerMonitor> PutPointerOnSecondMonitor(Report& report) {
  const POINT pointer = {
      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 200, 300};
  SetCursorPos(pointer.x, pointer.y);
  MONITORINFO target = {};
  target.cbSize = sizeof target;
  GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &target);
  if (!report.check((target.dwFlags & MONITORINFOF_PRIMARY) == 0,
                    "the pointer is on a second monitor", RectText(target.rcMonitor))) {
    return std::nullopt;
  }
  const RECT& m = target.rcMonitor;
  const LONG centredLeft = m.left + (m.right - m.left - kWidth) / 2;
  const LONG centredTop = m.top + (m.bottom - m.top - kHeight) / 2;
  return PointerMonitor{m, {centredLeft, centredTop, centredLeft + kWidth, centredTop + kHeight}};
}

// Shows the main window from where it started, as VESK does; answers where
// it is then.
RECT ShowFromStart(HWND host) {
  ShowWindow(host, SW_HIDE);
  MoveWindow(host, kLeft, kTop, kWidth, kHeight, FALSE);
  ShowWindow(host, SW_SHOW);
  SetForegroundWindow(host);
  HostWindow::pumpMessages();
  return WindowRectOf(host);
}

// ---------------------------------------------------------------------------
// dialog-reload

void DialogReloadScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  const std::string path = SettingsPath(context);
  PrepareSettings(path, std::nullopt);
  if (!plugin.start(kLeft, kTop, kWidth, kHeight)) return;
  const HWND host = context.mainWindow.handle();
  const std::optional<PointerMonitor> target = PutPointerOnSecondMonitor(report);
  if (!target) return;
  const RECT& m = target->monitor;
  const RECT& centred = target->centred;

  // The options of the start: moved to the pointer's monitor, not centred.
  const RECT first = ShowFromStart(host);
  report.check(first.left >= m.left && !SameRect(first, centred) && !SameRect(first, kStart),
               "first show: placed on the pointer's monitor by the default options, not centred",
               RectText(first));

  // OK with Center on and the relative options off.
  bool ownerIsHost = false;
  if (RunChecked(context, "Center on, relative off, OK", [&](HWND dialog) {
        ownerIsHost = GetWindow(dialog, GW_OWNER) == host;
        SendDlgItemMessageA(dialog, IDC_CENTER, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_MOVE_RELATIVE, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_RESIZE_RELATIVE, BM_SETCHECK, BST_UNCHECKED, 0);
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    report.check(ownerIsHost, "the dialog's owner is the active main window");
    const std::optional<std::string> text = ReadBytes(path);
    report.check(text && text->find("\r\nCenter=1\r\n") != std::string::npos &&
                     text->find("\r\nMoveRelative=0\r\n") != std::string::npos &&
                     text->find("\r\nResizeRelative=0\r\n") != std::string::npos,
                 "the file holds the new options", text ? Quoted(*text) : "no file");
  }
  report.check(SameRect(WindowRectOf(host), first), "OK does not move the main window",
               RectText(WindowRectOf(host)));
  const RECT second = ShowFromStart(host);
  report.check(SameRect(second, centred),
               "next show: centred on the pointer's monitor with its size kept",
               "got " + RectText(second) + ", want " + RectText(centred));

  // Cancel after undoing it all: the live options stay as OK left them.
  const std::optional<std::string> before = ReadBytes(path);
  RunChecked(context, "Center off, Cancel", [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_CENTER, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_MOVE_RELATIVE, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(dialog, IDC_RESIZE_RELATIVE, BM_SETCHECK, BST_CHECKED, 0);
    CloseDialog(dialog, Close::Cancel);
    return true;
  });
  CheckFile(report, path, before, "Cancel");
  const RECT third = ShowFromStart(host);
  report.check(SameRect(third, centred), "show after Cancel: still centred",
               "got " + RectText(third) + ", want " + RectText(centred));

  ShowWindow(host, SW_HIDE);
  HostWindow::pumpMessages();
}

// ---------------------------------------------------------------------------
// dialog-shutdown-inside: VESK shuts the plugin down while the options are
// open (its tray's Exit), the user then presses OK, and VESK starts the
// plugin again.

void DialogShutdownInsideScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  const std::string path = SettingsPath(context);
  PrepareSettings(path, std::nullopt);
  if (!plugin.start(kLeft, kTop, kWidth, kHeight)) return;
  const HWND host = context.mainWindow.handle();
  const std::optional<PointerMonitor> target = PutPointerOnSecondMonitor(report);
  if (!target) return;

  // The shutdown on one tick of the modal loop, the user's edits and OK on
  // the next: the dialog outlives the plugin's controller.
  std::int32_t shutDownResult = 0;
  bool shutDown = false;
  if (RunChecked(context, "shutdown inside the dialog, then OK", [&](HWND dialog) {
        if (!shutDown) {
          shutDown = true;
          shutDownResult = context.plugin.DoShutDown();
          return false;
        }
        SendDlgItemMessageA(dialog, IDC_CENTER, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_MOVE_RELATIVE, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_RESIZE_RELATIVE, BM_CLICK, 0, 0);
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    report.checkEqual(shutDownResult, 1, "PluginFunc_DoShutDown inside the dialog answers 1");
    CheckFile(report, path,
              OptionsText(DialogKeysWith(
                  {{"MoveRelative", "0"}, {"ResizeRelative", "0"}, {"Center", "1"}})),
              "OK after the shutdown");
  }

  // Shut down, the plugin leaves the show alone; started again, it places
  // the window with the options OK wrote.
  const RECT whileDown = ShowFromStart(host);
  report.check(SameRect(whileDown, kStart), "show while shut down: the window stays where it is",
               RectText(whileDown));
  if (!plugin.init()) return;
  const RECT restarted = ShowFromStart(host);
  report.check(
      SameRect(restarted, target->centred),
      "show after PluginFunc_DoInit: centred on the pointer's monitor by the saved options",
      "got " + RectText(restarted) + ", want " + RectText(target->centred));
  ShowWindow(host, SW_HIDE);
  HostWindow::pumpMessages();
}

// ---------------------------------------------------------------------------
// dialog-no-controller

void DialogNoControllerScenario(HostContext& context) {
  Report& report = context.report;
  const std::string path = SettingsPath(context);
  PrepareSettings(path, OptionsText({{"ResizePercentValue", "42"}}));
  ShownState shown;
  if (RunChecked(context, "no controller", [&](HWND dialog) {
        shown = StateOf(dialog);
        SendDlgItemMessageA(dialog, IDC_ENABLE_HOTKEYS, BM_CLICK, 0, 0);
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    ShownState expected = DefaultState();
    expected.widthText = "42";
    CheckState(report, shown, expected, "no controller");
    CheckFile(
        report, path, OptionsText([] {
          // The file's key rewritten in place, the others after it.
          std::vector<std::pair<const char*, const char*>> keys = {{"ResizePercentValue", "42"}};
          for (const auto& key : DialogKeysWith({{"EnableHotkeys", "0"}})) {
            if (std::string(key.first) != "ResizePercentValue") keys.push_back(key);
          }
          return keys;
        }()),
        "no controller, OK");
  }
}

// ---------------------------------------------------------------------------
// hold-dialog: the dialog on show until a file "release-dialog" appears
// beside the DLL (or --hold-seconds pass); prints
// "dialog-rect L,T,R,B display :N" once it is painted.

void HoldDialogScenario(HostContext& context) {
  Report& report = context.report;
  const std::string path = SettingsPath(context);
  const std::string release = path.substr(0, path.rfind('\\')) + "\\release-dialog";
  DeleteFileA(release.c_str());
  PrepareSettings(path, OptionsText({{"EnableMultiMonitor", "1"},
                                     {"MoveRelative", "1"},
                                     {"ResizeRelative", "0"},
                                     {"ShowOnMonitorWithMouse", "1"},
                                     {"Center", "1"},
                                     {"CenterAlways", "0"},
                                     {"EnableHotkeys", "1"},
                                     {"ResizePercent", "1"},
                                     {"ResizePercentV", "0"},
                                     {"ResizePercentValue", "60"},
                                     {"ResizePercentValueV", "80"},
                                     {"UseWorkArea", "1"},
                                     {"UseBothAxes", "0"},
                                     {"KeepOnScreen", "1"},
                                     {"RememberPerMonitor", "0"},
                                     {"ShowOnPrimaryMonitor", "0"},
                                     {"ShowOnMonitorNumber", "0"}}));
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  const int holdTicks = std::stoi(context.option("hold-seconds", "60")) * 100;
  int ticks = 0;
  bool announced = false;
  RunChecked(context, "hold", [&](HWND dialog) {
    ++ticks;
    if (!announced && ticks == 30) {
      // Painted and flushed to the X server by now.
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (!announced && ticks == 60) {
      announced = true;
      char display[64] = {};
      GetEnvironmentVariableA("DISPLAY", display, sizeof display);
      report.note("dialog-rect " + RectText(WindowRectOf(dialog)) + " display " + display);
    }
    if (GetFileAttributesA(release.c_str()) != INVALID_FILE_ATTRIBUTES || ticks > holdTicks) {
      CloseDialog(dialog, Close::Cancel);
      return true;
    }
    return false;
  });
  report.check(ticks <= holdTicks, "the dialog was released before its time ran out");
}

const ScenarioRegistration kDialogReload("dialog-reload", &DialogReloadScenario);
const ScenarioRegistration kDialogShutdownInside("dialog-shutdown-inside",
                                                 &DialogShutdownInsideScenario);
const ScenarioRegistration kDialogNoController("dialog-no-controller", &DialogNoControllerScenario);
const ScenarioRegistration kHoldDialog("hold-dialog", &HoldDialogScenario);

}  // namespace
}  // namespace dialog

// The settings edited in the file only, with the real DLL under Wine. On the
// reference desktop's desktop with a 40 px taskbar at the bottom of each
// monitor (work areas W1 (0, 0, 1920, 1040) and W2 (1920, 0, 3200, 984)):
//   settings-work-area       UseWorkArea: the show, Win+Ctrl+Shift+0 and
//                            Win+Home by the work area; the defaults by the
//                            whole monitor, taskbar or not
//   settings-keep-on-screen  KeepOnScreen: a show that would stick out, a
//                            hotkey that would, and a window left beyond the
//                            desktop brought back
//   settings-chosen-monitor  ShowOnPrimaryMonitor and ShowOnMonitorNumber,
//                            their precedence and a number past the end
//   settings-dialog-keeps    the options dialog's OK, the dialog left alone,
//                            writes them back as they were, and the live
//                            plugin goes on using them
//   settings-both-axes-side-by-side  UseBothAxes where x alone would do: the
//                            same shows and hotkeys as without it
//   settings-remember-per-monitor  RememberPerMonitor: the window left in a
//                            corner of each monitor is found there by the
//                            shows alternating between them, and by a new
//                            host process
// On 1920x1080 above 1920x1080:
//   settings-both-axes       UseBothAxes: the show to the lower monitor, the
//                            mouse case with the pointer low, Win+Right
//                            walking down; the defaults by x alone
// On three 1920x1080 stacked, the primary in the middle:
//   settings-both-axes-walk  Win+Right walks top to bottom, not in the order
//                            of enumeration
#include "tests/e2e/vesk_host_dialog.h"
#include "tests/e2e/vesk_host_tracking.h"

#include <cstdio>
#include <cstring>

namespace tracking {
namespace {

const std::vector<RECT> kTaskbarWorkAreas = {{0, 0, 1920, 1040}, {1920, 0, 3200, 984}};

void WorkAreaScenario(HostContext& context) {
  if (!CheckWorkAreas(context.report, kTaskbarWorkAreas)) return;
  RunShowCases(
      context,
      {
          {"defaults with the taskbar",
           {},
           kMainStart,
           kPreviousOnM2,
           kPointerOnM2,
           kOnM2,
           {// Height 100 % of M2's 1024; same monitor, the top left corner stays.
            {"Win+Ctrl+Shift+0", {VK_LWIN, VK_CONTROL, VK_SHIFT}, '0', {2293, 322, 2826, 1346}},
            // Centred on M2: (1920 + (1280 - 533) / 2, (1024 - 1024) / 2).
            {"Win+Home", {VK_LWIN}, VK_HOME, {2293, 0, 2826, 1024}}}},
          // From W1 1920x1040 to W2 1280x984: (560 * 1280/1920,
          // 340 * 984/1040) = (373.3, 321.7) and (800 * 1280/1920,
          // 400 * 984/1040) = (533.3, 378.5), rounded.
          {"UseWorkArea=1",
           {{"UseWorkArea", "1"}},
           kMainStart,
           kPreviousOnM2,
           kPointerOnM2,
           {2293, 322, 2826, 700},
           {// Height 100 % of W2's 984.
            {"Win+Ctrl+Shift+0", {VK_LWIN, VK_CONTROL, VK_SHIFT}, '0', {2293, 322, 2826, 1306}},
            // Centred in W2: (1920 + (1280 - 533) / 2, (984 - 984) / 2).
            {"Win+Home", {VK_LWIN}, VK_HOME, {2293, 0, 2826, 984}}}},
      });
}

// 400x380 on M1, its size kept (ResizeRelative=0): moved to M2 it is placed
// at (1920 + 1500 * 1280/1920, 700 * 1024/1080) = (2920, 663.7 -> 664), and
// its right and bottom edges, 3320 and 1044, lie beyond M2's 3200 and 1024.
constexpr RECT kNearM1Corner = {1500, 700, 1900, 1080};
// Beyond the right edge of the desktop; its centre (3800, 400) is on no
// monitor.
constexpr RECT kBeyondDesktop = {3400, 200, 4200, 600};

void KeepOnScreenScenario(HostContext& context) {
  RunShowCases(
      context,
      {
          {"ResizeRelative=0 alone: the show sticks out",
           {{"ResizeRelative", "0"}},
           kNearM1Corner,
           kPreviousOnM2,
           kPointerOnM2,
           {2920, 664, 3320, 1044},
           {}},
          // Moved in by the least: (3200 - 400, 1024 - 380).
          {"KeepOnScreen=1, ResizeRelative=0",
           {{"KeepOnScreen", "1"}, {"ResizeRelative", "0"}},
           kNearM1Corner,
           kPreviousOnM2,
           kPointerOnM2,
           {2800, 644, 3200, 1024},
           // Height 100 % of 1024 from the top at 644 reaches 1668: moved up
           // to 0.
           {{"Win+Ctrl+Shift+0", {VK_LWIN, VK_CONTROL, VK_SHIFT}, '0', {2800, 0, 3200, 1024}}}},
          // The window's monitor is unknown, so nothing moves it.
          {"defaults: a window beyond the desktop",
           {},
           kBeyondDesktop,
           kPreviousOnM2,
           kPointerOnM2,
           kBeyondDesktop,
           {}},
          // Counted as on the target M2: its offset (1480, 200) kept at ratio
          // 1, then moved left by the least: 3200 - 800 = 2400.
          {"KeepOnScreen=1: a window beyond the desktop",
           {{"KeepOnScreen", "1"}},
           kBeyondDesktop,
           kPreviousOnM2,
           kPointerOnM2,
           {2400, 200, 3200, 600},
           {}},
      });
}

void ChosenMonitorScenario(HostContext& context) {
  // Each show starts on one monitor and must end on the other, so that a
  // setting ignored is told apart from one obeyed.
  RunShowCases(context,
               {
                   {"ShowOnPrimaryMonitor=1, previous window and pointer on M2",
                    {{"ShowOnPrimaryMonitor", "1"}},
                    kOnM2,
                    kPreviousOnM2,
                    kPointerOnM2,
                    kMainStart,
                    {}},
                   {"ShowOnPrimaryMonitor=1 before ShowOnMonitorNumber=2",
                    {{"ShowOnPrimaryMonitor", "1"}, {"ShowOnMonitorNumber", "2"}},
                    kOnM2,
                    kPreviousOnM2,
                    kPointerOnM2,
                    kMainStart,
                    {}},
                   {"ShowOnMonitorNumber=1, previous window on M2",
                    {{"ShowOnMonitorNumber", "1"}},
                    kOnM2,
                    kPreviousOnM2,
                    kPointerOnM2,
                    kMainStart,
                    {}},
                   {"ShowOnMonitorNumber=2 before ShowOnMonitorWithMouse=1, pointer on M1",
                    {{"ShowOnMonitorNumber", "2"}, {"ShowOnMonitorWithMouse", "1"}},
                    kMainStart,
                    kPreviousOnM1,
                    kPointerOnM1,
                    kOnM2,
                    {}},
                   // Neither the last monitor nor a wrap round: the previous
                   // window decides, as without the setting.
                   {"ShowOnMonitorNumber=3, past the end: the previous window on M1",
                    {{"ShowOnMonitorNumber", "3"}},
                    kOnM2,
                    kPreviousOnM1,
                    kPointerOnM2,
                    kMainStart,
                    {}},
                   {"ShowOnMonitorNumber=3, past the end, ShowOnMonitorWithMouse=1: the pointer",
                    {{"ShowOnMonitorNumber", "3"}, {"ShowOnMonitorWithMouse", "1"}},
                    kMainStart,
                    kPreviousOnM1,
                    kPointerOnM2,
                    kOnM2,
                    {}},
               });
}

// Side by side, both axes find what x alone finds: the pointer in M2's
// taskbar is on M2, and the hotkeys walk the same list.
void BothAxesSideBySideScenario(HostContext& context) {
  RunShowCases(context, {
                            {"UseBothAxes=1, no previous window, the pointer on M2",
                             {{"UseBothAxes", "1"}},
                             kMainStart,
                             std::nullopt,
                             kPointerOnM2,
                             kOnM2,
                             {{"Win+Right", {VK_LWIN}, VK_RIGHT, kMainStart},
                              {"Win+Left", {VK_LWIN}, VK_LEFT, kOnM2}}},
                            {"UseBothAxes=1, previous window on M1",
                             {{"UseBothAxes", "1"}},
                             kOnM2,
                             kPreviousOnM1,
                             kPointerOnM2,
                             kMainStart,
                             {}},
                        });
}

// The stacked desktop: M1 (0, 0, 1920, 1080) primary above M2 (0, 1080, 1920,
// 2160). Between monitors of one size a move keeps offset and size.
constexpr RECT kOnLower = {560, 1420, 1360, 1820};  // kMainStart, 1080 lower
constexpr RECT kPreviousOnLower = {100, 1300, 400, 1500};
constexpr POINT kPointerLow = {960, 2000};

void BothAxesScenario(HostContext& context) {
  RunShowCases(context, {
                            // By x alone both windows are on the monitor listed first, M1.
                            {"defaults, previous window on the lower monitor",
                             {},
                             kMainStart,
                             kPreviousOnLower,
                             kPointerLow,
                             kMainStart,
                             {}},
                            {"defaults, no previous window, the pointer low",
                             {},
                             kMainStart,
                             std::nullopt,
                             kPointerLow,
                             kMainStart,
                             {}},
                            {"UseBothAxes=1, previous window on the lower monitor",
                             {{"UseBothAxes", "1"}},
                             kMainStart,
                             kPreviousOnLower,
                             kPointerLow,
                             kOnLower,
                             // Listed by left, then top edge: M1, M2. From M2, the last, Next
                             // wraps round to M1; from there it walks down to M2.
                             {{"Win+Right", {VK_LWIN}, VK_RIGHT, kMainStart},
                              {"Win+Right", {VK_LWIN}, VK_RIGHT, kOnLower}}},
                            {"UseBothAxes=1, no previous window, the pointer low",
                             {{"UseBothAxes", "1"}},
                             kMainStart,
                             std::nullopt,
                             kPointerLow,
                             kOnLower,
                             {}},
                        });
}

// Three 1920x1080 stacked: M1 (0, 0) primary in the middle, M2 (0, -1080)
// above, M3 (0, 1080) below; enumerated M1, M2, M3.
constexpr RECT kOnTop = {560, -740, 1360, -340};  // kMainStart, 1080 higher

void BothAxesWalkScenario(HostContext& context) {
  RunShowCases(context, {
                            // By x alone the list is the enumeration's, M1, M2, M3: Next from
                            // M1 is M2, the top one.
                            {"defaults, Win+Right from the middle",
                             {},
                             kMainStart,
                             kPreviousOnM1,
                             kPointerLow,
                             kMainStart,
                             {{"Win+Right", {VK_LWIN}, VK_RIGHT, kOnTop}}},
                            // By left, then top edge: M2, M1, M3.
                            {"UseBothAxes=1, previous window on the top monitor",
                             {{"UseBothAxes", "1"}},
                             kMainStart,
                             RECT{100, -980, 400, -780},
                             kPointerLow,
                             kOnTop,
                             {{"Win+Right", {VK_LWIN}, VK_RIGHT, kMainStart},
                              {"Win+Right", {VK_LWIN}, VK_RIGHT, kOnLower},
                              {"Win+Right", {VK_LWIN}, VK_RIGHT, kOnTop}}},
                        });
}

// RememberPerMonitor=1: VESK's window left in a corner of each monitor is
// found there by each show on that monitor, and by a new host process.
constexpr RECT kCornerOfM1 = {1420, 0, 1920, 400};     // top right
constexpr RECT kCornerOfM2 = {1940, 604, 2540, 1004};  // near the bottom left

// Shows the main window with `previous` in front before, on `previousAt`,
// checks where it lands and hides it again; `leaveAt`: moved there first.
void ShowAfter(HostContext& context, const TrackedWindow& main, const TrackedWindow& previous,
               const RECT& previousAt, const RECT& expected, const std::string& name,
               const RECT* leaveAt = nullptr) {
  previous.moveTo(previousAt);
  ShowWindow(previous.handle(), SW_SHOW);
  SetForegroundWindow(previous.handle());
  context.textAnswers[kPreviousWindowRequest] = DecimalHandle(previous.handle());
  ShowMain(main);
  CheckRect(context.report, main.rect(), expected, name);
  if (leaveAt != nullptr) main.moveTo(*leaveAt);
  HideMain(main);
}

// Started again with --restarted by the scenario itself, as a new host
// process: only the last two shows, on the file the first process left.
void RememberPerMonitorScenario(HostContext& context) {
  Report& report = context.report;
  const bool restarted = context.options.count("restarted") != 0;
  const std::string path = SettingsPathBeside(context.dllPath);
  if (!restarted) {
    WriteSettings(path, {{"RememberPerMonitor", "1"}});
    WritePrivateProfileStringW(L"PlacesPerMonitor", nullptr, nullptr, Wide(path).c_str());
  }
  TrackedWindow main;
  TrackedWindow previous;
  ParkPointer();
  if (!report.check(main.create(kMainStart) && previous.create(kPreviousOnM1),
                    "the host creates its main window and a previous window") ||
      !InitPlugin(context, main.handle())) {
    return;
  }
  if (!restarted) {
    // Nothing remembered yet: the usual placement, then left in a corner.
    ShowAfter(context, main, previous, kPreviousOnM1, kMainStart, "a first show on M1 lands at",
              &kCornerOfM1);
    // From M1's corner scaled to M2: (1920 + 1420 * 1280/1920, 0) and
    // (500 * 1280/1920, 400 * 1024/1080), rounded.
    ShowAfter(context, main, previous, kPreviousOnM2, {2867, 0, 3200, 379},
              "a first show on M2 lands at", &kCornerOfM2);
    ShowAfter(context, main, previous, kPreviousOnM1, kCornerOfM1,
              "a show on M1 finds the window at");
  }
  const std::string when = restarted ? " after a restart" : "";
  ShowAfter(context, main, previous, kPreviousOnM2, kCornerOfM2,
            "a show on M2 finds the window" + when + " at");
  ShowAfter(context, main, previous, kPreviousOnM1, kCornerOfM1,
            "a show on M1 finds the window" + when + " at");
  report.checkEqual(context.plugin.DoShutDown(), 1, "DoShutDown result");
  if (restarted) return;

  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" \"--dll=" + Wide(context.dllPath) +
                         L"\" --restarted settings-remember-per-monitor";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION child = {};
  std::fflush(stdout);
  DWORD exitCode = 1;
  if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &child) != FALSE) {
    if (WaitForSingleObject(child.hProcess, 60000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(child.hProcess, &exitCode);
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
  }
  report.checkEqual(static_cast<std::int32_t>(exitCode), 0,
                    "a new host process finds the places again");
}

const ScenarioRegistration kWorkArea("settings-work-area", &WorkAreaScenario);
const ScenarioRegistration kKeepOnScreen("settings-keep-on-screen", &KeepOnScreenScenario);
const ScenarioRegistration kChosenMonitor("settings-chosen-monitor", &ChosenMonitorScenario);
const ScenarioRegistration kBothAxesSideBySide("settings-both-axes-side-by-side",
                                               &BothAxesSideBySideScenario);
const ScenarioRegistration kBothAxes("settings-both-axes", &BothAxesScenario);
const ScenarioRegistration kBothAxesWalk("settings-both-axes-walk", &BothAxesWalkScenario);
const ScenarioRegistration kRememberPerMonitor("settings-remember-per-monitor",
                                               &RememberPerMonitorScenario);

}  // namespace
}  // namespace tracking

namespace dialog {
namespace {

// The settings edited in the file only, none at its default.
const std::vector<std::pair<const char*, const char*>> kFileOnly = {
    {"UseWorkArea", "1"},          {"UseBothAxes", "1"},         {"KeepOnScreen", "1"},
    {"ShowOnPrimaryMonitor", "0"}, {"ShowOnMonitorNumber", "2"},
};

void DialogKeepsScenario(HostContext& context) {
  Report& report = context.report;
  constexpr RECT kStart = {100, 100, 700, 180};  // 600x80 on M1
  const std::string path = SettingsPath(context);
  PrepareSettings(path, OptionsText(kFileOnly));
  InitialisedPlugin plugin(context);
  if (!plugin.start(kStart.left, kStart.top, kStart.right - kStart.left,
                    kStart.bottom - kStart.top)) {
    return;
  }

  // OK at once: the file's keys are rewritten in place with their values,
  // the others follow at their defaults.
  if (!RunChecked(context, "OK with the file-only settings in the file", [](HWND dialog) {
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    return;
  }
  std::vector<std::pair<const char*, const char*>> expected = kFileOnly;
  for (const auto& key : kDialogKeysAtDefaults) {
    bool inFile = false;
    for (const auto& held : kFileOnly) inFile = inFile || std::strcmp(held.first, key.first) == 0;
    if (!inFile) expected.push_back(key);
  }
  CheckFile(report, path, OptionsText(expected), "OK keeps the file-only settings");

  // The options OK reloaded still hold them: with no previous window and the
  // pointer on M1, ShowOnMonitorNumber=2 takes M2, and UseWorkArea scales
  // from W1 1920x1040 to W2 1280x984: (1920 + 100 * 1280/1920,
  // 100 * 984/1040) = (1986.7, 94.6) and (600 * 1280/1920, 80 * 984/1040) =
  // (400, 75.7), rounded.
  const RECT expectedShow = {1987, 95, 2387, 171};
  const HWND host = context.mainWindow.handle();
  SetCursorPos(tracking::kPointerOnM1.x, tracking::kPointerOnM1.y);
  ShowWindow(host, SW_SHOW);
  SetForegroundWindow(host);
  HostWindow::pumpMessages();
  RECT shown = {};
  GetWindowRect(host, &shown);
  tracking::CheckRect(report, shown, expectedShow, "after OK the next show lands at");
  ShowWindow(host, SW_HIDE);
  HostWindow::pumpMessages();
}

const ScenarioRegistration kDialogKeeps("settings-dialog-keeps", &DialogKeepsScenario);

}  // namespace
}  // namespace dialog

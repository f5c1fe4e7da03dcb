// The stand-in user of the options dialog: a thread timer, dispatched by the
// dialog's modal loop, finds the dialog, hands it to the scenario's step and
// makes sure it ends; with it the settings file beside the DLL, the
// controls, and the plugin started with a host main window.
#include "tests/e2e/vesk_host_dialog.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace dialog {

namespace {

constexpr UINT kTickMilliseconds = 10;
// Ticks a dialog may take to appear, and to go once the user closed it.
constexpr int kAppearTicks = 500;
constexpr int kCloseTicks = 200;

struct TimerState {
  const UserStep* step = nullptr;
  bool stepDone = false;
  bool appeared = false;
  bool forced = false;
  bool busy = false;
  int ticks = 0;
};
TimerState timerState;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, kDialogClass) != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND VisibleDialogOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindThreadDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK UserTick(HWND, UINT, UINT_PTR, DWORD) {
  TimerState& s = timerState;
  if (s.busy || s.forced) return;
  s.busy = true;
  const HWND dialog = VisibleDialogOfThisThread();
  ++s.ticks;
  if (dialog == nullptr) {
    // Not there yet, or gone.
  } else if (!s.appeared) {
    s.appeared = true;
    s.ticks = 0;
  } else if (!s.stepDone) {
    // One tick after it showed, so that its activation is over.
    s.stepDone = (*s.step)(dialog);
    s.ticks = 0;
  } else if (s.ticks > kCloseTicks) {
    // The user's part did not end it: end it ourselves, as Cancel does.
    s.forced = true;
    EndDialog(dialog, IDCANCEL);
  }
  if (!s.appeared && s.ticks > kAppearTicks) {
    // A dialog that never becomes visible must not hold the run forever.
    s.forced = true;
    HWND hidden = FindWindowExA(nullptr, nullptr, kDialogClass, nullptr);
    DWORD process = 0;
    if (hidden != nullptr && GetWindowThreadProcessId(hidden, &process) == GetCurrentThreadId()) {
      EndDialog(hidden, IDCANCEL);
    }
  }
  s.busy = false;
}

}  // namespace

// ---------------------------------------------------------------------------
// The settings file beside the DLL

std::string SettingsPath(const HostContext& context) {
  const std::size_t slash = context.dllPath.rfind('\\');
  const std::string folder = slash == std::string::npos ? "" : context.dllPath.substr(0, slash);
  return folder + "\\" + kSettingsFileName;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(Wide(path).c_str(), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void PrepareSettings(const std::string& path, const std::optional<std::string>& text) {
  const std::wstring widePath = Wide(path);
  DeleteFileW(widePath.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, widePath.c_str());
  if (text) {
    std::ofstream out(widePath.c_str(), std::ios::binary | std::ios::trunc);
    out << *text;
  }
}

std::string OptionsText(const std::vector<std::pair<const char*, const char*>>& entries) {
  std::string text = "[Options]\r\n";
  for (const auto& entry : entries) text += std::string(entry.first) + "=" + entry.second + "\r\n";
  return text;
}

const std::vector<std::pair<const char*, const char*>> kDialogKeysAtDefaults = {
    {"EnableMultiMonitor", "1"},
    {"MoveRelative", "1"},
    {"ResizeRelative", "1"},
    {"ShowOnMonitorWithMouse", "0"},
    {"Center", "0"},
    {"CenterAlways", "0"},
    {"EnableHotkeys", "1"},
    {"ResizePercent", "0"},
    {"ResizePercentV", "0"},
    {"ResizePercentValue", "80"},
    {"ResizePercentValueV", "80"},
    {"UseWorkArea", "0"},
    {"UseBothAxes", "0"},
    {"KeepOnScreen", "0"},
    {"RememberPerMonitor", "0"},
    {"ShowOnPrimaryMonitor", "0"},
    {"ShowOnMonitorNumber", "0"}};

std::vector<std::pair<const char*, const char*>> DialogKeysWith(
    const std::vector<std::pair<const char*, const char*>>& changed) {
  std::vector<std::pair<const char*, const char*>> keys = kDialogKeysAtDefaults;
  for (const auto& change : changed) {
    for (auto& key : keys) {
      if (std::strcmp(key.first, change.first) == 0) key.second = change.second;
    }
  }
  return keys;
}

void CheckFile(Report& report, const std::string& path, const std::optional<std::string>& expected,
               const std::string& name) {
  const std::optional<std::string> actual = ReadBytes(path);
  if (!expected) {
    report.check(!actual, name + ": no settings file",
                 actual ? "found " + Quoted(*actual) : std::string());
  } else if (report.check(actual.has_value(), name + ": the settings file exists")) {
    report.checkText(*actual, *expected, name + ": the settings file's text");
  }
}

// ---------------------------------------------------------------------------
// Playing the user from a thread timer

DialogRun RunDialog(HostContext& context, const UserStep& step) {
  timerState = TimerState{};
  timerState.step = &step;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, &UserTick);
  DialogRun run;
  run.result = context.plugin.DoAdvConfig();
  KillTimer(nullptr, timer);
  run.appeared = timerState.appeared;
  run.userClosed = timerState.appeared && timerState.stepDone && !timerState.forced;
  timerState = TimerState{};
  return run;
}

bool RunChecked(HostContext& context, const std::string& name, const UserStep& step) {
  const DialogRun run = RunDialog(context, step);
  Report& report = context.report;
  report.checkEqual(run.result, 1, name + ": PluginFunc_DoAdvConfig answers 1");
  return report.check(run.appeared, name + ": the dialog appears") &&
         report.check(run.userClosed, name + ": the dialog closes as the user asked");
}

const char* CloseName(Close close) {
  switch (close) {
    case Close::Ok:
      return "OK";
    case Close::OkClick:
      return "OK clicked";
    case Close::OkOtherCode:
      return "IDOK with notification 5";
    case Close::Enter:
      return "Enter";
    case Close::Cancel:
      return "Cancel";
    case Close::CancelOtherCode:
      return "IDCANCEL with BN_DOUBLECLICKED";
    case Close::Escape:
      return "Esc";
    case Close::WmClose:
      return "WM_CLOSE";
    case Close::CloseBox:
      return "close box";
  }
  return "?";
}

void CloseDialog(HWND dialog, Close close) {
  switch (close) {
    case Close::Ok:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      break;
    case Close::OkClick:
      SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case Close::OkOtherCode:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 5), 0);
      break;
    case Close::Enter:
      PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 1);
      break;
    case Close::Cancel:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      break;
    case Close::CancelOtherCode:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_DOUBLECLICKED), 0);
      break;
    case Close::Escape:
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
    case Close::WmClose:
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      break;
    case Close::CloseBox:
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// ---------------------------------------------------------------------------
// The controls

ShownState StateOf(HWND dialog) {
  ShownState state;
  for (std::size_t i = 0; i < kCheckBoxCount; ++i) {
    state.checked[i] =
        SendDlgItemMessageA(dialog, kCheckBoxes[i].id, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  state.widthText = TextOf(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE));
  state.heightText = TextOf(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE_V));
  const auto item =
      static_cast<WPARAM>(SendDlgItemMessageA(dialog, IDC_SHOW_ON_MONITOR, CB_GETCURSEL, 0, 0));
  char text[256] = {};
  if (item != static_cast<WPARAM>(CB_ERR) &&
      SendDlgItemMessageA(dialog, IDC_SHOW_ON_MONITOR, CB_GETLBTEXTLEN, item, 0) < 256) {
    SendDlgItemMessageA(dialog, IDC_SHOW_ON_MONITOR, CB_GETLBTEXT, item,
                        reinterpret_cast<LPARAM>(text));
  }
  state.monitorChoice = text;
  return state;
}

void CheckState(Report& report, const ShownState& actual, const ShownState& expected,
                const std::string& name) {
  for (std::size_t i = 0; i < kCheckBoxCount; ++i) {
    report.check(actual.checked[i] == expected.checked[i],
                 name + ": " + std::to_string(kCheckBoxes[i].id) + " " + kCheckBoxes[i].key +
                     (expected.checked[i] ? " checked" : " unchecked"));
  }
  report.checkText(actual.widthText, expected.widthText,
                   name + ": " + std::to_string(IDC_RESIZE_PERCENT_VALUE) + " shows");
  report.checkText(actual.heightText, expected.heightText,
                   name + ": " + std::to_string(IDC_RESIZE_PERCENT_VALUE_V) + " shows");
  report.checkText(actual.monitorChoice, expected.monitorChoice,
                   name + ": " + std::to_string(IDC_SHOW_ON_MONITOR) + " shows");
}

ShownState DefaultState() {
  ShownState state;
  for (std::size_t i = 0; i < kCheckBoxCount; ++i) state.checked[i] = kCheckBoxes[i].fallback;
  state.widthText = "80";
  state.heightText = "80";
  state.monitorChoice = kMonitorChoices[0];
  return state;
}

void SetEditTexts(HWND dialog, const char* width, const char* height) {
  SetWindowTextA(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE), width);
  SendMessageA(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE_V), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(height));
}

void ChooseMonitor(HWND dialog, const char* text) {
  const HWND list = GetDlgItem(dialog, IDC_SHOW_ON_MONITOR);
  const LRESULT item = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text));
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SHOW_ON_MONITOR, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// ---------------------------------------------------------------------------
// The plugin with a host main window

InitialisedPlugin::~InitialisedPlugin() {
  if (initialised_) context_.plugin.DoShutDown();
  HostWindow::pumpMessages();
  context_.mainWindow.destroy();
  context_.mainWindowAnswer = nullptr;
}

bool InitialisedPlugin::start(int x, int y, int width, int height) {
  if (!context_.report.check(context_.mainWindow.create(x, y, width, height),
                             "the host creates its main window")) {
    return false;
  }
  context_.mainWindowAnswer = context_.mainWindow.handle();
  return init();
}

bool InitialisedPlugin::init() {
  initialised_ = context_.plugin.DoInit(context_.dllPath.c_str(), 17, nullptr, nullptr,
                                        &HostCallbackProc, nullptr) == 1;
  HostWindow::pumpMessages();
  return context_.report.check(initialised_, "PluginFunc_DoInit with the main window");
}

}  // namespace dialog

// What the dialog scenarios of the stand-in host share. The options dialog
// runs modally inside PluginFunc_DoAdvConfig; a thread timer of the host,
// dispatched by the dialog's modal loop, plays the user: it finds the
// dialog, reads and changes its controls and closes it the way a user would
// (vesk_host_dialog_user.cpp).
#pragma once

#include "resources/resource_ids.h"
#include "tests/e2e/vesk_host.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialog {

constexpr const char* kDialogCaption = "VeskMultiMonitor Options";
constexpr const char* kDialogClass = "#32770";

// ---------------------------------------------------------------------------
// The settings file beside the DLL

std::string SettingsPath(const HostContext& context);
std::optional<std::string> ReadBytes(const std::string& path);

// Leaves `text` as the file (none for nullopt) and drops the process's
// profile cache, which the plugin's reads share with ours.
void PrepareSettings(const std::string& path, const std::optional<std::string>& text);

// "[Options]\r\nA=1\r\n..." from key=value pairs, as the profile functions
// write a new file.
std::string OptionsText(const std::vector<std::pair<const char*, const char*>>& entries);

// What the dialog's OK writes with every control at its default, in the
// order of its writes.
extern const std::vector<std::pair<const char*, const char*>> kDialogKeysAtDefaults;
// The same with the values of `changed` in place of the defaults.
std::vector<std::pair<const char*, const char*>> DialogKeysWith(
    const std::vector<std::pair<const char*, const char*>>& changed);

// The file's bytes are `expected`, or there is no file for nullopt.
void CheckFile(Report& report, const std::string& path, const std::optional<std::string>& expected,
               const std::string& name);

// ---------------------------------------------------------------------------
// Playing the user from a thread timer

// One step of the user's part, called on every tick once the dialog is
// visible; answers true once it has closed the dialog (or asked it to).
using UserStep = std::function<bool(HWND dialog)>;

struct DialogRun {
  std::int32_t result = 0;  // what PluginFunc_DoAdvConfig answered
  bool appeared = false;    // a dialog of this thread became visible
  bool userClosed = false;  // it went away after the user's part closed it
};

// PluginFunc_DoAdvConfig with `step` playing the user; a dialog that does not
// appear, or that the user's part leaves open, is ended as Cancel ends it.
DialogRun RunDialog(HostContext& context, const UserStep& step);

// Runs the dialog once and checks that it came and went as the user wanted.
bool RunChecked(HostContext& context, const std::string& name, const UserStep& step);

// What the user does to end the dialog.
enum class Close {
  Ok,
  OkClick,
  OkOtherCode,
  Enter,
  Cancel,
  CancelOtherCode,
  Escape,
  WmClose,
  CloseBox
};

const char* CloseName(Close close);
void CloseDialog(HWND dialog, Close close);

std::string TextOf(HWND window);

// ---------------------------------------------------------------------------
// The controls

struct CheckBoxFact {
  int id;
  const char* key;
  bool fallback;
};

// In the order the dialog loads and saves them.
inline constexpr CheckBoxFact kCheckBoxes[] = {
    {IDC_ENABLE_MULTI_MONITOR, "EnableMultiMonitor", true},
    {IDC_MOVE_RELATIVE, "MoveRelative", true},
    {IDC_RESIZE_RELATIVE, "ResizeRelative", true},
    {IDC_SHOW_ON_MONITOR_WITH_MOUSE, "ShowOnMonitorWithMouse", false},
    {IDC_CENTER, "Center", false},
    {IDC_CENTER_ALWAYS, "CenterAlways", false},
    {IDC_ENABLE_HOTKEYS, "EnableHotkeys", true},
    {IDC_RESIZE_PERCENT, "ResizePercent", false},
    {IDC_RESIZE_PERCENT_V, "ResizePercentV", false},
    {IDC_USE_WORK_AREA, "UseWorkArea", false},
    {IDC_USE_BOTH_AXES, "UseBothAxes", false},
    {IDC_KEEP_ON_SCREEN, "KeepOnScreen", false},
    {IDC_REMEMBER_PER_MONITOR, "RememberPerMonitor", false},
};
constexpr std::size_t kCheckBoxCount = sizeof kCheckBoxes / sizeof kCheckBoxes[0];

// The monitor choice's items, in the list's order.
inline constexpr const char* kMonitorChoices[] = {
    "the active monitor", "the primary monitor", "monitor 1", "monitor 2", "monitor 3", "monitor 4",
    "monitor 5",          "monitor 6",           "monitor 7", "monitor 8", "monitor 9"};

struct ShownState {
  bool checked[kCheckBoxCount] = {};
  std::string widthText;
  std::string heightText;
  std::string monitorChoice;  // the selected item's text
};

ShownState StateOf(HWND dialog);
void CheckState(Report& report, const ShownState& actual, const ShownState& expected,
                const std::string& name);
ShownState DefaultState();

void SetEditTexts(HWND dialog, const char* width, const char* height);
// Selects the item with `text` as a user's pick does, notification included.
void ChooseMonitor(HWND dialog, const char* text);

// ---------------------------------------------------------------------------
// The plugin with a host main window

class InitialisedPlugin {
 public:
  explicit InitialisedPlugin(HostContext& context) : context_(context) {}
  InitialisedPlugin(const InitialisedPlugin&) = delete;
  InitialisedPlugin& operator=(const InitialisedPlugin&) = delete;
  ~InitialisedPlugin();

  // A hidden WS_POPUP main window on this thread, then init().
  bool start(int x, int y, int width, int height);
  // PluginFunc_DoInit with the main window, as VESK calls it at its start.
  bool init();

 private:
  HostContext& context_;
  bool initialised_ = false;
};

}  // namespace dialog

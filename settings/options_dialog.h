// The modal options dialog: shows the settings file's values, writes every
// control back on OK, writes nothing on Cancel.
#pragma once

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <string_view>
#include <utility>

// A setting the dialog shows, and the control that shows it.
struct DialogControl {
  std::size_t option;  // index into kOptionTable
  int controlId;
};

// In the dialog's order, which loads and saves them: the check boxes first,
// the two percentages last. Settings edited in the file only have no control
// and are never written here, so OK keeps them as they are.
inline constexpr DialogControl kDialogControls[] = {
    {IndexOfOption("EnableMultiMonitor"), IDC_ENABLE_MULTI_MONITOR},
    {IndexOfOption("MoveRelative"), IDC_MOVE_RELATIVE},
    {IndexOfOption("ResizeRelative"), IDC_RESIZE_RELATIVE},
    {IndexOfOption("ShowOnMonitorWithMouse"), IDC_SHOW_ON_MONITOR_WITH_MOUSE},
    {IndexOfOption("Center"), IDC_CENTER},
    {IndexOfOption("CenterAlways"), IDC_CENTER_ALWAYS},
    {IndexOfOption("EnableHotkeys"), IDC_ENABLE_HOTKEYS},
    {IndexOfOption("ResizePercent"), IDC_RESIZE_PERCENT},
    {IndexOfOption("ResizePercentV"), IDC_RESIZE_PERCENT_V},
    {IndexOfOption(kKeyResizePercentValue), IDC_RESIZE_PERCENT_VALUE},
    {IndexOfOption(kKeyResizePercentValueV), IDC_RESIZE_PERCENT_VALUE_V},
};
inline constexpr std::size_t kDialogControlCount =
    sizeof kDialogControls / sizeof kDialogControls[0];

constexpr bool EachControlShowsADifferentSetting() {
  for (std::size_t i = 0; i < kDialogControlCount; ++i) {
    if (kDialogControls[i].option >= kOptionCount) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kDialogControls[j].option == kDialogControls[i].option) return false;
    }
  }
  return true;
}
static_assert(EachControlShowsADifferentSetting(),
              "every dialog control names a setting of the table, each a different one");

class OptionsDialog {
 public:
  // Keeps its own copy of the file's path: the host may shut the plugin down
  // from inside the modal loop, taking the controller's settings with it.
  explicit OptionsDialog(SettingsFile settingsFile) : settingsFile_(std::move(settingsFile)) {}
  OptionsDialog(const OptionsDialog&) = delete;
  OptionsDialog& operator=(const OptionsDialog&) = delete;

  // Runs the dialog on the calling thread and answers how it ended: IDOK,
  // IDCANCEL, or 0 / -1 when it could not be shown. When the binding cannot
  // be set up, the thread's last error becomes ERROR_OUTOFMEMORY and 0 is
  // answered without showing anything.
  platform::LongResult run(platform::ModuleHandle module, platform::WindowHandle owner);

  // After OK: sets the settings the dialog shows to what it saved. The file
  // may not have taken them (a read-only folder); the user's choice applies
  // all the same.
  void applySavedTo(PluginOptions& options) const;

  // One message of the dialog; true when handled, with its result.
  bool handleMessage(std::uint32_t message, platform::WordParam wParam,
                     platform::LongResult& result);

 private:
  friend struct DialogBinding;

  void initialise();
  void saveAndClose();

  const SettingsFile settingsFile_;
  platform::WindowHandle dialog_ = 0;
  // Indexed like kDialogControls.
  platform::WindowHandle controls_[kDialogControlCount] = {};
  PluginOptions saved_;
};

// The value an edit box's text saves: the number a classic-locale stream
// reads from it, clamped to [lower, upper]. " 42abc" -> 42, "0x20" -> 0 ->
// lower, "" -> 80. A number beyond the 32-bit range saturates first.
std::int32_t PercentOfEditText(std::string_view text, std::int32_t lower, std::int32_t upper);

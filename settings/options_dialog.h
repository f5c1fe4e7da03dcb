// The modal options dialog: shows the settings file's values, writes every
// control back on OK, writes nothing on Cancel.
#pragma once

#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

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
  platform::LongResult Run(platform::ModuleHandle module, platform::WindowHandle owner);

  // After OK: sets the settings the dialog shows to what it saved. The file
  // may not have taken them (a read-only folder); the user's choice applies
  // all the same.
  void ApplySavedTo(PluginOptions& options) const;

  // One message of the dialog; true when handled, with its result.
  bool HandleMessage(std::uint32_t message, platform::WordParam wParam,
                     platform::LongResult& result);

 private:
  friend struct DialogBinding;

  void Initialise();
  void SaveAndClose();

  const SettingsFile settingsFile_;
  platform::WindowHandle dialog_ = 0;
  // Indexed like kOptionTable.
  platform::WindowHandle controls_[kOptionCount] = {};
  // What the file held when the dialog opened, and what OK saved.
  PluginOptions opened_;
  PluginOptions saved_;
  int openedMonitorChoice_ = 0;
};

// The items of the monitor choice, in the list's order: the active monitor
// (the default), the primary monitor, then monitor 1 to kHighestChosenMonitor.
constexpr int kMonitorChoiceCount = 2 + kHighestChosenMonitor;
const char* MonitorChoiceText(int item);
// The item the pair of keys shows: the primary monitor goes first, as it does
// when the window is placed, and a number the list does not offer shows as
// the active monitor.
int MonitorChoiceOf(bool onPrimary, std::int32_t number);
// The value `item` gives the pair's row of kOptionTable.
std::int32_t MonitorChoiceValue(const OptionEntry& row, int item);

// The value an edit box's text saves: the number a classic-locale stream
// reads from it, clamped to [lower, upper]. " 42abc" -> 42, "0x20" -> 0 ->
// lower, "" -> 80. A number beyond the 32-bit range saturates first.
std::int32_t PercentOfEditText(std::string_view text, std::int32_t lower, std::int32_t upper);

// The settings as the running plugin holds them, and the one table that says
// for each its key in the settings file, its type, default and range, the
// dialog control that shows it and its name in readme.txt.
#pragma once

#include "resources/resource_ids.h"

#include <cstddef>
#include <cstdint>

class SettingsFile;

struct PluginOptions {
  bool enableMultiMonitor;
  bool showOnMonitorWithMouse;
  bool moveRelative;
  bool resizeRelative;
  bool center;
  bool centerAlways;
  bool enableHotkeys;
  bool resizePercent;
  std::int32_t resizePercentValue;
  bool resizePercentV;
  std::int32_t resizePercentValueV;
  // Beyond the original eleven; at their defaults nothing changes.
  bool useWorkArea;
  bool useBothAxes;
  bool keepOnScreen;
  bool showOnPrimaryMonitor;
  std::int32_t showOnMonitorNumber;  // 0: none
  bool rememberPerMonitor;           // the window's place per monitor, kept in the file

  PluginOptions();

  // Overwrites every field from the file; absent keys give their defaults.
  void Load(const SettingsFile& settings);
};

// How the options dialog shows a setting.
enum class OptionControl {
  kCheckBox,
  // A number typed in an edit box, saved clamped to the row's range.
  kNumberEdit,
  // One drop-down list for the always-shown monitor: its flag row says "the
  // primary monitor", its number row "monitor n" within the row's range.
  kMonitorChoice,
};

// One setting. Exactly one of `flag` and `number` is set.
struct OptionEntry {
  const char* key = "";
  std::int32_t defaultValue = 0;  // a flag's default is 0 or 1
  std::int32_t lowest = 0;        // the range the dialog offers or saves
  std::int32_t highest = 1;
  bool PluginOptions::*flag = nullptr;
  std::int32_t PluginOptions::*number = nullptr;
  OptionControl control = OptionControl::kCheckBox;
  int controlId = 0;
  // How readme.txt's list of settings names it beside its key; empty where
  // it shares the line above.
  const char* readmeName = "";
  bool percent = false;  // a number kept within kLowestPercent..kHighestPercent on loading
};

// Keys the percentage hotkeys write; loading reads the width from
// ResizePercentValue.
constexpr const char* kKeyResizePercentValue = "ResizePercentValue";
constexpr const char* kKeyResizePercentValueV = "ResizePercentValueV";
// Written by the width hotkey as well; never read.
constexpr const char* kKeyResizePercentValueH = "ResizePercentValueH";
constexpr std::int32_t kDefaultPercent = 80;
// The range the dialog accepts and the hotkeys choose from.
constexpr std::int32_t kLowestPercent = 10;
constexpr std::int32_t kHighestPercent = 100;

// A hand-edited file may hold any number: 0 % or 5000 % of a monitor is no
// window size. 5000 -> 100, -3 -> 10, 60 -> 60.
constexpr std::int32_t PercentInRange(std::int32_t percent) {
  return percent < kLowestPercent    ? kLowestPercent
         : percent > kHighestPercent ? kHighestPercent
                                     : percent;
}

// The monitors the dialog offers by number, as readme.txt numbers them.
constexpr std::int32_t kHighestChosenMonitor = 9;

constexpr OptionEntry CheckBoxOption(const char* key, bool fallback, bool PluginOptions::*field,
                                     int controlId, const char* readmeName) {
  OptionEntry row;
  row.key = key;
  row.defaultValue = fallback ? 1 : 0;
  row.flag = field;
  row.controlId = controlId;
  row.readmeName = readmeName;
  return row;
}

constexpr OptionEntry PercentOption(const char* key, std::int32_t PluginOptions::*field,
                                    int controlId) {
  OptionEntry row;
  row.key = key;
  row.defaultValue = kDefaultPercent;
  row.lowest = kLowestPercent;
  row.highest = kHighestPercent;
  row.number = field;
  row.control = OptionControl::kNumberEdit;
  row.controlId = controlId;
  row.percent = true;
  return row;
}

// The pair behind the always-shown monitor, both off by default.
constexpr OptionEntry PrimaryMonitorOption(const char* key, bool PluginOptions::*field,
                                           int controlId, const char* readmeName) {
  OptionEntry row = CheckBoxOption(key, false, field, controlId, readmeName);
  row.control = OptionControl::kMonitorChoice;
  return row;
}

constexpr OptionEntry MonitorNumberOption(const char* key, std::int32_t PluginOptions::*field,
                                          int controlId) {
  OptionEntry row;
  row.key = key;
  row.lowest = 1;
  row.highest = kHighestChosenMonitor;
  row.number = field;
  row.control = OptionControl::kMonitorChoice;
  row.controlId = controlId;
  return row;
}

// In the dialog's order, which is the order its OK writes the keys in (a new
// file lists them so) and the order of loading. To add a setting: a field
// above, a row here, its control in the dialog template and its id in
// resource_ids.h, its lines in readme.txt.
inline constexpr OptionEntry kOptionTable[] = {
    CheckBoxOption("EnableMultiMonitor", true, &PluginOptions::enableMultiMonitor,
                   IDC_ENABLE_MULTI_MONITOR, "Display VESK on active monitor"),
    CheckBoxOption("MoveRelative", true, &PluginOptions::moveRelative, IDC_MOVE_RELATIVE,
                   "Move relative to screen resolution"),
    CheckBoxOption("ResizeRelative", true, &PluginOptions::resizeRelative, IDC_RESIZE_RELATIVE,
                   "Resize relative to screen resolution"),
    CheckBoxOption("ShowOnMonitorWithMouse", false, &PluginOptions::showOnMonitorWithMouse,
                   IDC_SHOW_ON_MONITOR_WITH_MOUSE, "Display on monitor where mouse is"),
    CheckBoxOption("Center", false, &PluginOptions::center, IDC_CENTER,
                   "Center VESK when it appears"),
    CheckBoxOption("CenterAlways", false, &PluginOptions::centerAlways, IDC_CENTER_ALWAYS,
                   "and whenever it changes size"),
    CheckBoxOption("EnableHotkeys", true, &PluginOptions::enableHotkeys, IDC_ENABLE_HOTKEYS,
                   "Enable hotkeys"),
    CheckBoxOption("ResizePercent", false, &PluginOptions::resizePercent, IDC_RESIZE_PERCENT,
                   "Resize to [ 80 ] % of screen width"),
    CheckBoxOption("ResizePercentV", false, &PluginOptions::resizePercentV, IDC_RESIZE_PERCENT_V,
                   "Resize to [ 80 ] % of screen height"),
    PercentOption(kKeyResizePercentValue, &PluginOptions::resizePercentValue,
                  IDC_RESIZE_PERCENT_VALUE),
    PercentOption(kKeyResizePercentValueV, &PluginOptions::resizePercentValueV,
                  IDC_RESIZE_PERCENT_VALUE_V),
    CheckBoxOption("UseWorkArea", false, &PluginOptions::useWorkArea, IDC_USE_WORK_AREA,
                   "Keep clear of the taskbar"),
    CheckBoxOption("UseBothAxes", false, &PluginOptions::useBothAxes, IDC_USE_BOTH_AXES,
                   "Find monitors stacked one above another"),
    CheckBoxOption("KeepOnScreen", false, &PluginOptions::keepOnScreen, IDC_KEEP_ON_SCREEN,
                   "Keep VESK wholly on its monitor"),
    CheckBoxOption("RememberPerMonitor", false, &PluginOptions::rememberPerMonitor,
                   IDC_REMEMBER_PER_MONITOR, "Remember the place on each monitor"),
    PrimaryMonitorOption("ShowOnPrimaryMonitor", &PluginOptions::showOnPrimaryMonitor,
                         IDC_SHOW_ON_MONITOR, "Show VESK on [ the active monitor ]"),
    MonitorNumberOption("ShowOnMonitorNumber", &PluginOptions::showOnMonitorNumber,
                        IDC_SHOW_ON_MONITOR),
};
inline constexpr std::size_t kOptionCount = sizeof kOptionTable / sizeof kOptionTable[0];

// The position of `key` in kOptionTable; kOptionCount when it has none.
constexpr std::size_t IndexOfOption(const char* key) {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const char* a = kOptionTable[i].key;
    const char* b = key;
    while (*a != '\0' && *a == *b) {
      ++a;
      ++b;
    }
    if (*a == *b) return i;
  }
  return kOptionCount;
}

constexpr bool TheOptionTableHoldsTogether() {
  std::size_t flagChoices = 0;
  std::size_t numberChoices = 0;
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const OptionEntry& row = kOptionTable[i];
    if ((row.flag == nullptr) == (row.number == nullptr)) return false;
    if (row.lowest > row.highest) return false;
    if (IndexOfOption(row.key) != i) return false;  // keys differ
    if (row.control == OptionControl::kCheckBox && row.flag == nullptr) return false;
    if (row.control == OptionControl::kNumberEdit && row.number == nullptr) return false;
    if (row.control == OptionControl::kMonitorChoice) {
      if (row.flag != nullptr) ++flagChoices;
      if (row.number != nullptr) ++numberChoices;
    }
    for (std::size_t j = 0; j < i; ++j) {
      const bool bothChoices = row.control == OptionControl::kMonitorChoice &&
                               kOptionTable[j].control == OptionControl::kMonitorChoice;
      if (kOptionTable[j].controlId == row.controlId && !bothChoices) return false;
    }
  }
  return flagChoices <= 1 && numberChoices == flagChoices;
}
static_assert(TheOptionTableHoldsTogether(),
              "each row is a flag or a number with its kind of control, keys and controls "
              "differ, and the monitor choice has one flag and one number");

// The settings as the running plugin holds them, and the one table that says
// for each its key in the settings file, its default, its field and its
// control in the options dialog.
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
  // Edited in the settings file only; all off keeps the classic behaviour.
  bool useWorkArea;
  bool useBothAxes;
  bool keepOnScreen;
  bool showOnPrimaryMonitor;
  std::int32_t showOnMonitorNumber;  // 0: none

  // Every field at its default.
  PluginOptions();

  // Overwrites every field from the file; absent keys give their defaults.
  void load(const SettingsFile& settings);
};

// One setting. Exactly one of `flag` and `number` is set.
struct OptionEntry {
  const char* key;
  std::int32_t defaultValue;  // a flag's default is 0 or 1
  bool PluginOptions::*flag;
  std::int32_t PluginOptions::*number;
  int controlId;    // 0: edited in the file only
  int dialogOrder;  // where the dialog loads and saves it; -1: not in the dialog
};

// Keys the percentage hotkeys write.
constexpr const char* kKeyResizePercentValue = "ResizePercentValue";
constexpr const char* kKeyResizePercentValueV = "ResizePercentValueV";
// Written by the width hotkey for tools that read it; nothing here reads it.
constexpr const char* kKeyResizePercentValueH = "ResizePercentValueH";
constexpr std::int32_t kDefaultPercent = 80;

constexpr OptionEntry FlagOption(const char* key, bool fallback, bool PluginOptions::*field,
                                 int controlId, int dialogOrder) {
  return OptionEntry{key, fallback ? 1 : 0, field, nullptr, controlId, dialogOrder};
}

constexpr OptionEntry NumberOption(const char* key, std::int32_t fallback,
                                   std::int32_t PluginOptions::*field, int controlId,
                                   int dialogOrder) {
  return OptionEntry{key, fallback, nullptr, field, controlId, dialogOrder};
}

// In field order, which is also the order of loading. The dialog shows its
// check boxes first and the two percentages last.
inline constexpr OptionEntry kOptionTable[] = {
    // clang-format off
    FlagOption("EnableMultiMonitor", true, &PluginOptions::enableMultiMonitor,
               IDC_ENABLE_MULTI_MONITOR, 0),
    FlagOption("ShowOnMonitorWithMouse", false, &PluginOptions::showOnMonitorWithMouse,
               IDC_SHOW_ON_MONITOR_WITH_MOUSE, 3),
    FlagOption("MoveRelative", true, &PluginOptions::moveRelative, IDC_MOVE_RELATIVE, 1),
    FlagOption("ResizeRelative", true, &PluginOptions::resizeRelative, IDC_RESIZE_RELATIVE, 2),
    FlagOption("Center", false, &PluginOptions::center, IDC_CENTER, 4),
    FlagOption("CenterAlways", false, &PluginOptions::centerAlways, IDC_CENTER_ALWAYS, 5),
    FlagOption("EnableHotkeys", true, &PluginOptions::enableHotkeys, IDC_ENABLE_HOTKEYS, 6),
    FlagOption("ResizePercent", false, &PluginOptions::resizePercent, IDC_RESIZE_PERCENT, 7),
    NumberOption(kKeyResizePercentValue, kDefaultPercent, &PluginOptions::resizePercentValue,
                 IDC_RESIZE_PERCENT_VALUE, 9),
    FlagOption("ResizePercentV", false, &PluginOptions::resizePercentV, IDC_RESIZE_PERCENT_V, 8),
    NumberOption(kKeyResizePercentValueV, kDefaultPercent, &PluginOptions::resizePercentValueV,
                 IDC_RESIZE_PERCENT_VALUE_V, 10),
    FlagOption("UseWorkArea", false, &PluginOptions::useWorkArea, 0, -1),
    FlagOption("UseBothAxes", false, &PluginOptions::useBothAxes, 0, -1),
    FlagOption("KeepOnScreen", false, &PluginOptions::keepOnScreen, 0, -1),
    FlagOption("ShowOnPrimaryMonitor", false, &PluginOptions::showOnPrimaryMonitor, 0, -1),
    NumberOption("ShowOnMonitorNumber", 0, &PluginOptions::showOnMonitorNumber, 0, -1),
    // clang-format on
};
inline constexpr std::size_t kOptionCount = sizeof kOptionTable / sizeof kOptionTable[0];

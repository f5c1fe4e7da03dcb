// The settings as the running plugin holds them, and the one table that says
// for each its key in the settings file, its default and its field.
#pragma once

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
  // Edited in the settings file only; at their defaults nothing changes.
  bool useWorkArea;
  bool useBothAxes;
  bool keepOnScreen;
  bool showOnPrimaryMonitor;
  std::int32_t showOnMonitorNumber;  // 0: none
  bool rememberPerMonitor;           // the window's place per monitor, kept in the file

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
  bool percent = false;  // a number kept within kLowestPercent..kHighestPercent
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

constexpr OptionEntry FlagOption(const char* key, bool fallback, bool PluginOptions::*field) {
  return OptionEntry{key, fallback ? 1 : 0, field, nullptr};
}

constexpr OptionEntry NumberOption(const char* key, std::int32_t fallback,
                                   std::int32_t PluginOptions::*field) {
  return OptionEntry{key, fallback, nullptr, field};
}

constexpr OptionEntry PercentOption(const char* key, std::int32_t PluginOptions::*field) {
  return OptionEntry{key, kDefaultPercent, nullptr, field, true};
}

// In field order, which is also the order of loading.
inline constexpr OptionEntry kOptionTable[] = {
    FlagOption("EnableMultiMonitor", true, &PluginOptions::enableMultiMonitor),
    FlagOption("ShowOnMonitorWithMouse", false, &PluginOptions::showOnMonitorWithMouse),
    FlagOption("MoveRelative", true, &PluginOptions::moveRelative),
    FlagOption("ResizeRelative", true, &PluginOptions::resizeRelative),
    FlagOption("Center", false, &PluginOptions::center),
    FlagOption("CenterAlways", false, &PluginOptions::centerAlways),
    FlagOption("EnableHotkeys", true, &PluginOptions::enableHotkeys),
    FlagOption("ResizePercent", false, &PluginOptions::resizePercent),
    PercentOption(kKeyResizePercentValue, &PluginOptions::resizePercentValue),
    FlagOption("ResizePercentV", false, &PluginOptions::resizePercentV),
    PercentOption(kKeyResizePercentValueV, &PluginOptions::resizePercentValueV),
    FlagOption("UseWorkArea", false, &PluginOptions::useWorkArea),
    FlagOption("UseBothAxes", false, &PluginOptions::useBothAxes),
    FlagOption("KeepOnScreen", false, &PluginOptions::keepOnScreen),
    FlagOption("ShowOnPrimaryMonitor", false, &PluginOptions::showOnPrimaryMonitor),
    NumberOption("ShowOnMonitorNumber", 0, &PluginOptions::showOnMonitorNumber),
    FlagOption("RememberPerMonitor", false, &PluginOptions::rememberPerMonitor),
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

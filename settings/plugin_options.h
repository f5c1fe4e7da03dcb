// The eleven settings as the running plugin holds them.
#pragma once

#include <cstdint>

class SettingsFile;

struct PluginOptions {
  bool enableMultiMonitor = true;
  bool showOnMonitorWithMouse = false;
  bool moveRelative = true;
  bool resizeRelative = true;
  bool center = false;
  bool centerAlways = false;
  bool enableHotkeys = true;
  bool resizePercent = false;
  std::int32_t resizePercentValue = 80;
  bool resizePercentV = false;
  std::int32_t resizePercentValueV = 80;

  // Overwrites every field from the file; absent keys give their defaults.
  void load(const SettingsFile& settings);
};

// Keys the percentage hotkeys and the dialog write.
constexpr const char* kKeyResizePercentValue = "ResizePercentValue";
constexpr const char* kKeyResizePercentValueV = "ResizePercentValueV";
// Written by the width hotkey for tools that read it; nothing here reads it.
constexpr const char* kKeyResizePercentValueH = "ResizePercentValueH";

#include "settings/plugin_options.h"

#include "settings/settings_file.h"

namespace {

struct BoolSetting {
  const char* key;
  bool fallback;
  bool PluginOptions::*field;
};

struct IntSetting {
  const char* key;
  std::int32_t PluginOptions::*field;
};

// Field order; the integer keys are read after the flag that precedes them.
constexpr BoolSetting kFlagsBeforeWidth[] = {
    {"EnableMultiMonitor", true, &PluginOptions::enableMultiMonitor},
    {"ShowOnMonitorWithMouse", false, &PluginOptions::showOnMonitorWithMouse},
    {"MoveRelative", true, &PluginOptions::moveRelative},
    {"ResizeRelative", true, &PluginOptions::resizeRelative},
    {"Center", false, &PluginOptions::center},
    {"CenterAlways", false, &PluginOptions::centerAlways},
    {"EnableHotkeys", true, &PluginOptions::enableHotkeys},
    {"ResizePercent", false, &PluginOptions::resizePercent},
};
constexpr IntSetting kWidth = {kKeyResizePercentValue, &PluginOptions::resizePercentValue};
constexpr BoolSetting kHeightFlag = {"ResizePercentV", false, &PluginOptions::resizePercentV};
constexpr IntSetting kHeight = {kKeyResizePercentValueV, &PluginOptions::resizePercentValueV};

}  // namespace

void PluginOptions::load(const SettingsFile& settings) {
  for (const BoolSetting& flag : kFlagsBeforeWidth) {
    this->*flag.field = settings.readBool(flag.key, flag.fallback);
  }
  this->*kWidth.field = settings.readInt(kWidth.key);
  this->*kHeightFlag.field = settings.readBool(kHeightFlag.key, kHeightFlag.fallback);
  this->*kHeight.field = settings.readInt(kHeight.key);
}

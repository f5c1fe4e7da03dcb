#include "settings/plugin_options.h"

#include "settings/settings_file.h"

PluginOptions::PluginOptions() {
  for (const OptionEntry& entry : kOptionTable) {
    if (entry.flag != nullptr) this->*entry.flag = entry.defaultValue != 0;
    if (entry.number != nullptr) this->*entry.number = entry.defaultValue;
  }
}

void PluginOptions::Load(const SettingsFile& settings) {
  for (const OptionEntry& entry : kOptionTable) {
    if (entry.flag != nullptr) {
      this->*entry.flag = settings.ReadBool(entry.key, entry.defaultValue != 0);
    } else {
      const std::int32_t value = settings.ReadInt(entry.key, entry.defaultValue);
      this->*entry.number = entry.percent ? PercentInRange(value) : value;
    }
  }
}

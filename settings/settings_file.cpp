#include "settings/settings_file.h"

#include "common/numbers.h"
#include "platform/platform.h"

#include <utility>

SettingsFile::SettingsFile(const PluginDirectory& pluginDirectory)
    : path_(pluginDirectory.Utf8() + kSettingsFileName) {}

std::int32_t SettingsFile::ReadInt(const char* key, std::int32_t fallback) const {
  return platform::getProfileInt(kSettingsSection, key, fallback, path_.c_str());
}

bool SettingsFile::ReadBool(const char* key, bool fallback) const {
  return platform::getProfileInt(kSettingsSection, key, fallback ? 1 : 0, path_.c_str()) != 0;
}

void SettingsFile::WriteInt(const char* key, std::int32_t value) const {
  platform::writeProfileString(kSettingsSection, key, numbers::formatInt32(value).c_str(),
                               path_.c_str());
}

void SettingsFile::WriteBool(const char* key, bool value) const { WriteInt(key, value ? 1 : 0); }

std::vector<std::string> SettingsFile::ReadSection(const char* section) const {
  return platform::getProfileSection(section, path_.c_str());
}

void SettingsFile::WriteString(const char* section, const char* key,
                               const std::string& value) const {
  platform::writeProfileString(section, key, value.c_str(), path_.c_str());
}

void SettingsFile::DeleteKey(const char* section, const char* key) const {
  platform::deleteProfileKey(section, key, path_.c_str());
}

PluginDirectory PluginDirectoryOf(std::uintptr_t moduleHandle) {
  std::string directory = platform::getModuleFileName(moduleHandle, platform::kMaxPath);
  platform::pathRemoveFileSpec(directory);
  return PluginDirectory(std::move(directory));
}

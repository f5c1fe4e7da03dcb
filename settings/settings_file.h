// The plugin's INI file beside its library: typed reads and writes of keys in
// the one section "Options". Every call goes to the file; nothing is cached.
#pragma once

#include "common/plugin_paths.h"
#include "settings/plugin_options.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kSettingsSection = "Options";
constexpr const char* kSettingsFileName = "\\VESK_MultiMonitor.ini";

class SettingsFile {
 public:
  // A drive root keeps its backslash; the name is appended all the same.
  explicit SettingsFile(const PluginDirectory& pluginDirectory);

  const std::string& Path() const { return path_; }

  std::int32_t ReadInt(const char* key, std::int32_t fallback = kDefaultPercent) const;
  bool ReadBool(const char* key, bool fallback) const;
  void WriteInt(const char* key, std::int32_t value) const;
  void WriteBool(const char* key, bool value) const;

  // Sections of their own, for what the plugin keeps beside the options.
  // The lines of `section` in file order, "key=value" each.
  std::vector<std::string> ReadSection(const char* section) const;
  void WriteString(const char* section, const char* key, const std::string& value) const;
  void DeleteKey(const char* section, const char* key) const;

 private:
  std::string path_;
};

// The directory of the plugin's own library file, for SettingsFile.
PluginDirectory PluginDirectoryOf(std::uintptr_t moduleHandle);

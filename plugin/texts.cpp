#include "plugin/texts.h"

#include "platform/platform.h"
#include "plugin/descriptive_texts.h"
#include "plugin/plugin_state.h"
#include "plugin/version_info.h"

#include <cstring>
#include <utility>

std::optional<std::string> DescriptiveText(const char* key) {
  if (std::strcmp(key, "versionstring") == 0)
    return VersionInfo::load(pluginState.moduleHandle).versionText();
  if (std::strcmp(key, "releasedatestring") == 0)
    return VersionInfo::load(pluginState.moduleHandle).releaseDate;
  for (const FixedText& text : kFixedTexts) {
    if (std::strcmp(key, text.key) == 0) return std::string(text.value);
  }
  return std::nullopt;
}

void CopyAnswer(const std::string& text, char* destination, std::int32_t limit) {
  const std::size_t room = static_cast<std::size_t>(limit) - 1;
  const std::size_t length = text.size() < room ? text.size() : room;
  std::memcpy(destination, text.data(), length);
  destination[length] = '\0';
}

void CopyBounded(const char* text, char* destination, std::int32_t limit) {
  if (limit <= 0) return;
  std::strncpy(destination, text, static_cast<std::size_t>(limit));
}

PluginFolder FolderOfLibraryPath(const char* libraryPath) {
  std::size_t length = 0;
  while (length < platform::kMaxPath - 1 && libraryPath[length] != '\0') ++length;
  std::string folder(libraryPath, length);
  const std::size_t slash = folder.rfind('\\');
  if (slash != std::string::npos) folder.resize(slash + 1);
  return PluginFolder(std::move(folder));
}

std::optional<std::string> FileInFolder(const PluginFolder& folder, const char* fileName) {
  std::string path = folder.HostText();
  if (path.empty() || path.back() != '\\') path += '\\';
  path += fileName;
  if (path.size() >= platform::kMaxPath) return std::nullopt;
  return path;
}

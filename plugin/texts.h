// The plugin's descriptive texts and the two ways the host wants texts copied.
#pragma once

#include "common/plugin_paths.h"

#include <cstdint>
#include <optional>
#include <string>

// The answer to a PluginFunc_GetStrVal key, or none for a key outside the table.
std::optional<std::string> DescriptiveText(const char* key);

// Copies at most limit - 1 characters and a terminator (limit >= 1).
void CopyAnswer(const std::string& text, char* destination, std::int32_t limit);

// Copies until the terminator has been copied or `limit` bytes are written,
// padding with zeros; a text of `limit` characters or more stays unterminated.
void CopyBounded(const char* text, char* destination, std::int32_t limit);

// "C:\x\VeskMultiMonitor.dll" -> "C:\x\": at most 259 characters, cut after
// the last backslash; a path without one stays whole.
PluginFolder FolderOfLibraryPath(const char* libraryPath);

// `folder` and `fileName` joined with one backslash; none if the result would
// not fit the platform's path limit.
std::optional<std::string> FileInFolder(const PluginFolder& folder, const char* fileName);

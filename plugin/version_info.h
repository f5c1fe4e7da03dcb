// The version and release texts, read afresh from the library's own version
// resource on every query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct VersionInfo {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t revision = 0;
  std::string releaseDate;

  // Reads the version resource of `module`'s file. Never fails: whatever
  // cannot be read keeps its initial value.
  static VersionInfo load(std::uintptr_t module);

  // " 1, 1, 0, 0" -> 1, 1, 0, 0; "1..2" -> 1, 2; "3rc1.0.7" -> 3, 0, 7.
  void setFileVersion(std::string_view text);

  // "major.minor.build"; the revision is not shown.
  std::string versionText() const;
};

#include "plugin/version_info.h"

#include "common/numbers.h"
#include "platform/platform.h"

#include <vector>

namespace {

constexpr const char* kFileVersionValue = "\\StringFileInfo\\000004b0\\FileVersion";
constexpr const char* kSpecialBuildValue = "\\StringFileInfo\\000004b0\\SpecialBuild";
// The path is read into a buffer one character short of the platform's
// limit, terminator included.
constexpr std::uint32_t kModuleNameSize = platform::kMaxPath - 1;

}  // namespace

VersionInfo VersionInfo::load(std::uintptr_t module) {
  VersionInfo info;
  const std::string path = platform::getModuleFileName(module, kModuleNameSize);

  const std::uint32_t size = platform::getFileVersionInfoSize(path.c_str());
  if (size == 0) return info;
  std::vector<unsigned char> data(size);
  if (!platform::getFileVersionInfo(path.c_str(), size, data.data())) return info;

  std::string text;
  if (platform::queryVersionString(data.data(), kFileVersionValue, text)) {
    info.setFileVersion(text);
  }
  if (platform::queryVersionString(data.data(), kSpecialBuildValue, text)) {
    info.releaseDate = text;
  }
  return info;
}

void VersionInfo::setFileVersion(std::string_view text) {
  std::uint32_t* const fields[] = {&major, &minor, &build, &revision};
  std::size_t next = 0;
  std::size_t start = 0;
  while (start < text.size() && next < 4) {
    const std::size_t end = text.find_first_of(",.", start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > start) {
      *fields[next++] = numbers::parseUInt32(text.substr(start, stop - start)).value_or(0);
    }
    start = stop + 1;
  }
}

std::string VersionInfo::versionText() const {
  return numbers::formatUInt32(major) + "." + numbers::formatUInt32(minor) + "." +
         numbers::formatUInt32(build);
}

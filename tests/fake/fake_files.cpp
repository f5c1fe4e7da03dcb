// Files as text, module file names, paths, the shell, the thread's last
// error, and version resources.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <algorithm>
#include <cstring>

namespace fake {

bool fileExists(const std::string& path) { return desktop().files.count(path) != 0; }

std::string fileText(const std::string& path) {
  const auto it = desktop().files.find(path);
  return it == desktop().files.end() ? std::string() : it->second;
}

void setFileText(const std::string& path, const std::string& text) { desktop().files[path] = text; }

void setFileReadOnly(const std::string& path, bool readOnly) {
  if (readOnly) {
    desktop().readOnlyFiles.insert(path);
  } else {
    desktop().readOnlyFiles.erase(path);
  }
}

void setModuleFileName(platform::ModuleHandle module, const std::string& path) {
  desktop().modules[module] = path;
}

const std::vector<std::string>& shellOpened() { return desktop().shellOpened; }
std::uint32_t lastError() { return desktop().lastError; }

void setVersionResource(const std::string& path, const std::map<std::string, std::string>& values) {
  desktop().versionResources[path] = values;
}

}  // namespace fake

namespace platform {

using fake::desktop;

constexpr std::uint32_t kErrorInsufficientBuffer = 122;

std::string getModuleFileName(ModuleHandle module, std::uint32_t size) {
  const fake::UncountedAllocations bookkeeping;
  const auto it = desktop().modules.find(module);
  const std::string path = it == desktop().modules.end() ? std::string() : it->second;
  // Windows counts UTF-16 units: a character beyond the basic plane takes
  // two, and one cut in half comes back as U+FFFD. Since Vista the last unit
  // of the buffer holds the terminator, also when the path does not fit.
  const std::uint32_t room = size == 0 ? 0 : size - 1;
  std::string copied;
  std::uint32_t units = 0;
  std::size_t at = 0;
  bool cut = size == 0;
  while (at < path.size()) {
    const auto lead = static_cast<unsigned char>(path[at]);
    const std::size_t bytes = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::uint32_t needed = bytes == 4 ? 2 : 1;
    if (units + needed > room) {
      if (units < room) copied += "\xEF\xBF\xBD";
      cut = true;
      break;
    }
    copied += path.substr(at, bytes);
    units += needed;
    at += bytes;
  }
  if (cut) desktop().lastError = kErrorInsufficientBuffer;
  return copied;
}

void pathRemoveFileSpec(std::string& path) {
  // The shell's rule: cut at the last backslash, but keep "C:\" and a
  // leading "\" or "\\" whole. Neither character occurs inside a UTF-8
  // sequence, so bytes serve as well as characters.
  std::size_t cut = 0;
  std::size_t at = 0;
  if (at < path.size() && path[at] == '\\') cut = ++at;
  if (at < path.size() && path[at] == '\\') cut = ++at;
  while (at < path.size()) {
    if (path[at] == '\\') {
      cut = at;
    } else if (path[at] == ':') {
      cut = ++at;
      if (at < path.size() && path[at] == '\\') ++cut;
      if (at == path.size()) break;
    }
    ++at;
  }
  path.resize(cut);
}

void shellOpen(const char* path) {
  const fake::UncountedAllocations bookkeeping;
  desktop().shellOpened.push_back(path);
}

void setLastError(std::uint32_t error) { desktop().lastError = error; }

std::uint32_t getFileVersionInfoSize(const char* path) {
  const auto it = desktop().versionResources.find(path);
  return it == desktop().versionResources.end() ? 0 : 1024;
}

bool getFileVersionInfo(const char* path, std::uint32_t size, void* data) {
  const auto it = desktop().versionResources.find(path);
  if (it == desktop().versionResources.end() || size < sizeof(void*)) return false;
  // The buffer carries which resource it holds.
  const void* resource = &it->second;
  std::memcpy(data, &resource, sizeof resource);
  return true;
}

bool queryVersionString(const void* data, const char* subBlock, std::string& value) {
  const void* resource = nullptr;
  std::memcpy(&resource, data, sizeof resource);
  const auto& values = *static_cast<const std::map<std::string, std::string>*>(resource);
  const auto it = values.find(subBlock);
  if (it == values.end()) return false;
  value = it->second;
  return true;
}

}  // namespace platform

// The path of a loaded module's file, as much of it as a buffer of `size`
// characters holds with its terminator.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>

// Windows XP fills a buffer that is too small without a terminator, newer
// systems keep the last character for it: one character less is asked for,
// so that every system gives the same path.
inline std::string ReadModuleFileName(platform::ModuleHandle module, std::uint32_t size) {
  if (size == 0) return std::string();
  return platform::getModuleFileName(module, size - 1);
}

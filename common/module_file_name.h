// The path of a loaded module's file, always terminated.
#pragma once

#include "platform/platform.h"

#include <cstdint>

// Windows XP leaves a path that fills the buffer unterminated: one character
// less is asked for, and the terminator is written here.
inline void ReadModuleFileName(platform::ModuleHandle module, char* buffer, std::uint32_t size) {
  if (size == 0) return;
  const std::uint32_t room = size - 1;
  const std::uint32_t copied = platform::getModuleFileName(module, buffer, room);
  buffer[copied < room ? copied : room] = '\0';
}

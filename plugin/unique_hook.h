// Move-only owner of one of our hooks: the hook is removed exactly once, by
// reset() or by the destructor, so "remove before destroy" cannot be skipped.
#pragma once

#include "platform/platform.h"

class UniqueHook {
 public:
  UniqueHook() = default;
  explicit UniqueHook(platform::HookHandle handle) : handle_(handle) {}
  UniqueHook(const UniqueHook&) = delete;
  UniqueHook& operator=(const UniqueHook&) = delete;
  UniqueHook(UniqueHook&& other) noexcept : handle_(other.release()) {}
  UniqueHook& operator=(UniqueHook&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHook() { reset(); }

  explicit operator bool() const { return handle_ != 0; }
  platform::HookHandle get() const { return handle_; }

  void reset(platform::HookHandle handle = 0) {
    if (handle_ != 0) platform::removeHook(handle_);
    handle_ = handle;
  }
  platform::HookHandle release() {
    const platform::HookHandle handle = handle_;
    handle_ = 0;
    return handle;
  }

 private:
  platform::HookHandle handle_ = 0;
};

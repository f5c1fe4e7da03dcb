// Move-only owner of a thread hook: the hook is removed exactly once, by
// reset() or by the destructor, so "remove before destroy" cannot be skipped.
#pragma once

#include "platform/platform.h"

class HookHandle {
 public:
  HookHandle() = default;
  explicit HookHandle(platform::HookHandle handle) : handle_(handle) {}
  HookHandle(const HookHandle&) = delete;
  HookHandle& operator=(const HookHandle&) = delete;
  HookHandle(HookHandle&& other) noexcept : handle_(other.release()) {}
  HookHandle& operator=(HookHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~HookHandle() { reset(); }

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

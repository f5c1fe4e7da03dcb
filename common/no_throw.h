// The host's process must never see one of our exceptions: every export and
// hook procedure runs its body through NoThrow.
#pragma once

#include <utility>

template <typename Result, typename Body>
Result NoThrow(Result fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
  }
}

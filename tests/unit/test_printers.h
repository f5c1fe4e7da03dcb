// Readable failure messages for the seam's plain types.
#pragma once

#include "platform/platform.h"

#include <ostream>

namespace platform {

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace platform

// Rectangles as arrays, so that a failed comparison prints readable numbers.
#pragma once

#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <vector>

namespace geometry_support {

// left, top, right, bottom
using Coords = std::array<std::int32_t, 4>;

inline Coords CoordsOf(const platform::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

inline std::vector<Coords> CoordsOf(const std::vector<platform::Rect>& rects) {
  std::vector<Coords> coords;
  for (const platform::Rect& r : rects) coords.push_back(CoordsOf(r));
  return coords;
}

}  // namespace geometry_support

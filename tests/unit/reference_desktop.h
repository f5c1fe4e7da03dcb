// The reference desktop the tests place windows on: M1 (0, 0, 1920, 1080),
// the primary, and M2 (1920, 0, 3200, 1024) right of it; the main window
// 800 x 400 at (560, 340) on M1. With the default options it goes to M2 at
// (2293, 322), 533 x 379: offset and size scaled by 1280/1920 and
// 1024/1080, rounded. Also the options the placement tests vary.
#pragma once

#include "platform/platform.h"
#include "settings/plugin_options.h"

#include <cstdint>

namespace reference_desktop {

constexpr platform::Rect kM1{0, 0, 1920, 1080};
constexpr platform::Rect kM2{1920, 0, 3200, 1024};
constexpr platform::Rect kHostStart{560, 340, 1360, 740};
// Where the default options take the main window from M1 to M2.
constexpr platform::Rect kHostOnM2{2293, 322, 2826, 701};
// Another window on M2, as a previous window or a placement's start.
constexpr platform::Rect kWindowOnM2{2100, 100, 2900, 500};

enum Flag : unsigned {
  kMoveRelative = 1u << 0,
  kResizeRelative = 1u << 1,
  kCenter = 1u << 2,
  kResizePercent = 1u << 3,
  kResizePercentV = 1u << 4,
};

// Every placement option off except the ones named; both percentages 80
// unless given.
inline PluginOptions OptionsWith(unsigned flags, std::int32_t percent = kDefaultPercent,
                                 std::int32_t percentV = kDefaultPercent) {
  PluginOptions options;
  options.moveRelative = (flags & kMoveRelative) != 0;
  options.resizeRelative = (flags & kResizeRelative) != 0;
  options.center = (flags & kCenter) != 0;
  options.resizePercent = (flags & kResizePercent) != 0;
  options.resizePercentV = (flags & kResizePercentV) != 0;
  options.resizePercentValue = percent;
  options.resizePercentValueV = percentV;
  return options;
}

}  // namespace reference_desktop

// Where the window was left on each monitor, kept in a section of the
// settings file of its own: one line per monitor, the monitor named by its
// rectangle on the desktop, the value the window's rectangle, both written
// left,top,right,bottom:
//
//   [PlacesPerMonitor]
//   0,0,1920,1080=1400,40,1900,440
//
// The lines stand in the order their places last changed, the most recent
// last; beyond kRememberedPlacesLimit the first ones go.
#pragma once

#include "platform/platform.h"
#include "settings/settings_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

constexpr const char* kPlacesSection = "PlacesPerMonitor";
constexpr std::size_t kRememberedPlacesLimit = 8;

// "1920,0,3200,1024" -> that rectangle; blanks around each number are
// allowed. None unless it is four whole 32-bit numbers with right > left and
// bottom > top.
std::optional<platform::Rect> RectOfText(std::string_view text);
std::string TextOfRect(const platform::Rect& rect);

// The place remembered for the monitor at `monitor`: the last line whose
// key and value both read as rectangles, the key as this one.
std::optional<platform::Rect> RememberedPlaceOf(const SettingsFile& settings,
                                                const platform::Rect& monitor);

// Remembers `window` for the monitor at `monitor`. The file is not written
// when that is its place already; otherwise every line of that monitor goes
// and a new one is added last, followed by dropping the first lines beyond
// the limit.
void RememberPlace(const SettingsFile& settings, const platform::Rect& monitor,
                   const platform::Rect& window);

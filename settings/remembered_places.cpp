#include "settings/remembered_places.h"

#include "common/numbers.h"

#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A whole number and nothing else: "12", " -7 "; not "+3", "1e3" or "".
std::optional<std::int32_t> WholeNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return numbers::parseInt32(text);
}

struct PlaceLine {
  std::string key;  // as the file holds it, to remove it by
  std::optional<platform::Rect> monitor;
  std::optional<platform::Rect> window;
};

std::vector<PlaceLine> ReadLines(const SettingsFile& settings) {
  std::vector<PlaceLine> lines;
  for (const std::string& text : settings.ReadSection(kPlacesSection)) {
    const std::size_t equals = text.find('=');
    PlaceLine line;
    line.key = text.substr(0, equals);
    line.monitor = RectOfText(line.key);
    if (equals != std::string::npos) {
      line.window = RectOfText(std::string_view(text).substr(equals + 1));
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::optional<platform::Rect> RectOfText(std::string_view text) {
  std::int32_t values[4] = {};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t comma = i < 3 ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<std::int32_t> value = WholeNumber(text.substr(0, comma));
    if (!value) return std::nullopt;
    values[i] = *value;
    text.remove_prefix(i < 3 ? comma + 1 : comma);
  }
  const platform::Rect rect{values[0], values[1], values[2], values[3]};
  if (rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
  return rect;
}

std::string TextOfRect(const platform::Rect& r) {
  return numbers::formatInt32(r.left) + "," + numbers::formatInt32(r.top) + "," +
         numbers::formatInt32(r.right) + "," + numbers::formatInt32(r.bottom);
}

std::optional<platform::Rect> RememberedPlaceOf(const SettingsFile& settings,
                                                const platform::Rect& monitor) {
  std::optional<platform::Rect> place;
  for (const PlaceLine& line : ReadLines(settings)) {
    if (line.monitor == monitor && line.window) place = line.window;
  }
  return place;
}

void RememberPlace(const SettingsFile& settings, const platform::Rect& monitor,
                   const platform::Rect& window) {
  // A line the next read would not take is never written.
  if (!RectOfText(TextOfRect(monitor)) || !RectOfText(TextOfRect(window))) return;
  const std::string key = TextOfRect(monitor);
  const std::vector<PlaceLine> lines = ReadLines(settings);
  std::vector<const PlaceLine*> others;
  std::vector<const PlaceLine*> own;
  for (const PlaceLine& line : lines) {
    // A line without a key cannot be removed by name; it counts for nothing.
    if (line.key.empty()) continue;
    (line.monitor == monitor ? own : others).push_back(&line);
  }
  if (own.size() == 1 && own.front()->key == key && own.front()->window == window) return;
  for (const PlaceLine* line : own) settings.DeleteKey(kPlacesSection, line->key.c_str());
  settings.WriteString(kPlacesSection, key.c_str(), TextOfRect(window));
  // Removing by name takes the first line of that name, so the oldest go
  // first even where a name repeats.
  for (std::size_t i = 0; i + kRememberedPlacesLimit < others.size() + 1; ++i) {
    settings.DeleteKey(kPlacesSection, others[i]->key.c_str());
  }
}

// Any text as the settings file: PluginOptions::load and the typed reads of
// SettingsFile through the fake's profile functions, and a write read back.
// Flags must come out as plain true or false, matching a non-zero number;
// percentages within the dialog's range. Then a window's place remembered
// for a monitor: read back as it was remembered, not written again when
// unchanged, and never more places kept than the limit.
//
// Input: read fallback (1 byte), a value to write (int32), the setting it
// goes to (1 byte), a monitor's and a window's rectangle (4 int32 each), a
// key up to '\n', the rest the file's text.
#include "settings/plugin_options.h"
#include "settings/remembered_places.h"
#include "settings/settings_file.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* kDirectory = "C:\\Plugins\\MultiMonitor";

bool IsPlainBool(const bool& value) {
  unsigned char representation = 0;
  std::memcpy(&representation, &value, 1);
  return representation <= 1;
}

// Every field as the typed reads give its key.
void CheckLoaded(const PluginOptions& options, const SettingsFile& settings) {
  for (const OptionEntry& entry : kOptionTable) {
    const std::int32_t number = settings.ReadInt(entry.key, entry.defaultValue);
    if (entry.flag != nullptr) {
      FUZZ_CHECK(IsPlainBool(options.*entry.flag));
      FUZZ_CHECK(options.*entry.flag == (number != 0));
    } else {
      FUZZ_CHECK(options.*entry.number == (entry.percent ? PercentInRange(number) : number));
      if (entry.percent) {
        FUZZ_CHECK(options.*entry.number >= kLowestPercent &&
                   options.*entry.number <= kHighestPercent);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const bool fallback = (input.byte() & 1) != 0;
  const auto value = input.number<std::int32_t>();
  const OptionEntry& written = kOptionTable[input.byte() % kOptionCount];
  const platform::Rect monitor = ReadRect(input);
  const platform::Rect window = ReadRect(input);
  const std::string key = input.line();
  const std::string text = input.rest();

  fake::reset();
  const SettingsFile settings{PluginDirectory(kDirectory)};
  fake::setFileText(settings.Path(), text);

  PluginOptions options;
  options.Load(settings);
  CheckLoaded(options, settings);

  const bool flag = settings.ReadBool(key.c_str(), fallback);
  FUZZ_CHECK(IsPlainBool(flag));
  FUZZ_CHECK(flag == (settings.ReadInt(key.c_str(), fallback ? 1 : 0) != 0));

  settings.WriteInt(written.key, value);
  FUZZ_CHECK(settings.ReadInt(written.key, value ^ 1) == value);
  options.Load(settings);
  CheckLoaded(options, settings);

  const std::optional<platform::Rect> readable = RectOfText(TextOfRect(window));
  FUZZ_CHECK(!readable || *readable == window);
  const int writesBefore = fake::calls().writeProfileString;
  RememberPlace(settings, monitor, window);
  const fake::CallCounts once = fake::calls();
  RememberPlace(settings, monitor, window);
  FUZZ_CHECK(fake::calls().writeProfileString == once.writeProfileString);
  FUZZ_CHECK(fake::calls().deleteProfileKey == once.deleteProfileKey);
  if (readable && RectOfText(TextOfRect(monitor))) {
    FUZZ_CHECK(RememberedPlaceOf(settings, monitor) == window);
    std::size_t places = 0;
    for (const std::string& line : settings.ReadSection(kPlacesSection)) {
      if (line.find('=') != 0) ++places;
    }
    // A section the user made longer stays so until a place changes.
    FUZZ_CHECK(places <= kRememberedPlacesLimit || once.writeProfileString == writesBefore);
  }
  return 0;
}

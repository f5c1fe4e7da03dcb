// The copies into host buffers (CopyAnswer, CopyBounded, PluginFunc_GetStrVal)
// with any text, key and limit. The destination is followed by guard bytes, so
// a write past the limit shows even where it stays inside the allocation.
//
// Input: key choice (1 byte), limit (int32), text up to '\n', the rest a key.
#include "plugin/descriptive_texts.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "plugin/texts.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr platform::ModuleHandle kModule = 0x10000000;
constexpr const char* kLibraryPath = "C:\\Plugins\\MultiMonitor\\VeskMultiMonitor.dll";
constexpr const char* kReleaseDate = "10. May 2009";
constexpr std::int32_t kLargestLimit = 4096;
constexpr std::size_t kGuardSize = 16;
constexpr unsigned char kGuard = 0xA5;
constexpr unsigned char kUnwritten = 0x5A;

class Destination {
 public:
  explicit Destination(std::int32_t limit)
      : size_(limit > 0 ? static_cast<std::size_t>(limit) : 0), bytes_(size_ + kGuardSize, kGuard) {
    std::fill_n(bytes_.begin(), size_, kUnwritten);
  }

  char* data() { return reinterpret_cast<char*>(bytes_.data()); }
  bool startsWith(const char* text, std::size_t length) const {
    return std::memcmp(bytes_.data(), text, length) == 0;
  }
  bool all(std::size_t from, std::size_t to, unsigned char value) const {
    return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(to),
                       [&](unsigned char b) { return b == value; });
  }
  // The copy rules say nothing is written at or beyond the limit.
  bool guardsIntact() const { return all(size_, bytes_.size(), kGuard); }
  bool untouched() const { return all(0, size_, kUnwritten) && guardsIntact(); }

 private:
  std::size_t size_;
  std::vector<unsigned char> bytes_;
};

// At most limit - 1 bytes of the text, its terminator right after them, and
// nothing else written.
void CheckAnswerCopy(const Destination& destination, const std::string& text, std::int32_t limit) {
  const std::size_t room = static_cast<std::size_t>(limit) - 1;
  const std::size_t copied = std::min(text.size(), room);
  FUZZ_CHECK(destination.startsWith(text.data(), copied));
  FUZZ_CHECK(destination.all(copied, copied + 1, 0));
  FUZZ_CHECK(destination.all(copied + 1, room + 1, kUnwritten));
  FUZZ_CHECK(destination.guardsIntact());
}

std::optional<std::string> ExpectedAnswer(const char* key) {
  if (key == nullptr) return std::nullopt;
  if (std::strcmp(key, "versionstring") == 0) return std::string("1.2.3");
  if (std::strcmp(key, "releasedatestring") == 0) return std::string(kReleaseDate);
  for (const FixedText& text : kFixedTexts) {
    if (std::strcmp(key, text.key) == 0) return std::string(text.value);
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pluginState.moduleHandle = kModule;
  fake::setModuleFileName(kModule, kLibraryPath);
  fake::setVersionResource(kLibraryPath,
                           {{"\\StringFileInfo\\000004b0\\FileVersion", "1, 2, 3, 4"},
                            {"\\StringFileInfo\\000004b0\\SpecialBuild", kReleaseDate}});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t keyChoice = input.byte();
  std::int32_t limit = input.number<std::int32_t>();
  // The destination must really hold `limit` bytes: larger limits fold back.
  if (limit > kLargestLimit) limit = 1 + limit % kLargestLimit;
  const std::string text = input.line();
  const std::string rawKey = input.rest();

  if (limit >= 1) {
    Destination answer(limit);
    CopyAnswer(text, answer.data(), limit);
    CheckAnswerCopy(answer, text, limit);
  }

  {
    // Up to the terminator, zero padding up to the limit, unterminated when
    // the text fills it.
    Destination bounded(limit);
    CopyBounded(text.c_str(), bounded.data(), limit);
    if (limit <= 0) {
      FUZZ_CHECK(bounded.untouched());
    } else {
      const std::size_t copied =
          std::min(std::strlen(text.c_str()), static_cast<std::size_t>(limit));
      FUZZ_CHECK(bounded.startsWith(text.c_str(), copied));
      FUZZ_CHECK(bounded.all(copied, static_cast<std::size_t>(limit), 0));
      FUZZ_CHECK(bounded.guardsIntact());
    }
  }

  constexpr std::size_t kTableKeys = sizeof kFixedTexts / sizeof kFixedTexts[0];
  const char* key = rawKey.c_str();
  if (keyChoice < kTableKeys) key = kFixedTexts[keyChoice].key;
  if (keyChoice == kTableKeys) key = "versionstring";
  if (keyChoice == kTableKeys + 1) key = "releasedatestring";
  if (keyChoice == kTableKeys + 2) key = nullptr;
  const bool noDestination = keyChoice == kTableKeys + 3;

  Destination destination(limit);
  const std::int32_t answered =
      PluginFunc_GetStrVal(key, noDestination ? nullptr : destination.data(), limit);
  const std::optional<std::string> expected = ExpectedAnswer(key);
  if (expected && !noDestination && limit >= 1) {
    FUZZ_CHECK(answered == 1);
    CheckAnswerCopy(destination, *expected, limit);
  } else {
    FUZZ_CHECK(answered == 0);
    FUZZ_CHECK(destination.untouched());
  }
  return 0;
}

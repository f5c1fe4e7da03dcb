// The "FileVersion" text: VersionInfo::setFileVersion and versionText for any
// text, and VersionInfo::load through the fake's version resource, with
// module paths on both sides of the longest one the reader takes.
//
// Input: flags (1 byte), path length - 100 (1 byte), the FileVersion text up
// to '\n', the rest the SpecialBuild text.
#include "plugin/version_info.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>

namespace {

constexpr platform::ModuleHandle kModule = 0x10000000;
constexpr const char* kFileVersion = "\\StringFileInfo\\000004b0\\FileVersion";
constexpr const char* kSpecialBuild = "\\StringFileInfo\\000004b0\\SpecialBuild";
// The reader's buffer is kMaxPath - 1 characters with its terminator.
constexpr std::size_t kLongestReadablePath = platform::kMaxPath - 2;

enum Flags : std::uint8_t {
  kHasFileVersion = 1,
  kHasSpecialBuild = 2,
  kHasResource = 4,
  kPrefilled = 8,
};

// An unsigned stream read: blanks, a sign, digits. No digits, a negative
// value or one beyond 32 bits reads as 0.
std::uint32_t FieldValue(std::string_view piece) {
  constexpr std::string_view kBlanks(" \t\n\v\f\r", 6);
  std::size_t at = 0;
  while (at < piece.size() && kBlanks.find(piece[at]) != std::string_view::npos) ++at;
  const bool negative = at < piece.size() && piece[at] == '-';
  if (at < piece.size() && (piece[at] == '-' || piece[at] == '+')) ++at;
  std::uint64_t magnitude = 0;
  for (; at < piece.size() && piece[at] >= '0' && piece[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(piece[at] - '0');
    if (magnitude > std::numeric_limits<std::uint32_t>::max()) return 0;
  }
  if (negative && magnitude != 0) return 0;
  return static_cast<std::uint32_t>(magnitude);
}

// The non-empty pieces between commas and full stops fill the fields in
// turn; fields without a piece keep their value.
VersionInfo Expected(const VersionInfo& before, std::string_view text) {
  VersionInfo info = before;
  std::uint32_t* const fields[] = {&info.major, &info.minor, &info.build, &info.revision};
  std::size_t filled = 0;
  std::string piece;
  for (std::size_t i = 0; i <= text.size() && filled < 4; ++i) {
    if (i < text.size() && text[i] != ',' && text[i] != '.') {
      piece += text[i];
    } else if (!piece.empty()) {
      *fields[filled++] = FieldValue(piece);
      piece.clear();
    }
  }
  return info;
}

bool SameVersion(const VersionInfo& a, const VersionInfo& b) {
  return a.major == b.major && a.minor == b.minor && a.build == b.build &&
         a.revision == b.revision && a.releaseDate == b.releaseDate;
}

std::string TextOf(const VersionInfo& info) {
  return std::to_string(info.major) + "." + std::to_string(info.minor) + "." +
         std::to_string(info.build);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t flags = input.byte();
  const std::size_t pathLength = 100 + std::size_t{input.byte()};
  const std::string fileVersion = input.line();
  const std::string specialBuild = input.rest();

  VersionInfo set;
  if ((flags & kPrefilled) != 0) set = VersionInfo{7, 8, 9, 10, "kept"};
  const VersionInfo before = set;
  set.setFileVersion(fileVersion);
  FUZZ_CHECK(SameVersion(set, Expected(before, fileVersion)));
  FUZZ_CHECK(set.versionText() == TextOf(set));

  fake::reset();
  const std::string path = "C:\\Plugins\\" + std::string(pathLength - 11, 'v');
  fake::setModuleFileName(kModule, path);
  std::map<std::string, std::string> values;
  if ((flags & kHasFileVersion) != 0) values[kFileVersion] = fileVersion;
  if ((flags & kHasSpecialBuild) != 0) values[kSpecialBuild] = specialBuild;
  if ((flags & kHasResource) != 0) fake::setVersionResource(path, values);

  VersionInfo expected;
  if ((flags & kHasResource) != 0 && path.size() <= kLongestReadablePath) {
    if ((flags & kHasFileVersion) != 0) expected = Expected(VersionInfo{}, fileVersion);
    if ((flags & kHasSpecialBuild) != 0) expected.releaseDate = specialBuild;
  }
  FUZZ_CHECK(SameVersion(VersionInfo::load(kModule), expected));
  return 0;
}

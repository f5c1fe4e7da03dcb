// The profile functions, reading and writing the fake's files (fake_files.cpp).
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <algorithm>
#include <cctype>

namespace fake {
namespace {

// Profile files as Wine's profile functions see them: the text is parsed
// into sections of keys, looked up case-insensitively, and written back whole.
struct IniKey {
  std::string name;
  bool hasValue = false;  // a line without '=' is a key without a value
  std::string value;
};

struct IniSection {
  std::string name;  // "" for the lines before the first header
  std::vector<IniKey> keys;
};

bool isIniSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

std::string trimIni(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isIniSpace(text[begin])) ++begin;
  while (end > begin && isIniSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Wine keeps names and values as wide C strings: a zero byte ends them, and
// what is left is trimmed as a whole name would be, so that a file written
// back reads the same.
std::string untilNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// Lines end at '\n' (or at '\r' where no '\n' follows); blank lines are
// dropped; "[name]" opens a section, trimmed, up to the last ']'; anything
// else is a key, with blanks around '=' removed.
std::vector<IniSection> parseIni(const std::string& text) {
  std::vector<IniSection> sections(1);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.find('\r', start);
    stop = stop == std::string::npos ? text.size() : stop + 1;
    const std::string line = trimIni(text.substr(start, stop - start));
    start = stop;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos && close > 0) {
        sections.push_back(IniSection{trimIni(untilNul(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    IniKey key;
    const std::size_t equals = line.find('=');
    key.name = trimIni(untilNul(line.substr(0, equals)));
    if (equals != std::string::npos) {
      key.hasValue = true;
      key.value = trimIni(untilNul(line.substr(equals + 1)));
    }
    // A nameless key right after another nameless one is dropped.
    std::vector<IniKey>& keys = sections.back().keys;
    if (key.name.empty() && !keys.empty() && keys.back().name.empty()) continue;
    keys.push_back(key);
  }
  return sections;
}

std::string formatIni(const std::vector<IniSection>& sections) {
  std::string text;
  for (const IniSection& section : sections) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    for (const IniKey& key : section.keys) {
      text += key.name;
      if (key.hasValue) text += "=" + key.value;
      text += "\r\n";
    }
  }
  return text;
}

// Only the first section of that name is searched.
IniSection* findIniSection(std::vector<IniSection>& sections, const std::string& name) {
  const std::string wanted = trimIni(name);
  for (IniSection& section : sections) {
    if (equalsIgnoringCase(section.name, wanted)) return &section;
  }
  return nullptr;
}

IniKey* findIniKey(IniSection& section, const std::string& name) {
  const std::string wanted = trimIni(name);
  for (IniKey& key : section.keys) {
    if (equalsIgnoringCase(key.name, wanted)) return &key;
  }
  return nullptr;
}

// What GetPrivateProfileStringA copies into a 30-character buffer: one pair
// of enclosing quotes is removed.
std::string profileValueText(const std::string& value) {
  std::string text = value;
  bool quoted = false;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text.erase(0, 1);
    quoted = true;
  }
  const std::size_t room = 29;
  if (text.size() > room) {
    text.resize(room);
  } else if (quoted) {
    text.pop_back();
  }
  return text;
}

// The ntdll string-to-integer rule with base 0: blanks, a sign, "0x", "0o" or
// "0b" (lower case), then digits up to the first other character, wrapping at
// 32 bits. "-0x10" -> -16, "12abc" -> 12, "true" -> 0.
std::uint32_t parseProfileNumber(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::uint32_t base = 10;
  if (text.size() - at >= 2 && text[at] == '0') {
    const char prefix = text[at + 1];
    base = prefix == 'b' ? 2 : prefix == 'o' ? 8 : prefix == 'x' ? 16 : 10;
    if (base != 10) at += 2;
  }
  std::uint32_t total = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    std::uint32_t digit = 36;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'z') digit = static_cast<std::uint32_t>(c - 'a') + 10;
    if (c >= 'A' && c <= 'Z') digit = static_cast<std::uint32_t>(c - 'A') + 10;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

}  // namespace
}  // namespace fake

namespace platform {

using fake::desktop;

std::int32_t getProfileInt(const char* section, const char* key, std::int32_t fallback,
                           const char* path) {
  // The platform keeps profile files outside our heap.
  const fake::UncountedAllocations bookkeeping;
  ++desktop().calls.getProfileInt;
  const auto file = desktop().files.find(path);
  if (file == desktop().files.end()) return fallback;
  std::vector<fake::IniSection> sections = fake::parseIni(file->second);
  fake::IniSection* found = fake::findIniSection(sections, section);
  const fake::IniKey* entry = found != nullptr ? fake::findIniKey(*found, key) : nullptr;
  if (entry == nullptr || !entry->hasValue) return fallback;
  const std::string text = fake::profileValueText(entry->value);
  if (text.empty()) return fallback;
  const std::uint32_t bits = fake::parseProfileNumber(text);
  return static_cast<std::int32_t>(bits <= 0x7FFFFFFFu ? std::int64_t{bits}
                                                       : std::int64_t{bits} - 0x100000000LL);
}

void writeProfileString(const char* section, const char* key, const char* value, const char* path) {
  const fake::UncountedAllocations bookkeeping;
  ++desktop().calls.writeProfileString;
  if (desktop().readOnlyFiles.count(path) != 0) return;
  const auto file = desktop().files.find(path);
  std::vector<fake::IniSection> sections;
  if (file != desktop().files.end()) sections = fake::parseIni(file->second);
  fake::IniSection* found = fake::findIniSection(sections, section);
  if (found == nullptr) {
    sections.push_back(fake::IniSection{section, {}});
    found = &sections.back();
  }
  fake::IniKey* entry = fake::findIniKey(*found, key);
  if (entry == nullptr) {
    found->keys.push_back(fake::IniKey{key, false, ""});
    entry = &found->keys.back();
  }
  // Leading blanks of the value are not stored.
  std::string text = value;
  std::size_t blanks = 0;
  while (blanks < text.size() && fake::isIniSpace(text[blanks])) ++blanks;
  text.erase(0, blanks);
  // The same value again changes nothing, and the file is not rewritten.
  if (entry->hasValue && entry->value == text) return;
  entry->hasValue = true;
  entry->value = text;
  desktop().files[path] = fake::formatIni(sections);
}

std::vector<std::string> getProfileSection(const char* section, const char* path) {
  const fake::UncountedAllocations bookkeeping;
  ++desktop().calls.getProfileSection;
  std::vector<std::string> lines;
  const auto file = desktop().files.find(path);
  if (file == desktop().files.end()) return lines;
  std::vector<fake::IniSection> sections = fake::parseIni(file->second);
  const fake::IniSection* found = fake::findIniSection(sections, section);
  if (found == nullptr) return lines;
  for (const fake::IniKey& key : found->keys) {
    if (key.name.empty() && !key.hasValue) continue;
    if (!key.name.empty() && key.name.front() == ';') continue;
    lines.push_back(key.hasValue ? key.name + "=" + key.value : key.name);
  }
  return lines;
}

void deleteProfileKey(const char* section, const char* key, const char* path) {
  const fake::UncountedAllocations bookkeeping;
  ++desktop().calls.deleteProfileKey;
  if (desktop().readOnlyFiles.count(path) != 0) return;
  const auto file = desktop().files.find(path);
  if (file == desktop().files.end()) return;
  std::vector<fake::IniSection> sections = fake::parseIni(file->second);
  // Unlike a lookup, every section of that name is searched, in file order.
  for (fake::IniSection& candidate : sections) {
    if (!fake::equalsIgnoringCase(candidate.name, section)) continue;
    for (auto it = candidate.keys.begin(); it != candidate.keys.end(); ++it) {
      if (!fake::equalsIgnoringCase(it->name, key)) continue;
      candidate.keys.erase(it);
      desktop().files[path] = fake::formatIni(sections);
      return;
    }
  }
}

}  // namespace platform

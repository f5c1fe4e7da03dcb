// The version resource of the real DLL, read as Windows programs read it.
//   version-resource  the fixed part and the string table of the DLL
#include "tests/e2e/vesk_host.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// One node of a version resource: wLength, wValueLength, wType, key, value,
// children, each part aligned to 4 bytes.
struct VersionNode {
  std::wstring key;
  const BYTE* value = nullptr;
  WORD valueLength = 0;  // in characters for text, in bytes otherwise
  WORD type = 0;         // 1 text, 0 binary
  std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

bool ParseNode(const BYTE* base, std::size_t offset, std::size_t end, VersionNode& node,
               std::size_t& next) {
  if (offset + 6 > end) return false;
  WORD length = 0;
  std::memcpy(&length, base + offset, 2);
  std::memcpy(&node.valueLength, base + offset + 2, 2);
  std::memcpy(&node.type, base + offset + 4, 2);
  if (length < 6 || offset + length > end) return false;
  const std::size_t nodeEnd = offset + length;
  std::size_t at = offset + 6;
  while (true) {
    if (at + 2 > nodeEnd) return false;
    wchar_t c = 0;
    std::memcpy(&c, base + at, 2);
    at += 2;
    if (c == 0) break;
    node.key += c;
  }
  at = Align4(at);
  const std::size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
  if (at + valueBytes > nodeEnd) return false;
  node.value = base + at;
  at = Align4(at + valueBytes);
  while (at < nodeEnd) {
    VersionNode child;
    std::size_t after = 0;
    if (!ParseNode(base, at, nodeEnd, child, after)) return false;
    node.children.push_back(std::move(child));
    at = Align4(after);
  }
  next = nodeEnd;
  return true;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

void VersionResourceScenario(HostContext& context) {
  Report& report = context.report;
  const std::wstring path = Wide(context.dllPath);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (!report.check(size > 0, "the DLL has a version resource")) return;
  std::vector<BYTE> data(size);
  if (!report.check(GetFileVersionInfoW(path.c_str(), 0, size, data.data()) != 0,
                    "GetFileVersionInfoW reads it")) {
    return;
  }

  // The fixed part.
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (report.check(
          VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) != 0 &&
              fixedSize >= sizeof(VS_FIXEDFILEINFO),
          "VS_FIXEDFILEINFO")) {
    struct Field {
      const char* name;
      DWORD actual;
      DWORD expected;
    };
    const Field fields[] = {
        {"dwSignature", fixed->dwSignature, 0xFEEF04BD},
        {"dwFileVersionMS (1.1)", fixed->dwFileVersionMS, 0x00010001},
        {"dwFileVersionLS (0.0)", fixed->dwFileVersionLS, 0x00000000},
        {"dwProductVersionMS (1.1)", fixed->dwProductVersionMS, 0x00010001},
        {"dwProductVersionLS (0.0)", fixed->dwProductVersionLS, 0x00000000},
        {"dwFileFlagsMask", fixed->dwFileFlagsMask, 0x3F},
        {"dwFileFlags VS_FF_SPECIALBUILD", fixed->dwFileFlags, VS_FF_SPECIALBUILD},
        {"dwFileOS VOS__WINDOWS32", fixed->dwFileOS, VOS__WINDOWS32},
        {"dwFileType VFT_DLL", fixed->dwFileType, VFT_DLL},
        {"dwFileSubtype", fixed->dwFileSubtype, 0},
    };
    for (const Field& field : fields) {
      report.check(
          field.actual == field.expected, std::string("fixed part ") + field.name,
          "got " + std::to_string(field.actual) + ", want " + std::to_string(field.expected));
    }
  }

  // The string table through the API, and the recorded lengths.
  struct Value {
    const char* name;
    const char* text;
  };
  const Value values[] = {
      {"FileVersion", "1.1.0"},
      {"SpecialBuild", "10. May 2009"},
      {"ProductVersion", "1.1.0"},
      {"FileDescription", "VESK Multi Monitor Plugin"},
      {"ProductName", "VESK Multi Monitor Plugin"},
      {"InternalName", "VeskMultiMonitor.dll"},
      {"OriginalFilename", "VeskMultiMonitor.dll"},
  };
  for (const Value& value : values) {
    const std::string query = std::string("\\StringFileInfo\\000004b0\\") + value.name;
    char* text = nullptr;
    UINT length = 0;
    if (report.check(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text),
                                    &length) != 0,
                     std::string("VerQueryValueA ") + query)) {
      report.checkText(text, value.text, std::string(value.name) + " text");
    }
  }
  const WORD* translation = nullptr;
  UINT translationSize = 0;
  if (report.check(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                  reinterpret_cast<void**>(const_cast<WORD**>(&translation)),
                                  &translationSize) != 0 &&
                       translationSize == 4,
                   "one translation pair", std::to_string(translationSize) + " bytes")) {
    report.check(translation[0] == 0x0000 && translation[1] == 0x04b0, "translation 0x0000, 0x04b0",
                 std::to_string(translation[0]) + ", " + std::to_string(translation[1]));
  }

  // The raw tree: one string table, exactly the seven values in this order,
  // each UTF-16 with its terminator counted.
  VersionNode root;
  std::size_t end = 0;
  if (!report.check(ParseNode(data.data(), 0, size, root, end) && root.key == L"VS_VERSION_INFO",
                    "the version resource parses as a VS_VERSION_INFO tree")) {
    return;
  }
  const VersionNode* strings = nullptr;
  for (const VersionNode& child : root.children) {
    if (child.key == L"StringFileInfo") strings = &child;
  }
  if (!report.check(strings != nullptr, "it has a StringFileInfo")) return;
  std::string blocks;
  for (const VersionNode& block : strings->children) blocks += " " + Narrow(block.key);
  if (!report.check(strings->children.size() == 1 && strings->children[0].key == L"000004b0",
                    "its only string table is 000004b0", "blocks:" + blocks)) {
    return;
  }
  const VersionNode& table = strings->children[0];
  std::string names;
  for (const VersionNode& entry : table.children) names += " " + Narrow(entry.key);
  bool sameNames = table.children.size() == sizeof values / sizeof values[0];
  for (std::size_t i = 0; sameNames && i < table.children.size(); ++i) {
    sameNames = Narrow(table.children[i].key) == values[i].name;
  }
  report.check(sameNames, "the string table holds the seven values in order", "got" + names);
  for (const VersionNode& entry : table.children) {
    const std::string name = Narrow(entry.key);
    std::wstring text;
    for (WORD i = 0; i < entry.valueLength; ++i) {
      wchar_t c = 0;
      std::memcpy(&c, entry.value + 2 * i, 2);
      text += c;
    }
    report.check(
        entry.type == 1 && !text.empty() && text.back() == L'\0' &&
            text.find(L'\0') == text.size() - 1,
        name + " is UTF-16 text whose length counts its terminator",
        "type " + std::to_string(entry.type) + ", length " + std::to_string(entry.valueLength));
  }
}

const ScenarioRegistration kVersionResource("version-resource", &VersionResourceScenario);

}  // namespace

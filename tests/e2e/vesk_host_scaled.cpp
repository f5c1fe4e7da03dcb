// The plugin under display scaling as Windows shows it to a host that is not
// DPI-aware: the display settings in physical pixels, 3/2 of the logical ones
// that windows, moves, the pointer and the monitor info use. Wine never
// scales, so the host makes the DLL's own calls of EnumDisplaySettingsA
// answer in physical pixels by replacing that import in the DLL's import
// address table. Scenario:
//   tracking-scaled  with the replacement in place, the show with the previous
//                    window on M2, Win+Right, the mouse case and Win+Home land
//                    where they land without scaling
#include "tests/e2e/vesk_host_tracking.h"

#include <cstring>

namespace tracking {
namespace {

constexpr LONG kPhysicalNumerator = 3;
constexpr LONG kPhysicalDenominator = 2;

LONG Physical(LONG logical) { return logical * kPhysicalNumerator / kPhysicalDenominator; }

int physicalCalls = 0;

BOOL WINAPI PhysicalEnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* record) {
  ++physicalCalls;
  const BOOL result = EnumDisplaySettingsA(device, mode, record);
  if (result && record != nullptr) {
    record->dmPosition.x = Physical(record->dmPosition.x);
    record->dmPosition.y = Physical(record->dmPosition.y);
    record->dmPelsWidth = static_cast<DWORD>(Physical(static_cast<LONG>(record->dmPelsWidth)));
    record->dmPelsHeight = static_cast<DWORD>(Physical(static_cast<LONG>(record->dmPelsHeight)));
  }
  return result;
}

// The import address table slot through which `module` calls `function` of
// `library`, found by the name in the import name table; null when the
// module imports no such function by name.
void** ImportSlot(HMODULE module, const char* library, const char* function) {
  auto* const base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* descriptor =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0) continue;
    // Without the name table, the bound addresses alone name nothing.
    if (descriptor->OriginalFirstThunk == 0) continue;
    const auto* names =
        reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

// Writes `value` into a slot of a table the loader may have made read-only;
// answers what the slot held, or null when it could not be written.
void* WriteSlot(void** slot, void* value) {
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return nullptr;
  void* const before = *slot;
  *slot = value;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return before;
}

// The replacement for the time of a scenario, so that the scenarios after it
// in the same run see the real function again.
class ScaledDisplaySettings {
 public:
  explicit ScaledDisplaySettings(HMODULE module)
      : slot_(module == nullptr ? nullptr
                                : ImportSlot(module, "user32.dll", "EnumDisplaySettingsA")) {
    if (slot_ != nullptr) {
      original_ = WriteSlot(slot_, reinterpret_cast<void*>(&PhysicalEnumDisplaySettingsA));
    }
  }
  ScaledDisplaySettings(const ScaledDisplaySettings&) = delete;
  ScaledDisplaySettings& operator=(const ScaledDisplaySettings&) = delete;
  ~ScaledDisplaySettings() {
    if (original_ != nullptr) WriteSlot(slot_, original_);
  }

  bool found() const { return slot_ != nullptr; }
  bool replaced() const {
    return slot_ != nullptr && original_ != nullptr &&
           *slot_ == reinterpret_cast<void*>(&PhysicalEnumDisplaySettingsA);
  }
  // Calls through the DLL's slot, as the DLL does.
  BOOL callAsTheDll(LPCSTR device, DEVMODEA* record) const {
    const auto function = reinterpret_cast<decltype(&PhysicalEnumDisplaySettingsA)>(*slot_);
    return function(device, ENUM_CURRENT_SETTINGS, record);
  }

 private:
  void** slot_;
  void* original_ = nullptr;
};

void ScaledScenario(HostContext& context) {
  Report& report = context.report;
  const ScaledDisplaySettings scaled(GetModuleHandleA(context.dllPath.c_str()));
  if (!report.check(scaled.found(), "the DLL imports EnumDisplaySettingsA from user32.dll") ||
      !report.check(scaled.replaced(), "the DLL's import now calls the host's replacement")) {
    return;
  }
  // The premise: through the DLL's import, M2 reads as physical pixels,
  // (1920, 0) 1280x1024 times 3/2.
  DEVMODEA record = {};
  record.dmSize = sizeof record;
  const BOOL read = scaled.callAsTheDll("\\\\.\\DISPLAY2", &record);
  report.check(read && record.dmPosition.x == 2880 && record.dmPosition.y == 0 &&
                   record.dmPelsWidth == 1920 && record.dmPelsHeight == 1536,
               "the DLL's import reads M2 as (2880, 0) 1920x1536",
               "got (" + std::to_string(record.dmPosition.x) + ", " +
                   std::to_string(record.dmPosition.y) + ") " + std::to_string(record.dmPelsWidth) +
                   "x" + std::to_string(record.dmPelsHeight));
  physicalCalls = 0;

  // The expectations of tracking-show and tracking-mouse, default options:
  RunShowCases(context, {
                            {"previous window on M2",
                             {},
                             kMainStart,
                             kPreviousOnM2,
                             kPointerBelowM2,
                             kOnM2,
                             // M2 is the last monitor, so Next wraps to M1: (373 * 1.5,
                             // 322 * 1080/1024), (533 * 1.5, 379 * 1080/1024), rounded: back
                             // where the window started.
                             {{"Win+Right", {VK_LWIN}, VK_RIGHT, kMainStart}}},
                            {"no previous window, the pointer on M2",
                             {},
                             kMainStart,
                             std::nullopt,
                             kPointerBelowM2,
                             kOnM2,
                             // From off centre on M2, size kept: (1920 + (1280 - 533) / 2,
                             // (1024 - 379) / 2).
                             {{"Win+Home", {VK_LWIN}, VK_HOME, kOnM2, RECT{2000, 40, 2533, 419}}}},
                        });
  report.note("the DLL read the display settings " + std::to_string(physicalCalls) +
              " times during the steps");
}

const ScenarioRegistration kScaled("tracking-scaled", &ScaledScenario);

}  // namespace
}  // namespace tracking

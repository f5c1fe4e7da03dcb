#include "tracking/hotkeys.h"

#include "monitors/monitor_list.h"
#include "monitors/placement.h"
#include "tracking/main_window_controller.h"

#include <optional>

namespace {

constexpr std::uint32_t kFirstDigit = 0x30;  // '0'
constexpr std::uint32_t kLastDigit = 0x39;   // '9'

// The keystroke being decided has not reached any thread yet, so no thread's
// key state knows the modifiers held with it; the physical state does.
bool IsDown(int virtualKey) { return platform::getAsyncKeyState(virtualKey) < 0; }

// '0' -> 100, '1' -> 10 ... '9' -> 90.
std::int32_t PercentOfDigit(std::uint32_t virtualKey) {
  const auto digit = static_cast<std::int32_t>(virtualKey - kFirstDigit);
  return digit == 0 ? 100 : digit * 10;
}

void ResizeByHotkey(MainWindowController& controller, std::uint32_t virtualKey, bool shift) {
  const std::int32_t percent = PercentOfDigit(virtualKey);
  if (shift) {
    controller.options.resizePercentValueV = percent;
    controller.settings.WriteInt(kKeyResizePercentValueV, percent);
    MoveToMonitor(controller, MonitorStep::Same, 0, percent);
  } else {
    controller.options.resizePercentValue = percent;
    // The loader reads the width from ResizePercentValue; writing only the H
    // key would lose the choice at the next reload.
    controller.settings.WriteInt(kKeyResizePercentValueH, percent);
    controller.settings.WriteInt(kKeyResizePercentValue, percent);
    MoveToMonitor(controller, MonitorStep::Same, percent, 0);
  }
}

}  // namespace

bool HandleHotkey(MainWindowController& controller, std::uint32_t virtualKey, bool release) {
  // Every keystroke of the desktop passes here while the window is shown: the
  // cheapest tests come first, and the Windows key alone decides while the
  // user types.
  if (!controller.shown || !controller.options.enableHotkeys) return false;
  if (!IsDown(platform::kKeyLeftWindows)) return false;
  if (platform::getForegroundWindow() != controller.hostWindow) return false;
  const bool ctrl = IsDown(platform::kKeyControl);
  const bool shift = IsDown(platform::kKeyShift);

  switch (virtualKey) {
    case platform::kKeyHome:
      if (release) CenterOnCurrentMonitor(controller.hostWindow, RulesOf(controller.options));
      return true;
    case platform::kKeyLeft:
      if (release) MoveToMonitor(controller, MonitorStep::Previous, 0, 0);
      return true;
    case platform::kKeyRight:
      if (release) MoveToMonitor(controller, MonitorStep::Next, 0, 0);
      return true;
    default:
      break;
  }
  if (!ctrl || virtualKey < kFirstDigit || virtualKey > kLastDigit) return false;
  if (release) ResizeByHotkey(controller, virtualKey, shift);
  return true;
}

void MoveToMonitor(MainWindowController& controller, MonitorStep step, std::int32_t widthPercent,
                   std::int32_t heightPercent) {
  const MonitorRules rules = RulesOf(controller.options);
  const MonitorList monitors(rules);
  const MonitorIndex current = MonitorOfWindow(monitors, controller.hostWindow, rules);
  const MonitorIndex target =
      current ? SteppedMonitor(monitors.entries().size(), *current, step) : std::nullopt;
  // The percentage hotkeys act on the window where it is.
  const std::optional<platform::Rect> remembered =
      step == MonitorStep::Same ? std::nullopt : controller.RememberedPlaceOn(monitors, target);
  PlaceOnMonitor(target, current, controller.AsPlacedWindow(), widthPercent, heightPercent,
                 monitors, remembered);
}

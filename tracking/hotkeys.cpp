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

void ResizeByHotkey(MainWindowController& controller, std::int32_t percent, bool height) {
  if (height) {
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

// Swallowed; on release, `action`.
HotkeyDecision Recognised(bool release, HotkeyAction action, std::int32_t percent = 0) {
  return HotkeyDecision{true, release ? Hotkey{action, percent} : Hotkey{}};
}

}  // namespace

HotkeyDecision DecideHotkey(std::uint32_t virtualKey, bool release,
                            platform::WindowHandle mainWindow) {
  // Every keystroke of the desktop passes here while the window is shown: the
  // cheapest tests come first, and the Windows key alone decides while the
  // user types.
  if (!IsDown(platform::kKeyLeftWindows)) return HotkeyDecision{};
  if (platform::getForegroundWindow() != mainWindow) return HotkeyDecision{};
  const bool ctrl = IsDown(platform::kKeyControl);
  const bool shift = IsDown(platform::kKeyShift);

  switch (virtualKey) {
    case platform::kKeyHome:
      return Recognised(release, HotkeyAction::Center);
    case platform::kKeyLeft:
      return Recognised(release, HotkeyAction::Previous);
    case platform::kKeyRight:
      return Recognised(release, HotkeyAction::Next);
    default:
      break;
  }
  if (!ctrl || virtualKey < kFirstDigit || virtualKey > kLastDigit) return HotkeyDecision{};
  return Recognised(release, shift ? HotkeyAction::Height : HotkeyAction::Width,
                    PercentOfDigit(virtualKey));
}

void PerformHotkey(MainWindowController& controller, const Hotkey& hotkey) {
  switch (hotkey.action) {
    case HotkeyAction::Center:
      CenterOnCurrentMonitor(controller.mainWindow, RulesOf(controller.options));
      break;
    case HotkeyAction::Previous:
      MoveToMonitor(controller, MonitorStep::Previous, 0, 0);
      break;
    case HotkeyAction::Next:
      MoveToMonitor(controller, MonitorStep::Next, 0, 0);
      break;
    case HotkeyAction::Width:
    case HotkeyAction::Height:
      ResizeByHotkey(controller, hotkey.percent, hotkey.action == HotkeyAction::Height);
      break;
    case HotkeyAction::None:
      break;
  }
}

void MoveToMonitor(MainWindowController& controller, MonitorStep step, std::int32_t widthPercent,
                   std::int32_t heightPercent) {
  const MonitorRules rules = RulesOf(controller.options);
  const MonitorList monitors(rules);
  const MonitorIndex current = MonitorOfWindow(monitors, controller.mainWindow, rules);
  const MonitorIndex target =
      current ? SteppedMonitor(monitors.entries().size(), *current, step) : std::nullopt;
  // The percentage hotkeys act on the window where it is.
  const std::optional<platform::Rect> remembered =
      step == MonitorStep::Same ? std::nullopt : controller.RememberedPlaceOn(monitors, target);
  PlaceOnMonitor(target, current, controller.AsPlacedWindow(), widthPercent, heightPercent,
                 monitors, remembered);
}

// The hotkeys with the left Windows key, and moving between monitors.
#pragma once

#include "monitors/geometry.h"
#include "platform/platform.h"

#include <cstdint>

class MainWindowController;

enum class HotkeyAction : std::uint8_t { None, Center, Previous, Next, Width, Height };

// What a recognised combination does once it is released; `percent` for
// Width and Height.
struct Hotkey {
  HotkeyAction action = HotkeyAction::None;
  std::int32_t percent = 0;
};

struct HotkeyDecision {
  bool swallow = false;  // the keystroke belongs to a recognised combination
  Hotkey hotkey;         // on its release: what to do
};

// Decides one keystroke of the desktop, seen before any window gets it, with
// hotkeys on and the main window shown: from the key, the modifiers held and
// whether `mainWindow` is in front. Reads nothing else, so any thread may
// decide while VESK's thread is busy.
HotkeyDecision DecideHotkey(std::uint32_t virtualKey, bool release,
                            platform::WindowHandle mainWindow);

// Does what a released hotkey decided: the move, the centring, or the
// percentage with its writes to the settings file.
void PerformHotkey(MainWindowController& controller, const Hotkey& hotkey);

// Moves the main window to the monitor `step` selects from its current one.
void MoveToMonitor(MainWindowController& controller, MonitorStep step, std::int32_t widthPercent,
                   std::int32_t heightPercent);

// The hotkeys with the left Windows key, and moving between monitors.
#pragma once

#include "monitors/geometry.h"

#include <cstdint>

class MainWindowController;

// Decides one keystroke of the desktop, seen before any window gets it; true
// when it belongs to a recognised combination and must be dropped. Actions
// happen on release.
bool HandleHotkey(MainWindowController& controller, std::uint32_t virtualKey, bool release);

// Moves the main window to the monitor `step` selects from its current one.
void MoveToMonitor(MainWindowController& controller, MonitorStep step, std::int32_t widthPercent,
                   std::int32_t heightPercent);

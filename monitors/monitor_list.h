// A snapshot of the monitors attached to the desktop, left to right. Built by
// each operation that needs it and dropped before that operation returns.
#pragma once

#include "monitors/geometry.h"
#include "platform/platform.h"

#include <cstdint>
#include <vector>

class MonitorList {
 public:
  // Enumerates the display devices now; empty when none is attached.
  explicit MonitorList(const MonitorRules& rules = {});
  // For tests and callers that already hold entries; sorted like an enumeration.
  explicit MonitorList(std::vector<MonitorInfo> entries, const MonitorRules& rules = {});

  const std::vector<MonitorInfo>& entries() const { return entries_; }

 private:
  std::vector<MonitorInfo> entries_;
};

// The first monitor whose horizontal span holds x, both bounds inclusive; null
// for none. The pointer stays valid as long as the list.
const MonitorInfo* MonitorAtX(const MonitorList& list, std::int32_t x);
// MonitorAtX for the horizontal centre of the window's rectangle.
const MonitorInfo* MonitorOfWindow(const MonitorList& list, platform::WindowHandle window,
                                   const MonitorRules& rules = {});
const MonitorInfo* MonitorOfRect(const MonitorList& list, const platform::Rect& window,
                                 const MonitorRules& rules = {});
// The entry holding the point by the rules' axes.
const MonitorInfo* MonitorAt(const MonitorList& list, platform::Point point,
                             const MonitorRules& rules);
// The show-time target the settings name outright (ChosenMonitorIndex).
const MonitorInfo* ChosenMonitor(const MonitorList& list, const PluginOptions& options);
// The entry `step` selects from `current` (null: none).
const MonitorInfo* SteppedMonitor(const MonitorList& list, const MonitorInfo* current,
                                  MonitorStep step);

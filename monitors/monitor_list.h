// A snapshot of the monitors attached to the desktop, ordered by left edge
// (and by top edge among equal left edges when both axes count). Built by
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

  const std::vector<MonitorInfo>& entries() const { return entries_; }

 private:
  std::vector<MonitorInfo> entries_;
};

// The entry holding the centre of the window's rectangle, by the rules' axes
// (MonitorIndexOfRect); none for none.
MonitorIndex MonitorOfWindow(const MonitorList& list, platform::WindowHandle window,
                             const MonitorRules& rules = {});

// The one fake desktop all the other fake files act on.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

namespace fake {

Desktop& desktop() {
  static Desktop instance;
  return instance;
}

void reset() {
  endThreads();
  desktop() = Desktop{};
  resetAllocationFailure();
}

CallCounts& calls() { return desktop().calls; }

}  // namespace fake

// Failures on demand: platform calls that fail or change the desktop while
// they run, and allocations that fail.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace fake {
namespace {

// Allocations left until the one that fails; 0: none armed. Atomic, as a
// test may arm it and allocate on another thread.
std::atomic<int> allocationsUntilFailure{0};
// Nesting of UncountedAllocations on this thread.
thread_local int uncountedDepth = 0;

int& callsMadeOf(Call call) { return desktop().callsMade.at(static_cast<std::size_t>(call)); }

void script(Call call, int nthFromNow, std::function<void()> action) {
  const UncountedAllocations bookkeeping;
  desktop().scripted.push_back(
      ScriptedCall{call, callsMadeOf(call) + nthFromNow, std::move(action)});
}

}  // namespace

void failCall(Call call, int nthFromNow) { script(call, nthFromNow, nullptr); }

void onCall(Call call, int nthFromNow, std::function<void()> action) {
  script(call, nthFromNow, std::move(action));
}

void endEnumerationAt(std::uint32_t index) { desktop().enumerationEnd = index; }

bool beginCall(Call call) {
  const int number = ++callsMadeOf(call);
  auto& scripted = desktop().scripted;
  const auto failure = std::find_if(scripted.begin(), scripted.end(), [&](const ScriptedCall& s) {
    return s.call == call && s.number == number && !s.action;
  });
  if (failure == scripted.end()) return false;
  scripted.erase(failure);
  return true;
}

void endCall(Call call) {
  const int number = callsMadeOf(call);
  auto& scripted = desktop().scripted;
  const auto due = std::find_if(scripted.begin(), scripted.end(), [&](const ScriptedCall& s) {
    return s.call == call && s.number == number && s.action;
  });
  if (due == scripted.end()) return;
  // Taken out first: the action may arm more, or reset the desktop.
  const std::function<void()> action = std::move(due->action);
  scripted.erase(due);
  const UncountedAllocations testCode;
  action();
}

void failAllocation(int nthFromNow) { allocationsUntilFailure = std::max(nthFromNow, 0); }

bool allocationFails() {
  if (uncountedDepth > 0) return false;
  int left = allocationsUntilFailure.load();
  while (left > 0 && !allocationsUntilFailure.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}

bool failurePending() { return !desktop().scripted.empty() || allocationsUntilFailure > 0; }

void resetAllocationFailure() { allocationsUntilFailure = 0; }

UncountedAllocations::UncountedAllocations() { ++uncountedDepth; }
UncountedAllocations::~UncountedAllocations() { --uncountedDepth; }

CountedAllocations::CountedAllocations() : savedDepth_(uncountedDepth) { uncountedDepth = 0; }
CountedAllocations::~CountedAllocations() { uncountedDepth = savedDepth_; }

}  // namespace fake

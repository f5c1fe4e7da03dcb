// Nothing that goes wrong inside the plugin may reach the host's process.
#include "settings/options_dialog.h"
#include "tracking_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <thread>

// The test binary's allocator, which fake::failAllocation can make fail.
void* operator new(std::size_t size) {
  if (fake::allocationFails()) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
// Allocations that report failure as a null pointer are never failed: their
// only callers, the standard library's sort buffers, fall back by design.
// Replaced here as well, so that the sanitizer build, whose runtime has its
// own, counts the same allocations as the plain one.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

// Objects allocated inside the sanitizer runtime before this allocator took
// over are freed through it; both sides use the same heap, so the runtime's
// new/free pairing check only reports that, not a fault.
extern "C" const char* __asan_default_options() { return "alloc_dealloc_mismatch=0"; }

namespace {

class FailureTest : public TrackingTest {};

TEST_F(FailureTest, RunningOutOfMemoryInAHookPassesTheEventOn) {
  setOption("Center", 1);
  setOption("CenterAlways", 1);
  init();
  fake::setEnumerationThrows(true);
  const int passedOn = fake::callNextHookCount();
  show(onM2);
  EXPECT_EQ(fake::callNextHookCount() - passedOn, 3) << "every message went on";
  EXPECT_EQ(hostRect(), kHostStart);
  EXPECT_TRUE(controller().shown);

  fake::setKeyDown(platform::kKeyLeftWindows, true);
  EXPECT_FALSE(fake::keyDown(platform::kKeyRight)) << "the press needs no memory";
  EXPECT_FALSE(fake::keyUp(platform::kKeyRight)) << "decided before the action runs";
  const int beforeAction = fake::callNextHookCount();
  fake::pumpSentMessages();
  EXPECT_EQ(fake::callNextHookCount() - beforeAction, 1) << "the hotkey's message went on";
  EXPECT_EQ(hostRect(), kHostStart);

  // Once memory is back, everything works again: no flag stayed set.
  fake::setEnumerationThrows(false);
  fake::setWindowRect(host, {0, 0, 800, 400});
  fake::sendMessage(host, platform::kMessageWindowPosChanging, 0);
  EXPECT_EQ(hostRect(), (platform::Rect{560, 340, 1360, 740}));
}

TEST_F(FailureTest, ADialogThatCannotBeBoundShowsNothingAndSaysWhy) {
  init();
  setOption("Center", 1);
  bool shown = false;
  fake::setDialogUser([&](platform::WindowHandle) { shown = true; });
  // A fresh thread: its list of pending dialogs has no room yet, so binding
  // the dialog must allocate. That is the second allocation; the first is the
  // dialog's own copy of the settings path.
  std::thread([] {
    fake::failAllocation(2);
    EXPECT_EQ(PluginFunc_DoAdvConfig(), 1);
  }).join();
  fake::failAllocation(0);
  EXPECT_FALSE(shown);
  EXPECT_TRUE(fake::dialogRuns().empty());
  EXPECT_EQ(fake::lastError(), platform::kErrorOutOfMemory);
  EXPECT_FALSE(controller().options.center) << "nothing was loaded";
}

}  // namespace

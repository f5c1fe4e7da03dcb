// The fake desktop's state, shared by the files that implement it; the tests
// see only fake_desktop.h.
#pragma once

#include "tests/fake/fake_desktop.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct Window {
  platform::Rect rect;
  platform::ThreadId thread = kGuiThread;
  std::int32_t minWidth = 0;
  std::int32_t minHeight = 0;
  std::int32_t maxWidth = std::numeric_limits<std::int32_t>::max();
  std::int32_t maxHeight = std::numeric_limits<std::int32_t>::max();
  std::int32_t minLeft = std::numeric_limits<std::int32_t>::min();
  std::int32_t minTop = std::numeric_limits<std::int32_t>::min();
  bool rectUnreadable = false;
  bool visible = false;
  std::string className;
  bool iconic = false;
  // Children: dialog controls, the shell's icon view.
  platform::WindowHandle parent = 0;
  int controlId = 0;
  bool checked = false;
  std::string text;
  std::vector<std::string> listItems;
  int selectedItem = -1;
  platform::LongParam userData = 0;
  platform::LongResult messageResult = 0;
  platform::DialogProc dialogProc = nullptr;
  bool dialogEnded = false;
  platform::LongResult dialogResult = 0;
};

struct Hook {
  platform::HookHandle handle;
  int type;
  platform::HookProc proc;
  platform::ThreadId thread;
  platform::ThreadId owner;  // the thread that installed it
};

// A message sent to another thread's window without waiting.
struct QueuedMessage {
  platform::WindowHandle window;
  std::uint32_t message;
  platform::WordParam wParam;
  platform::LongParam lParam;
};

// A failure or action armed for one call; no action: the call fails.
struct ScriptedCall {
  Call call;
  int number;  // counted from reset()
  std::function<void()> action;
};

struct Desktop {
  std::vector<Display> displays;
  bool enumerationThrows = false;
  std::uint32_t enumerationEnd = std::numeric_limits<std::uint32_t>::max();
  std::array<int, static_cast<std::size_t>(Call::InstallHook) + 1> callsMade = {};  // by Call
  std::vector<ScriptedCall> scripted;
  std::int32_t scaleNumerator = 1;
  std::int32_t scaleDenominator = 1;
  std::map<platform::WindowHandle, Window> windows;
  platform::WindowHandle nextWindow = 1;
  std::vector<MoveCall> moves;
  platform::WindowHandle foreground = 0;
  platform::WindowHandle active = 0;
  platform::WindowHandle desktop = 0;
  platform::WindowHandle shell = 0;
  std::set<int> asyncKeysDown;
  bool buttonsSwapped = false;
  platform::Point cursor;
  bool cursorReadable = true;
  std::vector<Hook> hooks;
  platform::HookHandle nextHook = 1;
  std::vector<std::string> hookEvents;
  std::function<void()> hookRemovalObserver;
  std::vector<ReceivedMessage> received;
  std::vector<QueuedMessage> sentToOtherThreads;
  std::map<std::string, std::uint32_t> registeredMessages;
  int keystrokes = 0;
  std::vector<InjectedKeystroke> injected;
  std::size_t injectedDelivered = 0;
  int keystrokeDepth = 0;
  int posChangingDepth = 0;
  int maxPosChangingDepth = 0;
  int callNextHook = 0;
  std::map<std::string, std::string> files;
  std::set<std::string> readOnlyFiles;
  std::map<platform::ModuleHandle, std::string> modules;
  std::vector<std::string> shellOpened;
  std::uint32_t lastError = 0;
  std::map<std::string, std::map<std::string, std::string>> versionResources;
  DialogUser dialogUser;
  bool dialogCreationFails = false;
  std::vector<DialogRun> dialogRuns;
  CallCounts calls;
  // The display enumerated last: the settings query asks for it first, so
  // that a full enumeration costs linear time, as on the real platform.
  std::size_t lastEnumerated = 0;
};

// The one desktop, which reset() empties.
Desktop& desktop();

// Counts one call of `call`; true when the test made this one fail.
bool beginCall(Call call);
// Runs the actions armed for the call of `call` just counted.
void endCall(Call call);

// The plugin's code called back from inside the fake: its allocations count.
class CountedAllocations {
 public:
  CountedAllocations();
  ~CountedAllocations();
  CountedAllocations(const CountedAllocations&) = delete;
  CountedAllocations& operator=(const CountedAllocations&) = delete;

 private:
  int savedDepth_;
};

// Disarms failAllocation; reset() calls it.
void resetAllocationFailure();

// Delivers a message through the WH_CALLWNDPROC hooks of the window's
// thread, then to the window.
void deliver(platform::WindowHandle window, std::uint32_t message, platform::WordParam wParam,
             platform::LongParam lParam = 0);

// The fake thread the caller runs as: 0 for the test's own thread, which
// plays every GUI thread.
platform::ThreadId callingThread();
// Calls a low-level hook on the thread that installed it, as Windows does
// from that thread's message loop, and waits for its answer.
platform::LongResult callOnOwnerThread(const Hook& hook, platform::WordParam wParam,
                                       platform::LongParam lParam);
// Asks every thread still running to quit and waits for them; reset() calls it.
void endThreads();

}  // namespace fake

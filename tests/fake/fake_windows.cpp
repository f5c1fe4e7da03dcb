// Windows, input and hooks: moves send their messages through the hooks of the
// window's thread, and keystrokes pass the keyboard hooks, as on Windows.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <algorithm>

namespace fake {
namespace {

// The fake CWPSTRUCT: what sentMessageOf decodes.
struct CallWndProcRecord {
  platform::LongParam lParam;
  platform::WordParam wParam;
  std::uint32_t message;
  platform::WindowHandle window;
};

std::vector<Hook> hooksOf(int type, platform::ThreadId thread) {
  std::vector<Hook> found;
  for (const Hook& hook : desktop().hooks) {
    if (hook.type == type && hook.thread == thread) found.push_back(hook);
  }
  // The platform calls the most recently installed hook first.
  std::reverse(found.begin(), found.end());
  return found;
}

platform::ThreadId threadOf(platform::WindowHandle window) {
  const auto it = desktop().windows.find(window);
  return it == desktop().windows.end() ? 0 : it->second.thread;
}

void deliver(platform::WindowHandle window, std::uint32_t message, platform::WordParam wParam) {
  const UncountedAllocations bookkeeping;
  // Hooks may install or remove hooks while they run; walk a copy.
  for (const Hook& hook : hooksOf(platform::kHookCallWndProc, threadOf(window))) {
    CallWndProcRecord record{0, wParam, message, window};
    const CountedAllocations hookProcedure;
    hook.proc(0, 1, reinterpret_cast<platform::LongParam>(&record));
  }
  desktop().received.push_back(ReceivedMessage{window, message, wParam});
}

// The fake KBDLLHOOKSTRUCT: what lowLevelKeyOf decodes.
struct LowLevelRecord {
  std::uint32_t virtualKey;
  bool release;
  std::uintptr_t extraInfo;
};

// Through the desktop's low-level keyboard hooks, newest first, then to the
// window in front; the key state changes once the keystroke has passed.
bool keystroke(int virtualKey, bool release, std::uintptr_t extraInfo) {
  const UncountedAllocations bookkeeping;
  bool dropped = false;
  for (const Hook& hook : hooksOf(platform::kHookKeyboardLowLevel, 0)) {
    LowLevelRecord record{static_cast<std::uint32_t>(virtualKey), release, extraInfo};
    const CountedAllocations hookProcedure;
    if (hook.proc(0, release ? 0x0101 : 0x0100, reinterpret_cast<platform::LongParam>(&record)) !=
        0) {
      dropped = true;
      break;
    }
  }
  setKeyDown(virtualKey, !release);
  return !dropped;
}

// SendInput from inside a low-level hook queues its keystrokes; the hooks see
// them once the keystroke in progress has been dealt with.
void deliverInjected() {
  Desktop& d = desktop();
  while (d.keystrokeDepth == 0 && d.injectedDelivered < d.injected.size()) {
    const InjectedKeystroke next = d.injected[d.injectedDelivered];
    ++d.keystrokeDepth;
    const bool delivered =
        keystroke(static_cast<int>(next.virtualKey), next.release, next.extraInfo);
    --d.keystrokeDepth;
    d.injected[d.injectedDelivered++].delivered = delivered;
  }
}

bool keystrokeThenInjected(int virtualKey, bool release, std::uintptr_t extraInfo) {
  ++desktop().keystrokeDepth;
  const bool delivered = keystroke(virtualKey, release, extraInfo);
  --desktop().keystrokeDepth;
  if (delivered) ++desktop().keystrokes;
  deliverInjected();
  return delivered;
}

}  // namespace

platform::WindowHandle createWindow(const platform::Rect& rect, platform::ThreadId thread) {
  const platform::WindowHandle handle = desktop().nextWindow++;
  Window window;
  window.rect = rect;
  window.thread = thread;
  desktop().windows[handle] = window;
  return handle;
}

void setWindowRect(platform::WindowHandle window, const platform::Rect& rect) {
  desktop().windows[window].rect = rect;
}

platform::Rect windowRect(platform::WindowHandle window) {
  const auto it = desktop().windows.find(window);
  return it == desktop().windows.end() ? platform::Rect{} : it->second.rect;
}

void setMinimumSize(platform::WindowHandle window, std::int32_t width, std::int32_t height) {
  desktop().windows[window].minWidth = width;
  desktop().windows[window].minHeight = height;
}

void setMaximumSize(platform::WindowHandle window, std::int32_t width, std::int32_t height) {
  desktop().windows[window].maxWidth = width;
  desktop().windows[window].maxHeight = height;
}

void setMinimumPosition(platform::WindowHandle window, std::int32_t x, std::int32_t y) {
  desktop().windows[window].minLeft = x;
  desktop().windows[window].minTop = y;
}

void setWindowRectUnreadable(platform::WindowHandle window, bool unreadable) {
  desktop().windows[window].rectUnreadable = unreadable;
}

void setWindowClass(platform::WindowHandle window, const std::string& className) {
  desktop().windows[window].className = className;
}

platform::WindowHandle createChildWindow(platform::WindowHandle parent,
                                         const std::string& className) {
  const platform::WindowHandle child = createWindow(windowRect(parent), threadOf(parent));
  desktop().windows[child].parent = parent;
  setWindowClass(child, className);
  return child;
}

void minimiseWindow(platform::WindowHandle window, bool parked) {
  desktop().windows[window].iconic = true;
  if (parked) setWindowRect(window, {-32000, -32000, -31840, -31972});
}

Shell addShell(const platform::Rect& virtualScreen) {
  Shell shell{createWindow(virtualScreen, kShellThread), createWindow(virtualScreen, kShellThread)};
  setWindowClass(shell.progman, "Progman");
  setWindowClass(shell.desktopView, "WorkerW");
  createChildWindow(shell.desktopView, "SHELLDLL_DefView");
  setShellWindow(shell.progman);
  return shell;
}

const std::vector<MoveCall>& moveCalls() { return desktop().moves; }
void clearMoveCalls() {
  desktop().moves.clear();
  desktop().maxPosChangingDepth = 0;
}

void setForegroundWindow(platform::WindowHandle window) { desktop().foreground = window; }
void setActiveWindow(platform::WindowHandle window) { desktop().active = window; }
void setDesktopWindow(platform::WindowHandle window) { desktop().desktop = window; }
void setShellWindow(platform::WindowHandle window) { desktop().shell = window; }

void setKeyDown(int virtualKey, bool down) {
  if (down) {
    desktop().asyncKeysDown.insert(virtualKey);
  } else {
    desktop().asyncKeysDown.erase(virtualKey);
  }
}

void setMouseButtonsSwapped(bool swapped) { desktop().buttonsSwapped = swapped; }

void setAsyncKeyDown(int virtualKey, bool down) {
  if (down) {
    desktop().asyncKeysDown.insert(virtualKey);
  } else {
    desktop().asyncKeysDown.erase(virtualKey);
  }
}

void setCursor(platform::Point point, bool readable) {
  desktop().cursor = point;
  desktop().cursorReadable = readable;
}

void sendMessage(platform::WindowHandle window, std::uint32_t message, platform::WordParam wParam) {
  deliver(window, message, wParam);
}

void showWindow(platform::WindowHandle window, bool show) {
  deliver(window, platform::kMessageShowWindow, show ? 1 : 0);
  deliver(window, platform::kMessageWindowPosChanging, 0);
}

bool keyDown(int virtualKey, std::uintptr_t extraInfo) {
  const UncountedAllocations bookkeeping;
  return keystrokeThenInjected(virtualKey, false, extraInfo);
}

bool keyUp(int virtualKey, std::uintptr_t extraInfo) {
  const UncountedAllocations bookkeeping;
  return keystrokeThenInjected(virtualKey, true, extraInfo);
}

const std::vector<InjectedKeystroke>& injectedKeystrokes() { return desktop().injected; }

const std::vector<ReceivedMessage>& receivedMessages() { return desktop().received; }

int keystrokesReceived() { return desktop().keystrokes; }
int maxPosChangingDepth() { return desktop().maxPosChangingDepth; }

void setHookRemovalObserver(std::function<void()> observer) {
  desktop().hookRemovalObserver = std::move(observer);
}

int installedHooks(int hookType) {
  return static_cast<int>(std::count_if(desktop().hooks.begin(), desktop().hooks.end(),
                                        [&](const Hook& hook) { return hook.type == hookType; }));
}

const std::vector<std::string>& hookEvents() { return desktop().hookEvents; }

int callNextHookCount() { return desktop().callNextHook; }

}  // namespace fake

namespace platform {

using fake::desktop;

Rect getWindowRect(WindowHandle window) {
  ++desktop().calls.getWindowRect;
  const bool fails = fake::beginCall(fake::Call::GetWindowRect);
  const auto it = desktop().windows.find(window);
  const bool readable = !fails && it != desktop().windows.end() && !it->second.rectUnreadable;
  const Rect answer = readable ? it->second.rect : Rect{};
  fake::endCall(fake::Call::GetWindowRect);
  return answer;
}

void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, bool repaint) {
  const fake::UncountedAllocations bookkeeping;
  const bool ignored = fake::beginCall(fake::Call::MoveWindow);
  fake::Desktop& d = desktop();
  d.moves.push_back(fake::MoveCall{window, x, y, width, height, repaint});
  if (d.windows.count(window) != 0) {
    ++d.posChangingDepth;
    d.maxPosChangingDepth = std::max(d.maxPosChangingDepth, d.posChangingDepth);
    fake::deliver(window, kMessageWindowPosChanging, 0);
    --d.posChangingDepth;
  }
  // The window enforces its limits when the change is applied.
  const auto target = d.windows.find(window);
  if (!ignored && target != d.windows.end()) {
    const fake::Window& w = target->second;
    const std::int32_t appliedX = std::max(x, w.minLeft);
    const std::int32_t appliedY = std::max(y, w.minTop);
    const std::int32_t appliedWidth = std::min(std::max(width, w.minWidth), w.maxWidth);
    const std::int32_t appliedHeight = std::min(std::max(height, w.minHeight), w.maxHeight);
    target->second.rect =
        Rect{appliedX, appliedY, static_cast<std::int32_t>(std::int64_t{appliedX} + appliedWidth),
             static_cast<std::int32_t>(std::int64_t{appliedY} + appliedHeight)};
  }
  fake::endCall(fake::Call::MoveWindow);
}

ThreadId getWindowThreadId(WindowHandle window) { return fake::threadOf(window); }

WindowHandle getForegroundWindow() {
  ++desktop().calls.getForegroundWindow;
  return desktop().foreground;
}
WindowHandle getDesktopWindow() { return desktop().desktop; }
WindowHandle getShellWindow() { return desktop().shell; }
WindowHandle getActiveWindow() { return desktop().active; }

bool isIconic(WindowHandle window) {
  const auto it = desktop().windows.find(window);
  return it != desktop().windows.end() && it->second.iconic;
}

WindowHandle findChildWindow(WindowHandle parent, const char* className) {
  for (const auto& [handle, window] : desktop().windows) {
    if (window.parent == parent && window.className == className) return handle;
  }
  return 0;
}

bool mouseButtonsSwapped() { return desktop().buttonsSwapped; }

std::int16_t getAsyncKeyState(int virtualKey) {
  ++desktop().calls.getAsyncKeyState;
  // Bit 0 ("pressed since the last query") set as well, which callers ignore.
  return desktop().asyncKeysDown.count(virtualKey) != 0 ? std::int16_t{-32767} : std::int16_t{1};
}

void getCursorPos(Point& point) {
  if (desktop().cursorReadable) point = desktop().cursor;
}

HookHandle installHook(int hookType, HookProc proc, ModuleHandle module, ThreadId thread) {
  const fake::UncountedAllocations bookkeeping;
  const bool fails = fake::beginCall(fake::Call::InstallHook);
  // A low-level hook is the desktop's and needs the module of its procedure;
  // a thread hook, a thread.
  const bool lowLevel = hookType == kHookKeyboardLowLevel;
  const bool valid = lowLevel ? thread == 0 && module != 0 : thread != 0;
  HookHandle handle = 0;
  if (!fails && valid && proc != nullptr) {
    handle = desktop().nextHook++;
    desktop().hooks.push_back(fake::Hook{handle, hookType, proc, thread});
    desktop().hookEvents.push_back("install " + std::to_string(hookType) + " on " +
                                   std::to_string(thread));
  }
  fake::endCall(fake::Call::InstallHook);
  return handle;
}

void removeHook(HookHandle hook) {
  const fake::UncountedAllocations bookkeeping;
  if (desktop().hookRemovalObserver) desktop().hookRemovalObserver();
  auto& hooks = desktop().hooks;
  for (const fake::Hook& h : hooks) {
    if (h.handle == hook) desktop().hookEvents.push_back("remove " + std::to_string(h.type));
  }
  hooks.erase(std::remove_if(hooks.begin(), hooks.end(),
                             [&](const fake::Hook& h) { return h.handle == hook; }),
              hooks.end());
}

LongResult callNextHook(int, WordParam, LongParam) {
  ++desktop().callNextHook;
  return 0;
}

SentMessage sentMessageOf(LongParam lParam) {
  const auto* record = reinterpret_cast<const fake::CallWndProcRecord*>(lParam);
  return SentMessage{record->window, record->message, record->wParam};
}

LowLevelKey lowLevelKeyOf(LongParam lParam) {
  const auto* record = reinterpret_cast<const fake::LowLevelRecord*>(lParam);
  return LowLevelKey{record->virtualKey, record->release, record->extraInfo};
}

void injectKeystroke(std::uint32_t virtualKey, std::uintptr_t extraInfo) {
  const fake::UncountedAllocations bookkeeping;
  auto& injected = desktop().injected;
  injected.push_back(fake::InjectedKeystroke{virtualKey, false, extraInfo, false});
  injected.push_back(fake::InjectedKeystroke{virtualKey, true, extraInfo, false});
  fake::deliverInjected();
}

}  // namespace platform

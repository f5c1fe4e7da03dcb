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

bool keystroke(int virtualKey, std::uint32_t flags) {
  const UncountedAllocations bookkeeping;
  bool swallowed = false;
  for (const Hook& hook : hooksOf(platform::kHookKeyboard, kGuiThread)) {
    const CountedAllocations hookProcedure;
    if (hook.proc(0, static_cast<platform::WordParam>(virtualKey),
                  static_cast<platform::LongParam>(static_cast<std::int32_t>(flags))) != 0) {
      swallowed = true;
      break;
    }
  }
  if (!swallowed) ++desktop().keystrokes;
  return !swallowed;
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
    desktop().keysDown.insert(virtualKey);
  } else {
    desktop().keysDown.erase(virtualKey);
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

bool keyDown(int virtualKey, bool repeat) {
  const UncountedAllocations bookkeeping;
  // Bit 30: the key was down before (auto-repeat).
  const std::uint32_t flags = 1u | (repeat ? (1u << 30) : 0u);
  const bool delivered = keystroke(virtualKey, flags);
  setKeyDown(virtualKey, true);
  return delivered;
}

bool keyUp(int virtualKey) {
  const UncountedAllocations bookkeeping;
  const std::uint32_t flags = 1u | (1u << 30) | (1u << 31);
  const bool delivered = keystroke(virtualKey, flags);
  setKeyDown(virtualKey, false);
  return delivered;
}

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

std::int16_t getKeyState(int virtualKey) {
  ++desktop().calls.getKeyState;
  return desktop().keysDown.count(virtualKey) != 0 ? std::int16_t{-128} : std::int16_t{0};
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

HookHandle installHook(int hookType, HookProc proc, ThreadId thread) {
  const fake::UncountedAllocations bookkeeping;
  const bool fails = fake::beginCall(fake::Call::InstallHook);
  HookHandle handle = 0;
  if (!fails && thread != 0 && proc != nullptr) {
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

}  // namespace platform

// The low-level keyboard hook on a thread of its own. Windows makes every
// keystroke of the desktop wait until a low-level hook has answered, and
// removes one that answers too slowly; the thread that owns ours does nothing
// but answer it, so neither VESK's work nor ours can hold up the keyboard.
// The hook decides and drops; the work goes to VESK's thread as a message.
#pragma once

#include "platform/platform.h"

#include <atomic>
#include <cstdint>

// What the hook's thread reads while it decides a keystroke, a part of the
// module-wide state. Only VESK's thread writes it.
struct HotkeyGate {
  // The thread whose hook acts (0: none). A thread asked to stop may still
  // see keystrokes until it has left; they pass.
  std::atomic<platform::ThreadId> thread{0};
  std::atomic<platform::WindowHandle> mainWindow{0};
  std::atomic<bool> hotkeysOn{false};
  // Changes whenever a thread is started or stopped; a hotkey carries the
  // one it was decided in, and one from an earlier showing is dropped.
  std::atomic<std::uint32_t> generation{0};
  std::atomic<std::uint32_t> hotkeyMessage{0};
  std::atomic<platform::ModuleHandle> module{0};
};

// The thread, started and stopped from VESK's thread only. It never waits
// for the thread: a stopped thread leaves by itself, and holds a reference
// to our module until its last instruction, so the module stays mapped.
class KeyboardHookThread {
 public:
  KeyboardHookThread() = default;
  KeyboardHookThread(const KeyboardHookThread&) = delete;
  KeyboardHookThread& operator=(const KeyboardHookThread&) = delete;
  KeyboardHookThread(KeyboardHookThread&& other) noexcept : thread_(other.thread_) {
    other.thread_ = 0;
  }
  KeyboardHookThread& operator=(KeyboardHookThread&& other) noexcept {
    if (this != &other) {
      stop();
      thread_ = other.thread_;
      other.thread_ = 0;
    }
    return *this;
  }
  ~KeyboardHookThread() { stop(); }

  // Starts the thread for `mainWindow`, whose procedure lives in `module`.
  void start(platform::ModuleHandle module, platform::WindowHandle mainWindow);
  void stop();
  // Installs the hook anew, in case Windows removed it.
  void renewHook();
  bool running() const { return thread_ != 0; }

 private:
  platform::ThreadId thread_ = 0;
};

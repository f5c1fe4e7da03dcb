// What the tracking scenarios of the stand-in host share: VESK's main window
// and the host's other windows, with a log of the keystrokes their window
// procedure receives, injected key combinations, and the settings file beside
// the DLL.
#pragma once

#include "tests/e2e/vesk_host.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tracking {

// The worked example's desktop: M1 1920x1080 primary, M2 1280x1024 right of it.
constexpr RECT kMonitor1 = {0, 0, 1920, 1080};
constexpr RECT kMonitor2 = {1920, 0, 3200, 1024};

// Keystrokes a window procedure received, by virtual-key code.
struct KeyLog {
  std::array<int, 256> down{};
  std::array<int, 256> up{};
};

// A top-level WS_POPUP window of the host (borderless, no sizing frame), on
// the calling thread, created hidden. Its window procedure logs keystrokes.
class TrackedWindow {
 public:
  TrackedWindow() = default;
  TrackedWindow(const TrackedWindow&) = delete;
  TrackedWindow& operator=(const TrackedWindow&) = delete;
  ~TrackedWindow() { destroy(); }

  bool create(const RECT& rect);
  void destroy();
  HWND handle() const { return window_; }
  RECT rect() const;
  void moveTo(const RECT& rect) const;
  const KeyLog& keys() const;

 private:
  HWND window_ = nullptr;
};

// Keystrokes (presses and releases) any tracked window received so far.
int KeystrokesReceived();

// Processes pending messages until `done` holds or `timeoutMs` passed;
// answers whether `done` held.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HostWindow::pumpMessages();
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
  }
}

// Puts the pointer where no test window will be (below M2, inside the virtual
// screen) and processes what that causes: a window moving under the pointer
// would make Wine drop the held modifiers.
void ParkPointer();

// One keyboard event as SendInput wants it.
INPUT KeyInput(WORD virtualKey, bool release);

// Presses `modifiers` in order and `key`, releases them in reverse order, and
// processes messages until all of it has been retrieved (a trailing F24
// keystroke reaching a tracked window marks the end). Answers false when the
// marker did not arrive.
bool PressCombination(const std::vector<WORD>& modifiers, WORD key);

// "resolve:%LASTHWND%" as VESK answers it: the handle in decimal.
std::string DecimalHandle(HWND window);

// C:\vmm\VESK_MultiMonitor.ini for the DLL at `dllPath`.
std::string SettingsPathBeside(const std::string& dllPath);
// Replaces the settings file by section "Options" with `entries`.
void WriteSettings(const std::string& path,
                   const std::vector<std::pair<std::string, std::string>>& entries);
// The keys and values of section "Options" as the file holds them.
std::map<std::string, std::string> ReadOptionsSection(const std::string& path);

// "(l, t, r, b)".
std::string RectText(const RECT& r);
bool CheckRect(Report& report, const RECT& actual, const RECT& expected, const std::string& name);

// DoInit as VESK calls it, from the thread that owns the main window; the
// host answers "Handle.MainForm" with `mainWindow`.
bool InitPlugin(HostContext& context, HWND mainWindow);

}  // namespace tracking

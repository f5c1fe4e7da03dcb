// What the tracking scenarios of the stand-in host share: VESK's main window
// and the host's other windows, with a log of the keystrokes their window
// procedure receives, injected key combinations, and the settings file beside
// the DLL.
#pragma once

#include "tests/e2e/vesk_host.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tracking {

// The reference desktop: M1 1920x1080 primary, M2 1280x1024 right of it.
constexpr RECT kMonitor1 = {0, 0, 1920, 1080};
constexpr RECT kMonitor2 = {1920, 0, 3200, 1024};

// The reference desktop's windows: VESK's main window, 800x400 on M1, and the
// window in front before it on either monitor.
constexpr RECT kMainStart = {560, 340, 1360, 740};
constexpr RECT kPreviousOnM1 = {100, 100, 400, 300};
constexpr RECT kPreviousOnM2 = {2000, 100, 2300, 300};
// From kMainStart to M2 with relative move and size: (560 * 1280/1920,
// 340 * 1024/1080) and (800 * 1280/1920, 400 * 1024/1080), rounded. Back to
// M1: (373 * 1.5, 322 * 1080/1024) and (533 * 1.5, 379 * 1080/1024),
// rounded, is kMainStart again.
constexpr RECT kOnM2 = {2293, 322, 2826, 701};

// The pointer near the bottom of each monitor, in its 40 px taskbar where
// the desktop has one, where no test window is.
constexpr POINT kPointerOnM1 = {100, 1060};
constexpr POINT kPointerOnM2 = {2500, 1000};
// Below M2 and inside the virtual screen, so on no monitor: only its x lies
// on M2.
constexpr POINT kPointerBelowM2 = {2500, 1060};

// What the plugin asks VESK for at each show: the window in front before.
constexpr const char* kPreviousWindowRequest = "resolve:%LASTHWND%";

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

// Puts the pointer where no test window will be, 10 pixels in from the
// bottom right corner of the virtual screen (below M2 on the reference desktop's
// desktop), and processes what that causes: a window moving under the
// pointer would make Wine drop the held modifiers.
void ParkPointer();

// One keyboard event as SendInput wants it.
INPUT KeyInput(WORD virtualKey, bool release);

// Presses `modifiers` in order and `key`, releases them in reverse order, and
// processes messages until all of it has been retrieved (a trailing F24
// keystroke reaching a tracked window marks the end). Answers false when the
// marker did not arrive.
bool PressCombination(const std::vector<WORD>& modifiers, WORD key);

// PressCombination for a combination the plugin takes, checked by name. With
// the stand-in shell present, also that the shell got no WM_HOTKEY for it
// and that its hook saw the plugin's mask key between Win's press and
// release, and never `key`. Answers whether the keystrokes were retrieved.
bool PressHotkey(HostContext& context, const std::vector<WORD>& modifiers, WORD key,
                 const std::string& name);

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

// Shows or hides the main window as VESK does and processes what follows.
void ShowMain(const TrackedWindow& main);
void HideMain(const TrackedWindow& main);

// The premise of every keystroke check: with the pointer parked, VESK's
// window is the one in front.
bool CheckInFront(Report& report, const TrackedWindow& main, const std::string& when);

// ---------------------------------------------------------------------------
// Shows and hotkeys as tables

// A hotkey pressed while VESK's window is in front, and where it must put
// the window; its key never reaches the host's window procedure.
struct HotkeyStep {
  std::string name;
  std::vector<WORD> modifiers;
  WORD key;
  RECT expected;
  std::optional<RECT> from = std::nullopt;  // moved there first; none: where it is
};

// Whom VESK names when the plugin asks for the window in front before.
enum class LastWindow {
  Previous,     // the host's previous window; "0" when the case has none
  Nobody,       // "0", though the previous window is shown
  Desktop,      // the desktop window
  DesktopView,  // the stand-in shell's WorkerW holding the icon view
  OwnWorkerW,   // a "WorkerW" of the host's own at `previous`, holding a
                // "SHELLDLL_DefView" as a program showing a folder may
};

// One start of the plugin with `options` in the settings file: VESK's hidden
// main window at `start`, the window in front before it at `previous` (none:
// that window is hidden), the pointer at `pointer`; DoInit leaves the window
// where it is, the show must put it at `expected`, then each hotkey where it
// says. The fields after `hotkeys` are optional, set by name.
struct ShowCase {
  std::string name;
  std::vector<std::pair<std::string, std::string>> options;
  RECT start;
  std::optional<RECT> previous;
  POINT pointer;
  RECT expected;
  std::vector<HotkeyStep> hotkeys;

  LastWindow lastWindow = LastWindow::Previous;
  // The previous window minimised: parked at (-32000, -32000) as Windows
  // parks it, or left in place as Wine leaves it without a window manager.
  enum class Minimised { No, Parked, InPlace } previousMinimised = Minimised::No;
  // Shown again in the plugin's run of the case before, whose options stay:
  // no DoShutDown and DoInit in between.
  bool sameRun = false;
  // How often the show asks VESK for the window in front before; each time
  // with the plugin's id and room for 16 bytes.
  std::optional<int> previousWindowRequests = std::nullopt;
  // What section "Options" of the settings file holds after the hotkeys.
  std::vector<std::pair<std::string, std::string>> writtenByHotkeys = {};
  // Center=1 on the platform's own notifications: after the show a move to
  // this rectangle is let through, the next notification centres the window
  // at `expected` again, and after that a move there stays.
  std::optional<RECT> centredOnceFrom = std::nullopt;
  // Checks of the case's own, with the host's main and previous windows:
  // after the rest while the plugin runs and its window is shown, and after
  // DoShutDown with the window hidden.
  std::function<void(HostContext&, const TrackedWindow&, const TrackedWindow&)> whileRunning =
      nullptr;
  std::function<void(HostContext&, const TrackedWindow&, const TrackedWindow&)> afterShutDown =
      nullptr;
};

// Runs the cases in order, each from DoInit to DoShutDown (a case of the same
// run from its show), with one main window and one previous window of the
// host.
void RunShowCases(HostContext& context, const std::vector<ShowCase>& cases);

// The work area of each monitor is `expected`, in the order Wine enumerates
// them: the premise of any check of UseWorkArea.
bool CheckWorkAreas(Report& report, const std::vector<RECT>& expected);

}  // namespace tracking

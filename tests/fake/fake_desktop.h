// Control of the fake desktop that stands in for Windows in the native tests.
//
// It behaves as Windows does where the logic depends on it: moveWindow sends
// WM_WINDOWPOSCHANGING through the installed WH_CALLWNDPROC hooks of the
// window's thread synchronously, before the move takes effect; keystrokes pass
// the WH_KEYBOARD_LL hooks before the key state records them, and what a hook
// injects follows the keystroke it was injected in; profile files are
// parsed and written back whole as Wine's profile functions do (blank lines
// dropped, blanks around '=' removed, new keys at the end of their section).
#pragma once

#include "platform/platform.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fake {

// The thread every fake window belongs to unless told otherwise.
constexpr platform::ThreadId kGuiThread = 1;

// Empties the desktop: no displays, windows, hooks, files or key state, and
// nothing armed to fail.
void reset();

// Displays, enumerated in the order they are added.
struct Display {
  std::string name;  // e.g. "\\\\.\\DISPLAY1"
  std::uint32_t stateFlags = platform::kDisplayAttachedToDesktop;
  platform::DisplayMode mode;    // current settings
  bool settingsReadable = true;  // false: the settings query leaves zeros
  // The monitor the window manager reports for it, in the coordinates
  // windows use: for an attached display with readable settings, the
  // rectangle of its mode unless one is given.
  bool hasMonitor = true;
  std::optional<platform::Rect> monitor;
  std::optional<platform::Rect> work;  // none: the whole monitor
};
void addDisplay(const Display& display);
// Adds an attached display whose monitor is (left, top, right, bottom) in
// window coordinates; its settings report that rectangle times the scale.
void addMonitor(const platform::Rect& rect, bool primary = false);
// Display scaling of a host that is not DPI-aware: from now on addMonitor's
// display settings are `numerator / denominator` times the monitor's
// rectangle, while windows, moves, the pointer and monitor areas stay as given.
void setDisplayScale(std::int32_t numerator, std::int32_t denominator);
// The work area of the display added by addMonitor/addDisplay at `index`.
void setWorkArea(std::size_t index, const platform::Rect& work);
void clearDisplays();
// enumDisplayDevice answers false from `index` on, as if the list ended there.
void endEnumerationAt(std::uint32_t index);
// Unplugs the display added at `index`; the others keep their names.
void removeDisplay(std::size_t index);
// The monitor of the display added at `index`, and its settings, move to `rect`.
void moveMonitor(std::size_t index, const platform::Rect& rect);
// Display enumeration throws std::bad_alloc, as running out of memory while
// building a monitor list would.
void setEnumerationThrows(bool throws);

// Windows. Handles are small integers; 0 is never used.
platform::WindowHandle createWindow(const platform::Rect& rect,
                                    platform::ThreadId thread = kGuiThread);
void setWindowRect(platform::WindowHandle window, const platform::Rect& rect);
platform::Rect windowRect(platform::WindowHandle window);
// The window enforces this minimum size whenever it is moved.
void setMinimumSize(platform::WindowHandle window, std::int32_t width, std::int32_t height);
// The window enforces this maximum size whenever it is moved.
void setMaximumSize(platform::WindowHandle window, std::int32_t width, std::int32_t height);
// The window will not go left of x or above y whenever it is moved.
void setMinimumPosition(platform::WindowHandle window, std::int32_t x, std::int32_t y);
// getWindowRect fails for this window (answers zeros).
void setWindowRectUnreadable(platform::WindowHandle window, bool unreadable);
// Windows are created without a class; a child takes its parent's rectangle
// and thread.
void setWindowClass(platform::WindowHandle window, const std::string& className);
platform::WindowHandle createChildWindow(platform::WindowHandle parent,
                                         const std::string& className);
// Minimises the window. Windows parks a minimised window at (-32000, -32000),
// 160 x 28; unparked it stays where it is, as Wine leaves a window that no
// window manager handles.
void minimiseWindow(platform::WindowHandle window, bool parked = true);

// The shell as Windows 7 to 11 run it, on a thread of its own: "Progman", the
// shell window, and the "WorkerW" that holds the desktop's icon view (a child
// of class "SHELLDLL_DefView") once "Show desktop" or a wallpaper change has
// moved it there; both cover `virtualScreen`.
constexpr platform::ThreadId kShellThread = 2;
struct Shell {
  platform::WindowHandle progman;
  platform::WindowHandle desktopView;
};
Shell addShell(const platform::Rect& virtualScreen);

struct MoveCall {
  platform::WindowHandle window;
  std::int32_t x, y, width, height;
  bool repaint;
};
const std::vector<MoveCall>& moveCalls();
// Forgets the moves so far and the deepest nesting seen with them.
void clearMoveCalls();

void setForegroundWindow(platform::WindowHandle window);
void setActiveWindow(platform::WindowHandle window);
void setDesktopWindow(platform::WindowHandle window);
void setShellWindow(platform::WindowHandle window);

// Input. setKeyDown holds or releases a key as the user would, without a
// keystroke; setAsyncKeyDown the same for mouse buttons. getAsyncKeyState
// answers both.
void setKeyDown(int virtualKey, bool down);
void setAsyncKeyDown(int virtualKey, bool down);
// The system setting that makes the physical right button the primary one.
void setMouseButtonsSwapped(bool swapped);
void setCursor(platform::Point point, bool readable = true);

// Messages through the WH_CALLWNDPROC hooks of the window's thread, then to the
// window procedure, which only records it.
void sendMessage(platform::WindowHandle window, std::uint32_t message, platform::WordParam wParam);
// WM_SHOWWINDOW, then what SetWindowPos sends to show or hide: the window's
// visibility changes between its WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED.
void showWindow(platform::WindowHandle window, bool show);
// SetWindowPos with `flags`, which may show or hide the window.
void setWindowPos(platform::WindowHandle window, std::uint32_t flags);
// Visible or not without any message, as windows are when the plugin starts.
void setWindowVisible(platform::WindowHandle window, bool visible);
// DestroyWindow: a visible window is hidden first, then WM_DESTROY and
// WM_NCDESTROY; afterwards the handle is unknown.
void destroyWindow(platform::WindowHandle window);

// Messages a thread of the plugin's sent to a window of the test's thread
// without waiting (sendNotifyMessage) wait until the test pumps; then they go
// through the hooks in the order they were sent.
void pumpSentMessages();
int pendingSentMessages();

// Threads the plugin started and that have not ended yet.
int liveThreads();
// References to `module` taken and not given back.
int moduleReferences(platform::ModuleHandle module);
// Threads that ended giving back their module reference.
int exitsReleasingModule();

// One keystroke through the desktop's WH_KEYBOARD_LL hooks, newest first, each
// called on the thread that installed it (and waited for), with
// the `extraInfo` of the program that injected it (0: typed). Answers true
// when it reached the window in front (no hook dropped it). Afterwards the
// key state records it. Keystrokes a hook injects with injectKeystroke pass
// the hooks once this one has been dealt with, as SendInput's do.
bool keyDown(int virtualKey, std::uintptr_t extraInfo = 0);
bool keyUp(int virtualKey, std::uintptr_t extraInfo = 0);
struct InjectedKeystroke {
  std::uint32_t virtualKey;
  bool release;
  std::uintptr_t extraInfo;
  bool delivered;  // passed every hook
};
const std::vector<InjectedKeystroke>& injectedKeystrokes();

struct ReceivedMessage {
  platform::WindowHandle window;
  std::uint32_t message;
  platform::WordParam wParam;
};
const std::vector<ReceivedMessage>& receivedMessages();
// Of the keystrokes sent with keyDown and keyUp; injectedKeystrokes() tells of
// the rest.
int keystrokesReceived();
// Deepest nesting of WM_WINDOWPOSCHANGING deliveries from moveWindow since
// reset() or clearMoveCalls().
int maxPosChangingDepth();

int installedHooks(int hookType);
// Windows removes a low-level hook that answers too slowly without telling
// its owner: the hooks of `hookType` are gone, and nobody is told.
void dropHooksSilently(int hookType);
// Called as each hook is removed, before it is gone.
void setHookRemovalObserver(std::function<void()> observer);
// "install 4 on 1", "remove 4", ... in the order they happened.
const std::vector<std::string>& hookEvents();
int callNextHookCount();

// Profile files as text, CRLF line ends, by their UTF-8 paths.
bool fileExists(const std::string& path);
std::string fileText(const std::string& path);
void setFileText(const std::string& path, const std::string& text);
// Writes to this path fail silently (as a read-only folder would make them).
void setFileReadOnly(const std::string& path, bool readOnly);

// Any UTF-8 path; getModuleFileName cuts it as Windows since Vista does,
// and then reports ERROR_INSUFFICIENT_BUFFER.
void setModuleFileName(platform::ModuleHandle module, const std::string& path);
const std::vector<std::string>& shellOpened();
std::uint32_t lastError();

// Modal dialogs. dialogBox creates the dialog and its controls (the ids of
// the options dialog, plus IDOK and IDCANCEL), sends WM_INITDIALOG, then lets
// the scripted user act; a dialog the user leaves open is cancelled, as the
// close box would.
using DialogUser = std::function<void(platform::WindowHandle dialog)>;
void setDialogUser(DialogUser user);
// The next dialogBox fails (answers -1) without creating a window.
void setDialogCreationFails(bool fails);
struct DialogRun {
  platform::ModuleHandle module = 0;
  int templateId = 0;
  platform::WindowHandle owner = 0;
  bool focusMovedToFirstControl = false;
};
const std::vector<DialogRun>& dialogRuns();
bool isChecked(platform::WindowHandle dialog, int controlId);
void setChecked(platform::WindowHandle dialog, int controlId, bool checked);
std::string controlText(platform::WindowHandle dialog, int controlId);
void setControlText(platform::WindowHandle dialog, int controlId, const std::string& text);
// A drop-down list's items, the text of the one selected ("" for none), and
// the user choosing the item with `text`.
const std::vector<std::string>& listItems(platform::WindowHandle dialog, int controlId);
std::string selectedItem(platform::WindowHandle dialog, int controlId);
void selectItem(platform::WindowHandle dialog, int controlId, const std::string& text);
// The user presses a button (IDOK, IDCANCEL) or Esc (IDCANCEL as well).
void pressButton(platform::WindowHandle dialog, int controlId);

// String values of a file's version resource, by sub-block path.
void setVersionResource(const std::string& path, const std::map<std::string, std::string>& values);

// Platform calls a test can make fail, or act inside.
enum class Call { EnumDisplayDevice, GetWindowRect, MoveWindow, InstallHook };
// The nth call of `call` from now (1: the next) fails: enumDisplayDevice
// answers false, getWindowRect zeros, moveWindow sends its messages but leaves
// the window where it is, installHook answers 0.
void failCall(Call call, int nthFromNow);
// Runs `action` inside the nth call of `call` from now, once its answer is made.
void onCall(Call call, int nthFromNow, std::function<void()> action);
// The nth allocation from now throws std::bad_alloc (0: none), in a test
// binary whose operator new asks allocationFails().
void failAllocation(int nthFromNow);
// For that operator new: counts one allocation; true for the one to fail.
bool allocationFails();
// Whether a failure or action armed by the three above has yet to happen.
bool failurePending();
// While one lives, this thread's allocations are never failed: the fake's and
// the stand-ins' own work, which the real platform and host do outside our heap.
class UncountedAllocations {
 public:
  UncountedAllocations();
  ~UncountedAllocations();
  UncountedAllocations(const UncountedAllocations&) = delete;
  UncountedAllocations& operator=(const UncountedAllocations&) = delete;
};

// How often the logic asked the platform, for cost tests.
struct CallCounts {
  int getAsyncKeyState = 0;
  int getForegroundWindow = 0;
  int enumDisplayDevice = 0;
  int enumMonitorAreas = 0;
  int getWindowRect = 0;
  int getProfileInt = 0;
  int writeProfileString = 0;
  int getProfileSection = 0;
  int deleteProfileKey = 0;
};
CallCounts& calls();

}  // namespace fake

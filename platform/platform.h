// The Windows services the plugin uses, as plain functions over plain types.
//
// Two implementations exist and the build picks one: platform_win32.cpp wraps
// user32/kernel32/shell32/shlwapi/version for the DLL; the native tests link a
// scripted desktop, tests/fake/ (controlled through tests/fake/fake_desktop.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#define VMM_CDECL __cdecl
#define VMM_STDCALL __stdcall
#else
#define VMM_CDECL
#define VMM_STDCALL
#endif

namespace platform {

// Handles are 32-bit values at the host boundary; 0 is "none".
using WindowHandle = std::uint32_t;
using ModuleHandle = std::uintptr_t;
using HookHandle = std::uintptr_t;
using ThreadId = std::uint32_t;

using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;
using LongResult = std::intptr_t;

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct DisplayDevice {
  char name[32] = {};
  std::uint32_t stateFlags = 0;
};

// One monitor as the window manager reports it: in the coordinates window
// rectangles, moves and the pointer use, which differ from the display
// settings' physical pixels under display scaling.
struct MonitorArea {
  char deviceName[32] = {};  // the display device it belongs to
  Rect monitor;              // the whole monitor
  Rect work;                 // without the taskbar and docked toolbars
};

struct DisplayMode {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// What a WH_CALLWNDPROC hook is told about the message being delivered.
struct SentMessage {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  WordParam wParam = 0;
  LongParam lParam = 0;
  // Of a WM_WINDOWPOSCHANGED, the WINDOWPOS flags; 0 for any other message.
  std::uint32_t windowPosFlags = 0;
};

constexpr std::uint32_t kDisplayAttachedToDesktop = 0x1;
constexpr std::uint32_t kDisplayPrimaryDevice = 0x4;

constexpr std::uint32_t kMessageDestroy = 0x0002;
constexpr std::uint32_t kMessageActivate = 0x0006;
constexpr std::uint32_t kMessageQuit = 0x0012;
constexpr std::uint32_t kMessageShowWindow = 0x0018;
constexpr std::uint32_t kMessageActivateApp = 0x001C;
constexpr std::uint32_t kMessageWindowPosChanging = 0x0046;
constexpr std::uint32_t kMessageWindowPosChanged = 0x0047;
constexpr std::uint32_t kMessageApp = 0x8000;

constexpr std::uint32_t kWindowPosShowWindow = 0x0040;
constexpr std::uint32_t kWindowPosHideWindow = 0x0080;

constexpr int kHookCallWndProc = 4;
constexpr int kHookKeyboardLowLevel = 13;

constexpr int kKeyLeftButton = 0x01;
constexpr int kKeyRightButton = 0x02;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
constexpr int kKeyHome = 0x24;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyRight = 0x27;
constexpr int kKeyLeftWindows = 0x5B;

constexpr std::uint32_t kErrorOutOfMemory = 14;

constexpr std::uint32_t kMaxPath = 260;

using HookProc = LongResult(VMM_STDCALL*)(int code, WordParam wParam, LongParam lParam);

// Display enumeration. enumDisplayDevice answers false past the last index.
bool enumDisplayDevice(std::uint32_t index, DisplayDevice& device);
// Fills the current mode; a failed query leaves `mode` all zero.
void currentDisplayMode(const char* deviceName, DisplayMode& mode);
// Replaces `areas` with the desktop's monitors (EnumDisplayMonitors and
// GetMonitorInfoA); a monitor whose information cannot be read is left out.
void enumMonitorAreas(std::vector<MonitorArea>& areas);

// Window geometry. getWindowRect answers all zero for a window it cannot read.
Rect getWindowRect(WindowHandle window);
void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, bool repaint);
ThreadId getWindowThreadId(WindowHandle window);
WindowHandle getForegroundWindow();
WindowHandle getDesktopWindow();
WindowHandle getShellWindow();
WindowHandle getActiveWindow();
bool isWindowVisible(WindowHandle window);
// Minimised (IsIconic).
bool isIconic(WindowHandle window);
// The first child of `parent` of the window class `className`
// (FindWindowExA); 0 when it has none.
WindowHandle findChildWindow(WindowHandle parent, const char* className);

// Input state: the physical key state, with bit 15 set while down.
std::int16_t getAsyncKeyState(int virtualKey);
// The system's "switch primary and secondary buttons" setting.
bool mouseButtonsSwapped();
// A failed query leaves `point` untouched.
void getCursorPos(Point& point);

// Hooks: a thread hook with no module, or a desktop-wide one (thread 0) whose
// procedure lives in `module`. installHook answers 0 when the hook could not be
// installed.
HookHandle installHook(int hookType, HookProc proc, ModuleHandle module, ThreadId thread);
void removeHook(HookHandle hook);
LongResult callNextHook(int code, WordParam wParam, LongParam lParam);
// Decodes the lParam a WH_CALLWNDPROC hook receives.
SentMessage sentMessageOf(LongParam lParam);
// What a WH_KEYBOARD_LL hook is told about a keystroke (KBDLLHOOKSTRUCT), and
// decoding its lParam.
struct LowLevelKey {
  std::uint32_t virtualKey = 0;
  bool release = false;          // LLKHF_UP
  std::uintptr_t extraInfo = 0;  // what the program that injected it gave SendInput
};
LowLevelKey lowLevelKeyOf(LongParam lParam);
// One keystroke, press and release, through SendInput, carrying `extraInfo`.
void injectKeystroke(std::uint32_t virtualKey, std::uintptr_t extraInfo);

// Messages between threads. A message registered by name (0 when it cannot
// be had); sendNotifyMessage hands a message to the window's own thread
// without waiting: it goes through that thread's WH_CALLWNDPROC hooks when
// the thread next takes its sent messages, in the order they were sent.
std::uint32_t registerWindowMessage(const char* name);
void sendNotifyMessage(WindowHandle window, std::uint32_t message, WordParam wParam,
                       LongParam lParam);

// Threads of our own. startThread runs proc(parameter) on a new thread and
// answers its id, 0 when none could be started.
using ThreadProc = std::uint32_t(VMM_STDCALL*)(void* parameter);
ThreadId startThread(ThreadProc proc, void* parameter);
ThreadId currentThreadId();
// Gives the calling thread a message queue, so that messages posted to it
// from now on are kept.
void createMessageQueue();
// Waits for the calling thread's next posted message, calling its low-level
// hooks meanwhile (the platform calls them from here); false at WM_QUIT or
// when the queue is gone.
bool waitForThreadMessage(std::uint32_t& message);
// False when the thread has no message queue (yet, or any more).
bool postThreadMessage(ThreadId thread, std::uint32_t message);
// Keeps the module that holds `module`'s code mapped until releaseModule (or
// exitThreadReleasingModule) gives the reference back; false when it could
// not be taken.
bool referenceModule(ModuleHandle module);
void releaseModule(ModuleHandle module);
// Ends the calling thread and gives back its reference to `module` in one
// step (FreeLibraryAndExitThread), so that the thread never runs code of an
// unmapped module. Does not return on Windows; the fake records it and
// returns.
void exitThreadReleasingModule(ModuleHandle module);

// Private profile files, with the contract of the Windows profile functions.
// Every text, the path included, is UTF-8.
std::int32_t getProfileInt(const char* section, const char* key, std::int32_t fallback,
                           const char* path);
void writeProfileString(const char* section, const char* key, const char* value, const char* path);
// The section's lines as GetPrivateProfileSection answers them, in file
// order: "key=value", or the key alone for a line without '='; comments
// left out. Empty when the file or the section is missing.
std::vector<std::string> getProfileSection(const char* section, const char* path);
// WritePrivateProfileString with no value: removes the first key of that
// name from the sections of that name.
void deleteProfileKey(const char* section, const char* key, const char* path);

// Files and the shell.
// The module's path in UTF-8, as much of it as a buffer of `size` characters
// (UTF-16 units, as Windows counts them) holds with its terminator: a path
// that does not fit is cut to size - 1, as GetModuleFileNameW cuts it.
std::string getModuleFileName(ModuleHandle module, std::uint32_t size);
// Removes the last path component of a UTF-8 path, keeping a drive root's
// backslash.
void pathRemoveFileSpec(std::string& path);
// `path` is 8-bit text in the system code page, as the host gave it.
void shellOpen(const char* path);

// Modal dialogs. The dialog procedure answers like a Win32 DLGPROC.
using DialogProc = LongResult(VMM_STDCALL*)(WindowHandle dialog, std::uint32_t message,
                                            WordParam wParam, LongParam lParam);
constexpr std::uint32_t kMessageInitDialog = 0x0110;
constexpr std::uint32_t kMessageCommand = 0x0111;
constexpr std::uint32_t kMessageNcDestroy = 0x0082;
constexpr std::uint32_t kButtonGetCheck = 0x00F0;
constexpr std::uint32_t kButtonSetCheck = 0x00F1;
// A drop-down list's selected item (-1: none) and its choosing.
constexpr std::uint32_t kComboGetSelection = 0x0147;
constexpr std::uint32_t kComboSetSelection = 0x014E;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// DialogBoxParamA with 0 as the extra parameter: answers the EndDialog
// result, or 0 / -1 when the dialog could not be created.
LongResult dialogBox(ModuleHandle module, int templateId, WindowHandle owner, DialogProc proc);
void endDialog(WindowHandle dialog, LongResult result);
WindowHandle getDlgItem(WindowHandle dialog, int controlId);
LongResult sendMessage(WindowHandle window, std::uint32_t message, WordParam wParam,
                       LongParam lParam);
void setWindowText(WindowHandle window, const char* text);
// Appends an item to a drop-down list (CB_ADDSTRING).
void addListItem(WindowHandle comboBox, const char* text);
// At most size - 1 characters of the window's text.
std::string getWindowText(WindowHandle window, int size);
// The dialog's own data slot (DWLP_USER) and message result (DWLP_MSGRESULT).
void setDialogUserData(WindowHandle dialog, LongParam value);
LongParam getDialogUserData(WindowHandle dialog);
void setDialogMessageResult(WindowHandle dialog, LongResult result);

// Version resources of the file at a UTF-8 path. queryVersionString answers
// a string value of the resource without its terminator, in the system code
// page, or false when the value is absent.
std::uint32_t getFileVersionInfoSize(const char* path);
bool getFileVersionInfo(const char* path, std::uint32_t size, void* data);
bool queryVersionString(const void* data, const char* subBlock, std::string& value);
void setLastError(std::uint32_t error);

}  // namespace platform

// The seam over the real Windows services, for the DLL and the integration
// programs that run under Wine.
#include "platform/platform.h"

// windows.h first: the other two depend on it.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace platform {
namespace {

HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(window)); }

WindowHandle fromHwnd(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(window));
}

// The plugin keeps its texts in UTF-8; the wide functions are the only ones
// that take any path, whatever the system's code page holds. Wide texts live
// in vectors: a wide string class would add its whole library to the DLL.
using WideText = std::vector<wchar_t>;

// Terminated.
WideText WideOf(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  WideText wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  return wide;
}

// Up to the first terminator, and at most `size` characters.
std::string Utf8Of(const wchar_t* wide, std::size_t size) {
  std::size_t count = 0;
  while (count < size && wide[count] != L'\0') ++count;
  if (count == 0) return std::string();
  const int units = static_cast<int>(count);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, units, &text[0], length, nullptr, nullptr);
  return text;
}

}  // namespace

bool enumDisplayDevice(std::uint32_t index, DisplayDevice& device) {
  DISPLAY_DEVICEA record;
  std::memset(&record, 0, sizeof record);
  record.cb = sizeof record;
  if (EnumDisplayDevicesA(nullptr, index, &record, 0) != TRUE) return false;
  static_assert(sizeof device.name == sizeof record.DeviceName, "device names are 32 bytes");
  std::memcpy(device.name, record.DeviceName, sizeof device.name);
  device.name[sizeof device.name - 1] = '\0';
  device.stateFlags = record.StateFlags;
  return true;
}

void currentDisplayMode(const char* deviceName, DisplayMode& mode) {
  DEVMODEA record;
  std::memset(&record, 0, sizeof record);
  record.dmSize = 156;  // the classic DEVMODEA size; no driver extra
  EnumDisplaySettingsA(deviceName, ENUM_CURRENT_SETTINGS, &record);
  mode.x = record.dmPosition.x;
  mode.y = record.dmPosition.y;
  mode.width = record.dmPelsWidth;
  mode.height = record.dmPelsHeight;
}

namespace {

Rect RectOf(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

struct MonitorCollection {
  std::vector<MonitorArea>* areas;
  bool outOfMemory;
};

// No exception may cross the system's frames between EnumDisplayMonitors and
// this callback: an allocation failure ends the enumeration and is thrown
// again once it has returned.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& collection = *reinterpret_cast<MonitorCollection*>(data);
  MONITORINFOEXA info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  MonitorArea area;
  static_assert(sizeof area.deviceName == sizeof info.szDevice, "device names are 32 bytes");
  std::memcpy(area.deviceName, info.szDevice, sizeof area.deviceName);
  area.deviceName[sizeof area.deviceName - 1] = '\0';
  area.monitor = RectOf(info.rcMonitor);
  area.work = RectOf(info.rcWork);
  try {
    collection.areas->push_back(area);
  } catch (const std::bad_alloc&) {
    collection.outOfMemory = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void enumMonitorAreas(std::vector<MonitorArea>& areas) {
  areas.clear();
  MonitorCollection collection{&areas, false};
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&collection));
  if (collection.outOfMemory) throw std::bad_alloc();
}

Rect getWindowRect(WindowHandle window) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(toHwnd(window), &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, bool repaint) {
  MoveWindow(toHwnd(window), x, y, width, height, repaint ? TRUE : FALSE);
}

ThreadId getWindowThreadId(WindowHandle window) {
  DWORD process = 0;
  return GetWindowThreadProcessId(toHwnd(window), &process);
}

WindowHandle getForegroundWindow() { return fromHwnd(GetForegroundWindow()); }
WindowHandle getDesktopWindow() { return fromHwnd(GetDesktopWindow()); }
WindowHandle getShellWindow() { return fromHwnd(GetShellWindow()); }
WindowHandle getActiveWindow() { return fromHwnd(GetActiveWindow()); }
bool isWindowVisible(WindowHandle window) { return IsWindowVisible(toHwnd(window)) != FALSE; }

bool isIconic(WindowHandle window) { return IsIconic(toHwnd(window)) != FALSE; }

WindowHandle findChildWindow(WindowHandle parent, const char* className) {
  return fromHwnd(FindWindowExA(toHwnd(parent), nullptr, className, nullptr));
}

std::int16_t getAsyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

bool mouseButtonsSwapped() { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }

void getCursorPos(Point& point) {
  POINT p = {point.x, point.y};
  if (GetCursorPos(&p)) {
    point.x = p.x;
    point.y = p.y;
  }
}

HookHandle installHook(int hookType, HookProc proc, ModuleHandle module, ThreadId thread) {
  // HookProc has HOOKPROC's calling convention and argument sizes; only the
  // integer type names differ.
  const auto windowsProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(proc));
  return reinterpret_cast<HookHandle>(
      SetWindowsHookExA(hookType, windowsProc, reinterpret_cast<HINSTANCE>(module), thread));
}

void removeHook(HookHandle hook) { UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)); }

LongResult callNextHook(int code, WordParam wParam, LongParam lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

SentMessage sentMessageOf(LongParam lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  SentMessage decoded{fromHwnd(sent->hwnd), sent->message, sent->wParam, sent->lParam, 0};
  if (sent->message == WM_WINDOWPOSCHANGED && sent->lParam != 0) {
    decoded.windowPosFlags = reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags;
  }
  return decoded;
}

LowLevelKey lowLevelKeyOf(LongParam lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  return LowLevelKey{key->vkCode, (key->flags & LLKHF_UP) != 0, key->dwExtraInfo};
}

void injectKeystroke(std::uint32_t virtualKey, std::uintptr_t extraInfo) {
  INPUT inputs[2];
  std::memset(inputs, 0, sizeof inputs);
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.dwExtraInfo = extraInfo;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

std::uint32_t registerWindowMessage(const char* name) { return RegisterWindowMessageA(name); }

void sendNotifyMessage(WindowHandle window, std::uint32_t message, WordParam wParam,
                       LongParam lParam) {
  SendNotifyMessageA(toHwnd(window), message, wParam, lParam);
}

ThreadId startThread(ThreadProc proc, void* parameter) {
  // ThreadProc has LPTHREAD_START_ROUTINE's calling convention and sizes.
  const auto windowsProc =
      reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(proc));
  DWORD id = 0;
  const HANDLE thread = CreateThread(nullptr, 0, windowsProc, parameter, 0, &id);
  if (thread == nullptr) return 0;
  // Nobody waits for it: it ends by itself.
  CloseHandle(thread);
  return id;
}

ThreadId currentThreadId() { return GetCurrentThreadId(); }

void createMessageQueue() {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

bool waitForThreadMessage(std::uint32_t& message) {
  MSG next;
  if (GetMessageA(&next, nullptr, 0, 0) <= 0) return false;
  message = next.message;
  return true;
}

bool postThreadMessage(ThreadId thread, std::uint32_t message) {
  return PostThreadMessageA(thread, message, 0, 0) != FALSE;
}

bool referenceModule(ModuleHandle module) {
  HMODULE referenced = nullptr;
  // A module's handle is its base address, which lies inside it.
  return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(module), &referenced) != FALSE;
}

void releaseModule(ModuleHandle module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

void exitThreadReleasingModule(ModuleHandle module) {
  FreeLibraryAndExitThread(reinterpret_cast<HMODULE>(module), 0);
}

std::int32_t getProfileInt(const char* section, const char* key, std::int32_t fallback,
                           const char* path) {
  const UINT value = GetPrivateProfileIntW(WideOf(section).data(), WideOf(key).data(), fallback,
                                           WideOf(path).data());
  // The profile function's UINT carries a signed value.
  return static_cast<std::int32_t>(value);
}

void writeProfileString(const char* section, const char* key, const char* value, const char* path) {
  WritePrivateProfileStringW(WideOf(section).data(), WideOf(key).data(), WideOf(value).data(),
                             WideOf(path).data());
}

std::vector<std::string> getProfileSection(const char* section, const char* path) {
  // A section the plugin writes holds a few short lines; a larger one is
  // cut where the buffer ends, its last entry then half read.
  WideText buffer(8192, L'\0');
  const DWORD copied =
      GetPrivateProfileSectionW(WideOf(section).data(), buffer.data(),
                                static_cast<DWORD>(buffer.size()), WideOf(path).data());
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < copied && at < buffer.size() && buffer[at] != L'\0') {
    std::size_t end = at;
    while (end < buffer.size() && buffer[end] != L'\0') ++end;
    lines.push_back(Utf8Of(&buffer[at], end - at));
    at = end + 1;
  }
  return lines;
}

void deleteProfileKey(const char* section, const char* key, const char* path) {
  WritePrivateProfileStringW(WideOf(section).data(), WideOf(key).data(), nullptr,
                             WideOf(path).data());
}

std::string getModuleFileName(ModuleHandle module, std::uint32_t size) {
  if (size == 0) return std::string();
  WideText path(size, L'\0');
  const DWORD copied = GetModuleFileNameW(reinterpret_cast<HMODULE>(module), path.data(), size);
  // A path that does not fit: since Vista it is cut to size - 1 characters
  // and terminated, Windows XP fills the whole buffer without a terminator.
  // Bounding it by both gives the same path on every system.
  return Utf8Of(path.data(), copied < size ? copied : size - 1);
}

void pathRemoveFileSpec(std::string& path) {
  WideText wide = WideOf(path.c_str());
  PathRemoveFileSpecW(wide.data());
  path = Utf8Of(wide.data(), wide.size());
}

void shellOpen(const char* path) {
  ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void setLastError(std::uint32_t error) { SetLastError(error); }

LongResult dialogBox(ModuleHandle module, int templateId, WindowHandle owner, DialogProc proc) {
  // DialogProc has DLGPROC's calling convention and argument sizes; the
  // window handle travels as a 32-bit number instead of a pointer.
  const auto windowsProc = reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(proc));
  return DialogBoxParamA(reinterpret_cast<HINSTANCE>(module), MAKEINTRESOURCEA(templateId),
                         toHwnd(owner), windowsProc, 0);
}

void endDialog(WindowHandle dialog, LongResult result) { EndDialog(toHwnd(dialog), result); }

WindowHandle getDlgItem(WindowHandle dialog, int controlId) {
  return fromHwnd(GetDlgItem(toHwnd(dialog), controlId));
}

LongResult sendMessage(WindowHandle window, std::uint32_t message, WordParam wParam,
                       LongParam lParam) {
  return SendMessageA(toHwnd(window), message, wParam, lParam);
}

void setWindowText(WindowHandle window, const char* text) { SetWindowTextA(toHwnd(window), text); }

void addListItem(WindowHandle comboBox, const char* text) {
  SendMessageA(toHwnd(comboBox), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

std::string getWindowText(WindowHandle window, int size) {
  std::string text(static_cast<std::size_t>(size), '\0');
  const int length = GetWindowTextA(toHwnd(window), &text[0], size);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

// The pointer-sized slots: the user data holds a pointer to the dialog's object.
void setDialogUserData(WindowHandle dialog, LongParam value) {
  SetWindowLongPtrA(toHwnd(dialog), DWLP_USER, value);
}

LongParam getDialogUserData(WindowHandle dialog) {
  return GetWindowLongPtrA(toHwnd(dialog), DWLP_USER);
}

void setDialogMessageResult(WindowHandle dialog, LongResult result) {
  SetWindowLongPtrA(toHwnd(dialog), DWLP_MSGRESULT, result);
}

std::uint32_t getFileVersionInfoSize(const char* path) {
  DWORD handle = 0;
  return GetFileVersionInfoSizeW(WideOf(path).data(), &handle);
}

// The information read by the wide function carries the room in which
// VerQueryValueA puts its 8-bit copies of the values.
bool getFileVersionInfo(const char* path, std::uint32_t size, void* data) {
  return GetFileVersionInfoW(WideOf(path).data(), 0, size, data) != FALSE;
}

bool queryVersionString(const void* data, const char* subBlock, std::string& value) {
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data, subBlock, &text, &length) || text == nullptr) return false;
  // The recorded length counts the terminator; stop at the first zero anyway.
  const char* begin = static_cast<const char*>(text);
  std::size_t size = 0;
  while (size < length && begin[size] != '\0') ++size;
  value.assign(begin, size);
  return true;
}

}  // namespace platform

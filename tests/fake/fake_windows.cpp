// The fake desktop behind the platform seam, for the native unit tests.
#include "platform/fake_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <set>
#include <stdexcept>

namespace fake {
namespace {

struct Window {
  platform::Rect rect;
  platform::ThreadId thread = kGuiThread;
  std::int32_t minWidth = 0;
  std::int32_t minHeight = 0;
  bool rectUnreadable = false;
  // Dialogs and their controls.
  platform::WindowHandle parent = 0;
  int controlId = 0;
  bool checked = false;
  std::string text;
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
};

// The fake CWPSTRUCT: what sentMessageOf decodes.
struct CallWndProcRecord {
  platform::LongParam lParam;
  platform::WordParam wParam;
  std::uint32_t message;
  platform::WindowHandle window;
};

struct Desktop {
  std::vector<Display> displays;
  bool enumerationThrows = false;
  std::map<platform::WindowHandle, Window> windows;
  platform::WindowHandle nextWindow = 1;
  std::vector<MoveCall> moves;
  platform::WindowHandle foreground = 0;
  platform::WindowHandle active = 0;
  platform::WindowHandle desktop = 0;
  platform::WindowHandle shell = 0;
  std::set<int> keysDown;
  std::set<int> asyncKeysDown;
  platform::Point cursor;
  bool cursorReadable = true;
  std::vector<Hook> hooks;
  platform::HookHandle nextHook = 1;
  std::vector<std::string> hookEvents;
  std::vector<ReceivedMessage> received;
  int keystrokes = 0;
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

Desktop& desktop() {
  static Desktop instance;
  return instance;
}

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
  // Hooks may install or remove hooks while they run; walk a copy.
  for (const Hook& hook : hooksOf(platform::kHookCallWndProc, threadOf(window))) {
    CallWndProcRecord record{0, wParam, message, window};
    hook.proc(0, 1, reinterpret_cast<platform::LongParam>(&record));
  }
  desktop().received.push_back(ReceivedMessage{window, message, wParam});
}

bool keystroke(int virtualKey, std::uint32_t flags) {
  bool swallowed = false;
  for (const Hook& hook : hooksOf(platform::kHookKeyboard, kGuiThread)) {
    if (hook.proc(0, static_cast<platform::WordParam>(virtualKey),
                  static_cast<platform::LongParam>(static_cast<std::int32_t>(flags))) != 0) {
      swallowed = true;
      break;
    }
  }
  if (!swallowed) ++desktop().keystrokes;
  return !swallowed;
}

// Profile files as Wine's profile functions see them: the text is parsed
// into sections of keys, looked up case-insensitively, and written back whole.
struct IniKey {
  std::string name;
  bool hasValue = false;  // a line without '=' is a key without a value
  std::string value;
};

struct IniSection {
  std::string name;  // "" for the lines before the first header
  std::vector<IniKey> keys;
};

bool isIniSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

std::string trimIni(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isIniSpace(text[begin])) ++begin;
  while (end > begin && isIniSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Lines end at '\n' (or at '\r' where no '\n' follows); blank lines are
// dropped; "[name]" opens a section, trimmed, up to the last ']'; anything
// else is a key, with blanks around '=' removed.
std::vector<IniSection> parseIni(const std::string& text) {
  std::vector<IniSection> sections(1);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.find('\r', start);
    stop = stop == std::string::npos ? text.size() : stop + 1;
    const std::string line = trimIni(text.substr(start, stop - start));
    start = stop;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos && close > 0) {
        sections.push_back(IniSection{trimIni(line.substr(1, close - 1)), {}});
        continue;
      }
    }
    IniKey key;
    const std::size_t equals = line.find('=');
    key.name = trimIni(line.substr(0, equals));
    if (equals != std::string::npos) {
      key.hasValue = true;
      key.value = trimIni(line.substr(equals + 1));
    }
    // A nameless key right after another nameless one is dropped.
    std::vector<IniKey>& keys = sections.back().keys;
    if (key.name.empty() && !keys.empty() && keys.back().name.empty()) continue;
    keys.push_back(key);
  }
  return sections;
}

std::string formatIni(const std::vector<IniSection>& sections) {
  std::string text;
  for (const IniSection& section : sections) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    for (const IniKey& key : section.keys) {
      text += key.name;
      if (key.hasValue) text += "=" + key.value;
      text += "\r\n";
    }
  }
  return text;
}

// Only the first section of that name is searched.
IniSection* findIniSection(std::vector<IniSection>& sections, const std::string& name) {
  const std::string wanted = trimIni(name);
  for (IniSection& section : sections) {
    if (equalsIgnoringCase(section.name, wanted)) return &section;
  }
  return nullptr;
}

IniKey* findIniKey(IniSection& section, const std::string& name) {
  const std::string wanted = trimIni(name);
  for (IniKey& key : section.keys) {
    if (equalsIgnoringCase(key.name, wanted)) return &key;
  }
  return nullptr;
}

// What GetPrivateProfileStringA copies into a 30-character buffer: one pair
// of enclosing quotes is removed.
std::string profileValueText(const std::string& value) {
  std::string text = value;
  bool quoted = false;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text.erase(0, 1);
    quoted = true;
  }
  const std::size_t room = 29;
  if (text.size() > room) {
    text.resize(room);
  } else if (quoted) {
    text.pop_back();
  }
  return text;
}

// The ntdll string-to-integer rule with base 0: blanks, a sign, "0x", "0o" or
// "0b" (lower case), then digits up to the first other character, wrapping at
// 32 bits. "-0x10" -> -16, "12abc" -> 12, "true" -> 0.
std::uint32_t parseProfileNumber(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::uint32_t base = 10;
  if (text.size() - at >= 2 && text[at] == '0') {
    const char prefix = text[at + 1];
    base = prefix == 'b' ? 2 : prefix == 'o' ? 8 : prefix == 'x' ? 16 : 10;
    if (base != 10) at += 2;
  }
  std::uint32_t total = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    std::uint32_t digit = 36;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'z') digit = static_cast<std::uint32_t>(c - 'a') + 10;
    if (c >= 'A' && c <= 'Z') digit = static_cast<std::uint32_t>(c - 'A') + 10;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

}  // namespace

void reset() { desktop() = Desktop{}; }

void addDisplay(const Display& display) { desktop().displays.push_back(display); }

void addMonitor(const platform::Rect& rect, bool primary) {
  Display display;
  display.name = "\\\\.\\DISPLAY" + std::to_string(desktop().displays.size() + 1);
  display.stateFlags =
      platform::kDisplayAttachedToDesktop | (primary ? platform::kDisplayPrimaryDevice : 0u);
  display.mode.x = rect.left;
  display.mode.y = rect.top;
  display.mode.width = static_cast<std::uint32_t>(rect.right - rect.left);
  display.mode.height = static_cast<std::uint32_t>(rect.bottom - rect.top);
  addDisplay(display);
}

void clearDisplays() { desktop().displays.clear(); }

void setEnumerationThrows(bool throws) { desktop().enumerationThrows = throws; }

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
  // Bit 30: the key was down before (auto-repeat).
  const std::uint32_t flags = 1u | (repeat ? (1u << 30) : 0u);
  const bool delivered = keystroke(virtualKey, flags);
  setKeyDown(virtualKey, true);
  return delivered;
}

bool keyUp(int virtualKey) {
  const std::uint32_t flags = 1u | (1u << 30) | (1u << 31);
  const bool delivered = keystroke(virtualKey, flags);
  setKeyDown(virtualKey, false);
  return delivered;
}

const std::vector<ReceivedMessage>& receivedMessages() { return desktop().received; }
int keystrokesReceived() { return desktop().keystrokes; }
int maxPosChangingDepth() { return desktop().maxPosChangingDepth; }

int installedHooks(int hookType) {
  return static_cast<int>(std::count_if(desktop().hooks.begin(), desktop().hooks.end(),
                                        [&](const Hook& hook) { return hook.type == hookType; }));
}

const std::vector<std::string>& hookEvents() { return desktop().hookEvents; }

int callNextHookCount() { return desktop().callNextHook; }

bool fileExists(const std::string& path) { return desktop().files.count(path) != 0; }

std::string fileText(const std::string& path) {
  const auto it = desktop().files.find(path);
  return it == desktop().files.end() ? std::string() : it->second;
}

void setFileText(const std::string& path, const std::string& text) { desktop().files[path] = text; }

void setFileReadOnly(const std::string& path, bool readOnly) {
  if (readOnly) {
    desktop().readOnlyFiles.insert(path);
  } else {
    desktop().readOnlyFiles.erase(path);
  }
}

void setModuleFileName(platform::ModuleHandle module, const std::string& path) {
  desktop().modules[module] = path;
}

const std::vector<std::string>& shellOpened() { return desktop().shellOpened; }
std::uint32_t lastError() { return desktop().lastError; }

void setVersionResource(const std::string& path, const std::map<std::string, std::string>& values) {
  desktop().versionResources[path] = values;
}

CallCounts& calls() { return desktop().calls; }

namespace {

constexpr int kDialogControlIds[] = {platform::kIdOk,
                                     platform::kIdCancel,
                                     3000,
                                     3001,
                                     3002,
                                     3003,
                                     3004,
                                     3006,
                                     3007,
                                     3008,
                                     3009,
                                     3010,
                                     3011};

Window* controlOf(platform::WindowHandle dialog, int controlId) {
  for (auto& [handle, window] : desktop().windows) {
    if (window.parent == dialog && window.controlId == controlId) return &window;
  }
  return nullptr;
}

Window& requireControl(platform::WindowHandle dialog, int controlId) {
  Window* control = controlOf(dialog, controlId);
  if (control == nullptr) throw std::logic_error("no such control");
  return *control;
}

platform::LongResult dialogCall(platform::WindowHandle dialog, std::uint32_t message,
                                platform::WordParam wParam, platform::LongParam lParam) {
  return desktop().windows[dialog].dialogProc(dialog, message, wParam, lParam);
}

}  // namespace

void setDialogUser(DialogUser user) { desktop().dialogUser = std::move(user); }
void setDialogCreationFails(bool fails) { desktop().dialogCreationFails = fails; }
const std::vector<DialogRun>& dialogRuns() { return desktop().dialogRuns; }

bool isChecked(platform::WindowHandle dialog, int controlId) {
  return requireControl(dialog, controlId).checked;
}

void setChecked(platform::WindowHandle dialog, int controlId, bool checked) {
  requireControl(dialog, controlId).checked = checked;
}

std::string controlText(platform::WindowHandle dialog, int controlId) {
  return requireControl(dialog, controlId).text;
}

void setControlText(platform::WindowHandle dialog, int controlId, const std::string& text) {
  requireControl(dialog, controlId).text = text;
}

void pressButton(platform::WindowHandle dialog, int controlId) {
  const platform::WordParam clicked = 0;  // BN_CLICKED in the high word
  dialogCall(dialog, platform::kMessageCommand,
             static_cast<platform::WordParam>(controlId) | (clicked << 16), 0);
}

}  // namespace fake

namespace platform {

using fake::desktop;

bool enumDisplayDevice(std::uint32_t index, DisplayDevice& device) {
  ++desktop().calls.enumDisplayDevice;
  if (desktop().enumerationThrows) throw std::bad_alloc();
  if (index >= desktop().displays.size()) return false;
  const fake::Display& display = desktop().displays[index];
  desktop().lastEnumerated = index;
  device = DisplayDevice{};
  std::strncpy(device.name, display.name.c_str(), sizeof device.name - 1);
  device.stateFlags = display.stateFlags;
  return true;
}

void currentDisplayMode(const char* deviceName, DisplayMode& mode) {
  // Device names are unique on a desktop.
  const auto& displays = desktop().displays;
  if (desktop().lastEnumerated < displays.size()) {
    const fake::Display& last = displays[desktop().lastEnumerated];
    if (last.name == deviceName) {
      if (last.settingsReadable) mode = last.mode;
      return;
    }
  }
  for (const fake::Display& display : displays) {
    if (display.name == deviceName && display.settingsReadable) {
      mode = display.mode;
      return;
    }
  }
}

Rect getWindowRect(WindowHandle window) {
  ++desktop().calls.getWindowRect;
  const auto it = desktop().windows.find(window);
  if (it == desktop().windows.end() || it->second.rectUnreadable) return Rect{};
  return it->second.rect;
}

void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height, bool repaint) {
  desktop().moves.push_back(fake::MoveCall{window, x, y, width, height, repaint});
  if (desktop().windows.count(window) == 0) return;
  fake::Desktop& d = desktop();
  ++d.posChangingDepth;
  d.maxPosChangingDepth = std::max(d.maxPosChangingDepth, d.posChangingDepth);
  fake::deliver(window, kMessageWindowPosChanging, 0);
  --d.posChangingDepth;
  // The window enforces its limits when the change is applied.
  fake::Window& target = d.windows[window];
  const std::int32_t appliedWidth = std::max(width, target.minWidth);
  const std::int32_t appliedHeight = std::max(height, target.minHeight);
  target.rect = Rect{x, y, static_cast<std::int32_t>(std::int64_t{x} + appliedWidth),
                     static_cast<std::int32_t>(std::int64_t{y} + appliedHeight)};
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

std::int16_t getAsyncKeyState(int virtualKey) {
  ++desktop().calls.getAsyncKeyState;
  // Bit 0 ("pressed since the last query") set as well, which callers ignore.
  return desktop().asyncKeysDown.count(virtualKey) != 0 ? std::int16_t{-32767} : std::int16_t{1};
}

void getCursorPos(Point& point) {
  if (desktop().cursorReadable) point = desktop().cursor;
}

HookHandle installHook(int hookType, HookProc proc, ThreadId thread) {
  if (thread == 0 || proc == nullptr) return 0;
  const HookHandle handle = desktop().nextHook++;
  desktop().hooks.push_back(fake::Hook{handle, hookType, proc, thread});
  desktop().hookEvents.push_back("install " + std::to_string(hookType) + " on " +
                                 std::to_string(thread));
  return handle;
}

void removeHook(HookHandle hook) {
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

std::int32_t getProfileInt(const char* section, const char* key, std::int32_t fallback,
                           const char* path) {
  ++desktop().calls.getProfileInt;
  const auto file = desktop().files.find(path);
  if (file == desktop().files.end()) return fallback;
  std::vector<fake::IniSection> sections = fake::parseIni(file->second);
  fake::IniSection* found = fake::findIniSection(sections, section);
  const fake::IniKey* entry = found != nullptr ? fake::findIniKey(*found, key) : nullptr;
  if (entry == nullptr || !entry->hasValue) return fallback;
  const std::string text = fake::profileValueText(entry->value);
  if (text.empty()) return fallback;
  const std::uint32_t bits = fake::parseProfileNumber(text);
  return static_cast<std::int32_t>(bits <= 0x7FFFFFFFu ? std::int64_t{bits}
                                                       : std::int64_t{bits} - 0x100000000LL);
}

void writeProfileString(const char* section, const char* key, const char* value, const char* path) {
  ++desktop().calls.writeProfileString;
  if (desktop().readOnlyFiles.count(path) != 0) return;
  const auto file = desktop().files.find(path);
  std::vector<fake::IniSection> sections;
  if (file != desktop().files.end()) sections = fake::parseIni(file->second);
  fake::IniSection* found = fake::findIniSection(sections, section);
  if (found == nullptr) {
    sections.push_back(fake::IniSection{section, {}});
    found = &sections.back();
  }
  fake::IniKey* entry = fake::findIniKey(*found, key);
  if (entry == nullptr) {
    found->keys.push_back(fake::IniKey{key, false, ""});
    entry = &found->keys.back();
  }
  // Leading blanks of the value are not stored.
  std::string text = value;
  std::size_t blanks = 0;
  while (blanks < text.size() && fake::isIniSpace(text[blanks])) ++blanks;
  text.erase(0, blanks);
  // The same value again changes nothing, and the file is not rewritten.
  if (entry->hasValue && entry->value == text) return;
  entry->hasValue = true;
  entry->value = text;
  desktop().files[path] = fake::formatIni(sections);
}

std::uint32_t getModuleFileName(ModuleHandle module, char* buffer, std::uint32_t size) {
  if (size == 0) return 0;
  const auto it = desktop().modules.find(module);
  const std::string path = it == desktop().modules.end() ? std::string() : it->second;
  const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
  std::memcpy(buffer, path.data(), copied);
  buffer[copied] = '\0';
  return static_cast<std::uint32_t>(copied);
}

void pathRemoveFileSpec(char* path) {
  // The shell's rule: cut at the last backslash, but keep "C:\" and a
  // leading "\" or "\\" whole.
  char* cut = path;
  char* at = path;
  if (*at == '\\') cut = ++at;
  if (*at == '\\') cut = ++at;
  while (*at != '\0') {
    if (*at == '\\') {
      cut = at;
    } else if (*at == ':') {
      cut = ++at;
      if (*at == '\\') ++cut;
      if (*at == '\0') break;
    }
    ++at;
  }
  *cut = '\0';
}

void shellOpen(const char* path) { desktop().shellOpened.push_back(path); }

void setLastError(std::uint32_t error) { desktop().lastError = error; }

LongResult dialogBox(ModuleHandle module, int templateId, WindowHandle owner, DialogProc proc) {
  if (desktop().dialogCreationFails) return -1;
  const WindowHandle dialog = fake::createWindow({0, 0, 414, 374});
  desktop().windows[dialog].dialogProc = proc;
  for (int id : fake::kDialogControlIds) {
    const WindowHandle control = fake::createWindow({});
    desktop().windows[control].parent = dialog;
    desktop().windows[control].controlId = id;
  }
  desktop().dialogRuns.push_back(fake::DialogRun{module, templateId, owner, false});
  const std::size_t run = desktop().dialogRuns.size() - 1;

  constexpr std::uint32_t kSetFont = 0x0030;
  fake::dialogCall(dialog, kSetFont, 0, 0);
  // A non-zero answer asks the dialog manager to focus the first control.
  if (fake::dialogCall(dialog, kMessageInitDialog, 0, 0) != 0) {
    desktop().dialogRuns[run].focusMovedToFirstControl = true;
  }
  if (desktop().dialogUser) desktop().dialogUser(dialog);
  if (!desktop().windows[dialog].dialogEnded) fake::pressButton(dialog, kIdCancel);
  fake::dialogCall(dialog, kMessageNcDestroy, 0, 0);
  return desktop().windows[dialog].dialogResult;
}

void endDialog(WindowHandle dialog, LongResult result) {
  desktop().windows[dialog].dialogEnded = true;
  desktop().windows[dialog].dialogResult = result;
}

WindowHandle getDlgItem(WindowHandle dialog, int controlId) {
  for (const auto& [handle, window] : desktop().windows) {
    if (window.parent == dialog && window.controlId == controlId) return handle;
  }
  return 0;
}

LongResult sendMessage(WindowHandle window, std::uint32_t message, WordParam wParam, LongParam) {
  auto it = desktop().windows.find(window);
  if (it == desktop().windows.end()) return 0;
  if (message == kButtonSetCheck) it->second.checked = wParam == 1;
  if (message == kButtonGetCheck) return it->second.checked ? 1 : 0;
  return 0;
}

void setWindowText(WindowHandle window, const char* text) {
  if (desktop().windows.count(window) != 0) desktop().windows[window].text = text;
}

std::string getWindowText(WindowHandle window, int size) {
  const auto it = desktop().windows.find(window);
  if (it == desktop().windows.end() || size <= 0) return std::string();
  return it->second.text.substr(0, static_cast<std::size_t>(size - 1));
}

void setDialogUserData(WindowHandle dialog, LongParam value) {
  desktop().windows[dialog].userData = value;
}

LongParam getDialogUserData(WindowHandle dialog) { return desktop().windows[dialog].userData; }

void setDialogMessageResult(WindowHandle dialog, LongResult result) {
  desktop().windows[dialog].messageResult = result;
}

std::uint32_t getFileVersionInfoSize(const char* path) {
  const auto it = desktop().versionResources.find(path);
  return it == desktop().versionResources.end() ? 0 : 1024;
}

bool getFileVersionInfo(const char* path, std::uint32_t size, void* data) {
  const auto it = desktop().versionResources.find(path);
  if (it == desktop().versionResources.end() || size < sizeof(void*)) return false;
  // The buffer carries which resource it holds.
  const void* resource = &it->second;
  std::memcpy(data, &resource, sizeof resource);
  return true;
}

bool queryVersionString(const void* data, const char* subBlock, std::string& value) {
  const void* resource = nullptr;
  std::memcpy(&resource, data, sizeof resource);
  const auto& values = *static_cast<const std::map<std::string, std::string>*>(resource);
  const auto it = values.find(subBlock);
  if (it == values.end()) return false;
  value = it->second;
  return true;
}

}  // namespace platform

// The Windows shell's part in the hotkeys: since Windows 7 it registers
// Win+Left/Right/Home and Win(+Ctrl(+Shift))+digit for itself, and a
// registered combination's press goes to it, not to the window in front.
// It also keeps the desktop's windows, which tell the plugin that the user
// worked on the desktop. Wine has no shell; this one plays it for the run
// (--shell).
#include "tests/e2e/vesk_host.h"

namespace {

constexpr const char* kShellClass = "VeskStandInShell";
constexpr UINT kSyncMessage = WM_APP;
constexpr UINT kQuitMessage = WM_APP + 1;

StandInShell* runningShell = nullptr;

LRESULT CALLBACK ShellKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && runningShell != nullptr) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    runningShell->logKey(StandInShell::Key{key->vkCode, (key->flags & LLKHF_UP) != 0});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The shell's combinations (modifiers, key): the table of what it does with
// each, plus Win+digit, which it keeps when the plugin does not want it.
std::vector<std::pair<UINT, UINT>> ShellCombinations() {
  std::vector<std::pair<UINT, UINT>> combinations = {
      {MOD_WIN, VK_LEFT}, {MOD_WIN, VK_RIGHT}, {MOD_WIN, VK_HOME}};
  for (UINT digit = '0'; digit <= '9'; ++digit) {
    combinations.push_back({MOD_WIN, digit});
    combinations.push_back({MOD_WIN | MOD_CONTROL, digit});
    combinations.push_back({MOD_WIN | MOD_CONTROL | MOD_SHIFT, digit});
  }
  return combinations;
}

// Hidden: the plugin looks only at their thread, children and places, and
// a visible window over the whole screen would take the keyboard focus,
// which follows the pointer without a window manager. The shell window is
// set from this thread (Wine allows that; see WINE-NOTES), through
// user32's export, which the SDK headers leave undeclared.
bool CreateDesktopWindows(HINSTANCE instance, HWND& progman, HWND& desktopView) {
  for (const char* name : {"Progman", "WorkerW", "SHELLDLL_DefView"}) RegisterPlainClass(name);
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  progman = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP, x, y, width, height, nullptr,
                            nullptr, instance, nullptr);
  desktopView = CreateWindowExA(0, "WorkerW", "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                instance, nullptr);
  const HWND iconView =
      desktopView == nullptr
          ? nullptr
          : CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                            desktopView, nullptr, instance, nullptr);
  using SetShellWindowFunction = BOOL(WINAPI*)(HWND);
  const auto setShellWindow = reinterpret_cast<SetShellWindowFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SetShellWindow")));
  return progman != nullptr && iconView != nullptr && setShellWindow != nullptr &&
         setShellWindow(progman) != FALSE && GetShellWindow() == progman;
}

}  // namespace

void RegisterPlainClass(const char* name) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name;
  // A second registration fails, and leaves the first in place.
  RegisterClassA(&windowClass);
}

bool StandInShell::start() {
  InitializeCriticalSection(&lock_);
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  synced_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  runningShell = this;
  thread_ = CreateThread(nullptr, 0, &StandInShell::run, this, 0, &threadId_);
  if (thread_ == nullptr || WaitForSingleObject(ready_, 5000) != WAIT_OBJECT_0) return false;
  return started_;
}

DWORD WINAPI StandInShell::run(void* self) {
  auto& shell = *static_cast<StandInShell*>(self);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterPlainClass(kShellClass);
  // Wine's server needs a real window for a hotkey; a hidden one will do.
  shell.window_ = CreateWindowExA(0, kShellClass, "shell", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  instance, nullptr);
  bool registered = shell.window_ != nullptr;
  int id = 1;
  for (const auto& combination : ShellCombinations()) {
    registered =
        registered && RegisterHotKey(shell.window_, id++, combination.first, combination.second);
  }
  shell.hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, &ShellKeyboardHook, instance, 0);
  const bool desktop = CreateDesktopWindows(instance, shell.progman_, shell.desktopView_);
  shell.started_ = registered && shell.hook_ != nullptr && desktop;
  SetEvent(shell.ready_);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_HOTKEY) {
      EnterCriticalSection(&shell.lock_);
      ++shell.hotkeys_;
      LeaveCriticalSection(&shell.lock_);
    } else if (message.message == kSyncMessage) {
      SetEvent(shell.synced_);
    } else if (message.message == kQuitMessage) {
      break;
    }
    DispatchMessageA(&message);
  }
  if (shell.hook_ != nullptr) UnhookWindowsHookEx(shell.hook_);
  if (shell.window_ != nullptr) DestroyWindow(shell.window_);
  if (shell.desktopView_ != nullptr) DestroyWindow(shell.desktopView_);
  if (shell.progman_ != nullptr) DestroyWindow(shell.progman_);
  return 0;
}

void StandInShell::stop() {
  if (thread_ == nullptr) return;
  PostThreadMessageA(threadId_, kQuitMessage, 0, 0);
  WaitForSingleObject(thread_, 5000);
  CloseHandle(thread_);
  CloseHandle(ready_);
  CloseHandle(synced_);
  thread_ = nullptr;
  runningShell = nullptr;
  DeleteCriticalSection(&lock_);
}

bool StandInShell::sync() {
  // Posted after every WM_HOTKEY of the keystrokes already retrieved.
  return PostThreadMessageA(threadId_, kSyncMessage, 0, 0) &&
         WaitForSingleObject(synced_, 3000) == WAIT_OBJECT_0;
}

void StandInShell::logKey(const Key& key) {
  EnterCriticalSection(&lock_);
  keys_.push_back(key);
  LeaveCriticalSection(&lock_);
}

int StandInShell::hotkeys() {
  EnterCriticalSection(&lock_);
  const int count = hotkeys_;
  LeaveCriticalSection(&lock_);
  return count;
}

std::vector<StandInShell::Key> StandInShell::keys() {
  EnterCriticalSection(&lock_);
  std::vector<Key> copy = keys_;
  LeaveCriticalSection(&lock_);
  return copy;
}

// A small stand-in for VESK that loads the real plugin DLL and drives it
// through its exports, for the tests under Wine.
//
//   vesk_host.exe --dll=C:\vmm\VeskMultiMonitor.dll [--NAME=VALUE]... SCENARIO...
//
// With --install-from=FILE the host first copies FILE to the --dll path, into
// a folder it makes; the path may hold any characters.
//
// Each scenario is a function over a HostContext; it checks what it sees
// through Report, one line per check. The exit code is the number of failed
// checks (at most 100). More scenarios live in tests/e2e/vesk_host_*.cpp:
// each registers itself with a file-scope
//   const ScenarioRegistration kMine("name", &MyScenario);
// and is listed with the host's files in tests/e2e/CMakeLists.txt.
#pragma once

#include "plugin/plugin_api.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The id the host gives the plugin at DoInit, and the plugin's settings file,
// beside the DLL.
constexpr std::int32_t kPluginId = 4711;
constexpr const char* kSettingsFileName = "VESK_MultiMonitor.ini";

// Prints "ok   NAME" or "FAIL NAME: DETAIL" per check and a closing summary.
class Report {
 public:
  // Answers `ok`, so callers can stop a scenario whose premise failed.
  bool check(bool ok, const std::string& name, const std::string& detail = "");
  bool checkEqual(std::int32_t actual, std::int32_t expected, const std::string& name);
  bool checkText(const std::string& actual, const std::string& expected, const std::string& name);
  void note(const std::string& text);

  int failures() const { return failures_; }
  int exitCode() const { return failures_ < 100 ? failures_ : 100; }
  void summary(const std::string& title) const;

 private:
  int passed_ = 0;
  int failures_ = 0;
};

// The 22 entry points, resolved by name, with the signatures the DLL is
// built with.
struct PluginExports {
#define VMM_ENTRY_POINT_FIELD(name, result, parameters) \
  result(VMM_CDECL* name) parameters = nullptr;
  VMM_PLUGIN_ENTRY_POINTS(VMM_ENTRY_POINT_FIELD)
#undef VMM_ENTRY_POINT_FIELD
};

// One request the plugin made through the host callback.
struct HostRequest {
  std::int32_t pluginId = 0;
  std::string request;
  std::int32_t answerSize = 0;
};

// VESK's side: its main window (a WS_POPUP window on the thread that runs the
// scenarios, which is the host's GUI thread) and its answers to the plugin.
class HostWindow {
 public:
  bool create(int x, int y, int width, int height);
  void destroy();
  HWND handle() const { return window_; }

  // Processes every message pending for this thread.
  static void pumpMessages();

 private:
  HWND window_ = nullptr;
};

// A stand-in for the Windows shell on a thread of its own: a hidden window that
// registers the shell's hotkeys with the left Windows key (Win+Left/Right/
// Home, Win+digit, Win+Ctrl+digit, Win+Ctrl+Shift+digit), a low-level
// keyboard hook, installed before the plugin's, that logs what reaches it,
// and the desktop's windows as the shell keeps them since Windows 7:
// "Progman", the shell window (SetShellWindow), and a "WorkerW" holding the
// desktop's icon view (a child of class "SHELLDLL_DefView"), where "Show
// desktop" or a wallpaper change moves it; both cover the virtual screen.
class StandInShell {
 public:
  struct Key {
    DWORD virtualKey;
    bool release;
  };
  StandInShell() = default;
  StandInShell(const StandInShell&) = delete;
  StandInShell& operator=(const StandInShell&) = delete;
  ~StandInShell() { stop(); }

  // False when a hotkey or the hook could not be had.
  bool start();
  void stop();
  // Waits until the shell has dealt with what the keystrokes already
  // retrieved elsewhere sent it.
  bool sync();
  int hotkeys();            // WM_HOTKEY received
  std::vector<Key> keys();  // what its hook saw, in order
  void logKey(const Key& key);
  // The WorkerW holding the icon view: the window in front after "Show desktop".
  HWND desktopView() const { return desktopView_; }

 private:
  static DWORD WINAPI run(void* self);
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
  HANDLE synced_ = nullptr;
  HWND window_ = nullptr;
  HWND progman_ = nullptr;
  HWND desktopView_ = nullptr;
  HHOOK hook_ = nullptr;
  bool started_ = false;
  CRITICAL_SECTION lock_;
  int hotkeys_ = 0;
  std::vector<Key> keys_;
};

struct HostContext {
  Report& report;
  const PluginExports& plugin;
  std::map<std::string, std::string> options;  // the --NAME=VALUE arguments
  // UTF-8, as every text the host reads from its command line; its files are
  // reached through Wide(). In an ASCII folder it is also the path VESK
  // passes.
  std::string dllPath;
  HostWindow mainWindow;

  // What the host callback answers: "Handle.MainForm" gets `mainWindowAnswer`
  // as 4 raw bytes; a text answer is copied for any request listed here.
  HWND mainWindowAnswer = nullptr;
  std::map<std::string, std::string> textAnswers;
  std::vector<HostRequest> requests;
  // Called with each request after it was answered, inside the callback: a
  // host that calls back into the plugin from there.
  std::function<void(const std::string& request)> afterAnswer;
  // The stand-in shell, when the run has one (--shell).
  StandInShell* shell = nullptr;

  std::string option(const std::string& name, const std::string& fallback = "") const;
};

// Registers a window class of that name with DefWindowProcA for this
// program, once: the shell's classes, which a program may use for windows of
// its own as well.
void RegisterPlainClass(const char* name);

// The callback handed to PluginFunc_DoInit; it answers from the context that
// is current while a scenario runs.
std::int32_t __cdecl HostCallbackProc(std::int32_t pluginId, const char* request, void* answer,
                                      std::int32_t answerSize);

using Scenario = void (*)(HostContext& context);

struct ScenarioRegistration {
  ScenarioRegistration(const char* name, Scenario scenario);
};

// "a\tb" -> "\"a\\tb\"": texts in check lines, with unprintable bytes escaped.
std::string Quoted(const std::string& text);

// UTF-8 and back, for the wide file functions: the 8-bit ones see only what
// the ANSI code page holds.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

// The host program and its basic scenarios: "texts" and "search" work on a
// freshly loaded plugin, "lifecycle" initialises it with a real main window
// and shuts it down.
#include "tests/e2e/vesk_host.h"

#include "plugin/descriptive_texts.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

// ---------------------------------------------------------------------------
// Report

bool Report::check(bool ok, const std::string& name, const std::string& detail) {
  if (ok) {
    ++passed_;
    std::printf("ok   %s\n", name.c_str());
  } else {
    ++failures_;
    std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
  return ok;
}

bool Report::checkEqual(std::int32_t actual, std::int32_t expected, const std::string& name) {
  return check(actual == expected, name,
               "got " + std::to_string(actual) + ", want " + std::to_string(expected));
}

bool Report::checkText(const std::string& actual, const std::string& expected,
                       const std::string& name) {
  return check(actual == expected, name, "got " + Quoted(actual) + ", want " + Quoted(expected));
}

void Report::note(const std::string& text) {
  std::printf("     %s\n", text.c_str());
  std::fflush(stdout);
}

void Report::summary(const std::string& title) const {
  std::printf("%s: %d passed, %d failed\n", title.c_str(), passed_, failures_);
  std::fflush(stdout);
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (code < 0x20 || code >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
  wide.pop_back();
  return wide;
}

std::string Utf8(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], length, nullptr, nullptr);
  narrow.pop_back();
  return narrow;
}

// ---------------------------------------------------------------------------
// The host's main window and callback

namespace {

constexpr const char* kWindowClass = "VeskHostMainWindow";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HostContext* currentContext = nullptr;

}  // namespace

bool HostWindow::create(int x, int y, int width, int height) {
  static bool registered = false;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    registered = RegisterClassA(&windowClass) != 0;
    if (!registered) return false;
  }
  window_ = CreateWindowExA(0, kWindowClass, "VESK", WS_POPUP, x, y, width, height, nullptr,
                            nullptr, instance, nullptr);
  return window_ != nullptr;
}

void HostWindow::destroy() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

void HostWindow::pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::string HostContext::option(const std::string& name, const std::string& fallback) const {
  const auto it = options.find(name);
  return it == options.end() ? fallback : it->second;
}

std::int32_t __cdecl HostCallbackProc(std::int32_t pluginId, const char* request, void* answer,
                                      std::int32_t answerSize) {
  HostContext* context = currentContext;
  if (context == nullptr || request == nullptr) return 0;
  context->requests.push_back(HostRequest{pluginId, request, answerSize});
  if (std::strcmp(request, "Handle.MainForm") == 0) {
    if (answer == nullptr || answerSize < 4) return 0;
    const auto handle =
        static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(context->mainWindowAnswer));
    std::memcpy(answer, &handle, 4);
    return 1;
  }
  const auto text = context->textAnswers.find(request);
  if (text == context->textAnswers.end() || answer == nullptr || answerSize < 1) return 0;
  const std::size_t room = static_cast<std::size_t>(answerSize) - 1;
  const std::size_t length = text->second.size() < room ? text->second.size() : room;
  std::memcpy(answer, text->second.data(), length);
  static_cast<char*>(answer)[length] = '\0';
  if (context->afterAnswer) context->afterAnswer(request);
  return 1;
}

// ---------------------------------------------------------------------------
// Scenario registry

namespace {

std::vector<std::pair<std::string, Scenario>>& scenarios() {
  static std::vector<std::pair<std::string, Scenario>> registered;
  return registered;
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, Scenario scenario) {
  scenarios().emplace_back(name, scenario);
}

// ---------------------------------------------------------------------------
// Loading the plugin

namespace {

// One entry point by its exported name, into a field of its own type.
template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& slot, Report& report) {
  const FARPROC address = GetProcAddress(library, name);
  // Through void (*)(), which any function pointer may be cast to and from.
  slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
  return report.check(address != nullptr, std::string("export ") + name);
}

bool ResolveExports(HMODULE library, PluginExports& plugin, Report& report) {
#define VMM_COUNT_ENTRY_POINT(name, result, parameters) +1
  constexpr int kEntryPoints = 0 VMM_PLUGIN_ENTRY_POINTS(VMM_COUNT_ENTRY_POINT);
#undef VMM_COUNT_ENTRY_POINT
  static_assert(kEntryPoints == 22, "VESK calls 22 entry points");
  static_assert(sizeof(PluginExports) == 22 * sizeof(void (*)()), "one field per entry point");
  bool all = true;
#define VMM_RESOLVE_ENTRY_POINT(name, result, parameters) \
  all = Resolve(library, "PluginFunc_" #name, plugin.name, report) && all;
  VMM_PLUGIN_ENTRY_POINTS(VMM_RESOLVE_ENTRY_POINT)
#undef VMM_RESOLVE_ENTRY_POINT
  return all;
}

}  // namespace

// ---------------------------------------------------------------------------
// Basic scenarios

namespace {

constexpr char kSentinel = 'x';

struct Answer {
  std::int32_t result = 0;
  std::string text;
  bool terminated = false;
  bool tailUntouched = false;  // the bytes after the terminator kept their sentinel
};

Answer GetStrVal(const HostContext& context, const char* key, std::int32_t limit) {
  char buffer[512];
  std::memset(buffer, kSentinel, sizeof buffer);
  Answer answer;
  answer.result = context.plugin.GetStrVal(key, buffer, limit);
  const void* zero = std::memchr(buffer, '\0', sizeof buffer);
  answer.terminated = zero != nullptr;
  const std::size_t length = zero != nullptr
                                 ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer)
                                 : sizeof buffer;
  answer.text.assign(buffer, length);
  answer.tailUntouched = true;
  for (std::size_t i = length + 1; i < sizeof buffer; ++i) {
    if (buffer[i] != kSentinel) answer.tailUntouched = false;
  }
  return answer;
}

bool Untouched(const char* buffer, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (buffer[i] != kSentinel) return false;
  }
  return true;
}

// The shared table's text for `key`; none for a key outside it.
std::optional<std::string> FixedTextOf(const std::string& key) {
  for (const FixedText& text : kFixedTexts) {
    if (key == text.key) return std::string(text.value);
  }
  return std::nullopt;
}

void TextsScenario(HostContext& context) {
  Report& report = context.report;
  // The version resource's texts as the build tree expects them; every other
  // key VESK asks for has its text in the table the DLL is built with.
  const std::map<std::string, std::string> fromBuild = {
      {"versionstring", context.option("expect-version", "0.0.0")},
      {"releasedatestring", context.option("expect-release-date", "")},
  };
  const char* const keys[] = {
      "displayname",      "author",          "updateurl",         "homepageurl",
      "shortdescription", "longdescription", "advconfigstring",   "readmestring",
      "iconfilename",     "versionstring",   "releasedatestring", "regexstr",
      "regexfilterstr",   "keywordstr",      "scorestr",          "aliasstr",
  };
  for (const char* key : keys) {
    const std::string name = std::string("GetStrVal ") + key;
    const auto build = fromBuild.find(key);
    const bool fromTable = build == fromBuild.end();
    const std::optional<std::string> expected =
        fromTable ? FixedTextOf(key) : std::optional<std::string>(build->second);
    if (fromTable &&
        !report.check(expected.has_value(), name + " has a text in the shared table")) {
      continue;
    }
    const Answer answer = GetStrVal(context, key, 512);
    report.checkEqual(answer.result, 1, name + " result");
    report.checkText(answer.text, *expected, name + " text");
    report.check(answer.tailUntouched, name + " writes nothing past its terminator");
  }

  // Texts of our own choosing: shaped as described.
  const Answer author = GetStrVal(context, "author", 512);
  const std::size_t open = author.text.rfind(" (");
  report.check(author.result == 1 && open != std::string::npos && open > 0 &&
                   author.text.size() > open + 3 && author.text.back() == ')',
               "GetStrVal author is \"NAME (HANDLE)\"", Quoted(author.text));
  const Answer homepage = GetStrVal(context, "homepageurl", 512);
  report.check(homepage.result == 1 && (homepage.text.rfind("http://", 0) == 0 ||
                                        homepage.text.rfind("https://", 0) == 0),
               "GetStrVal homepageurl is a web address", Quoted(homepage.text));

  // The answer copy: limit - 1 characters and a terminator. A limit `fromLength`
  // is added to the text's length, so that both sides of its end are tried.
  struct Cut {
    const char* key;
    std::int32_t limit;
    bool fromLength;
  };
  const Cut cuts[] = {
      {"displayname", 5, false}, {"displayname", 1, false}, {"displayname", 0, true},
      {"displayname", 1, true},  {"aliasstr", 2, false},    {"longdescription", 0, true},
  };
  for (const Cut& cut : cuts) {
    const std::string text = FixedTextOf(cut.key).value_or("");
    const std::int32_t limit =
        cut.limit + (cut.fromLength ? static_cast<std::int32_t>(text.size()) : 0);
    const Answer answer = GetStrVal(context, cut.key, limit);
    const std::string name =
        std::string("GetStrVal ") + cut.key + " limit " + std::to_string(limit);
    report.checkEqual(answer.result, 1, name + " result");
    report.checkText(answer.text, text.substr(0, static_cast<std::size_t>(limit) - 1),
                     name + " text");
    report.check(answer.tailUntouched, name + " writes nothing past its terminator");
  }

  const char* const unknown[] = {"DisplayName", "", "displayname ", "nosuchkey", "versionString"};
  for (const char* key : unknown) {
    char buffer[64];
    std::memset(buffer, kSentinel, sizeof buffer);
    const std::int32_t result = context.plugin.GetStrVal(key, buffer, sizeof buffer);
    const std::string name = "GetStrVal unknown key " + Quoted(key);
    report.checkEqual(result, 0, name + " result");
    report.check(Untouched(buffer, sizeof buffer), name + " leaves the buffer untouched");
  }

  struct Family {
    const char* name;
    std::int32_t expected;
  };
  const Family families[] = {
      {"veskapi", 1},  {"VESKAPI", 0}, {"Veskapi", 0}, {"veskapi ", 0},
      {" veskapi", 0}, {"vesk", 0},    {"", 0},        {"veskapi2", 0},
  };
  for (const Family& family : families) {
    report.checkEqual(context.plugin.SupportCheck(family.name), family.expected,
                      "SupportCheck " + Quoted(family.name));
  }
}

struct Notification {
  std::int32_t pluginId;
  std::int32_t zero;
  std::int32_t searchState;
};
std::vector<Notification> notifications;
std::int32_t notifyResult = 0;

std::int32_t __cdecl RecordingNotify(std::int32_t pluginId, std::int32_t zero,
                                     std::int32_t searchState) {
  notifications.push_back(Notification{pluginId, zero, searchState});
  return notifyResult;
}

std::int32_t __cdecl StrayNotify(std::int32_t, std::int32_t, std::int32_t) { return -99; }

// The one notification since the last clear, with the arguments VESK expects.
void CheckNotifiedOnce(Report& report, std::int32_t pluginId, const std::string& name) {
  const bool once = report.checkEqual(static_cast<std::int32_t>(notifications.size()), 1,
                                      name + " notifies once");
  if (!once) return;
  const Notification& n = notifications.front();
  report.check(n.pluginId == pluginId && n.zero == 0 && n.searchState == 0,
               name + " notifies with (pluginId, 0, 0)",
               "got (" + std::to_string(n.pluginId) + ", " + std::to_string(n.zero) + ", " +
                   std::to_string(n.searchState) + ")");
}

struct ItemAnswer {
  std::int32_t result = 0;
  char path[64];
  char title[64];
  char emptyText[64];
  char folder[300];
  std::int32_t number6 = -1;
  std::int32_t number8 = -1;
  std::int32_t number10 = -1;
};

void RequestItem(const HostContext& context, std::int32_t limit, ItemAnswer& item) {
  std::memset(item.path, kSentinel, sizeof item.path);
  std::memset(item.title, kSentinel, sizeof item.title);
  std::memset(item.emptyText, kSentinel, sizeof item.emptyText);
  std::memset(item.folder, kSentinel, sizeof item.folder);
  item.result = context.plugin.Request_ItemResultByIndex(3, item.path, item.title, item.emptyText,
                                                         item.folder, &item.number6, limit,
                                                         &item.number8, nullptr, &item.number10);
}

// The bounded copy: the text, zeros up to `limit` bytes, nothing after.
bool BoundedCopyOf(const char* buffer, std::size_t size, const std::string& text,
                   std::size_t limit) {
  for (std::size_t i = 0; i < size; ++i) {
    const char want = i >= limit ? kSentinel : i < text.size() ? text[i] : '\0';
    if (buffer[i] != want) return false;
  }
  return true;
}

void CheckItemAnswers(HostContext& context, const std::string& folder, const std::string& when) {
  Report& report = context.report;
  ItemAnswer item;
  RequestItem(context, 32, item);
  const std::string name = "Request_ItemResultByIndex " + when;
  report.checkEqual(item.result, 1, name + " result");
  report.check(BoundedCopyOf(item.path, sizeof item.path, "replacewith_path", 32),
               name + " path is \"replacewith_path\" padded to the limit");
  report.check(BoundedCopyOf(item.title, sizeof item.title, "replacewith_title", 32),
               name + " title is \"replacewith_title\" padded to the limit");
  report.check(item.emptyText[0] == '\0' && Untouched(item.emptyText + 1, 63),
               name + " writes one zero byte as the empty text");
  report.check(BoundedCopyOf(item.folder, sizeof item.folder, folder, 32),
               name + " folder is " + Quoted(folder) + " padded to the limit",
               "got " + Quoted(std::string(item.folder, strnlen(item.folder, 32))));
  report.check(item.number6 == 0 && item.number8 == 2 && item.number10 == 1,
               name + " numbers are 0, 2, 1",
               std::to_string(item.number6) + ", " + std::to_string(item.number8) + ", " +
                   std::to_string(item.number10));

  // A limit shorter than the text: exactly `limit` bytes, no terminator.
  RequestItem(context, 8, item);
  report.check(item.result == 1 && std::memcmp(item.path, "replacew", 8) == 0 &&
                   Untouched(item.path + 8, sizeof item.path - 8) &&
                   std::memcmp(item.title, "replacew", 8) == 0 &&
                   Untouched(item.title + 8, sizeof item.title - 8),
               name + " limit 8 fills 8 bytes without a terminator");
}

void SearchScenario(HostContext& context) {
  Report& report = context.report;
  const PluginExports& plugin = context.plugin;
  notifications.clear();

  report.checkEqual(plugin.SetState(0), 1, "SetState 0");
  report.checkEqual(plugin.SetState(1), 1, "SetState 1");
  for (const std::int32_t feature : {0, 1, 2, 7, 1000, -1}) {
    report.checkEqual(plugin.Ask_WantFeature(feature), 0,
                      "Ask_WantFeature " + std::to_string(feature));
  }
  report.checkEqual(plugin.Ask_SearchState(), 0, "Ask_SearchState");
  report.checkEqual(plugin.Ask_IsAnyResultAvailable(), 0, "Ask_IsAnyResultAvailable");
  report.checkEqual(plugin.Ask_HowManyItemResultsAreReady(), 0, "Ask_HowManyItemResultsAreReady");
  report.checkEqual(plugin.Inform_SearchBegins(), 0, "Inform_SearchBegins");
  report.checkEqual(plugin.Inform_RegexSearchMatch(), 0, "Inform_RegexSearchMatch");
  report.checkEqual(plugin.Allow_ProcessTrigger(), 0, "Allow_ProcessTrigger");
  report.checkEqual(plugin.Do_AdjustResultScore(), 0, "Do_AdjustResultScore");

  const char* text = "not touched";
  report.checkEqual(plugin.Request_TextResultCharp(&text), 0, "Request_TextResultCharp result");
  report.check(text == nullptr, "Request_TextResultCharp stores a null text");
  plugin.Inform_WindowIsHiding();
  plugin.Inform_WindowIsUnHiding();
  report.check(true, "Inform_WindowIsHiding and Inform_WindowIsUnHiding return");

  // No callback yet: nothing to call, nothing to pass on.
  report.checkEqual(plugin.Inform_SearchEnds(), 0, "Inform_SearchEnds without a callback");
  report.checkEqual(plugin.Request_LockResults(0), 1, "Request_LockResults 0 without a callback");

  report.checkEqual(
      plugin.SetStrVal("notifysearchcallback", reinterpret_cast<void*>(&RecordingNotify)), 0,
      "SetStrVal notifysearchcallback result");
  report.checkEqual(plugin.SetStrVal("NotifySearchCallback", reinterpret_cast<void*>(&StrayNotify)),
                    0, "SetStrVal with another key result");
  report.checkEqual(plugin.SetStrVal("somethingelse", reinterpret_cast<void*>(&StrayNotify)), 0,
                    "SetStrVal unknown key result");

  // Before PluginFunc_DoInit the plugin id is still 0.
  notifyResult = 0x5eed;
  report.checkEqual(plugin.Inform_SearchEnds(), 0x5eed,
                    "Inform_SearchEnds passes the callback's result on");
  CheckNotifiedOnce(report, 0, "Inform_SearchEnds");
  notifications.clear();
  notifyResult = -3;
  report.checkEqual(plugin.Inform_SearchEnds(), -3,
                    "Inform_SearchEnds passes a negative result on");
  notifications.clear();

  report.checkEqual(plugin.Request_LockResults(1), 1, "Request_LockResults 1");
  report.checkEqual(static_cast<std::int32_t>(notifications.size()), 0,
                    "Request_LockResults 1 does not notify");
  notifyResult = 77;
  report.checkEqual(plugin.Request_LockResults(0), 1,
                    "Request_LockResults 0 answers 1 whatever the callback says");
  CheckNotifiedOnce(report, 0, "Request_LockResults 0");
  notifications.clear();

  CheckItemAnswers(context, "", "before DoInit");
}

void LifecycleScenario(HostContext& context) {
  Report& report = context.report;
  const PluginExports& plugin = context.plugin;
  if (!report.check(context.mainWindow.create(100, 100, 600, 80),
                    "the host creates its WS_POPUP main window")) {
    return;
  }
  context.mainWindowAnswer = context.mainWindow.handle();
  context.requests.clear();
  notifications.clear();

  report.checkEqual(plugin.DoInit(context.dllPath.c_str(), kPluginId, nullptr, nullptr,
                                  &HostCallbackProc, nullptr),
                    1, "DoInit result");
  bool askedForWindow = false;
  for (const HostRequest& request : context.requests) {
    if (request.request != "Handle.MainForm") continue;
    askedForWindow = true;
    report.check(
        request.pluginId == kPluginId && request.answerSize == 4,
        "DoInit asks for Handle.MainForm with its id and a 4-byte answer",
        "id " + std::to_string(request.pluginId) + ", size " + std::to_string(request.answerSize));
  }
  report.check(askedForWindow, "DoInit asks the host for Handle.MainForm");
  HostWindow::pumpMessages();

  // The plugin folder comes from the path VESK passed, with its backslash.
  const std::size_t slash = context.dllPath.rfind('\\');
  const std::string folder =
      slash == std::string::npos ? context.dllPath : context.dllPath.substr(0, slash + 1);
  CheckItemAnswers(context, folder, "after DoInit");

  // Notifications now carry the plugin id.
  notifyResult = 12;
  report.checkEqual(plugin.Inform_SearchEnds(), 12, "Inform_SearchEnds after DoInit");
  CheckNotifiedOnce(report, kPluginId, "Inform_SearchEnds after DoInit");
  notifications.clear();

  report.checkEqual(plugin.DoShutDown(), 1, "DoShutDown result");
  report.checkEqual(plugin.DoShutDown(), 1, "DoShutDown again finds nothing to release");
  HostWindow::pumpMessages();
  context.mainWindow.destroy();
}

const ScenarioRegistration kTexts("texts", &TextsScenario);
const ScenarioRegistration kSearch("search", &SearchScenario);
const ScenarioRegistration kLifecycle("lifecycle", &LifecycleScenario);

}  // namespace

// ---------------------------------------------------------------------------

namespace {

// The arguments in UTF-8: main's 8-bit ones hold only what the ANSI code page
// holds.
std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

// --install-from=FILE: the DLL is copied from FILE to the --dll path first,
// into a folder made for it, as a user installs the plugin.
bool InstallDll(const std::string& from, const std::string& to, Report& report) {
  const std::size_t slash = to.rfind('\\');
  if (slash != std::string::npos) {
    const std::wstring folder = Wide(to.substr(0, slash));
    report.check(
        CreateDirectoryW(folder.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS,
        "the host makes the DLL's folder", "error " + std::to_string(GetLastError()));
  }
  return report.check(CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0,
                      "the host copies the DLL to " + to,
                      "error " + std::to_string(GetLastError()));
}

}  // namespace

int main() {
  Report report;
  std::map<std::string, std::string> options;
  std::vector<std::string> wanted;
  for (const std::string& argument : Arguments()) {
    if (argument.rfind("--", 0) == 0) {
      const std::size_t equals = argument.find('=');
      if (equals == std::string::npos) {
        options[argument.substr(2)] = "";
      } else {
        options[argument.substr(2, equals - 2)] = argument.substr(equals + 1);
      }
    } else {
      wanted.push_back(argument);
    }
  }
  const std::string dllPath = options["dll"];
  if (dllPath.empty() || wanted.empty()) {
    std::printf(
        "usage: vesk_host.exe --dll=PATH [--install-from=FILE] [--NAME=VALUE]... "
        "SCENARIO...\nscenarios:");
    for (const auto& scenario : scenarios()) std::printf(" %s", scenario.first.c_str());
    std::printf("\n");
    return 100;
  }

  const std::string installFrom = options["install-from"];
  if (!installFrom.empty() && !InstallDll(installFrom, dllPath, report)) {
    report.summary("vesk_host");
    return report.exitCode();
  }

  const HMODULE library = LoadLibraryW(Wide(dllPath).c_str());
  if (!report.check(library != nullptr, "LoadLibrary " + dllPath,
                    "error " + std::to_string(GetLastError()))) {
    report.summary("vesk_host");
    return report.exitCode();
  }
  PluginExports plugin;
  if (!ResolveExports(library, plugin, report)) {
    report.summary("vesk_host");
    return report.exitCode();
  }

  StandInShell shell;
  const bool withShell = options.count("shell") != 0;
  if (withShell &&
      !report.check(shell.start(),
                    "the stand-in shell registers its hotkeys and makes the desktop's windows")) {
    report.summary("vesk_host");
    return report.exitCode();
  }
  for (const std::string& name : wanted) {
    Scenario scenario = nullptr;
    for (const auto& entry : scenarios()) {
      if (entry.first == name) scenario = entry.second;
    }
    if (!report.check(scenario != nullptr, "scenario " + name + " exists")) continue;
    std::printf("---- %s\n", name.c_str());
    HostContext context{report, plugin, options, dllPath, {}, nullptr, {}, {}, {}};
    if (withShell) context.shell = &shell;
    currentContext = &context;
    scenario(context);
    currentContext = nullptr;
  }
  report.summary("vesk_host");
  return report.exitCode();
}

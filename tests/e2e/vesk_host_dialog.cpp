// Scenarios of the options dialog and the version resource, with the real
// DLL under Wine. The dialog runs modally inside PluginFunc_DoAdvConfig; a
// thread timer of the host plays the user: it finds the dialog, reads and
// changes its controls and closes it the way a user would.
//
//   version-resource      the fixed part and the string table of the DLL
//   dialog-template       what the template gives the real window
//   dialog-states         the controls filled from no file and from prepared files
//   dialog-save           edit texts typed, boxes clicked, OK -> the file's text
//   dialog-close          Cancel, Esc, WM_CLOSE and the close box write nothing
//   dialog-reload         OK reaches the live options: the next show is centred
//   dialog-no-controller  without a main window the dialog still edits the file
//   hold-dialog           keeps the dialog open for scripts/screenshot-dialog
#include "tests/e2e/vesk_host.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <utility>

namespace {

constexpr const char* kDialogCaption = "VeskMultiMonitor Options";
constexpr const char* kDialogClass = "#32770";
constexpr const char* kSettingsName = "VESK_MultiMonitor.ini";
constexpr UINT kTickMilliseconds = 10;
// Ticks a dialog may take to appear, and to go once the user closed it.
constexpr int kAppearTicks = 500;
constexpr int kCloseTicks = 200;

// ---------------------------------------------------------------------------
// The settings file beside the DLL

std::string SettingsPath(const HostContext& context) {
  const std::size_t slash = context.dllPath.rfind('\\');
  const std::string folder = slash == std::string::npos ? "" : context.dllPath.substr(0, slash);
  return folder + "\\" + kSettingsName;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Leaves `text` as the file (none for nullopt) and drops the process's
// profile cache, which the plugin's reads share with ours.
void PrepareSettings(const std::string& path, const std::optional<std::string>& text) {
  DeleteFileA(path.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
  if (text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << *text;
  }
}

// "[Options]\r\nA=1\r\n..." from key=value pairs, as the profile functions
// write a new file.
std::string OptionsText(const std::vector<std::pair<const char*, const char*>>& entries) {
  std::string text = "[Options]\r\n";
  for (const auto& entry : entries) text += std::string(entry.first) + "=" + entry.second + "\r\n";
  return text;
}

void CheckFile(Report& report, const std::string& path, const std::optional<std::string>& expected,
               const std::string& name) {
  const std::optional<std::string> actual = ReadBytes(path);
  if (!expected) {
    report.check(!actual, name + ": no settings file",
                 actual ? "found " + Quoted(*actual) : std::string());
  } else if (report.check(actual.has_value(), name + ": the settings file exists")) {
    report.checkText(*actual, *expected, name + ": the settings file's text");
  }
}

// ---------------------------------------------------------------------------
// Playing the user from a thread timer

// One step of the user's part, called on every tick once the dialog is
// visible; answers true once it has closed the dialog (or asked it to).
using UserStep = std::function<bool(HWND dialog)>;

struct DialogRun {
  std::int32_t result = 0;  // what PluginFunc_DoAdvConfig answered
  bool appeared = false;    // a dialog of this thread became visible
  bool userClosed = false;  // it went away after the user's part closed it
};

struct TimerState {
  const UserStep* step = nullptr;
  bool stepDone = false;
  bool appeared = false;
  bool forced = false;
  bool busy = false;
  int ticks = 0;
};
TimerState timerState;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, kDialogClass) != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND VisibleDialogOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindThreadDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK UserTick(HWND, UINT, UINT_PTR, DWORD) {
  TimerState& s = timerState;
  if (s.busy || s.forced) return;
  s.busy = true;
  const HWND dialog = VisibleDialogOfThisThread();
  ++s.ticks;
  if (dialog == nullptr) {
    // Not there yet, or gone.
  } else if (!s.appeared) {
    s.appeared = true;
    s.ticks = 0;
  } else if (!s.stepDone) {
    // One tick after it showed, so that its activation is over.
    s.stepDone = (*s.step)(dialog);
    s.ticks = 0;
  } else if (s.ticks > kCloseTicks) {
    // The user's part did not end it: end it ourselves, as Cancel does.
    s.forced = true;
    EndDialog(dialog, IDCANCEL);
  }
  if (!s.appeared && s.ticks > kAppearTicks) {
    // A dialog that never becomes visible must not hold the run forever.
    s.forced = true;
    HWND hidden = FindWindowExA(nullptr, nullptr, kDialogClass, nullptr);
    DWORD process = 0;
    if (hidden != nullptr && GetWindowThreadProcessId(hidden, &process) == GetCurrentThreadId()) {
      EndDialog(hidden, IDCANCEL);
    }
  }
  s.busy = false;
}

DialogRun RunDialog(HostContext& context, const UserStep& step) {
  timerState = TimerState{};
  timerState.step = &step;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, &UserTick);
  DialogRun run;
  run.result = context.plugin.DoAdvConfig();
  KillTimer(nullptr, timer);
  run.appeared = timerState.appeared;
  run.userClosed = timerState.appeared && timerState.stepDone && !timerState.forced;
  timerState = TimerState{};
  return run;
}

// Runs the dialog once and checks that it came and went as the user wanted.
bool RunChecked(HostContext& context, const std::string& name, const UserStep& step) {
  const DialogRun run = RunDialog(context, step);
  Report& report = context.report;
  report.checkEqual(run.result, 1, name + ": PluginFunc_DoAdvConfig answers 1");
  return report.check(run.appeared, name + ": the dialog appears") &&
         report.check(run.userClosed, name + ": the dialog closes as the user asked");
}

// What the user does to end the dialog.
enum class Close {
  Ok,
  OkClick,
  OkOtherCode,
  Enter,
  Cancel,
  CancelOtherCode,
  Escape,
  WmClose,
  CloseBox
};

const char* CloseName(Close close) {
  switch (close) {
    case Close::Ok:
      return "OK";
    case Close::OkClick:
      return "OK clicked";
    case Close::OkOtherCode:
      return "IDOK with notification 5";
    case Close::Enter:
      return "Enter";
    case Close::Cancel:
      return "Cancel";
    case Close::CancelOtherCode:
      return "IDCANCEL with BN_DOUBLECLICKED";
    case Close::Escape:
      return "Esc";
    case Close::WmClose:
      return "WM_CLOSE";
    case Close::CloseBox:
      return "close box";
  }
  return "?";
}

void CloseDialog(HWND dialog, Close close) {
  switch (close) {
    case Close::Ok:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      break;
    case Close::OkClick:
      SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case Close::OkOtherCode:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 5), 0);
      break;
    case Close::Enter:
      PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 1);
      break;
    case Close::Cancel:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      break;
    case Close::CancelOtherCode:
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_DOUBLECLICKED), 0);
      break;
    case Close::Escape:
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
    case Close::WmClose:
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      break;
    case Close::CloseBox:
      PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// ---------------------------------------------------------------------------
// The controls

struct CheckBoxFact {
  int id;
  const char* key;
  bool fallback;
};

// In the order the dialog loads and saves them.
constexpr CheckBoxFact kCheckBoxes[] = {
    {3000, "EnableMultiMonitor", true},
    {3002, "MoveRelative", true},
    {3001, "ResizeRelative", true},
    {3006, "ShowOnMonitorWithMouse", false},
    {3003, "Center", false},
    {3004, "CenterAlways", false},
    {3007, "EnableHotkeys", true},
    {3008, "ResizePercent", false},
    {3009, "ResizePercentV", false},
};
constexpr int kWidthEdit = 3010;
constexpr int kHeightEdit = 3011;

struct ShownState {
  bool checked[9] = {};
  std::string widthText;
  std::string heightText;
};

ShownState StateOf(HWND dialog) {
  ShownState state;
  for (int i = 0; i < 9; ++i) {
    state.checked[i] =
        SendDlgItemMessageA(dialog, kCheckBoxes[i].id, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  state.widthText = TextOf(GetDlgItem(dialog, kWidthEdit));
  state.heightText = TextOf(GetDlgItem(dialog, kHeightEdit));
  return state;
}

void CheckState(Report& report, const ShownState& actual, const ShownState& expected,
                const std::string& name) {
  for (int i = 0; i < 9; ++i) {
    report.check(actual.checked[i] == expected.checked[i],
                 name + ": " + std::to_string(kCheckBoxes[i].id) + " " + kCheckBoxes[i].key +
                     (expected.checked[i] ? " checked" : " unchecked"));
  }
  report.checkText(actual.widthText, expected.widthText, name + ": 3010 shows");
  report.checkText(actual.heightText, expected.heightText, name + ": 3011 shows");
}

ShownState DefaultState() {
  ShownState state;
  for (int i = 0; i < 9; ++i) state.checked[i] = kCheckBoxes[i].fallback;
  state.widthText = "80";
  state.heightText = "80";
  return state;
}

// ---------------------------------------------------------------------------
// The plugin with a host main window

class InitialisedPlugin {
 public:
  explicit InitialisedPlugin(HostContext& context) : context_(context) {}
  InitialisedPlugin(const InitialisedPlugin&) = delete;
  InitialisedPlugin& operator=(const InitialisedPlugin&) = delete;
  ~InitialisedPlugin() {
    if (initialised_) context_.plugin.DoShutDown();
    HostWindow::pumpMessages();
    context_.mainWindow.destroy();
    context_.mainWindowAnswer = nullptr;
  }

  // A hidden WS_POPUP main window on this thread, then PluginFunc_DoInit.
  bool start(int x, int y, int width, int height) {
    if (!context_.report.check(context_.mainWindow.create(x, y, width, height),
                               "the host creates its main window")) {
      return false;
    }
    context_.mainWindowAnswer = context_.mainWindow.handle();
    initialised_ = context_.plugin.DoInit(context_.dllPath.c_str(), 17, nullptr, nullptr,
                                          &HostCallbackProc, nullptr) == 1;
    HostWindow::pumpMessages();
    return context_.report.check(initialised_, "PluginFunc_DoInit with the main window");
  }

 private:
  HostContext& context_;
  bool initialised_ = false;
};

// ---------------------------------------------------------------------------
// version-resource

// One node of a version resource: wLength, wValueLength, wType, key, value,
// children, each part aligned to 4 bytes.
struct VersionNode {
  std::wstring key;
  const BYTE* value = nullptr;
  WORD valueLength = 0;  // in characters for text, in bytes otherwise
  WORD type = 0;         // 1 text, 0 binary
  std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

bool ParseNode(const BYTE* base, std::size_t offset, std::size_t end, VersionNode& node,
               std::size_t& next) {
  if (offset + 6 > end) return false;
  WORD length = 0;
  std::memcpy(&length, base + offset, 2);
  std::memcpy(&node.valueLength, base + offset + 2, 2);
  std::memcpy(&node.type, base + offset + 4, 2);
  if (length < 6 || offset + length > end) return false;
  const std::size_t nodeEnd = offset + length;
  std::size_t at = offset + 6;
  while (true) {
    if (at + 2 > nodeEnd) return false;
    wchar_t c = 0;
    std::memcpy(&c, base + at, 2);
    at += 2;
    if (c == 0) break;
    node.key += c;
  }
  at = Align4(at);
  const std::size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
  if (at + valueBytes > nodeEnd) return false;
  node.value = base + at;
  at = Align4(at + valueBytes);
  while (at < nodeEnd) {
    VersionNode child;
    std::size_t after = 0;
    if (!ParseNode(base, at, nodeEnd, child, after)) return false;
    node.children.push_back(std::move(child));
    at = Align4(after);
  }
  next = nodeEnd;
  return true;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

void VersionResourceScenario(HostContext& context) {
  Report& report = context.report;
  const char* path = context.dllPath.c_str();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (!report.check(size > 0, "the DLL has a version resource")) return;
  std::vector<BYTE> data(size);
  if (!report.check(GetFileVersionInfoA(path, 0, size, data.data()) != 0,
                    "GetFileVersionInfoA reads it")) {
    return;
  }

  // The fixed part.
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (report.check(
          VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) != 0 &&
              fixedSize >= sizeof(VS_FIXEDFILEINFO),
          "VS_FIXEDFILEINFO")) {
    struct Field {
      const char* name;
      DWORD actual;
      DWORD expected;
    };
    const Field fields[] = {
        {"dwSignature", fixed->dwSignature, 0xFEEF04BD},
        {"dwFileVersionMS (1.1)", fixed->dwFileVersionMS, 0x00010001},
        {"dwFileVersionLS (0.0)", fixed->dwFileVersionLS, 0x00000000},
        {"dwProductVersionMS (1.1)", fixed->dwProductVersionMS, 0x00010001},
        {"dwProductVersionLS (0.0)", fixed->dwProductVersionLS, 0x00000000},
        {"dwFileFlagsMask", fixed->dwFileFlagsMask, 0x3F},
        {"dwFileFlags VS_FF_SPECIALBUILD", fixed->dwFileFlags, VS_FF_SPECIALBUILD},
        {"dwFileOS VOS__WINDOWS32", fixed->dwFileOS, VOS__WINDOWS32},
        {"dwFileType VFT_DLL", fixed->dwFileType, VFT_DLL},
        {"dwFileSubtype", fixed->dwFileSubtype, 0},
    };
    for (const Field& field : fields) {
      report.check(
          field.actual == field.expected, std::string("fixed part ") + field.name,
          "got " + std::to_string(field.actual) + ", want " + std::to_string(field.expected));
    }
  }

  // The string table through the API, and the recorded lengths.
  struct Value {
    const char* name;
    const char* text;
  };
  const Value values[] = {
      {"FileVersion", "1.1.0"},
      {"SpecialBuild", "10. May 2009"},
      {"ProductVersion", "1.1.0"},
      {"FileDescription", "VESK Multi Monitor Plugin"},
      {"ProductName", "VESK Multi Monitor Plugin"},
      {"InternalName", "VeskMultiMonitor.dll"},
      {"OriginalFilename", "VeskMultiMonitor.dll"},
  };
  for (const Value& value : values) {
    const std::string query = std::string("\\StringFileInfo\\000004b0\\") + value.name;
    char* text = nullptr;
    UINT length = 0;
    if (report.check(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text),
                                    &length) != 0,
                     std::string("VerQueryValueA ") + query)) {
      report.checkText(text, value.text, std::string(value.name) + " text");
    }
  }
  const WORD* translation = nullptr;
  UINT translationSize = 0;
  if (report.check(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                  reinterpret_cast<void**>(const_cast<WORD**>(&translation)),
                                  &translationSize) != 0 &&
                       translationSize == 4,
                   "one translation pair", std::to_string(translationSize) + " bytes")) {
    report.check(translation[0] == 0x0000 && translation[1] == 0x04b0, "translation 0x0000, 0x04b0",
                 std::to_string(translation[0]) + ", " + std::to_string(translation[1]));
  }

  // The raw tree: one string table, exactly the seven values in this order,
  // each UTF-16 with its terminator counted.
  VersionNode root;
  std::size_t end = 0;
  if (!report.check(ParseNode(data.data(), 0, size, root, end) && root.key == L"VS_VERSION_INFO",
                    "the version resource parses as a VS_VERSION_INFO tree")) {
    return;
  }
  const VersionNode* strings = nullptr;
  for (const VersionNode& child : root.children) {
    if (child.key == L"StringFileInfo") strings = &child;
  }
  if (!report.check(strings != nullptr, "it has a StringFileInfo")) return;
  std::string blocks;
  for (const VersionNode& block : strings->children) blocks += " " + Narrow(block.key);
  if (!report.check(strings->children.size() == 1 && strings->children[0].key == L"000004b0",
                    "its only string table is 000004b0", "blocks:" + blocks)) {
    return;
  }
  const VersionNode& table = strings->children[0];
  std::string names;
  for (const VersionNode& entry : table.children) names += " " + Narrow(entry.key);
  bool sameNames = table.children.size() == sizeof values / sizeof values[0];
  for (std::size_t i = 0; sameNames && i < table.children.size(); ++i) {
    sameNames = Narrow(table.children[i].key) == values[i].name;
  }
  report.check(sameNames, "the string table holds the seven values in order", "got" + names);
  for (const VersionNode& entry : table.children) {
    const std::string name = Narrow(entry.key);
    std::wstring text;
    for (WORD i = 0; i < entry.valueLength; ++i) {
      wchar_t c = 0;
      std::memcpy(&c, entry.value + 2 * i, 2);
      text += c;
    }
    report.check(
        entry.type == 1 && !text.empty() && text.back() == L'\0' &&
            text.find(L'\0') == text.size() - 1,
        name + " is UTF-16 text whose length counts its terminator",
        "type " + std::to_string(entry.type) + ", length " + std::to_string(entry.valueLength));
  }
}

// ---------------------------------------------------------------------------
// dialog-template

struct ControlFact {
  int id;
  const char* className;
  const char* text;  // nullptr: not compared (edit boxes hold values)
  LONG typeBits;     // the low style bits: button or static kind
  LONG styles;       // further styles that must be set
  LONG exStyles;
  bool tabStop;
  RECT units;  // x, y, width, height in dialog units
};

void CheckTemplate(Report& report, HWND dialog) {
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  const LONG wanted = static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                        DS_SETFONT | DS_FIXEDSYS);
  report.check((style & wanted) == wanted,
               "dialog styles WS_POPUP, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME, DS_SHELLFONT",
               "style " + std::to_string(style));
  report.check((style & (DS_CENTER | DS_CENTERMOUSE | WS_THICKFRAME)) == 0,
               "dialog has no centring style and no sizing border");
  report.checkText(TextOf(dialog), kDialogCaption, "dialog caption");
  report.check(GetMenu(dialog) == nullptr, "dialog has no menu");

  // The font.
  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA logFont = {};
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  if (report.check(font != nullptr && GetObjectA(font, sizeof logFont, &logFont) != 0,
                   "dialog has a font")) {
    report.checkText(logFont.lfFaceName, "MS Shell Dlg", "dialog font face");
    report.checkEqual(logFont.lfHeight, -MulDiv(8, pixelsPerInch, 72), "dialog font height (8 pt)");
    report.checkEqual(logFont.lfWeight, 400, "dialog font weight");
    report.checkEqual(logFont.lfItalic, 0, "dialog font not italic");
  }

  // The size, by the dialog's own units and by units measured on a font
  // made here from the template's facts.
  RECT client = {};
  GetClientRect(dialog, &client);
  RECT mapped = {0, 0, 207, 187};
  MapDialogRect(dialog, &mapped);
  report.check(client.right == mapped.right && client.bottom == mapped.bottom,
               "dialog client area is 207 x 187 dialog units",
               "client " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
                   ", mapped " + std::to_string(mapped.right) + "x" +
                   std::to_string(mapped.bottom));
  HFONT own = CreateFontA(-MulDiv(8, pixelsPerInch, 72), 0, 0, 0, 400, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, "MS Shell Dlg");
  const HGDIOBJ old = SelectObject(screen, own);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);
  SIZE alphabet = {};
  const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32A(screen, letters, 52, &alphabet);
  SelectObject(screen, old);
  DeleteObject(own);
  ReleaseDC(nullptr, screen);
  const int baseX = (alphabet.cx / 26 + 1) / 2;
  const int baseY = metrics.tmHeight;
  report.check(client.right == MulDiv(207, baseX, 4) && client.bottom == MulDiv(187, baseY, 8),
               "dialog client area matches MS Shell Dlg 8 pt units",
               "base units " + std::to_string(baseX) + "x" + std::to_string(baseY) + " -> " +
                   std::to_string(MulDiv(207, baseX, 4)) + "x" +
                   std::to_string(MulDiv(187, baseY, 8)));
  report.note("dialog client area " + std::to_string(client.right) + "x" +
              std::to_string(client.bottom) + " pixels, base units " + std::to_string(baseX) + "x" +
              std::to_string(baseY));

  // The controls in template order, which is also the tab order.
  const ControlFact controls[] = {
      {IDOK, "Button", "OK", BS_DEFPUSHBUTTON, 0, 0, true, {96, 166, 50, 14}},
      {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON, 0, 0, true, {150, 166, 50, 14}},
      {3000,
       "Button",
       "Display VESK on active monitor",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {7, 7, 116, 10}},
      {3001,
       "Button",
       "Resize relative to screen resolution",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 33, 128, 10}},
      {3002,
       "Button",
       "Move relative to screen resolution",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 20, 125, 10}},
      {3003,
       "Button",
       "Center VESK when it appears",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {7, 67, 111, 10}},
      {3004,
       "Button",
       "and whenever it changes size",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 80, 112, 10}},
      {3006,
       "Button",
       "Display on monitor where mouse is",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 46, 126, 10}},
      {3007, "Button", "Enable hotkeys", BS_AUTOCHECKBOX, 0, 0, true, {7, 143, 73, 10}},
      {3008, "Button", "Resize to ", BS_AUTOCHECKBOX, 0, 0, true, {7, 101, 42, 10}},
      {3010, "Edit", nullptr, 0, ES_NUMBER | ES_AUTOHSCROLL, WS_EX_RIGHT, true, {54, 99, 31, 14}},
      {-1, "Static", "% of screen width", SS_LEFT, WS_GROUP, 0, false, {90, 102, 60, 8}},
      {3009, "Button", "Resize to ", BS_AUTOCHECKBOX, 0, 0, true, {7, 122, 42, 10}},
      {3011, "Edit", nullptr, 0, ES_NUMBER | ES_AUTOHSCROLL, WS_EX_RIGHT, true, {54, 120, 31, 14}},
      {-1, "Static", "% of screen height", SS_LEFT, WS_GROUP, 0, false, {90, 123, 65, 8}},
  };
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlFact& fact : controls) {
    const std::string name = "control " + std::to_string(fact.id) + " " +
                             (fact.text != nullptr ? Quoted(fact.text) : std::string("(edit)"));
    if (!report.check(child != nullptr, name + " exists in template order")) return;
    const int id = static_cast<int>(static_cast<short>(GetDlgCtrlID(child)));
    report.checkEqual(id, fact.id, name + ": id in template order");
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    report.check(lstrcmpiA(className, fact.className) == 0, name + ": class " + fact.className,
                 className);
    if (fact.text != nullptr) report.checkText(TextOf(child), fact.text, name + ": text");
    const LONG childStyle = GetWindowLongA(child, GWL_STYLE);
    const LONG childEx = GetWindowLongA(child, GWL_EXSTYLE);
    if (std::strcmp(fact.className, "Edit") != 0) {
      report.checkEqual(childStyle & 0x0F, fact.typeBits, name + ": kind");
    } else {
      report.check((childStyle & WS_BORDER) != 0 || (childEx & WS_EX_CLIENTEDGE) != 0,
                   name + ": has a border");
    }
    const LONG must = fact.styles | WS_CHILD | WS_VISIBLE;
    report.check((childStyle & must) == must, name + ": styles",
                 "style " + std::to_string(childStyle));
    if (fact.exStyles != 0) {
      report.check((childEx & fact.exStyles) == fact.exStyles, name + ": extended styles",
                   "exstyle " + std::to_string(childEx));
    }
    report.check(((childStyle & WS_TABSTOP) != 0) == fact.tabStop,
                 name + (fact.tabStop ? ": is a tab stop" : ": is no tab stop"));
    RECT units = fact.units;
    MapDialogRect(dialog, &units);
    RECT window = {};
    GetWindowRect(child, &window);
    POINT topLeft = {window.left, window.top};
    ScreenToClient(dialog, &topLeft);
    report.check(topLeft.x == units.left && topLeft.y == units.top &&
                     window.right - window.left == units.right &&
                     window.bottom - window.top == units.bottom,
                 name + ": position and size",
                 "got " + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + " " +
                     std::to_string(window.right - window.left) + "x" +
                     std::to_string(window.bottom - window.top) + ", want " +
                     std::to_string(units.left) + "," + std::to_string(units.top) + " " +
                     std::to_string(units.right) + "x" + std::to_string(units.bottom));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  report.check(child == nullptr, "the dialog has no further controls");

  // No owner here, so the template's (0, 0) is the screen's.
  RECT placed = {};
  GetWindowRect(dialog, &placed);
  report.check(placed.left == 0 && placed.top == 0, "dialog at the template's position (0, 0)",
               std::to_string(placed.left) + "," + std::to_string(placed.top));
}

// What the dialog manager saw of the dialog's start, from a thread hook:
// the answer to WM_INITDIALOG, and the focus when the dialog is about to be
// shown, which is where WM_INITDIALOG's answer leaves it. (Activation later
// hands an unfocused dialog's focus on by itself: DefDlgProc's WM_SETFOCUS.)
struct DialogStart {
  int initDialogs = 0;
  LRESULT initDialogAnswer = -1;
  bool shown = false;
  HWND focusWhenShown = nullptr;
  HWND okButton = nullptr;
};
DialogStart dialogStart;

bool IsDialogWindow(HWND window) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  return std::strcmp(className, kDialogClass) == 0;
}

LRESULT CALLBACK WatchDialogStart(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (sent->message == WM_INITDIALOG && IsDialogWindow(sent->hwnd)) {
      ++dialogStart.initDialogs;
      dialogStart.initDialogAnswer = sent->lResult;
    } else if (sent->message == WM_SHOWWINDOW && sent->wParam != 0 && !dialogStart.shown &&
               IsDialogWindow(sent->hwnd)) {
      dialogStart.shown = true;
      dialogStart.focusWhenShown = GetFocus();
      dialogStart.okButton = GetDlgItem(sent->hwnd, IDOK);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogTemplateScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  PrepareSettings(SettingsPath(context), std::nullopt);
  dialogStart = DialogStart{};
  const HHOOK hook =
      SetWindowsHookExA(WH_CALLWNDPROCRET, &WatchDialogStart, nullptr, GetCurrentThreadId());
  std::string focusLater = "nowhere";
  RunChecked(context, "template", [&](HWND dialog) {
    CheckTemplate(report, dialog);
    const HWND focus = GetFocus();
    if (focus == dialog) focusLater = "the dialog itself";
    if (IsChild(dialog, focus)) focusLater = "control " + std::to_string(GetDlgCtrlID(focus));
    CloseDialog(dialog, Close::Cancel);
    return true;
  });
  UnhookWindowsHookEx(hook);
  if (!report.check(hook != nullptr && dialogStart.initDialogs == 1 && dialogStart.shown,
                    "the dialog's start is seen: one WM_INITDIALOG, then WM_SHOWWINDOW")) {
    return;
  }
  report.check(dialogStart.initDialogAnswer == 0, "WM_INITDIALOG answers 0",
               "got " + std::to_string(dialogStart.initDialogAnswer));
  report.check(dialogStart.focusWhenShown != dialogStart.okButton,
               "the focus is not moved to the first tab stop (IDOK) by WM_INITDIALOG");
  report.note("focus on the open dialog: " + focusLater);
}

// ---------------------------------------------------------------------------
// dialog-states

void DialogStatesScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  const std::string path = SettingsPath(context);

  struct Case {
    std::string name;
    std::optional<std::string> file;
    ShownState expected;
  };
  std::vector<Case> cases;
  cases.push_back({"no file", std::nullopt, DefaultState()});
  // Each key alone, against its default: a box that read another key, or
  // its own key with another default, shows up here.
  for (int i = 0; i < 9; ++i) {
    Case c;
    c.name = std::string("only ") + kCheckBoxes[i].key;
    c.file = OptionsText({{kCheckBoxes[i].key, kCheckBoxes[i].fallback ? "0" : "1"}});
    c.expected = DefaultState();
    c.expected.checked[i] = !kCheckBoxes[i].fallback;
    cases.push_back(c);
  }
  {
    Case c{"only ResizePercentValue", OptionsText({{"ResizePercentValue", "37"}}), DefaultState()};
    c.expected.widthText = "37";
    cases.push_back(c);
  }
  {
    Case c{"only ResizePercentValueV", OptionsText({{"ResizePercentValueV", "63"}}),
           DefaultState()};
    c.expected.heightText = "63";
    cases.push_back(c);
  }
  {
    // Everything away from its default, stored values out of range shown as
    // they are, the hotkey's width key beside them and not shown.
    Case c{"all changed, out of range",
           "[Other]\r\nCenter=0\r\n[Options]\r\nEnableMultiMonitor=0\r\nMoveRelative=0\r\n"
           "ResizeRelative=0\r\nShowOnMonitorWithMouse=1\r\nCenter=1\r\nCenterAlways=1\r\n"
           "EnableHotkeys=0\r\nResizePercent=1\r\nResizePercentV=1\r\nResizePercentValueH=55\r\n"
           "ResizePercentValue=250\r\nResizePercentValueV=0\r\n",
           {}};
    for (int i = 0; i < 9; ++i) c.expected.checked[i] = !kCheckBoxes[i].fallback;
    c.expected.widthText = "250";
    c.expected.heightText = "0";
    cases.push_back(c);
  }
  {
    // What the profile functions read as 0 and as a negative number.
    Case c{"true and -5",
           OptionsText({{"EnableMultiMonitor", "true"}, {"ResizePercentValue", "-5"}}),
           DefaultState()};
    c.expected.checked[0] = false;
    c.expected.widthText = "-5";
    cases.push_back(c);
  }

  for (const Case& c : cases) {
    PrepareSettings(path, c.file);
    ShownState shown;
    if (RunChecked(context, c.name, [&](HWND dialog) {
          shown = StateOf(dialog);
          CloseDialog(dialog, Close::Cancel);
          return true;
        })) {
      CheckState(report, shown, c.expected, c.name);
    }
    CheckFile(report, path, c.file, c.name + ", after Cancel");
  }
}

// ---------------------------------------------------------------------------
// dialog-save

void SetEditTexts(HWND dialog, const char* width, const char* height) {
  SetWindowTextA(GetDlgItem(dialog, kWidthEdit), width);
  SendMessageA(GetDlgItem(dialog, kHeightEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(height));
}

void DialogSaveScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  const std::string path = SettingsPath(context);

  // OK at once on no file: every key in the order of the writes.
  PrepareSettings(path, std::nullopt);
  if (RunChecked(context, "OK at once", [](HWND dialog) {
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    CheckFile(report, path,
              OptionsText({{"EnableMultiMonitor", "1"},
                           {"MoveRelative", "1"},
                           {"ResizeRelative", "1"},
                           {"ShowOnMonitorWithMouse", "0"},
                           {"Center", "0"},
                           {"CenterAlways", "0"},
                           {"EnableHotkeys", "1"},
                           {"ResizePercent", "0"},
                           {"ResizePercentV", "0"},
                           {"ResizePercentValue", "80"},
                           {"ResizePercentValueV", "80"}}),
              "OK at once");
  }

  // Every box clicked as a user would, new texts typed, each way of saying OK.
  const Close oks[] = {Close::Ok, Close::OkClick, Close::OkOtherCode, Close::Enter};
  for (const Close ok : oks) {
    const std::string name = std::string("all boxes clicked, ") + CloseName(ok);
    PrepareSettings(path, std::nullopt);
    if (RunChecked(context, name, [&](HWND dialog) {
          for (const CheckBoxFact& box : kCheckBoxes) {
            SendDlgItemMessageA(dialog, box.id, BM_CLICK, 0, 0);
          }
          SetEditTexts(dialog, "55", "12");
          CloseDialog(dialog, ok);
          return true;
        })) {
      CheckFile(report, path,
                OptionsText({{"EnableMultiMonitor", "0"},
                             {"MoveRelative", "0"},
                             {"ResizeRelative", "0"},
                             {"ShowOnMonitorWithMouse", "1"},
                             {"Center", "1"},
                             {"CenterAlways", "1"},
                             {"EnableHotkeys", "0"},
                             {"ResizePercent", "1"},
                             {"ResizePercentV", "1"},
                             {"ResizePercentValue", "55"},
                             {"ResizePercentValueV", "12"}}),
                name);
    }
  }

  // A prepared file: keys rewritten in place, other keys and sections kept,
  // stored out-of-range values saved clamped without being touched.
  PrepareSettings(path,
                  "[Other]\r\nCenter=0\r\n[Options]\r\nResizePercentValueV=0\r\nCenter=1\r\n"
                  "ResizePercentValueH=55\r\nResizePercentValue=250\r\n");
  if (RunChecked(context, "OK on a prepared file", [](HWND dialog) {
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    CheckFile(report, path,
              "[Other]\r\nCenter=0\r\n[Options]\r\nResizePercentValueV=10\r\nCenter=1\r\n"
              "ResizePercentValueH=55\r\nResizePercentValue=100\r\nEnableMultiMonitor=1\r\n"
              "MoveRelative=1\r\nResizeRelative=1\r\nShowOnMonitorWithMouse=0\r\n"
              "CenterAlways=0\r\nEnableHotkeys=1\r\nResizePercent=0\r\nResizePercentV=0\r\n",
              "OK on a prepared file");
  }

  // Typed texts and the values they save, two per run.
  struct Typed {
    const char* text;
    const char* saved;
  };
  const Typed typed[] = {
      {"250", "100"},
      {"5", "10"},
      {"0", "10"},
      {"10", "10"},
      {"100", "100"},
      {"+50", "50"},
      {"   42", "42"},
      {" 42abc", "42"},
      {"0x20", "10"},
      {"-7", "10"},
      {"", "80"},
      {"abc", "80"},
      {"  ", "80"},
      {"99999999999", "100"},
      {"-99999999999", "10"},
      {"11", "11"},
  };
  for (std::size_t i = 0; i + 1 < sizeof typed / sizeof typed[0]; i += 2) {
    const Typed& width = typed[i];
    const Typed& height = typed[i + 1];
    const std::string name = "typed " + Quoted(width.text) + " and " + Quoted(height.text);
    PrepareSettings(path, std::nullopt);
    std::string shownAfter[2];
    if (RunChecked(context, name, [&](HWND dialog) {
          SetEditTexts(dialog, width.text, height.text);
          shownAfter[0] = TextOf(GetDlgItem(dialog, kWidthEdit));
          shownAfter[1] = TextOf(GetDlgItem(dialog, kHeightEdit));
          CloseDialog(dialog, Close::Ok);
          return true;
        })) {
      report.check(shownAfter[0] == width.text && shownAfter[1] == height.text,
                   name + ": the edit boxes take the texts",
                   Quoted(shownAfter[0]) + ", " + Quoted(shownAfter[1]));
      CheckFile(report, path,
                OptionsText({{"EnableMultiMonitor", "1"},
                             {"MoveRelative", "1"},
                             {"ResizeRelative", "1"},
                             {"ShowOnMonitorWithMouse", "0"},
                             {"Center", "0"},
                             {"CenterAlways", "0"},
                             {"EnableHotkeys", "1"},
                             {"ResizePercent", "0"},
                             {"ResizePercentV", "0"},
                             {"ResizePercentValue", width.saved},
                             {"ResizePercentValueV", height.saved}}),
                name);
    }
  }
}

// ---------------------------------------------------------------------------
// dialog-close

void DialogCloseScenario(HostContext& context) {
  Report& report = context.report;
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  const std::string path = SettingsPath(context);
  const std::string prepared = OptionsText({{"Center", "1"}, {"ResizePercentValue", "250"}});
  const Close closes[] = {Close::Cancel, Close::CancelOtherCode, Close::Escape, Close::WmClose,
                          Close::CloseBox};
  for (const Close close : closes) {
    for (const bool withFile : {false, true}) {
      const std::string name =
          std::string(CloseName(close)) + (withFile ? " on a prepared file" : " on no file");
      const std::optional<std::string> file =
          withFile ? std::optional<std::string>(prepared) : std::nullopt;
      PrepareSettings(path, file);
      // The user changes everything first; none of it may reach the file.
      RunChecked(context, name, [&](HWND dialog) {
        for (const CheckBoxFact& box : kCheckBoxes) {
          SendDlgItemMessageA(dialog, box.id, BM_CLICK, 0, 0);
        }
        SetEditTexts(dialog, "33", "44");
        CloseDialog(dialog, close);
        return true;
      });
      CheckFile(report, path, file, name);
    }
  }
}

// ---------------------------------------------------------------------------
// dialog-reload

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

RECT WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void DialogReloadScenario(HostContext& context) {
  Report& report = context.report;
  constexpr int kLeft = 100, kTop = 100, kWidth = 600, kHeight = 80;
  InitialisedPlugin plugin(context);
  const std::string path = SettingsPath(context);
  PrepareSettings(path, std::nullopt);
  if (!plugin.start(kLeft, kTop, kWidth, kHeight)) return;
  const HWND host = context.mainWindow.handle();

  // The pointer on the second monitor: with no previous window the plugin
  // takes the monitor under it.
  const POINT pointer = {
      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 200, 300};
  SetCursorPos(pointer.x, pointer.y);
  MONITORINFO target = {};
  target.cbSize = sizeof target;
  GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &target);
  if (!report.check((target.dwFlags & MONITORINFOF_PRIMARY) == 0,
                    "the pointer is on a second monitor", RectText(target.rcMonitor))) {
    return;
  }
  const RECT& m = target.rcMonitor;
  const LONG centredLeft = m.left + (m.right - m.left - kWidth) / 2;
  const LONG centredTop = m.top + (m.bottom - m.top - kHeight) / 2;
  const RECT centred = {centredLeft, centredTop, centredLeft + kWidth, centredTop + kHeight};
  const RECT start = {kLeft, kTop, kLeft + kWidth, kTop + kHeight};

  // Shows the main window from where it started, as VESK does.
  auto showFromStart = [&] {
    ShowWindow(host, SW_HIDE);
    MoveWindow(host, kLeft, kTop, kWidth, kHeight, FALSE);
    ShowWindow(host, SW_SHOW);
    SetForegroundWindow(host);
    HostWindow::pumpMessages();
    return WindowRectOf(host);
  };

  // The options of the start: moved to the pointer's monitor, not centred.
  const RECT first = showFromStart();
  report.check(first.left >= m.left && !SameRect(first, centred) && !SameRect(first, start),
               "first show: placed on the pointer's monitor by the default options, not centred",
               RectText(first));

  // OK with Center on and the relative options off.
  bool ownerIsHost = false;
  if (RunChecked(context, "Center on, relative off, OK", [&](HWND dialog) {
        ownerIsHost = GetWindow(dialog, GW_OWNER) == host;
        SendDlgItemMessageA(dialog, 3003, BM_SETCHECK, BST_CHECKED, 0);
        SendDlgItemMessageA(dialog, 3002, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, 3001, BM_SETCHECK, BST_UNCHECKED, 0);
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    report.check(ownerIsHost, "the dialog's owner is the active main window");
    const std::optional<std::string> text = ReadBytes(path);
    report.check(text && text->find("\r\nCenter=1\r\n") != std::string::npos &&
                     text->find("\r\nMoveRelative=0\r\n") != std::string::npos &&
                     text->find("\r\nResizeRelative=0\r\n") != std::string::npos,
                 "the file holds the new options", text ? Quoted(*text) : "no file");
  }
  report.check(SameRect(WindowRectOf(host), first), "OK does not move the main window",
               RectText(WindowRectOf(host)));
  const RECT second = showFromStart();
  report.check(SameRect(second, centred),
               "next show: centred on the pointer's monitor with its size kept",
               "got " + RectText(second) + ", want " + RectText(centred));

  // Cancel after undoing it all: the live options stay as OK left them.
  const std::optional<std::string> before = ReadBytes(path);
  RunChecked(context, "Center off, Cancel", [](HWND dialog) {
    SendDlgItemMessageA(dialog, 3003, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(dialog, 3002, BM_SETCHECK, BST_CHECKED, 0);
    SendDlgItemMessageA(dialog, 3001, BM_SETCHECK, BST_CHECKED, 0);
    CloseDialog(dialog, Close::Cancel);
    return true;
  });
  CheckFile(report, path, before, "Cancel");
  const RECT third = showFromStart();
  report.check(SameRect(third, centred), "show after Cancel: still centred",
               "got " + RectText(third) + ", want " + RectText(centred));

  ShowWindow(host, SW_HIDE);
  HostWindow::pumpMessages();
}

// ---------------------------------------------------------------------------
// dialog-no-controller

void DialogNoControllerScenario(HostContext& context) {
  Report& report = context.report;
  const std::string path = SettingsPath(context);
  PrepareSettings(path, OptionsText({{"ResizePercentValue", "42"}}));
  ShownState shown;
  if (RunChecked(context, "no controller", [&](HWND dialog) {
        shown = StateOf(dialog);
        SendDlgItemMessageA(dialog, 3007, BM_CLICK, 0, 0);
        CloseDialog(dialog, Close::Ok);
        return true;
      })) {
    ShownState expected = DefaultState();
    expected.widthText = "42";
    CheckState(report, shown, expected, "no controller");
    CheckFile(report, path,
              OptionsText({{"ResizePercentValue", "42"},
                           {"EnableMultiMonitor", "1"},
                           {"MoveRelative", "1"},
                           {"ResizeRelative", "1"},
                           {"ShowOnMonitorWithMouse", "0"},
                           {"Center", "0"},
                           {"CenterAlways", "0"},
                           {"EnableHotkeys", "0"},
                           {"ResizePercent", "0"},
                           {"ResizePercentV", "0"},
                           {"ResizePercentValueV", "80"}}),
              "no controller, OK");
  }
}

// ---------------------------------------------------------------------------
// hold-dialog: the dialog on show until a file "release-dialog" appears
// beside the DLL (or --hold-seconds pass); prints
// "dialog-rect L,T,R,B display :N" once it is painted.

void HoldDialogScenario(HostContext& context) {
  Report& report = context.report;
  const std::string path = SettingsPath(context);
  const std::string release = path.substr(0, path.rfind('\\')) + "\\release-dialog";
  DeleteFileA(release.c_str());
  PrepareSettings(path, OptionsText({{"EnableMultiMonitor", "1"},
                                     {"MoveRelative", "1"},
                                     {"ResizeRelative", "0"},
                                     {"ShowOnMonitorWithMouse", "1"},
                                     {"Center", "1"},
                                     {"CenterAlways", "0"},
                                     {"EnableHotkeys", "1"},
                                     {"ResizePercent", "1"},
                                     {"ResizePercentV", "0"},
                                     {"ResizePercentValue", "60"},
                                     {"ResizePercentValueV", "80"}}));
  InitialisedPlugin plugin(context);
  if (!plugin.start(100, 100, 600, 80)) return;
  const int holdTicks = std::stoi(context.option("hold-seconds", "60")) * 100;
  int ticks = 0;
  bool announced = false;
  RunChecked(context, "hold", [&](HWND dialog) {
    ++ticks;
    if (!announced && ticks == 30) {
      // Painted and flushed to the X server by now.
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (!announced && ticks == 60) {
      announced = true;
      char display[64] = {};
      GetEnvironmentVariableA("DISPLAY", display, sizeof display);
      report.note("dialog-rect " + RectText(WindowRectOf(dialog)) + " display " + display);
    }
    if (GetFileAttributesA(release.c_str()) != INVALID_FILE_ATTRIBUTES || ticks > holdTicks) {
      CloseDialog(dialog, Close::Cancel);
      return true;
    }
    return false;
  });
  report.check(ticks <= holdTicks, "the dialog was released before its time ran out");
}

const ScenarioRegistration kVersionResource("version-resource", &VersionResourceScenario);
const ScenarioRegistration kDialogTemplate("dialog-template", &DialogTemplateScenario);
const ScenarioRegistration kDialogStates("dialog-states", &DialogStatesScenario);
const ScenarioRegistration kDialogSave("dialog-save", &DialogSaveScenario);
const ScenarioRegistration kDialogClose("dialog-close", &DialogCloseScenario);
const ScenarioRegistration kDialogReload("dialog-reload", &DialogReloadScenario);
const ScenarioRegistration kDialogNoController("dialog-no-controller", &DialogNoControllerScenario);
const ScenarioRegistration kHoldDialog("hold-dialog", &HoldDialogScenario);

}  // namespace

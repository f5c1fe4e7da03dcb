// The options dialog's template as the real window shows it: styles,
// caption, font, size, every control in tab order, and how the dialog starts.
//   dialog-template  what the template gives the real window
#include "tests/e2e/vesk_host_dialog.h"
#include "tests/e2e/vesk_host_gdi.h"

#include <cstring>
#include <string>

namespace dialog {
namespace {

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
  const gdi::WindowDc screen(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen.get(), LOGPIXELSY);
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
  TEXTMETRICA metrics = {};
  SIZE alphabet = {};
  {
    const gdi::Font own(CreateFontA(-MulDiv(8, pixelsPerInch, 72), 0, 0, 0, 400, FALSE, FALSE,
                                    FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE,
                                    "MS Shell Dlg"));
    const gdi::Selection selected(screen.get(), own.get());
    GetTextMetricsA(screen.get(), &metrics);
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32A(screen.get(), letters, 52, &alphabet);
  }
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
      {IDC_ENABLE_MULTI_MONITOR,
       "Button",
       "Display VESK on active monitor",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {7, 7, 116, 10}},
      {IDC_RESIZE_RELATIVE,
       "Button",
       "Resize relative to screen resolution",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 33, 128, 10}},
      {IDC_MOVE_RELATIVE,
       "Button",
       "Move relative to screen resolution",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 20, 125, 10}},
      {IDC_CENTER,
       "Button",
       "Center VESK when it appears",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {7, 67, 111, 10}},
      {IDC_CENTER_ALWAYS,
       "Button",
       "and whenever it changes size",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 80, 112, 10}},
      {IDC_SHOW_ON_MONITOR_WITH_MOUSE,
       "Button",
       "Display on monitor where mouse is",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {23, 46, 126, 10}},
      {IDC_ENABLE_HOTKEYS,
       "Button",
       "Enable hotkeys",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {7, 143, 73, 10}},
      {IDC_RESIZE_PERCENT, "Button", "Resize to ", BS_AUTOCHECKBOX, 0, 0, true, {7, 101, 42, 10}},
      {IDC_RESIZE_PERCENT_VALUE,
       "Edit",
       nullptr,
       0,
       ES_NUMBER | ES_AUTOHSCROLL,
       WS_EX_RIGHT,
       true,
       {54, 99, 31, 14}},
      {-1, "Static", "% of screen width", SS_LEFT, WS_GROUP, 0, false, {90, 102, 60, 8}},
      {IDC_RESIZE_PERCENT_V, "Button", "Resize to ", BS_AUTOCHECKBOX, 0, 0, true, {7, 122, 42, 10}},
      {IDC_RESIZE_PERCENT_VALUE_V,
       "Edit",
       nullptr,
       0,
       ES_NUMBER | ES_AUTOHSCROLL,
       WS_EX_RIGHT,
       true,
       {54, 120, 31, 14}},
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

const ScenarioRegistration kDialogTemplate("dialog-template", &DialogTemplateScenario);

}  // namespace
}  // namespace dialog

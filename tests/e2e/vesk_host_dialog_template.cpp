// The options dialog's template as the real window shows it: styles,
// caption, font, size, every control in tab order, and how the dialog starts.
//   dialog-template  what the template gives the real window
#include "tests/e2e/vesk_host_dialog.h"
#include "tests/e2e/vesk_host_gdi.h"

#include <cstring>
#include <string>
#include <vector>

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

constexpr int kWidthUnits = 207;
constexpr int kHeightUnits = 273;

// The group below the original controls: its texts, and what a text needs
// beside it (a check box's box and gap; a list's button and borders).
enum class Beside { Nothing, Box, ListButton };
struct GroupFact {
  int id;
  const char* text;  // the widest text for the list
  Beside beside;
};
const GroupFact kGroup[] = {
    {IDC_USE_WORK_AREA, "Keep clear of the taskbar", Beside::Box},
    {IDC_USE_BOTH_AXES, "Find monitors stacked one above another", Beside::Box},
    {IDC_KEEP_ON_SCREEN, "Keep VESK wholly on its monitor", Beside::Box},
    {IDC_REMEMBER_PER_MONITOR, "Remember the place on each monitor", Beside::Box},
    {-1, "Show VESK on", Beside::Nothing},
    {IDC_SHOW_ON_MONITOR, "the primary monitor", Beside::ListButton},
};

HWND ControlOf(HWND dialog, const GroupFact& fact) {
  if (fact.id != -1) return GetDlgItem(dialog, fact.id);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (TextOf(child) == fact.text) return child;
  }
  return nullptr;
}

RECT ClientRectOf(HWND dialog, HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Every control inside the dialog and clear of every other; the group's own
// inside the group, the original ones and OK and Cancel outside it.
void CheckPlacement(Report& report, HWND dialog, HWND group) {
  RECT client = {};
  GetClientRect(dialog, &client);
  const RECT groupRect = ClientRectOf(dialog, group);
  report.check(Inside(groupRect, client), "the group lies inside the dialog");
  std::vector<RECT> seen;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == group) continue;
    const RECT r = ClientRectOf(dialog, child);
    const std::string name =
        "control " + std::to_string(GetDlgCtrlID(child)) + " " + Quoted(TextOf(child));
    bool ofGroup = false;
    for (const GroupFact& fact : kGroup) ofGroup = ofGroup || ControlOf(dialog, fact) == child;
    RECT overlap = {};
    report.check(Inside(r, client) &&
                     (ofGroup ? Inside(r, groupRect) : !IntersectRect(&overlap, &r, &groupRect)),
                 name + (ofGroup ? " lies inside the group" : " lies outside the group"));
    bool clear = true;
    for (const RECT& other : seen) clear = clear && !IntersectRect(&overlap, &r, &other);
    report.check(clear, name + " is clear of the controls before it");
    seen.push_back(r);
  }
}

// The group's texts fit their controls at 100 % and at 150 % display
// scaling: measured on the dialog's font made for 96 and for 144 pixels per
// inch, against the controls' widths in the dialog units of that font.
// Dialog units follow the font's average width, so only the words' own
// proportions could clip.
void CheckGroupTextsFit(Report& report, HWND dialog) {
  const gdi::WindowDc screen(nullptr);
  RECT perUnits = {0, 0, 4000, 8000};
  MapDialogRect(dialog, &perUnits);
  for (const int pixelsPerInch : {96, 144}) {
    const gdi::Font font(CreateFontA(-MulDiv(8, pixelsPerInch, 72), 0, 0, 0, 400, FALSE, FALSE,
                                     FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE,
                                     "MS Shell Dlg"));
    const gdi::Selection selected(screen.get(), font.get());
    SIZE alphabet = {};
    GetTextExtentPoint32A(screen.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    const int baseX = (alphabet.cx / 26 + 1) / 2;
    for (const GroupFact& fact : kGroup) {
      const HWND control = ControlOf(dialog, fact);
      if (!report.check(control != nullptr, Quoted(fact.text) + " is shown")) continue;
      const RECT r = ClientRectOf(dialog, control);
      const int room = MulDiv(MulDiv(r.right - r.left, 4000, perUnits.right), baseX, 4);
      SIZE text = {};
      GetTextExtentPoint32A(screen.get(), fact.text, lstrlenA(fact.text), &text);
      const int beside = fact.beside == Beside::Box          ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                         : fact.beside == Beside::ListButton ? GetSystemMetrics(SM_CXVSCROLL) + 8
                                                             : 0;
      const int needed = text.cx + MulDiv(beside, pixelsPerInch, 96);
      report.check(
          needed <= room,
          Quoted(fact.text) + " fits at " + std::to_string(pixelsPerInch * 100 / 96) + " %",
          std::to_string(needed) + " of " + std::to_string(room) + " pixels");
    }
  }
}

// Tab from OK round the dialog visits the tab stops in `order` and comes
// back to OK: the original controls, then the group's.
void CheckTabOrder(Report& report, HWND dialog, const std::vector<int>& order) {
  HWND at = GetDlgItem(dialog, IDOK);
  std::string walked;
  bool same = true;
  for (std::size_t i = 1; i <= order.size(); ++i) {
    at = GetNextDlgTabItem(dialog, at, FALSE);
    const int got = at != nullptr ? GetDlgCtrlID(at) : 0;
    walked += " " + std::to_string(got);
    same = same && got == order[i % order.size()];
  }
  report.check(same, "Tab from OK walks the tab stops in template order back to OK", walked);
}

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
  RECT mapped = {0, 0, kWidthUnits, kHeightUnits};
  MapDialogRect(dialog, &mapped);
  report.check(client.right == mapped.right && client.bottom == mapped.bottom,
               "dialog client area is 207 x 273 dialog units",
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
  report.check(client.right == MulDiv(kWidthUnits, baseX, 4) &&
                   client.bottom == MulDiv(kHeightUnits, baseY, 8),
               "dialog client area matches MS Shell Dlg 8 pt units",
               "base units " + std::to_string(baseX) + "x" + std::to_string(baseY) + " -> " +
                   std::to_string(MulDiv(kWidthUnits, baseX, 4)) + "x" +
                   std::to_string(MulDiv(kHeightUnits, baseY, 8)));
  report.note("dialog client area " + std::to_string(client.right) + "x" +
              std::to_string(client.bottom) + " pixels, base units " + std::to_string(baseX) + "x" +
              std::to_string(baseY));

  // The controls in template order, which is also the tab order.
  const ControlFact controls[] = {
      {IDOK, "Button", "OK", BS_DEFPUSHBUTTON, 0, 0, true, {96, 252, 50, 14}},
      {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON, 0, 0, true, {150, 252, 50, 14}},
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
      {-1, "Button", "More", BS_GROUPBOX, 0, 0, false, {7, 160, 193, 85}},
      {IDC_USE_WORK_AREA,
       "Button",
       "Keep clear of the taskbar",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {14, 172, 110, 10}},
      {IDC_USE_BOTH_AXES,
       "Button",
       "Find monitors stacked one above another",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {14, 185, 160, 10}},
      {IDC_KEEP_ON_SCREEN,
       "Button",
       "Keep VESK wholly on its monitor",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {14, 198, 130, 10}},
      {IDC_REMEMBER_PER_MONITOR,
       "Button",
       "Remember the place on each monitor",
       BS_AUTOCHECKBOX,
       0,
       0,
       true,
       {14, 211, 145, 10}},
      {-1, "Static", "Show VESK on", SS_LEFT, WS_GROUP, 0, false, {14, 226, 46, 8}},
      // The height is the dropped list's; the closed box is as high as its font needs.
      {IDC_SHOW_ON_MONITOR, "ComboBox", nullptr, CBS_DROPDOWNLIST, 0, 0, true, {62, 224, 96, 120}},
  };
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlFact& fact : controls) {
    const std::string name = "control " + std::to_string(fact.id) + " " +
                             (fact.text != nullptr ? Quoted(fact.text) : std::string("(no text)"));
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
    const bool comboBox = std::strcmp(fact.className, "ComboBox") == 0;
    if (comboBox) {
      report.checkEqual(childStyle & 0x03, fact.typeBits, name + ": kind");
    } else if (std::strcmp(fact.className, "Edit") != 0) {
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
    const bool heightRight = comboBox ? window.bottom - window.top <= units.bottom
                                      : window.bottom - window.top == units.bottom;
    report.check(topLeft.x == units.left && topLeft.y == units.top &&
                     window.right - window.left == units.right && heightRight,
                 name + ": position and size",
                 "got " + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + " " +
                     std::to_string(window.right - window.left) + "x" +
                     std::to_string(window.bottom - window.top) + ", want " +
                     std::to_string(units.left) + "," + std::to_string(units.top) + " " +
                     std::to_string(units.right) + "x" + std::to_string(units.bottom));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  report.check(child == nullptr, "the dialog has no further controls");
  std::vector<int> tabOrder;
  for (const ControlFact& fact : controls) {
    if (fact.tabStop) tabOrder.push_back(fact.id);
  }
  CheckTabOrder(report, dialog, tabOrder);
  const HWND group = FindWindowExA(dialog, nullptr, "Button", "More");
  if (report.check(group != nullptr, "the group \"More\" is shown")) {
    CheckPlacement(report, dialog, group);
    CheckGroupTextsFit(report, dialog);
  }

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

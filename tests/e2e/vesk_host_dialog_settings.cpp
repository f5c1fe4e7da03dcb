// What the options dialog shows of the settings file, and what it writes
// back: the user's edits on OK, nothing on any other way out.
//   dialog-states  the controls filled from no file and from prepared files
//   dialog-save    edit texts typed, boxes clicked, OK -> the file's text
//   dialog-close   Cancel, Esc, WM_CLOSE and the close box write nothing
#include "tests/e2e/vesk_host_dialog.h"

#include <string>
#include <utility>
#include <vector>

namespace dialog {
namespace {

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
  for (std::size_t i = 0; i < kCheckBoxCount; ++i) {
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
           "ResizePercentValue=250\r\nResizePercentValueV=0\r\nUseWorkArea=1\r\n"
           "UseBothAxes=1\r\nKeepOnScreen=1\r\nRememberPerMonitor=1\r\nShowOnMonitorNumber=4\r\n",
           {}};
    for (std::size_t i = 0; i < kCheckBoxCount; ++i)
      c.expected.checked[i] = !kCheckBoxes[i].fallback;
    c.expected.widthText = "250";
    c.expected.heightText = "0";
    c.expected.monitorChoice = "monitor 4";
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
    CheckFile(report, path, OptionsText(kDialogKeysAtDefaults), "OK at once");
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
          ChooseMonitor(dialog, "monitor 4");
          CloseDialog(dialog, ok);
          return true;
        })) {
      CheckFile(report, path,
                OptionsText(DialogKeysWith({{"EnableMultiMonitor", "0"},
                                            {"MoveRelative", "0"},
                                            {"ResizeRelative", "0"},
                                            {"ShowOnMonitorWithMouse", "1"},
                                            {"Center", "1"},
                                            {"CenterAlways", "1"},
                                            {"EnableHotkeys", "0"},
                                            {"ResizePercent", "1"},
                                            {"ResizePercentV", "1"},
                                            {"ResizePercentValue", "55"},
                                            {"ResizePercentValueV", "12"},
                                            {"UseWorkArea", "1"},
                                            {"UseBothAxes", "1"},
                                            {"KeepOnScreen", "1"},
                                            {"RememberPerMonitor", "1"},
                                            {"ShowOnMonitorNumber", "4"}})),
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
              "CenterAlways=0\r\nEnableHotkeys=1\r\nResizePercent=0\r\nResizePercentV=0\r\n"
              "UseWorkArea=0\r\nUseBothAxes=0\r\nKeepOnScreen=0\r\nRememberPerMonitor=0\r\n"
              "ShowOnPrimaryMonitor=0\r\n"
              "ShowOnMonitorNumber=0\r\n",
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
          shownAfter[0] = TextOf(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE));
          shownAfter[1] = TextOf(GetDlgItem(dialog, IDC_RESIZE_PERCENT_VALUE_V));
          CloseDialog(dialog, Close::Ok);
          return true;
        })) {
      report.check(shownAfter[0] == width.text && shownAfter[1] == height.text,
                   name + ": the edit boxes take the texts",
                   Quoted(shownAfter[0]) + ", " + Quoted(shownAfter[1]));
      CheckFile(report, path,
                OptionsText(DialogKeysWith(
                    {{"ResizePercentValue", width.saved}, {"ResizePercentValueV", height.saved}})),
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
        ChooseMonitor(dialog, "the primary monitor");
        CloseDialog(dialog, close);
        return true;
      });
      CheckFile(report, path, file, name);
    }
  }
}

const ScenarioRegistration kDialogStates("dialog-states", &DialogStatesScenario);
const ScenarioRegistration kDialogSave("dialog-save", &DialogSaveScenario);
const ScenarioRegistration kDialogClose("dialog-close", &DialogCloseScenario);

}  // namespace
}  // namespace dialog

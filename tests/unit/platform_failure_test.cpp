// Every operation the user triggers, run under each way the platform or the
// memory can let it down: nothing crashes, nothing escapes to the host, the
// move notifications nest at most twice, and the operation ends where the
// placement rules put it for what the plugin could see.
#include "resources/resource_ids.h"
#include "tracking_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using platform::Rect;

constexpr int kWin = platform::kKeyLeftWindows;
constexpr int kCtrl = platform::kKeyControl;
constexpr int kShift = platform::kKeyShift;

constexpr platform::Point kPointerOnM2{2500, 500};
// Where the centre-always check finds the window, and where it centres it.
constexpr Rect kMovedAway{1920, 0, 2720, 600};
constexpr Rect kCentredOnM2{2160, 212, 2960, 812};
// Where Win+Home finds the window.
constexpr Rect kOffCentreOnM1{0, 0, 800, 400};

// The dialog's user ticks Center and types 50 for the width over a file that
// held 30; OK writes the existing key in place, the rest in dialog order.
const std::string kHeld30 = "[Options]\r\nResizePercentValue=30\r\n";
const std::string kFlagsSaved =
    "EnableMultiMonitor=1\r\nMoveRelative=1\r\nResizeRelative=1\r\nShowOnMonitorWithMouse=0\r\n"
    "Center=1\r\nCenterAlways=0\r\nEnableHotkeys=1\r\nResizePercent=0\r\nResizePercentV=0\r\n";
const std::string kWidthSaved = "[Options]\r\nResizePercentValue=50\r\n" + kFlagsSaved;
const std::string kAllSaved = kWidthSaved + "ResizePercentValueV=80\r\n";

// What an operation leaves behind.
struct Outcome {
  Rect window;
  int keystrokesPassedOn = 0;
  std::int32_t widthPercent = kDefaultPercent;
  std::int32_t heightPercent = kDefaultPercent;
  bool center = false;
  std::string file;

  friend bool operator==(const Outcome& a, const Outcome& b) {
    return a.window == b.window && a.keystrokesPassedOn == b.keystrokesPassedOn &&
           a.widthPercent == b.widthPercent && a.heightPercent == b.heightPercent &&
           a.center == b.center && a.file == b.file;
  }
};

// Only the window differs from the state before.
Outcome MovedTo(const Rect& window) {
  Outcome o;
  o.window = window;
  return o;
}

void PrintTo(const Outcome& o, std::ostream* os) {
  platform::PrintTo(o.window, os);
  *os << ", " << o.keystrokesPassedOn << " keystrokes passed on, width " << o.widthPercent
      << " %, height " << o.heightPercent << " %, center " << o.center << ", file \"" << o.file
      << "\"";
}

// An outcome stated against the operation's undisturbed one and the state
// before the operation.
enum class WindowEnd { Undisturbed, Unmoved, At };
// Valued by the keystrokes of a press and release that reach the window.
enum class Keys { Swallowed = 0, ReleasePassedOn = 1, PassedOn = 2 };
struct Expect {
  WindowEnd window = WindowEnd::Undisturbed;
  Rect at;
  Keys keys = Keys::Swallowed;
  bool optionsKept = false;
  bool fileKept = false;
  std::optional<std::string> file;  // this text instead
};

Expect Make(WindowEnd window, Keys keys, bool optionsKept, bool fileKept) {
  Expect e;
  e.window = window;
  e.keys = keys;
  e.optionsKept = optionsKept;
  e.fileKept = fileKept;
  return e;
}

const Expect kDone;
// The operation ran to its end without moving the window.
const Expect kStays = Make(WindowEnd::Unmoved, Keys::Swallowed, false, false);
// The operation stopped where memory ran out, before its move; a hotkey that
// failed lets its release through.
const Expect kAbandoned = Make(WindowEnd::Unmoved, Keys::ReleasePassedOn, false, false);
// The plugin never acted.
const Expect kUnchanged = Make(WindowEnd::Unmoved, Keys::PassedOn, true, true);
const Expect kUnsaved = Make(WindowEnd::Undisturbed, Keys::Swallowed, false, true);

Expect At(const Rect& rect) {
  Expect e = Make(WindowEnd::At, Keys::Swallowed, false, false);
  e.at = rect;
  return e;
}

// OK's writes stopped at a control: the dialog closes as cancelled, so the
// live options are not reloaded.
Expect SavedUpTo(const std::string& file) {
  Expect e = Make(WindowEnd::Undisturbed, Keys::Swallowed, true, false);
  e.file = file;
  return e;
}

Outcome Expected(const Expect& e, Outcome undisturbed, const Outcome& before, bool keystrokes) {
  Outcome& o = undisturbed;
  if (e.window == WindowEnd::Unmoved) o.window = before.window;
  if (e.window == WindowEnd::At) o.window = e.at;
  o.keystrokesPassedOn = keystrokes ? static_cast<int>(e.keys) : 0;
  if (e.optionsKept) {
    o.widthPercent = before.widthPercent;
    o.heightPercent = before.heightPercent;
    o.center = before.center;
  }
  if (e.fileKept) o.file = before.file;
  if (e.file) o.file = *e.file;
  return o;
}

struct OptionValue {
  const char* key;
  std::int32_t value;
};

struct Operation {
  const char* name;
  std::vector<OptionValue> options;
  std::function<void()> arrange;  // after the start
  std::function<void()> act;
  bool keystrokes;
  Outcome undisturbed;
};

// How each row's expectations run: once, or for n = 1, 2, ... until the
// armed failure is no longer reached, which must then give kDone. Exact: one
// expectation per n reached; Repeating: the last one holds for further n.
enum class Sweep { None, Exact, Repeating };

struct Failure {
  const char* name;
  std::function<void()> beforeStart;
  std::function<void(int n)> inject;  // just before the operation
  Sweep sweep;
  std::vector<std::vector<Expect>> byOperation;
};

std::int32_t VMM_CDECL UncountedHost(std::int32_t pluginId, const char* request, void* answer,
                                     std::int32_t size) {
  const fake::UncountedAllocations host;
  return FakeHostCallback(pluginId, request, answer, size);
}

class PlatformFailureTest : public TrackingTest {
 protected:
  void start() {
    fakeHost().mainWindow = host;
    PluginFunc_DoInit(kLibraryPath, 7, nullptr, nullptr, &UncountedHost, nullptr);
    fake::setForegroundWindow(host);
  }

  void hold(std::initializer_list<int> keys) {
    for (int key : keys) fake::setKeyDown(key, true);
  }
  void tap(int key) {
    fake::keyDown(key);
    fake::keyUp(key);
  }

  Outcome observe() {
    Outcome o;
    o.window = hostRect();
    o.keystrokesPassedOn = fake::keystrokesReceived();
    if (pluginState.controller == nullptr) {
      ADD_FAILURE() << "no controller";
      return o;
    }
    o.widthPercent = controller().options.resizePercentValue;
    o.heightPercent = controller().options.resizePercentValueV;
    o.center = controller().options.center;
    o.file = fake::fileText(kSettingsPath);
    return o;
  }

  // Runs `operation` with `failure` armed at `n`; answers whether the
  // failure was reached.
  bool runOnce(const Operation& operation, const Failure& failure, int n, const Expect& expect) {
    TearDown();
    SetUp();
    for (const OptionValue& option : operation.options) setOption(option.key, option.value);
    if (failure.beforeStart) failure.beforeStart();
    start();
    operation.arrange();
    const Outcome before = observe();
    fake::clearMoveCalls();
    failure.inject(n);
    EXPECT_NO_THROW(operation.act());
    const bool reached = !fake::failurePending();
    fake::failAllocation(0);
    Outcome after = observe();
    after.keystrokesPassedOn -= before.keystrokesPassedOn;
    EXPECT_LE(fake::maxPosChangingDepth(), 2);
    EXPECT_EQ(pluginState.hookCallsInProgress, 0);
    const Expect& stated = failure.sweep == Sweep::None || reached ? expect : kDone;
    EXPECT_EQ(after, Expected(stated, operation.undisturbed, before, operation.keystrokes));
    return reached;
  }
};

TEST_F(PlatformFailureTest, EveryOperationUnderEveryFailure) {
  const std::vector<Operation> operations = {
      {"show after a window on M2",
       {},
       [&] { fakeHost().previousWindowAnswer = std::to_string(onM2); },
       [&] { fake::showWindow(host, true); },
       false,
       MovedTo(kHostOnM2)},
      {"show with the pointer on M2",
       {},
       [&] { fake::setCursor(kPointerOnM2); },
       [&] { fake::showWindow(host, true); },
       false,
       MovedTo(kHostOnM2)},
      {"Win+Right",
       {},
       [&] {
         show(onM1);
         hold({kWin});
       },
       [&] { tap(platform::kKeyRight); },
       true,
       MovedTo(kHostOnM2)},
      {"Win+Home",
       {},
       [&] {
         show(onM1);
         fake::setWindowRect(host, kOffCentreOnM1);
         hold({kWin});
       },
       [&] { tap(platform::kKeyHome); },
       true,
       MovedTo(kHostStart)},  // centred on M1
      {"Win+Ctrl+5",
       {},
       [&] {
         show(onM1);
         hold({kWin, kCtrl});
       },
       [&] { tap('5'); },
       true,
       {{560, 340, 1520, 740},
        0,
        50,
        kDefaultPercent,
        false,
        "[Options]\r\nResizePercentValueH=50\r\nResizePercentValue=50\r\n"}},
      {"Win+Ctrl+Shift+5",
       {},
       [&] {
         show(onM1);
         hold({kWin, kCtrl, kShift});
       },
       [&] { tap('5'); },
       true,
       {{560, 340, 1360, 880},
        0,
        kDefaultPercent,
        50,
        false,
        "[Options]\r\nResizePercentValueV=50\r\n"}},
      {"centre-always check",
       {{"Center", 1}, {"CenterAlways", 1}},
       [&] {
         show(onM2);
         fake::setWindowRect(host, kMovedAway);
       },
       [&] { fake::sendMessage(host, platform::kMessageWindowPosChanging, 0); },
       false,
       {kCentredOnM2, 0, kDefaultPercent, kDefaultPercent, true,
        "[Options]\r\nCenter=1\r\nCenterAlways=1\r\n"}},
      {"options dialog, OK",
       {{"ResizePercentValue", 30}},
       [&] {
         // Once before, so that the run does not depend on whether a dialog
         // ran on this thread already.
         fake::setDialogUser(
             [](platform::WindowHandle dialog) { fake::pressButton(dialog, platform::kIdCancel); });
         PluginFunc_DoAdvConfig();
         fake::setDialogUser([](platform::WindowHandle dialog) {
           fake::setChecked(dialog, IDC_CENTER, true);
           fake::setControlText(dialog, IDC_RESIZE_PERCENT_VALUE, "50");
           fake::pressButton(dialog, platform::kIdOk);
         });
       },
       [] {
         if (PluginFunc_DoAdvConfig() != 1) ADD_FAILURE() << "the export answered a failure";
       },
       false,
       {kHostStart, 0, 50, kDefaultPercent, true, kAllSaved}},
  };

  const Rect zeroRectOnM2{1920, 0, 1920, 0};  // placed from an unread rectangle
  const Rect zeroRectCentredOnM1{960, 540, 960, 540};
  const std::vector<Failure> failures = {
      // Columns: show after M2, show at the pointer, Win+Right, Win+Home,
      // Win+Ctrl+5, Win+Ctrl+Shift+5, centre-always check, dialog.
      {"enumeration ends at device 1",
       nullptr,
       [](int) { fake::endEnumerationAt(1); },
       Sweep::None,
       {{kStays}, {kStays}, {kStays}, {kDone}, {kDone}, {kDone}, {kStays}, {kDone}}},
      {"M2 unplugged after the first device was enumerated",
       nullptr,
       [](int) { fake::onCall(fake::Call::EnumDisplayDevice, 1, [] { fake::removeDisplay(1); }); },
       Sweep::None,
       {{kStays}, {kStays}, {kStays}, {kDone}, {kDone}, {kDone}, {kStays}, {kDone}}},
      // Its settings are gone with it: a monitor of no extent at 0 is left.
      {"M1 unplugged right after it was enumerated",
       nullptr,
       [](int) { fake::onCall(fake::Call::EnumDisplayDevice, 1, [] { fake::removeDisplay(0); }); },
       Sweep::None,
       {{kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {kDone}}},
      {"M2 moved left of M1 after the first device was enumerated",
       nullptr,
       [](int) {
         fake::onCall(fake::Call::EnumDisplayDevice, 1, [] {
           fake::moveMonitor(1, {-1280, 0, 0, 1024});
         });
       },
       Sweep::None,
       {{kStays},
        {kStays},
        {At({-907, 322, -374, 701})},
        {kDone},
        {kDone},
        {kDone},
        {kStays},
        {kDone}}},
      // Only the centre-always check reads the window before its monitor list.
      {"M2 unplugged after the first window rectangle was read",
       nullptr,
       [](int) { fake::onCall(fake::Call::GetWindowRect, 1, [] { fake::removeDisplay(1); }); },
       Sweep::None,
       {{kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kStays}, {kDone}}},
      {"the nth window rectangle read answers zeros",
       nullptr,
       [](int n) { fake::failCall(fake::Call::GetWindowRect, n); },
       Sweep::Exact,
       {{kDone, kStays, At(zeroRectOnM2)},
        {kDone, At(zeroRectOnM2)},
        {kDone, At(zeroRectOnM2)},
        {At(zeroRectCentredOnM1)},
        {kDone, At({0, 0, 960, 0})},
        {kDone, At({0, 0, 0, 540})},
        {kDone, At(zeroRectCentredOnM1)},
        {}}},
      {"the nth move is ignored",
       nullptr,
       [](int n) { fake::failCall(fake::Call::MoveWindow, n); },
       Sweep::Exact,
       {{kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {kStays}, {}}},
      {"the window will not go left of 600 or above 400",
       nullptr,
       [&](int) { fake::setMinimumPosition(host, 600, 400); },
       Sweep::None,
       {{At({2293, 400, 2826, 779})},
        {At({2293, 400, 2826, 779})},
        {At({2293, 400, 2826, 779})},
        {At({600, 400, 1400, 800})},
        {At({600, 400, 1560, 800})},
        {At({600, 400, 1400, 940})},
        {At({2160, 400, 2960, 1000})},
        {kDone}}},
      {"the window is at most 600 x 350",
       nullptr,
       [&](int) { fake::setMaximumSize(host, 600, 350); },
       Sweep::None,
       {{At({2293, 322, 2826, 672})},
        {At({2293, 322, 2826, 672})},
        {At({2293, 322, 2826, 672})},
        {At({560, 340, 1160, 690})},
        {At({560, 340, 1160, 690})},
        {At({560, 340, 1160, 690})},
        {At({2160, 212, 2760, 562})},
        {kDone}}},
      {"the window is at least 900 x 500",
       nullptr,
       [&](int) { fake::setMinimumSize(host, 900, 500); },
       Sweep::None,
       {{At({2293, 322, 3193, 822})},
        {At({2293, 322, 3193, 822})},
        {At({2293, 322, 3193, 822})},
        {At({560, 340, 1460, 840})},
        {At({560, 340, 1520, 840})},
        {At({560, 340, 1460, 880})},
        {At({2160, 212, 3060, 812})},
        {kDone}}},
      // Unhooked from messages the plugin never sees the window shown, so
      // its hotkeys stay off too.
      {"the message hook cannot be installed",
       [] { fake::failCall(fake::Call::InstallHook, 1); },
       [](int) {},
       Sweep::None,
       {{kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kDone}}},
      // It is tried again with every message while the window is shown.
      {"the keyboard hook cannot be installed",
       [] {
         for (int n = 2; n < 40; ++n) fake::failCall(fake::Call::InstallHook, n);
       },
       [](int) {},
       Sweep::None,
       {{kDone},
        {kDone},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kUnchanged},
        {kDone},
        {kDone}}},
      {"the keyboard hook fails once, as the window is shown",
       [] { fake::failCall(fake::Call::InstallHook, 2); },
       [](int) {},
       Sweep::None,
       {{kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}}},
      // A hotkey sets the live option itself; the dialog's OK applies what it
      // saved, though the file did not take it.
      {"profile writes fail",
       nullptr,
       [](int) { fake::setFileReadOnly(kSettingsPath, true); },
       Sweep::None,
       {{kDone}, {kDone}, {kDone}, {kDone}, {kUnsaved}, {kUnsaved}, {kDone}, {kUnsaved}}},
      // The pointer is then taken at 0, on M1.
      {"the pointer position cannot be read",
       nullptr,
       [](int) { fake::setCursor(kPointerOnM2, false); },
       Sweep::None,
       {{kDone}, {kStays}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}, {kDone}}},
      // Every operation builds its monitor list before its one move. The
      // dialog: first its copy of the settings path, then the two edit boxes'
      // texts as OK saves them in dialog order.
      {"the nth allocation fails",
       nullptr,
       [](int n) { fake::failAllocation(n); },
       Sweep::Repeating,
       {{kAbandoned},
        {kAbandoned},
        {kAbandoned},
        {kAbandoned},
        {kAbandoned},
        {kAbandoned},
        {kAbandoned},
        {kUnchanged, SavedUpTo(kHeld30 + kFlagsSaved), SavedUpTo(kWidthSaved)}}},
  };

  constexpr int kMostSteps = 50;
  for (const Failure& failure : failures) {
    ASSERT_EQ(failure.byOperation.size(), operations.size()) << failure.name;
    for (std::size_t op = 0; op < operations.size(); ++op) {
      const std::vector<Expect>& expects = failure.byOperation[op];
      for (int n = 1;; ++n) {
        SCOPED_TRACE(testing::Message()
                     << failure.name << "; " << operations[op].name << "; n = " << n);
        const auto index = static_cast<std::size_t>(n - 1);
        const bool listed = index < expects.size();
        const Expect& expect = listed ? expects[index] : expects.empty() ? kDone : expects.back();
        const bool reached = runOnce(operations[op], failure, n, expect);
        if (failure.sweep == Sweep::None) break;
        if (!reached) {
          if (failure.sweep == Sweep::Exact) {
            EXPECT_EQ(index, expects.size()) << "failures stated but not reached";
          } else {
            EXPECT_GE(index, expects.size()) << "failures stated but not reached";
          }
          break;
        }
        if (failure.sweep == Sweep::Exact) {
          EXPECT_TRUE(listed) << "a failure where none is stated";
        }
        if (n == kMostSteps) {
          ADD_FAILURE() << "still failing after " << n << " steps";
          break;
        }
      }
    }
  }
}

}  // namespace

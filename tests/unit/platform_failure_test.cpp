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
const std::string kAllSaved = kWidthSaved +
                              "ResizePercentValueV=80\r\nUseWorkArea=0\r\nUseBothAxes=0\r\n"
                              "KeepOnScreen=0\r\nRememberPerMonitor=0\r\nShowOnPrimaryMonitor=0\r\n"
                              "ShowOnMonitorNumber=0\r\n";

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
// The operation stopped where memory ran out, before its move.
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

// The operations, by the names the failure rows state them under.
enum class Op {
  ShowAfterM2,
  ShowAtPointer,
  WinRight,
  WinHome,
  WinCtrl5,
  WinCtrlShift5,
  CentreAlwaysCheck,
  DialogOk,
};

class PlatformFailureTest;

struct Operation {
  Op op;
  const char* name;
  std::vector<OptionValue> options;
  std::function<void(PlatformFailureTest&)> arrange;  // after the start
  std::function<void(PlatformFailureTest&)> act;
  bool keystrokes;
  Outcome undisturbed;
};

// How each row's expectations run: once, or for n = 1, 2, ... until the
// armed failure is no longer reached, which must then give kDone. Exact: one
// expectation per n reached; Repeating: the last one holds for further n.
enum class Sweep { None, Exact, Repeating };

// Named, so that a failure row needs no column order to be read.
struct ExpectsFor {
  Op op;
  std::vector<Expect> expects;
};

struct Failure {
  const char* name;
  std::function<void()> beforeStart;
  std::function<void(int n, platform::WindowHandle host)> inject;  // just before the operation
  Sweep sweep;
  std::vector<ExpectsFor> byOperation;
};

// One instance of the matrix.
struct Case {
  const Failure* failure;
  const Operation* operation;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.failure->name << ", " << c.operation->name;
}

std::int32_t VMM_CDECL UncountedHost(std::int32_t pluginId, const char* request, void* answer,
                                     std::int32_t size) {
  const fake::UncountedAllocations host;
  return FakeHostCallback(pluginId, request, answer, size);
}

class PlatformFailureTest : public TrackingTest, public ::testing::WithParamInterface<Case> {
 public:
  // What the operation tables arrange and act with.
  using TrackingTest::host;
  using TrackingTest::onM1;
  using TrackingTest::onM2;
  using TrackingTest::show;

  void hold(std::initializer_list<int> keys) {
    for (int key : keys) fake::setKeyDown(key, true);
  }
  void tap(int key) {
    fake::keyDown(key);
    fake::keyUp(key);
    fake::pumpSentMessages();
  }

 protected:
  void start() {
    fakeHost().mainWindow = host;
    PluginFunc_DoInit(kLibraryPath, 7, nullptr, nullptr, &UncountedHost, nullptr);
    fake::setForegroundWindow(host);
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

  // Runs `operation` with `failure` armed at `n` on a fresh desktop;
  // answers whether the failure was reached.
  bool runOnce(const Operation& operation, const Failure& failure, int n, const Expect& expect) {
    TearDown();
    SetUp();
    for (const OptionValue& option : operation.options) setOption(option.key, option.value);
    if (failure.beforeStart) failure.beforeStart();
    start();
    operation.arrange(*this);
    const Outcome before = observe();
    fake::clearMoveCalls();
    failure.inject(n, host);
    EXPECT_NO_THROW(operation.act(*this));
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

const std::vector<Operation> kOperations = {
    {Op::ShowAfterM2,
     "ShowAfterAWindowOnM2",
     {},
     [](PlatformFailureTest& t) { fakeHost().previousWindowAnswer = std::to_string(t.onM2); },
     [](PlatformFailureTest& t) { fake::showWindow(t.host, true); },
     false,
     MovedTo(kHostOnM2)},
    {Op::ShowAtPointer,
     "ShowWithThePointerOnM2",
     {},
     [](PlatformFailureTest&) { fake::setCursor(kPointerOnM2); },
     [](PlatformFailureTest& t) { fake::showWindow(t.host, true); },
     false,
     MovedTo(kHostOnM2)},
    {Op::WinRight,
     "WinRight",
     {},
     [](PlatformFailureTest& t) {
       t.show(t.onM1);
       t.hold({kWin});
     },
     [](PlatformFailureTest& t) { t.tap(platform::kKeyRight); },
     true,
     MovedTo(kHostOnM2)},
    {Op::WinHome,
     "WinHome",
     {},
     [](PlatformFailureTest& t) {
       t.show(t.onM1);
       fake::setWindowRect(t.host, kOffCentreOnM1);
       t.hold({kWin});
     },
     [](PlatformFailureTest& t) { t.tap(platform::kKeyHome); },
     true,
     MovedTo(kHostStart)},  // centred on M1
    {Op::WinCtrl5,
     "WinCtrl5",
     {},
     [](PlatformFailureTest& t) {
       t.show(t.onM1);
       t.hold({kWin, kCtrl});
     },
     [](PlatformFailureTest& t) { t.tap('5'); },
     true,
     {{560, 340, 1520, 740},
      0,
      50,
      kDefaultPercent,
      false,
      "[Options]\r\nResizePercentValueH=50\r\nResizePercentValue=50\r\n"}},
    {Op::WinCtrlShift5,
     "WinCtrlShift5",
     {},
     [](PlatformFailureTest& t) {
       t.show(t.onM1);
       t.hold({kWin, kCtrl, kShift});
     },
     [](PlatformFailureTest& t) { t.tap('5'); },
     true,
     {{560, 340, 1360, 880},
      0,
      kDefaultPercent,
      50,
      false,
      "[Options]\r\nResizePercentValueV=50\r\n"}},
    {Op::CentreAlwaysCheck,
     "CentreAlwaysCheck",
     {{"Center", 1}, {"CenterAlways", 1}},
     [](PlatformFailureTest& t) {
       t.show(t.onM2);
       fake::setWindowRect(t.host, kMovedAway);
     },
     [](PlatformFailureTest& t) {
       fake::sendMessage(t.host, platform::kMessageWindowPosChanging, 0);
     },
     false,
     {kCentredOnM2, 0, kDefaultPercent, kDefaultPercent, true,
      "[Options]\r\nCenter=1\r\nCenterAlways=1\r\n"}},
    {Op::DialogOk,
     "OptionsDialogOk",
     {{"ResizePercentValue", 30}},
     [](PlatformFailureTest&) {
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
     [](PlatformFailureTest&) {
       if (PluginFunc_DoAdvConfig() != 1) ADD_FAILURE() << "the export answered a failure";
     },
     false,
     {kHostStart, 0, 50, kDefaultPercent, true, kAllSaved}},
};

constexpr Rect kZeroRectOnM2{1920, 0, 1920, 0};  // placed from an unread rectangle
constexpr Rect kZeroRectCentredOnM1{960, 540, 960, 540};

const std::vector<Failure> kFailures = {
    {"EnumerationEndsAtDevice1",
     nullptr,
     [](int, platform::WindowHandle) { fake::endEnumerationAt(1); },
     Sweep::None,
     {{Op::ShowAfterM2, {kStays}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {kStays}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kDone}},
      {Op::WinCtrlShift5, {kDone}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {kDone}}}},
    {"M2UnpluggedAfterTheFirstDeviceWasEnumerated",
     nullptr,
     [](int, platform::WindowHandle) {
       fake::onCall(fake::Call::EnumDisplayDevice, 1, [] { fake::removeDisplay(1); });
     },
     Sweep::None,
     {{Op::ShowAfterM2, {kStays}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {kStays}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kDone}},
      {Op::WinCtrlShift5, {kDone}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {kDone}}}},
    // Its settings are gone with it: a monitor of no extent at 0 is left.
    {"M1UnpluggedRightAfterItWasEnumerated",
     nullptr,
     [](int, platform::WindowHandle) {
       fake::onCall(fake::Call::EnumDisplayDevice, 1, [] { fake::removeDisplay(0); });
     },
     Sweep::None,
     {{Op::ShowAfterM2, {kStays}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {kStays}},
      {Op::WinHome, {kStays}},
      {Op::WinCtrl5, {kStays}},
      {Op::WinCtrlShift5, {kStays}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {kDone}}}},
    {"M2MovedLeftOfM1AfterTheFirstDeviceWasEnumerated",
     nullptr,
     [](int, platform::WindowHandle) {
       fake::onCall(fake::Call::EnumDisplayDevice, 1, [] {
         fake::moveMonitor(1, {-1280, 0, 0, 1024});
       });
     },
     Sweep::None,
     {{Op::ShowAfterM2, {kStays}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {At({-907, 322, -374, 701})}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kDone}},
      {Op::WinCtrlShift5, {kDone}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {kDone}}}},
    // Only the centre-always check reads the window before its monitor list.
    {"M2UnpluggedAfterTheFirstWindowRectangleWasRead",
     nullptr,
     [](int, platform::WindowHandle) {
       fake::onCall(fake::Call::GetWindowRect, 1, [] { fake::removeDisplay(1); });
     },
     Sweep::None,
     {{Op::ShowAfterM2, {kDone}},
      {Op::ShowAtPointer, {kDone}},
      {Op::WinRight, {kDone}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kDone}},
      {Op::WinCtrlShift5, {kDone}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {kDone}}}},
    {"TheNthWindowRectangleReadAnswersZeros",
     nullptr,
     [](int n, platform::WindowHandle) { fake::failCall(fake::Call::GetWindowRect, n); },
     Sweep::Exact,
     {{Op::ShowAfterM2, {kDone, kStays, At(kZeroRectOnM2)}},
      {Op::ShowAtPointer, {kDone, At(kZeroRectOnM2)}},
      {Op::WinRight, {kDone, At(kZeroRectOnM2)}},
      {Op::WinHome, {At(kZeroRectCentredOnM1)}},
      {Op::WinCtrl5, {kDone, At({0, 0, 960, 0})}},
      {Op::WinCtrlShift5, {kDone, At({0, 0, 0, 540})}},
      {Op::CentreAlwaysCheck, {kDone, At(kZeroRectCentredOnM1)}},
      {Op::DialogOk, {}}}},
    {"TheNthMoveIsIgnored",
     nullptr,
     [](int n, platform::WindowHandle) { fake::failCall(fake::Call::MoveWindow, n); },
     Sweep::Exact,
     {{Op::ShowAfterM2, {kStays}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {kStays}},
      {Op::WinHome, {kStays}},
      {Op::WinCtrl5, {kStays}},
      {Op::WinCtrlShift5, {kStays}},
      {Op::CentreAlwaysCheck, {kStays}},
      {Op::DialogOk, {}}}},
    {"TheWindowWillNotGoLeftOf600OrAbove400",
     nullptr,
     [](int, platform::WindowHandle host) { fake::setMinimumPosition(host, 600, 400); },
     Sweep::None,
     {{Op::ShowAfterM2, {At({2293, 400, 2826, 779})}},
      {Op::ShowAtPointer, {At({2293, 400, 2826, 779})}},
      {Op::WinRight, {At({2293, 400, 2826, 779})}},
      {Op::WinHome, {At({600, 400, 1400, 800})}},
      {Op::WinCtrl5, {At({600, 400, 1560, 800})}},
      {Op::WinCtrlShift5, {At({600, 400, 1400, 940})}},
      {Op::CentreAlwaysCheck, {At({2160, 400, 2960, 1000})}},
      {Op::DialogOk, {kDone}}}},
    {"TheWindowIsAtMost600x350",
     nullptr,
     [](int, platform::WindowHandle host) { fake::setMaximumSize(host, 600, 350); },
     Sweep::None,
     {{Op::ShowAfterM2, {At({2293, 322, 2826, 672})}},
      {Op::ShowAtPointer, {At({2293, 322, 2826, 672})}},
      {Op::WinRight, {At({2293, 322, 2826, 672})}},
      {Op::WinHome, {At({560, 340, 1160, 690})}},
      {Op::WinCtrl5, {At({560, 340, 1160, 690})}},
      {Op::WinCtrlShift5, {At({560, 340, 1160, 690})}},
      {Op::CentreAlwaysCheck, {At({2160, 212, 2760, 562})}},
      {Op::DialogOk, {kDone}}}},
    {"TheWindowIsAtLeast900x500",
     nullptr,
     [](int, platform::WindowHandle host) { fake::setMinimumSize(host, 900, 500); },
     Sweep::None,
     {{Op::ShowAfterM2, {At({2293, 322, 3193, 822})}},
      {Op::ShowAtPointer, {At({2293, 322, 3193, 822})}},
      {Op::WinRight, {At({2293, 322, 3193, 822})}},
      {Op::WinHome, {At({560, 340, 1460, 840})}},
      {Op::WinCtrl5, {At({560, 340, 1520, 840})}},
      {Op::WinCtrlShift5, {At({560, 340, 1460, 880})}},
      {Op::CentreAlwaysCheck, {At({2160, 212, 3060, 812})}},
      {Op::DialogOk, {kDone}}}},
    // Unhooked from messages the plugin never sees the window shown, so
    // its hotkeys stay off too.
    {"TheMessageHookCannotBeInstalled",
     [] { fake::failCall(fake::Call::InstallHook, 1); },
     [](int, platform::WindowHandle) {},
     Sweep::None,
     {{Op::ShowAfterM2, {kUnchanged}},
      {Op::ShowAtPointer, {kUnchanged}},
      {Op::WinRight, {kUnchanged}},
      {Op::WinHome, {kUnchanged}},
      {Op::WinCtrl5, {kUnchanged}},
      {Op::WinCtrlShift5, {kUnchanged}},
      {Op::CentreAlwaysCheck, {kUnchanged}},
      {Op::DialogOk, {kDone}}}},
    // It is tried again with every message while the window is shown.
    {"TheKeyboardHookCannotBeInstalled",
     [] {
       for (int n = 2; n < 40; ++n) fake::failCall(fake::Call::InstallHook, n);
     },
     [](int, platform::WindowHandle) {},
     Sweep::None,
     {{Op::ShowAfterM2, {kDone}},
      {Op::ShowAtPointer, {kDone}},
      {Op::WinRight, {kUnchanged}},
      {Op::WinHome, {kUnchanged}},
      {Op::WinCtrl5, {kUnchanged}},
      {Op::WinCtrlShift5, {kUnchanged}},
      {Op::CentreAlwaysCheck, {kDone}},
      {Op::DialogOk, {kDone}}}},
    // Its thread runs on without it: the hotkeys pass on until the window
    // comes in front again, which renews the hook.
    {"TheKeyboardHookFailsOnceAsTheWindowIsShown",
     [] { fake::failCall(fake::Call::InstallHook, 2); },
     [](int, platform::WindowHandle) {},
     Sweep::None,
     {{Op::ShowAfterM2, {kDone}},
      {Op::ShowAtPointer, {kDone}},
      {Op::WinRight, {kUnchanged}},
      {Op::WinHome, {kUnchanged}},
      {Op::WinCtrl5, {kUnchanged}},
      {Op::WinCtrlShift5, {kUnchanged}},
      {Op::CentreAlwaysCheck, {kDone}},
      {Op::DialogOk, {kDone}}}},
    // A hotkey sets the live option itself; the dialog's OK applies what it
    // saved, though the file did not take it.
    {"ProfileWritesFail",
     nullptr,
     [](int, platform::WindowHandle) { fake::setFileReadOnly(kSettingsPath, true); },
     Sweep::None,
     {{Op::ShowAfterM2, {kDone}},
      {Op::ShowAtPointer, {kDone}},
      {Op::WinRight, {kDone}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kUnsaved}},
      {Op::WinCtrlShift5, {kUnsaved}},
      {Op::CentreAlwaysCheck, {kDone}},
      {Op::DialogOk, {kUnsaved}}}},
    // The pointer is then taken at 0, on M1.
    {"ThePointerPositionCannotBeRead",
     nullptr,
     [](int, platform::WindowHandle) { fake::setCursor(kPointerOnM2, false); },
     Sweep::None,
     {{Op::ShowAfterM2, {kDone}},
      {Op::ShowAtPointer, {kStays}},
      {Op::WinRight, {kDone}},
      {Op::WinHome, {kDone}},
      {Op::WinCtrl5, {kDone}},
      {Op::WinCtrlShift5, {kDone}},
      {Op::CentreAlwaysCheck, {kDone}},
      {Op::DialogOk, {kDone}}}},
    // Every operation builds its monitor list before its one move. The
    // dialog: first its copy of the settings path, then the two edit boxes'
    // texts as OK saves them in dialog order.
    {"TheNthAllocationFails",
     nullptr,
     [](int n, platform::WindowHandle) { fake::failAllocation(n); },
     Sweep::Repeating,
     // A hotkey is decided without memory and dropped; its work on VESK's
     // thread stops where memory ran out.
     {{Op::ShowAfterM2, {kAbandoned}},
      {Op::ShowAtPointer, {kAbandoned}},
      {Op::WinRight, {kStays}},
      {Op::WinHome, {kStays}},
      {Op::WinCtrl5, {kStays}},
      {Op::WinCtrlShift5, {kStays}},
      {Op::CentreAlwaysCheck, {kAbandoned}},
      {Op::DialogOk, {kUnchanged, SavedUpTo(kHeld30 + kFlagsSaved), SavedUpTo(kWidthSaved)}}}},
};

std::vector<Case> EveryOperationUnderEveryFailure() {
  std::vector<Case> cases;
  for (const Failure& failure : kFailures) {
    for (const Operation& operation : kOperations) cases.push_back({&failure, &operation});
  }
  return cases;
}

// Every instance runs the operation under the failure as the failure row
// states it for that operation: nothing escapes, the move notifications nest
// at most twice, no hook call is left in progress, and the window, the
// keystrokes, the options and the file end as stated.
TEST_P(PlatformFailureTest, FailsSafelyWithTheStatedOutcome) {
  const Failure& failure = *GetParam().failure;
  const Operation& operation = *GetParam().operation;
  std::vector<const std::vector<Expect>*> stated;
  for (const ExpectsFor& row : failure.byOperation) {
    if (row.op == operation.op) stated.push_back(&row.expects);
  }
  ASSERT_EQ(stated.size(), 1u) << "the failure must state the operation exactly once";
  const std::vector<Expect>& expects = *stated.front();
  constexpr int kMostSteps = 50;
  for (int n = 1;; ++n) {
    SCOPED_TRACE(testing::Message() << "n = " << n);
    const auto index = static_cast<std::size_t>(n - 1);
    const bool listed = index < expects.size();
    const Expect& expect = listed ? expects[index] : expects.empty() ? kDone : expects.back();
    const bool reached = runOnce(operation, failure, n, expect);
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

std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
  return std::string(param.param.failure->name) + "_" + param.param.operation->name;
}

INSTANTIATE_TEST_SUITE_P(EveryOperationUnderEveryFailure, PlatformFailureTest,
                         ::testing::ValuesIn(EveryOperationUnderEveryFailure()), CaseName);

}  // namespace

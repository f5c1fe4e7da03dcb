// The plugin driven through its entry points and hook procedures on the fake
// desktop, one session per input: a layout of 1 to 16 monitors, a settings
// file, PluginFunc_DoInit, then shows, hides, position changes, keystrokes,
// option reloads through the dialog, new layouts, monitors unplugged or
// moved (also in the middle of a platform call), failing platform calls,
// pointer and foreground changes, and the host shutting down or starting
// again, also from inside its answer. Checked: moves nest at most two deep
// (a move, and the centre-always check's one inside it), and a Win+arrow,
// Win+Home or Win+Ctrl+digit leaves the window where the geometry core puts
// it, whenever no platform call is armed to fail or change the desktop.
//
// Input: the layout, the main window, two more windows, the settings, whether
// the host has a main window, then actions, each an opcode byte and its
// operands (see Act).
#include "monitors/geometry.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "resources/resource_ids.h"
#include "settings/options_dialog.h"
#include "settings/settings_file.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr platform::ModuleHandle kModule = 0x10000000;
constexpr const char* kLibraryPath = "C:\\Plugins\\MultiMonitor\\VeskMultiMonitor.dll";
constexpr const char* kDirectory = "C:\\Plugins\\MultiMonitor";
constexpr std::size_t kMostActions = 64;
constexpr int kDeepestMoveNesting = 2;
constexpr int kWin = platform::kKeyLeftWindows;
constexpr int kCtrl = platform::kKeyControl;
constexpr int kShift = platform::kKeyShift;

enum class Reentry : std::uint8_t { None, ShutDown, Init, PositionChanging };

// A display as added to the fake, in the fake's order.
struct Screen {
  platform::Rect rect;
  std::optional<platform::Rect> work;
};

struct Session {
  platform::WindowHandle window = 0;  // the host's main window
  platform::WindowHandle others[4] = {};
  platform::WindowHandle answeredMainWindow = 0;
  platform::WindowHandle foreground = 0;
  std::string previousWindowAnswer;
  Reentry reentry = Reentry::None;
  std::vector<Screen> screens;
};
Session session;

void Init();

std::int32_t VMM_CDECL HostCallback(std::int32_t, const char* request, void* answer,
                                    std::int32_t size) {
  if (std::strcmp(request, "Handle.MainForm") == 0) {
    FUZZ_CHECK(size == sizeof session.answeredMainWindow);
    std::memcpy(answer, &session.answeredMainWindow, sizeof session.answeredMainWindow);
  } else if (std::strcmp(request, "resolve:%LASTHWND%") == 0) {
    const std::string& text = session.previousWindowAnswer;
    std::memcpy(answer, text.data(), std::min(text.size(), static_cast<std::size_t>(size)));
    const Reentry reentry = std::exchange(session.reentry, Reentry::None);
    if (reentry == Reentry::ShutDown) PluginFunc_DoShutDown();
    if (reentry == Reentry::Init) Init();
    if (reentry == Reentry::PositionChanging) {
      fake::sendMessage(session.window, platform::kMessageWindowPosChanging, 0);
    }
  }
  return 1;
}

void Init() { PluginFunc_DoInit(kLibraryPath, 7, nullptr, nullptr, &HostCallback, nullptr); }

void SetForeground(platform::WindowHandle window) {
  session.foreground = window;
  fake::setForegroundWindow(window);
}

// Edges within a desktop's reach (16-bit offsets), so that windows and
// monitors meet often enough to exercise the placement.
platform::Rect ReadDesktopRect(FuzzInput& input) {
  const std::int32_t left = input.number<std::int16_t>() * 4;
  const std::int32_t top = input.number<std::int16_t>() * 4;
  return {left, top, left + input.number<std::int16_t>(), top + input.number<std::int16_t>()};
}

// Side by side, stacked, or anywhere; coordinates may be negative; some
// monitors lose a strip to a taskbar.
void SetLayout(FuzzInput& input) {
  fake::clearDisplays();
  session.screens.clear();
  const int count = 1 + input.byte() % 16;
  const int shape = input.byte() % 3;
  const std::size_t primary = input.byte();
  std::int32_t left = input.number<std::int16_t>() * 4;
  std::int32_t top = input.number<std::int16_t>() * 4;
  for (int i = 0; i < count; ++i) {
    platform::Rect rect;
    if (shape == 2) {
      rect = ReadDesktopRect(input);
    } else {
      rect = {left, top, left + 640 + input.byte() * 8, top + 480 + input.byte() * 8};
    }
    if (shape == 0) left = rect.right;
    if (shape == 1) top = rect.bottom;
    fake::addMonitor(rect,
                     primary % static_cast<std::size_t>(count) == static_cast<std::size_t>(i));
    Screen screen{rect, std::nullopt};
    if (const std::uint8_t taskbar = input.byte(); taskbar != 0) {
      screen.work = rect;
      screen.work->bottom -= taskbar;
      fake::setWorkArea(session.screens.size(), *screen.work);
    }
    session.screens.push_back(screen);
  }
}

void Unplug(std::size_t index) {
  if (index >= session.screens.size()) return;
  fake::removeDisplay(index);
  session.screens.erase(session.screens.begin() + static_cast<std::ptrdiff_t>(index));
}

void MoveMonitor(std::size_t index, const platform::Rect& rect) {
  if (index >= session.screens.size()) return;
  fake::moveMonitor(index, rect);
  session.screens[index] = Screen{rect, std::nullopt};
}

// The monitors as the plugin lists them under `rules`.
std::vector<MonitorInfo> Monitors(const MonitorRules& rules) {
  std::vector<MonitorInfo> monitors;
  for (const Screen& screen : session.screens) {
    MonitorInfo info;
    info.rect = screen.rect;
    info.workRect = screen.work.value_or(screen.rect);
    monitors.push_back(info);
  }
  std::stable_sort(monitors.begin(), monitors.end(), [&](const auto& a, const auto& b) {
    const auto key = [&](const MonitorInfo& m) {
      return std::make_pair(m.rect.left, rules.useBothAxes ? m.rect.top : 0);
    };
    return key(a) < key(b);
  });
  return monitors;
}

void WriteSetting(FuzzInput& input, const OptionEntry& entry) {
  const std::uint8_t choice = input.byte();
  if ((choice & 1) == 0) return;
  // Flags 0 and 1; numbers 0 to 127, inside and outside the dialog's bounds.
  const std::int32_t value = entry.flag != nullptr ? (choice >> 1) & 1 : choice >> 1;
  SettingsFile(PluginDirectory(kDirectory)).WriteInt(entry.key, value);
}

void HoldModifiers(bool win, bool ctrl, bool shift) {
  fake::setKeyDown(kWin, win);
  fake::setKeyDown(kCtrl, ctrl);
  fake::setKeyDown(kShift, shift);
}

// The fake's windows take no negative size, so only moves to rectangles of
// non-negative extent end where the core says.
bool Movable(const platform::Rect& r) { return WidthOf(r) >= 0 && HeightOf(r) >= 0; }

// Where a move to `wanted` leaves the window: brought inside `area` when it
// must be kept there.
std::optional<platform::Rect> Moved(const platform::Rect& wanted, const platform::Rect& area,
                                    const MonitorRules& rules) {
  if (!Movable(wanted)) return std::nullopt;
  if (!rules.keepOnScreen || LiesInside(wanted, area)) return wanted;
  const platform::Rect kept = KeptInside(wanted, area);
  return Movable(kept) ? std::optional(kept) : std::nullopt;
}

std::optional<platform::Rect> Centred(const platform::Rect& r,
                                      const std::vector<MonitorInfo>& monitors,
                                      const MonitorRules& rules) {
  const auto index = MonitorIndexOfRect(monitors, r, rules);
  if (!index) return r;
  const platform::Rect area = AreaOf(monitors[*index], rules);
  platform::Rect centred = CenteredRect(r, area);
  if (rules.keepOnScreen) centred = KeptInside(centred, area);
  return Moved(centred, area, rules);
}

// Where a hotkey puts the window from `before`; none where the fake's size
// limit decides.
std::optional<platform::Rect> AfterHotkey(int key, const platform::Rect& before,
                                          const PluginOptions& options, bool shift) {
  const MonitorRules rules = RulesOf(options);
  const std::vector<MonitorInfo> monitors = Monitors(rules);
  if (key == platform::kKeyHome) return Centred(before, monitors, rules);
  MonitorStep step = MonitorStep::Same;
  if (key == platform::kKeyRight) step = MonitorStep::Next;
  if (key == platform::kKeyLeft) step = MonitorStep::Previous;
  // A move to another monitor may go to the place remembered there, which
  // this model does not keep.
  if (options.rememberPerMonitor && step != MonitorStep::Same) return std::nullopt;
  std::int32_t widthPercent = 0;
  std::int32_t heightPercent = 0;
  if (step == MonitorStep::Same) {
    const std::int32_t percent = key == '0' ? 100 : (key - '0') * 10;
    (shift ? heightPercent : widthPercent) = percent;
  }
  std::optional<platform::Rect> placed = before;
  const auto current = MonitorIndexOfRect(monitors, before, rules);
  const auto target = current ? SteppedMonitor(monitors.size(), *current, step) : std::nullopt;
  if (current && target) {
    const platform::Rect area = AreaOf(monitors[*target], rules);
    platform::Rect wanted = PlacedRect(before, AreaOf(monitors[*current], rules), area,
                                       PlacementRulesOf(options), widthPercent, heightPercent);
    if (rules.keepOnScreen) wanted = KeptInside(wanted, area);
    placed = Moved(wanted, area, rules);
  }
  if (!placed || !options.center) return placed;
  return Centred(*placed, monitors, rules);
}

void Hotkey(FuzzInput& input, int key) {
  const std::uint8_t modifiers = input.byte();
  const bool win = (modifiers & 1) == 0;
  const bool ctrl = (modifiers & 2) == 0;
  const bool shift = (modifiers & 4) != 0;
  HoldModifiers(win, ctrl, shift);
  const MainWindowController* controller = pluginState.controller.get();
  const bool digit = key >= '0' && key <= '9';
  const bool acts = controller != nullptr && controller->shown &&
                    controller->options.enableHotkeys && win &&
                    fake::installedHooks(platform::kHookKeyboardLowLevel) > 0 &&
                    session.foreground == session.window && (!digit || ctrl);
  const PluginOptions options = controller != nullptr ? controller->options : PluginOptions();
  const bool predictable = !fake::failurePending();
  const platform::Rect before = fake::windowRect(session.window);
  const std::size_t injected = fake::injectedKeystrokes().size();
  FUZZ_CHECK(fake::keyDown(key) != acts);
  // A dropped press with Win down is masked by one keystroke, down and up.
  FUZZ_CHECK(fake::injectedKeystrokes().size() - injected == (acts ? 2u : 0u));
  FUZZ_CHECK(fake::keyUp(key) != acts);
  fake::pumpSentMessages();
  if (!acts) {
    FUZZ_CHECK(fake::windowRect(session.window) == before);
    return;
  }
  const std::optional<platform::Rect> expected = AfterHotkey(key, before, options, shift);
  if (predictable && expected) FUZZ_CHECK(fake::windowRect(session.window) == *expected);
}

// The user at the options dialog: ticks and unticks, types the two
// percentages, chooses a monitor, then OK, Cancel, or the close box.
void Reload(FuzzInput& input) {
  for (int i = input.byte() % 4; i > 0; --i) {
    WriteSetting(input, kOptionTable[input.byte() % kOptionCount]);
  }
  fake::setDialogUser([&input](platform::WindowHandle dialog) {
    const auto toggles = input.number<std::uint32_t>();
    for (std::size_t i = 0; i < kOptionCount; ++i) {
      const OptionEntry& row = kOptionTable[i];
      if (row.control != OptionControl::kCheckBox || (toggles >> i & 1) == 0) continue;
      fake::setChecked(dialog, row.controlId, !fake::isChecked(dialog, row.controlId));
    }
    const std::uint8_t ending = input.byte();
    if ((ending & 16) != 0) {
      fake::selectItem(dialog, IDC_SHOW_ON_MONITOR,
                       MonitorChoiceText(input.byte() % kMonitorChoiceCount));
    }
    if ((ending & 4) != 0) fake::setControlText(dialog, IDC_RESIZE_PERCENT_VALUE, input.line());
    if ((ending & 8) != 0) fake::setControlText(dialog, IDC_RESIZE_PERCENT_VALUE_V, input.line());
    if ((ending & 3) == 0) fake::pressButton(dialog, platform::kIdOk);
    if ((ending & 3) == 1) fake::pressButton(dialog, platform::kIdCancel);
  });
  FUZZ_CHECK(PluginFunc_DoAdvConfig() == 1);
  fake::setDialogUser(nullptr);
}

// The desktop changes while a platform call runs: a monitor goes or moves,
// or the user drags the window.
void ChangeInsideCall(FuzzInput& input) {
  const auto call = static_cast<fake::Call>(input.byte() % 4);
  const int nth = 1 + input.byte() % 4;
  const std::uint8_t change = input.byte();
  const std::size_t index = change >> 2;
  const platform::Rect rect = ReadDesktopRect(input);
  fake::onCall(call, nth, [change, index, rect] {
    if ((change & 3) == 0) Unplug(index);
    if ((change & 3) == 1) MoveMonitor(index, rect);
    if ((change & 3) >= 2) fake::setWindowRect(session.window, rect);
  });
}

void Act(FuzzInput& input) {
  switch (input.byte() % 16) {
    case 0: {  // shown after the user worked in another window
      const std::uint8_t answer = input.byte();
      session.reentry = static_cast<Reentry>(input.byte() % 4);
      session.previousWindowAnswer =
          answer < 4 ? std::to_string(session.others[answer]) : input.bytes(answer % 17);
      fake::showWindow(session.window, true);
      break;
    }
    case 1:
      fake::showWindow(session.window, false);
      break;
    case 2: {  // a position change, perhaps while the user drags with either button
      const std::uint8_t buttons = input.byte();
      fake::setAsyncKeyDown(platform::kKeyLeftButton, (buttons & 1) != 0);
      fake::setAsyncKeyDown(platform::kKeyRightButton, (buttons & 2) != 0);
      fake::setMouseButtonsSwapped((buttons & 4) != 0);
      fake::sendMessage(session.window, platform::kMessageWindowPosChanging, 0);
      break;
    }
    case 3: {
      const int keys[] = {platform::kKeyRight, platform::kKeyLeft, platform::kKeyHome};
      Hotkey(input, keys[input.byte() % 3]);
      break;
    }
    case 4:
      Hotkey(input, '0' + input.byte() % 10);
      break;
    case 5: {  // any other keystroke
      const std::uint8_t modifiers = input.byte();
      HoldModifiers((modifiers & 1) != 0, (modifiers & 2) != 0, (modifiers & 4) != 0);
      const int key = input.byte();
      // Now and then as another program's injected keystroke.
      fake::keyDown(key, (modifiers & 8) != 0 ? 0x1234 : 0);
      fake::keyUp(key);
      fake::pumpSentMessages();
      break;
    }
    case 6:
      Reload(input);
      break;
    case 7:  // the user drags the window
      fake::setWindowRect(session.window, ReadDesktopRect(input));
      break;
    case 8:
      SetLayout(input);
      break;
    case 9: {
      const std::int32_t x = input.number<std::int16_t>() * 4;
      const std::int32_t y = input.number<std::int16_t>() * 4;
      fake::setCursor({x, y}, (input.byte() & 1) == 0);
      break;
    }
    case 10: {
      const std::uint8_t choice = input.byte() % 6;
      SetForeground(choice < 4 ? session.others[choice] : choice == 4 ? session.window : 0);
      break;
    }
    case 11:
      if ((input.byte() & 1) == 0) {
        PluginFunc_DoShutDown();
      } else {
        Init();
      }
      break;
    case 12:
      Unplug(input.byte());
      break;
    case 13: {
      const std::size_t index = input.byte();
      MoveMonitor(index, ReadDesktopRect(input));
      break;
    }
    case 14: {
      const auto call = static_cast<fake::Call>(input.byte() % 4);
      fake::failCall(call, 1 + input.byte() % 4);
      break;
    }
    default:
      ChangeInsideCall(input);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  // Whatever the last session left: its hooks go before the fake forgets them.
  // The state holds atomics, which cannot be assigned: a fresh one takes its
  // place.
  pluginState.~PluginState();
  new (&pluginState) PluginState();
  fake::reset();
  session = Session{};
  pluginState.moduleHandle = kModule;
  fake::setModuleFileName(kModule, kLibraryPath);

  SetLayout(input);
  session.window = fake::createWindow(ReadDesktopRect(input));
  session.others[0] = fake::createWindow(ReadDesktopRect(input));
  session.others[1] = fake::createWindow(ReadDesktopRect(input));
  session.others[2] = fake::createWindow(session.screens.front().rect);
  session.others[3] = fake::createWindow(session.screens.back().rect);
  fake::setDesktopWindow(session.others[2]);
  fake::setShellWindow(session.others[3]);
  for (const OptionEntry& entry : kOptionTable) WriteSetting(input, entry);
  session.answeredMainWindow = (input.byte() & 1) == 0 ? session.window : 0;
  Init();
  SetForeground(session.window);
  fake::setActiveWindow(session.window);

  for (std::size_t i = 0; i < kMostActions && !input.empty(); ++i) {
    Act(input);
    FUZZ_CHECK(fake::maxPosChangingDepth() <= kDeepestMoveNesting);
  }
  return 0;
}

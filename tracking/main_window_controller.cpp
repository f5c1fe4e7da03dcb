#include "tracking/main_window_controller.h"

#include "settings/remembered_places.h"

#include <optional>
#include <utility>

namespace {

// The button the user drags with: the asynchronous key state reports the
// physical buttons, and a left-handed user's primary one is the right.
bool PrimaryButtonDown() {
  const int button =
      platform::mouseButtonsSwapped() ? platform::kKeyRightButton : platform::kKeyLeftButton;
  return platform::getAsyncKeyState(button) < 0;
}

class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { flag_ = false; }

 private:
  bool& flag_;
};

// After "Show desktop", Win+D, Win+M or a wallpaper change the shell keeps
// the desktop's icon view in a window of a class other than its own
// ("WorkerW"), and that window is the one in front. Programs give windows of
// their own that class name too: only the shell's thread makes it the
// desktop.
bool IsDesktopIconViewHolder(platform::WindowHandle window, platform::WindowHandle shell) {
  if (shell == 0) return false;
  const platform::ThreadId thread = platform::getWindowThreadId(window);
  return thread != 0 && thread == platform::getWindowThreadId(shell) &&
         platform::findChildWindow(window, "SHELLDLL_DefView") != 0;
}

// The monitor of the window the user worked in before; none when that was
// the desktop, in any of its forms, or a window that names no monitor: a
// minimised one (parked far off by Windows), or one beyond every monitor.
MonitorIndex MonitorOfPreviousWindow(const MonitorList& monitors, platform::WindowHandle window,
                                     const MonitorRules& rules) {
  if (window == 0 || window == platform::getDesktopWindow()) return std::nullopt;
  const platform::WindowHandle shell = platform::getShellWindow();
  if (window == shell || platform::isIconic(window) || IsDesktopIconViewHolder(window, shell)) {
    return std::nullopt;
  }
  return MonitorOfWindow(monitors, window, rules);
}

}  // namespace

MainWindowController::MainWindowController(platform::WindowHandle window, HostBridge host,
                                           const PluginDirectory& pluginDirectory)
    : mainWindow(window),
      settings(pluginDirectory),
      // A window already visible (the plugin started again while VESK is
      // open) gets no show of its own.
      shown(platform::isWindowVisible(window)),
      host_(host) {
  options.Load(settings);
}

void MainWindowController::OnWindowMessage(std::uint32_t message, platform::WordParam wParam,
                                           std::uint32_t windowPosFlags) {
  if (message == platform::kMessageShowWindow) {
    // Set before the host is asked: the placement's own moves see it shown.
    shown = wParam == 1;
    if (shown) {
      PlaceOnShow(host_.previousWindow());
    } else {
      // Sent before the window disappears: it is still where the user left it.
      RememberPlaceOnHide();
    }
  } else if (message == platform::kMessageWindowPosChanged) {
    // SetWindowPos shows and hides without WM_SHOWWINDOW; only ShowWindow's
    // show places the window.
    if ((windowPosFlags & platform::kWindowPosHideWindow) != 0) shown = false;
    if ((windowPosFlags & platform::kWindowPosShowWindow) != 0) shown = true;
  } else if (message == platform::kMessageDestroy) {
    shown = false;
  } else if (message == platform::kMessageWindowPosChanging) {
    if (centerAlwaysInProgress_) return;
    // The option is tested before the button: most notifications then cost
    // no platform call at all.
    if (shown && options.center && !PrimaryButtonDown()) CheckCenterAlways();
  }
}

void MainWindowController::PlaceOnShow(platform::WindowHandle previousWindow) {
  if (!options.enableMultiMonitor) return;
  const MonitorRules rules = RulesOf(options);
  const MonitorList monitors(rules);
  MonitorIndex target = ChosenMonitorIndex(monitors.entries(), ChoiceOf(options));
  const MonitorIndex source = MonitorOfWindow(monitors, mainWindow, rules);
  // Each question about the previous window costs a server round trip; the
  // settings decide without them.
  if (!target && !options.showOnMonitorWithMouse) {
    target = MonitorOfPreviousWindow(monitors, previousWindow, rules);
  }
  if (!target) {
    platform::Point pointer;
    platform::getCursorPos(pointer);
    target = MonitorIndexAt(monitors.entries(), pointer, rules);
  }
  // A window left beyond a monitor that is gone counts as lying on the
  // target, so that it comes back into view there.
  PlaceOnMonitor(target, !source && rules.keepOnScreen ? target : source, AsPlacedWindow(), 0, 0,
                 monitors, RememberedPlaceOn(monitors, target));
}

std::optional<platform::Rect> MainWindowController::RememberedPlaceOn(const MonitorList& monitors,
                                                                      MonitorIndex target) const {
  if (!options.rememberPerMonitor || !target) return std::nullopt;
  const std::optional<platform::Rect> place =
      RememberedPlaceOf(settings, monitors.entries()[*target].rect);
  // A hand-edited place, or one kept under other rules, may lie elsewhere.
  if (!place || MonitorIndexOfRect(monitors.entries(), *place, RulesOf(options)) != target) {
    return std::nullopt;
  }
  return place;
}

void MainWindowController::RememberPlaceOnHide() {
  if (!options.rememberPerMonitor) return;
  const MonitorRules rules = RulesOf(options);
  const MonitorList monitors(rules);
  const platform::Rect window = platform::getWindowRect(mainWindow);
  const MonitorIndex holder = MonitorIndexOfRect(monitors.entries(), window, rules);
  if (holder) RememberPlace(settings, monitors.entries()[*holder].rect, window);
}

void MainWindowController::CheckCenterAlways() {
  if (lastCenteredRect != platform::Rect{}) {
    if (platform::getWindowRect(mainWindow) == lastCenteredRect) return;
  } else if (!options.centerAlways) {
    return;
  }
  {
    const FlagScope inProgress(centerAlwaysInProgress_);
    CenterOnCurrentMonitor(mainWindow, RulesOf(options));
  }
  lastCenteredRect = platform::Rect{};
}

// The one tracker of VESK's main window: its handle, the settings file, the
// live options, whether it is shown, and where a placement last centred it.
#pragma once

#include "common/host_bridge.h"
#include "monitors/placement.h"
#include "platform/platform.h"
#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <optional>
#include <string>

class MainWindowController {
 public:
  // Tracks `mainWindow`, asks `host` about it, and loads the options once
  // from the settings file in `pluginDirectory`.
  MainWindowController(platform::WindowHandle mainWindow, HostBridge host,
                       const PluginDirectory& pluginDirectory);

  // One message sent to the main window (seen by the message hook);
  // `windowPosFlags` of a WM_WINDOWPOSCHANGED.
  void OnWindowMessage(std::uint32_t message, platform::WordParam wParam,
                       std::uint32_t windowPosFlags = 0);

  // Moves the window to the monitor the user works on as it is shown.
  void PlaceOnShow(platform::WindowHandle previousWindow);

  // Re-centres the window when it left the centred rectangle (or always).
  void CheckCenterAlways();

  // With RememberPerMonitor: the place remembered for monitor `target`, if
  // it still lies on that monitor by the rules.
  std::optional<platform::Rect> RememberedPlaceOn(const MonitorList& monitors,
                                                  MonitorIndex target) const;
  // With RememberPerMonitor: remembers where the window is, for the monitor
  // that holds it.
  void RememberPlaceOnHide();

  // Loads the options again from the settings file; the rest survives.
  void ReloadOptions() { options.Load(settings); }

  PlacedWindow AsPlacedWindow() { return PlacedWindow{mainWindow, options, lastCenteredRect}; }

  platform::WindowHandle mainWindow;
  SettingsFile settings;
  PluginOptions options;
  bool shown;
  platform::Rect lastCenteredRect;

 private:
  HostBridge host_;
  // A centring made by the centre-always check re-enters the message hook
  // from inside its own move; that nested notification would decide to
  // centre again, and so on without end. It is passed on unhandled instead.
  bool centerAlwaysInProgress_ = false;
};

// The one tracker of VESK's main window: its handle, the settings file, the
// live options, whether it is shown, and where a placement last centred it.
#pragma once

#include "monitors/placement.h"
#include "platform/platform.h"
#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <string>

class MainWindowController {
 public:
  // Takes the main window from the module state and loads the options once.
  explicit MainWindowController(std::string pluginDirectory);

  // One message sent to the host main window (seen by the message hook).
  void OnWindowMessage(std::uint32_t message, platform::WordParam wParam);

  // The window that was in front before VESK's, as the host reports it; 0
  // when the answer holds no decimal number in the 32-bit range.
  platform::WindowHandle ResolvePreviousWindow() const;

  // Moves the window to the monitor the user works on as it is shown.
  void PlaceOnShow(platform::WindowHandle previousWindow);

  // Re-centres the window when it left the centred rectangle (or always).
  void CheckCenterAlways();

  // Loads the options again from the settings file; the rest survives.
  void reloadOptions() { options.load(settings); }

  PlacementTarget placementTarget() {
    return PlacementTarget{hostWindow, options, lastCenteredRect};
  }

  platform::WindowHandle hostWindow;
  SettingsFile settings;
  PluginOptions options;
  bool shown = false;
  platform::Rect lastCenteredRect;

 private:
  // A centring made by the centre-always check re-enters the message hook
  // from inside its own move; that nested notification would decide to
  // centre again, and so on without end. It is passed on unhandled instead.
  bool centerAlwaysInProgress_ = false;
};

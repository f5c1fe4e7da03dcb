// The one tracker of VESK's main window: its handle, the settings file, the
// live options, whether it is shown, and where a placement last centred it.
#pragma once

#include "platform/platform.h"
#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <string>

class MainWindowController {
 public:
  // Takes the main window from the module state and loads the options once.
  explicit MainWindowController(std::string pluginDirectory);

  // Loads the options again from the settings file; the rest survives.
  void reloadOptions() { options.load(settings); }

  platform::WindowHandle hostWindow;
  SettingsFile settings;
  PluginOptions options;
  bool shown = false;
  platform::Rect lastCenteredRect;
};

#include "tracking/main_window_controller.h"

#include "plugin/plugin_state.h"

#include <utility>

MainWindowController::MainWindowController(std::string pluginDirectory)
    : hostWindow(pluginState.mainWindow), settings(std::move(pluginDirectory)) {
  options.load(settings);
}

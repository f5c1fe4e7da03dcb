#include "plugin/exports.h"

#include "common/no_throw.h"
#include "plugin/hook_procedures.h"
#include "plugin/plugin_state.h"
#include "plugin/texts.h"
#include "settings/options_dialog.h"
#include "settings/settings_file.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace {

constexpr const char* kMainWindowRequest = "Handle.MainForm";
constexpr const char* kReadmeFileName = "readme.txt";

std::int32_t Notify() {
  if (pluginState.searchNotifyCallback == nullptr) return 0;
  return pluginState.searchNotifyCallback(pluginState.pluginId, 0, pluginState.searchState);
}

std::int32_t AnswerNotHandled() { return 0; }

}  // namespace

extern "C" {

std::int32_t VMM_CDECL PluginFunc_DoInit(const char* libraryPath, std::int32_t pluginId, void*,
                                         void*, HostCallback hostCallback, void*) {
  return NoThrow(1, [&] {
    PluginState& state = pluginState;
    // A second start without a shutdown begins from a clean state: nothing of
    // the first one may stay active if this one finds no main window.
    ReleaseHooksAndController(state);
    state.mainWindow = 0;
    state.mainWindowThreadId = 0;
    state.pluginId = pluginId;
    state.hostCallback = hostCallback;
    state.pluginFolder = libraryPath != nullptr ? FolderOfLibraryPath(libraryPath) : PluginFolder();

    // VESK writes the raw handle into the field.
    state.host().ask(kMainWindowRequest, &state.mainWindow, sizeof state.mainWindow);
    state.mainWindowThreadId = platform::getWindowThreadId(state.mainWindow);
    if (state.mainWindow == 0) return 1;

    state.callWndProcHook.reset(platform::installHook(platform::kHookCallWndProc, &CallWndProcHook,
                                                      0, state.mainWindowThreadId));
    state.controller = std::make_unique<MainWindowController>(
        state.mainWindow, state.host(), PluginDirectoryOf(state.moduleHandle));
    // The keyboard hook is there while the window is shown: at once when it
    // already is.
    FollowMainWindow(state, false);
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_DoShutDown() {
  return NoThrow(1, [] {
    ReleaseHooksAndController(pluginState);
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_GetStrVal(const char* key, char* destination,
                                            std::int32_t limit) {
  return NoThrow(0, [&] {
    // A text that cannot be delivered is not reported as delivered.
    if (key == nullptr || destination == nullptr || limit < 1) return 0;
    const auto text = DescriptiveText(key);
    if (!text) return 0;
    CopyAnswer(*text, destination, limit);
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_SetStrVal(const char* key, void* value) {
  return NoThrow(0, [&] {
    if (key != nullptr && std::strcmp(key, "notifysearchcallback") == 0) {
      pluginState.searchNotifyCallback = reinterpret_cast<SearchNotifyCallback>(value);
    }
    return 0;
  });
}

std::int32_t VMM_CDECL PluginFunc_SupportCheck(const char* apiFamily) {
  return apiFamily != nullptr && std::strcmp(apiFamily, "veskapi") == 0 ? 1 : 0;
}

std::int32_t VMM_CDECL PluginFunc_DoAdvConfig() {
  return NoThrow(1, [] {
    std::optional<OptionsDialog> dialog;
    try {
      // Without VESK's main window there is nothing to reload, but the
      // settings file beside the library can still be edited.
      dialog.emplace(pluginState.controller
                         ? pluginState.controller->settings
                         : SettingsFile(PluginDirectoryOf(pluginState.moduleHandle)));
    } catch (const std::bad_alloc&) {
      // Told the same way as a dialog that cannot be bound.
      platform::setLastError(platform::kErrorOutOfMemory);
      return 1;
    }
    const platform::WindowHandle owner = platform::getActiveWindow();
    const bool saved = dialog->Run(pluginState.moduleHandle, owner) == platform::kIdOk;
    // The host may have shut us down (or started us again) while the dialog
    // was open: only the controller there is now is reloaded.
    if (saved && pluginState.controller) {
      pluginState.controller->ReloadOptions();
      dialog->ApplySavedTo(pluginState.controller->options);
      // The hook's thread reads the switch from the gate; it is started and
      // stopped on VESK's thread only, as the window is shown and hidden.
      pluginState.hotkeyGate.hotkeysOn = pluginState.controller->options.enableHotkeys;
    }
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_DoShowReadMe() {
  return NoThrow(1, [] {
    if (const auto path = FileInFolder(pluginState.pluginFolder, kReadmeFileName)) {
      platform::shellOpen(path->c_str());
    }
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_SetState(std::int32_t) { return 1; }
std::int32_t VMM_CDECL PluginFunc_Ask_WantFeature(std::int32_t) { return 0; }
std::int32_t VMM_CDECL PluginFunc_Ask_SearchState() { return pluginState.searchState; }
std::int32_t VMM_CDECL PluginFunc_Ask_IsAnyResultAvailable() {
  return pluginState.anyResultAvailable;
}
std::int32_t VMM_CDECL PluginFunc_Ask_HowManyItemResultsAreReady() {
  return pluginState.itemResultCount;
}

std::int32_t VMM_CDECL PluginFunc_Inform_SearchBegins() { return AnswerNotHandled(); }
std::int32_t VMM_CDECL PluginFunc_Inform_RegexSearchMatch() { return AnswerNotHandled(); }
std::int32_t VMM_CDECL PluginFunc_Allow_ProcessTrigger() { return AnswerNotHandled(); }
std::int32_t VMM_CDECL PluginFunc_Do_AdjustResultScore() { return AnswerNotHandled(); }

std::int32_t VMM_CDECL PluginFunc_Inform_SearchEnds() {
  return NoThrow(0, [] {
    pluginState.searchState = 0;
    pluginState.itemResultCount = 0;
    pluginState.anyResultAvailable = 0;
    return Notify();
  });
}

std::int32_t VMM_CDECL PluginFunc_Request_LockResults(std::int32_t lock) {
  return NoThrow(1, [&] {
    if (lock == 0) {
      pluginState.itemResultCount = 0;
      pluginState.anyResultAvailable = 0;
      Notify();
    }
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_Request_ItemResultByIndex(
    std::int32_t, char* path, char* title, char* emptyText, char* folder, std::int32_t* number6,
    std::int32_t limit, std::int32_t* number8, void*, std::int32_t* number10) {
  return NoThrow(0, [&] {
    if (path == nullptr || title == nullptr || emptyText == nullptr || folder == nullptr ||
        number6 == nullptr || number8 == nullptr || number10 == nullptr) {
      return 0;
    }
    CopyBounded("replacewith_path", path, limit);
    CopyBounded("replacewith_title", title, limit);
    emptyText[0] = '\0';
    CopyBounded(pluginState.pluginFolder.HostText().c_str(), folder, limit);
    *number6 = 0;
    *number8 = 2;
    *number10 = 1;
    return 1;
  });
}

std::int32_t VMM_CDECL PluginFunc_Request_TextResultCharp(const char** text) {
  if (text != nullptr) *text = nullptr;
  return 0;
}

void VMM_CDECL PluginFunc_Inform_WindowIsHiding() {}
void VMM_CDECL PluginFunc_Inform_WindowIsUnHiding() {}

}  // extern "C"

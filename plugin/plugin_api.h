// The plugin's side of VESK's plugin interface: the callbacks VESK hands over
// and the 22 entry points it resolves by name. Shared by the DLL and by the
// test hosts that load it, so both agree on every signature.
#pragma once

#include "common/host_bridge.h"

#include <cstdint>

// VESK's search notification: (plugin id, 0, search state).
using SearchNotifyCallback = std::int32_t(VMM_CDECL*)(std::int32_t pluginId, std::int32_t zero,
                                                      std::int32_t searchState);

// X(name, result, parameters) for each entry point, in the order of the
// export table.
#define VMM_PLUGIN_ENTRY_POINTS(X)                                                     \
  X(DoInit, std::int32_t,                                                              \
    (const char* libraryPath, std::int32_t pluginId, void* unused3, void* unused4,     \
     HostCallback hostCallback, void* unused6))                                        \
  X(DoShutDown, std::int32_t, ())                                                      \
  X(GetStrVal, std::int32_t, (const char* key, char* destination, std::int32_t limit)) \
  X(SetStrVal, std::int32_t, (const char* key, void* value))                           \
  X(SupportCheck, std::int32_t, (const char* apiFamily))                               \
  X(DoAdvConfig, std::int32_t, ())                                                     \
  X(DoShowReadMe, std::int32_t, ())                                                    \
  X(SetState, std::int32_t, (std::int32_t state))                                      \
  X(Ask_WantFeature, std::int32_t, (std::int32_t feature))                             \
  X(Ask_SearchState, std::int32_t, ())                                                 \
  X(Ask_IsAnyResultAvailable, std::int32_t, ())                                        \
  X(Ask_HowManyItemResultsAreReady, std::int32_t, ())                                  \
  X(Inform_SearchBegins, std::int32_t, ())                                             \
  X(Inform_RegexSearchMatch, std::int32_t, ())                                         \
  X(Allow_ProcessTrigger, std::int32_t, ())                                            \
  X(Do_AdjustResultScore, std::int32_t, ())                                            \
  X(Inform_SearchEnds, std::int32_t, ())                                               \
  X(Request_LockResults, std::int32_t, (std::int32_t lock))                            \
  X(Request_ItemResultByIndex, std::int32_t,                                           \
    (std::int32_t index, char* path, char* title, char* emptyText, char* folder,       \
     std::int32_t* number6, std::int32_t limit, std::int32_t* number8, void* unused9,  \
     std::int32_t* number10))                                                          \
  X(Request_TextResultCharp, std::int32_t, (const char** text))                        \
  X(Inform_WindowIsHiding, void, ())                                                   \
  X(Inform_WindowIsUnHiding, void, ())

// The 22 entry points VESK calls, undecorated and cdecl.
#pragma once

#include "plugin/plugin_state.h"

#include <cstdint>

extern "C" {

std::int32_t VMM_CDECL PluginFunc_DoInit(const char* libraryPath, std::int32_t pluginId,
                                         void* unused3, void* unused4, HostCallback hostCallback,
                                         void* unused6);
std::int32_t VMM_CDECL PluginFunc_DoShutDown();
std::int32_t VMM_CDECL PluginFunc_GetStrVal(const char* key, char* destination, std::int32_t limit);
std::int32_t VMM_CDECL PluginFunc_SetStrVal(const char* key, void* value);
std::int32_t VMM_CDECL PluginFunc_SupportCheck(const char* apiFamily);
std::int32_t VMM_CDECL PluginFunc_DoAdvConfig();
std::int32_t VMM_CDECL PluginFunc_DoShowReadMe();
std::int32_t VMM_CDECL PluginFunc_SetState(std::int32_t state);
std::int32_t VMM_CDECL PluginFunc_Ask_WantFeature(std::int32_t feature);
std::int32_t VMM_CDECL PluginFunc_Ask_SearchState();
std::int32_t VMM_CDECL PluginFunc_Ask_IsAnyResultAvailable();
std::int32_t VMM_CDECL PluginFunc_Ask_HowManyItemResultsAreReady();
std::int32_t VMM_CDECL PluginFunc_Inform_SearchBegins();
std::int32_t VMM_CDECL PluginFunc_Inform_RegexSearchMatch();
std::int32_t VMM_CDECL PluginFunc_Allow_ProcessTrigger();
std::int32_t VMM_CDECL PluginFunc_Do_AdjustResultScore();
std::int32_t VMM_CDECL PluginFunc_Inform_SearchEnds();
std::int32_t VMM_CDECL PluginFunc_Request_LockResults(std::int32_t lock);
std::int32_t VMM_CDECL PluginFunc_Request_ItemResultByIndex(std::int32_t index, char* path,
                                                            char* title, char* emptyText,
                                                            char* folder, std::int32_t* number6,
                                                            std::int32_t limit,
                                                            std::int32_t* number8, void* unused9,
                                                            std::int32_t* number10);
std::int32_t VMM_CDECL PluginFunc_Request_TextResultCharp(const char** text);
void VMM_CDECL PluginFunc_Inform_WindowIsHiding();
void VMM_CDECL PluginFunc_Inform_WindowIsUnHiding();

}  // extern "C"

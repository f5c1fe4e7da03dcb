// The 22 entry points VESK calls, undecorated and cdecl.
#pragma once

#include "plugin/plugin_api.h"

extern "C" {

#define VMM_DECLARE_ENTRY_POINT(name, result, parameters) \
  result VMM_CDECL PluginFunc_##name parameters;
VMM_PLUGIN_ENTRY_POINTS(VMM_DECLARE_ENTRY_POINT)
#undef VMM_DECLARE_ENTRY_POINT

}  // extern "C"

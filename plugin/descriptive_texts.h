// The fixed answers to PluginFunc_GetStrVal, by key. The DLL answers from
// this table and the stand-in host checks the DLL's answers against it, so
// the texts are written down once. The version and release date are not
// here: they come from the version resource.
#pragma once

struct FixedText {
  const char* key;
  const char* value;
};

inline constexpr FixedText kFixedTexts[] = {
    {"displayname", "VeskMultiMonitor"},
    {"author", "VeskMultiMonitor Team (vmmteam)"},
    {"updateurl", ""},
    {"homepageurl", "https://veskmultimonitor.example.org/"},
    {"shortdescription", "Display VESK on active monitor and/or center VESK main window."},
    {"longdescription",
     "Adds support for multiple monitors by displaying the VESK main window on the currently "
     "active monitor and/or allows centering the VESK main window on the screen."},
    {"advconfigstring", "Advanced Options"},
    {"readmestring", "View Help File"},
    {"iconfilename", "multimonitor.ico"},
    {"regexstr", ""},
    {"regexfilterstr", ""},
    {"keywordstr", ""},
    {"scorestr", ""},
    {"aliasstr", "multimonitor"},
};

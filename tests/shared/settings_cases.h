// Settings file scripts and the exact file texts they must leave behind.
//
// The same table runs natively against the fake profile store
// (tests/unit/settings_file_cases_test.cpp) and under Wine against the real
// profile functions (tests/e2e/settings_probe.cpp), so the fake is held to
// the text Wine's profile functions write, byte for byte.
#pragma once

#include "settings/plugin_options.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace settings_cases {

enum class Action {
  WriteInt,
  WriteBool,
  ExpectInt,
  ExpectBool,
  ExpectLoad,
  WriteString,
  DeleteKey,
  ExpectSection
};

struct Step {
  Action action;
  const char* key;
  std::int32_t value;     // written, or the value a read must give
  bool fallback;          // ExpectBool: the default passed to ReadBool
  PluginOptions options;  // ExpectLoad: the record a load must give
  // The three section steps: their section, and the value written or the
  // section's lines a read must give, joined by '|'.
  const char* section = nullptr;
  const char* text = nullptr;
};

inline Step WriteInt(const char* key, std::int32_t value) {
  return Step{Action::WriteInt, key, value, false, {}};
}
inline Step WriteBool(const char* key, bool value) {
  return Step{Action::WriteBool, key, value ? 1 : 0, false, {}};
}
inline Step ExpectInt(const char* key, std::int32_t value) {
  return Step{Action::ExpectInt, key, value, false, {}};
}
inline Step ExpectBool(const char* key, bool fallback, bool value) {
  return Step{Action::ExpectBool, key, value ? 1 : 0, fallback, {}};
}
inline Step ExpectLoad(const PluginOptions& options) {
  return Step{Action::ExpectLoad, "", 0, false, options};
}

inline Step WriteString(const char* section, const char* key, const char* value) {
  return Step{Action::WriteString, key, 0, false, {}, section, value};
}
inline Step DeleteKey(const char* section, const char* key) {
  return Step{Action::DeleteKey, key, 0, false, {}, section, nullptr};
}
inline Step ExpectSection(const char* section, const char* lines) {
  return Step{Action::ExpectSection, "", 0, false, {}, section, lines};
}

template <typename Change>
PluginOptions DefaultsWith(Change change) {
  PluginOptions options;
  change(options);
  return options;
}

struct Case {
  const char* name;
  const char* initialText;  // nullptr: there is no file before the first step
  std::vector<Step> steps;
  const char* expectedText;  // nullptr: there must be no file afterwards
};

// What the runner needs of the platform besides the profile functions.
struct Files {
  std::function<bool(const std::string& path)> exists;
  std::function<std::string(const std::string& path)> read;
  std::function<void(const std::string& path, const std::string& text)> write;
};

inline const std::vector<Case>& AllCases() {
  static const std::vector<Case> cases = {
      {"defaults without a file, and loading creates none",
       nullptr,
       {ExpectLoad(PluginOptions{}), ExpectInt("ResizePercentValue", 80),
        ExpectBool("EnableMultiMonitor", true, true), ExpectBool("Center", false, false)},
       nullptr},

      {"first writes create the section and append in write order",
       nullptr,
       {WriteBool("Center", true), WriteInt("ResizePercentValue", 50),
        WriteBool("EnableHotkeys", false), WriteInt("ResizePercentValueH", 100)},
       "[Options]\r\n"
       "Center=1\r\n"
       "ResizePercentValue=50\r\n"
       "EnableHotkeys=0\r\n"
       "ResizePercentValueH=100\r\n"},

      {"booleans are stored as 1 and 0 and read back",
       nullptr,
       {WriteBool("MoveRelative", false), WriteBool("CenterAlways", true),
        ExpectBool("MoveRelative", true, false), ExpectBool("CenterAlways", false, true),
        ExpectLoad(DefaultsWith([](PluginOptions& o) {
          o.moveRelative = false;
          o.centerAlways = true;
        }))},
       "[Options]\r\n"
       "MoveRelative=0\r\n"
       "CenterAlways=1\r\n"},

      {"integers are plain decimal, negatives with a minus",
       nullptr,
       {WriteInt("ResizePercentValue", -5), WriteInt("ResizePercentValueV", 0),
        WriteInt("ResizePercentValueH", 2147483647), WriteInt("Extreme", -2147483647 - 1),
        ExpectInt("ResizePercentValue", -5), ExpectInt("ResizePercentValueV", 0),
        ExpectInt("ResizePercentValueH", 2147483647), ExpectInt("Extreme", -2147483647 - 1)},
       "[Options]\r\n"
       "ResizePercentValue=-5\r\n"
       "ResizePercentValueV=0\r\n"
       "ResizePercentValueH=2147483647\r\n"
       "Extreme=-2147483648\r\n"},

      {"a key written again changes in place",
       nullptr,
       {WriteInt("ResizePercentValue", 30), WriteBool("ResizePercent", true),
        WriteInt("ResizePercentValueV", 40), WriteInt("ResizePercentValue", 100),
        WriteBool("ResizePercent", false), ExpectInt("ResizePercentValue", 100)},
       "[Options]\r\n"
       "ResizePercentValue=100\r\n"
       "ResizePercent=0\r\n"
       "ResizePercentValueV=40\r\n"},

      {"a hand-edited file is read as written",
       "; VESK MultiMonitor\r\n"
       "[General]\r\n"
       "Center=0\r\n"
       "\r\n"
       "[options]\r\n"
       "  EnableMultiMonitor = 0\r\n"
       "; the next two are not numbers\r\n"
       "enablehotkeys=true\r\n"
       "Center=\r\n"
       "ResizePercentValue =  250\r\n"
       "ResizePercentValueV= 0\r\n"
       "MoveRelative=2\r\n"
       "ResizePercent=1x\r\n"
       "\r\n"
       "[Other]\r\n"
       "ShowOnMonitorWithMouse=1\r\n",
       {ExpectLoad(DefaultsWith([](PluginOptions& o) {
          o.enableMultiMonitor = false;
          o.enableHotkeys = false;
          o.resizePercentValue = 100;  // the nearest bound of 10..100
          o.resizePercentValueV = 10;
          o.resizePercent = true;
        })),
        ExpectInt("ResizePercentValue", 250), ExpectBool("Center", true, true),
        ExpectBool("ShowOnMonitorWithMouse", false, false)},
       // Reading leaves the file as it was.
       "; VESK MultiMonitor\r\n"
       "[General]\r\n"
       "Center=0\r\n"
       "\r\n"
       "[options]\r\n"
       "  EnableMultiMonitor = 0\r\n"
       "; the next two are not numbers\r\n"
       "enablehotkeys=true\r\n"
       "Center=\r\n"
       "ResizePercentValue =  250\r\n"
       "ResizePercentValueV= 0\r\n"
       "MoveRelative=2\r\n"
       "ResizePercent=1x\r\n"
       "\r\n"
       "[Other]\r\n"
       "ShowOnMonitorWithMouse=1\r\n"},

      {"percentages load within 10..100, the nearest bound for a value beyond it",
       "[Options]\r\n"
       "ResizePercentValue=5000\r\n"
       "ResizePercentValueV=-3\r\n"
       "ShowOnMonitorNumber=-3\r\n",
       {ExpectLoad(DefaultsWith([](PluginOptions& o) {
          o.resizePercentValue = 100;
          o.resizePercentValueV = 10;
          o.showOnMonitorNumber = -3;  // no percentage
        })),
        WriteInt("ResizePercentValue", 9), WriteInt("ResizePercentValueV", 101),
        ExpectLoad(DefaultsWith([](PluginOptions& o) {
          o.resizePercentValue = 10;
          o.resizePercentValueV = 100;
          o.showOnMonitorNumber = -3;
        })),
        // The bounds themselves, as the dialog and the hotkeys write them.
        WriteInt("ResizePercentValue", 10), WriteInt("ResizePercentValueV", 100),
        ExpectLoad(DefaultsWith([](PluginOptions& o) {
          o.resizePercentValue = 10;
          o.resizePercentValueV = 100;
          o.showOnMonitorNumber = -3;
        }))},
       "[Options]\r\n"
       "ResizePercentValue=10\r\n"
       "ResizePercentValueV=100\r\n"
       "ShowOnMonitorNumber=-3\r\n"},

      {"writes into a hand-edited file keep its other lines",
       "; VESK MultiMonitor\r\n"
       "[General]\r\n"
       "Center=0\r\n"
       "\r\n"
       "[Options]\r\n"
       "  EnableMultiMonitor = 0\r\n"
       "; percentages\r\n"
       "ResizePercentValue =  250\r\n"
       "\r\n"
       "[Other]\r\n"
       "ShowOnMonitorWithMouse=1\r\n",
       {WriteInt("ResizePercentValue", 60), WriteBool("Center", true),
        ExpectBool("Center", false, true), ExpectInt("ResizePercentValue", 60),
        ExpectBool("EnableMultiMonitor", true, false)},
       // Wine's profile functions write the whole file anew from what they
       // parsed: blank lines go, blanks around '=' go, comments stay, and a
       // new key follows the last line of its section.
       "; VESK MultiMonitor\r\n"
       "[General]\r\n"
       "Center=0\r\n"
       "[Options]\r\n"
       "EnableMultiMonitor=0\r\n"
       "; percentages\r\n"
       "ResizePercentValue=60\r\n"
       "Center=1\r\n"
       "[Other]\r\n"
       "ShowOnMonitorWithMouse=1\r\n"},

      {"writing the value a key already has leaves the file alone",
       "[Options]\r\n"
       "\r\n"
       "Center = 1\r\n"
       "  ResizePercentValue=70\r\n"
       "\r\n",
       {WriteBool("Center", true), WriteInt("resizepercentvalue", 70),
        ExpectInt("ResizePercentValue", 70)},
       "[Options]\r\n"
       "\r\n"
       "Center = 1\r\n"
       "  ResizePercentValue=70\r\n"
       "\r\n"},

      {"numbers read as the profile functions parse them",
       "[Options]\r\n"
       "Hex=0x10\r\n"
       "UpperHex=0X10\r\n"
       "NegativeHex=-0x10\r\n"
       "Binary=0b101\r\n"
       "Octal=0o17\r\n"
       "Plus=+50\r\n"
       "Spaced=   -7\r\n"
       "Quoted=\"75\"\r\n"
       "SingleQuoted='1'\r\n"
       "EmptyQuotes=\"\"\r\n"
       "Wraps=4294967297\r\n"
       "TooLong=000000000000000000000000000000042\r\n"
       "Tail=12abc\r\n"
       "Word=true\r\n"
       "Empty=\r\n"
       "Bare\r\n",
       {ExpectInt("Hex", 16), ExpectInt("UpperHex", 0), ExpectInt("NegativeHex", -16),
        ExpectInt("Binary", 5), ExpectInt("Octal", 15), ExpectInt("Plus", 50),
        ExpectInt("Spaced", -7), ExpectInt("Quoted", 75), ExpectBool("SingleQuoted", false, true),
        ExpectInt("EmptyQuotes", 80), ExpectInt("Wraps", 1), ExpectInt("TooLong", 0),
        ExpectInt("Tail", 12), ExpectInt("Word", 0), ExpectInt("Empty", 80), ExpectInt("Bare", 80),
        ExpectBool("Empty", true, true), ExpectBool("Bare", false, false)},
       "[Options]\r\n"
       "Hex=0x10\r\n"
       "UpperHex=0X10\r\n"
       "NegativeHex=-0x10\r\n"
       "Binary=0b101\r\n"
       "Octal=0o17\r\n"
       "Plus=+50\r\n"
       "Spaced=   -7\r\n"
       "Quoted=\"75\"\r\n"
       "SingleQuoted='1'\r\n"
       "EmptyQuotes=\"\"\r\n"
       "Wraps=4294967297\r\n"
       "TooLong=000000000000000000000000000000042\r\n"
       "Tail=12abc\r\n"
       "Word=true\r\n"
       "Empty=\r\n"
       "Bare\r\n"},

      {"only the first matching section counts; headers are trimmed",
       "[Options]\r\n"
       "Center\r\n"
       "; width = percent\r\n"
       "Extra = a = b \r\n"
       "[ Options ]\r\n"
       "MoveRelative=0\r\n"
       "[OPTIONS]\r\n"
       "CenterAlways=1\r\n"
       "[Options] trailing\r\n"
       "EnableHotkeys=0\r\n",
       {ExpectBool("MoveRelative", true, true), ExpectBool("CenterAlways", false, false),
        ExpectBool("EnableHotkeys", true, true), ExpectBool("Center", true, true),
        WriteBool("Center", false), WriteBool("CenterAlways", true),
        ExpectBool("CenterAlways", false, true)},
       "[Options]\r\n"
       "Center=0\r\n"
       "; width=percent\r\n"
       "Extra=a = b\r\n"
       "CenterAlways=1\r\n"
       "[Options]\r\n"
       "MoveRelative=0\r\n"
       "[OPTIONS]\r\n"
       "CenterAlways=1\r\n"
       "[Options]\r\n"
       "EnableHotkeys=0\r\n"},

      {"a section's lines, keys removed and added",
       "[Places]\r\n"
       "; remembered\r\n"
       "0,0,1920,1080=1,2,3,4\r\n"
       "bare\r\n"
       "=nameless\r\n"
       "1920,0,3200,1024 = 5,6,7,8\r\n"
       "[Options]\r\n"
       "Center=1\r\n"
       "[places]\r\n"
       "9,9,9,9=0\r\n",
       {ExpectSection("Places", "0,0,1920,1080=1,2,3,4|bare|=nameless|1920,0,3200,1024=5,6,7,8"),
        DeleteKey("Places", "0,0,1920,1080"), DeleteKey("Places", "9,9,9,9"),
        DeleteKey("Places", "missing"), WriteString("Places", "0,0,1920,1080", "1,2,3,5"),
        ExpectSection("places", "bare|=nameless|1920,0,3200,1024=5,6,7,8|0,0,1920,1080=1,2,3,5"),
        ExpectSection("Other", "")},
       "[Places]\r\n"
       "; remembered\r\n"
       "bare\r\n"
       "=nameless\r\n"
       "1920,0,3200,1024=5,6,7,8\r\n"
       "0,0,1920,1080=1,2,3,5\r\n"
       "[Options]\r\n"
       "Center=1\r\n"
       "[places]\r\n"},

  };
  return cases;
}

// Every field of the record as "Key=value", in the options table's order.
inline std::string Describe(const PluginOptions& o) {
  std::string text;
  for (const OptionEntry& row : kOptionTable) {
    const std::int32_t value = row.flag != nullptr ? o.*row.flag : o.*row.number;
    text += std::string(text.empty() ? "" : " ") + row.key + "=" + std::to_string(value);
  }
  return text;
}

// Shows a file text with its line ends, for failure messages.
inline std::string Visible(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// Runs one case with its settings file in `directory` (which must not hold
// one yet); answers a description of every deviation, empty when it passed.
inline std::vector<std::string> Run(const Case& c, const std::string& directory,
                                    const Files& files) {
  std::vector<std::string> failures;
  const SettingsFile settings{PluginDirectory(directory)};
  if (c.initialText != nullptr) files.write(settings.Path(), c.initialText);
  for (const Step& step : c.steps) {
    switch (step.action) {
      case Action::WriteInt:
        settings.WriteInt(step.key, step.value);
        break;
      case Action::WriteBool:
        settings.WriteBool(step.key, step.value != 0);
        break;
      case Action::ExpectInt: {
        const std::int32_t got = settings.ReadInt(step.key);
        if (got != step.value) {
          failures.push_back(std::string("ReadInt ") + step.key + " gave " + std::to_string(got) +
                             ", want " + std::to_string(step.value));
        }
        break;
      }
      case Action::ExpectBool: {
        const bool got = settings.ReadBool(step.key, step.fallback);
        if (got != (step.value != 0)) {
          failures.push_back(std::string("ReadBool ") + step.key + " gave " +
                             (got ? "true" : "false"));
        }
        break;
      }
      case Action::ExpectLoad: {
        PluginOptions loaded;
        // Start from the opposite of every default, so that each field must
        // really be assigned by the load.
        for (const OptionEntry& row : kOptionTable) {
          if (row.flag != nullptr) loaded.*row.flag = !(loaded.*row.flag);
          if (row.number != nullptr) loaded.*row.number = -1;
        }
        loaded.Load(settings);
        if (Describe(loaded) != Describe(step.options)) {
          failures.push_back("load gave " + Describe(loaded) + ", want " + Describe(step.options));
        }
        break;
      }
      case Action::WriteString:
        settings.WriteString(step.section, step.key, step.text);
        break;
      case Action::DeleteKey:
        settings.DeleteKey(step.section, step.key);
        break;
      case Action::ExpectSection: {
        std::string lines;
        for (const std::string& line : settings.ReadSection(step.section)) {
          lines += (lines.empty() ? "" : "|") + line;
        }
        if (lines != step.text) {
          failures.push_back(std::string("section ") + step.section + " reads \"" + lines +
                             "\", want \"" + step.text + "\"");
        }
        break;
      }
    }
  }
  const bool exists = files.exists(settings.Path());
  if (c.expectedText == nullptr) {
    if (exists) failures.push_back("a file was created");
  } else if (!exists) {
    failures.push_back("no file was written");
  } else {
    const std::string text = files.read(settings.Path());
    if (text != c.expectedText) {
      failures.push_back("file text is \"" + Visible(text) + "\", want \"" +
                         Visible(c.expectedText) + "\"");
    }
  }
  return failures;
}

}  // namespace settings_cases

// The fake desktop's state, shared by the files that implement it; the tests
// see only fake_desktop.h.
#pragma once

#include "tests/fake/fake_desktop.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct Window {
  platform::Rect rect;
  platform::ThreadId thread = kGuiThread;
  std::int32_t minWidth = 0;
  std::int32_t minHeight = 0;
  bool rectUnreadable = false;
  // Dialogs and their controls.
  platform::WindowHandle parent = 0;
  int controlId = 0;
  bool checked = false;
  std::string text;
  platform::LongParam userData = 0;
  platform::LongResult messageResult = 0;
  platform::DialogProc dialogProc = nullptr;
  bool dialogEnded = false;
  platform::LongResult dialogResult = 0;
};

struct Hook {
  platform::HookHandle handle;
  int type;
  platform::HookProc proc;
  platform::ThreadId thread;
};

struct Desktop {
  std::vector<Display> displays;
  bool enumerationThrows = false;
  std::int32_t scaleNumerator = 1;
  std::int32_t scaleDenominator = 1;
  std::map<platform::WindowHandle, Window> windows;
  platform::WindowHandle nextWindow = 1;
  std::vector<MoveCall> moves;
  platform::WindowHandle foreground = 0;
  platform::WindowHandle active = 0;
  platform::WindowHandle desktop = 0;
  platform::WindowHandle shell = 0;
  std::set<int> keysDown;
  std::set<int> asyncKeysDown;
  bool buttonsSwapped = false;
  platform::Point cursor;
  bool cursorReadable = true;
  std::vector<Hook> hooks;
  platform::HookHandle nextHook = 1;
  std::vector<std::string> hookEvents;
  std::function<void()> hookRemovalObserver;
  std::vector<ReceivedMessage> received;
  int keystrokes = 0;
  int posChangingDepth = 0;
  int maxPosChangingDepth = 0;
  int callNextHook = 0;
  std::map<std::string, std::string> files;
  std::set<std::string> readOnlyFiles;
  std::map<platform::ModuleHandle, std::string> modules;
  std::vector<std::string> shellOpened;
  std::uint32_t lastError = 0;
  std::map<std::string, std::map<std::string, std::string>> versionResources;
  DialogUser dialogUser;
  bool dialogCreationFails = false;
  std::vector<DialogRun> dialogRuns;
  CallCounts calls;
  // The display enumerated last: the settings query asks for it first, so
  // that a full enumeration costs linear time, as on the real platform.
  std::size_t lastEnumerated = 0;
};

// The one desktop, which reset() empties.
Desktop& desktop();

}  // namespace fake

// The hook procedures: the message hook on VESK's GUI thread, installed for
// as long as the plugin runs, and the low-level keyboard hook on a thread of
// its own, which exists only while VESK's main window is shown. The message
// hook hands the controller each message to the main window, and the
// hotkeys the keyboard hook decided; neither lets an exception out.
#pragma once

#include "platform/platform.h"

struct PluginState;

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam);
platform::LongResult VMM_STDCALL LowLevelKeyboardHook(int code, platform::WordParam wParam,
                                                      platform::LongParam lParam);

// Starts or stops the keyboard hook's thread as the controller now sees the
// main window, and tells it whether hotkeys are on; `activated`: the window
// has just come in front, and a hook Windows may have removed is renewed.
void FollowMainWindow(PluginState& state, bool activated);

// The mark our own injected keystrokes carry in dwExtraInfo ("VMM!"), and the
// key they press: one Windows assigns to nothing.
constexpr std::uintptr_t kOwnKeystrokeMark = 0x564D4D21;
constexpr std::uint32_t kMaskKey = 0xE8;

// The hooks on VESK's GUI thread: the message hook, installed for as long as
// the plugin runs, and the low-level keyboard hook, which exists only while
// VESK's main window is shown. They find the controller in the module state
// and hand it each delivery; neither lets an exception out.
#pragma once

#include "platform/platform.h"

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam);
platform::LongResult VMM_STDCALL LowLevelKeyboardHook(int code, platform::WordParam wParam,
                                                      platform::LongParam lParam);

// The mark our own injected keystrokes carry in dwExtraInfo ("VMM!"), and the
// key they press: one Windows assigns to nothing.
constexpr std::uintptr_t kOwnKeystrokeMark = 0x564D4D21;
constexpr std::uint32_t kMaskKey = 0xE8;

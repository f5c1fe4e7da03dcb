// The two thread hooks on VESK's GUI thread. They find the controller in the
// module state and hand it each delivery; neither lets an exception out.
#pragma once

#include "platform/platform.h"

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam);
platform::LongResult VMM_STDCALL KeyboardHook(int code, platform::WordParam wParam,
                                              platform::LongParam lParam);

#include "tracking/hook_procedures.h"

platform::LongResult VMM_STDCALL CallWndProcHook(int code, platform::WordParam wParam,
                                                 platform::LongParam lParam) {
  return platform::callNextHook(code, wParam, lParam);
}

platform::LongResult VMM_STDCALL KeyboardHook(int code, platform::WordParam wParam,
                                              platform::LongParam lParam) {
  return platform::callNextHook(code, wParam, lParam);
}

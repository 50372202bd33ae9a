#pragma once
// Waiting for what a test needs to see, for as long as it may take and no
// longer: the condition is asked every few milliseconds until it holds or
// the time allowed is up, instead of a fixed pause that is too short on a
// loaded machine and too long on an idle one.
#include <windows.h>

namespace velkaro::testing {

// True once condition() holds; false when it still did not after limit_ms.
// The condition is asked once more at the end, so that a limit of 0 asks
// it once.
template <typename Condition>
bool WaitUntil(Condition&& condition, DWORD limit_ms, DWORD poll_ms = 20) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= limit_ms) return condition();
    Sleep(poll_ms);
  }
}

// Hands this thread's waiting messages to their windows.
inline void PumpThreadMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace velkaro::testing

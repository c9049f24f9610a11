#include "e2e/pump.h"

#include <algorithm>

namespace mvx::e2e {

namespace {

void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

DWORD MillisecondsLeft(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
  // A short slice keeps a condition that no message announces (a window
  // appearing in another process) from waiting the whole time-out.
  return static_cast<DWORD>(std::clamp<long long>(left, 0, 20));
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, Clock::duration timeout, HANDLE wake) {
  const Clock::time_point end = Clock::now() + timeout;
  for (;;) {
    DispatchPending();
    if (done()) return true;
    if (Clock::now() >= end) return false;
    const DWORD count = wake != nullptr ? 1 : 0;
    MsgWaitForMultipleObjectsEx(count, wake != nullptr ? &wake : nullptr, MillisecondsLeft(end), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void PumpFor(Clock::duration duration) {
  PumpUntil([] { return false; }, duration);
}

}  // namespace mvx::e2e

#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

namespace mvx::e2e {

using Clock = std::chrono::steady_clock;

// The test thread owns the trace listener, and the program's traces are sent
// (not posted) to it, so every wait of a test must keep dispatching messages
// or the program stalls inside its next trace.

// Dispatches messages until done() holds or the time-out passes; wakes early
// when `wake` (a process, say) is signalled. Returns done() at the end.
bool PumpUntil(const std::function<bool()>& done, Clock::duration timeout, HANDLE wake = nullptr);

// Dispatches messages for the whole duration.
void PumpFor(Clock::duration duration);

}  // namespace mvx::e2e

#pragma once
#include <cstdint>
#include <functional>

namespace mvx {

using TimerId = std::uint64_t;

// Periodic timers delivered on the user-interface thread (SetTimer).
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  // The first tick comes intervalMs after the start, then one every intervalMs
  // until stopped. Returns 0 when no timer could be made.
  virtual TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void StopTimer(TimerId id) = 0;
};

// Wall clock and a monotonic millisecond counter.
class ClockPort {
 public:
  virtual ~ClockPort() = default;
  virtual std::uint64_t TickCountMs() = 0;
  // Local date and time as days since 30 December 1899, time as the fraction.
  virtual double LocalNow() = 0;
};

}  // namespace mvx

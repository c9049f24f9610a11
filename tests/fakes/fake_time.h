#pragma once
#include <cstdint>
#include <functional>
#include <map>

#include "platform/timer_port.h"

namespace mvx::fakes {

// Virtual time: timers tick only when a test advances the clock.
class FakeTime : public TimerPort, public ClockPort {
 public:
  TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void StopTimer(TimerId id) override;
  std::uint64_t TickCountMs() override { return now_; }
  double LocalNow() override { return localBase_ + static_cast<double>(now_) / 86400000.0; }

  // Runs time forward, firing every due tick in order of its due time.
  void Advance(std::uint64_t ms);
  std::uint64_t Now() const { return now_; }
  std::size_t ActiveTimers() const { return timers_.size(); }
  // Time left until the timer's next tick, or -1 when it is not running.
  std::int64_t DueIn(TimerId id) const;
  double localBase_ = 46000.5;  // a fixed local date-time for the clock
  // While set, no new timer is given, as when the system has none left.
  bool refuseTimers = false;

 private:
  struct Timer {
    std::uint32_t interval;
    std::uint64_t due;
    std::function<void()> onTick;
  };
  std::uint64_t now_ = 0;
  TimerId next_ = 1;
  std::map<TimerId, Timer> timers_;
};

}  // namespace mvx::fakes

#pragma once
#include <cstdint>

#include "forms/control.h"
#include "platform/timer_port.h"

namespace mvx {

// A window timer: ticks every Interval ms while Enabled. A real change of
// Enabled or Interval restarts the countdown; setting the value it already
// has changes nothing. An interval of 0 never ticks.
class TTimer : public TObject {
 public:
  explicit TTimer(TimerPort& port) : port_(port) {}
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval);
  // Whether the system gave the timer it asked for (false while disabled,
  // with interval 0, or when no timer was left).
  bool Running() const { return id_ != 0; }
  TNotifyEvent OnTimer;

 private:
  void Update();

  TimerPort& port_;
  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  TimerId id_ = 0;
};

}  // namespace mvx

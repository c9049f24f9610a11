#pragma once
#include <cstdint>
#include <memory>

#include "forms/control.h"
#include "forms/timer.h"
#include "platform/timer_port.h"

namespace mvx {

// Holds back the work that follows a change until the user has paused: one
// pending action, run WaitTime ms after the last hand-over from the same
// sender, at once when another sender hands over, on Flush, or when the
// notifier is destroyed.
class TInputTimeout : public TObject {
 public:
  explicit TInputTimeout(TimerPort& timers) : timers_(timers) {}
  ~TInputTimeout() override;

  // Plain fields; WaitTime is copied into the timer once, by Loaded.
  bool Enabled = true;
  std::int32_t WaitTime = 2250;

  // Creates the timer, disabled, with the WaitTime interval; empties the slot.
  void Loaded();
  void Schedule(TObject* sender, TNotifyEvent action);
  void Flush();
  bool Pending() const { return static_cast<bool>(action_); }

 private:
  void Fire();
  void Tick();

  TimerPort& timers_;
  std::unique_ptr<TTimer> timer_;
  TObject* sender_ = nullptr;
  TNotifyEvent action_;
};

}  // namespace mvx

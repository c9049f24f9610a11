#include "app/input_timeout.h"

#include <utility>

namespace mvx {

TInputTimeout::~TInputTimeout() {
  if (timer_) timer_->SetEnabled(false);
  try {
    Fire();
  } catch (...) {
    // Nothing can report a failure while the window is being torn down.
  }
}

void TInputTimeout::Loaded() {
  timer_ = std::make_unique<TTimer>(timers_);
  timer_->SetEnabled(false);
  timer_->SetInterval(static_cast<std::uint32_t>(WaitTime < 0 ? 0 : WaitTime));
  timer_->OnTimer = [this](TObject*) { Tick(); };
  sender_ = nullptr;
  action_ = nullptr;
}

void TInputTimeout::Schedule(TObject* sender, TNotifyEvent action) {
  timer_->SetEnabled(false);
  if (action_ && sender != nullptr && sender != sender_) Fire();
  sender_ = sender;
  action_ = std::move(action);
  if (Enabled) {
    timer_->SetEnabled(true);
  } else {
    Fire();
  }
}

// Nothing is left to wait for: the timer stops with the slot emptied, and
// no tick wakes the program later to find it empty.
void TInputTimeout::Flush() {
  if (timer_) timer_->SetEnabled(false);
  Fire();
}

void TInputTimeout::Fire() {
  // Take the slot first: it is empty afterwards even when the action fails.
  TObject* sender = std::exchange(sender_, nullptr);
  TNotifyEvent action = std::exchange(action_, nullptr);
  if (sender != nullptr && action) action(sender);
}

void TInputTimeout::Tick() {
  timer_->SetEnabled(false);
  Fire();
}

}  // namespace mvx

#include "control/full_screen_wait.h"

#include <utility>

namespace mvx {

bool ChangeWaits(UserNotificationState state, bool optionOn, ChangeBy by) {
  if (!optionOn || by == ChangeBy::User) return false;
  return state == UserNotificationState::Busy || state == UserNotificationState::RunningD3DFullScreen ||
         state == UserNotificationState::PresentationMode;
}

FullScreenWait::FullScreenWait(SystemPort& system, TimerPort& timers) : system_(system), timer_(timers) {
  timer_.SetEnabled(false);
  timer_.SetInterval(kLookAgainMs);
  timer_.OnTimer = [this](TObject*) { LookAgain(); };
}

void FullScreenWait::Run(bool optionOn, std::function<void()> change) {
  // The shell is asked only when the answer matters.
  if (!optionOn || !ChangeWaits(system_.NotificationState(), optionOn, ChangeBy::Slideshow)) {
    Drop();
    change();
    return;
  }
  optionOn_ = optionOn;
  held_ = std::move(change);
  timer_.SetEnabled(true);
}

void FullScreenWait::Drop() {
  timer_.SetEnabled(false);
  held_ = nullptr;
}

void FullScreenWait::SetOption(bool on) {
  optionOn_ = on;
  if (!on && held_) LookAgain();
}

void FullScreenWait::LookAgain() {
  if (!held_ || ChangeWaits(system_.NotificationState(), optionOn_, ChangeBy::Slideshow)) return;
  std::function<void()> change = std::move(held_);
  Drop();
  change();
}

}  // namespace mvx

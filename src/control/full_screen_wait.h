#pragma once
#include <cstdint>
#include <functional>

#include "forms/timer.h"
#include "platform/system_port.h"
#include "platform/timer_port.h"

namespace mvx {

// Who asked for a change of wallpaper.
enum class ChangeBy { Slideshow, User };

// Whether a change must wait: only the slideshow's, with the option on, and
// only while a full-screen program runs (a game in full-screen Direct3D, a
// presentation, or any program filling the screen). The quiet time of a new
// account, an absent user and a full-screen app of the shell do not count.
bool ChangeWaits(UserNotificationState state, bool optionOn, ChangeBy by);

// Holds the slideshow's change while a full-screen program runs and makes
// it once the program is gone. The state is asked again, every kLookAgainMs,
// only while a change is held: no timer runs otherwise.
class FullScreenWait {
 public:
  FullScreenWait(SystemPort& system, TimerPort& timers);

  // Makes the slideshow's change now, or holds it (in place of one held
  // already) when it must wait.
  void Run(bool optionOn, std::function<void()> change);
  bool Waiting() const { return static_cast<bool>(held_); }
  // The change held is no longer wanted: the user changed the wallpaper or
  // switched the slideshow off.
  void Drop();
  // The option was turned on or off: a change held makes itself now when off.
  void SetOption(bool on);

  static constexpr std::uint32_t kLookAgainMs = 2000;

 private:
  void LookAgain();

  SystemPort& system_;
  TTimer timer_;
  bool optionOn_ = true;
  std::function<void()> held_;
};

}  // namespace mvx

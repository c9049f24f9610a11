#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/timer_port.h"
#include "platform/watch_port.h"

namespace mvx {

// What changed in a burst: the desktop's settings key, the watched folder,
// or both.
struct WatchedChanges {
  bool desktopKey = false;
  bool folder = false;
  bool Any() const { return desktopKey || folder; }
};

// Notices the changes that may bring a new wallpaper, of the desktop's
// settings key (HKCU\Control Panel\Desktop) and of a folder, through the
// system's notifications, so that the program sleeps while nothing changes.
// A burst of changes (a browser writing its file in several steps, then the
// key) is handed over as one once it has been quiet for a moment. No timer
// runs between bursts; only what cannot be watched (a share that gives no
// notifications) is polled.
class ChangeWatch {
 public:
  // A burst is handed over this long after its last change...
  static constexpr std::uint32_t kQuietMs = 250;
  // ...and at the latest this long after its first, however long it goes on.
  static constexpr std::uint32_t kLongestWaitMs = 1000;
  // A burst the program could not examine is handed over again this much later.
  static constexpr std::uint32_t kRetryMs = 1000;

  ChangeWatch(WatchPort& watches, TimerPort& timers, ClockPort& clock);
  ~ChangeWatch();
  ChangeWatch(const ChangeWatch&) = delete;
  ChangeWatch& operator=(const ChangeWatch&) = delete;

  // Examines the changes of a burst; answers false when the program cannot
  // do so now (it is busy), and the burst waits for it.
  std::function<bool(const WatchedChanges&)> OnChanges;

  // On: the key and the folder are watched, and what starts being watched
  // counts as changed (anything may have changed while it was not). What
  // cannot be watched is polled every pollMs instead (0: not at all). Off:
  // nothing is watched and nothing waits. False when a poll is needed and
  // the system gives no timer for it.
  bool Apply(bool on, const std::string& folder, std::uint32_t pollMs);

 private:
  void Changed(const WatchedChanges& changes);
  void StartQuietTimer(std::uint32_t ms);
  void HandOver();
  void Poll();
  bool ArmPoll();
  void Stop(TimerId& timer);
  void Unwatch(WatchId& watch);

  WatchPort& watches_;
  TimerPort& timers_;
  ClockPort& clock_;
  bool on_ = false;
  std::string folder_;
  WatchId keyWatch_ = 0;
  WatchId folderWatch_ = 0;
  WatchedChanges pending_;
  std::uint64_t burstStart_ = 0;
  TimerId quietTimer_ = 0;
  std::uint32_t pollMs_ = 0;
  TimerId pollTimer_ = 0;
  std::uint32_t pollTimerMs_ = 0;  // the interval the running poll timer was given
};

}  // namespace mvx

#include "wallpaper/change_watch.h"

#include <algorithm>
#include <utility>

#include "app/paths.h"

namespace mvx {

namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

WatchedChanges Joined(const WatchedChanges& a, const WatchedChanges& b) {
  return {a.desktopKey || b.desktopKey, a.folder || b.folder};
}

}  // namespace

ChangeWatch::ChangeWatch(WatchPort& watches, TimerPort& timers, ClockPort& clock)
    : watches_(watches), timers_(timers), clock_(clock) {}

ChangeWatch::~ChangeWatch() {
  Unwatch(keyWatch_);
  Unwatch(folderWatch_);
  Stop(quietTimer_);
  Stop(pollTimer_);
}

bool ChangeWatch::Apply(bool on, const std::string& folder, std::uint32_t pollMs) {
  on_ = on;
  pollMs_ = pollMs;
  if (!on) {
    Unwatch(keyWatch_);
    Unwatch(folderWatch_);
    pending_ = {};
    Stop(quietTimer_);
    return ArmPoll();
  }
  if (folderWatch_ != 0 && !SameTextAZ(folder, folder_)) Unwatch(folderWatch_);
  folder_ = folder;
  WatchedChanges fresh;
  if (keyWatch_ == 0) {
    keyWatch_ = watches_.WatchKey(kHkeyCurrentUser, kDesktopKey, [this] { Changed({true, false}); });
    fresh.desktopKey = keyWatch_ != 0;
  }
  if (folderWatch_ == 0) {
    folderWatch_ = watches_.WatchFolder(folder_, [this] { Changed({false, true}); });
    fresh.folder = folderWatch_ != 0;
  }
  if (fresh.Any()) Changed(fresh);
  return ArmPoll();
}

void ChangeWatch::Changed(const WatchedChanges& changes) {
  const std::uint64_t now = clock_.TickCountMs();
  if (!pending_.Any()) burstStart_ = now;
  pending_ = Joined(pending_, changes);
  const std::uint64_t waited = now - burstStart_;
  const std::uint64_t left = waited < kLongestWaitMs ? kLongestWaitMs - waited : 1;
  StartQuietTimer(static_cast<std::uint32_t>(std::min<std::uint64_t>(kQuietMs, left)));
}

// Without a timer from the system the burst waits for the next change.
void ChangeWatch::StartQuietTimer(std::uint32_t ms) {
  Stop(quietTimer_);
  quietTimer_ = timers_.StartTimer(ms, [this] { HandOver(); });
}

void ChangeWatch::HandOver() {
  Stop(quietTimer_);
  const WatchedChanges changes = std::exchange(pending_, {});
  if (!changes.Any() || !OnChanges || OnChanges(changes)) return;
  // Changes that came while it was being refused join the burst.
  pending_ = Joined(pending_, changes);
  burstStart_ = clock_.TickCountMs();
  StartQuietTimer(kRetryMs);
}

// What cannot be watched is examined at every tick, as if it had changed; a
// tick the busy program refuses is simply skipped. The wait for the next
// tick starts after the examination, which a dialog may keep long.
void ChangeWatch::Poll() {
  Stop(pollTimer_);
  if (OnChanges) OnChanges({keyWatch_ == 0, folderWatch_ == 0});
  ArmPoll();
}

// The poll runs only while something is to be watched but cannot be; an
// unchanged interval keeps the running countdown.
bool ChangeWatch::ArmPoll() {
  const bool needed = on_ && pollMs_ != 0 && (keyWatch_ == 0 || folderWatch_ == 0);
  if (!needed) {
    Stop(pollTimer_);
    return true;
  }
  if (pollTimer_ != 0 && pollTimerMs_ == pollMs_) return true;
  Stop(pollTimer_);
  pollTimer_ = timers_.StartTimer(pollMs_, [this] { Poll(); });
  pollTimerMs_ = pollMs_;
  return pollTimer_ != 0;
}

void ChangeWatch::Stop(TimerId& timer) {
  if (timer != 0) timers_.StopTimer(timer);
  timer = 0;
}

void ChangeWatch::Unwatch(WatchId& watch) {
  if (watch != 0) watches_.StopWatch(watch);
  watch = 0;
}

}  // namespace mvx

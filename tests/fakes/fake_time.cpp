#include "fakes/fake_time.h"

namespace mvx::fakes {

TimerId FakeTime::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
  if (intervalMs == 0 || refuseTimers) return 0;
  const TimerId id = next_++;
  timers_[id] = Timer{intervalMs, now_ + intervalMs, std::move(onTick)};
  return id;
}

void FakeTime::StopTimer(TimerId id) {
  timers_.erase(id);
}

std::int64_t FakeTime::DueIn(TimerId id) const {
  auto it = timers_.find(id);
  return it == timers_.end() ? -1 : static_cast<std::int64_t>(it->second.due - now_);
}

void FakeTime::Advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  for (;;) {
    TimerId dueId = 0;
    std::uint64_t dueAt = end + 1;
    for (const auto& [id, t] : timers_) {
      if (t.due < dueAt) {
        dueAt = t.due;
        dueId = id;
      }
    }
    if (dueId == 0 || dueAt > end) break;
    now_ = dueAt;
    Timer& t = timers_[dueId];
    t.due = now_ + t.interval;
    auto tick = t.onTick;  // the tick may stop or restart its own timer
    tick();
  }
  // A tick may itself have run time further (a modal box left open): time never goes back.
  if (now_ < end) now_ = end;
}

}  // namespace mvx::fakes

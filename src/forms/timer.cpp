#include "forms/timer.h"

namespace mvx {

TTimer::~TTimer() {
  if (id_ != 0) port_.StopTimer(id_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Update();
}

void TTimer::Update() {
  if (id_ != 0) {
    port_.StopTimer(id_);
    id_ = 0;
  }
  if (enabled_ && interval_ != 0) {
    id_ = port_.StartTimer(interval_, [this] {
      if (OnTimer) OnTimer(this);
    });
  }
}

}  // namespace mvx

#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>

#include "fakes/fake_files.h"
#include "fakes/fake_registry.h"
#include "platform/timer_port.h"
#include "platform/watch_port.h"

namespace mvx::fakes {

// Change notifications of the fake registry and files, as the system gives
// them: a watch is signalled by each change of a value of its key or of a
// file directly in its folder, and its call comes a millisecond later on
// the timers' time, once for all that changed meanwhile. Missing keys and
// folders, and those in `unwatchable` (a share without notifications),
// cannot be watched.
class FakeWatches : public WatchPort {
 public:
  FakeWatches(TimerPort& timers, FakeRegistry& registry, FakeFiles& files);
  WatchId WatchKey(RegKey root, const std::string& subKey, std::function<void()> onChange) override;
  WatchId WatchFolder(const std::string& folder, std::function<void()> onChange) override;
  void StopWatch(WatchId id) override;

  // Key paths ("HKCU\\...") and folders, compared without regard to case.
  std::set<std::string> unwatchable;
  // What is watched now, as key paths and folders in lower case.
  std::multiset<std::string> Watched() const;

 private:
  struct Watch {
    std::string path;
    std::function<void()> onChange;
    bool signalled = false;
  };
  WatchId Add(const std::string& path, std::function<void()> onChange);
  void Signal(const std::string& path);
  void Deliver();

  TimerPort& timers_;
  FakeRegistry& registry_;
  FakeFiles& files_;
  std::map<WatchId, Watch> watches_;
  WatchId next_ = 1;
  TimerId delivery_ = 0;
};

}  // namespace mvx::fakes

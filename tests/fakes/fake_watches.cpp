#include "fakes/fake_watches.h"

#include <vector>

#include "app/paths.h"

namespace mvx::fakes {

namespace {

std::string Norm(const std::string& path) {
  return LowerAZ(StripTrailingBackslashes(path));
}

}  // namespace

FakeWatches::FakeWatches(TimerPort& timers, FakeRegistry& registry, FakeFiles& files)
    : timers_(timers), registry_(registry), files_(files) {
  registry.onChange = [this](const std::string& keyPath) { Signal(keyPath); };
  files.onChange = [this](const std::string& folder) { Signal(folder); };
}

WatchId FakeWatches::WatchKey(RegKey root, const std::string& subKey, std::function<void()> onChange) {
  const auto key = registry_.OpenKey(root, subKey);
  if (!key) return 0;
  registry_.CloseKey(*key);
  return Add(std::string(root == kHkeyCurrentUser ? "hkcu\\" : "hklm\\") + subKey, std::move(onChange));
}

WatchId FakeWatches::WatchFolder(const std::string& folder, std::function<void()> onChange) {
  if (!files_.DirectoryExists(folder)) return 0;
  return Add(folder, std::move(onChange));
}

WatchId FakeWatches::Add(const std::string& path, std::function<void()> onChange) {
  for (const std::string& refused : unwatchable) {
    if (Norm(refused) == Norm(path)) return 0;
  }
  const WatchId id = next_++;
  watches_[id] = Watch{Norm(path), std::move(onChange)};
  return id;
}

void FakeWatches::StopWatch(WatchId id) {
  watches_.erase(id);
}

std::multiset<std::string> FakeWatches::Watched() const {
  std::multiset<std::string> paths;
  for (const auto& [id, watch] : watches_) paths.insert(watch.path);
  return paths;
}

void FakeWatches::Signal(const std::string& path) {
  bool any = false;
  for (auto& [id, watch] : watches_) {
    if (watch.path != Norm(path)) continue;
    watch.signalled = true;
    any = true;
  }
  if (any && delivery_ == 0) delivery_ = timers_.StartTimer(1, [this] { Deliver(); });
}

void FakeWatches::Deliver() {
  timers_.StopTimer(delivery_);
  delivery_ = 0;
  std::vector<WatchId> due;
  for (auto& [id, watch] : watches_) {
    if (watch.signalled) due.push_back(id);
  }
  // A call may stop watches, its own or others, or signal them anew.
  for (WatchId id : due) {
    auto it = watches_.find(id);
    if (it == watches_.end() || !it->second.signalled) continue;
    it->second.signalled = false;
    auto onChange = it->second.onChange;
    onChange();
  }
}

}  // namespace mvx::fakes

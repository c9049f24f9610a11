#include "monitors/monitor_desk.h"

#include "app/paths.h"

namespace mvx {

bool MonitorDesk::ReadLayout() {
  std::vector<Monitor> now = port_.Monitors();
  if (now == monitors_) return false;
  monitors_ = std::move(now);
  return true;
}

std::string MonitorDesk::Stored() const {
  std::string joined;
  for (const std::string& p : pictures_) joined += (joined.empty() ? "" : "|") + p;
  return joined;
}

// A path holds no "|": the system allows none in a name.
void MonitorDesk::Restore(const std::string& stored) {
  pictures_.clear();
  std::size_t start = 0;
  while (start < stored.size()) {
    std::size_t end = stored.find('|', start);
    if (end == std::string::npos) end = stored.size();
    if (end > start) pictures_.push_back(LowerAZ(stored.substr(start, end - start)));
    start = end + 1;
  }
}

void MonitorDesk::SetFolder(const std::string& dataDir) {
  composedPath_ = LowerAZ(StripTrailingBackslashes(dataDir) + "\\" + kComposedName);
}

bool MonitorDesk::IsComposed(const std::string& path) const {
  return !path.empty() && LowerAZ(path) == composedPath_;
}

std::string MonitorDesk::Names() const {
  std::string names;
  for (const std::string& p : pictures_) names += (names.empty() ? "" : " | ") + ExtractFileName(p);
  return names;
}

}  // namespace mvx

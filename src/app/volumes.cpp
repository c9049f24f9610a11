#include "app/volumes.h"

#include "app/paths.h"

namespace mvx {

std::string VolumeRoot(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return LowerAZ(path.substr(0, 2)) + "\\";
  if (path.rfind("\\\\", 0) != 0) return {};
  const std::size_t server = path.find('\\', 2);
  if (server == std::string::npos || server == 2) return {};
  const std::size_t share = path.find('\\', server + 1);
  const std::string root = path.substr(0, share);
  if (root.size() == server + 1) return {};
  return LowerAZ(root) + "\\";
}

bool VolumeCheck::Reachable(const std::string& path) {
  const std::string root = VolumeRoot(path);
  if (root.empty()) return true;
  const std::uint64_t now = clock_.TickCountMs();
  const auto known = answers_.find(root);
  if (known != answers_.end() && now - known->second.at < known->second.lifeMs) return known->second.reachable;
  const FilePort::VolumeState state = files_.ProbeVolume(root);
  // A check still running is asked about again soon, not at every entry.
  const bool pending = state == FilePort::VolumeState::Pending;
  const bool reachable = state == FilePort::VolumeState::Reachable;
  answers_[root] = Answer{reachable, now, pending ? kAskAgainMs : kRememberMs};
  return reachable;
}

}  // namespace mvx

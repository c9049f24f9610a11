#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry_port.h"

namespace mvx {

using WatchId = std::uint64_t;

// The system's change notifications (RegNotifyChangeKeyValue,
// FindFirstChangeNotification). The system signals a change; the call comes
// on the user-interface thread some moments later, as a timer's tick does,
// and one call may stand for several changes made in the meantime. A watch
// holds until it is stopped.
class WatchPort {
 public:
  virtual ~WatchPort() = default;
  // onChange runs after a value of the key (not of its sub-keys) was set or
  // deleted. Returns 0 when the key cannot be opened.
  virtual WatchId WatchKey(RegKey root, const std::string& subKey, std::function<void()> onChange) = 0;
  // onChange runs after a file directly in the folder was made, written,
  // renamed or deleted. Returns 0 when the folder gives no notifications
  // (missing, or a drive that has none).
  virtual WatchId WatchFolder(const std::string& folder, std::function<void()> onChange) = 0;
  // No call comes for the watch afterwards, not even one already signalled.
  virtual void StopWatch(WatchId id) = 0;
};

}  // namespace mvx

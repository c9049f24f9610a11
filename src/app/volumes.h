#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "platform/file_port.h"
#include "platform/timer_port.h"

namespace mvx {

// The root of the volume a full path lies on, lower-cased: "x:\" for a drive
// letter, "\\server\share\" for a network share; empty for any other path.
std::string VolumeRoot(const std::string& path);

// Tells a file that is gone from one whose drive or share is away (a USB
// drive unplugged, a share offline): only the first may lose its entry.
// Answers are remembered for a while, so a list of many entries on one
// share asks once; a check still running counts as away.
class VolumeCheck {
 public:
  VolumeCheck(FilePort& files, ClockPort& clock) : files_(files), clock_(clock) {}

  // True when the volume of path can be reached now.
  bool Reachable(const std::string& path);
  // A missing file whose entry may go: its volume is there, the file is not.
  bool Gone(const std::string& path) { return !files_.FileExists(path) && Reachable(path); }
  // Forgets what it was told, as when a drive arrives or leaves.
  void Forget() { answers_.clear(); }

  static constexpr std::uint64_t kRememberMs = 15000;
  static constexpr std::uint64_t kAskAgainMs = 1000;

 private:
  struct Answer {
    bool reachable;
    std::uint64_t at;
    std::uint64_t lifeMs;
  };
  FilePort& files_;
  ClockPort& clock_;
  std::map<std::string, Answer> answers_;
};

}  // namespace mvx

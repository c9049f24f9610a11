#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mvx::bench {

// What Linux itself counts for a process running under Wine, read from
// /proc through Wine's drive Z:. Wine's own calls give no CPU times for
// another process, and a tick-counted time is too coarse for an idle one.
struct ThreadFigures {
  int tid = 0;
  std::string name;  // as Linux shows it (comm)
  std::uint64_t cpuNs = 0;
  std::uint64_t wakeUps = 0;
};

struct UnixFigures {
  double residentMb = 0;      // VmRSS
  std::uint64_t cpuNs = 0;    // run time of all its threads
  std::uint64_t wakeUps = 0;  // times its threads gave up the CPU to wait
  std::vector<ThreadFigures> threads;  // by thread id, the first thread first
};

// The Linux process id of the running Wine process whose program (the
// first word of its command line) ends in `exeName`, case ignored; nothing
// when there is none.
std::optional<int> FindUnixProcess(const std::string& exeName);
// Nothing when the process has gone.
std::optional<UnixFigures> ReadUnixFigures(int pid);

}  // namespace mvx::bench

#pragma once
#include <string>
#include <vector>

namespace mvx::bench {

struct Program {
  std::string exeName;          // as Linux shows it in the process's command line
  std::string exe;              // Windows path
  std::string folder;           // where it starts
  std::string mainWindowClass;  // the class of the window that shows with ":"
};

struct ThreadIdle {
  std::string name;             // as Linux names the thread
  double wakeUpsPerMinute = 0;  // the same, for this thread alone
};

struct IdleFigures {
  double residentMb = 0;
  double wakeUpsPerMinute = 0;    // waits its threads were woken from
  double cpuPercent = 0;          // of one core
  std::vector<ThreadIdle> threads;  // in the order they were made, the first thread first
};

// Milliseconds from starting the program with ":" until its main window is
// visible; the program is ended then. Throws when it shows none in 60 s.
double StartupMs(const Program& program);

// Starts the programs in their order without parameters, so they stay in
// the tray; after `settleMs` reads their resident memory, then their
// wake-ups and CPU time over `idleMs`; ends them. Figures in the programs' order.
std::vector<IdleFigures> IdleTogether(const std::vector<Program>& programs, unsigned long settleMs,
                                      unsigned long idleMs);

}  // namespace mvx::bench

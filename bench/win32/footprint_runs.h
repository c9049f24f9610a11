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

struct IdleFigures {
  double residentMb = 0;
  double wakeUpsPerMinute = 0;  // waits its threads were woken from
  double cpuPercent = 0;        // of one core
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

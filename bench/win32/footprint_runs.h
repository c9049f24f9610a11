#pragma once
#include <string>
#include <utility>

namespace mvx::bench {

struct Program {
  std::string exeName;  // as Linux shows it in the process's command line
  std::string exe;      // Windows path
  std::string folder;   // where it starts
  std::string mainWindowClass;  // the class of the window that shows with ":"
};

struct IdleFigures {
  double residentMb = 0;
  double cpuPercent = 0;  // of one core
};

// Milliseconds from starting the program with ":" until its main window is
// visible; the program is ended then. Throws when it shows none in 60 s.
double StartupMs(const Program& program);

// Starts both (first, then second) without parameters, so they stay in the
// tray; after `settleMs` reads their resident memory, then their CPU time
// over `idleMs`; ends both.
std::pair<IdleFigures, IdleFigures> IdleTogether(const Program& first, const Program& second, unsigned long settleMs,
                                                 unsigned long idleMs);

}  // namespace mvx::bench

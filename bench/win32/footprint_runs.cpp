#include "footprint_runs.h"

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "unix_process.h"

namespace mvx::bench {

namespace {

class Started {
 public:
  Started(const Program& program, const std::string& args) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program.exe + "\"" + (args.empty() ? "" : " " + args);
    if (!CreateProcessA(program.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.folder.c_str(), &startup, &info_)) {
      throw std::runtime_error("cannot start " + program.exe + " (error " + std::to_string(GetLastError()) + ")");
    }
  }
  ~Started() {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 10000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  bool Ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }

 private:
  PROCESS_INFORMATION info_{};
};

// Looks only at the top-level windows of the program's main window class:
// the windowing system picks them out in one request. Looking at every
// window each millisecond (three requests a window) kept the system's
// server so busy that a program asking it much was slowed more than one
// asking it little, which the figures then put down to the program.
bool HasVisibleWindow(DWORD processId, const std::string& windowClass) {
  for (HWND window = FindWindowExA(nullptr, nullptr, windowClass.c_str(), nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, windowClass.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId &&
        (GetWindowLongA(window, GWL_STYLE) & (WS_VISIBLE | WS_CAPTION)) == (WS_VISIBLE | WS_CAPTION)) {
      return true;
    }
  }
  return false;
}

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

UnixFigures Figures(const Program& program) {
  auto pid = FindUnixProcess(program.exeName);
  auto figures = pid ? ReadUnixFigures(*pid) : std::nullopt;
  if (!figures) throw std::runtime_error("cannot find " + program.exeName + " among the Linux processes");
  return *figures;
}

// Each thread's wake-ups over the time, matched by thread id; one made
// during it counts from none.
std::vector<ThreadIdle> ThreadsIdle(const UnixFigures& from, const UnixFigures& to, unsigned long idleMs) {
  std::vector<ThreadIdle> threads;
  for (const ThreadFigures& after : to.threads) {
    std::uint64_t before = 0;
    for (const ThreadFigures& t : from.threads) {
      if (t.tid == after.tid) before = t.wakeUps;
    }
    const double wakeUps = after.wakeUps > before ? static_cast<double>(after.wakeUps - before) : 0;
    threads.push_back({after.name, wakeUps * 60000.0 / static_cast<double>(idleMs)});
  }
  return threads;
}

double CpuPercent(const UnixFigures& from, const UnixFigures& to, unsigned long idleMs) {
  const double ns = to.cpuNs > from.cpuNs ? static_cast<double>(to.cpuNs - from.cpuNs) : 0.0;
  return ns / (static_cast<double>(idleMs) * 1e6) * 100.0;
}

}  // namespace

// The desktop is let settle after each start (the ended program's windows
// and icon taken away, the desktop beneath repainted), so that no start
// pays for the one before it.
constexpr DWORD kSettleAfterStartMs = 400;

double StartupMs(const Program& program) {
  double ms = 0;
  {
    const double start = Now();
    Started started(program, ":");
    while (!HasVisibleWindow(started.Id(), program.mainWindowClass)) {
      if (started.Ended()) throw std::runtime_error(program.exe + " ended before it showed a window");
      if (Now() - start > 60000) throw std::runtime_error(program.exe + " showed no window in 60 s");
      Sleep(1);
    }
    ms = Now() - start;
  }
  Sleep(kSettleAfterStartMs);
  return ms;
}

std::vector<IdleFigures> IdleTogether(const std::vector<Program>& programs, unsigned long settleMs,
                                      unsigned long idleMs) {
  std::vector<std::unique_ptr<Started>> started;
  for (const Program& program : programs) started.push_back(std::make_unique<Started>(program, ""));
  Sleep(settleMs);
  std::vector<UnixFigures> before;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    if (started[i]->Ended()) throw std::runtime_error(programs[i].exe + " ended while idle");
    before.push_back(Figures(programs[i]));
  }
  Sleep(idleMs);
  std::vector<IdleFigures> idle;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const UnixFigures after = Figures(programs[i]);
    const double wakeUps =
        after.wakeUps > before[i].wakeUps ? static_cast<double>(after.wakeUps - before[i].wakeUps) : 0;
    idle.push_back({before[i].residentMb, wakeUps * 60000.0 / static_cast<double>(idleMs),
                    CpuPercent(before[i], after, idleMs), ThreadsIdle(before[i], after, idleMs)});
  }
  return idle;
}

}  // namespace mvx::bench

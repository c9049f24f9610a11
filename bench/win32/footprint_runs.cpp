#include "footprint_runs.h"

#include <windows.h>

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
    if (owner == processId && (GetWindowLongA(window, GWL_STYLE) & (WS_VISIBLE | WS_CAPTION)) == (WS_VISIBLE | WS_CAPTION)) {
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

std::pair<IdleFigures, IdleFigures> IdleTogether(const Program& first, const Program& second, unsigned long settleMs,
                                                 unsigned long idleMs) {
  Started a(first, "");
  Started b(second, "");
  Sleep(settleMs);
  if (a.Ended() || b.Ended()) throw std::runtime_error("a program ended while idle");
  const UnixFigures a0 = Figures(first), b0 = Figures(second);
  Sleep(idleMs);
  const UnixFigures a1 = Figures(first), b1 = Figures(second);
  return {{a0.residentMb, CpuPercent(a0, a1, idleMs)}, {b0.residentMb, CpuPercent(b0, b1, idleMs)}};
}

}  // namespace mvx::bench

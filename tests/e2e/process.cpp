#include "e2e/process.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace mvx::e2e {

namespace {

// Every started program joins one job that ends with the test program, so
// even a crashed test run leaves no instance behind to hold the mutex.
HANDLE KillOnExitJob() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (created != nullptr) SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return created;
  }();
  return job;
}

}  // namespace

Process::Process(const std::string& exe, const std::string& args, const std::string& folder) {
  std::string line = "\"" + exe + "\"";
  if (!args.empty()) line += " " + args;
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, folder.c_str(),
                      &startup, &info)) {
    throw std::runtime_error("cannot start " + line + ": error " + std::to_string(GetLastError()));
  }
  if (KillOnExitJob() != nullptr) AssignProcessToJobObject(KillOnExitJob(), info.hProcess);
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process::~Process() {
  if (process_ == nullptr) return;
  Kill();
  CloseHandle(process_);
}

bool Process::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(Clock::duration timeout) const {
  if (!PumpUntil([this] { return !Running(); }, timeout, process_)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool Process::WaitForIdle(Clock::duration timeout) const {
  // Polled with no wait: blocking in WaitForInputIdle would stop the pump,
  // and the program would hang in its next trace.
  bool idle = false;
  PumpUntil([&] { return (idle = WaitForInputIdle(process_, 0) == 0) || !Running(); }, timeout, process_);
  return idle;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForExit(std::chrono::seconds(10));
}

}  // namespace mvx::e2e

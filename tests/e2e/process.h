#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "e2e/pump.h"

namespace mvx::e2e {

// A program started by a test. It never outlives its owner: the destructor
// kills it if it still runs, so a failed test leaves no stray process behind.
class Process {
 public:
  // Starts `exe` with `args` (already quoted as the program expects) in
  // `folder`; throws std::runtime_error with the system error when it fails.
  Process(const std::string& exe, const std::string& args, const std::string& folder);
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&&) = delete;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // The exit code once the process has ended, waiting up to `timeout` while
  // pumping messages; nothing when it still runs.
  std::optional<DWORD> WaitForExit(Clock::duration timeout) const;
  // True once the program waits for input in its message loop with nothing
  // left to do (WaitForInputIdle), waiting up to `timeout` while pumping;
  // false at once when the process ends instead.
  bool WaitForIdle(Clock::duration timeout) const;
  // Ends the process if it still runs and waits until it is gone.
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace mvx::e2e

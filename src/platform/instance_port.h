#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mvx {

enum class MutexWait { Acquired, Abandoned, Timeout, Failed };

// The named mutex and registered window messages (CreateMutexA,
// WaitForSingleObject, RegisterWindowMessageA, SendMessageA to HWND_BROADCAST).
class InstancePort {
 public:
  virtual ~InstancePort() = default;
  // Creates (or opens) the named mutex, not initially owned, and waits on it
  // with a time-out of 0. The handle is kept for the life of the process.
  virtual MutexWait CreateAndWaitMutex(const std::string& name) = 0;
  virtual std::uint32_t RegisterMessage(const std::string& name) = 0;
  virtual void Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

  // What a second start uses to hand a command over (FindWindowA by class,
  // SendMessageTimeoutA with WM_COPYDATA, Sleep, AttachConsole):
  // the top-level window of that class, 0 when there is none;
  virtual std::uintptr_t FindTopWindowOfClass(const std::string& className) = 0;
  // the window's answer to a WM_COPYDATA of these bytes, nullopt when none
  // came within timeoutMs or the window is gone;
  virtual std::optional<std::intptr_t> SendCopyData(std::uintptr_t window, std::uint32_t tag,
                                                    const std::vector<std::uint8_t>& bytes,
                                                    std::uint32_t timeoutMs) = 0;
  virtual void Pause(std::uint32_t ms) = 0;
  // a line on the output the process was given, else on the console of the
  // program that started it; nowhere when it has neither.
  virtual void WriteOutputLine(const std::string& line) = 0;
};

}  // namespace mvx

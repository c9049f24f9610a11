#pragma once
#include <cstdint>
#include <string>

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
};

}  // namespace mvx

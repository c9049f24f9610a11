#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace mvx {

using WindowHandle = std::uintptr_t;

// FindWindowA by title and a synchronous WM_COPYDATA.
class TracePort {
 public:
  virtual ~TracePort() = default;
  virtual WindowHandle FindWindowByTitle(const std::string& title) = 0;
  virtual void SendCopyData(WindowHandle to, WindowHandle from, std::uint32_t dwData,
                            const std::vector<std::uint8_t>& bytes) = 0;
};

}  // namespace mvx

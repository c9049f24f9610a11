#pragma once
#include <string>
#include <vector>

#include "platform/file_port.h"
#include "platform/monitor_port.h"

namespace mvx::fakes {

// One 1024 x 768 monitor unless a test sets others. A composition is kept
// and answered with bytes that name its pieces' files; as the system would,
// it fails when a piece's file cannot be read.
class FakeMonitors : public MonitorPort {
 public:
  explicit FakeMonitors(FilePort& files) : files_(files) {}
  std::vector<Monitor> Monitors() override { return monitors; }
  std::size_t MonitorOfWindow(std::uintptr_t) override { return windowMonitor; }
  std::optional<ByteBlock> ComposeDesktop(const DesktopComposition& composition) override;

  std::vector<Monitor> monitors{{{0, 0, 1024, 768}, true}};
  std::size_t windowMonitor = 0;
  std::vector<DesktopComposition> composed;

 private:
  FilePort& files_;
};

}  // namespace mvx::fakes

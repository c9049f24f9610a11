#include "e2e/driver.h"

namespace mvx::e2e {

bool InstanceRunning() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Murovex");
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

Driver::Driver(const AppSetup& setup) : folder_(setup) {}

Process& Driver::Start(const std::string& args) {
  return processes_.emplace_back(folder_.Exe(), args, folder_.Path());
}

std::optional<TraceEntry> Driver::WaitForTrace(std::string_view text, const Process& process, Clock::duration timeout) {
  std::optional<TraceEntry> found;
  PumpUntil([&] { return (found = listener_.Find(text)) || !process.Running(); }, timeout, process.Handle());
  // Its traces are sent, not posted, so all it sent before it ended is here.
  return found ? found : listener_.Find(text);
}

}  // namespace mvx::e2e

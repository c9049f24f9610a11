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

}  // namespace mvx::e2e

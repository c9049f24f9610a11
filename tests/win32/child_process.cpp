#include "win32/child_process.h"

#include <windows.h>

#include <string>

#include "win32/adapters/win32_ports.h"

namespace mvx::testing {

int RunChild(const std::vector<std::string>& args) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string line;
  for (const std::string& part : args) {
    line.append(" \"").append(part).append("\"");
  }
  line.insert(0, std::string("\"").append(exe).append("\" ").append(kChildFlag));
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

// "mutex NAME": waits on the named mutex through the adapter and ends at
// once, without releasing it; the exit code is the MutexWait it saw.
int ChildMain(int argc, char** argv) {
  if (argc == 4 && std::string(argv[2]) == "mutex") {
    win32::Win32Instance instance;
    return static_cast<int>(instance.CreateAndWaitMutex(argv[3]));
  }
  return 100;
}

}  // namespace mvx::testing

#include "win32/child_process.h"

#include <windows.h>

#include <cstring>
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
// "desktop NAME TEXT": sets a text value of HKCU\Control Panel\Desktop.
// "write PATH TEXT": writes the file whole. Both end with 0 when done.
int ChildMain(int argc, char** argv) {
  const std::string verb = argc >= 3 ? argv[2] : "";
  if (argc == 4 && verb == "mutex") {
    win32::Win32Instance instance;
    return static_cast<int>(instance.CreateAndWaitMutex(argv[3]));
  }
  if (argc == 5 && verb == "desktop") {
    const DWORD size = static_cast<DWORD>(std::strlen(argv[4]) + 1);
    return RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", argv[3], REG_SZ, argv[4], size) == ERROR_SUCCESS
               ? 0
               : 1;
  }
  if (argc == 5 && verb == "write") {
    HANDLE file = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const bool ok = WriteFile(file, argv[4], static_cast<DWORD>(std::strlen(argv[4])), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
  }
  return 100;
}

}  // namespace mvx::testing

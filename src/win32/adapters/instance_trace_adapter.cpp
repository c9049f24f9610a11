#include <windows.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

MutexWait Win32Instance::CreateAndWaitMutex(const std::string& name) {
  // The handle is kept open for the life of the process on purpose: the
  // system releases the mutex when the process ends.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return MutexWait::Failed;
  switch (WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
      return MutexWait::Acquired;
    case WAIT_ABANDONED:
      return MutexWait::Abandoned;
    case WAIT_TIMEOUT:
      return MutexWait::Timeout;
    default:
      return MutexWait::Failed;
  }
}

std::uint32_t Win32Instance::RegisterMessage(const std::string& name) {
  return RegisterWindowMessageA(name.c_str());
}

void Win32Instance::Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  SendMessageA(HWND_BROADCAST, message, wParam, lParam);
}

WindowHandle Win32Trace::FindWindowByTitle(const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowA(nullptr, title.c_str()));
}

void Win32Trace::SendCopyData(WindowHandle to, WindowHandle from, std::uint32_t dwData,
                              const std::vector<std::uint8_t>& bytes) {
  COPYDATASTRUCT cds;
  cds.dwData = dwData;
  cds.cbData = static_cast<DWORD>(bytes.size());
  cds.lpData = const_cast<std::uint8_t*>(bytes.data());
  SendMessageA(reinterpret_cast<HWND>(to), WM_COPYDATA, static_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&cds));
}

}  // namespace mvx::win32

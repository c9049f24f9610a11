#include <windows.h>

#include <shellapi.h>

#include "win32/adapters/win32_ports.h"
#include "win32/views/window_dpi.h"

namespace mvx::win32 {

OpenDesktopResult Win32Desktop::OpenDesktopNamed(const std::string& name) {
  HDESK desk = OpenDesktopA(name.c_str(), 0, FALSE, MAXIMUM_ALLOWED);
  if (desk != nullptr) return {reinterpret_cast<std::uintptr_t>(desk), 0};
  return {0, GetLastError()};
}

void Win32Desktop::CloseDesktopHandle(std::uintptr_t handle) {
  ::CloseDesktop(reinterpret_cast<HDESK>(handle));
}

bool Win32Desktop::SetDeskWallpaper(const std::string& path, std::uint32_t flags) {
  return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), flags) != FALSE;
}

std::uintptr_t Win32Desktop::FindTopWindow(const std::string& className, const std::string& title) {
  return reinterpret_cast<std::uintptr_t>(FindWindowA(className.c_str(), title.c_str()));
}

void Win32Desktop::ShowTopWindow(std::uintptr_t window, int command) {
  ShowWindow(reinterpret_cast<HWND>(window), command);
}

std::string Win32System::WindowsDirectory() {
  char buffer[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
  return n < MAX_PATH ? std::string(buffer, n) : std::string();
}

std::string Win32System::ModulePath() {
  std::string buffer(32768, '\0');
  const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(n);
  return buffer;
}

std::vector<std::string> Win32System::CommandLineArgs() {
  std::vector<std::string> args;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return args;
  for (int i = 1; i < argc; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, s.data(), n, nullptr, nullptr);
    args.push_back(s);
  }
  LocalFree(argv);
  return args;
}

int Win32System::ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN);
}

int Win32System::ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN);
}

// The screen DC's LOGPIXELSY, which for a program aware of each monitor's
// scale is the system's DPI; asked without making the screen's DC, the
// first of which costs several round trips to the windowing system.
int Win32System::LogPixelsY() {
  return SystemDpi();
}

std::uint32_t Win32System::DesktopColor() {
  return GetSysColor(COLOR_DESKTOP);
}

UserNotificationState Win32System::NotificationState() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return UserNotificationState::Unknown;
  return static_cast<UserNotificationState>(state);
}

}  // namespace mvx::win32

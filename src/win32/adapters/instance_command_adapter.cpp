#include <windows.h>

#include <string>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

std::uintptr_t Win32Instance::FindTopWindowOfClass(const std::string& className) {
  return reinterpret_cast<std::uintptr_t>(FindWindowA(className.c_str(), nullptr));
}

std::optional<std::intptr_t> Win32Instance::SendCopyData(std::uintptr_t window, std::uint32_t tag,
                                                         const std::vector<std::uint8_t>& bytes,
                                                         std::uint32_t timeoutMs) {
  COPYDATASTRUCT cds;
  cds.dwData = tag;
  cds.cbData = static_cast<DWORD>(bytes.size());
  cds.lpData = const_cast<std::uint8_t*>(bytes.data());
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                          SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &answer) == 0) {
    return std::nullopt;
  }
  return static_cast<std::intptr_t>(answer);
}

void Win32Instance::Pause(std::uint32_t ms) {
  Sleep(ms);
}

// The output given (a pipe or a file), else the console of the program that
// started this one: a program of the windows subsystem has none of its own.
void Win32Instance::WriteOutputLine(const std::string& line) {
  const std::string text = line + "\r\n";
  DWORD written = 0;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
  if (console != INVALID_HANDLE_VALUE) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    CloseHandle(console);
  }
  FreeConsole();
}

}  // namespace mvx::win32

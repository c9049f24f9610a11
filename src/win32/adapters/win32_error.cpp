#include "win32/adapters/win32_error.h"

#include <windows.h>

namespace mvx::win32 {

std::string ErrorText(std::uint32_t code) {
  char buffer[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                           sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

Status LastError(const std::string& what) {
  const DWORD code = GetLastError();
  return Status::Fail(code == 0 ? 1u : code, what, ErrorText(code));
}

}  // namespace mvx::win32

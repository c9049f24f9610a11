#include <windows.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

std::string Win32Profile::GetString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& def) {
  char buffer[1024] = {};
  const DWORD n =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer, file.c_str());
  return std::string(buffer, n);
}

std::string Win32Profile::GetSection(const std::string& file, const std::string& section) {
  // The system fills the buffer to two short of its size when the section does not fit.
  std::string buffer(32767, '\0');
  for (;;) {
    const DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                              file.c_str());
    if (n + 2 < buffer.size() || buffer.size() >= (1u << 24)) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool Win32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace mvx::win32

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

bool Win32Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace mvx::win32

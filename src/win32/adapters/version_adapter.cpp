#include <windows.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

std::uint32_t Win32System::VersionInfoSize(const std::string& path) {
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(path.c_str(), &handle);
}

std::string Win32System::VersionInfo(const std::string& path, std::uint32_t size) {
  std::string block(size, '\0');
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
  return block;
}

std::optional<std::string> Win32System::VersionString(const std::string& block, const std::string& subBlock) {
  if (block.empty()) return std::nullopt;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), subBlock.c_str(), &value, &length) || value == nullptr) return std::nullopt;
  // The length counts the terminating zero of a string value.
  const char* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, length));
}

}  // namespace mvx::win32

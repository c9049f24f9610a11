#include <windows.h>

#include <vector>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

HKEY H(RegKey key) {
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

std::optional<RegKey> Win32Registry::OpenKey(RegKey parent, const std::string& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(H(parent), subKey.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) {
    // Read-only access still lets the program read the desktop settings.
    if (RegOpenKeyExA(H(parent), subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  }
  return reinterpret_cast<RegKey>(key);
}

std::optional<RegKey> Win32Registry::CreateKey(RegKey parent, const std::string& subKey) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(H(parent), subKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return reinterpret_cast<RegKey>(key);
}

std::optional<RegValue> Win32Registry::QueryValue(RegKey key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(H(key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> data(size + 2, 0);
  DWORD got = size;
  if (RegQueryValueExA(H(key), name.c_str(), nullptr, &type, data.data(), &got) != ERROR_SUCCESS) return std::nullopt;
  RegValue value;
  value.type = type;
  value.data.assign(reinterpret_cast<const char*>(data.data()), got);
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && !value.data.empty() && value.data.back() == '\0') {
    value.data.pop_back();
  }
  return value;
}

bool Win32Registry::SetValue(RegKey key, const std::string& name, const RegValue& value) {
  std::string bytes = value.data;
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) bytes.push_back('\0');
  return RegSetValueExA(H(key), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(H(key), name.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(RegKey key) {
  RegCloseKey(H(key));
}

}  // namespace mvx::win32

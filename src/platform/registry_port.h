#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace mvx {

using RegKey = std::uintptr_t;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// A value as stored: its type and raw bytes. String values carry their bytes
// without the terminating zero.
struct RegValue {
  std::uint32_t type = kRegSz;
  std::string data;
};

// RegOpenKeyExA / RegCreateKeyExA / RegQueryValueExA / RegSetValueExA / RegCloseKey.
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;
  // Opens an existing key below parent, one level or several joined by
  // backslashes; never creates it.
  virtual std::optional<RegKey> OpenKey(RegKey parent, const std::string& subKey) = 0;
  virtual std::optional<RegKey> CreateKey(RegKey parent, const std::string& subKey) = 0;
  // nullopt when the value is missing or cannot be read.
  virtual std::optional<RegValue> QueryValue(RegKey key, const std::string& name) = 0;
  virtual bool SetValue(RegKey key, const std::string& name, const RegValue& value) = 0;
  virtual bool DeleteValue(RegKey key, const std::string& name) = 0;
  virtual void CloseKey(RegKey key) = 0;
};

}  // namespace mvx

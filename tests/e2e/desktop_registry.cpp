#include "e2e/desktop_registry.h"

#include <windows.h>

#include <vector>

namespace mvx::e2e {

namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

class Key {
 public:
  explicit Key(REGSAM access) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::string> ReadDesktopValue(const std::string& name) {
  Key key(KEY_QUERY_VALUE);
  if (key.get() == nullptr) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(data.data());
}

bool WriteDesktopValue(const std::string& name, const std::string& value) {
  Key key(KEY_SET_VALUE);
  return key.get() != nullptr &&
         RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteDesktopValue(const std::string& name) {
  Key key(KEY_SET_VALUE);
  if (key.get() == nullptr) return false;
  const LSTATUS status = RegDeleteValueA(key.get(), name.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace mvx::e2e

#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/registry_port.h"

namespace mvx::fakes {

// Keys and values in memory; names compared without regard to case, as the
// registry does. Tests may make a key unopenable.
class FakeRegistry : public RegistryPort {
 public:
  FakeRegistry();
  std::optional<RegKey> OpenKey(RegKey parent, const std::string& subKey) override;
  std::optional<RegKey> CreateKey(RegKey parent, const std::string& subKey) override;
  std::optional<RegValue> QueryValue(RegKey key, const std::string& name) override;
  bool SetValue(RegKey key, const std::string& name, const RegValue& value) override;
  bool DeleteValue(RegKey key, const std::string& name) override;
  void CloseKey(RegKey key) override;

  // Direct access for tests, by full path such as "HKCU\\Control Panel\\Desktop".
  void Put(const std::string& keyPath, const std::string& name, const RegValue& value);
  std::optional<RegValue> Get(const std::string& keyPath, const std::string& name) const;
  void Deny(const std::string& keyPath) { denied_.insert(Norm(keyPath)); }
  std::size_t OpenHandles() const { return handles_.size(); }
  // Called with the key's path in lower case each time a value of it is set
  // or deleted, through the port or by Put.
  std::function<void(const std::string&)> onChange;

 private:
  static std::string Norm(const std::string& s);
  std::string PathOf(RegKey key) const;
  std::optional<RegKey> Open(RegKey parent, const std::string& subKey, bool create);

  std::set<std::string> keys_;
  std::map<std::string, std::map<std::string, RegValue>> values_;  // key -> lower name -> value
  std::set<std::string> denied_;
  std::map<RegKey, std::string> handles_;
  RegKey next_ = 0x1000;
};

}  // namespace mvx::fakes

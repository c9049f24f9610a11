#include "fakes/fake_registry.h"

#include "app/paths.h"

namespace mvx::fakes {

FakeRegistry::FakeRegistry() {
  keys_.insert("hkcu");
  keys_.insert("hklm");
  keys_.insert("hkcu\\control panel");
  keys_.insert("hkcu\\control panel\\desktop");
}

std::string FakeRegistry::Norm(const std::string& s) {
  return LowerAZ(StripTrailingBackslashes(s));
}

std::string FakeRegistry::PathOf(RegKey key) const {
  if (key == kHkeyCurrentUser) return "hkcu";
  if (key == kHkeyLocalMachine) return "hklm";
  auto it = handles_.find(key);
  return it == handles_.end() ? std::string() : it->second;
}

std::optional<RegKey> FakeRegistry::Open(RegKey parent, const std::string& subKey, bool create) {
  const std::string base = PathOf(parent);
  if (base.empty()) return std::nullopt;
  const std::string path = subKey.empty() ? base : base + "\\" + Norm(subKey);
  if (denied_.count(path)) return std::nullopt;
  if (!keys_.count(path)) {
    if (!create) return std::nullopt;
    // Create every missing level.
    std::string p = base;
    std::string rest = Norm(subKey);
    std::size_t pos = 0;
    while (pos <= rest.size()) {
      std::size_t next = rest.find('\\', pos);
      if (next == std::string::npos) next = rest.size();
      p += '\\';
      p.append(rest, pos, next - pos);
      keys_.insert(p);
      pos = next + 1;
    }
  }
  const RegKey h = next_++;
  handles_[h] = path;
  return h;
}

std::optional<RegKey> FakeRegistry::OpenKey(RegKey parent, const std::string& subKey) {
  return Open(parent, subKey, false);
}

std::optional<RegKey> FakeRegistry::CreateKey(RegKey parent, const std::string& subKey) {
  return Open(parent, subKey, true);
}

std::optional<RegValue> FakeRegistry::QueryValue(RegKey key, const std::string& name) {
  return Get(PathOf(key), name);
}

bool FakeRegistry::SetValue(RegKey key, const std::string& name, const RegValue& value) {
  const std::string path = PathOf(key);
  if (path.empty()) return false;
  values_[path][LowerAZ(name)] = value;
  if (onChange) onChange(path);
  return true;
}

bool FakeRegistry::DeleteValue(RegKey key, const std::string& name) {
  const std::string path = PathOf(key);
  auto it = values_.find(path);
  if (it == values_.end() || it->second.erase(LowerAZ(name)) == 0) return false;
  if (onChange) onChange(path);
  return true;
}

void FakeRegistry::CloseKey(RegKey key) {
  handles_.erase(key);
}

void FakeRegistry::Put(const std::string& keyPath, const std::string& name, const RegValue& value) {
  std::string path = Norm(keyPath);
  // A key exists with every level above it, as in the registry.
  for (std::size_t sep = path.find('\\'); sep != std::string::npos; sep = path.find('\\', sep + 1)) {
    keys_.insert(path.substr(0, sep));
  }
  keys_.insert(path);
  values_[path][LowerAZ(name)] = value;
  if (onChange) onChange(path);
}

std::optional<RegValue> FakeRegistry::Get(const std::string& keyPath, const std::string& name) const {
  auto k = values_.find(Norm(keyPath));
  if (k == values_.end()) return std::nullopt;
  auto v = k->second.find(LowerAZ(name));
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

}  // namespace mvx::fakes

#include "app/registry_path.h"

namespace mvx {

// The levels are opened in one call: the system walks them as it would one
// at a time, and the answer is the same, but each opening of a level is a
// round trip to the system's registry.
std::optional<RegKey> OpenKeyPath(RegistryPort& registry, RegKey root, std::initializer_list<std::string> levels) {
  if (levels.size() == 0) return std::nullopt;
  std::string path;
  for (const std::string& level : levels) {
    if (level.empty()) continue;  // an empty level is the key above it
    if (!path.empty()) path += '\\';
    path += level;
  }
  return registry.OpenKey(root, path);
}

std::string ReadStringValue(RegistryPort& registry, RegKey key, const std::string& name) {
  const auto value = registry.QueryValue(key, name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return {};
  const std::size_t end = value->data.find('\0');
  return end == std::string::npos ? value->data : value->data.substr(0, end);
}

std::optional<std::string> ReadStringAtPath(RegistryPort& registry, RegKey root,
                                            std::initializer_list<std::string> levels, const std::string& name) {
  const auto key = OpenKeyPath(registry, root, levels);
  if (!key) return std::nullopt;
  std::string value = ReadStringValue(registry, *key, name);
  registry.CloseKey(*key);
  return value;
}

}  // namespace mvx

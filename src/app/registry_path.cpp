#include "app/registry_path.h"

namespace mvx {

std::optional<RegKey> OpenKeyPath(RegistryPort& registry, RegKey root, std::initializer_list<std::string> levels) {
  RegKey key = root;
  bool own = false;
  for (const std::string& level : levels) {
    const auto next = registry.OpenKey(key, level);
    if (own) registry.CloseKey(key);
    if (!next) return std::nullopt;
    key = *next;
    own = true;
  }
  if (!own) return std::nullopt;
  return key;
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

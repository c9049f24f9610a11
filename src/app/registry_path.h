#pragma once
#include <initializer_list>
#include <optional>
#include <string>

#include "platform/registry_port.h"

namespace mvx {

// Opens the key at the levels below root, creating none: the last key (for
// the caller to close), or nothing when a level cannot be opened.
std::optional<RegKey> OpenKeyPath(RegistryPort& registry, RegKey root, std::initializer_list<std::string> levels);

// A string value of the key (default value for an empty name), cut at its
// first zero; empty when missing or not a string.
std::string ReadStringValue(RegistryPort& registry, RegKey key, const std::string& name);

// The same value of the key at that path below root, which is closed again;
// nothing when a level cannot be opened.
std::optional<std::string> ReadStringAtPath(RegistryPort& registry, RegKey root,
                                            std::initializer_list<std::string> levels, const std::string& name);

}  // namespace mvx

#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace mvx {

// Reads a settings value as an integer: decimal with an optional sign, or
// hexadecimal when it is longer than two characters and starts with "0x" or
// "0X". nullopt for anything else (the caller then uses its default).
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

}  // namespace mvx

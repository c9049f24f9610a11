#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "forms/keys.h"

namespace mvx {

// A combination as the settings file keeps it: the modifiers in the order
// "Ctrl", "Alt", "Shift", then the key's name, joined by "+"
// ("Ctrl+Alt+Shift+Right"); no combination is the empty text.
std::string FormatKeyCombo(const KeyCombo& combo);

// The text back: each modifier at most once, in any order and letter case,
// then one known key; no blanks. The empty text is no combination;
// anything else gives nullopt.
std::optional<KeyCombo> ParseKeyCombo(std::string_view text);

// The key's own name ("Right", "P", "F9", "Num5"); empty for a key the
// program does not name, which no combination may then use.
std::string KeyName(std::uint16_t key);

}  // namespace mvx

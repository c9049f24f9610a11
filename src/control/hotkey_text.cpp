#include "control/hotkey_text.h"

#include <array>
#include <cstdint>

#include "app/paths.h"

namespace mvx {

namespace {

struct NamedKey {
  std::uint16_t key;
  const char* name;
};

// Keys by the system's virtual-key numbers, beside the letters, digits and
// function keys, which are named by rule.
constexpr std::array<NamedKey, 35> kNamedKeys{{
    {0x08, "Backspace"}, {0x09, "Tab"},          {0x0D, "Enter"},     {0x13, "Pause"},     {0x1B, "Esc"},
    {0x20, "Space"},     {0x21, "PageUp"},       {0x22, "PageDown"},  {0x23, "End"},       {0x24, "Home"},
    {0x25, "Left"},      {0x26, "Up"},           {0x27, "Right"},     {0x28, "Down"},      {0x2D, "Insert"},
    {0x2E, "Delete"},    {0x6A, "NumMultiply"},  {0x6B, "NumAdd"},    {0x6D, "NumSubtract"}, {0x6E, "NumDecimal"},
    {0x6F, "NumDivide"}, {0xBA, ";"},            {0xBB, "="},         {0xBC, ","},         {0xBD, "-"},
    {0xBE, "."},         {0xBF, "/"},            {0xC0, "`"},         {0xDB, "["},         {0xDC, "\\"},
    {0xDD, "]"},         {0xDE, "'"},            {0x2C, "PrintScreen"}, {0x91, "ScrollLock"}, {0x03, "Break"},
}};

constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF24 = 0x87;
constexpr std::uint16_t kNumPad0 = 0x60;

std::optional<std::uint16_t> KeyOfName(std::string_view name) {
  for (std::uint16_t key = 1; key < 0x100; ++key) {
    const std::string known = KeyName(key);
    if (!known.empty() && SameTextAZ(known, name)) return key;
  }
  return std::nullopt;
}

}  // namespace

std::string KeyName(std::uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= kF1 && key <= kF24) return std::string("F").append(std::to_string(key - kF1 + 1));
  if (key >= kNumPad0 && key <= kNumPad0 + 9) return std::string("Num").append(std::to_string(key - kNumPad0));
  for (const NamedKey& named : kNamedKeys) {
    if (named.key == key) return named.name;
  }
  return {};
}

std::string FormatKeyCombo(const KeyCombo& combo) {
  if (combo.Empty()) return {};
  std::string text;
  if (combo.shift.ctrl) text += "Ctrl+";
  if (combo.shift.alt) text += "Alt+";
  if (combo.shift.shift) text += "Shift+";
  return text + KeyName(combo.key);
}

std::optional<KeyCombo> ParseKeyCombo(std::string_view text) {
  if (text.empty()) return KeyCombo{};
  KeyCombo combo;
  for (;;) {
    const std::size_t plus = text.find('+');
    const std::string_view part = text.substr(0, plus);
    if (plus == std::string_view::npos) {
      const std::optional<std::uint16_t> key = KeyOfName(part);
      if (!key) return std::nullopt;
      combo.key = *key;
      return combo;
    }
    bool* flag = SameTextAZ(part, "Ctrl")    ? &combo.shift.ctrl
                 : SameTextAZ(part, "Alt")   ? &combo.shift.alt
                 : SameTextAZ(part, "Shift") ? &combo.shift.shift
                                             : nullptr;
    if (flag == nullptr || *flag) return std::nullopt;
    *flag = true;
    text.remove_prefix(plus + 1);
  }
}

}  // namespace mvx

#pragma once
#include <cstdint>

namespace mvx {

// The modifier keys held down with a key.
struct TShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool operator==(const TShiftState&) const = default;
};

inline constexpr TShiftState kNoShift{};
inline constexpr TShiftState kAltOnly{false, false, true};
inline constexpr TShiftState kCtrlOnly{false, true, false};

// A key with the modifier keys pressed with it, as a hotkey field holds it;
// key 0 is no combination at all.
struct KeyCombo {
  std::uint16_t key = 0;
  TShiftState shift;
  bool Empty() const { return key == 0; }
  bool operator==(const KeyCombo&) const = default;
};

// Key codes as the system's virtual keys number them.
namespace keys {
inline constexpr std::uint16_t Return = 0x0D;
inline constexpr std::uint16_t Space = 0x20;
inline constexpr std::uint16_t Delete = 0x2E;
inline constexpr std::uint16_t F2 = 0x71;
inline constexpr std::uint16_t F3 = 0x72;
inline constexpr std::uint16_t F4 = 0x73;
inline constexpr std::uint16_t F11 = 0x7A;
}  // namespace keys

}  // namespace mvx

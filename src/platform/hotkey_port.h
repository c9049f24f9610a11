#pragma once
#include <cstdint>

namespace mvx {

// The system's modifier bits of a hotkey (MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_NOREPEAT).
inline constexpr std::uint32_t kModAlt = 0x0001;
inline constexpr std::uint32_t kModControl = 0x0002;
inline constexpr std::uint32_t kModShift = 0x0004;
inline constexpr std::uint32_t kModNoRepeat = 0x4000;

// Keys that reach a window wherever the focus is (RegisterHotKey,
// UnregisterHotKey): WM_HOTKEY comes to the window with the id.
class HotkeyPort {
 public:
  virtual ~HotkeyPort() = default;
  // False when the combination is taken, by this program or another
  // (ERROR_HOTKEY_ALREADY_REGISTERED). An id the window holds already is
  // given the new combination.
  virtual bool Register(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) = 0;
  // False when the window holds no such id.
  virtual bool Unregister(std::uintptr_t window, int id) = 0;
};

}  // namespace mvx

#pragma once
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "platform/hotkey_port.h"

namespace mvx::fakes {

// The desktop's hotkeys as the system keeps them: one combination for one
// holder at a time, whatever window asks; an id a window registers again
// takes the new combination; "no repeat" is no part of the combination.
class FakeHotkeys : public HotkeyPort {
 public:
  bool Register(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) override;
  bool Unregister(std::uintptr_t window, int id) override;

  struct Held {
    std::uintptr_t window;
    int id;
    std::uint32_t modifiers;  // without kModNoRepeat
    std::uint32_t key;
  };
  // What this process holds, in the order registered.
  std::vector<Held> held;
  // Combinations other programs hold: (modifiers, key).
  std::set<std::pair<std::uint32_t, std::uint32_t>> heldElsewhere;
  // Whether the last registration asked for no repeats.
  bool lastNoRepeat = false;
};

}  // namespace mvx::fakes

#include "fakes/fake_hotkeys.h"

#include <algorithm>

namespace mvx::fakes {

namespace {

constexpr std::uint32_t kCombinationBits = kModAlt | kModControl | kModShift | 0x0008;  // MOD_WIN

}  // namespace

bool FakeHotkeys::Register(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) {
  const std::uint32_t combination = modifiers & kCombinationBits;
  if (heldElsewhere.count({combination, key}) != 0) return false;
  for (const Held& h : held) {
    if (h.modifiers == combination && h.key == key) return false;
  }
  lastNoRepeat = (modifiers & kModNoRepeat) != 0;
  const auto same = std::find_if(held.begin(), held.end(), [&](const Held& h) { return h.window == window && h.id == id; });
  if (same != held.end()) {
    same->modifiers = combination;
    same->key = key;
    return true;
  }
  held.push_back({window, id, combination, key});
  return true;
}

bool FakeHotkeys::Unregister(std::uintptr_t window, int id) {
  const auto it = std::find_if(held.begin(), held.end(), [&](const Held& h) { return h.window == window && h.id == id; });
  if (it == held.end()) return false;
  held.erase(it);
  return true;
}

}  // namespace mvx::fakes

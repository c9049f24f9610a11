#include "control/hotkey_map.h"

#include "control/hotkey_text.h"

namespace mvx {

namespace {

constexpr std::uint16_t kLeft = 0x25;
constexpr std::uint16_t kRight = 0x27;
// Ids of the system's hotkeys are the program's own below 0xC000.
constexpr int kFirstId = 1;

std::uint32_t Modifiers(const KeyCombo& combo) {
  return (combo.shift.ctrl ? kModControl : 0) | (combo.shift.alt ? kModAlt : 0) |
         (combo.shift.shift ? kModShift : 0) | kModNoRepeat;
}

}  // namespace

KeySet DefaultKeys() {
  const TShiftState all{true, true, true};
  return {KeyCombo{kRight, all}, KeyCombo{kLeft, all}, KeyCombo{'P', all}, KeyCombo{}};
}

KeyOutcomes SettleKeys(const KeySet& keys, const std::function<bool(std::size_t, const KeyCombo&)>& tryRegister) {
  KeyOutcomes outcomes{};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const KeyCombo& combo = keys[i];
    if (combo.Empty()) continue;
    if (!combo.shift.ctrl && !combo.shift.alt) {
      outcomes[i].state = KeyState::NeedsCtrlOrAlt;
      continue;
    }
    std::size_t earlier = 0;
    while (earlier < i && !(keys[earlier] == combo)) ++earlier;
    if (earlier < i) {
      outcomes[i] = {KeyState::Repeated, static_cast<HotkeyAction>(earlier)};
      continue;
    }
    outcomes[i].state = tryRegister(i, combo) ? KeyState::Active : KeyState::Taken;
  }
  return outcomes;
}

std::string ActionName(HotkeyAction action) {
  switch (action) {
    case HotkeyAction::Next:
      return "Next wallpaper";
    case HotkeyAction::Previous:
      return "Previous wallpaper";
    case HotkeyAction::PauseResume:
      return "Pause/Resume slideshow";
    case HotkeyAction::Disable:
      return "Disable this wallpaper";
  }
  return {};
}

std::string OutcomeNote(const KeyOutcome& outcome) {
  switch (outcome.state) {
    case KeyState::NeedsCtrlOrAlt:
      return "Add Ctrl or Alt to this key.";
    case KeyState::Repeated:
      return "Already the key of " + ActionName(outcome.sameAs) + ".";
    case KeyState::Taken:
      return "Another program holds this key.";
    default:
      return {};
  }
}

std::string OutcomeMessage(HotkeyAction action, const KeyCombo& combo, const KeyOutcome& outcome) {
  const std::string keys = FormatKeyCombo(combo);
  switch (outcome.state) {
    case KeyState::NeedsCtrlOrAlt:
      return keys + " would take the key from every program's typing. Add Ctrl or Alt to it for " +
             ActionName(action) + ".";
    case KeyState::Repeated:
      return keys + " is already the key of " + ActionName(outcome.sameAs) + ". Choose another for " +
             ActionName(action) + ".";
    case KeyState::Taken:
      return keys + " is held by another program. " + ActionName(action) +
             " has no key until that program lets it go, or until you choose another.";
    default:
      return {};
  }
}

void HotkeyMap::Apply(std::uintptr_t window, const KeySet& keys) {
  Release();
  window_ = window;
  outcomes_ = SettleKeys(keys, [&](std::size_t index, const KeyCombo& combo) {
    held_[index] = port_.Register(window_, kFirstId + static_cast<int>(index), Modifiers(combo), combo.key);
    return held_[index];
  });
}

void HotkeyMap::Release() {
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (held_[i]) port_.Unregister(window_, kFirstId + static_cast<int>(i));
    held_[i] = false;
  }
}

std::optional<HotkeyAction> HotkeyMap::ActionOf(int id) const {
  const int index = id - kFirstId;
  if (index < 0 || index >= static_cast<int>(held_.size()) || !held_[static_cast<std::size_t>(index)]) {
    return std::nullopt;
  }
  return static_cast<HotkeyAction>(index);
}

}  // namespace mvx

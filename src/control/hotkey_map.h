#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/keys.h"
#include "platform/hotkey_port.h"

namespace mvx {

// What a key pressed anywhere can do, in the order the keys are settled.
enum class HotkeyAction { Next, Previous, PauseResume, Disable };
inline constexpr std::size_t kHotkeyActionCount = 4;
using KeySet = std::array<KeyCombo, kHotkeyActionCount>;

// The keys a new user has: Ctrl+Alt+Shift with Right, Left and P, and none
// to disable a picture.
KeySet DefaultKeys();

// What became of an action's combination.
enum class KeyState {
  None,            // it has none
  Active,          // the system gives it to this program
  NeedsCtrlOrAlt,  // without Ctrl or Alt it would take a key from every program's typing
  Repeated,        // an earlier action has it
  Taken,           // another program holds it
};
struct KeyOutcome {
  KeyState state = KeyState::None;
  HotkeyAction sameAs = HotkeyAction::Next;  // for Repeated: the earlier action
  bool operator==(const KeyOutcome&) const = default;
};
using KeyOutcomes = std::array<KeyOutcome, kHotkeyActionCount>;

// The rule, in the order of the actions: no combination, none; one without
// Ctrl or Alt is not offered; one an earlier action has is not offered
// again; the rest go to tryRegister, whose refusal means another program
// holds the combination.
KeyOutcomes SettleKeys(const KeySet& keys, const std::function<bool(std::size_t, const KeyCombo&)>& tryRegister);

std::string ActionName(HotkeyAction action);
// The note beside an action's field: empty while the key works or there is none.
std::string OutcomeNote(const KeyOutcome& outcome);
// The message when the user has just set a combination that does not work;
// empty when it works.
std::string OutcomeMessage(HotkeyAction action, const KeyCombo& combo, const KeyOutcome& outcome);

// The program's keys as the system holds them for the main window, one id
// an action.
class HotkeyMap {
 public:
  explicit HotkeyMap(HotkeyPort& port) : port_(port) {}
  HotkeyMap(const HotkeyMap&) = delete;
  HotkeyMap& operator=(const HotkeyMap&) = delete;

  // Lets go of what this map holds, then registers keys by the rule for window.
  void Apply(std::uintptr_t window, const KeySet& keys);
  void Release();
  const KeyOutcomes& Outcomes() const { return outcomes_; }
  // The action of a WM_HOTKEY's id; nullopt for an id this map does not hold.
  std::optional<HotkeyAction> ActionOf(int id) const;

 private:
  HotkeyPort& port_;
  std::uintptr_t window_ = 0;
  std::array<bool, kHotkeyActionCount> held_{};
  KeyOutcomes outcomes_{};
};

}  // namespace mvx

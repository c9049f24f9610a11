#include "win32/views/hotkey_field.h"

#include <commctrl.h>

namespace mvx::win32 {

namespace {

// Keys the field shows by their own names only when marked as of the
// extended keyboard (not the number pad's).
bool IsExtendedKey(std::uint16_t key) {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || key == VK_DIVIDE;
}

WORD FieldValue(const KeyCombo& combo) {
  if (combo.Empty()) return 0;
  BYTE flags = 0;
  if (combo.shift.shift) flags |= HOTKEYF_SHIFT;
  if (combo.shift.ctrl) flags |= HOTKEYF_CONTROL;
  if (combo.shift.alt) flags |= HOTKEYF_ALT;
  if (IsExtendedKey(combo.key)) flags |= HOTKEYF_EXT;
  return MAKEWORD(static_cast<BYTE>(combo.key), flags);
}

}  // namespace

void SetUpHotKeyField(HWND window) {
  SendMessageA(window, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

void ApplyHotKeyField(HWND window, const KeyCombo& combo) {
  const WORD value = FieldValue(combo);
  if (static_cast<WORD>(SendMessageA(window, HKM_GETHOTKEY, 0, 0)) != value) {
    SendMessageA(window, HKM_SETHOTKEY, value, 0);
  }
}

KeyCombo ReadHotKeyField(HWND window) {
  const auto value = static_cast<WORD>(SendMessageA(window, HKM_GETHOTKEY, 0, 0));
  const BYTE flags = HIBYTE(value);
  KeyCombo combo;
  combo.key = LOBYTE(value);
  if (combo.key == 0) return {};
  combo.shift.shift = (flags & HOTKEYF_SHIFT) != 0;
  combo.shift.ctrl = (flags & HOTKEYF_CONTROL) != 0;
  combo.shift.alt = (flags & HOTKEYF_ALT) != 0;
  return combo;
}

}  // namespace mvx::win32

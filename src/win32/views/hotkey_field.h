#pragma once
#include <windows.h>

#include "forms/keys.h"

namespace mvx::win32 {

// The system's hotkey field (HOTKEY_CLASS) for a model's THotKey: a key
// pressed without Ctrl or Alt is taken with both, as the field's rules allow.
void SetUpHotKeyField(HWND window);
void ApplyHotKeyField(HWND window, const KeyCombo& combo);
KeyCombo ReadHotKeyField(HWND window);

}  // namespace mvx::win32

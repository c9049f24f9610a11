#pragma once
// The common controls' header needs the base Windows header before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

namespace mvx::win32 {

// Loads the common controls and registers their window classes, once; the
// first control window made calls it. A program in the tray never needs them.
void RegisterCommonControls();
// Starts loading them on a thread of their own, for a start that shows its
// window at once: they are ready, or nearly, when its first control is made.
void RegisterCommonControlsAhead();

}  // namespace mvx::win32

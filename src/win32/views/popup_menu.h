#pragma once
#include <windows.h>

#include <vector>

#include "forms/menu.h"

namespace mvx::win32 {

// A real pop-up menu with the items of a menu model: captions with their
// "&" keys, separators, check marks, grayed and default items, submenus.
// The command of commands[i] is i + 1. The caller destroys the menu.
HMENU BuildPopupMenu(TMenuItem& menu, std::vector<TMenuItem*>& commands);

// Pops the menu up at the cursor on behalf of owner, which becomes the
// foreground window so that the menu closes when the user clicks elsewhere,
// and runs the chosen item.
void TrackMenuAtCursor(TMenuItem& menu, HWND owner);

}  // namespace mvx::win32

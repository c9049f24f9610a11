#pragma once
#include <windows.h>

#include <vector>

#include "forms/menu.h"

namespace mvx::win32 {

// A real pop-up menu with the items of a menu model: captions with their
// "&" keys, separators, check marks, grayed and default items, submenus.
// The command of commands[i] is i + 1. The caller destroys the menu.
HMENU BuildPopupMenu(TMenuItem& menu, std::vector<TMenuItem*>& commands);

// The window that owns a menu popped up for window and comes to the
// foreground meanwhile: window itself when it is a top-level window. A
// message-only window (the notification icon's) cannot come to the
// foreground: its menus are owned by a hidden top-level window of the
// thread, made when first needed and kept for the next menus.
HWND MenuOwnerFor(HWND window);

// Pops the menu up at the cursor on behalf of window; the menu's owner
// becomes the foreground window so that the menu closes when the user
// clicks elsewhere. Runs the chosen item.
void TrackMenuAtCursor(TMenuItem& menu, HWND window);

}  // namespace mvx::win32

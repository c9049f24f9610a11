#include <windows.h>

#include "win32/adapters/win32_ports.h"
#include "win32/views/popup_menu.h"

namespace mvx::win32 {

void Win32Shell::PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) {
  TrackMenuAtCursor(menu, reinterpret_cast<HWND>(owner));
}

}  // namespace mvx::win32

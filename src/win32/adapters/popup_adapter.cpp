#include <windows.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

void Win32Shell::PopupMenuAtCursor(TMenuItem&, std::uintptr_t) {}

}  // namespace mvx::win32

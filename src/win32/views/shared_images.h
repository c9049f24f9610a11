#pragma once
#include <windows.h>

namespace mvx::win32 {

// A cursor of the system's (IDC_ARROW, IDC_HAND, ...), loaded once: the
// handle is shared and never freed, and each load asks the windowing system
// for the screen's scale anew.
HCURSOR SystemCursor(LPCSTR id);

// The program's icon (resource 1) at one size, loaded once: the notification
// area's picture and the windows' small icon share it. Never freed.
HICON ProgramIcon(int width, int height);

}  // namespace mvx::win32

#pragma once
#include <windows.h>

namespace mvx::win32 {

// A cursor of the system's (IDC_ARROW, IDC_HAND, ...), loaded once: the
// handle is shared and never freed, and each load asks the windowing system
// for the screen's scale anew.
HCURSOR SystemCursor(LPCSTR id);

}  // namespace mvx::win32

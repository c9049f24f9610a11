#pragma once
#include <windows.h>

namespace mvx::win32 {

// The DPI of the monitor a window is on (the program is per-monitor aware,
// so the system never scales its windows for it).
int DpiOfWindow(HWND window);

// The DPI of the primary monitor, where a window not made yet will open.
int SystemDpi();

// The outer size of a window whose client area is width x height pixels,
// with the frame the system draws at dpi.
SIZE FrameSizeForClient(int width, int height, DWORD style, DWORD exStyle, int dpi);

}  // namespace mvx::win32

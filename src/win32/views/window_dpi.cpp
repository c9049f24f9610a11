#include "win32/views/window_dpi.h"

#include "forms/dpi_scaling.h"

namespace mvx::win32 {

int DpiOfWindow(HWND window) {
  const UINT dpi = window != nullptr ? GetDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : kDesignDpi;
}

int SystemDpi() {
  const UINT dpi = GetDpiForSystem();
  return dpi != 0 ? static_cast<int>(dpi) : kDesignDpi;
}

SIZE FrameSizeForClient(int width, int height, DWORD style, DWORD exStyle, int dpi) {
  RECT rc{0, 0, width, height};
  if (!AdjustWindowRectExForDpi(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  }
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace mvx::win32

#include "win32/views/common_controls.h"

namespace mvx::win32 {

namespace {

DWORD WINAPI RegisterOnThread(LPVOID) {
  RegisterCommonControls();
  return 0;
}

}  // namespace

// A second caller waits for the first to finish (the guard of the static).
void RegisterCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                     ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS;
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

// Without the thread, the first control loads them as it would anyway.
void RegisterCommonControlsAhead() {
  if (HANDLE thread = CreateThread(nullptr, 0, RegisterOnThread, nullptr, 0, nullptr)) CloseHandle(thread);
}

}  // namespace mvx::win32

#include "win32/views/tray_window.h"

#include "win32/views/shared_images.h"
#include "win32/views/window_dpi.h"

namespace mvx::win32 {

namespace {

FormWindowStyle TrayFormStyle() {
  FormWindowStyle style;
  style.style = WS_POPUP;
  style.exStyle = WS_EX_TOOLWINDOW;
  style.owner = HWND_MESSAGE;
  return style;
}

}  // namespace

TrayWindow::TrayWindow(TForm& form, TTrayIcon& icon, Win32NotifyIcon& notify, TApplication& app)
    : FormView(form, app, TrayFormStyle()), icon_(icon), notify_(notify) {
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  const auto window = reinterpret_cast<std::uintptr_t>(Window());
  icon_.Window = window;
  notify_.window = window;
  LoadIconPicture();
}

// The small icon's size at the DPI of the screen the notification area is
// on, taken from the images of resource 1 (16 to 48 pixels) rather than
// stretched by the shell.
void TrayWindow::LoadIconPicture() {
  const auto dpi = static_cast<UINT>(DpiOfWindow(Window()));
  const int width = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
  const int height = GetSystemMetricsForDpi(SM_CYSMICON, dpi);
  HICON picture = ProgramIcon(width, height);
  if (picture == nullptr) return;  // the one loaded before stays
  notify_.icon = reinterpret_cast<std::uintptr_t>(picture);
}

// The icon goes first: the shell cannot take it away without its window.
TrayWindow::~TrayWindow() {
  try {
    icon_.SetActive(false);
  } catch (...) {
    // The icon's removal is never reported.
  }
}

bool TrayWindow::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (message == icon_.CallbackMessage()) {
    icon_.HandleCallback(static_cast<std::uint32_t>(lParam));
    return true;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    AddIconAgain();
    return true;
  }
  if (message == WM_DPICHANGED) {
    // The screen's scale changed: the icon is shown at the size now asked
    // for. The window itself never shows and has nothing to lay out.
    LoadIconPicture();
    if (icon_.Active()) icon_.UpdateIcon(true);
    return true;
  }
  return false;
}

// A new shell knows no icons: the modify fails, which marks the icon as not
// added, and the next update adds it. The shell also starts anew when the
// screen's scale changed, so the icon is taken at the size asked for now.
void TrayWindow::AddIconAgain() {
  LoadIconPicture();
  if (!icon_.Active()) return;
  icon_.UpdateIcon(true);
  if (!icon_.IconAdded()) icon_.UpdateIcon(true);
}

}  // namespace mvx::win32

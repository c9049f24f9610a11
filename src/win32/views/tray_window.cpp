#include "win32/views/tray_window.h"

#include <stdexcept>

#include "win32/views/window_dpi.h"

namespace mvx::win32 {

namespace {

constexpr const char* kClassName = "TTrayIcon";

void RegisterTrayClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, kClassName, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  if (RegisterClassExA(&wc) == 0) throw std::runtime_error("Unable to register the window class TTrayIcon");
}

}  // namespace

TrayWindow::TrayWindow(TTrayIcon& icon, Win32NotifyIcon& notify, TApplication& app)
    : icon_(icon), notify_(notify), app_(app) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterTrayClass(instance, Proc);
  constexpr int kSize = 20;
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr, instance,
                          nullptr);
  if (hwnd_ == nullptr) throw std::runtime_error("Unable to create the notification icon's window");
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  const auto window = reinterpret_cast<std::uintptr_t>(hwnd_);
  icon_.Window = window;
  notify.window = window;
  LoadIconPicture();
}

// The small icon's size at the DPI of the screen the notification area is
// on, taken from the images of resource 1 (16 to 48 pixels) rather than
// stretched by the shell.
void TrayWindow::LoadIconPicture() {
  const auto dpi = static_cast<UINT>(DpiOfWindow(hwnd_));
  const int width = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
  const int height = GetSystemMetricsForDpi(SM_CYSMICON, dpi);
  auto picture = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  if (picture == nullptr) return;  // the one loaded before stays
  HICON old = picture_;
  picture_ = picture;
  notify_.icon = reinterpret_cast<std::uintptr_t>(picture_);
  if (old != nullptr) DestroyIcon(old);
}

// The icon goes first: the shell cannot take it away without its window.
TrayWindow::~TrayWindow() {
  try {
    icon_.SetActive(false);
  } catch (...) {
    // The icon's removal is never reported.
  }
  if (hwnd_ != nullptr) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (picture_ != nullptr) DestroyIcon(picture_);
}

LRESULT CALLBACK TrayWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<TrayWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  self->app_.Guard([&] { result = self->Handle(message, wParam, lParam); }, reinterpret_cast<std::uintptr_t>(hwnd));
  return result;
}

LRESULT TrayWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == icon_.CallbackMessage()) {
    icon_.HandleCallback(static_cast<std::uint32_t>(lParam));
    return 0;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    AddIconAgain();
    return 0;
  }
  if (message == WM_DPICHANGED) {
    // The screen's scale changed: the icon is shown at the size now asked for.
    LoadIconPicture();
    if (icon_.Active()) icon_.UpdateIcon(true);
    return 0;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
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

#pragma once
#include <windows.h>

#include "app/application.h"
#include "ui/tray_icon.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

// The never-shown window of the notification icon: the shell sends it the
// icon's mouse events, and "TaskbarCreated" when a new shell needs the icon
// again. It is a top-level window, since the latter is a broadcast.
class TrayWindow {
 public:
  // Gives the icon and the notification adapter this window and the
  // program's icon (resource 1) at the size the notification area asks for.
  TrayWindow(TTrayIcon& icon, Win32NotifyIcon& notify, TApplication& app);
  // Takes the icon out of the notification area.
  ~TrayWindow();
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;

  HWND Window() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void AddIconAgain();
  void LoadIconPicture();

  TTrayIcon& icon_;
  Win32NotifyIcon& notify_;
  TApplication& app_;
  HWND hwnd_ = nullptr;
  HICON picture_ = nullptr;
  UINT taskbarCreated_ = 0;
};

}  // namespace mvx::win32

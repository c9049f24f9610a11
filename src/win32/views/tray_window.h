#pragma once
#include <windows.h>

#include "app/application.h"
#include "ui/tray_icon.h"
#include "win32/adapters/win32_ports.h"
#include "win32/views/form_view.h"

namespace mvx::win32 {

// The never-shown window of the tray form, which is also the notification
// icon's: the shell sends it the icon's mouse events. It is a message-only
// window, the cheapest a program can make: it has no place on any desktop,
// so no broadcast reaches it, and the main window passes it "TaskbarCreated"
// (a new shell needs the icon again) and the screen's changes of scale. Nor
// can it come to the foreground: the icon's menu is owned by a hidden
// top-level window of its own (TrackMenuAtCursor).
class TrayWindow : public FormView {
 public:
  // Makes the form's window and gives the icon and the notification adapter
  // that window and the program's icon (resource 1) at the size the
  // notification area asks for.
  TrayWindow(TForm& form, TTrayIcon& icon, Win32NotifyIcon& notify, TApplication& app);
  // Takes the icon out of the notification area, then the window goes.
  ~TrayWindow() override;
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;
  // The window goes only with the icon, in the destructor.
  void Destroy() = delete;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void AddIconAgain();
  void LoadIconPicture();

  TTrayIcon& icon_;
  Win32NotifyIcon& notify_;
  UINT taskbarCreated_ = 0;
};

}  // namespace mvx::win32

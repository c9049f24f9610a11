#pragma once
#include "ui/frm_main.h"
#include "win32/views/form_view.h"

namespace mvx::win32 {

// The main window: a hidden top-level window (so that broadcasts reach it)
// with a fixed single border, the system menu and the minimise box. Its
// registered messages, the close box and the end of the Windows session go
// to the main window's model; destroying it ends the message loop. It also
// owns the view of the shut-down notice.
class MainWindow : public FormView {
 public:
  MainWindow(TFrmMain& form, TApplication& app);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND NoticeWindow() const { return notice_.Window(); }
  // The notification icon's window, which no broadcast reaches: the main
  // window passes it "TaskbarCreated" and the changes of the screen's scale.
  void PassShellNewsTo(HWND trayWindow) { trayWindow_ = trayWindow; }
  // A key pressed in the main window goes to the window's key map before
  // the control with the focus; true when the key map used it up.
  bool PreviewKey(const MSG& msg);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void CentreNotice();

  TFrmMain& frm_;
  FormView notice_;
  HWND trayWindow_ = nullptr;
  UINT taskbarCreated_ = 0;
};

}  // namespace mvx::win32

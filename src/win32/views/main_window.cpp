#include "win32/views/main_window.h"

namespace mvx::win32 {

namespace {

const LPCSTR kProgramIcon = MAKEINTRESOURCEA(1);

FormWindowStyle MainStyle(const TFrmMain& form) {
  FormWindowStyle style;
  style.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  style.iconResource = kProgramIcon;
  style.neverShown = &form.pnlDesignOptions;
  style.controlsOnFirstShow = true;
  return style;
}

FormWindowStyle NoticeStyle() {
  FormWindowStyle style;
  style.style = WS_POPUP | WS_CAPTION;
  style.exStyle = WS_EX_TOPMOST;
  style.iconResource = kProgramIcon;
  style.controlsOnFirstShow = true;
  style.windowOnFirstShow = true;
  return style;
}

constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

}  // namespace

MainWindow::MainWindow(TFrmMain& form, TApplication& app)
    : FormView(form, app, MainStyle(form)),
      frm_(form),
      notice_(form.frmStartup, app, NoticeStyle()),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
  CentreNotice();
}

// Destroyed here, while the main window's own handling still runs.
MainWindow::~MainWindow() {
  Destroy();
}

bool MainWindow::PreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != Window() && !IsChild(Window(), msg.hwnd)) return false;
  TShiftState shift;
  shift.shift = GetKeyState(VK_SHIFT) < 0;
  shift.ctrl = GetKeyState(VK_CONTROL) < 0;
  shift.alt = GetKeyState(VK_MENU) < 0 || (msg.lParam & (1 << 29)) != 0;
  bool used = false;
  App().Guard([&] { used = frm_.FormKeyDown(static_cast<std::uint16_t>(msg.wParam), shift); }, frm_.Handle);
  return used;
}

// Its window is made when it first shows, where the model places it.
void MainWindow::CentreNotice() {
  const SIZE frame = notice_.FrameSize();
  frm_.frmStartup.SetLeft((GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2);
  frm_.frmStartup.SetTop((GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2);
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (trayWindow_ != nullptr && (message == taskbarCreated_ || message == WM_DPICHANGED)) {
    SendMessageA(trayWindow_, message, wParam, lParam);
  }
  // A monitor's scale changed, and with it perhaps the monitors' layout; the
  // window goes on to be laid out anew at the new scale.
  if (message == WM_DPICHANGED) frm_.WMDisplayChange();
  if (message >= kFirstRegisteredMessage && message <= kLastRegisteredMessage) return frm_.WndProc(message);
  switch (message) {
    case WM_CLOSE:
      if (frm_.Close()) DestroyWindow(Window());
      return true;
    case WM_HELP:
      frm_.ShowContextHelp();
      result = TRUE;
      return true;
    case WM_DROPFILES:
      frm_.WMDropFiles(static_cast<std::uintptr_t>(wParam));
      return true;
    case WM_SETTINGCHANGE:
      // The work area changes as monitors come and go, or move.
      if (wParam == SPI_SETWORKAREA) frm_.WMDisplayChange();
      // lParam names the changed section, or is null (Wine passes an empty string).
      frm_.WMSettingChange(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      return true;
    case WM_DISPLAYCHANGE:
      frm_.WMDisplayChange();
      return true;
    case WM_HOTKEY:
      frm_.remote.HotKey(static_cast<int>(wParam));
      return true;
    case WM_COPYDATA: {
      // Another process's block: the model checks it before it uses any of it.
      const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (block == nullptr) return true;
      result = static_cast<LRESULT>(
          frm_.remote.CopyData(static_cast<std::uint32_t>(block->dwData), static_cast<const std::uint8_t*>(block->lpData),
                               block->cbData));
      return true;
    }
    case WM_ACTIVATEAPP:
      // Sent to every top-level window of the program; the main window speaks for it.
      if (wParam == FALSE) App().Deactivate();
      return true;
    case WM_QUERYENDSESSION:
      result = frm_.WMQueryEndSession(message) ? TRUE : FALSE;
      return true;
    case WM_ENDSESSION:
      // Windows ends now: the session's end already did the closing work.
      if (wParam != FALSE) ExitProcess(0);
      frm_.WMEndSession(false);
      return true;
    case WM_DESTROY:
      try {
        frm_.FormDestroy();
      } catch (...) {
        PostQuitMessage(0);
        throw;
      }
      PostQuitMessage(0);
      return true;
    default:
      return false;
  }
}

}  // namespace mvx::win32

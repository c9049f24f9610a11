#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "win32/adapters/win32_ports.h"
#include "win32/views/shared_images.h"

namespace mvx::win32 {

bool Win32NotifyIcon::NotifyIcon(NotifyIconMessage message, std::uint16_t iconId, std::uint16_t callbackOffset,
                                 const std::string& tip) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = reinterpret_cast<HWND>(window);
  data.uID = iconId;
  const bool tipOnly = message == NotifyIconMessage::ModifyTip;
  data.uFlags = tipOnly ? NIF_TIP : NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_USER + callbackOffset;
  data.hIcon = reinterpret_cast<HICON>(icon);
  std::strncpy(data.szTip, tip.c_str(), 63);
  return Shell_NotifyIconA(tipOnly ? NIM_MODIFY : static_cast<DWORD>(message), &data) != FALSE;
}

void Win32Shell::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      terminated = true;
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32Shell::SetBusyCursor(bool busy) {
  SetCursor(SystemCursor(busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Shell::SetApplicationTitle(const std::string& title) {
  applicationTitle = title;
}

void Win32Shell::Terminate() {
  terminated = true;
  PostQuitMessage(0);
}

bool Win32Shell::ClipboardHasBitmap() {
  return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

}  // namespace mvx::win32

#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/system_folders.h"
#include "forms/dpi_scaling.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::testing {

// Message boxes answered at once and remembered, so an error shown by the
// error handler does not wait for a user. Modal windows are the real ones.
class RecordingPrompts : public PromptPort {
 public:
  explicit RecordingPrompts(PromptPort& real) : real_(real) {}
  PromptAnswer Show(const std::string& text, const std::string&, PromptKind, PromptButtons) override {
    texts.push_back(text);
    return PromptAnswer::Ok;
  }
  ModalResult ShowModal(TForm& form) override { return real_.ShowModal(form); }
  void Beep() override { ++beeps; }
  std::vector<std::string> texts;
  int beeps = 0;

 private:
  PromptPort& real_;
};

// The real adapters with recorded message boxes, and an application over them.
struct ViewEnv {
  ViewEnv() { real.prompts.app = &app; }
  win32::Win32Ports real{"."};
  RecordingPrompts prompts{real.prompts};
  Ports ports{real.timers,   real.timers,  prompts,       real.registry, real.profile, real.files,
              real.instance, real.trace,   real.desktop,  real.system,   real.help,    real.notifyIcon,
              real.shell,    real.dialogs, real.pictures, real.watches, real.monitors, real.hotkeys};
  TApplication app{ports};
};

// The program stored in a new folder of the temp directory named after tag
// and this process, the Windows folder c:\windows.
inline SystemFolders TempProgramFolders(const std::string& tag) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  SystemFolders folders;
  folders.programDir = std::string(temp) + "murovex-" + tag + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folders.programDir.c_str(), nullptr);
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

// Delivers what is waiting in this thread's queue.
inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Every control of a dialog at any depth, in the order the windows were made.
inline std::vector<HWND> AllChildren(HWND dialog) {
  std::vector<HWND> children;
  EnumChildWindows(
      dialog,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// A control of the dialog by its class and text, at any depth; null when none.
inline HWND Child(HWND dialog, const char* className, const std::string& text) {
  for (HWND window : AllChildren(dialog)) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    const int length = GetWindowTextLengthA(window);
    std::string caption(static_cast<std::size_t>(length) + 1, '\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextA(window, caption.data(), length + 1)));
    if (lstrcmpiA(name, className) == 0 && caption == text) return window;
  }
  return nullptr;
}

inline std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

inline SIZE ClientSize(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  return SIZE{rc.right, rc.bottom};
}

// Every caption of a static control or a button fits inside it, measured
// with the control's own font; a check or radio box leaves room for its box.
inline void ExpectEveryCaptionFits(HWND window, int dpi) {
  int measured = 0;
  for (HWND child : AllChildren(window)) {
    const std::string cls = ClassOf(child);
    if (lstrcmpiA(cls.c_str(), "Static") != 0 && lstrcmpiA(cls.c_str(), "Button") != 0) continue;
    const int length = GetWindowTextLengthA(child);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(child, text.data(), length + 1)));
    if (const auto amp = text.find('&'); amp != std::string::npos) text.erase(amp, 1);  // drawn as an underline
    if (text.empty()) continue;
    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    const auto type = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & BS_TYPEMASK;
    const bool boxed = lstrcmpiA(cls.c_str(), "Button") == 0 &&
                       (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX);
    const int room = ClientSize(child).cx - (boxed ? ScaleToDpi(20, dpi) : 0);
    EXPECT_LE(size.cx, room) << text;
    ++measured;
  }
  EXPECT_GT(measured, 2);
}

// A left click inside a window at a point of its client area.
inline void ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace mvx::testing

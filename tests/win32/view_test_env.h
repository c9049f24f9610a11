#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/application.h"
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
  Ports ports{real.timers, real.timers,  prompts,     real.registry, real.profile,    real.files, real.instance,
              real.trace,  real.desktop, real.system, real.help,     real.notifyIcon, real.shell, real.dialogs, real.pictures};
  TApplication app{ports};
};

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

// A left click inside a window at a point of its client area.
inline void ClickAt(HWND window, int x, int y) {
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace mvx::testing

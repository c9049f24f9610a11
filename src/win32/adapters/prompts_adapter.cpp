#include <windows.h>

#include <stdexcept>

#include "win32/adapters/win32_ports.h"
#include "win32/views/modal_window.h"

namespace mvx::win32 {

PromptAnswer Win32Prompts::Show(const std::string& text, const std::string& caption, PromptKind kind,
                                PromptButtons buttons) {
  UINT type = MB_TASKMODAL;
  switch (kind) {
    case PromptKind::Information:
      type |= MB_ICONINFORMATION;
      break;
    case PromptKind::Warning:
      type |= MB_ICONWARNING;
      break;
    case PromptKind::Error:
      type |= MB_ICONERROR;
      break;
    case PromptKind::Confirmation:
      type |= MB_ICONQUESTION;
      break;
  }
  switch (buttons) {
    case PromptButtons::Ok:
      type |= MB_OK;
      break;
    case PromptButtons::YesNo:
      type |= MB_YESNO;
      break;
    case PromptButtons::YesNoCancel:
      type |= MB_YESNOCANCEL;
      break;
  }
  const int r = MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type);
  switch (r) {
    case IDYES:
      return PromptAnswer::Yes;
    case IDNO:
      return PromptAnswer::No;
    case IDCANCEL:
      return PromptAnswer::Cancel;
    default:
      return PromptAnswer::Ok;
  }
}

ModalResult Win32Prompts::ShowModal(TForm& form) {
  if (app == nullptr) throw std::logic_error("No application to show " + form.Name() + " modally");
  return RunModal(form, *app, reinterpret_cast<HWND>(owner));
}

void Win32Prompts::Beep() {
  MessageBeep(MB_ICONASTERISK);
}

}  // namespace mvx::win32

#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "e2e/pump.h"

namespace mvx::e2e {

struct MessageBoxInfo {
  HWND handle = nullptr;
  std::string caption;
  std::string text;
};

// The first message box (dialog class "#32770") the process shows, waiting
// up to `timeout` for one.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Clock::duration timeout);

// Presses the box's button with this command id (IDOK, IDYES, IDNO,
// IDCANCEL); false when the box has no such button.
bool AnswerMessageBox(HWND box, int buttonId);

}  // namespace mvx::e2e

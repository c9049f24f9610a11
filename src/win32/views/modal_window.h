#pragma once
#include <windows.h>

#include "app/application.h"
#include "forms/form.h"

namespace mvx::win32 {

// Shows a form as a modal tool window: always on top, centred on the
// screen, owned by owner, which takes no input meanwhile. A nested message
// loop runs until a button sets the form's Result or the window is closed
// (close box or Esc: Cancel). The window is gone when this returns.
ModalResult RunModal(TForm& form, TApplication& app, HWND owner);

}  // namespace mvx::win32

#pragma once
#include <cstdint>
#include <string>

#include "forms/menu.h"

namespace mvx {

// Services of the running application: its message loop, cursor, title,
// end, and the clipboard's contents.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  virtual void ProcessMessages() = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  virtual void SetApplicationTitle(const std::string& title) = 0;
  // Ends the message loop (PostQuitMessage).
  virtual void Terminate() = 0;
  virtual bool ClipboardHasBitmap() = 0;
  // Makes owner the foreground window and pops the menu up at the cursor.
  virtual void PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) = 0;
};

}  // namespace mvx

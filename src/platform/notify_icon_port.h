#pragma once
#include <cstdint>
#include <string>

namespace mvx {

// Add, Modify and Delete hand the shell the icon's picture, callback and tip;
// ModifyTip changes the tip alone, so the picture's bits do not travel again.
enum class NotifyIconMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2, ModifyTip = 3 };

// Shell_NotifyIconA for the program's one icon; the tip is at most 63 characters.
class NotifyIconPort {
 public:
  virtual ~NotifyIconPort() = default;
  virtual bool NotifyIcon(NotifyIconMessage message, std::uint16_t iconId, std::uint16_t callbackOffset,
                          const std::string& tip) = 0;
};

}  // namespace mvx

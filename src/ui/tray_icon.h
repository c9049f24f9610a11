#pragma once
#include <cstdint>
#include <string>

#include "forms/menu.h"
#include "platform/notify_icon_port.h"
#include "platform/shell_port.h"
#include "platform/trace_port.h"

namespace mvx {

inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonUp = 0x0205;

// The program's icon in the notification area: its hint, its pop-up menu on
// a right click and its default command on a double click.
class TTrayIcon : public TObject {
 public:
  TTrayIcon(NotifyIconPort& port, ShellPort& shell, TracePort& trace) : port_(port), shell_(shell), trace_(trace) {}
  ~TTrayIcon() override;

  bool Active() const { return active_; }
  void SetActive(bool active);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  std::uint16_t WM_Offset = 1;
  std::uint16_t IconID = 1;
  TMenuItem* PopupMenu = nullptr;
  bool CanShowMenu = true;
  TNotifyEvent BeforePopup;
  TNotifyEvent OnDblClick;
  bool IconAdded() const { return iconAdded_; }
  // The window of the control, which receives the shell's callbacks.
  std::uintptr_t Window = 0;

  // Finishes loading: adds the icon when active.
  void Loaded();
  void UpdateIcon(bool show);
  // The shell's callback message; mouseEvent is its second parameter.
  void HandleCallback(std::uint32_t mouseEvent);
  std::uint32_t CallbackMessage() const { return kWmUser + WM_Offset; }

 private:
  NotifyIconPort& port_;
  ShellPort& shell_;
  TracePort& trace_;
  bool active_ = false;
  bool loading_ = true;
  std::string hint_;
  bool iconAdded_ = false;
};

}  // namespace mvx

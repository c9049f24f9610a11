#include "ui/tray_icon.h"

#include "app/paths.h"
#include "app/trace.h"

namespace mvx {

TTrayIcon::~TTrayIcon() {
  try {
    UpdateIcon(false);
  } catch (...) {
  }
}

void TTrayIcon::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (!loading_) UpdateIcon(active);
}

void TTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = std::string(Utf8Prefix(hint, 63));
  if (!active_) return;
  if (iconAdded_) {
    iconAdded_ = port_.NotifyIcon(NotifyIconMessage::ModifyTip, IconID, WM_Offset, hint_);
  } else {
    UpdateIcon(true);
  }
}

void TTrayIcon::Loaded() {
  loading_ = false;
  if (active_) UpdateIcon(true);
}

void TTrayIcon::UpdateIcon(bool show) {
  if (show) {
    const bool ok =
        port_.NotifyIcon(iconAdded_ ? NotifyIconMessage::Modify : NotifyIconMessage::Add, IconID, WM_Offset, hint_);
    iconAdded_ = ok;
  } else {
    iconAdded_ = !port_.NotifyIcon(NotifyIconMessage::Delete, IconID, WM_Offset, hint_);
  }
}

void TTrayIcon::HandleCallback(std::uint32_t mouseEvent) {
  if (mouseEvent == kWmLButtonDblClk) {
    SendTrace(trace_, "TrayIcon: WndProc WM_LBUTTONDBLCLK", Window);
    if (PopupMenu != nullptr) {
      for (const auto& item : PopupMenu->Items()) {
        if (item->Default()) {
          if (item->OnClick) item->OnClick(PopupMenu);
          break;
        }
      }
    }
    if (OnDblClick) OnDblClick(this);
  } else if (mouseEvent == kWmRButtonUp) {
    SendTrace(trace_, "TrayIcon: WndProc WM_RBUTTONUP", Window);
    if (PopupMenu == nullptr) return;
    for (const auto& item : PopupMenu->Items()) item->SetEnabled(CanShowMenu);
    if (CanShowMenu && BeforePopup) BeforePopup(this);
    shell_.PopupMenuAtCursor(*PopupMenu, Window);
  } else {
    SendTrace(trace_, "TrayIcon: WndProc ELSE msg=" + std::to_string(CallbackMessage()), Window);
  }
}

}  // namespace mvx

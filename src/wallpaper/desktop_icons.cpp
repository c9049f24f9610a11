#include "ui/frm_tray.h"

namespace mvx {

namespace {

// The shell's window that holds the desktop icons; hiding it leaves the
// wallpaper visible.
std::uintptr_t DesktopIconsWindow(DesktopPort& desktop) {
  return desktop.FindTopWindow("Progman", "Program Manager");
}

}  // namespace

void TFrmTray::mnuHideDesktopIconsClick(TObject*) {
  const std::uintptr_t window = DesktopIconsWindow(ports_.desktop);
  if (window == 0) return;
  ports_.desktop.ShowTopWindow(window, mnuHideDesktopIcons.Checked() ? kSwShow : kSwHide);
  mnuHideDesktopIcons.SetChecked(!mnuHideDesktopIcons.Checked());
}

void TFrmTray::RestoreDesktopIcons() {
  const std::uintptr_t window = DesktopIconsWindow(ports_.desktop);
  if (window != 0 && mnuHideDesktopIcons.Checked()) ports_.desktop.ShowTopWindow(window, kSwShow);
}

}  // namespace mvx

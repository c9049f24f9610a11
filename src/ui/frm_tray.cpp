#include "ui/frm_tray.h"

#include "app/trace.h"

namespace mvx {

TFrmTray::TFrmTray(Ports& ports)
    : TForm("FrmTray"),
      mnuChangeWallpaperNow(menuIcon.Add("mnuChangeWallpaperNow", "Change Wallpaper &Now")),
      mnuPreviousWallpaper(menuIcon.Add("mnuPreviousWallpaper", "Pre&vious Wallpaper")),
      mnuRunSlideshow(menuIcon.Add("mnuRunSlideshow", "Run &Slideshow")),
      mnuBlankWallpaper(menuIcon.Add("mnuBlankWallpaper", "Wallpaper = (n&one)")),
      mnuHideDesktopIcons(menuIcon.Add("mnuHideDesktopIcons", "H&ide Desktop Icons")),
      mnuDisableThisWallpaperImage(
          (menuIcon.AddSeparator(), menuIcon.Add("mnuDisableThisWallpaperImage", "&Disable this Wallpaper"))),
      mnuToggleTiled(menuIcon.Add("mnuToggleTiled", "Change Displa&y Mode")),
      mnuDisplayMode(menuIcon, "mnuDisplayMode"),
      mnuHelp((menuIcon.AddSeparator(), menuIcon.Add("mnuHelp", "&Help"))),
      mnuContents1(mnuHelp.Add("mnuContents1", "&Contents")),
      mnuAbout(mnuHelp.Add("mnuAbout", "&About...")),
      mnuSetWallpaperfromClipboard(menuIcon.Add("mnuSetWallpaperfromClipboard", "&Paste Wallpaper from Clipboard")),
      mnuShowMurovex(menuIcon.Add("mnuShowMurovex", "Murovex P&roperties")),
      mnuClose((menuIcon.AddSeparator(), menuIcon.Add("mnuClose", "&Close"))),
      TrayIcon1(ports.notifyIcon, ports.shell, ports.trace),
      ports_(ports) {
  // Designed at the size it shrinks to, so that its window is made so and
  // the shrink on creation costs the window no change.
  SetClientSize(1, 1);
  mnuChangeWallpaperNow.SetDefault(true);
  mnuHideDesktopIcons.OnClick = [this](TObject* sender) { mnuHideDesktopIconsClick(sender); };
  mnuRunSlideshow.SetChecked(true);
  TrayIcon1.SetHint("Loading Murovex...");
  TrayIcon1.CanShowMenu = false;
  TrayIcon1.PopupMenu = &menuIcon;
  TrayIcon1.WM_Offset = 1;
  TrayIcon1.IconID = 1;
  TrayIcon1.SetActive(true);
}

TFrmTray::~TFrmTray() = default;

void TFrmTray::FormCreate() {
  SendTrace(ports_.trace, "FrmTray.FormCreate", Handle);
  SetClientSize(1, 1);
  TrayIcon1.Loaded();
}

void TFrmTray::FormClose() {
  SendTrace(ports_.trace, "FrmTray.FormClose", Handle);
}

void TFrmTray::TrayIcon1BeforePopup(const std::string& slideIntervalText) {
  for (const auto& item : menuIcon.Items()) {
    if (item->Caption().substr(0, 14) == "Run &Slideshow") {
      item->SetCaption("Run &Slideshow (" + slideIntervalText + ")");
    }
    if (item.get() == &mnuSetWallpaperfromClipboard) {
      item->SetEnabled(ports_.shell.ClipboardHasBitmap());
      break;
    }
  }
}

}  // namespace mvx

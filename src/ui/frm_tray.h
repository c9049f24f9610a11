#pragma once
#include "forms/form.h"
#include "forms/menu.h"
#include "platform/ports.h"
#include "ui/display_mode_menu.h"
#include "ui/tray_icon.h"

namespace mvx {

// The never-shown form that carries the notification icon and its menu. The
// main window connects the menu's commands once it exists.
class TFrmTray : public TForm {
 public:
  explicit TFrmTray(Ports& ports);
  ~TFrmTray() override;

  // Finishes creation: traces "FrmTray.FormCreate" and adds the icon.
  void FormCreate();
  void FormClose();
  // Rewrites the slideshow item and the clipboard item before the menu opens.
  void TrayIcon1BeforePopup(const std::string& slideIntervalText);
  // "H&ide Desktop Icons": hides or shows the shell's desktop window, whose
  // state the item's check mark holds (wallpaper/desktop_icons.cpp).
  void mnuHideDesktopIconsClick(TObject* sender);
  // Shows the desktop icons again if the program hid them.
  void RestoreDesktopIcons();

  TMenuItem menuIcon{"menuIcon"};
  TMenuItem& mnuChangeWallpaperNow;
  TMenuItem& mnuPreviousWallpaper;
  TMenuItem& mnuRunSlideshow;
  TMenuItem& mnuBlankWallpaper;
  TMenuItem& mnuHideDesktopIcons;
  TMenuItem& mnuDisableThisWallpaperImage;
  TMenuItem& mnuToggleTiled;
  DisplayModeMenu mnuDisplayMode;
  TMenuItem& mnuHelp;
  TMenuItem& mnuContents1;
  TMenuItem& mnuAbout;
  TMenuItem& mnuSetWallpaperfromClipboard;
  TMenuItem& mnuShowMurovex;
  TMenuItem& mnuClose;
  TTrayIcon TrayIcon1;

 private:
  Ports& ports_;
};

}  // namespace mvx

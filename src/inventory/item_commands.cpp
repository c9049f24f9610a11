#include <exception>
#include <optional>
#include <string>

#include "app/paths.h"

#include "ui/frm_main.h"

namespace mvx {

// Takes the wallpaper on screen out of the slideshow and moves on to another.
void TFrmMain::DisableThisWallpaperImage1Click(TObject* sender) {
  std::exception_ptr failure;
  if (FindCurrentInList()) {
    try {
      cdtInventory.Edit();
      cdtInventory.EditFields().Enabled = false;
      cdtInventory.Post();
      SyncSlideCursor();
    } catch (...) {
      failure = std::current_exception();
    }
    ScheduleInventorySave(sender);
  }
  ShowNextSlide();
  if (failure) std::rethrow_exception(failure);
}

// Turns the wallpaper on screen to its next display mode, and sets it so.
void TFrmMain::mnuToggleTiledClick(TObject* sender) {
  if (!FindCurrentInList()) return;
  SetCurrentDisplayMode(NextDisplayMode(cdtInventory.Fields().Display), sender);
}

std::optional<DisplayMode> TFrmMain::CurrentWallpaperMode() {
  std::string path;
  DisplayMode mode = DisplayMode::Tile;
  GetCurrentWallpaper(path, mode);
  if (!path.empty() && path == LastDetectedSource) path = LastDetectedTarget;
  // The working bitmap counts as known but has no entry of its own.
  if (path.empty() || LowerAZ(path) == folders_.workingBitmapPath || !IsKnownPicture(path)) return std::nullopt;
  return cdtData.Fields().Display;
}

void TFrmMain::SetCurrentDisplayMode(DisplayMode mode, TObject* sender) {
  if (!FindCurrentInList()) return;
  std::exception_ptr failure;
  try {
    cdtInventory.Edit();
    cdtInventory.EditFields().Display = mode;
    cdtInventory.Post();
    mnuSetWallpaper1Click(sender);
  } catch (...) {
    failure = std::current_exception();
  }
  ScheduleInventorySave(sender);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace mvx

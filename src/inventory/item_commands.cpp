#include <exception>

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

// Turns the wallpaper on screen from tiled to centred or back, and sets it so.
void TFrmMain::mnuToggleTiledClick(TObject* sender) {
  if (!FindCurrentInList()) return;
  std::exception_ptr failure;
  try {
    cdtInventory.Edit();
    cdtInventory.EditFields().Tile = !cdtInventory.Fields().Tile;
    cdtInventory.Post();
    mnuSetWallpaper1Click(sender);
  } catch (...) {
    failure = std::current_exception();
  }
  ScheduleInventorySave(sender);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace mvx

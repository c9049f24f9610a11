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
  if (desk_.Spans() && !desk_.Pictures().empty()) {
    // The primary monitor gets a new picture; the others keep theirs.
    std::string path;
    DisplayMode mode = DisplayMode::Tile;
    bool saveEach = true;
    GetNextSlideInfo(path, mode, saveEach);
    std::vector<std::string> pictures = desk_.Pictures();
    if (!path.empty()) pictures.front() = path;
    if (!path.empty()) SetMonitorPictures(pictures, saveEach);
  } else {
    ShowNextSlide();
  }
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
  // The composed picture stands for the primary monitor's; the working bitmap
  // counts as known but has no entry of its own.
  if (IsOwnPicture(path) && !desk_.Primary().empty()) path = desk_.Primary();
  if (path.empty() || IsOwnPicture(path) || !IsKnownPicture(path)) return std::nullopt;
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

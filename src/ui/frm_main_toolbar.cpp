#include "ui/frm_main.h"
#include "ui/toolbar_images.h"

namespace mvx {

namespace {

void Design(TToolButton& button, const char* caption, const char* hint, ToolbarImage image, bool visible = true) {
  button.SetCaption(caption);
  button.SetHint(hint);
  button.SetImageIndex(static_cast<int>(image));
  button.SetVisible(visible);
}

}  // namespace

// The toolbar between the preview and the grid: below the preview panel and
// the splitter's 3 pixels, buttons of 25 x 25 within a border of 3.
void TFrmMain::BuildToolbar() {
  tbrMainToolbar.AddSeparator();  // the row ends with one, as designed
  tbrMainToolbar.SetBounds(4, pnlPreviewImage.Top() + pnlPreviewImage.Height() + 3, 376, 31);
  Design(tbnFindInList, "Sync", "Find current wallpaper in list", ToolbarImage::Sync);
  Design(tbnSetWallpaper, "Set", "Set wallpaper to currently selected", ToolbarImage::Set);
  Design(tbnNone, "(none)", "Set wallpaper to (none)", ToolbarImage::None);
  Design(tbnAddFiles, "", "Add files to list", ToolbarImage::Add);
  Design(tbnMove, "Move", "Move or rename file on disk", ToolbarImage::Move);
  Design(tbnRemove, "Remove", "Remove picture from list", ToolbarImage::Remove);
  Design(tbnDelete, "Delete", "Delete file from disk", ToolbarImage::Delete);
  Design(tbnFirst, "First", "First in list", ToolbarImage::First);
  Design(tbnPrev, "Prev", "Previous in list", ToolbarImage::Prev);
  Design(tbnNext, "Next", "Next in list", ToolbarImage::Next);
  Design(tbnLast, "Last", "Last in list", ToolbarImage::Last);
  tbrMainToolbar.SetShowHint(toolbarHints);
}

void TFrmMain::ConnectToolbarHandlers() {
  auto on = [this](void (TFrmMain::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  tbnFindInList.OnClick = on(&TFrmMain::tbnFindInListClick);
  tbnSetWallpaper.OnClick = on(&TFrmMain::tbnSetWallpaperClick);
  tbnNone.OnClick = on(&TFrmMain::tbnNoneClick);
  tbnAddFiles.OnClick = on(&TFrmMain::mnuAdd1Click);
  tbnMove.OnClick = on(&TFrmMain::tbnMoveClick);
  tbnRemove.OnClick = on(&TFrmMain::tbnRemoveClick);
  tbnDelete.OnClick = on(&TFrmMain::tbnDeleteClick);
  tbnFirst.OnClick = on(&TFrmMain::tbnFirstClick);
  tbnPrev.OnClick = on(&TFrmMain::tbnPrevClick);
  tbnNext.OnClick = on(&TFrmMain::tbnNextClick);
  tbnLast.OnClick = on(&TFrmMain::tbnLastClick);
}

void TFrmMain::tbnFindInListClick(TObject*) {
  FindCurrentInList();
}

}  // namespace mvx

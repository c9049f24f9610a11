#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/picture_header.h"
#include "ui/frm_main.h"
#include "ui/preview_geometry.h"

namespace mvx {

namespace {

// The Preview page's content area: 4-pixel margins on a 384 x 377 page.
constexpr int kMargin = 4;
constexpr int kContentWidth = 376;
constexpr int kContentBottom = 373;
constexpr int kSplitterHeight = 3;
constexpr int kSplitterMinSize = 45;
constexpr int kToolbarHeight = 31;

// The picture's EXIF orientation from its file's first bytes (the system's
// decoder does not always report it); 1, as stored, when they tell none.
int OrientationOf(FilePort& files, const std::string& path) {
  std::string head;
  if (!files.ReadHead(path, kPictureHeadBytes, head)) return 1;
  const std::optional<PictureHeader> header = ParsePictureHeader(head);
  return header ? header->orientation : 1;
}

// The picture as the desktop shows it in this mode: on a small copy of the
// primary monitor inside the panel, on the desktop's colour.
void PlaceDesktop(TImage& image, const TControl& panel, DisplayMode mode, int orientation, SystemPort& system) {
  DesktopPreview preview =
      PreviewDesktop({image.PictureWidth(), image.PictureHeight()}, orientation, {panel.Width(), panel.Height()},
                     {system.ScreenWidth(), system.ScreenHeight()}, mode);
  const PixelRect& frame = preview.monitor;
  image.SetBounds(frame.left, frame.top, frame.Width(), frame.Height());
  preview.scene.color = system.DesktopColor();
  image.SetScene(std::move(preview.scene));
}

}  // namespace

void TFrmMain::BuildPreview() {
  pnlImageMessage.Color = 0x000000;
  pnlImageMessage.FontColor = 0x0000FF;
  pnlImageMessage.FontName = "Arial";
  pnlImageMessage.SetFontHeight(-15);
  pnlImageMessage.SetBold(true);
  Splitter1.Resized = &pnlPreviewImage;
  Splitter1.MinSize = kSplitterMinSize;
  LayoutPreviewPage();
}

void TFrmMain::ConnectPreviewHandlers() {
  pnlImageMessage.OnClick = [this](TObject* sender) { pnlImageMessageClick(sender); };
  imgDesktop.OnClick = [this](TObject* sender) { imgDesktopClick(sender); };
  Splitter1.OnMoved = [this](TObject* sender) { Splitter1Moved(sender); };
  // A new display mode for the entry shown (F4, the grid's or the tray's
  // menu) shows at once, without loading the picture again.
  for (TClientDataSet* data : {&cdtData, &cdtInventory}) {
    data->AfterPost = [this, before = data->AfterPost](TObject* sender) {
      if (before) before(sender);
      if (imgDesktop.Empty() || !cdtInventory.Active() || cdtInventory.IsEmpty()) return;
      const InventoryEntry& entry = cdtInventory.Fields();
      if (entry.Display == previewMode_ || entry.LCLocation + "\\" + entry.LCFilename != imgDesktop.PicturePath()) {
        return;
      }
      previewMode_ = entry.Display;
      PlaceDesktop(imgDesktop, pnlImageMessage, previewMode_, previewOrientation_, ports_.system);
    };
  }
}

// Top to bottom: the preview, the splitter, the toolbar and the grid, which
// takes the rest; a picture shown is drawn again in the preview's new size.
// The splitter keeps the preview and the grid at least its minimum size, so a
// stored height that no longer fits is brought in.
void TFrmMain::LayoutPreviewPage() {
  const int maxHeight = kContentBottom - kMargin - kSplitterHeight - kToolbarHeight - kSplitterMinSize;
  PreviewPanelHeight = std::clamp(PreviewPanelHeight, kSplitterMinSize, maxHeight);
  Splitter1.MaxSize = maxHeight;
  const int height = PreviewPanelHeight;
  pnlPreviewImage.SetBounds(kMargin, kMargin, kContentWidth, height);
  pnlImageMessage.SetBounds(0, 0, kContentWidth, height);
  if (!imgDesktop.Empty()) {
    PlaceDesktop(imgDesktop, pnlImageMessage, previewMode_, previewOrientation_, ports_.system);
  }
  Splitter1.SetBounds(kMargin, kMargin + height, kContentWidth, kSplitterHeight);
  const int toolbarTop = kMargin + height + kSplitterHeight;
  tbrMainToolbar.SetBounds(kMargin, toolbarTop, kContentWidth, kToolbarHeight);
  const int gridTop = toolbarTop + kToolbarHeight;
  pnlGrid.SetBounds(kMargin, gridTop, kContentWidth, kContentBottom - gridTop);
}

void TFrmMain::Splitter1Moved(TObject*) {
  PreviewPanelHeight = pnlPreviewImage.Height();
  LayoutPreviewPage();
}

void TFrmMain::LoadPreview(bool force) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) {
    ports_.pictures.CancelLoad();
    previewClickToLoad_ = false;
    imgDesktop.Clear();
    imgDesktop.SetVisible(false);
    pnlImageMessage.SetCaption("No Wallpaper Available");
    pnlImageMessage.SetBold(true);
    return;
  }
  const InventoryEntry& entry = cdtInventory.Fields();
  const std::string path = entry.LCLocation + "\\" + entry.LCFilename;
  // A picture of exactly the limit is still loaded.
  if (!force && chkLimitPreviewSize.Checked() &&
      static_cast<std::int64_t>(entry.Size) > static_cast<std::int64_t>(updPreviewSize.Position()) * 1000) {
    ShowPreviewPrompt();
    return;
  }
  previewClickToLoad_ = false;
  pnlImageMessage.SetCaption("Loading image file...");
  pnlImageMessage.SetBold(true);
  // The picture shown before is let go first: two decoded at once could be
  // more than memory holds. The window goes on answering while the new one
  // is decoded; moving on to another entry abandons this one.
  imgDesktop.Clear();
  imgDesktop.SetVisible(false);
  ports_.pictures.LoadLater(path, [this, path](PictureLoad loaded) { PreviewLoaded(path, std::move(loaded)); });
}

void TFrmMain::PreviewLoaded(const std::string& path, PictureLoad loaded) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  const InventoryEntry& entry = cdtInventory.Fields();
  if (entry.LCLocation + "\\" + entry.LCFilename != path) return;  // no longer the entry shown
  if (!loaded.picture) {
    PreviewFailed(path, loaded.fault);
    return;
  }
  imgDesktop.SetPicture(path, std::move(loaded.picture));
  previewMode_ = entry.Display;
  previewOrientation_ = OrientationOf(ports_.files, path);
  PlaceDesktop(imgDesktop, pnlImageMessage, previewMode_, previewOrientation_, ports_.system);
  pnlImageMessage.SetCaption("");
  imgDesktop.SetVisible(true);
}

// Only a file that is gone from a volume that is there takes its entry out
// of the inventory (the list is saved later). A drive or share that is away
// may come back; a file that another program holds, that is damaged or that
// is too large to show is still the user's picture.
void TFrmMain::PreviewFailed(const std::string& path, PictureLoadFault fault) {
  pnlImageMessage.SetBold(true);
  imgDesktop.SetVisible(false);
  if (fault == PictureLoadFault::NotOpened && !volumes_.Reachable(path)) {
    pnlImageMessage.SetCaption("Drive not available");
    return;
  }
  if (fault != PictureLoadFault::NotOpened || ports_.files.FileExists(path)) {
    pnlImageMessage.SetCaption("Unable to show this picture");
    return;
  }
  pnlImageMessage.SetCaption("File Not Found");
  // A hidden window (the wallpaper was set from the tray) stays hidden.
  if (Visible()) BringToForeground();
  cdtData.SetRecNo(cdtInventory.RecNo());
  cdtData.Delete();
  ScheduleInventorySave(&app_);
}

// Also used when the window hides, so that a hidden window holds no picture.
void TFrmMain::ShowPreviewPrompt() {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) {
    LoadPreview(false);
    return;
  }
  const InventoryEntry& entry = cdtInventory.Fields();
  ports_.pictures.CancelLoad();
  pnlImageMessage.SetBold(false);
  pnlImageMessage.SetCaption("Click Here to Preview " + entry.FileName + " (" + std::to_string(entry.Size / 1000) +
                             "K)");
  previewClickToLoad_ = true;
  imgDesktop.Clear();
  imgDesktop.SetVisible(false);
}

void TFrmMain::pnlImageMessageClick(TObject*) {
  if (!previewClickToLoad_) return;
  previewClickToLoad_ = false;
  LoadPreview(true);
}

// After a slide chosen from the keyboard the grid and the preview follow it.
void TFrmMain::ShowSlideshowPosition() {
  cdtInventory.SetRecNo(cdtSlideShow.RecNo());
  LoadPreview(false);
}

}  // namespace mvx

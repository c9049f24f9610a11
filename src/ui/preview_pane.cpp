#include <algorithm>
#include <cstdint>
#include <string>

#include "ui/busy_cursor.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// The Preview page's content area: 4-pixel margins on a 384 x 377 page.
constexpr int kMargin = 4;
constexpr int kContentWidth = 376;
constexpr int kContentBottom = 373;
constexpr int kSplitterHeight = 3;
constexpr int kSplitterMinSize = 45;
constexpr int kToolbarHeight = 31;

void Fill(TImage& image, const TControl& panel) {
  image.FillsParent = true;
  image.SetBounds(0, 0, panel.Width(), panel.Height());
}

// The largest size of the picture's proportions within the area, at least
// one pixel each way.
PictureSize FitInside(int width, int height, int areaWidth, int areaHeight) {
  const std::int64_t w = width, h = height;
  // Compare the two scales as areaWidth / w against areaHeight / h without division.
  if (areaWidth * h <= areaHeight * w) {
    return {std::max(1, areaWidth), std::max<int>(1, static_cast<int>(h * areaWidth / w))};
  }
  return {std::max<int>(1, static_cast<int>(w * areaHeight / h)), std::max(1, areaHeight)};
}

// At its own size, centred, when the picture fits the panel; else scaled
// down to the panel keeping its proportions (a photograph is not drawn out
// of shape), centred as well.
void PlacePicture(TImage& image, const TControl& panel) {
  int width = image.PictureWidth(), height = image.PictureHeight();
  if (panel.Width() < width || panel.Height() < height) {
    const PictureSize fitted = FitInside(width, height, panel.Width(), panel.Height());
    width = fitted.width;
    height = fitted.height;
  }
  image.SetBounds((panel.Width() - width) / 2, (panel.Height() - height) / 2, width, height);
}

}  // namespace

void TFrmMain::BuildPreview() {
  pnlImageMessage.Color = 0x000000;
  pnlImageMessage.FontColor = 0x0000FF;
  pnlImageMessage.FontName = "Arial";
  pnlImageMessage.SetFontHeight(-15);
  pnlImageMessage.SetBold(true);
  imgDesktop.SetStretch(true);
  imgDesktop.FillsParent = true;
  Splitter1.Resized = &pnlPreviewImage;
  Splitter1.MinSize = kSplitterMinSize;
  LayoutPreviewPage();
}

void TFrmMain::ConnectPreviewHandlers() {
  pnlImageMessage.OnClick = [this](TObject* sender) { pnlImageMessageClick(sender); };
  imgDesktop.OnClick = [this](TObject* sender) { imgDesktopClick(sender); };
  Splitter1.OnMoved = [this](TObject* sender) { Splitter1Moved(sender); };
}

// Top to bottom: the preview, the splitter, the toolbar and the grid, which
// takes the rest; a picture shown is placed again in the preview's new size.
// The splitter keeps the preview and the grid at least its minimum size, so a
// stored height that no longer fits is brought in.
void TFrmMain::LayoutPreviewPage() {
  const int maxHeight = kContentBottom - kMargin - kSplitterHeight - kToolbarHeight - kSplitterMinSize;
  PreviewPanelHeight = std::clamp(PreviewPanelHeight, kSplitterMinSize, maxHeight);
  Splitter1.MaxSize = maxHeight;
  const int height = PreviewPanelHeight;
  pnlPreviewImage.SetBounds(kMargin, kMargin, kContentWidth, height);
  pnlImageMessage.SetBounds(0, 0, kContentWidth, height);
  if (imgDesktop.FillsParent) {
    Fill(imgDesktop, pnlImageMessage);
  } else if (!imgDesktop.Empty()) {
    PlacePicture(imgDesktop, pnlImageMessage);
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
    previewClickToLoad_ = false;
    imgDesktop.SetVisible(false);
    pnlImageMessage.SetCaption("No Wallpaper Available");
    pnlImageMessage.SetBold(true);
    return;
  }
  const InventoryEntry& entry = cdtInventory.Fields();
  const std::string path = entry.LCLocation + "\\" + entry.LCFilename;
  BusyCursor busy(ports_.shell);
  // A picture of exactly the limit is still loaded.
  if (!force && chkLimitPreviewSize.Checked() &&
      static_cast<std::int64_t>(entry.Size) > static_cast<std::int64_t>(updPreviewSize.Position()) * 1000) {
    ShowPreviewPrompt();
    return;
  }
  previewClickToLoad_ = false;
  pnlImageMessage.SetCaption("Loading image file...");
  pnlImageMessage.SetBold(true);

  imgDesktop.Clear();
  Fill(imgDesktop, pnlImageMessage);
  imgDesktop.SetVisible(false);
  imgDesktop.FillsParent = false;
  if (!imgDesktop.LoadFromFile(ports_.pictures, path)) {
    PreviewFailed();
    return;
  }
  PlacePicture(imgDesktop, pnlImageMessage);
  pnlImageMessage.SetCaption("");
  imgDesktop.SetVisible(true);
}

// The entry's file is gone or holds no picture: the entry leaves the
// inventory (the file, if any, stays on disk) and the list is saved later.
void TFrmMain::PreviewFailed() {
  pnlImageMessage.SetCaption("File Not Found");
  pnlImageMessage.SetBold(true);
  imgDesktop.SetVisible(false);
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

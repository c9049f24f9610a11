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
// takes the rest. The splitter keeps the preview and the grid at least its
// minimum size, so a stored height that no longer fits is brought in.
void TFrmMain::LayoutPreviewPage() {
  const int maxHeight = kContentBottom - kMargin - kSplitterHeight - kToolbarHeight - kSplitterMinSize;
  PreviewPanelHeight = std::clamp(PreviewPanelHeight, kSplitterMinSize, maxHeight);
  Splitter1.MaxSize = maxHeight;
  const int height = PreviewPanelHeight;
  pnlPreviewImage.SetBounds(kMargin, kMargin, kContentWidth, height);
  pnlImageMessage.SetBounds(0, 0, kContentWidth, height);
  if (imgDesktop.FillsParent) Fill(imgDesktop, pnlImageMessage);
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
  const int areaWidth = imgDesktop.Width(), areaHeight = imgDesktop.Height();
  imgDesktop.SetVisible(false);
  imgDesktop.FillsParent = false;
  if (!imgDesktop.LoadFromFile(ports_.pictures, path)) {
    PreviewFailed();
    return;
  }
  const int width = imgDesktop.PictureWidth(), height = imgDesktop.PictureHeight();
  if (areaWidth < width || areaHeight < height) {
    // Scaled to the area in each direction on its own: proportions are not kept.
    Fill(imgDesktop, pnlImageMessage);
  } else {
    imgDesktop.SetBounds((pnlImageMessage.Width() - width) / 2, (pnlImageMessage.Height() - height) / 2, width, height);
    pnlImageMessage.SetCaption("");
  }
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

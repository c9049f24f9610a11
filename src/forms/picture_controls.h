#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/dpi_scaling.h"
#include "platform/picture_port.h"

namespace mvx {

// How a picture is turned before it is drawn: first its rows become its
// columns (transposed), then it is read from its stored right edge
// (mirrorColumns) and from its stored bottom (mirrorRows).
struct PictureTurn {
  bool transposed = false;
  bool mirrorColumns = false;
  bool mirrorRows = false;
  friend bool operator==(const PictureTurn&, const PictureTurn&) = default;
};

// What a picture control shows. Its area stands for extent units each way
// and is filled with color; the picture, turned, is drawn into each of
// places (in extent units, cut at the area's edges), as a block of across x
// down copies of itself when it repeats.
struct PictureScene {
  int extentWidth = 1;
  int extentHeight = 1;
  std::uint32_t color = 0x000000;  // 0x00BBGGRR
  PictureTurn turn;
  std::vector<PixelRect> places;
  int across = 1;
  int down = 1;
  friend bool operator==(const PictureScene&, const PictureScene&) = default;
};

// Shows one picture file. The control holds the path and the decoded picture
// it loaded, and lets go of the picture when cleared; the view draws it as
// the control's scene says.
class TImage : public TControl {
 public:
  TImage(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Image, std::move(name)) {}

  // Shows a picture the platform decoded from the file at path.
  void SetPicture(const std::string& path, std::shared_ptr<const LoadedPicture> picture);
  void Clear();
  bool Empty() const { return path_.empty(); }
  const std::string& PicturePath() const { return path_; }
  int PictureWidth() const { return picture_ ? picture_->Size().width : 0; }
  int PictureHeight() const { return picture_ ? picture_->Size().height : 0; }
  const std::shared_ptr<const LoadedPicture>& Picture() const { return picture_; }

  const PictureScene& Scene() const { return scene_; }
  void SetScene(PictureScene scene);

 private:
  std::string path_;
  std::shared_ptr<const LoadedPicture> picture_;
  PictureScene scene_;
};

// A coloured panel that shows one line of text, centred.
class TMessagePanel : public TControl {
 public:
  TMessagePanel(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::MessagePanel, std::move(name)) {}
  // Colours as 0x00BBGGRR.
  std::uint32_t Color = 0x000000;
  std::uint32_t FontColor = 0x000000;
  std::string FontName;
};

// A bar the user drags to resize the control above it, keeping that control
// and the space below between MinSize and MaxSize pixels.
class TSplitter : public TControl {
 public:
  TSplitter(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Splitter, std::move(name)) {}
  TControl* Resized = nullptr;
  int MinSize = 30;
  int MaxSize = 30;
  // The user dragged the bar by delta pixels (down is positive). OnMoved
  // runs once the resized control has its new height.
  void DragBy(int delta);
  TNotifyEvent OnMoved;
};

}  // namespace mvx

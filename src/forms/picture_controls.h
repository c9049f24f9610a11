#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "forms/control.h"
#include "platform/picture_port.h"

namespace mvx {

// Shows one picture file. The control holds the path and the decoded picture
// it loaded, and lets go of the picture when cleared; the view draws it,
// scaled to the control's bounds when stretching, else at its natural size.
class TImage : public TControl {
 public:
  TImage(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Image, std::move(name)) {}

  // Loads the picture through the platform's loader; false (and no picture)
  // when the file is missing or is no readable picture.
  bool LoadFromFile(PicturePort& loader, const std::string& path);
  void Clear();
  bool Empty() const { return path_.empty(); }
  const std::string& PicturePath() const { return path_; }
  int PictureWidth() const { return picture_ ? picture_->Size().width : 0; }
  int PictureHeight() const { return picture_ ? picture_->Size().height : 0; }
  const std::shared_ptr<const LoadedPicture>& Picture() const { return picture_; }

  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  // The control follows its parent's size (the layout fills the parent with it).
  bool FillsParent = false;

 private:
  std::string path_;
  std::shared_ptr<const LoadedPicture> picture_;
  bool stretch_ = false;
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

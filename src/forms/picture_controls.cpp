#include "forms/picture_controls.h"

#include <algorithm>
#include <utility>

namespace mvx {

void TImage::SetPicture(const std::string& path, std::shared_ptr<const LoadedPicture> picture) {
  path_ = path;
  picture_ = std::move(picture);
  Changed(ControlProp::Picture);
}

void TImage::Clear() {
  if (path_.empty()) return;
  path_.clear();
  picture_.reset();
  Changed(ControlProp::Picture);
}

void TImage::SetScene(PictureScene scene) {
  if (scene == scene_) return;
  scene_ = std::move(scene);
  Changed(ControlProp::Picture);
}

void TSplitter::DragBy(int delta) {
  if (Resized == nullptr) return;
  const int height = std::clamp(Resized->Height() + delta, MinSize, std::max(MinSize, MaxSize));
  if (height == Resized->Height()) return;
  Resized->SetBounds(Resized->Left(), Resized->Top(), Resized->Width(), height);
  if (OnMoved) OnMoved(this);
}

}  // namespace mvx

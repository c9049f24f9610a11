#include "forms/picture_controls.h"

#include <algorithm>
#include <utility>

namespace mvx {

bool TImage::LoadFromFile(PicturePort& loader, const std::string& path) {
  // The picture shown before is let go first: two decoded at once could
  // be more than memory holds.
  Clear();
  std::shared_ptr<const LoadedPicture> picture = loader.Load(path);
  if (!picture) return false;
  path_ = path;
  picture_ = std::move(picture);
  Changed(ControlProp::Picture);
  return true;
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

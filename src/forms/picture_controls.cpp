#include "forms/picture_controls.h"

#include <algorithm>

namespace mvx {

bool TImage::LoadFromFile(PicturePort& loader, const std::string& path) {
  const auto size = loader.Measure(path);
  if (!size) {
    Clear();
    return false;
  }
  path_ = path;
  size_ = *size;
  Changed(ControlProp::Picture);
  return true;
}

void TImage::Clear() {
  if (path_.empty()) return;
  path_.clear();
  size_ = PictureSize{};
  Changed(ControlProp::Picture);
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
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

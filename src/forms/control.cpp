#include "forms/control.h"

#include "forms/form.h"

namespace mvx {

TControl::TControl(TForm& form, TControl* parent, ControlKind kind, std::string name)
    : form_(form), parent_(parent), kind_(kind), name_(std::move(name)) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
  form_.Register(this);
}

bool TControl::IsInside(const TControl* ancestor) const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (c == ancestor) return true;
  }
  return false;
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(ControlProp::Caption);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(ControlProp::Enabled);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(ControlProp::Visible);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(ControlProp::Bounds);
}

void TControl::SetFontHeight(int height) {
  if (height == fontHeight_) return;
  fontHeight_ = height;
  Changed(ControlProp::Font);
}

void TControl::SetBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  Changed(ControlProp::Font);
}

void TControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Changed(ControlProp::Hint);
}

void TControl::SetShowHint(bool show) {
  if (show == showHint_) return;
  showHint_ = show;
  Changed(ControlProp::Hint);
}

bool TControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_ || !c->visible_) return false;
  }
  return true;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Changed(ControlProp prop) {
  form_.NotifyControl(*this, prop);
}

}  // namespace mvx

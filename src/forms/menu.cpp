#include "forms/menu.h"

namespace mvx {

TMenuItem::TMenuItem(std::string name, std::string caption) : name_(std::move(name)), caption_(std::move(caption)) {}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  Changed();
}

TMenuItem& TMenuItem::Add(std::string name, std::string caption) {
  items_.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption)));
  items_.back()->parent_ = this;
  items_.back()->observer_ = observer_;
  return *items_.back();
}

TMenuItem& TMenuItem::AddSeparator() {
  return Add({}, "-");
}

TMenuItem* TMenuItem::Find(const std::string& name) {
  for (auto& item : items_) {
    if (item->name_ == name) return item.get();
    if (TMenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::Changed() {
  for (TMenuItem* m = this; m != nullptr; m = m->parent_) {
    if (m->observer_ != nullptr) {
      m->observer_->MenuItemChanged(*this);
      return;
    }
  }
}

}  // namespace mvx

#include "forms/toolbar.h"

namespace mvx {

TToolButton::TToolButton(TToolBar& bar, std::string name, bool separator)
    : bar_(bar), name_(std::move(name)), separator_(separator) {}

void TToolButton::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Changed();
}

void TToolButton::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

void TToolButton::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TToolButton::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TToolButton::Click() {
  if (separator_ || !enabled_ || !visible_) return;
  if (OnClick) OnClick(this);
}

void TToolButton::Changed() {
  bar_.ButtonsChanged();
}

TToolBar::TToolBar(TForm& form, TControl* parent, std::string name)
    : TControl(form, parent, ControlKind::ToolBar, std::move(name)) {}

TToolButton& TToolBar::AddButton(std::string name) {
  return Add(std::move(name), false);
}

TToolButton& TToolBar::AddSeparator() {
  return Add({}, true);
}

TToolButton& TToolBar::Add(std::string name, bool separator) {
  buttons_.push_back(std::make_unique<TToolButton>(*this, std::move(name), separator));
  ButtonsChanged();
  return *buttons_.back();
}

TToolButton* TToolBar::Find(const std::string& name) const {
  for (const auto& button : buttons_) {
    if (!button->IsSeparator() && button->Name() == name) return button.get();
  }
  return nullptr;
}

// Of the separators between two shown buttons, the first one shows.
bool TToolBar::Shows(const TToolButton& button) const {
  if (!button.Visible()) return false;
  if (!button.IsSeparator()) return true;
  bool buttonBefore = false;
  const TToolButton* pending = nullptr;
  for (const auto& b : buttons_) {
    if (!b->Visible()) continue;
    if (!b->IsSeparator()) {
      if (pending == &button) return true;
      pending = nullptr;
      buttonBefore = true;
    } else if (buttonBefore && pending == nullptr) {
      pending = b.get();
    }
  }
  return false;
}

void TToolBar::SetShowHint(bool show) {
  if (show == showHint_) return;
  showHint_ = show;
  ButtonsChanged();
}

std::string TToolBar::TooltipText(const TToolButton& button) const {
  return showHint_ ? button.Hint() : std::string();
}

}  // namespace mvx

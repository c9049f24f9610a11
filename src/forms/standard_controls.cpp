#include "forms/standard_controls.h"

#include <algorithm>
#include <charconv>

#include "forms/form.h"

namespace mvx {

void TButton::Click() {
  if (Modal != ModalResult::None) Form().Result = Modal;
  if (OnClick) OnClick(this);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed(ControlProp::Checked);
  if (OnClick) OnClick(this);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && Parent() != nullptr) {
    for (TControl* sibling : Parent()->Children()) {
      if (sibling != this && sibling->Kind() == ControlKind::RadioButton) {
        auto* radio = static_cast<TRadioButton*>(sibling);
        if (radio->checked_) {
          radio->checked_ = false;
          radio->Changed(ControlProp::Checked);
        }
      }
    }
  }
  Changed(ControlProp::Checked);
  if (checked && OnClick) OnClick(this);
}

void TEdit::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed(ControlProp::Text);
  if (OnChange) OnChange(this);
}

void THotKey::SetCombo(const KeyCombo& combo) {
  if (combo == combo_) return;
  combo_ = combo;
  Changed(ControlProp::Text);
  if (OnChange) OnChange(this);
}

void TUpDown::Setup(TEdit* associate, int min, int max, int increment, int position) {
  associate_ = associate;
  min_ = min;
  max_ = max;
  increment_ = increment;
  position_ = std::clamp(position, min_, max_);
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
}

int TUpDown::Position() const {
  if (associate_ == nullptr) return position_;
  const std::string& text = associate_->Text();
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first < last && *first == ' ') ++first;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return position_;
  return std::clamp(value, min_, max_);
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  Changed(ControlProp::Position);
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
}

void TUpDown::ArrowClick(bool up) {
  int step = up ? increment_ : -increment_;
  SetPosition(Position() + step);
  if (OnClick) OnClick(this);
}

void TProgressBar::SetPosition(int position) {
  position = std::clamp(position, Min, Max);
  if (position == position_) return;
  position_ = position;
  Changed(ControlProp::Position);
}

void TListBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  Changed(ControlProp::Items);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == active_) return;
  active_ = page;
  for (TTabSheet* p : pages_) p->SetVisible(p == active_);
  Changed(ControlProp::ActivePage);
  if (OnChange) OnChange(this);
}

}  // namespace mvx

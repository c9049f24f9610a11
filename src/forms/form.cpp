#include "forms/form.h"

#include <algorithm>

namespace mvx {

TForm::TForm(std::string name) : name_(std::move(name)) {}

TForm::~TForm() = default;

void TForm::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  NotifyForm();
}

void TForm::Show() {
  if (visible_) return;
  visible_ = true;
  NotifyForm();
  if (OnShow) OnShow(this);
}

void TForm::Hide() {
  if (!visible_) return;
  visible_ = false;
  NotifyForm();
  if (OnHide) OnHide(this);
}

void TForm::SetState(WindowState state) {
  if (state == state_) return;
  state_ = state;
  NotifyForm();
}

void TForm::SetLeft(int left) {
  if (left == left_) return;
  left_ = left;
  NotifyForm();
}

void TForm::SetTop(int top) {
  if (top == top_) return;
  top_ = top;
  NotifyForm();
}

void TForm::SetPosition(int left, int top) {
  if (left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  NotifyForm();
}

void TForm::SetClientSize(int width, int height) {
  int frameW = width_ - clientWidth_;
  int frameH = height_ - clientHeight_;
  clientWidth_ = width;
  clientHeight_ = height;
  width_ = width + frameW;
  height_ = height + frameH;
  NotifyForm();
}

void TForm::SetFrameSize(int width, int height) {
  width_ = width;
  height_ = height;
}

void TForm::SetActiveControl(TControl* control) {
  if (control == active_) return;
  TControl* old = active_;
  active_ = control;
  for (FormObserver* o : observers_) o->FocusChanged(*this, control);
  // Leave the old control and every container that does not hold the new one.
  for (TControl* c = old; c != nullptr; c = c->Parent()) {
    if (control != nullptr && control->IsInside(c)) break;
    if (c->OnExit) c->OnExit(c);
  }
  std::vector<TControl*> entered;
  for (TControl* c = control; c != nullptr; c = c->Parent()) {
    if (old != nullptr && old->IsInside(c)) break;
    entered.push_back(c);
  }
  for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
    if ((*it)->OnEnter) (*it)->OnEnter(*it);
  }
}

void TForm::BringToForeground() {
  for (FormObserver* o : observers_) o->BringToForeground(*this);
}

TControl* TForm::FindControl(const std::string& name) const {
  for (TControl* c : controls_) {
    if (c->Name() == name) return c;
  }
  return nullptr;
}

void TForm::AddObserver(FormObserver* observer) {
  observers_.push_back(observer);
}

void TForm::RemoveObserver(FormObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void TForm::Register(TControl* control) {
  controls_.push_back(control);
}

void TForm::NotifyControl(TControl& control, ControlProp prop) {
  for (FormObserver* o : observers_) o->ControlChanged(control, prop);
}

void TForm::NotifyForm() {
  for (FormObserver* o : observers_) o->FormChanged(*this);
}

}  // namespace mvx

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/control.h"
#include "forms/standard_controls.h"

namespace mvx {

enum class WindowState { Normal, Minimized };

class TForm;

// Mirrors a form in a real window. The model calls it after a change made by
// the program; the view must not echo such a change back into the model.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void ControlChanged(TControl& control, ControlProp prop) = 0;
  virtual void FormChanged(TForm& form) = 0;
  virtual void FocusChanged(TForm& form, TControl* focused) = 0;
  virtual void BringToForeground(TForm& form) = 0;
};

// A window of the program: its controls by name, caption, visibility,
// position, focus and modal result. Windows derive from it and own their
// controls as members.
class TForm : public TObject {
 public:
  explicit TForm(std::string name);
  ~TForm() override;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  bool Visible() const { return visible_; }
  void Show();
  void Hide();
  WindowState State() const { return state_; }
  void SetState(WindowState state);

  int Left() const { return left_; }
  int Top() const { return top_; }
  void SetLeft(int left);
  void SetTop(int top);
  // Both at once: the window moves once.
  void SetPosition(int left, int top);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  // Outer size for a client size; the view supplies the frame's size.
  void SetFrameSize(int width, int height);

  int FontHeight() const { return fontHeight_; }
  void SetFontHeight(int height) { fontHeight_ = height; }
  int HelpContext = 0;
  // Shown modally as a small-captioned tool window; otherwise as an ordinary
  // dialog with its system menu.
  bool ToolWindow = true;
  // The real window's handle, given by the view; 0 while no window exists.
  std::uintptr_t Handle = 0;

  // The control with the focus; a move runs OnExit of the controls left
  // (innermost first) and OnEnter of those entered (outermost first).
  TControl* ActiveControl() const { return active_; }
  void SetActiveControl(TControl* control);

  ModalResult Result = ModalResult::None;

  // Asks the view to bring the window to the front (SetForegroundWindow).
  void BringToForeground();

  // Controls in creation order; direct children of the form have no parent.
  const std::vector<TControl*>& Controls() const { return controls_; }
  TControl* FindControl(const std::string& name) const;

  void AddObserver(FormObserver* observer);
  void RemoveObserver(FormObserver* observer);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  // A double click on the window's background.
  TNotifyEvent OnDblClick;
  // The window lost the activation to another window (WM_ACTIVATE, WA_INACTIVE).
  TNotifyEvent OnDeactivate;
  void Deactivated() {
    if (OnDeactivate) OnDeactivate(this);
  }

  // Used by TControl.
  void Register(TControl* control);
  void NotifyControl(TControl& control, ControlProp prop);

  // Builds a control owned by the form.
  template <class T, class... Args>
  T& Make(TControl* parent, std::string name, Args&&... args) {
    auto owned = std::make_unique<T>(*this, parent, std::move(name), std::forward<Args>(args)...);
    T& ref = *owned;
    owned_.push_back(std::move(owned));
    return ref;
  }

 private:
  void NotifyForm();

  std::string name_;
  std::string caption_;
  bool visible_ = false;
  WindowState state_ = WindowState::Normal;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0, clientWidth_ = 0, clientHeight_ = 0;
  int fontHeight_ = -11;
  TControl* active_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<std::unique_ptr<TControl>> owned_;
  std::vector<FormObserver*> observers_;
};

}  // namespace mvx

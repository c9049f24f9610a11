#pragma once
#include <functional>
#include <string>
#include <vector>

namespace mvx {

class TForm;
class TControl;

// Base of everything that can be a sender of an event.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// How a modal window ended.
enum class ModalResult { None, Ok, Cancel, Yes, No };

enum class ControlKind {
  Panel,
  GroupBox,
  PageControl,
  TabSheet,
  Label,
  Button,
  CheckBox,
  RadioButton,
  Edit,
  UpDown,
  ProgressBar,
  ListBox,
  ToolBar,
  Image,
  MessagePanel,
  Splitter,
  DataGrid,
  HotKey
};

// What changed on a control, for the view that mirrors it.
enum class ControlProp {
  Caption,
  Enabled,
  Visible,
  Checked,
  Text,
  Position,
  Bounds,
  Font,
  Items,
  ActivePage,
  Selection,
  Picture,
  Hint
};

// A visible control of a form: its place, caption and state, its parent
// container, and the events every control has.
class TControl : public TObject {
 public:
  TControl(TForm& form, TControl* parent, ControlKind kind, std::string name);

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  TForm& Form() const { return form_; }
  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Children() const { return children_; }
  bool IsInside(const TControl* ancestor) const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  // Font height in the platform's convention (negative: pixels of the glyphs).
  int FontHeight() const { return fontHeight_; }
  void SetFontHeight(int height);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);

  // The tooltip's text, shown while the mouse rests on the control and
  // ShowHint is on; an empty hint shows nothing.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  // What the tooltip says now: nothing while the hint is off.
  std::string TooltipText() const { return showHint_ ? hint_ : std::string(); }

  // Whether the user can give this control the focus.
  bool CanFocus() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Runs OnClick as a click of the user does.
  virtual void Click();

 protected:
  void Changed(ControlProp prop);

 private:
  TForm& form_;
  TControl* parent_;
  ControlKind kind_;
  std::string name_;
  std::vector<TControl*> children_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int fontHeight_ = -11;
  bool bold_ = false;
  std::string hint_;
  bool showHint_ = true;
};

// Gives a control its caption and its place in one step, as a form is laid out.
template <class T>
T& Placed(T& control, const std::string& caption, int left, int top, int width, int height) {
  control.SetCaption(caption);
  control.SetBounds(left, top, width, height);
  return control;
}

}  // namespace mvx

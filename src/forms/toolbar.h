#pragma once
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"

namespace mvx {

class TToolBar;

// A button of a toolbar, or a separator between groups of buttons. The
// button shows only its picture; its caption is kept for the program's own
// use and its hint is the tooltip's text.
class TToolButton : public TObject {
 public:
  TToolButton(TToolBar& bar, std::string name, bool separator);

  const std::string& Name() const { return name_; }
  bool IsSeparator() const { return separator_; }
  TToolBar& Bar() const { return bar_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // Index into the toolbar's image strip; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  TNotifyEvent OnClick;
  // A press of the button: runs OnClick, but only while the user could
  // press it (shown and enabled), so a stray command of a hidden or
  // disabled button does nothing.
  void Click();

 private:
  void Changed();

  TToolBar& bar_;
  std::string name_;
  bool separator_;
  std::string caption_;
  std::string hint_;
  int imageIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
};

// A row of tool buttons. Separators need no care from the program: one
// shows only where it parts two groups that both have a button shown, so
// hiding buttons never leaves doubled or dangling separators.
class TToolBar : public TControl {
 public:
  TToolBar(TForm& form, TControl* parent, std::string name);

  TToolButton& AddButton(std::string name);
  TToolButton& AddSeparator();
  const std::vector<std::unique_ptr<TToolButton>>& Buttons() const { return buttons_; }
  TToolButton* Find(const std::string& name) const;

  // Whether the button or separator is on the bar as the user sees it.
  bool Shows(const TToolButton& button) const;

  // Tooltips on or off for every button.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  // What the tooltip of a button says now: nothing while hints are off.
  std::string TooltipText(const TToolButton& button) const;

  // Used by TToolButton: the buttons' state changed.
  void ButtonsChanged() { Changed(ControlProp::Items); }

 private:
  TToolButton& Add(std::string name, bool separator);

  std::vector<std::unique_ptr<TToolButton>> buttons_;
  bool showHint_ = true;
};

}  // namespace mvx

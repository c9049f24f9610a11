#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/keys.h"

namespace mvx {

class TPanel : public TControl {
 public:
  TPanel(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Panel, std::move(name)) {}
};

class TGroupBox : public TControl {
 public:
  TGroupBox(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::GroupBox, std::move(name)) {}
};

class TLabel : public TControl {
 public:
  TLabel(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Label, std::move(name)) {}
  // The text stands against the right edge, as a caption before its field.
  bool RightAligned = false;
  // A web link: blue, underlined "Courier New", the hand cursor over it.
  bool Link = false;
  // An etched horizontal line instead of text.
  bool Rule = false;
  // The font's face; empty for the form's own.
  std::string FontName;
};

class TButton : public TControl {
 public:
  TButton(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::Button, std::move(name)) {}
  bool IsDefault = false;
  bool IsCancel = false;
  // A click ends the modal window with this result (None: it does not).
  ModalResult Modal = ModalResult::None;
  void Click() override;
};

// A check box; a change of Checked, from the user or from code, runs OnClick.
class TCheckBox : public TControl {
 public:
  TCheckBox(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::CheckBox, std::move(name)) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A user's click turns the box over.
  void Click() override { SetChecked(!checked_); }

 private:
  bool checked_ = false;
};

// A radio button; checking one unchecks its siblings of the same parent.
// OnClick runs for the button that became checked.
class TRadioButton : public TControl {
 public:
  TRadioButton(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::RadioButton, std::move(name)) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Click() override { SetChecked(true); }

 private:
  bool checked_ = false;
};

// A one-line edit; a change of its text, from the user or from code, runs OnChange.
class TEdit : public TControl {
 public:
  TEdit(TForm& form, TControl* parent, std::string name) : TControl(form, parent, ControlKind::Edit, std::move(name)) {}
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  // Selects the whole text, as a dialog does for a field to be typed over.
  void SelectAll() { Changed(ControlProp::Selection); }
  TNotifyEvent OnChange;
  // A field that reads like a label: no border, the form's colour, skipped by Tab.
  bool Borderless = false;
  // Shows its text for reading and copying; the user cannot change it.
  bool ReadOnly = false;

 private:
  std::string text_;
};

// An up-down tied to its edit: the edit shows the position, and the position
// is read back from the edit's text as the system's control does.
class TUpDown : public TControl {
 public:
  TUpDown(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::UpDown, std::move(name)) {}
  void Setup(TEdit* associate, int min, int max, int increment, int position);
  TEdit* Associate() const { return associate_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Increment() const { return increment_; }
  // The position as the edit's text gives it (clamped to the range), or the
  // last set position when the text is no number.
  int Position() const;
  // Clamps to the range and shows the value in the edit (whose OnChange runs).
  void SetPosition(int position);
  // An arrow of the control was pressed: step up or down, then OnClick.
  void ArrowClick(bool up);

 private:
  TEdit* associate_ = nullptr;
  int min_ = 0, max_ = 100, increment_ = 1;
  int position_ = 0;
};

// A field that takes a key combination as the user presses it; a change,
// from the user or from code, runs OnChange.
class THotKey : public TControl {
 public:
  THotKey(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::HotKey, std::move(name)) {}
  const KeyCombo& Combo() const { return combo_; }
  void SetCombo(const KeyCombo& combo);
  TNotifyEvent OnChange;

 private:
  KeyCombo combo_;
};

class TProgressBar : public TControl {
 public:
  TProgressBar(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::ProgressBar, std::move(name)) {}
  int Min = 0;
  int Max = 100;
  int Position() const { return position_; }
  void SetPosition(int position);

 private:
  int position_ = 0;
};

class TListBox : public TControl {
 public:
  TListBox(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::ListBox, std::move(name)) {}
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);

 private:
  std::vector<std::string> items_;
};

class TTabSheet : public TControl {
 public:
  TTabSheet(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::TabSheet, std::move(name)) {}
  int HelpContext = 0;
};

// Pages with tabs; exactly one page is shown.
class TPageControl : public TControl {
 public:
  TPageControl(TForm& form, TControl* parent, std::string name)
      : TControl(form, parent, ControlKind::PageControl, std::move(name)) {}
  void AddPage(TTabSheet* page) { pages_.push_back(page); }
  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  TNotifyEvent OnChange;

 private:
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

}  // namespace mvx

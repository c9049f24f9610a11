#pragma once
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"

namespace mvx {

class TMenuItem;

// Tells a view that a menu item changed.
class MenuObserver {
 public:
  virtual ~MenuObserver() = default;
  virtual void MenuItemChanged(TMenuItem& item) = 0;
};

// A menu item or a menu: caption, marks, its click and its sub-items.
class TMenuItem : public TObject {
 public:
  explicit TMenuItem(std::string name, std::string caption = {});

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool IsSeparator() const { return caption_ == "-"; }
  // A hidden item is left out of the menu when it is shown.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Checked as one of a set of choices (a dot rather than a tick).
  bool RadioItem() const { return radio_; }
  void SetRadioItem(bool radio) { radio_ = radio; }

  TMenuItem& Add(std::string name, std::string caption);
  TMenuItem& AddSeparator();
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }
  TMenuItem* Find(const std::string& name);
  TMenuItem* ParentItem() const { return parent_; }

  TNotifyEvent OnClick;
  void Click();

  void SetObserver(MenuObserver* observer) { observer_ = observer; }

 private:
  void Changed();

  std::string name_;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool default_ = false;
  bool visible_ = true;
  bool radio_ = false;
  TMenuItem* parent_ = nullptr;
  MenuObserver* observer_ = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

}  // namespace mvx

#pragma once
#include <functional>
#include <optional>

#include "forms/menu.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// A "Display &Mode" submenu: the five modes as radio items, the one given to
// Show checked. A click hands its mode to OnChoose.
class DisplayModeMenu {
 public:
  // Adds the submenu to parent, at its end.
  DisplayModeMenu(TMenuItem& parent, const std::string& name);

  // Checks mode's item; none when there is no picture to show a mode of.
  void Show(std::optional<DisplayMode> mode);
  TMenuItem& Item() { return item_; }

  std::function<void(DisplayMode)> OnChoose;

 private:
  TMenuItem& item_;
};

}  // namespace mvx

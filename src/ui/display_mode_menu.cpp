#include "ui/display_mode_menu.h"

#include <string>

namespace mvx {

namespace {

const char* Caption(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Tile:
      return "&Tile";
    case DisplayMode::Centre:
      return "&Centre";
    case DisplayMode::Fill:
      return "&Fill";
    case DisplayMode::Fit:
      return "F&it";
    case DisplayMode::Stretch:
      return "&Stretch";
  }
  return "&Tile";
}

}  // namespace

DisplayModeMenu::DisplayModeMenu(TMenuItem& parent, const std::string& name)
    : item_(parent.Add(name, "Display &Mode")) {
  for (DisplayMode mode : kDisplayModes) {
    TMenuItem& item = item_.Add(name + std::string(DisplayModeName(mode)), Caption(mode));
    item.SetRadioItem(true);
    item.OnClick = [this, mode](TObject*) {
      if (OnChoose) OnChoose(mode);
    };
  }
}

void DisplayModeMenu::Show(std::optional<DisplayMode> mode) {
  for (std::size_t i = 0; i < kDisplayModes.size(); ++i) {
    item_.Items()[i]->SetChecked(mode == kDisplayModes[i]);
  }
}

}  // namespace mvx

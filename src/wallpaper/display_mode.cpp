#include "wallpaper/display_mode.h"

namespace mvx {

bool IsDisplayModeValue(std::uint8_t value) {
  return value <= static_cast<std::uint8_t>(DisplayMode::Stretch);
}

DisplayMode NextDisplayMode(DisplayMode mode) {
  for (std::size_t i = 0; i < kDisplayModes.size(); ++i) {
    if (kDisplayModes[i] == mode) return kDisplayModes[(i + 1) % kDisplayModes.size()];
  }
  return DisplayMode::Tile;
}

std::string_view DisplayModeName(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Tile:
      return "Tile";
    case DisplayMode::Centre:
      return "Centre";
    case DisplayMode::Fill:
      return "Fill";
    case DisplayMode::Fit:
      return "Fit";
    case DisplayMode::Stretch:
      return "Stretch";
  }
  return "Tile";
}

std::optional<DisplayMode> DisplayModeFromName(std::string_view name) {
  for (DisplayMode mode : kDisplayModes) {
    if (DisplayModeName(mode) == name) return mode;
  }
  return std::nullopt;
}

char DisplayModeLetter(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Tile:
      return 'T';
    case DisplayMode::Centre:
      return 'C';
    case DisplayMode::Fill:
      return 'F';
    case DisplayMode::Fit:
      return 'P';
    case DisplayMode::Stretch:
      return 'S';
  }
  return 'C';
}

DisplayMode DisplayModeFromLetter(std::string_view letter) {
  if (letter.size() != 1) return DisplayMode::Centre;
  switch (letter[0]) {
    case 'T':
    case 't':
      return DisplayMode::Tile;
    case 'F':
    case 'f':
      return DisplayMode::Fill;
    case 'P':
    case 'p':
      return DisplayMode::Fit;
    case 'S':
    case 's':
      return DisplayMode::Stretch;
    default:
      return DisplayMode::Centre;
  }
}

DesktopStyle DesktopStyleOf(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Tile:
      return {"0", "1"};
    case DisplayMode::Centre:
      return {"0", "0"};
    case DisplayMode::Fill:
      return {"10", "0"};
    case DisplayMode::Fit:
      return {"6", "0"};
    case DisplayMode::Stretch:
      return {"2", "0"};
  }
  return {"0", "1"};
}

DisplayMode DisplayModeFromDesktop(const std::optional<std::string>& wallpaperStyle,
                                   const std::optional<std::string>& tileWallpaper) {
  if (wallpaperStyle) {
    if (*wallpaperStyle == "2") return DisplayMode::Stretch;
    if (*wallpaperStyle == "6") return DisplayMode::Fit;
    if (*wallpaperStyle == "10" || *wallpaperStyle == "22") return DisplayMode::Fill;
  }
  return tileWallpaper && *tileWallpaper == "0" ? DisplayMode::Centre : DisplayMode::Tile;
}

}  // namespace mvx

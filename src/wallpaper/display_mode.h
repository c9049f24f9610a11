#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mvx {

// How a picture is shown on the desktop. The numbers are the ones stored with
// each entry: Centre and Tile keep the 0 and 1 of the older tile flag.
enum class DisplayMode : std::uint8_t { Centre = 0, Tile = 1, Fill = 2, Fit = 3, Stretch = 4 };

// The modes in the order the user meets them (menus, dialog, F4's cycle).
inline constexpr std::array<DisplayMode, 5> kDisplayModes{DisplayMode::Tile, DisplayMode::Centre, DisplayMode::Fill,
                                                          DisplayMode::Fit, DisplayMode::Stretch};

// A stored byte names a mode when it is one of the five.
bool IsDisplayModeValue(std::uint8_t value);
// The mode after this one in kDisplayModes, Stretch going back to Tile.
DisplayMode NextDisplayMode(DisplayMode mode);
// "Tile", "Centre", "Fill", "Fit", "Stretch".
std::string_view DisplayModeName(DisplayMode mode);
// The mode of one of those names, exactly; nothing for any other text.
std::optional<DisplayMode> DisplayModeFromName(std::string_view name);
// The letter a picture list holds: "T", "C", "F", "P" (fit), "S".
char DisplayModeLetter(DisplayMode mode);
// A list's letter, either case; any other letter reads as centred, as it
// did before the list knew more than two modes.
DisplayMode DisplayModeFromLetter(std::string_view letter);

// The desktop's two values for a mode: "WallpaperStyle" and "TileWallpaper".
struct DesktopStyle {
  std::string_view wallpaperStyle;
  std::string_view tileWallpaper;
  bool operator==(const DesktopStyle&) const = default;
};
DesktopStyle DesktopStyleOf(DisplayMode mode);
// The style that spans one picture over every monitor; the program writes it
// only for a desktop picture it composed itself.
inline constexpr DesktopStyle kSpanStyle{"22", "0"};

// The mode a desktop shows its picture in, from the two values as read (a
// value missing or not text is nullopt): the style's stretch, fit and fill
// (span reads as fill); otherwise tiled unless TileWallpaper is "0".
DisplayMode DisplayModeFromDesktop(const std::optional<std::string>& wallpaperStyle,
                                   const std::optional<std::string>& tileWallpaper);

}  // namespace mvx

#pragma once
#include <optional>
#include <string>

namespace mvx::e2e {

// String values under HKCU\Control Panel\Desktop ("Wallpaper",
// "TileWallpaper"). Tests share one Wine prefix, so a test that depends on
// these values sets them first instead of assuming a fresh desktop.
std::optional<std::string> ReadDesktopValue(const std::string& name);  // nothing unless a REG_SZ is there
bool WriteDesktopValue(const std::string& name, const std::string& value);
bool DeleteDesktopValue(const std::string& name);  // true also when it was missing

}  // namespace mvx::e2e

#pragma once
#include <string>
#include <vector>

#include "platform/monitor_port.h"
#include "platform/picture_port.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// The rectangle holding every monitor.
PixelRect DesktopBounds(const std::vector<Monitor>& monitors);

// Landscape when wider than tall; a square fits either way.
enum class Orientation { Landscape, Portrait, Square };
Orientation OrientationOf(PictureSize size);
bool OrientationsFit(PictureSize picture, PictureSize monitor);

// What a monitor is to show: a picture's file, its size as shown (after its
// EXIF turn), its EXIF orientation and its display mode.
struct MonitorPicture {
  std::string path;
  PictureSize stored;  // as in the file, before the turn
  int orientation = 1;
  DisplayMode mode = DisplayMode::Tile;
};

// The picture of the whole desktop: each monitor's picture drawn in its own
// mode inside the monitor's rectangle, the rest the desktop colour. pictures
// go with monitors, one each.
DesktopComposition ComposeDesktop(const std::vector<Monitor>& monitors, const std::vector<MonitorPicture>& pictures,
                                  std::uint32_t color);

}  // namespace mvx

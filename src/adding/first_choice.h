#pragma once
#include "platform/picture_port.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// The display mode proposed for a picture while the user has chosen none:
// Fill for a picture at least half the screen's width and half its height,
// so a photograph covers the desktop; Tile for a smaller one, a pattern. A
// picture whose size is unknown (0 by 0) is proposed tiled.
DisplayMode ModeForPictureSize(PictureSize picture, PictureSize screen);

}  // namespace mvx

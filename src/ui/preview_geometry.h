#pragma once
#include <vector>

#include "forms/dpi_scaling.h"
#include "forms/picture_controls.h"
#include "platform/picture_port.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// The desktop as the preview draws it: the primary monitor as the largest
// rectangle of its proportions inside the preview's area, centred, and the
// scene inside it in the monitor's own pixels. Turned as its file's
// orientation says, the picture goes into each of the scene's places; a
// tiled picture as a block of copies, from the monitor's top left corner
// on, which keeps the places few for a small picture. The scene's colour is
// left to the caller.
struct DesktopPreview {
  PixelRect monitor;  // in the area's units
  PictureScene scene;
};

// How many of a small tile's pixels a block of copies spans at most each way.
inline constexpr int kTileBlockSide = 512;

// picture: the picture's size as stored in its file; orientation: the EXIF
// orientation (1 to 8; any other number shows the picture as stored). A
// monitor of no size is taken to be the area's size.
DesktopPreview PreviewDesktop(PictureSize picture, int orientation, PictureSize area, PictureSize monitor,
                              DisplayMode mode);

}  // namespace mvx

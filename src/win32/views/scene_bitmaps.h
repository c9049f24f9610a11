#pragma once
#include <windows.h>

#include "forms/picture_controls.h"

namespace mvx::win32 {

// The size of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

// A copy of the bitmap turned as the scene says, pixel by pixel: the
// system's blits mirror but cannot transpose. Null when it cannot be made.
HBITMAP TurnedBitmap(HBITMAP source, const PictureTurn& turn);

// across x down copies of the bitmap side by side, laid with the bitmap as a
// pattern brush in one fill.
HBITMAP RepeatedBitmap(HBITMAP source, int across, int down);

// The scene drawn into place of dc (the scene's units are the place's
// pixels): the place filled with the scene's colour, then the picture,
// turned and repeated as the scene says, into each of its places, cut at
// the place's edges.
void DrawSceneAt(HDC dc, const PixelRect& place, const PictureScene& scene, HBITMAP picture);

}  // namespace mvx::win32

#include "ui/preview_geometry.h"

#include <algorithm>
#include <cstdint>

namespace mvx {

namespace {

// a * b / c to the nearest whole number, halves up; all three above zero.
int ScaledRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  return static_cast<int>((2 * a * b + c) / (2 * c));
}

// Half of a, rounded down: a picture an odd number of pixels larger than its
// monitor reaches one pixel further left and up than right and down.
int HalfDown(int a) {
  return a >= 0 ? a / 2 : -((1 - a) / 2);
}

PixelRect Centred(PictureSize outer, PictureSize inner) {
  const int left = HalfDown(outer.width - inner.width);
  const int top = HalfDown(outer.height - inner.height);
  return {left, top, left + inner.width, top + inner.height};
}

// The picture at the scale that makes it cover the frame, or lie inside it,
// keeping its proportions; at least one pixel each way.
PictureSize Scaled(PictureSize picture, PictureSize frame, bool cover) {
  const bool widthDecides =
      (std::int64_t{frame.width} * picture.height <= std::int64_t{frame.height} * picture.width) != cover;
  if (widthDecides) return {frame.width, std::max(1, ScaledRound(picture.height, frame.width, picture.width))};
  return {std::max(1, ScaledRound(picture.width, frame.height, picture.height)), frame.height};
}

// The EXIF orientations: 2 and 4 mirror, 3 is half a turn, 6 and 8 are a
// quarter turn clockwise and counter-clockwise to show the picture upright,
// 5 and 7 mirror across a diagonal.
PictureTurn TurnOf(int orientation) {
  switch (orientation) {
    case 2:
      return {false, true, false};
    case 3:
      return {false, true, true};
    case 4:
      return {false, false, true};
    case 5:
      return {true, false, false};
    case 6:
      return {true, false, true};
    case 7:
      return {true, true, true};
    case 8:
      return {true, true, false};
    default:
      return {};
  }
}

std::vector<PixelRect> TilePlaces(PictureSize block, PictureSize monitor) {
  std::vector<PixelRect> places;
  for (int y = 0; y < monitor.height; y += block.height) {
    for (int x = 0; x < monitor.width; x += block.width) places.push_back({x, y, x + block.width, y + block.height});
  }
  return places;
}

}  // namespace

DesktopPreview PreviewDesktop(PictureSize picture, int orientation, PictureSize area, PictureSize monitor,
                              DisplayMode mode) {
  DesktopPreview preview;
  if (monitor.width <= 0 || monitor.height <= 0) monitor = {std::max(1, area.width), std::max(1, area.height)};
  preview.monitor = Centred(area, Scaled(monitor, area, false));
  PictureScene& scene = preview.scene;
  scene.extentWidth = monitor.width;
  scene.extentHeight = monitor.height;
  scene.turn = TurnOf(orientation);
  if (picture.width <= 0 || picture.height <= 0) return preview;
  if (scene.turn.transposed) picture = {picture.height, picture.width};
  switch (mode) {
    case DisplayMode::Tile:
      scene.across = std::max(1, kTileBlockSide / picture.width);
      scene.down = std::max(1, kTileBlockSide / picture.height);
      scene.places = TilePlaces({scene.across * picture.width, scene.down * picture.height}, monitor);
      break;
    case DisplayMode::Centre:
      scene.places = {Centred(monitor, picture)};
      break;
    case DisplayMode::Fill:
      scene.places = {Centred(monitor, Scaled(picture, monitor, true))};
      break;
    case DisplayMode::Fit:
      scene.places = {Centred(monitor, Scaled(picture, monitor, false))};
      break;
    case DisplayMode::Stretch:
      scene.places = {{0, 0, monitor.width, monitor.height}};
      break;
  }
  return preview;
}

}  // namespace mvx

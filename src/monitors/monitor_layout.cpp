#include "monitors/monitor_layout.h"

#include <algorithm>

#include "ui/preview_geometry.h"

namespace mvx {

namespace {

// The picture scaled down to cover its drawn place, never up; a tiled or
// centred picture is drawn at its own size.
PictureSize DecodeSize(PictureSize stored, const PictureScene& scene) {
  if (stored.width <= 0 || stored.height <= 0 || scene.places.empty()) return stored;
  if (scene.across > 1 || scene.down > 1) return stored;
  const PixelRect& place = scene.places.front();
  const int w = scene.turn.transposed ? place.Height() : place.Width();
  const int h = scene.turn.transposed ? place.Width() : place.Height();
  const double scale = std::min(1.0, std::max(double(w) / stored.width, double(h) / stored.height));
  return {std::max(1, static_cast<int>(stored.width * scale + 0.5)),
          std::max(1, static_cast<int>(stored.height * scale + 0.5))};
}

}  // namespace

PixelRect DesktopBounds(const std::vector<Monitor>& monitors) {
  if (monitors.empty()) return {};
  PixelRect bounds = monitors.front().rect;
  for (const Monitor& m : monitors) {
    bounds.left = std::min(bounds.left, m.rect.left);
    bounds.top = std::min(bounds.top, m.rect.top);
    bounds.right = std::max(bounds.right, m.rect.right);
    bounds.bottom = std::max(bounds.bottom, m.rect.bottom);
  }
  return bounds;
}

Orientation OrientationOf(PictureSize size) {
  if (size.width > size.height) return Orientation::Landscape;
  return size.width < size.height ? Orientation::Portrait : Orientation::Square;
}

bool OrientationsFit(PictureSize picture, PictureSize monitor) {
  const Orientation p = OrientationOf(picture), m = OrientationOf(monitor);
  return p == m || p == Orientation::Square || m == Orientation::Square;
}

DesktopComposition ComposeDesktop(const std::vector<Monitor>& monitors, const std::vector<MonitorPicture>& pictures,
                                  std::uint32_t color) {
  const PixelRect bounds = DesktopBounds(monitors);
  DesktopComposition composition;
  composition.width = bounds.Width();
  composition.height = bounds.Height();
  composition.color = color;
  for (std::size_t i = 0; i < monitors.size() && i < pictures.size(); ++i) {
    const PixelRect& m = monitors[i].rect;
    const MonitorPicture& picture = pictures[i];
    MonitorPiece piece;
    piece.place = {m.left - bounds.left, m.top - bounds.top, m.right - bounds.left, m.bottom - bounds.top};
    piece.path = picture.path;
    const PictureSize size{m.Width(), m.Height()};
    // The preview's geometry at the monitor's own scale: one pixel a pixel.
    piece.scene = PreviewDesktop(picture.stored, picture.orientation, size, size, picture.mode).scene;
    piece.scene.color = color;
    piece.decodeSize = DecodeSize(picture.stored, piece.scene);
    composition.pieces.push_back(std::move(piece));
  }
  return composition;
}

}  // namespace mvx

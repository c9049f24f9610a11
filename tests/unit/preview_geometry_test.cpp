#include <gtest/gtest.h>

#include <string>

#include "ui/preview_geometry.h"

namespace mvx::testing {
namespace {

std::string Text(const PixelRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// "monitor extent places: first..last block turn", the turn as
// T (transposed), C (columns mirrored), R (rows mirrored) or "-".
std::string Text(const DesktopPreview& p) {
  const PictureScene& s = p.scene;
  std::string text = Text(p.monitor) + " " + std::to_string(s.extentWidth) + "x" + std::to_string(s.extentHeight) +
                     " " + std::to_string(s.places.size()) + ":";
  if (!s.places.empty()) text += " " + Text(s.places.front());
  if (s.places.size() > 1) text += ".." + Text(s.places.back());
  const std::string turn =
      std::string(s.turn.transposed ? "T" : "") + (s.turn.mirrorColumns ? "C" : "") + (s.turn.mirrorRows ? "R" : "");
  return text + " " + std::to_string(s.across) + "x" + std::to_string(s.down) + " " + (turn.empty() ? "-" : turn);
}

TEST(PreviewGeometry, EachModeLaysThePictureOnTheMonitorAsTheDesktopDoesTurnedUpright) {
  using enum DisplayMode;
  const PictureSize pane{376, 185}, square{1280, 1024}, wide{1920, 1080};
  const struct {
    DisplayMode mode;
    PictureSize picture;
    int orientation;
    PictureSize area, monitor;
    const char* preview;
  } cases[] = {
      // Tiles from the top left corner, five by eight to a block of 500 x 480.
      {Tile, {100, 60}, 1, pane, square, "72,0-303,185 1280x1024 9: 0,0-500,480..1000,960-1500,1440 5x8 -"},
      {Tile, {60, 100}, 6, pane, square, "72,0-303,185 1280x1024 9: 0,0-500,480..1000,960-1500,1440 5x8 TR"},
      {Tile, {600, 700}, 1, pane, wide, "23,0-352,185 1920x1080 8: 0,0-600,700..1800,700-2400,1400 1x1 -"},
      {Centre, {400, 300}, 1, pane, square, "72,0-303,185 1280x1024 1: 440,362-840,662 1x1 -"},
      {Centre, {300, 400}, 8, pane, square, "72,0-303,185 1280x1024 1: 440,362-840,662 1x1 TC"},
      {Centre, {1601, 1201}, 1, pane, square, "72,0-303,185 1280x1024 1: -161,-89-1440,1112 1x1 -"},
      {Fill, {800, 600}, 1, pane, square, "72,0-303,185 1280x1024 1: -43,0-1322,1024 1x1 -"},
      {Fill, {600, 800}, 1, pane, wide, "23,0-352,185 1920x1080 1: 0,-740-1920,1820 1x1 -"},
      {Fit, {800, 600}, 1, pane, square, "72,0-303,185 1280x1024 1: 0,32-1280,992 1x1 -"},
      {Fit, {800, 600}, 6, pane, square, "72,0-303,185 1280x1024 1: 256,0-1024,1024 1x1 TR"},
      {Fit, {4000, 3}, 1, pane, square, "72,0-303,185 1280x1024 1: 0,511-1280,512 1x1 -"},
      {Stretch, {30, 20}, 2, pane, square, "72,0-303,185 1280x1024 1: 0,0-1280,1024 1x1 C"},
      {Stretch, {30, 20}, 3, {100, 300}, square, "0,110-100,190 1280x1024 1: 0,0-1280,1024 1x1 CR"},
      {Stretch, {30, 20}, 4, pane, wide, "23,0-352,185 1920x1080 1: 0,0-1920,1080 1x1 R"},
      {Stretch, {30, 20}, 5, pane, square, "72,0-303,185 1280x1024 1: 0,0-1280,1024 1x1 T"},
      {Stretch, {30, 20}, 7, pane, square, "72,0-303,185 1280x1024 1: 0,0-1280,1024 1x1 TCR"},
      {Stretch, {30, 20}, 0, pane, {0, 0}, "0,0-376,185 376x185 1: 0,0-376,185 1x1 -"},
      {Fit, {0, 20}, 1, pane, square, "72,0-303,185 1280x1024 0: 1x1 -"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(PreviewDesktop(c.picture, c.orientation, c.area, c.monitor, c.mode)), c.preview)
        << DisplayModeName(c.mode) << " " << c.picture.width << "x" << c.picture.height << " o" << c.orientation;
  }
}

}  // namespace
}  // namespace mvx::testing

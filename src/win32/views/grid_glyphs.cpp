#include "inventory/inventory_grid.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/glyph.h"

namespace mvx::win32 {

namespace {

constexpr COLORREF kFrame = RGB(96, 96, 96);
constexpr COLORREF kCheck = RGB(0, 144, 0);
constexpr COLORREF kTooBig = RGB(208, 0, 0);
constexpr COLORREF kPicture = RGB(48, 112, 208);

void Frame(const Glyph& g, int left, int top, int right, int bottom, COLORREF fill) {
  g.Box(left, top, right, bottom, kFrame);
  g.Box(left + 1, top + 1, right - 1, bottom - 1, fill);
}

// A box for the slideshow mark: empty when the picture is left out, ticked
// when it takes part; a red corner when the file is above the size limit.
void Mark(const Glyph& g, bool ticked, bool tooBig) {
  Frame(g, 2, 2, 14, 14, RGB(255, 255, 255));
  if (ticked) g.Polygon({{4, 7}, {6, 9}, {11, 4}, {12, 6}, {6, 12}, {3, 9}}, kCheck, kCheck);
  if (tooBig) g.Polygon({{13, 8}, {13, 13}, {8, 13}}, kTooBig, kTooBig);
}

void Tiled(const Glyph& g) {
  Frame(g, 1, 2, 15, 14, RGB(255, 255, 255));
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      g.Box(3 + column * 6, 4 + row * 5, 7 + column * 6, 7 + row * 5, kPicture);
    }
  }
}

void Centred(const Glyph& g) {
  Frame(g, 1, 2, 15, 14, RGB(255, 255, 255));
  g.Box(5, 5, 11, 11, kPicture);
}

// The picture fills the screen, its edges cut off beyond the frame.
void Filled(const Glyph& g) {
  Frame(g, 1, 2, 15, 14, RGB(255, 255, 255));
  g.Box(2, 3, 14, 13, kPicture);
  g.Box(0, 5, 16, 11, kPicture);
}

// The whole picture, bars beside it.
void Fitted(const Glyph& g) {
  Frame(g, 1, 2, 15, 14, RGB(32, 32, 32));
  g.Box(4, 3, 12, 13, kPicture);
}

// The picture drawn out to the screen's shape: arrows pulling it wide.
void Stretched(const Glyph& g) {
  Frame(g, 1, 2, 15, 14, kPicture);
  g.Polygon({{3, 8}, {6, 5}, {6, 7}, {10, 7}, {10, 5}, {13, 8}, {10, 11}, {10, 9}, {6, 9}, {6, 11}},
            RGB(255, 255, 255), RGB(255, 255, 255));
}

void Paint(const Glyph& g, int index) {
  switch (index) {
    case grid_images::Disabled:
      Mark(g, false, false);
      break;
    case grid_images::Enabled:
      Mark(g, true, false);
      break;
    case grid_images::EnabledTooBig:
      Mark(g, true, true);
      break;
    case grid_images::DisabledTooBig:
      Mark(g, false, true);
      break;
    case grid_images::Tiled:
      Tiled(g);
      break;
    case grid_images::Centred:
      Centred(g);
      break;
    case grid_images::Filled:
      Filled(g);
      break;
    case grid_images::Fitted:
      Fitted(g);
      break;
    case grid_images::Stretched:
      Stretched(g);
      break;
    default:
      break;  // not used: left empty
  }
}

}  // namespace

HIMAGELIST CreateGridStatusImages(int size) {
  return PaintImageList(size, grid_images::Count, Paint);
}

}  // namespace mvx::win32

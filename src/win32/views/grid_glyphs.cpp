#include <initializer_list>

#include "inventory/inventory_grid.h"
#include "win32/views/data_grid_view.h"

namespace mvx::win32 {

namespace {

// Pixels of this colour are left out of the pictures.
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kFrame = RGB(96, 96, 96);
constexpr COLORREF kCheck = RGB(0, 144, 0);
constexpr COLORREF kTooBig = RGB(208, 0, 0);
constexpr COLORREF kPicture = RGB(48, 112, 208);

void Box(HDC dc, int x, int left, int top, int right, int bottom, COLORREF fill) {
  const RECT rc{x + left, top, x + right, bottom};
  HBRUSH brush = CreateSolidBrush(fill);
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, int x, int left, int top, int right, int bottom, COLORREF fill) {
  Box(dc, x, left, top, right, bottom, kFrame);
  Box(dc, x, left + 1, top + 1, right - 1, bottom - 1, fill);
}

void Polygon(HDC dc, int x, std::initializer_list<POINT> points, COLORREF colour) {
  POINT at[8];
  int n = 0;
  for (POINT p : points) at[n++] = POINT{x + p.x, p.y};
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  ::Polygon(dc, at, n);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

// A box for the slideshow mark: empty when the picture is left out, ticked
// when it takes part; a red corner when the file is above the size limit.
void Mark(HDC dc, int x, bool ticked, bool tooBig) {
  Frame(dc, x, 2, 2, 14, 14, RGB(255, 255, 255));
  if (ticked) Polygon(dc, x, {{4, 7}, {6, 9}, {11, 4}, {12, 6}, {6, 12}, {3, 9}}, kCheck);
  if (tooBig) Polygon(dc, x, {{13, 8}, {13, 13}, {8, 13}}, kTooBig);
}

void Tiled(HDC dc, int x) {
  Frame(dc, x, 1, 2, 15, 14, RGB(255, 255, 255));
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      Box(dc, x, 3 + column * 6, 4 + row * 5, 7 + column * 6, 7 + row * 5, kPicture);
    }
  }
}

void Centred(HDC dc, int x) {
  Frame(dc, x, 1, 2, 15, 14, RGB(255, 255, 255));
  Box(dc, x, 5, 5, 11, 11, kPicture);
}

void Paint(HDC dc, int index, int x) {
  switch (index) {
    case grid_images::Disabled:
      Mark(dc, x, false, false);
      break;
    case grid_images::Enabled:
      Mark(dc, x, true, false);
      break;
    case grid_images::EnabledTooBig:
      Mark(dc, x, true, true);
      break;
    case grid_images::DisabledTooBig:
      Mark(dc, x, false, true);
      break;
    case grid_images::Tiled:
      Tiled(dc, x);
      break;
    case grid_images::Centred:
      Centred(dc, x);
      break;
    default:
      break;  // not used: left empty
  }
}

}  // namespace

HIMAGELIST CreateGridStatusImages() {
  constexpr int size = kGridImageSize;
  constexpr int count = grid_images::Count;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, size * count, size);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, strip);
  const RECT all{0, 0, size * count, size};
  HBRUSH background = CreateSolidBrush(kTransparent);
  FillRect(dc, &all, background);
  DeleteObject(background);
  for (int i = 0; i < count; ++i) Paint(dc, i, i * size);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
  ImageList_AddMasked(images, strip, kTransparent);
  DeleteObject(strip);
  return images;
}

}  // namespace mvx::win32

#pragma once
#include "win32/views/common_controls.h"

#include <initializer_list>
#include <vector>

namespace mvx::win32 {

// Draws one square picture of an image strip whose left edge is at x; the
// program draws its own toolbar and status pictures with it. Pictures are
// designed on a 16-pixel grid and drawn at the picture's size: every point
// and pen width is placed anew at that size, so a larger picture is drawn
// sharp rather than stretched.
class Glyph {
 public:
  Glyph(HDC dc, int x, int size) : dc_(dc), x_(x), size_(size) {}

  void Box(int left, int top, int right, int bottom, COLORREF fill) const {
    const RECT rc{x_ + At(left), At(top), x_ + At(right), At(bottom)};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &rc, brush);
    DeleteObject(brush);
  }
  void Polygon(std::initializer_list<POINT> points, COLORREF fill, COLORREF outline) const {
    std::vector<POINT> at(points);
    for (POINT& p : at) p = POINT{x_ + At(p.x), At(p.y)};
    Use([&] { ::Polygon(dc_, at.data(), static_cast<int>(at.size())); }, fill, outline, 1);
  }
  void Ring(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline, int width) const {
    Use([&] { Ellipse(dc_, x_ + At(left), At(top), x_ + At(right), At(bottom)); }, fill, outline, Pen(width));
  }
  void Line(int x1, int y1, int x2, int y2, COLORREF colour, int width) const {
    Use(
        [&] {
          MoveToEx(dc_, x_ + At(x1), At(y1), nullptr);
          LineTo(dc_, x_ + At(x2), At(y2));
        },
        colour, colour, Pen(width));
  }

 private:
  static constexpr int kGrid = 16;
  // A point of the 16-pixel design grid at the picture's size.
  LONG At(LONG v) const { return (v * size_ + kGrid / 2) / kGrid; }
  int Pen(int width) const { return width * size_ >= kGrid ? (width * size_ + kGrid / 2) / kGrid : 1; }

  template <class Draw>
  void Use(Draw draw, COLORREF fill, COLORREF outline, int width) const {
    HPEN pen = CreatePen(PS_SOLID, width, outline);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    draw();
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }

  HDC dc_;
  int x_;
  int size_;
};

// An image list of `count` square pictures of `size` pixels, each drawn by
// paint(glyph, index) on a background that is left out of the pictures.
template <class Paint>
HIMAGELIST PaintImageList(int size, int count, Paint paint) {
  constexpr COLORREF kTransparent = RGB(255, 0, 255);
  // Drawn on a memory DC into a bitmap of its own colours: the screen's DC
  // and a bitmap made for it would cost round trips to the windowing system.
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size * count;
  info.bmiHeader.biHeight = size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP strip = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, strip);
  const RECT all{0, 0, size * count, size};
  HBRUSH background = CreateSolidBrush(kTransparent);
  FillRect(dc, &all, background);
  DeleteObject(background);
  for (int i = 0; i < count; ++i) paint(Glyph(dc, i * size, size), i);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
  ImageList_AddMasked(images, strip, kTransparent);
  DeleteObject(strip);
  return images;
}

}  // namespace mvx::win32

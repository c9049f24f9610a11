#include <iterator>

#include "ui/toolbar_images.h"
#include "win32/views/glyph.h"
#include "win32/views/toolbar_view.h"

namespace mvx::win32 {

namespace {

constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kArrow = RGB(0, 0, 128);
constexpr COLORREF kGo = RGB(0, 144, 0);
constexpr COLORREF kStop = RGB(200, 0, 0);

// A screen on its stand; the caller paints the screen's inside (3,3)-(13,10).
void Monitor(const Glyph& g) {
  g.Box(1, 1, 15, 12, kOutline);
  g.Box(6, 12, 10, 13, kOutline);
  g.Box(3, 13, 13, 15, kOutline);
}

void DrawFind(const Glyph& g) {
  g.Ring(1, 1, 11, 11, RGB(200, 232, 255), kOutline, 2);
  g.Line(9, 9, 14, 14, RGB(120, 72, 24), 3);
}

void DrawSet(const Glyph& g) {
  Monitor(g);
  g.Box(3, 3, 13, 10, RGB(96, 160, 240));
  g.Box(10, 4, 12, 6, RGB(255, 224, 0));
  g.Polygon({{3, 9}, {6, 6}, {9, 8}, {12, 6}, {12, 9}}, RGB(40, 160, 40), RGB(40, 160, 40));
}

void DrawNone(const Glyph& g) {
  Monitor(g);
  g.Box(3, 3, 13, 10, RGB(224, 224, 224));
  g.Line(4, 9, 12, 3, kStop, 2);
}

void DrawAdd(const Glyph& g) {
  g.Box(6, 2, 10, 14, kGo);
  g.Box(2, 6, 14, 10, kGo);
}

void DrawMove(const Glyph& g) {
  g.Polygon({{1, 1}, {7, 1}, {9, 3}, {9, 14}, {1, 14}}, RGB(255, 255, 255), kOutline);
  g.Polygon({{6, 6}, {10, 6}, {10, 3}, {15, 8}, {10, 13}, {10, 10}, {6, 10}}, kArrow, kArrow);
}

void DrawRemove(const Glyph& g) {
  g.Box(2, 6, 14, 10, kStop);
}

void DrawDelete(const Glyph& g) {
  g.Line(3, 3, 12, 12, kStop, 3);
  g.Line(12, 3, 3, 12, kStop, 3);
}

void DrawFirst(const Glyph& g) {
  g.Box(3, 3, 5, 13, kArrow);
  g.Polygon({{12, 3}, {12, 12}, {6, 8}}, kArrow, kArrow);
}

void DrawPrev(const Glyph& g) {
  g.Polygon({{11, 3}, {11, 12}, {5, 8}}, kArrow, kArrow);
}

void DrawNext(const Glyph& g) {
  g.Polygon({{4, 3}, {4, 12}, {10, 8}}, kArrow, kArrow);
}

void DrawLast(const Glyph& g) {
  g.Polygon({{3, 3}, {3, 12}, {9, 8}}, kArrow, kArrow);
  g.Box(10, 3, 12, 13, kArrow);
}

// The painters in the order of ToolbarImage.
constexpr void (*kPainters[])(const Glyph&) = {DrawFind,   DrawSet,   DrawNone, DrawAdd,  DrawMove, DrawRemove,
                                               DrawDelete, DrawFirst, DrawPrev, DrawNext, DrawLast};
static_assert(std::size(kPainters) == kToolbarImageCount);

}  // namespace

HIMAGELIST CreateToolbarImages(int size) {
  return PaintImageList(size, kToolbarImageCount, [](const Glyph& g, int index) { kPainters[index](g); });
}

}  // namespace mvx::win32

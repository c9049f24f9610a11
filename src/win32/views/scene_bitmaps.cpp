#include "win32/views/scene_bitmaps.h"

#include <cstdint>
#include <vector>

namespace mvx::win32 {

namespace {

BITMAPINFO TopDown32(SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

HBITMAP TurnedBitmap(HBITMAP source, const PictureTurn& turn) {
  const SIZE in = BitmapSize(source);
  if (in.cx <= 0 || in.cy <= 0) return nullptr;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(in.cx) * static_cast<std::size_t>(in.cy));
  BITMAPINFO inInfo = TopDown32(in);
  HDC dc = CreateCompatibleDC(nullptr);
  const int rows = GetDIBits(dc, source, 0, static_cast<UINT>(in.cy), pixels.data(), &inInfo, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows != in.cy) return nullptr;
  const SIZE out = turn.transposed ? SIZE{in.cy, in.cx} : in;
  BITMAPINFO outInfo = TopDown32(out);
  void* bits = nullptr;
  HBITMAP turned = CreateDIBSection(nullptr, &outInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (turned == nullptr) return nullptr;
  auto* to = static_cast<std::uint32_t*>(bits);
  for (LONG y = 0; y < out.cy; ++y) {
    for (LONG x = 0; x < out.cx; ++x) {
      LONG column = turn.transposed ? y : x, row = turn.transposed ? x : y;
      if (turn.mirrorColumns) column = in.cx - 1 - column;
      if (turn.mirrorRows) row = in.cy - 1 - row;
      to[y * out.cx + x] = pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(in.cx) + column];
    }
  }
  GdiFlush();
  return turned;
}

HBITMAP RepeatedBitmap(HBITMAP source, int across, int down) {
  const SIZE one = BitmapSize(source);
  const SIZE all{one.cx * across, one.cy * down};
  BITMAPINFO info = TopDown32(all);
  void* bits = nullptr;
  HBITMAP block = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HBRUSH brush = CreatePatternBrush(source);
  if (block != nullptr && brush != nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, block);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const RECT whole{0, 0, all.cx, all.cy};
    FillRect(dc, &whole, brush);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  if (brush != nullptr) DeleteObject(brush);
  return block;
}

void DrawSceneAt(HDC dc, const PixelRect& place, const PictureScene& scene, HBITMAP picture) {
  HBRUSH background = CreateSolidBrush(static_cast<COLORREF>(scene.color));
  const RECT area{place.left, place.top, place.right, place.bottom};
  FillRect(dc, &area, background);
  DeleteObject(background);
  HBITMAP turned = scene.turn == PictureTurn{} ? nullptr : TurnedBitmap(picture, scene.turn);
  HBITMAP one = turned != nullptr ? turned : picture;
  HBITMAP repeated = scene.across > 1 || scene.down > 1 ? RepeatedBitmap(one, scene.across, scene.down) : nullptr;
  HBITMAP drawn = repeated != nullptr ? repeated : one;
  const SIZE from = BitmapSize(drawn);
  if (from.cx > 0 && from.cy > 0) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, drawn);
    for (const PixelRect& p : scene.places) {
      StretchBlt(dc, place.left + p.left, place.top + p.top, p.Width(), p.Height(), source, 0, 0, from.cx, from.cy,
                 SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
    RestoreDC(dc, saved);
  }
  if (repeated != nullptr) DeleteObject(repeated);
  if (turned != nullptr) DeleteObject(turned);
}

}  // namespace mvx::win32

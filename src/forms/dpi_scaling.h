#pragma once

namespace mvx {

// The forms keep their design coordinates, sizes and font heights at 96
// dots per inch; a window shows them multiplied by the DPI of the monitor it
// is on. This is that arithmetic, free of any window.
inline constexpr int kDesignDpi = 96;

// A length or coordinate in design units as pixels at dpi, rounded to the
// nearest pixel (halves away from zero, so that a negative font height and
// its positive size scale alike).
int ScaleToDpi(int value, int dpi);

// Pixels at dpi as design units, truncated toward zero: a drag of less than
// one design unit moves nothing, and moving by the result never overshoots
// the pointer (which would make it swing back and forth).
int ToDesignUnits(int pixels, int dpi);

// A font height in the platform's convention (negative: the glyphs' pixel
// height) at dpi. Zero stays zero: it asks for the platform's default.
int ScaleFontHeight(int height, int dpi);

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A design rectangle at dpi. Its edges are scaled, not its size, so two
// controls that touch in the design touch on the screen: no gap and no
// overlap at any DPI.
PixelRect ScaleRect(int left, int top, int width, int height, int dpi);

// The side of the program's square pictures (toolbar, grid) at dpi: the
// largest of the drawn sizes 16, 20, 24 and 32 that is not larger than 16
// design units there.
int PictureSizeForDpi(int dpi);

}  // namespace mvx

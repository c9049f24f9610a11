#include "forms/dpi_scaling.h"

#include <cstdint>
#include <initializer_list>

namespace mvx {

namespace {

// A DPI the system never gives is taken as the design's.
int Sane(int dpi) {
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int ScaleToDpi(int value, int dpi) {
  const std::int64_t product = static_cast<std::int64_t>(value) * Sane(dpi);
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi);
}

int ToDesignUnits(int pixels, int dpi) {
  return static_cast<int>(static_cast<std::int64_t>(pixels) * kDesignDpi / Sane(dpi));
}

int ScaleFontHeight(int height, int dpi) {
  return ScaleToDpi(height, dpi);
}

PixelRect ScaleRect(int left, int top, int width, int height, int dpi) {
  return PixelRect{ScaleToDpi(left, dpi), ScaleToDpi(top, dpi), ScaleToDpi(left + width, dpi),
                   ScaleToDpi(top + height, dpi)};
}

int PictureSizeForDpi(int dpi) {
  const int wanted = ScaleToDpi(16, dpi);
  int size = 16;
  for (int drawn : {20, 24, 32}) {
    if (drawn <= wanted) size = drawn;
  }
  return size;
}

}  // namespace mvx

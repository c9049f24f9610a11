// The arithmetic that shows a 96-DPI design at a monitor's DPI.
#include "forms/dpi_scaling.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <vector>

namespace mvx {
namespace {

struct DesignAt {
  int dpi;
  PixelRect okButton;  // the main window's OK button, design (320, 2, 75, 25) on its panel
  PixelRect client;    // the main window's client area, 402 x 443
  int fontHeight;      // the design font, -11
  int splitterHeight;  // the stored preview height 185 (odd, to catch halves)
  int pictureSize;
};

TEST(DpiScaling, DesignRectanglesAndFontsAtEachCommonScale) {
  const std::vector<DesignAt> cases = {
      {96, {320, 2, 395, 27}, {0, 0, 402, 443}, -11, 185, 16},
      {120, {400, 3, 494, 34}, {0, 0, 503, 554}, -14, 231, 20},  // 2.5 -> 3, 33.75 -> 34
      {144, {480, 3, 593, 41}, {0, 0, 603, 665}, -17, 278, 24},  // -16.5 rounds away from zero
      {192, {640, 4, 790, 54}, {0, 0, 804, 886}, -22, 370, 32},
      {288, {960, 6, 1185, 81}, {0, 0, 1206, 1329}, -33, 555, 32},  // no picture larger than 32 is drawn
  };
  for (const DesignAt& c : cases) {
    EXPECT_EQ(ScaleRect(320, 2, 75, 25, c.dpi), c.okButton) << c.dpi;
    EXPECT_EQ(ScaleRect(0, 0, 402, 443, c.dpi), c.client) << c.dpi;
    EXPECT_EQ(ScaleFontHeight(-11, c.dpi), c.fontHeight) << c.dpi;
    EXPECT_EQ(ScaleToDpi(185, c.dpi), c.splitterHeight) << c.dpi;
    EXPECT_EQ(PictureSizeForDpi(c.dpi), c.pictureSize) << c.dpi;
  }
}

TEST(DpiScaling, NeighboursTouchAtEveryDpiWithNeitherGapNorOverlap) {
  // The Preview page from top to bottom: preview, splitter, toolbar, grid;
  // and a row of odd widths side by side.
  const int tops[] = {4, 189, 192, 223, 438};
  const int lefts[] = {5, 18, 31, 77, 120, 121, 198};
  for (int dpi : {96, 108, 120, 125, 144, 168, 192, 240, 288}) {
    for (std::size_t i = 0; i + 2 < std::size(tops); ++i) {
      const PixelRect above = ScaleRect(4, tops[i], 376, tops[i + 1] - tops[i], dpi);
      const PixelRect below = ScaleRect(4, tops[i + 1], 376, tops[i + 2] - tops[i + 1], dpi);
      EXPECT_EQ(above.bottom, below.top) << dpi << " at " << tops[i + 1];
      EXPECT_EQ(above.left, below.left) << dpi;
      EXPECT_EQ(above.right, below.right) << dpi;
    }
    for (std::size_t i = 0; i + 2 < std::size(lefts); ++i) {
      const PixelRect left = ScaleRect(lefts[i], 7, lefts[i + 1] - lefts[i], 13, dpi);
      const PixelRect right = ScaleRect(lefts[i + 1], 7, lefts[i + 2] - lefts[i + 1], 13, dpi);
      EXPECT_EQ(left.right, right.left) << dpi << " at " << lefts[i + 1];
      EXPECT_EQ(left.Height(), right.Height()) << dpi;
    }
  }
}

TEST(DpiScaling, NegativeAndZeroValuesScaleLikeTheirPositiveCounterparts) {
  for (int dpi : {120, 144, 192}) {
    for (int v : {1, 3, 11, 15, 185}) EXPECT_EQ(ScaleToDpi(-v, dpi), -ScaleToDpi(v, dpi)) << dpi << " " << v;
    EXPECT_EQ(ScaleFontHeight(0, dpi), 0) << "the platform's default height stays the default";
  }
  EXPECT_EQ(ScaleToDpi(185, 0), 185) << "an unknown DPI is taken as 96";
  EXPECT_EQ(ScaleToDpi(1'000'000, 288), 3'000'000) << "no overflow on the way";
}

TEST(DpiScaling, PixelsBecomeDesignUnitsTruncatedSoADragNeverOvershoots) {
  struct Case {
    int pixels, dpi, design;
  };
  for (Case c : {Case{41, 192, 20}, Case{-41, 192, -20}, Case{1, 192, 0}, Case{-1, 192, 0}, Case{5, 120, 4},
                 Case{3, 144, 2}, Case{7, 96, 7}, Case{-300, 288, -100}}) {
    EXPECT_EQ(ToDesignUnits(c.pixels, c.dpi), c.design) << c.pixels << " at " << c.dpi;
    EXPECT_LE(std::abs(ScaleToDpi(c.design, c.dpi)), std::abs(c.pixels)) << c.pixels << " at " << c.dpi;
  }
}

}  // namespace
}  // namespace mvx

#include <gtest/gtest.h>

#include <string>

#include "app/picture_header.h"
#include "shared/bitmap_bytes.h"
#include "shared/exif_bytes.h"
#include "shared/picture_bytes.h"

namespace mvx::testing {
namespace {

// "width x height o<orientation>, shown width x height", or "none".
std::string Read(const std::string& head) {
  const std::optional<PictureHeader> h = ParsePictureHeader(head);
  if (!h) return "none";
  const PictureSize shown = ShownSize(*h);
  return std::to_string(h->width) + "x" + std::to_string(h->height) + " o" + std::to_string(h->orientation) +
         ", shown " + std::to_string(shown.width) + "x" + std::to_string(shown.height);
}

TEST(PictureHeader, EachFormatGivesItsSizeAndAPhotographsOrientationAndAnythingCutShortOrUnknownNothing) {
  const std::string soi("\xFF\xD8", 2), jfif = JpegSegment(0xE0, std::string("JFIF\0\x01\x02\0\0\x01\0\x01\0\0", 14));
  const std::string core = "BM" + std::string(12, '\0') + Bytes(12, 4, false) + Bytes(640, 2, false) +
                           Bytes(480, 2, false) + Bytes(1, 2, false) + Bytes(24, 2, false);
  const std::string topDown = BitmapBytes(9, 7).replace(22, 4, Bytes(static_cast<std::uint32_t>(-7), 4, false));
  std::string overrun = ExifSegment(6, false);  // its directory claims one entry more than the block holds
  overrun[18] = 2;
  const struct {
    std::string head;
    const char* read;
  } cases[] = {
      {BitmapBytes(5, 3), "5x3 o1, shown 5x3"},
      {topDown, "9x7 o1, shown 9x7"},
      {core, "640x480 o1, shown 640x480"},
      {PngHeader(1920, 1080), "1920x1080 o1, shown 1920x1080"},
      {GifBytes(33, 17, 1, 2, 3), "33x17 o1, shown 33x17"},
      {soi + jfif + JpegFrame(400, 300), "400x300 o1, shown 400x300"},
      {soi + ExifSegment(6, false) + jfif + JpegFrame(4032, 3024), "4032x3024 o6, shown 3024x4032"},
      {soi + jfif + ExifSegment(8, true) + JpegFrame(640, 480), "640x480 o8, shown 480x640"},
      {soi + ExifSegment(9, false) + JpegFrame(64, 32), "64x32 o1, shown 64x32"},
      {soi + overrun + JpegFrame(64, 32), "64x32 o1, shown 64x32"},
      {soi + JpegSegment(0xC4, std::string(20, '\1')) + "\xFF\xFF" + JpegFrame(800, 600, 0xC2),
       "800x600 o1, shown 800x600"},
      {TiffBytes(false, {{256, 3, 70}, {257, 4, 50}, {274, 3, 5}}), "70x50 o5, shown 50x70"},
      {TiffBytes(true, {{274, 3, 3}, {256, 4, 90000}, {257, 3, 2}}), "90000x2 o3, shown 90000x2"},
      {TiffBytes(false, {{256, 3, 70}, {257, 3, 50}, {274, 3, 6}}).substr(0, 40), "none"},  // cut before orientation
      {core.substr(0, 21), "none"},
      {BitmapBytes(5, 3).substr(0, 25), "none"},
      {PngHeader(7, 5).substr(0, 23), "none"},
      {soi + ExifSegment(6, false), "none"},
      {soi + jfif + "junk" + JpegFrame(400, 300), "none"},
      {"these are words, not a picture", "none"},
      {"", "none"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.head), c.read) << ::testing::PrintToString(c.head);
}

}  // namespace
}  // namespace mvx::testing

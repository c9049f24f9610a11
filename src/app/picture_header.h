#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/picture_port.h"

namespace mvx {

// What the first bytes of a picture file tell without decoding it.
struct PictureHeader {
  int width = 0;  // as stored, before any turn
  int height = 0;
  // The EXIF orientation, 1 to 8 (1: as stored; 6: turn 90 degrees clockwise
  // to show; 8: 90 counter-clockwise; 3: 180; 2, 4, 5, 7 mirrored); 1 when
  // the file has none.
  int orientation = 1;
};

// How many bytes of a file ParsePictureHeader looks at, at most.
inline constexpr std::size_t kPictureHeadBytes = 256 * 1024;

// The size and orientation of a BMP, PNG, JPEG, GIF or TIFF picture from its
// first bytes; nothing when they hold no picture header the program knows.
std::optional<PictureHeader> ParsePictureHeader(std::string_view head);

// The picture's size as shown, after its EXIF turn.
PictureSize ShownSize(const PictureHeader& header);

}  // namespace mvx

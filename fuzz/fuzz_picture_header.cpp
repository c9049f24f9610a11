#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/picture_header.h"

// Any bytes may begin a file the user adds. A header read from them has a
// size within the reader's limits and an orientation of 1 to 8, its shown
// size is its size turned or not, and bytes that follow what was read never
// change it: a head of a file reads as the whole file would.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view head(reinterpret_cast<const char*>(data), size);
  const std::optional<mvx::PictureHeader> header = mvx::ParsePictureHeader(head);
  if (!header) return 0;
  if (header->width <= 0 || header->height <= 0 || header->width > (1 << 30) || header->height > (1 << 30)) {
    std::abort();
  }
  if (header->orientation < 1 || header->orientation > 8) std::abort();
  const mvx::PictureSize shown = mvx::ShownSize(*header);
  const bool turned = header->orientation >= 5;
  if (shown.width != (turned ? header->height : header->width)) std::abort();
  if (shown.height != (turned ? header->width : header->height)) std::abort();
  const std::optional<mvx::PictureHeader> longer = mvx::ParsePictureHeader(std::string(head) + std::string(64, '\xFF'));
  if (!longer || longer->width != header->width || longer->height != header->height ||
      longer->orientation != header->orientation) {
    std::abort();
  }
  return 0;
}

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "adding/bitmap_file.h"

namespace {

std::uint32_t U32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}

}  // namespace

// Any bytes may come from the clipboard. What is accepted must be a file
// whose header states its own size and a pixel offset inside it, holding a
// start of the bitmap that, made into a file again, gives the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view dib(reinterpret_cast<const char*>(data), size);
  const mvx::BitmapFile file = mvx::BitmapFileFromDib(dib);
  if (!file.ok()) {
    if (!file.bytes.empty()) std::abort();
    return 0;
  }
  const std::string_view bytes = file.bytes;
  if (bytes.size() < 14 + 40 || bytes.substr(0, 2) != "BM") std::abort();
  if (U32(bytes, 2) != bytes.size() || U32(bytes, 10) > bytes.size()) std::abort();
  const std::string_view body = bytes.substr(14);
  if (body != dib.substr(0, body.size())) std::abort();
  if (mvx::BitmapFileFromDib(body).bytes != file.bytes) std::abort();
  return 0;
}

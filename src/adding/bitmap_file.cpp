#include "adding/bitmap_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace mvx {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
// Colour-space tags of the newest header whose profile lies behind the header.
constexpr std::uint32_t kProfileLinked = 0x4C494E4B;    // 'LINK'
constexpr std::uint32_t kProfileEmbedded = 0x4D424544;  // 'MBED'

std::uint32_t U32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

void PutU32(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

BitmapFile Fail(std::string reason) {
  return BitmapFile{{}, std::move(reason)};
}

// The header versions the system writes: the 40-byte one and its
// successors with masks (52, 56), colour space (108) and profile (124).
bool KnownHeaderSize(std::uint32_t size) {
  return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == kV5HeaderSize;
}

bool KnownBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Where the bitmap's bytes end when its colour profile lies behind the
// pixels; 0 when there is none, max() when the profile lies outside.
std::uint64_t ProfileEnd(std::string_view dib, std::uint32_t headerSize) {
  if (headerSize < kV5HeaderSize) return 0;
  const std::uint32_t space = U32(dib, 56);
  if (space != kProfileLinked && space != kProfileEmbedded) return 0;
  const std::uint64_t end = std::uint64_t{U32(dib, 112)} + U32(dib, 116);
  return end <= dib.size() ? end : std::numeric_limits<std::uint64_t>::max();
}

}  // namespace

BitmapFile BitmapFileFromDib(std::string_view dib) {
  if (dib.size() < 4) return Fail("the bitmap is cut short in its header");
  const std::uint32_t headerSize = U32(dib, 0);
  if (!KnownHeaderSize(headerSize)) return Fail("unknown bitmap header of " + std::to_string(headerSize) + " bytes");
  if (dib.size() < headerSize) return Fail("the bitmap is cut short in its header");

  const std::int64_t width = static_cast<std::int32_t>(U32(dib, 4));
  const std::int64_t height = static_cast<std::int32_t>(U32(dib, 8));
  const std::uint16_t planes = U16(dib, 12);
  const std::uint16_t bits = U16(dib, 14);
  const std::uint32_t compression = U32(dib, 16);
  const std::uint32_t coloursUsed = U32(dib, 32);
  if (width <= 0 || height == 0) return Fail("the bitmap has no pixels");
  if (planes != 1) return Fail("the bitmap has " + std::to_string(planes) + " planes");
  if (!KnownBitCount(bits)) return Fail("the bitmap has " + std::to_string(bits) + " bits per pixel");
  if (compression == kBitFields) {
    if (bits != 16 && bits != 32) return Fail("colour masks with " + std::to_string(bits) + " bits per pixel");
  } else if (compression != kRgb) {
    return Fail("compressed bitmaps are not supported");
  }

  // The 40-byte header is followed by its three masks; later headers hold them.
  const std::uint64_t masks = compression == kBitFields && headerSize == kInfoHeaderSize ? 12 : 0;
  std::uint64_t colours = coloursUsed;
  if (bits <= 8) {
    const std::uint64_t most = std::uint64_t{1} << bits;
    if (colours == 0) colours = most;
    if (colours > most) return Fail("a colour table of " + std::to_string(colours) + " entries");
  }
  const std::uint64_t pixelStart = headerSize + masks + colours * 4;
  if (pixelStart > dib.size()) return Fail("the bitmap is cut short in its colour table");

  // Rows are padded to whole 32-bit words; height < 0 marks a top-down bitmap.
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  if (rows > (dib.size() - pixelStart) / stride) return Fail("the bitmap is cut short in its pixels");
  const std::uint64_t profileEnd = ProfileEnd(dib, headerSize);
  if (profileEnd > dib.size()) return Fail("the bitmap's colour profile lies outside it");
  const std::uint64_t end = std::max(pixelStart + rows * stride, profileEnd);
  if (kFileHeaderSize + end > std::numeric_limits<std::uint32_t>::max()) return Fail("the bitmap is too large");

  BitmapFile file;
  file.bytes.reserve(static_cast<std::size_t>(kFileHeaderSize + end));
  file.bytes += "BM";
  PutU32(file.bytes, kFileHeaderSize + end);
  PutU32(file.bytes, 0);  // two reserved words
  PutU32(file.bytes, kFileHeaderSize + pixelStart);
  file.bytes.append(dib.substr(0, static_cast<std::size_t>(end)));
  return file;
}

}  // namespace mvx

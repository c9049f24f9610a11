#include "app/picture_header.h"

#include <cstdint>

namespace mvx {

namespace {

// Bounds-checked reads of the head's bytes; a read past the end gives 0.
class Bytes {
 public:
  explicit Bytes(std::string_view s) : s_(s) {}
  std::size_t Size() const { return s_.size(); }
  bool Has(std::size_t at, std::size_t n) const { return at <= s_.size() && n <= s_.size() - at; }
  std::uint32_t U8(std::size_t at) const { return Has(at, 1) ? static_cast<unsigned char>(s_[at]) : 0; }
  std::uint32_t Big16(std::size_t at) const { return U8(at) << 8 | U8(at + 1); }
  std::uint32_t Big32(std::size_t at) const { return Big16(at) << 16 | Big16(at + 2); }
  std::uint32_t Little16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
  std::uint32_t Little32(std::size_t at) const { return Little16(at) | Little16(at + 2) << 16; }
  std::uint32_t U16(std::size_t at, bool big) const { return big ? Big16(at) : Little16(at); }
  std::uint32_t U32(std::size_t at, bool big) const { return big ? Big32(at) : Little32(at); }
  // The n bytes from at, as far as the head holds them.
  Bytes Part(std::size_t at, std::size_t n) const { return Bytes(at <= s_.size() ? s_.substr(at, n) : ""); }
  bool StartsWith(std::size_t at, std::string_view prefix) const {
    return Has(at, prefix.size()) && s_.substr(at, prefix.size()) == prefix;
  }

 private:
  std::string_view s_;
};

std::optional<PictureHeader> Sized(std::int64_t width, std::int64_t height, int orientation = 1) {
  constexpr std::int64_t kMost = 1 << 30;
  if (width <= 0 || height <= 0 || width > kMost || height > kMost) return std::nullopt;
  return PictureHeader{static_cast<int>(width), static_cast<int>(height), orientation};
}

std::optional<PictureHeader> Bmp(const Bytes& b) {
  const std::uint32_t infoSize = b.Little32(14);
  if (infoSize == 12) {  // the oldest header: 16-bit sizes
    if (!b.Has(18, 4)) return std::nullopt;
    return Sized(b.Little16(18), b.Little16(20));
  }
  if (!b.Has(18, 8)) return std::nullopt;
  const auto height = static_cast<std::int32_t>(b.Little32(22));  // negative: stored top down
  return Sized(static_cast<std::int32_t>(b.Little32(18)), height < 0 ? -std::int64_t{height} : height);
}

std::optional<PictureHeader> Png(const Bytes& b) {
  if (!b.StartsWith(12, "IHDR") || !b.Has(16, 8)) return std::nullopt;
  return Sized(b.Big32(16), b.Big32(20));
}

std::optional<PictureHeader> Gif(const Bytes& b) {
  if (!b.Has(6, 4)) return std::nullopt;
  return Sized(b.Little16(6), b.Little16(8));
}

// A TIFF directory's entry count, when the head holds the whole directory:
// one cut short might have lost the very tag looked for.
std::optional<std::uint32_t> WholeDirectory(const Bytes& b, std::size_t ifd, bool big) {
  const std::uint32_t count = b.U16(ifd, big);
  if (!b.Has(ifd, 2 + std::size_t{12} * count)) return std::nullopt;
  return count;
}

// The orientation tag (274) of a TIFF structure; 1 when it has none.
int TiffOrientation(const Bytes& b) {
  const bool big = b.StartsWith(0, "MM");
  const std::size_t ifd = b.U32(4, big);
  const std::uint32_t count = WholeDirectory(b, ifd, big).value_or(0);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = ifd + 2 + 12 * i;
    if (b.U16(entry, big) != 274) continue;
    const std::uint32_t value = b.U16(entry + 8, big);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

std::optional<PictureHeader> Tiff(const Bytes& b) {
  const bool big = b.StartsWith(0, "MM");
  if (!b.Has(4, 4)) return std::nullopt;
  const std::size_t ifd = b.U32(4, big);
  const std::optional<std::uint32_t> count = WholeDirectory(b, ifd, big);
  if (!count) return std::nullopt;
  std::int64_t width = 0, height = 0;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::size_t entry = ifd + 2 + 12 * i;
    const std::uint32_t tag = b.U16(entry, big);
    const std::uint32_t type = b.U16(entry + 2, big);
    const std::uint32_t value = type == 3 ? b.U16(entry + 8, big) : b.U32(entry + 8, big);
    if (tag == 256) width = value;
    if (tag == 257) height = value;
  }
  return Sized(width, height, TiffOrientation(b));
}

// Walks the markers up to the first frame header; an EXIF block met on the
// way gives the orientation.
std::optional<PictureHeader> Jpeg(const Bytes& b) {
  int orientation = 1;
  std::size_t at = 2;
  while (b.Has(at, 4)) {
    if (b.U8(at) != 0xFF) return std::nullopt;
    const std::uint32_t marker = b.U8(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const std::uint32_t length = b.Big16(at + 2);
    if (length < 2) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (!b.Has(at + 5, 4)) return std::nullopt;
      return Sized(b.Big16(at + 7), b.Big16(at + 5), orientation);
    }
    if (marker == 0xE1 && b.StartsWith(at + 4, std::string_view("Exif\0\0", 6))) {
      orientation = TiffOrientation(b.Part(at + 10, length >= 8 ? length - 8 : 0));  // within its own block
    }
    at += 2 + length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PictureHeader> ParsePictureHeader(std::string_view head) {
  const Bytes b(head);
  if (b.StartsWith(0, "BM")) return Bmp(b);
  if (b.StartsWith(0, "\x89PNG\r\n\x1a\n")) return Png(b);
  if (b.StartsWith(0, "GIF87a") || b.StartsWith(0, "GIF89a")) return Gif(b);
  if (b.StartsWith(0, "\xFF\xD8")) return Jpeg(b);
  if (b.StartsWith(0, std::string_view("II*\0", 4)) || b.StartsWith(0, std::string_view("MM\0*", 4))) return Tiff(b);
  return std::nullopt;
}

PictureSize ShownSize(const PictureHeader& header) {
  // Orientations 5 to 8 turn the picture a quarter: width and height swap.
  if (header.orientation >= 5) return {header.height, header.width};
  return {header.width, header.height};
}

}  // namespace mvx

#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

namespace mvx::testing {

// Picture headers written by hand, and photographs stored sideways with an
// orientation tag.
inline std::string Bytes(std::uint32_t value, int count, bool bigEndian) {
  std::string out;
  for (int i = 0; i < count; ++i) out.push_back(static_cast<char>(value >> 8 * (bigEndian ? count - 1 - i : i)));
  return out;
}

struct TiffTag {
  std::uint16_t tag, type;  // type 3: 16 bits, 4: 32 bits
  std::uint32_t value;
};

// A TIFF structure in Motorola ("MM") or Intel ("II") order of one directory.
inline std::string TiffBytes(bool big, std::initializer_list<TiffTag> tags) {
  std::string out = std::string(big ? "MM\0*" : "II*\0", 4) + Bytes(8, 4, big) +
                    Bytes(static_cast<std::uint32_t>(tags.size()), 2, big);
  for (const TiffTag& t : tags) {
    out += Bytes(t.tag, 2, big) + Bytes(t.type, 2, big) + Bytes(1, 4, big) +
           (t.type == 3 ? Bytes(t.value, 2, big) + std::string(2, '\0') : Bytes(t.value, 4, big));
  }
  return out + Bytes(0, 4, big);
}

inline std::string JpegSegment(std::uint8_t marker, const std::string& body) {
  return "\xFF" + std::string(1, static_cast<char>(marker)) +
         Bytes(static_cast<std::uint32_t>(body.size() + 2), 2, true) + body;
}

inline std::string ExifSegment(int orientation, bool big) {
  return JpegSegment(0xE1, std::string("Exif\0\0", 6) + TiffBytes(big, {{274, 3, std::uint32_t(orientation)}}));
}

// A frame header of one component; 0xC0 baseline, 0xC2 progressive.
inline std::string JpegFrame(int width, int height, std::uint8_t marker = 0xC0) {
  return JpegSegment(marker,
                     "\x08" + Bytes(height, 2, true) + Bytes(width, 2, true) + std::string("\x01\x01\x11\0", 4));
}

// A JPEG file with an EXIF block of this orientation right after its start.
inline std::string WithOrientation(const std::string& jpeg, int orientation, bool big = false) {
  return jpeg.substr(0, 2) + ExifSegment(orientation, big) + jpeg.substr(2);
}

}  // namespace mvx::testing

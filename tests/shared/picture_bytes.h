#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

#include "inventory/crc32.h"

namespace mvx::testing {

namespace png_detail {

inline void PutBigEndian(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

inline void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  PutBigEndian(out, Crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
inline std::string StoredZlib(const std::string& raw) {
  std::string z = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
    z.push_back(at + n == raw.size() ? '\x01' : '\x00');
    z.push_back(static_cast<char>(n & 0xFF));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xFF));
    z.push_back(static_cast<char>((~n >> 8) & 0xFF));
    z.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(z, (b << 16) | a);
  return z;
}

}  // namespace png_detail

// The header and the first chunk of a PNG file claiming the given size, 8-bit
// RGB; what follows is up to the caller.
inline std::string PngHeader(std::uint32_t width, std::uint32_t height) {
  std::string png = "\x89PNG\r\n\x1A\n";
  std::string ihdr;
  png_detail::PutBigEndian(ihdr, width);
  png_detail::PutBigEndian(ihdr, height);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  png_detail::PutChunk(png, "IHDR", ihdr);
  return png;
}

// A whole PNG file of the given size, every pixel of one colour; written
// here byte by byte, so that no decoder under test also made it.
inline std::string PngBytes(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  std::string raw;
  raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // no filter on this row
    for (int x = 0; x < width; ++x) {
      raw.push_back(static_cast<char>(red));
      raw.push_back(static_cast<char>(green));
      raw.push_back(static_cast<char>(blue));
    }
  }
  std::string png = PngHeader(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
  png_detail::PutChunk(png, "IDAT", png_detail::StoredZlib(raw));
  png_detail::PutChunk(png, "IEND", "");
  return png;
}

// A whole GIF file of the given size, every pixel of the first of its two
// colours (red, green, blue). The codes are packed by hand: a clear code
// after every second pixel keeps them all three bits wide.
inline std::string GifBytes(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  auto put16 = [](std::string& out, int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  std::string gif = "GIF89a";
  put16(gif, width);
  put16(gif, height);
  gif += std::string("\x80\x00\x00", 3);  // a global table of two colours
  gif += {static_cast<char>(red), static_cast<char>(green), static_cast<char>(blue), '\0', '\0', '\0'};
  gif.push_back(',');
  put16(gif, 0);
  put16(gif, 0);
  put16(gif, width);
  put16(gif, height);
  gif.push_back('\0');
  gif.push_back('\x02');  // smallest code size: 2 bits, so 3-bit codes
  constexpr unsigned kClear = 4, kEnd = 5, kBits = 3;
  std::string data;
  std::uint32_t pending = 0;
  unsigned pendingBits = 0;
  auto code = [&](unsigned c) {
    pending |= c << pendingBits;
    pendingBits += kBits;
    while (pendingBits >= 8) {
      data.push_back(static_cast<char>(pending & 0xFF));
      pending >>= 8;
      pendingBits -= 8;
    }
  };
  const long pixels = static_cast<long>(width) * height;
  for (long i = 0; i < pixels; ++i) {
    if (i % 2 == 0) code(kClear);
    code(0);
  }
  code(kEnd);
  if (pendingBits > 0) data.push_back(static_cast<char>(pending & 0xFF));
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    gif.push_back(static_cast<char>(n));
    gif.append(data, at, n);
  }
  gif.push_back('\0');
  gif.push_back(';');
  return gif;
}

}  // namespace mvx::testing

#pragma once
#include <cstdint>
#include <string>

namespace mvx::testing {

// The colour of every pixel of BitmapBytes, as red, green, blue.
inline constexpr std::uint8_t kBitmapRed = 0x30, kBitmapGreen = 0xC0, kBitmapBlue = 0x20;

// The bytes of a Windows bitmap file of the given size, 24 bits a pixel, all
// of one clear colour that a look at the screen can find.
inline std::string BitmapBytes(int width, int height) {
  auto put = [](std::string& b, std::size_t at, std::uint32_t v, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t pixels = stride * h;
  std::string b(54 + pixels, '\0');
  b[0] = 'B';
  b[1] = 'M';
  put(b, 2, 54 + pixels, 4);
  put(b, 10, 54, 4);
  put(b, 14, 40, 4);
  put(b, 18, w, 4);
  put(b, 22, h, 4);
  put(b, 26, 1, 2);
  put(b, 28, 24, 2);
  put(b, 34, pixels, 4);
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::size_t at = 54 + y * stride + x * 3;
      b[at] = static_cast<char>(kBitmapBlue);
      b[at + 1] = static_cast<char>(kBitmapGreen);
      b[at + 2] = static_cast<char>(kBitmapRed);
    }
  }
  return b;
}

}  // namespace mvx::testing

#pragma once
#include <cstdint>
#include <string>

namespace mvx::testing {

struct DibShape {
  std::uint32_t headerSize = 40;
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
};

inline void PutLe(std::string& out, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A packed bitmap: the header of the given shape followed by `rest` bytes
// (masks, colour table and pixels), each byte numbered so that copies can be
// told apart.
inline std::string Dib(const DibShape& s, std::size_t rest) {
  std::string dib(s.headerSize + rest, '\0');
  PutLe(dib, 0, s.headerSize, 4);
  PutLe(dib, 4, static_cast<std::uint32_t>(s.width), 4);
  PutLe(dib, 8, static_cast<std::uint32_t>(s.height), 4);
  PutLe(dib, 12, s.planes, 2);
  PutLe(dib, 14, s.bits, 2);
  PutLe(dib, 16, s.compression, 4);
  PutLe(dib, 32, s.coloursUsed, 4);
  for (std::size_t i = s.headerSize; i < dib.size(); ++i) dib[i] = static_cast<char>(i * 7 + 1);
  return dib;
}

// A 2 x 2 picture in 24 bits: 40 header bytes and two rows of 8 bytes.
inline std::string SmallDib() {
  return Dib(DibShape{}, 16);
}

}  // namespace mvx::testing

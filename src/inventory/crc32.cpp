#include "inventory/crc32.h"

#include <array>

namespace mvx {

namespace {

// Eight tables, so the loop takes eight bytes a step: the data file of a
// large inventory is checked in a few milliseconds.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t i = 0; i < 256; ++i) {
    for (std::size_t k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
  }
  return t;
}

constexpr Tables kTables = MakeTables();

std::uint32_t Byte(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  std::uint32_t c = ~crc;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    const std::uint32_t lo =
        c ^ (Byte(bytes, i) | Byte(bytes, i + 1) << 8 | Byte(bytes, i + 2) << 16 | Byte(bytes, i + 3) << 24);
    const std::uint32_t hi =
        Byte(bytes, i + 4) | Byte(bytes, i + 5) << 8 | Byte(bytes, i + 6) << 16 | Byte(bytes, i + 7) << 24;
    c = kTables[7][lo & 0xFFu] ^ kTables[6][(lo >> 8) & 0xFFu] ^ kTables[5][(lo >> 16) & 0xFFu] ^ kTables[4][lo >> 24] ^
        kTables[3][hi & 0xFFu] ^ kTables[2][(hi >> 8) & 0xFFu] ^ kTables[1][(hi >> 16) & 0xFFu] ^ kTables[0][hi >> 24];
  }
  for (; i < bytes.size(); ++i) c = kTables[0][(c ^ Byte(bytes, i)) & 0xFFu] ^ (c >> 8);
  return ~c;
}

}  // namespace mvx

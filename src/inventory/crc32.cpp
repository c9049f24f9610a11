#include "inventory/crc32.h"

#include <array>
#include <bit>
#include <cstring>

namespace mvx {

namespace {

// Sixteen tables, so the loop takes sixteen bytes a step: the data file of a
// large inventory is checked at close to the speed of copying it.
constexpr std::size_t kSlices = 16;
using Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

constexpr Tables MakeTables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t i = 0; i < 256; ++i) {
    for (std::size_t k = 1; k < kSlices; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
  }
  return t;
}

constexpr Tables kTables = MakeTables();

std::uint32_t Load32(const char* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
  } else {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0] | u[1] << 8 | u[2] << 16 | u[3] << 24);
  }
}

std::uint32_t Slice(std::size_t table, std::uint32_t word, int byte) {
  return kTables[table][(word >> (8 * byte)) & 0xFFu];
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  std::uint32_t c = ~crc;
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  for (; n >= kSlices; n -= kSlices, p += kSlices) {
    const std::uint32_t w0 = Load32(p) ^ c, w1 = Load32(p + 4), w2 = Load32(p + 8), w3 = Load32(p + 12);
    c = Slice(15, w0, 0) ^ Slice(14, w0, 1) ^ Slice(13, w0, 2) ^ Slice(12, w0, 3) ^ Slice(11, w1, 0) ^
        Slice(10, w1, 1) ^ Slice(9, w1, 2) ^ Slice(8, w1, 3) ^ Slice(7, w2, 0) ^ Slice(6, w2, 1) ^ Slice(5, w2, 2) ^
        Slice(4, w2, 3) ^ Slice(3, w3, 0) ^ Slice(2, w3, 1) ^ Slice(1, w3, 2) ^ Slice(0, w3, 3);
  }
  for (; n > 0; --n, ++p) c = kTables[0][(c ^ static_cast<unsigned char>(*p)) & 0xFFu] ^ (c >> 8);
  return ~c;
}

}  // namespace mvx

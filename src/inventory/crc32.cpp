#include "inventory/crc32.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#define MVX_CLMUL_FUNCTION
#else
#define MVX_CLMUL_FUNCTION __attribute__((target("pclmul")))
#endif
#define MVX_HAVE_CLMUL 1
#endif

namespace mvx {

namespace {

// Sixteen tables, so the loop takes sixteen bytes a step where the
// processor has no carry-less multiply, and for the last few bytes.
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

// c is the register (the complement of a CRC so far).
std::uint32_t ByTables(const char* p, std::size_t n, std::uint32_t c) {
  for (; n >= kSlices; n -= kSlices, p += kSlices) {
    const std::uint32_t w0 = Load32(p) ^ c, w1 = Load32(p + 4), w2 = Load32(p + 8), w3 = Load32(p + 12);
    c = Slice(15, w0, 0) ^ Slice(14, w0, 1) ^ Slice(13, w0, 2) ^ Slice(12, w0, 3) ^ Slice(11, w1, 0) ^
        Slice(10, w1, 1) ^ Slice(9, w1, 2) ^ Slice(8, w1, 3) ^ Slice(7, w2, 0) ^ Slice(6, w2, 1) ^ Slice(5, w2, 2) ^
        Slice(4, w2, 3) ^ Slice(3, w3, 0) ^ Slice(2, w3, 1) ^ Slice(1, w3, 2) ^ Slice(0, w3, 3);
  }
  for (; n > 0; --n, ++p) c = kTables[0][(c ^ static_cast<unsigned char>(*p)) & 0xFFu] ^ (c >> 8);
  return c;
}

#ifdef MVX_HAVE_CLMUL

// Folding with carry-less multiplication: four 128-bit lanes are multiplied
// forward by x^512 (x^128 once they are merged) modulo the polynomial, in
// the bit-reflected domain, and the last 64 bits are reduced with a Barrett
// step. The constants are those powers of x modulo 0x104C11DB7.
constexpr std::size_t kFoldBlock = 64;

MVX_CLMUL_FUNCTION __m128i Load128(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// x times its constant pair, added to the next 128 bits.
MVX_CLMUL_FUNCTION __m128i Fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// n is a multiple of 16 and at least kFoldBlock; c is the register.
MVX_CLMUL_FUNCTION std::uint32_t ByFolding(const char* p, std::size_t n, std::uint32_t c) {
  const __m128i by512 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
  const __m128i by128 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
  const __m128i by64 = _mm_set_epi64x(0, 0x163cd6124);
  const __m128i barrett = _mm_set_epi64x(0x1f7011641, 0x1db710641);
  const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
  __m128i lane[4] = {_mm_xor_si128(Load128(p), _mm_cvtsi32_si128(static_cast<int>(c))), Load128(p + 16),
                     Load128(p + 32), Load128(p + 48)};
  for (p += kFoldBlock, n -= kFoldBlock; n >= kFoldBlock; p += kFoldBlock, n -= kFoldBlock) {
    for (int i = 0; i < 4; ++i) lane[i] = Fold(lane[i], by512, Load128(p + 16 * i));
  }
  __m128i x = Fold(Fold(Fold(lane[0], by128, lane[1]), by128, lane[2]), by128, lane[3]);
  for (; n >= 16; p += 16, n -= 16) x = Fold(x, by128, Load128(p));
  x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(x, by128, 0x10));
  x = _mm_xor_si128(_mm_srli_si128(x, 4), _mm_clmulepi64_si128(_mm_and_si128(x, low32), by64, 0x00));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, low32), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), barrett, 0x00);
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(x, t), 4)));
}

bool HasCarrylessMultiply() {
#if defined(_MSC_VER) && !defined(__clang__)
  int registers[4] = {};
  __cpuid(registers, 1);
  return (registers[2] & (1 << 1)) != 0;
#else
  return __builtin_cpu_supports("pclmul");
#endif
}

#endif

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  std::uint32_t c = ~crc;
  const char* p = bytes.data();
  std::size_t n = bytes.size();
#ifdef MVX_HAVE_CLMUL
  static const bool folding = HasCarrylessMultiply();
  if (folding && n >= kFoldBlock) {
    const std::size_t bulk = n & ~std::size_t{15};
    c = ByFolding(p, bulk, c);
    p += bulk;
    n -= bulk;
  }
#endif
  return ~ByTables(p, n, c);
}

}  // namespace mvx

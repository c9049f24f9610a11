#include "adding/bitmap_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "unit/dib_builder.h"

namespace mvx {
namespace {

using testing::Dib;
using testing::DibShape;
using testing::PutLe;

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return v;
}

TEST(BitmapFile, PutsTheFileHeaderBeforeTheBitmapBytes) {
  const std::string dib = testing::SmallDib();
  const BitmapFile file = BitmapFileFromDib(dib);
  ASSERT_TRUE(file.ok()) << file.reason;
  ASSERT_EQ(file.bytes.size(), 70u);
  EXPECT_EQ(file.bytes.substr(0, 2), "BM");
  EXPECT_EQ(U32At(file.bytes, 2), 70u);
  EXPECT_EQ(U32At(file.bytes, 6), 0u);
  EXPECT_EQ(U32At(file.bytes, 10), 54u);
  EXPECT_EQ(file.bytes.substr(14), dib);
}

TEST(BitmapFile, PixelsStartBehindTheMasksAndTheColourTable) {
  struct Case {
    const char* what;
    DibShape shape;
    std::size_t rest;
    std::uint32_t pixelOffset;
  };
  const Case cases[] = {
      {"full 256-colour table", {.bits = 8}, 1024 + 8, 14 + 40 + 1024},
      {"table of the colours used", {.bits = 8, .coloursUsed = 2}, 8 + 8, 14 + 40 + 8},
      {"two colours for one bit", {.width = 9, .bits = 1}, 8 + 8, 14 + 40 + 8},
      {"masks behind the 40-byte header", {.bits = 16, .compression = 3}, 12 + 8, 14 + 40 + 12},
      {"masks inside a larger header", {.headerSize = 108, .bits = 32, .compression = 3}, 16, 14 + 108},
      {"optional table of a true-colour bitmap", {.bits = 32, .coloursUsed = 3}, 12 + 16, 14 + 40 + 12},
      {"rows of odd width padded to words", {.width = 3, .height = -2, .bits = 24}, 24, 14 + 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string dib = Dib(c.shape, c.rest);
    const BitmapFile file = BitmapFileFromDib(dib);
    ASSERT_TRUE(file.ok()) << file.reason;
    EXPECT_EQ(U32At(file.bytes, 10), c.pixelOffset);
    EXPECT_EQ(file.bytes.substr(14), dib);
  }
}

TEST(BitmapFile, BytesBehindThePixelsAreLeftOut) {
  const std::string dib = testing::SmallDib() + "spare";
  const BitmapFile file = BitmapFileFromDib(dib);
  ASSERT_TRUE(file.ok()) << file.reason;
  EXPECT_EQ(U32At(file.bytes, 2), 70u);
  EXPECT_EQ(file.bytes.substr(14), testing::SmallDib());
}

TEST(BitmapFile, AColourProfileBehindThePixelsIsKept) {
  std::string dib = Dib({.headerSize = 124, .bits = 32, .compression = 3}, 16 + 20);
  PutLe(dib, 56, 0x4D424544, 4);  // embedded profile
  PutLe(dib, 112, 124 + 16, 4);
  PutLe(dib, 116, 20, 4);
  const BitmapFile file = BitmapFileFromDib(dib);
  ASSERT_TRUE(file.ok()) << file.reason;
  EXPECT_EQ(file.bytes.substr(14), dib);

  PutLe(dib, 116, 21, 4);
  EXPECT_FALSE(BitmapFileFromDib(dib).ok());
  PutLe(dib, 112, 0xFFFFFFFF, 4);
  EXPECT_FALSE(BitmapFileFromDib(dib).ok());
}

TEST(BitmapFile, ABitmapCutShortOrAtOddsWithItselfGivesNoBytes) {
  struct Case {
    const char* what;
    std::string dib;
  };
  std::string fortyHeaderOnly = testing::SmallDib().substr(0, 39);
  std::string pixelsShort = testing::SmallDib();
  pixelsShort.pop_back();
  const Case cases[] = {
      {"nothing", ""},
      {"less than the header's size", std::string("\x28\0\0", 3)},
      {"header cut short", fortyHeaderOnly},
      {"the old 12-byte header", Dib({.headerSize = 12}, 64)},
      {"an unknown header size", Dib({.headerSize = 64}, 64)},
      {"no columns", Dib({.width = 0}, 64)},
      {"negative width", Dib({.width = -2}, 64)},
      {"no rows", Dib({.height = 0}, 64)},
      {"two planes", Dib({.planes = 2}, 64)},
      {"three bits per pixel", Dib({.bits = 3}, 64)},
      {"run-length compression", Dib({.bits = 8, .compression = 1}, 2048)},
      {"masks with 24 bits", Dib({.compression = 3}, 64)},
      {"more colours than the bits address", Dib({.bits = 8, .coloursUsed = 257}, 2048)},
      {"colour table cut short", Dib({.bits = 8}, 1023)},
      {"masks cut short", Dib({.bits = 16, .compression = 3}, 11)},
      {"pixels cut short by one byte", pixelsShort},
      {"the lowest height", Dib({.height = INT_MIN}, 64)},
      {"the widest row", Dib({.width = INT_MAX, .bits = 32}, 64)},
      {"a huge optional colour table", Dib({.bits = 24, .coloursUsed = 0xFFFFFFFF}, 64)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BitmapFile file = BitmapFileFromDib(c.dib);
    EXPECT_FALSE(file.ok());
    EXPECT_TRUE(file.bytes.empty());
  }
}

}  // namespace
}  // namespace mvx

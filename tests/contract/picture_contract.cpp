#include <gtest/gtest.h>

#include "contract/contract_env.h"
#include "shared/bitmap_bytes.h"
#include "shared/picture_bytes.h"

namespace mvx::contract {
namespace {

using testing::BitmapBytes;
using testing::GifBytes;
using testing::PngBytes;

struct Sized {
  bool loaded = false;
  int width = 0, height = 0;
};

Sized LoadOf(PicturePort& pictures, const std::string& path) {
  const std::shared_ptr<const LoadedPicture> picture = pictures.Load(path);
  if (!picture) return {};
  return {true, picture->Size().width, picture->Size().height};
}

bool operator==(const Sized& a, const Sized& b) {
  return a.loaded == b.loaded && a.width == b.width && a.height == b.height;
}

void PrintTo(const Sized& s, std::ostream* os) {
  *os << (s.loaded ? std::to_string(s.width) + " x " + std::to_string(s.height) : std::string("not loaded"));
}

// The content decides, not the name: a PNG named ".jpg" is the PNG it is,
// and words named ".png" are no picture.
TEST(PictureContract, EachFormatGivesItsNaturalSizeByContentAndAnythingElseNone) {
  auto env = MakeContractEnv();
  FilePort& files = env->P().files;
  const std::string dir = env->FreshFolder();
  const std::string png = PngBytes(7, 3, 0x10, 0x80, 0xF0);
  const struct {
    const char* name;
    std::string bytes;
    Sized expected;
  } cases[] = {
      {"wide.bmp", BitmapBytes(100, 50), {true, 100, 50}},
      {"map.png", png, {true, 7, 3}},
      {"spin.gif", GifBytes(5, 9, 0xE0, 0x20, 0x40), {true, 5, 9}},
      {"misnamed.jpg", PngBytes(4, 11, 0xFF, 0xFF, 0x00), {true, 4, 11}},
      {"notes.png", "these are words, not pixels", {}},
      {"notes.bmp", "these are words, not pixels", {}},
      {"empty.png", "", {}},
      {"cut.png", png.substr(0, png.size() / 2), {}},
      {"flat.png", PngBytes(0, 3, 0, 0, 0), {}},
  };
  for (const auto& c : cases) ASSERT_TRUE(WriteNewFile(files, dir + "\\" + c.name, c.bytes)) << c.name;
  for (const auto& c : cases) EXPECT_EQ(LoadOf(env->P().pictures, dir + "\\" + c.name), c.expected) << c.name;
  EXPECT_EQ(LoadOf(env->P().pictures, dir + "\\missing.bmp"), Sized{});
}

TEST(PictureContract, APictureIsReadAnewOnEveryLoadAndKeepsItsSizeAfterItsFileIsGone) {
  auto env = MakeContractEnv();
  FilePort& files = env->P().files;
  const std::string path = env->FreshFolder() + "\\p.png";
  ASSERT_TRUE(WriteNewFile(files, path, PngBytes(3, 2, 1, 2, 3)));
  const std::shared_ptr<const LoadedPicture> held = env->P().pictures.Load(path);
  ASSERT_TRUE(held);
  ASSERT_TRUE(files.Delete(path));
  EXPECT_FALSE(env->P().pictures.Load(path));
  EXPECT_EQ(held->Size().width, 3);
  EXPECT_EQ(held->Size().height, 2);
}

}  // namespace
}  // namespace mvx::contract

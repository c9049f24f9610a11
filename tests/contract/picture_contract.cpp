#include <gtest/gtest.h>

#include "contract/contract_env.h"
#include "shared/bitmap_bytes.h"

namespace mvx::contract {
namespace {

TEST(PictureContract, ABitmapFileGivesItsNaturalSizeAndAnythingElseNone) {
  auto env = MakeContractEnv();
  FilePort& files = env->P().files;
  PicturePort& pictures = env->P().pictures;
  const std::string dir = env->FreshFolder();
  ASSERT_TRUE(WriteNewFile(files, dir + "\\wide.bmp", testing::BitmapBytes(100, 50)));
  ASSERT_TRUE(WriteNewFile(files, dir + "\\notes.bmp", "these are words, not pixels"));

  const auto wide = pictures.Measure(dir + "\\wide.bmp");
  ASSERT_TRUE(wide.has_value());
  EXPECT_EQ(wide->width, 100);
  EXPECT_EQ(wide->height, 50);
  EXPECT_FALSE(pictures.Measure(dir + "\\notes.bmp").has_value());
  EXPECT_FALSE(pictures.Measure(dir + "\\missing.bmp").has_value());
}

TEST(PictureContract, APictureIsReadAnewOnEveryLoad) {
  auto env = MakeContractEnv();
  FilePort& files = env->P().files;
  const std::string path = env->FreshFolder() + "\\p.bmp";
  ASSERT_TRUE(WriteNewFile(files, path, testing::BitmapBytes(3, 2)));
  ASSERT_TRUE(env->P().pictures.Measure(path).has_value());
  ASSERT_TRUE(files.Delete(path));
  EXPECT_FALSE(env->P().pictures.Measure(path).has_value());
}

}  // namespace
}  // namespace mvx::contract

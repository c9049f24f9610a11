#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    auto opened = reg.OpenKey(kHkeyCurrentUser, path);
    ASSERT_TRUE(opened.has_value());
    key = *opened;
  }
  void TearDown() override { reg.CloseKey(key); }

  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  RegistryPort& reg = env->P().registry;
  std::string path = env->FreshRegistryKey();
  RegKey key = 0;
};

TEST_F(RegistryContract, OpenNeverCreatesAKey) {
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, path + "\\Missing"), std::nullopt);
  EXPECT_EQ(reg.OpenKey(key, "Missing"), std::nullopt);
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, path + "\\Missing"), std::nullopt);
  const auto made = reg.CreateKey(key, "Made");
  ASSERT_TRUE(made.has_value());
  reg.CloseKey(*made);
  const auto opened = reg.OpenKey(kHkeyCurrentUser, path + "\\made");
  ASSERT_TRUE(opened.has_value());
  reg.CloseKey(*opened);
}

TEST_F(RegistryContract, TheDesktopKeyOpensInTwoSteps) {
  const auto panel = reg.OpenKey(kHkeyCurrentUser, "Control Panel");
  ASSERT_TRUE(panel.has_value());
  const auto desktop = reg.OpenKey(*panel, "Desktop");
  ASSERT_TRUE(desktop.has_value());
  reg.CloseKey(*desktop);
  reg.CloseKey(*panel);
}

TEST_F(RegistryContract, StringValuesRoundTripWithoutTheirTerminator) {
  for (const std::string& text : {std::string("c:\\pics\\sea.bmp"), std::string(),
                                  std::string("c:\\Bilder\\Gr\xC3\xBC\xC3\x9F"
                                              "e.bmp")}) {
    ASSERT_TRUE(reg.SetValue(key, "Wallpaper", {kRegSz, text}));
    const auto read = reg.QueryValue(key, "WALLPAPER");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->type, kRegSz);
    EXPECT_EQ(read->data, text);
  }
}

TEST_F(RegistryContract, ADwordValueReadsBackWithItsType) {
  const std::string one("\x01\x00\x00\x00", 4);
  ASSERT_TRUE(reg.SetValue(key, "TileWallpaper", {kRegDword, one}));
  const auto read = reg.QueryValue(key, "TileWallpaper");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->type, kRegDword);
  EXPECT_EQ(read->data, one);
}

TEST_F(RegistryContract, AMissingValueIsNoneAndADeletedValueGoesMissing) {
  EXPECT_EQ(reg.QueryValue(key, "TileWallpaper"), std::nullopt);
  EXPECT_FALSE(reg.DeleteValue(key, "TileWallpaper"));
  ASSERT_TRUE(reg.SetValue(key, "TileWallpaper", {kRegSz, "1"}));
  ASSERT_TRUE(reg.DeleteValue(key, "tilewallpaper"));
  EXPECT_EQ(reg.QueryValue(key, "TileWallpaper"), std::nullopt);
}

}  // namespace
}  // namespace mvx::contract

#include <gtest/gtest.h>

#include <functional>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class WatchContract : public ::testing::Test {
 protected:
  // Whether the watch's call came (again) within a second of the change.
  bool Called(const std::function<void()>& change) {
    const int before = calls;
    change();
    for (int waited = 0; waited < 1000 && calls == before; waited += 50) env->RunFor(50);
    env->RunFor(100);  // one call stands for the whole change
    return calls > before;
  }
  // Sets the value, or deletes it when value is empty.
  void Write(const std::string& key, const std::string& name, const std::string& value) {
    const auto opened = registry.OpenKey(kHkeyCurrentUser, key);
    ASSERT_TRUE(opened.has_value());
    ASSERT_TRUE(value.empty() ? registry.DeleteValue(*opened, name)
                              : registry.SetValue(*opened, name, {kRegSz, value}));
    registry.CloseKey(*opened);
  }

  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  WatchPort& watches = env->P().watches;
  RegistryPort& registry = env->P().registry;
  FilePort& files = env->P().files;
  int calls = 0;
};

TEST_F(WatchContract, AValueSetOrDeletedInTheKeyCallsUntilTheWatchStops) {
  const std::string key = env->FreshRegistryKey(), other = env->FreshRegistryKey();
  const WatchId id = watches.WatchKey(kHkeyCurrentUser, key, [this] { ++calls; });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(Called([] {})) << "nothing changed";
  EXPECT_FALSE(Called([&] { Write(other, "Wallpaper", "sea.bmp"); })) << "another key";
  EXPECT_TRUE(Called([&] { Write(key, "Wallpaper", "sea.bmp"); }));
  EXPECT_TRUE(Called([&] { Write(key, "Wallpaper", ""); }));
  watches.StopWatch(id);
  EXPECT_FALSE(Called([&] { Write(key, "TileWallpaper", "0"); })) << "stopped";
}

TEST_F(WatchContract, AFileMadeWrittenMovedOrDeletedInTheFolderCallsUntilTheWatchStops) {
  const std::string folder = env->FreshFolder(), other = env->FreshFolder();
  const WatchId id = watches.WatchFolder(folder, [this] { ++calls; });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(Called([&] { WriteNewFile(files, other + "\\Sea.bmp", "sea"); })) << "another folder";
  EXPECT_TRUE(Called([&] { WriteNewFile(files, folder + "\\Sky.bmp", "sky"); }));
  EXPECT_TRUE(Called([&] { files.Move(other + "\\Sea.bmp", folder + "\\Sea.bmp"); })) << "moved in";
  EXPECT_TRUE(Called([&] { files.Delete(folder + "\\Sky.bmp"); }));
  watches.StopWatch(id);
  EXPECT_FALSE(Called([&] { files.Delete(folder + "\\Sea.bmp"); })) << "stopped";
}

TEST_F(WatchContract, AKeyOrFolderThatIsNotThereCannotBeWatched) {
  EXPECT_EQ(watches.WatchKey(kHkeyCurrentUser, env->FreshRegistryKey() + "\\Missing", [] {}), 0u);
  EXPECT_EQ(watches.WatchFolder(env->FreshFolder() + "\\Missing", [] {}), 0u);
}

}  // namespace
}  // namespace mvx::contract

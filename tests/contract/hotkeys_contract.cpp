#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

// Keys no desktop gives to anything else: Ctrl+Alt+Shift with F21 to F24.
constexpr std::uint32_t kAll = kModControl | kModAlt | kModShift;
constexpr std::uint32_t kF21 = 0x84, kF22 = 0x85, kF23 = 0x86;

TEST(HotkeysContract, ACombinationHasOneHolderUntilLetGoWhateverItsRepeatBit) {
  auto env = MakeContractEnv();
  HotkeyPort& keys = env->P().hotkeys;
  ASSERT_TRUE(keys.Register(0, 7, kAll | kModNoRepeat, kF21));
  EXPECT_FALSE(keys.Register(0, 8, kAll, kF21));
  EXPECT_FALSE(keys.Register(0, 8, kAll | kModNoRepeat, kF21));
  EXPECT_TRUE(keys.Register(0, 8, kModControl | kModAlt, kF21));  // other modifiers: another combination
  EXPECT_TRUE(keys.Unregister(0, 7));
  EXPECT_FALSE(keys.Unregister(0, 7));
  EXPECT_TRUE(keys.Register(0, 9, kAll, kF21));
  EXPECT_TRUE(keys.Unregister(0, 8));
  EXPECT_TRUE(keys.Unregister(0, 9));
}

TEST(HotkeysContract, AnIdRegisteredAgainTakesTheNewCombinationAndLetsTheOldGo) {
  auto env = MakeContractEnv();
  HotkeyPort& keys = env->P().hotkeys;
  ASSERT_TRUE(keys.Register(0, 11, kAll, kF22));
  ASSERT_TRUE(keys.Register(0, 11, kAll, kF23));
  EXPECT_TRUE(keys.Register(0, 12, kAll, kF22));
  EXPECT_FALSE(keys.Register(0, 13, kAll, kF23));
  EXPECT_TRUE(keys.Unregister(0, 11));
  EXPECT_FALSE(keys.Unregister(0, 11));
  EXPECT_TRUE(keys.Unregister(0, 12));
}

TEST(InstanceContract, NoWindowOfAClassNoOneRegisteredIsFound) {
  auto env = MakeContractEnv();
  EXPECT_EQ(env->P().instance.FindTopWindowOfClass("MurovexNoSuchClass"), 0u);
}

}  // namespace
}  // namespace mvx::contract

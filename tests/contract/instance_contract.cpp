#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

TEST(InstanceContract, RegisteringANameTwiceGivesTheSameMessage) {
  auto env = MakeContractEnv();
  InstancePort& instance = env->P().instance;
  const std::uint32_t restore = instance.RegisterMessage("RestoreMurovex");
  const std::uint32_t shutdown = instance.RegisterMessage("ShutdownMurovex");
  EXPECT_EQ(instance.RegisterMessage("RestoreMurovex"), restore);
  EXPECT_NE(restore, shutdown);
  for (const std::uint32_t m : {restore, shutdown}) {
    EXPECT_GE(m, 0xC000u);
    EXPECT_LE(m, 0xFFFFu);
  }
}

TEST(InstanceContract, TheFirstToWaitOnAFreshMutexAcquiresIt) {
  auto env = MakeContractEnv();
  // A name no other run uses: mutex names may not hold backslashes.
  std::string name = "Murovex contract " + env->FreshFolder();
  for (char& c : name) c = c == '\\' ? '/' : c;
  EXPECT_EQ(env->P().instance.CreateAndWaitMutex(name), MutexWait::Acquired);
}

}  // namespace
}  // namespace mvx::contract

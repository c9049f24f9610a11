#include <gtest/gtest.h>

#include "app/file_info.h"
#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

TEST(DesktopContract, TheScreenSaverDesktopFailsToOpenWithFileNotFoundWhenNoSaverRuns) {
  auto env = MakeContractEnv();
  const OpenDesktopResult result = env->P().desktop.OpenDesktopNamed("screen-saver");
  EXPECT_EQ(result.handle, 0u);
  EXPECT_EQ(result.error, winerr::kFileNotFound);
  EXPECT_FALSE(ScreenSaverRunning(env->P().desktop));
}

}  // namespace
}  // namespace mvx::contract

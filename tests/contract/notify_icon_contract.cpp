#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

TEST(NotifyIconContract, TheIconIsAddedOnceChangedAndTakenAwayOnce) {
  auto env = MakeContractEnv();
  NotifyIconPort& icon = env->P().notifyIcon;
  using M = NotifyIconMessage;
  EXPECT_FALSE(icon.NotifyIcon(M::Modify, 1, 1, "Murovex"));
  EXPECT_FALSE(icon.NotifyIcon(M::Delete, 1, 1, "Murovex"));
  EXPECT_TRUE(icon.NotifyIcon(M::Add, 1, 1, "Murovex"));
  EXPECT_FALSE(icon.NotifyIcon(M::Add, 1, 1, "Murovex"));
  EXPECT_TRUE(icon.NotifyIcon(M::Modify, 1, 1, "Murovex - sea.bmp"));
  EXPECT_TRUE(icon.NotifyIcon(M::ModifyTip, 1, 1, "Murovex - alps.bmp"));
  EXPECT_TRUE(icon.NotifyIcon(M::Delete, 1, 1, "Murovex"));
  EXPECT_FALSE(icon.NotifyIcon(M::Delete, 1, 1, "Murovex"));
  EXPECT_FALSE(icon.NotifyIcon(M::Modify, 1, 1, "Murovex"));
  EXPECT_FALSE(icon.NotifyIcon(M::ModifyTip, 1, 1, "Murovex"));
}

}  // namespace
}  // namespace mvx::contract

#include <gtest/gtest.h>

#include <cstdint>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

TEST(SystemContract, TheDesktopColourIsTheSystemsWithRedInTheLowByte) {
  auto env = MakeContractEnv();
  const struct {
    int red, green, blue;
    std::uint32_t color;
  } cases[] = {{0x30, 0x20, 0x10, 0x00102030}, {0xD0, 0xE0, 0xF0, 0x00F0E0D0}};
  for (const auto& c : cases) {
    env->SetDesktopColor(c.red, c.green, c.blue);
    EXPECT_EQ(env->P().system.DesktopColor(), c.color);
  }
}

// The desktop these tests run on has no full-screen program: the shell
// answers that notifications are welcome, never a state the slideshow waits for.
TEST(SystemContract, ADesktopWithoutAFullScreenProgramAcceptsNotifications) {
  auto env = MakeContractEnv();
  EXPECT_EQ(env->P().system.NotificationState(), UserNotificationState::AcceptsNotifications);
  EXPECT_EQ(env->P().system.NotificationState(), UserNotificationState::AcceptsNotifications) << "asked again";
}

}  // namespace
}  // namespace mvx::contract

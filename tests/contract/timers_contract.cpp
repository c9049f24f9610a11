#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class TimersContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  TimerPort& timers = env->P().timers;
  int ticks = 0;
};

TEST_F(TimersContract, APeriodicTimerTicksFirstAfterOneIntervalThenAgain) {
  const TimerId id = timers.StartTimer(200, [this] { ++ticks; });
  ASSERT_NE(id, 0u);
  env->RunFor(60);
  EXPECT_EQ(ticks, 0);
  env->RunFor(640);
  EXPECT_GE(ticks, 2);
  EXPECT_LE(ticks, 4);
  timers.StopTimer(id);
}

TEST_F(TimersContract, StopTimerStopsTheTicks) {
  const TimerId id = timers.StartTimer(40, [this] { ++ticks; });
  env->RunFor(150);
  ASSERT_GE(ticks, 1);
  timers.StopTimer(id);
  const int before = ticks;
  env->RunFor(150);
  EXPECT_EQ(ticks, before);
}

TEST_F(TimersContract, ATickMayStopItsOwnTimer) {
  TimerId id = 0;
  id = timers.StartTimer(30, [&] {
    ++ticks;
    timers.StopTimer(id);
  });
  env->RunFor(200);
  EXPECT_EQ(ticks, 1);
}

TEST_F(TimersContract, IntervalZeroGivesNoTimer) {
  EXPECT_EQ(timers.StartTimer(0, [this] { ++ticks; }), 0u);
  env->RunFor(60);
  EXPECT_EQ(ticks, 0);
}

TEST_F(TimersContract, TwoTimersTickIndependently) {
  int fast = 0, slow = 0;
  const TimerId a = timers.StartTimer(30, [&] { ++fast; });
  const TimerId b = timers.StartTimer(500, [&] { ++slow; });
  ASSERT_NE(a, b);
  env->RunFor(200);
  EXPECT_GE(fast, 3);
  EXPECT_EQ(slow, 0);
  timers.StopTimer(a);
  timers.StopTimer(b);
}

TEST_F(TimersContract, TheTickCountRunsWithTime) {
  ClockPort& clock = env->P().clock;
  const std::uint64_t start = clock.TickCountMs();
  env->RunFor(100);
  const std::uint64_t elapsed = clock.TickCountMs() - start;
  EXPECT_GE(elapsed, 90u);
  EXPECT_LE(elapsed, 1000u);
}

}  // namespace
}  // namespace mvx::contract

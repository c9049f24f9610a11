#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/input_timeout.h"
#include "fakes/fake_time.h"

namespace mvx {
namespace {

struct Sender : TObject {};

class InputTimeoutTest : public ::testing::Test {
 protected:
  void SetUp() override { notifier.Loaded(); }
  TNotifyEvent Record(const std::string& what) {
    return [this, what](TObject* s) { runs.push_back({what, s}); };
  }
  fakes::FakeTime time;
  TInputTimeout notifier{time};
  Sender a, b;
  std::vector<std::pair<std::string, TObject*>> runs;
};

TEST_F(InputTimeoutTest, ABurstFromOneSenderRunsOnceAfterTheLastHandOver) {
  notifier.Schedule(&a, Record("save1"));
  time.Advance(1000);
  notifier.Schedule(&a, Record("save2"));
  time.Advance(2000);
  notifier.Schedule(&a, Record("save3"));
  time.Advance(2249);
  EXPECT_TRUE(runs.empty());
  time.Advance(1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].first, "save3");
  EXPECT_EQ(runs[0].second, &a);
  time.Advance(10000);
  EXPECT_EQ(runs.size(), 1u) << "the timer fires at most once per hand-over";
}

TEST_F(InputTimeoutTest, AnotherSenderRunsThePendingActionAtOnce) {
  notifier.Schedule(&a, Record("A"));
  time.Advance(500);
  notifier.Schedule(&b, Record("B"));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].first, "A");
  time.Advance(2249);
  EXPECT_EQ(runs.size(), 1u);
  time.Advance(1);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].first, "B");
}

TEST_F(InputTimeoutTest, DisabledRunsEveryHandOverAtOnce) {
  notifier.Enabled = false;
  notifier.Schedule(&a, Record("1"));
  notifier.Schedule(&a, Record("2"));
  EXPECT_EQ(runs.size(), 2u);
}

TEST_F(InputTimeoutTest, FlushRunsThePendingActionAndAnEmptySlotDoesNothing) {
  notifier.Flush();
  EXPECT_TRUE(runs.empty());
  notifier.Schedule(&a, Record("x"));
  notifier.Flush();
  EXPECT_EQ(runs.size(), 1u);
  EXPECT_EQ(time.ActiveTimers(), 0u) << "nothing is left to wait for";
  time.Advance(5000);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(InputTimeoutTest, AHandOverWithoutSenderReplacesThePendingActionAndRunsNothing) {
  notifier.Schedule(&a, Record("dropped"));
  notifier.Schedule(nullptr, Record("never"));
  EXPECT_TRUE(runs.empty());
  time.Advance(3000);
  EXPECT_TRUE(runs.empty());
}

TEST_F(InputTimeoutTest, WaitTimeChangedAfterLoadingKeepsTheDelay) {
  notifier.WaitTime = 100;
  notifier.Schedule(&a, Record("x"));
  time.Advance(100);
  EXPECT_TRUE(runs.empty());
  time.Advance(2150);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(InputTimeoutTest, DestructionRunsThePendingAction) {
  {
    TInputTimeout local(time);
    local.Loaded();
    local.Schedule(&a, Record("at exit"));
  }
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].first, "at exit");
  EXPECT_EQ(time.ActiveTimers(), 0u);
}

TEST_F(InputTimeoutTest, AFailingActionLeavesTheSlotEmptyAndPassesTheErrorOn) {
  notifier.Schedule(&a, [](TObject*) { throw std::runtime_error("boom"); });
  EXPECT_THROW(notifier.Flush(), std::runtime_error);
  EXPECT_FALSE(notifier.Pending());
  EXPECT_NO_THROW(notifier.Flush());
}

TEST_F(InputTimeoutTest, AHandOverDuringTheRunningActionIsKept) {
  notifier.Schedule(&a, [this](TObject*) { notifier.Schedule(&a, Record("again")); });
  notifier.Flush();
  EXPECT_TRUE(notifier.Pending());
  time.Advance(2250);
  EXPECT_EQ(runs.size(), 1u);
}

}  // namespace
}  // namespace mvx

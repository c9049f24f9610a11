#include <gtest/gtest.h>

#include "app/trace.h"
#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class TraceContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  TracePort& trace = env->P().trace;
};

TEST_F(TraceContract, NoListenerIsFoundUntilOneRuns) {
  EXPECT_EQ(trace.FindWindowByTitle("Kestrane Message Window"), 0u);
  env->StartTraceListener();
  EXPECT_NE(trace.FindWindowByTitle("Kestrane Message Window"), 0u);
  EXPECT_NE(trace.FindWindowByTitle("KESTRANE message window"), 0u);
  EXPECT_EQ(trace.FindWindowByTitle("Kestrane Message Window 2"), 0u);
  env->StopTraceListener();
  EXPECT_EQ(trace.FindWindowByTitle("Kestrane Message Window"), 0u);
}

TEST_F(TraceContract, ARecordReachesTheListenerWithAllIts260Bytes) {
  env->StartTraceListener();
  SendTrace(trace, "FrmMain: WMSettingChange", 0x1234);
  SendTrace(trace, std::string(300, 'x'), 0x1234);
  const auto received = env->TraceReceived();
  ASSERT_EQ(received.size(), 2u);
  const auto expected = BuildTraceRecord("FrmMain: WMSettingChange");
  EXPECT_EQ(received[0].from, 0x1234u);
  EXPECT_EQ(received[0].dwData, 3232u);
  EXPECT_EQ(received[0].bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));
  ASSERT_EQ(received[1].bytes.size(), 260u);
  EXPECT_EQ(received[1].bytes[0], 255);
  EXPECT_EQ(received[1].bytes[256], 32);
}

TEST_F(TraceContract, NothingIsSentWithoutAListener) {
  SendTrace(trace, "lost", 0x1234);
  env->StartTraceListener();
  SendTrace(trace, "kept", 0x1234);
  const auto received = env->TraceReceived();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].bytes[0], 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(received[0].bytes.data() + 1), 4), "kept");
}

}  // namespace
}  // namespace mvx::contract

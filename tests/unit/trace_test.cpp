#include <gtest/gtest.h>

#include "app/trace.h"
#include "fakes/fake_misc.h"

namespace mvx {
namespace {

TEST(TraceRecord, CarriesLengthTextZeroFillAndTrailingInteger) {
  const auto r = BuildTraceRecord("FormCreate");
  ASSERT_EQ(r.size(), 260u);
  EXPECT_EQ(r[0], 10);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&r[1]), 10), "FormCreate");
  for (std::size_t i = 11; i < 256; ++i) ASSERT_EQ(r[i], 0) << i;
  EXPECT_EQ(r[256], 32);
  EXPECT_EQ(r[257], 0);
  EXPECT_EQ(r[258], 0);
  EXPECT_EQ(r[259], 0);
}

TEST(TraceRecord, CutsLongTextTo255AndEmptyTextHasLengthZero) {
  const std::string text(300, 'x');
  const auto r = BuildTraceRecord(text);
  EXPECT_EQ(r[0], 255);
  EXPECT_EQ(r[255], 'x');
  EXPECT_EQ(r[256], 32);
  EXPECT_EQ(BuildTraceRecord("")[0], 0);
}

TEST(TraceRecord, NeverSplitsAMultiByteCharacterAtTheCut) {
  // 254 ASCII bytes, then a two-byte character that would straddle the cut.
  std::string text(254, 'a');
  text += "\xC3\xA9";  // e acute
  text += "tail";
  const auto r = BuildTraceRecord(text);
  EXPECT_EQ(r[0], 254);
  EXPECT_EQ(r[255], 0);
  // A character that ends exactly at 255 bytes is kept whole.
  std::string fits(253, 'a');
  fits += "\xC3\xA9";
  EXPECT_EQ(BuildTraceRecord(fits + "zz")[0], 255);
}

TEST(SendTrace, LooksUpTheListenerOnEveryCallAndSendsOnlyWhenFound) {
  fakes::FakeTrace port;
  port.listenerRunning = false;
  SendTrace(port, "one", 7);
  EXPECT_EQ(port.lookups, 1);
  EXPECT_TRUE(port.sent.empty());
  port.listenerRunning = true;
  SendTrace(port, "two", 7);
  EXPECT_EQ(port.lookups, 2);
  ASSERT_EQ(port.sent.size(), 1u);
  EXPECT_EQ(port.sent[0].dwData, 3232u);
  EXPECT_EQ(port.sent[0].bytes.size(), 260u);
  EXPECT_EQ(port.sent[0].from, 7u);
  EXPECT_EQ(port.Texts(), std::vector<std::string>{"two"});
}

}  // namespace
}  // namespace mvx

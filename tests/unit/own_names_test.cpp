#include "adding/own_names.h"

#include <gtest/gtest.h>

#include <utility>

namespace mvx {
namespace {

TEST(OwnNames, UniqueNamesAreRecognisedExactlyAsTheyAreMade) {
  EXPECT_EQ(UniqueNameCandidate(12, "Sunset.bmp"), "v12 of Sunset.bmp");
  EXPECT_TRUE(IsUniqueNameOf(UniqueNameCandidate(2147483647, kClipboardFileName), kClipboardFileName));
  const std::pair<const char*, bool> cases[] = {
      {"v1 of Clipboard.bmp", true},   {"V7 OF clipboard.BMP", true},  {"v0 of Clipboard.bmp", false},
      {"v of Clipboard.bmp", false},   {"v1of Clipboard.bmp", false},  {"v1  of Clipboard.bmp", false},
      {"v1 of Clipboard.bmpx", false}, {"w1 of Clipboard.bmp", false}, {"v1x of Clipboard.bmp", false},
      {"Clipboard.bmp", false},        {"v1 of Sunset.bmp", false},    {"xv1 of Clipboard.bmp", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(IsUniqueNameOf(name, kClipboardFileName), expected) << name;
}

}  // namespace
}  // namespace mvx

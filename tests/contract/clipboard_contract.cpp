#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A packed DIB of 3 x 2 pixels, 24 bits, bottom-up, each row padded to 4 bytes.
std::string SmallDib() {
  std::string dib;
  PutLe(dib, 40, 4);  // header size
  PutLe(dib, 3, 4);   // width
  PutLe(dib, 2, 4);   // height
  PutLe(dib, 1, 2);   // planes
  PutLe(dib, 24, 2);  // bits per pixel
  PutLe(dib, 0, 4);   // uncompressed
  PutLe(dib, 24, 4);  // size of the pixels
  for (int i = 0; i < 4; ++i) PutLe(dib, 0, 4);
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) dib += std::string{static_cast<char>(x * 80), static_cast<char>(row * 200), '\x40'};
    dib += std::string(3, '\0');
  }
  return dib;
}

class ClipboardContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  ShellPort& shell = env->P().shell;
};

TEST_F(ClipboardContract, ACopiedPictureCountsAsABitmapAndReadsBackByteForByte) {
  env->PutDibOnClipboard(SmallDib());
  EXPECT_TRUE(shell.ClipboardHasBitmap());
  std::string dib;
  ASSERT_TRUE(shell.ClipboardDib(dib));
  EXPECT_EQ(dib, SmallDib());
  env->PutDibOnClipboard("");
}

TEST_F(ClipboardContract, AnEmptyClipboardHoldsNoBitmap) {
  env->PutDibOnClipboard("");
  EXPECT_FALSE(shell.ClipboardHasBitmap());
  std::string dib;
  EXPECT_FALSE(shell.ClipboardDib(dib));
}

}  // namespace
}  // namespace mvx::contract

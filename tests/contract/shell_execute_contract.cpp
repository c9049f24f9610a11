#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

constexpr int kShow = 5;

class ShellExecuteContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  ShellPort& shell = env->P().shell;
};

TEST_F(ShellExecuteContract, AProgramThatIsNotThereGivesError2) {
  const std::string folder = env->FreshFolder();
  EXPECT_EQ(shell.Execute(0, "", folder + "\\no such editor.exe", "\"a b.bmp\"", folder, kShow), 2);
  EXPECT_EQ(shell.Execute(0, "", "missing picture.bmp", "", folder, kShow), 2) << "looked for in the working folder";
}

TEST_F(ShellExecuteContract, ADocumentOfATypeNoProgramOpensGivesError31) {
  const std::string folder = env->FreshFolder();
  ASSERT_TRUE(WriteNewFile(env->P().files, folder + "\\picture.mvxnone", "x").ok());
  EXPECT_EQ(shell.Execute(0, "", "picture.mvxnone", "", folder, kShow), 31);
}

}  // namespace
}  // namespace mvx::contract

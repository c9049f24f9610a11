#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class DropContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  ShellPort& shell = env->P().shell;
};

TEST_F(DropContract, CountLengthsAndNamesComeBackInTheOrderDropped) {
  const std::vector<std::string> names = {"C:\\Pictures\\sunset.bmp", "C:\\Pictures\\mvx.mvl",
                                          "C:\\Neue Bilder\\Br\xC3\xBC"
                                          "cke.bmp"};
  const std::uintptr_t drop = env->MakeDrop(names);
  ASSERT_EQ(shell.DropFileCount(drop), 3u);
  for (std::uint32_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(shell.DropNameLength(drop, i), names[i].size());  // bytes, without the null
    EXPECT_EQ(shell.DropName(drop, i, 127), names[i]);
  }
  EXPECT_EQ(shell.DropNameLength(drop, 3), 0u);
  EXPECT_EQ(shell.DropName(drop, 3, 127), "");
  shell.DropFinish(drop);
}

TEST_F(DropContract, ANameLongerThanTheBufferArrivesCutToTheBufferLessItsNull) {
  const std::string longName = "C:\\" + std::string(193, 'p') + ".bmp";
  const std::string fitting = "C:\\" + std::string(119, 'q') + ".bmp";
  ASSERT_EQ(longName.size(), 200u);
  ASSERT_EQ(fitting.size(), 126u);
  const std::uintptr_t drop = env->MakeDrop({longName, fitting});
  EXPECT_EQ(shell.DropNameLength(drop, 0), 200u);
  EXPECT_EQ(shell.DropName(drop, 0, 127), longName.substr(0, 126));
  EXPECT_EQ(shell.DropName(drop, 0, 201), longName);
  EXPECT_EQ(shell.DropName(drop, 1, 127), fitting);
  EXPECT_EQ(shell.DropName(drop, 1, 1), "");
  shell.DropFinish(drop);
}

}  // namespace
}  // namespace mvx::contract

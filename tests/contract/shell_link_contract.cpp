#include <gtest/gtest.h>

#include "contract/contract_env.h"

namespace mvx::contract {
namespace {

class ShellLinkContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractEnv> env = MakeContractEnv();
  ShellPort& shell = env->P().shell;
  FilePort& files = env->P().files;
};

TEST_F(ShellLinkContract, AShortcutIsSavedAsAFileThatReplacesAnEarlierOneAndCanBeDeleted) {
  const std::string link = env->FreshFolder() + "\\Murovex Tray Icon.lnk";
  ASSERT_EQ(shell.SaveShortcut(link, "C:\\Apps\\Murovex\\Murovex.exe", "C:\\Apps\\Murovex"), ShortcutSave::Saved);
  EXPECT_TRUE(files.FileExists(link));
  EXPECT_EQ(shell.SaveShortcut(link, "D:\\Murovex.exe", "D:\\"), ShortcutSave::Saved);
  EXPECT_TRUE(files.Delete(link).ok());
  EXPECT_FALSE(files.FileExists(link));
}

TEST_F(ShellLinkContract, AShortcutIntoAFolderThatIsNotThereIsRefused) {
  const std::string link = env->FreshFolder() + "\\no folder\\Murovex Tray Icon.lnk";
  EXPECT_EQ(shell.SaveShortcut(link, "C:\\a.exe", "C:\\"), ShortcutSave::Refused);
  EXPECT_FALSE(files.FileExists(link));
}

TEST_F(ShellLinkContract, ThereIsNoShellDesktopWindowOfThatTitleAndAFileWithoutVersionHasNone) {
  EXPECT_EQ(env->P().desktop.FindTopWindow("Progman", "Program Manager"), 0u);
  const std::string plain = env->FreshFolder() + "\\plain.txt";
  ASSERT_TRUE(WriteNewFile(files, plain, "text").ok());
  EXPECT_EQ(env->P().system.VersionInfoSize(plain), 0u);
  EXPECT_EQ(
      env->P().system.VersionString(env->P().system.VersionInfo(plain, 0), "StringFileInfo\\040904E4\\ProductName"),
      std::nullopt);
}

}  // namespace
}  // namespace mvx::contract

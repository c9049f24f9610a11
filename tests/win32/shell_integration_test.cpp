#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "ui/frm_tray.h"
#include "ui/version_info.h"
#include "win32/adapters/win32_ports.h"
#include "win32/shell_reads.h"
#include "win32/view_test_env.h"

namespace mvx::win32 {
namespace {

std::string FreshFolder(const std::string& what) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "mvx " + what + " " + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

TEST(Win32ShellLinkAdapter, AShortcutReadsBackWithItsTargetAndWorkingFolderAndIsOverwritten) {
  const std::string folder = FreshFolder("startup");
  const std::string link = folder + "\\Murovex Tray Icon.lnk";
  Win32Shell shell;
  ASSERT_EQ(shell.SaveShortcut(link, "C:\\Apps\\Murovex\\Murovex.exe", "C:\\Apps\\Murovex"), ShortcutSave::Saved);
  testing::ShortcutRead read = testing::ReadShortcut(link);
  EXPECT_EQ(read.target, "C:\\Apps\\Murovex\\Murovex.exe");
  EXPECT_EQ(read.workingFolder, "C:\\Apps\\Murovex");

  ASSERT_EQ(shell.SaveShortcut(link, "D:\\Moved\\Murovex.exe", "D:\\Moved"), ShortcutSave::Saved);
  read = testing::ReadShortcut(link);
  EXPECT_EQ(read.target, "D:\\Moved\\Murovex.exe");
  EXPECT_EQ(read.workingFolder, "D:\\Moved");
}

TEST(Win32ShellLinkAdapter, AFolderThatIsNotThereRefusesTheShortcut) {
  const std::string folder = FreshFolder("startup");
  Win32Shell shell;
  EXPECT_EQ(shell.SaveShortcut(folder + "\\missing\\Murovex Tray Icon.lnk", "C:\\a.exe", "C:\\"),
            ShortcutSave::Refused);
  EXPECT_EQ(GetFileAttributesA((folder + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

std::string OwnPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(Win32VersionAdapter, TheProgramsOwnVersionStringsReadBackAndMissingOnesAreLeftOut) {
  Win32System system;
  VersionTable table;
  table.Read(system, OwnPath());
  EXPECT_EQ(
      table.Entries(),
      (std::vector<std::pair<std::string, std::string>>{
          {"CompanyName", "Adapter Test Works"}, {"FileVersion", "9.8.7.6"}, {"ProductVersion", "Version 9.8 trial"}}));
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string noResource = FreshFolder("noversion") + "\\plain.txt";
  HANDLE file = CreateFileA(noResource.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  CloseHandle(file);
  EXPECT_EQ(system.VersionInfoSize(noResource), 0u);
  VersionTable none;
  none.Read(system, noResource);
  EXPECT_TRUE(none.Entries().empty());
}

// Under this Wine there is no shell desktop window of that class and
// title, so the test makes one.
class ProgmanWindow {
 public:
  ProgmanWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Progman";
    RegisterClassA(&wc);
    window = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                             nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~ProgmanWindow() { DestroyWindow(window); }
  ProgmanWindow(const ProgmanWindow&) = delete;
  ProgmanWindow& operator=(const ProgmanWindow&) = delete;
  HWND window = nullptr;
};

TEST(Win32DesktopIcons, TheTrayItemHidesAndShowsTheShellsDesktopWindowAndTheEndShowsItAgain) {
  testing::ViewEnv env;
  EXPECT_EQ(env.real.desktop.FindTopWindow("Progman", "Program Manager"), 0u) << "none of this Wine's own";
  TFrmTray tray(env.ports);
  tray.mnuHideDesktopIcons.Click();
  EXPECT_FALSE(tray.mnuHideDesktopIcons.Checked()) << "no such window: nothing changes";

  ProgmanWindow progman;
  ASSERT_NE(progman.window, nullptr);
  EXPECT_EQ(env.real.desktop.FindTopWindow("Progman", "Program Manager"),
            reinterpret_cast<std::uintptr_t>(progman.window));
  EXPECT_EQ(env.real.desktop.FindTopWindow("Progman", "Other"), 0u);
  tray.mnuHideDesktopIcons.Click();
  EXPECT_FALSE(IsWindowVisible(progman.window));
  EXPECT_TRUE(tray.mnuHideDesktopIcons.Checked());
  tray.RestoreDesktopIcons();
  EXPECT_TRUE(IsWindowVisible(progman.window));
  tray.mnuHideDesktopIcons.Click();
  EXPECT_TRUE(IsWindowVisible(progman.window));
  EXPECT_FALSE(tray.mnuHideDesktopIcons.Checked());
  tray.mnuHideDesktopIcons.Click();
  EXPECT_FALSE(IsWindowVisible(progman.window)) << "the check mark said shown: the click hides";
  tray.mnuHideDesktopIcons.Click();
  EXPECT_TRUE(IsWindowVisible(progman.window));
}

}  // namespace
}  // namespace mvx::win32

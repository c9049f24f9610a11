// Start with Windows, the splash window and the about box, from outside.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "app/paths.h"
#include "e2e/e2e_fixture.h"
#include "e2e/running_app.h"
#include "win32/shell_reads.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;
using testing::ReadShortcut;
using testing::VersionText;

// The Startup folder of all users, as the registry names it.
std::string CommonStartup() {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   "Common Startup", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return {};
  }
  return value;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ShellIntegration : public E2eTest {
 protected:
  void TearDown() override {
    if (!link_.empty()) DeleteFileA(link_.c_str());
    E2eTest::TearDown();
  }
  std::string link_;
};

TEST_F(ShellIntegration, WithTheOptionOnAStartWritesTheShortcutAndTurningItOffDeletesIt) {
  const std::string folder = CommonStartup();
  ASSERT_FALSE(folder.empty()) << "a fresh prefix names a common Startup folder";
  link_ = folder + "\\Murovex Tray Icon.lnk";
  DeleteFileA(link_.c_str());
  Driver& app = Prepare({"[General]\r\nStartWithWindows=1\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n", {}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  ASSERT_TRUE(Exists(link_)) << link_;
  const auto [target, workingFolder] = ReadShortcut(link_);
  EXPECT_EQ(LowerAZ(target), LowerAZ(app.Folder().Exe()));
  EXPECT_EQ(LowerAZ(workingFolder), LowerAZ(app.Folder().Path()));

  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  // The Online page, chosen by a click on its tab, the fourth.
  const auto tabs = FindChild(main->handle, {"SysTabControl32", std::nullopt});
  ASSERT_TRUE(tabs);
  ClickTab(tabs->handle, 3);
  const auto home = WaitForChild(main->handle, {"Static", "Kestrane Software Home Page"}, 5s);
  ASSERT_TRUE(home);
  EXPECT_TRUE(PumpUntil([&] { return IsShown(home->handle); }, 5s)) << "the Online page is not shown";
  const auto tutorial = FindChild(main->handle, {"Static", "Capturing Wallpaper from the Web - Tutorial"});
  ASSERT_TRUE(tutorial);
  EXPECT_FALSE(IsShown(tutorial->handle)) << "the tutorial link stays hidden";
  app.Screenshot("online");

  ASSERT_TRUE(OpenPage(main->handle, 1)) << "the Slideshow page";
  HWND box = ControlOf(main->handle, "Button", "Start with &Windows");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(IsChecked(box));
  ASSERT_TRUE(Click(box));
  EXPECT_FALSE(IsChecked(box));
  EXPECT_TRUE(Exists(link_)) << "the change waits for the notifier";
  EXPECT_TRUE(PumpUntil([&] { return !Exists(link_); }, 8s)) << "the shortcut is still there";
  EXPECT_FALSE(WaitForMessageBox(murovex->Id(), 300ms)) << "nothing is shown";
}

TEST_F(ShellIntegration, TheSplashShowsAtStartAndGoesAndTheAboutBoxTellsTheVersionFromTheResource) {
  Driver& app = Prepare({"[General]\r\nStartWithWindows=0\r\nVerbose=1\r\n[Slideshow]\r\nChangeOnStartup=0\r\n", {}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  const auto splash = WaitForTopLevel(murovex->Id(), {"TFrmSplash", std::nullopt}, 5s, true);
  ASSERT_TRUE(splash) << "no splash window";
  RECT rc{};
  GetClientRect(splash->handle, &rc);
  EXPECT_EQ(rc.right, 360);
  EXPECT_EQ(rc.bottom, 240);
  EXPECT_TRUE(FindChild(splash->handle, {"Static", "www.kestrane.com"}));
  app.Screenshot("splash");
  EXPECT_TRUE(PumpUntil([&] { return !IsShown(splash->handle); }, 6s)) << "the splash stays after its 3 seconds";

  ASSERT_TRUE(ChooseFromTraySubmenu(*murovex, 'h', 'a'));
  const auto about = WaitForTopLevel(murovex->Id(), {"TFrmAbout", "About Murovex"}, 10s, true);
  ASSERT_TRUE(about) << "no about box";
  const std::string product = VersionText(app.Folder().Exe(), "ProductVersion");
  const std::string build = VersionText(app.Folder().Exe(), "FileVersion");
  ASSERT_FALSE(product.empty());
  ASSERT_FALSE(build.empty());
  EXPECT_TRUE(FindChild(about->handle, {"Static", product})) << product;
  EXPECT_TRUE(FindChild(about->handle, {"Static", "Build " + build})) << build;
  EXPECT_TRUE(FindChild(about->handle, {"Static", "Murovex"}));
  app.Screenshot("about");
  const auto ok = FindChild(about->handle, {"Button", "&OK"});
  ASSERT_TRUE(ok);
  PostMessageA(ok->handle, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about->handle); }, 5s)) << "the about box stays open";
}

}  // namespace
}  // namespace mvx::e2e

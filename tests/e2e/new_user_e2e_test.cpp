// A new user's first start: no settings, no list, bitmaps in the Windows
// folder. The program greets the user, offers to take those bitmaps in, and
// from then on changes the wallpaper by itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/paths.h"
#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

const char* const kNames[] = {"MvxFirstRunA.bmp", "MvxFirstRunB.bmp", "MvxFirstRunC.bmp"};

std::string WindowsFolder() {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length);
}

// Bitmaps put straight into the Windows folder, as a Windows installation
// brings its own; removed again whatever the test's outcome.
class WindowsFolderBitmaps {
 public:
  WindowsFolderBitmaps() {
    std::uint8_t grey = 0x40;
    for (const char* name : kNames) {
      WriteWholeFile(WindowsFolder() + "\\" + name, SmallBitmap(grey));
      grey = static_cast<std::uint8_t>(grey + 0x40);
    }
  }
  ~WindowsFolderBitmaps() {
    for (const char* name : kNames) DeleteFileA((WindowsFolder() + "\\" + name).c_str());
  }
  WindowsFolderBitmaps(const WindowsFolderBitmaps&) = delete;
  WindowsFolderBitmaps& operator=(const WindowsFolderBitmaps&) = delete;
};

using NewUser = E2eTest;

TEST_F(NewUser, FirstStartTakesInTheWindowsFolderBitmapsAndChangesTheWallpaperByItself) {
  const WindowsFolderBitmaps bitmaps;
  Driver& app = Prepare();
  const std::string images = app.Folder().ImagesFolder();
  std::vector<std::string> copies;
  for (const char* name : kNames) copies.push_back(SlidePath(images, name));
  const auto isCopy = [&](const std::string& path) {
    return std::find(copies.begin(), copies.end(), path) != copies.end();
  };
  Process& murovex = app.Start();

  const auto greeting = WaitForMessageBox(murovex.Id(), kStartTimeout);
  ASSERT_TRUE(greeting) << "no greeting on the first start";
  EXPECT_EQ(greeting->text,
            "Slideshow will change your wallpaper every 5 minutes.\rYou can change this interval on the Options page.");
  ASSERT_TRUE(AnswerMessageBox(greeting->handle, IDOK));

  // One dialog for the three bitmaps, the apply-to-all box offered.
  const auto dialog = WaitForTopLevel(murovex.Id(), {"TfrmItemInfo", "Add Wallpaper"}, kStartTimeout, true);
  ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog";
  const auto applyToAll =
      FindChild(dialog->handle, {"Button", "&Apply these options to all remaining files."});
  const auto copy = FindChild(dialog->handle, {"Button", "Make a &copy of the file in Murovex's folder"});
  const auto ok = FindChild(dialog->handle, {"Button", "OK"});
  ASSERT_TRUE(applyToAll && copy && ok);
  EXPECT_TRUE(IsWindowEnabled(applyToAll->handle));
  const std::vector<HWND> edits = ChildrenOfClass(dialog->handle, "Edit");
  ASSERT_EQ(edits.size(), 2u);
  const std::string proposed = LowerAZ(CaptionOf(edits[0]));
  EXPECT_TRUE(proposed == "mvxfirstruna" || proposed == "mvxfirstrunb" || proposed == "mvxfirstrunc") << proposed;
  app.Screenshot("add-wallpaper");

  ASSERT_TRUE(Click(applyToAll->handle));
  ASSERT_TRUE(Click(copy->handle));
  // Posted: the click ends the dialog, and the start-up goes on from there.
  PostMessageA(ok->handle, BM_CLICK, 0, 0);

  // Changing the wallpaper on start-up picks one of the copies.
  std::vector<std::string> slides;
  ASSERT_TRUE(PumpUntil([&] { return !(slides = SlidePaths(app.Traces())).empty(); }, kStartTimeout))
      << "no slide chosen at start";
  EXPECT_TRUE(isCopy(slides.front())) << slides.front();
  EXPECT_FALSE(FindTopLevel(murovex.Id(), {"TfrmItemInfo", "Add Wallpaper"}).value_or(WindowInfo{}).visible)
      << "the dialog came up again for the other bitmaps";
  for (const char* name : kNames) {
    EXPECT_NE(GetFileAttributesA((images + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES) << name << " not copied";
    EXPECT_NE(GetFileAttributesA((WindowsFolder() + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES)
        << name << " taken away from the Windows folder by a copy";
  }
  EXPECT_TRUE(PumpUntil([&] { return ReadDesktopValue("Wallpaper") == slides.front(); }, 2s));

  // The user shortens the interval to 5 seconds on the Slideshow page.
  const auto main = OpenMainWindow(murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(OpenPage(main->handle, 1)) << "the Slideshow page";
  const std::vector<HWND> intervalEdits = ChildrenOfClass(main->handle, "Edit");
  ASSERT_GE(intervalEdits.size(), 3u);
  ASSERT_EQ(CaptionOf(intervalEdits[1]), "5") << "not the minutes";
  SendMessageA(intervalEdits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
  SendMessageA(intervalEdits[2], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));

  ASSERT_TRUE(PumpUntil([&] { return SlidePaths(app.Traces()).size() >= 3; }, 20s))
      << "the wallpaper did not change by itself";
  slides = SlidePaths(app.Traces());
  for (const std::string& slide : slides) EXPECT_TRUE(isCopy(slide)) << slide;
  EXPECT_NE(slides[1], slides[2]);

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex.WaitForExit(kExitTimeout));
  const std::string last = SlidePaths(app.Traces()).back();
  EXPECT_EQ(app.Folder().ReadSetting("Slideshow", "LastWallpaper"), last);
  EXPECT_EQ(app.Folder().ReadSetting("Slideshow", "SlideSecs"), "5");
  EXPECT_EQ(ReadDesktopValue("Wallpaper"), last);
}

}  // namespace
}  // namespace mvx::e2e

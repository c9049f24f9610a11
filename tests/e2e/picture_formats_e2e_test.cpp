// A new user's first start on a Windows that brings its wallpapers as JPEG
// and PNG files under Web\Wallpaper, in folders by theme: the program takes
// them in, changes the wallpaper among them, and previews a JPEG.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/paths.h"
#include "e2e/e2e_fixture.h"
#include "e2e/running_app.h"
#include "shared/wic_encode.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;
using testing::Rgb;


std::string WindowsFolder() {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length);
}

// A sky over a sea, with a sun: something a look at the preview recognises.
Rgb Seascape(int x, int y, int width, int height) {
  const int dx = x - width * 2 / 3, dy = y - height / 3, sun = height / 8;
  if (dx * dx + dy * dy < sun * sun) return {250, 220, 90};
  if (y < height * 3 / 5) return {static_cast<std::uint8_t>(60 + 120 * y / height), 140, 230};
  const bool wave = (x / 24 + y / 12) % 5 == 0;
  return {20, static_cast<std::uint8_t>(wave ? 160 : 90), static_cast<std::uint8_t>(wave ? 200 : 150)};
}

// Pictures under the Windows folder's Web\Wallpaper, written by the
// system's own encoders; removed again, with the folders the test made,
// whatever the outcome.
class WallpaperFolderPictures {
 public:
  WallpaperFolderPictures() {
    root_ = WindowsFolder() + "\\Web\\Wallpaper";
    for (const std::string& folder : {WindowsFolder() + "\\Web", root_, root_ + "\\Mvx Coast"}) {
      if (CreateDirectoryA(folder.c_str(), nullptr)) madeFolders_.insert(madeFolders_.begin(), folder);
    }
    Put(GUID_ContainerFormatPng, "Mvx Meadow.png", 320, 200, [](int x, int y) {
      return Rgb{static_cast<std::uint8_t>(40 + x / 2), static_cast<std::uint8_t>(150 + y / 4), 60};
    });
    Put(GUID_ContainerFormatJpeg, "Mvx Coast\\Mvx Dunes.jpg", 400, 300, [](int x, int y) {
      return Rgb{220, static_cast<std::uint8_t>(160 + (x + y) % 60), 100};
    });
    Put(GUID_ContainerFormatJpeg, "Mvx Coast\\Mvx Harbour.jpg", 800, 600,
        [](int x, int y) { return Seascape(x, y, 800, 600); });
  }
  ~WallpaperFolderPictures() {
    for (const std::string& path : made_) DeleteFileA(path.c_str());
    for (const std::string& folder : madeFolders_) RemoveDirectoryA(folder.c_str());
  }
  WallpaperFolderPictures(const WallpaperFolderPictures&) = delete;
  WallpaperFolderPictures& operator=(const WallpaperFolderPictures&) = delete;

  // The paths by which the program knows the pictures: all lower case.
  std::vector<std::string> ListedPaths() const {
    std::vector<std::string> paths;
    for (const std::string& path : made_) paths.push_back(LowerAZ(path));
    return paths;
  }
  bool written = true;

 private:
  void Put(const GUID& format, const std::string& name, int width, int height,
           const std::function<Rgb(int, int)>& colourAt) {
    const std::string path = root_ + "\\" + name;
    made_.push_back(path);
    written = testing::EncodePicture(format, path, width, height, colourAt) && written;
  }
  std::string root_;
  std::vector<std::string> made_;
  std::vector<std::string> madeFolders_;  // innermost first
};

using PictureFormats = E2eTest;

TEST_F(PictureFormats, FirstStartTakesInTheJpegAndPngWallpapersOfWindowsAndChangesAmongThem) {
  const WallpaperFolderPictures pictures;
  ASSERT_TRUE(pictures.written) << "the system's encoders wrote no pictures";
  const std::vector<std::string> listed = pictures.ListedPaths();
  const auto isListed = [&](const std::string& path) {
    return std::find(listed.begin(), listed.end(), path) != listed.end();
  };
  Driver& app = Prepare();
  Process& murovex = app.Start();

  const auto greeting = WaitForMessageBox(murovex.Id(), kStartTimeout);
  ASSERT_TRUE(greeting) << "no greeting on the first start";
  ASSERT_TRUE(AnswerMessageBox(greeting->handle, IDOK));

  // One dialog for the batch; the first picture is the PNG of the top folder.
  const auto dialog = WaitForTopLevel(murovex.Id(), {"TfrmItemInfo", "Add Wallpaper"}, kStartTimeout, true);
  ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog";
  const auto applyToAll = FindChild(dialog->handle, {"Button", "&Apply these options to all remaining files."});
  const auto ok = FindChild(dialog->handle, {"Button", "OK"});
  ASSERT_TRUE(applyToAll && ok);
  EXPECT_TRUE(FindChild(dialog->handle, {"Static", ".png"})) << "the PNG's own extension beside its name";
  const std::vector<HWND> edits = ChildrenOfClass(dialog->handle, "Edit");
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(CaptionOf(edits[0]), "Mvx Meadow");
  ASSERT_TRUE(Click(applyToAll->handle));
  PostMessageA(ok->handle, BM_CLICK, 0, 0);  // left in place, all of them

  std::vector<std::string> slides;
  ASSERT_TRUE(PumpUntil([&] { return !(slides = SlidePaths(app.Traces())).empty(); }, kStartTimeout))
      << "no slide chosen at start";
  EXPECT_TRUE(isListed(slides.front())) << slides.front();
  EXPECT_TRUE(PumpUntil([&] { return ReadDesktopValue("Wallpaper") == slides.front(); }, 2s))
      << "the system is handed the picture's own path";

  // The main window opens on the list, its preview on the wallpaper of the moment.
  ASSERT_TRUE(BroadcastRegistered("RestoreMurovex"));
  const auto main = MainWindowOf(murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "3 Pictures in List"}, 5s));
  const auto list = WaitForChild(main->handle, {"SysListView32", std::nullopt}, 5s);
  ASSERT_TRUE(list);
  // The user goes to the harbour, the second row (the list is in name order).
  SendMessageA(list->handle, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(list->handle, WM_KEYDOWN, VK_DOWN, 0);
  std::optional<WindowInfo> picture;
  RECT place{};
  const bool shown = PumpUntil(
      [&] {
        picture = FindChild(main->handle, {"MurovexPicture", std::nullopt});
        if (!picture || !IsWindowVisible(picture->handle)) return false;
        GetClientRect(picture->handle, &place);
        return place.right == 231;
      },
      5s);
  // The preview shows the desktop: the 1280 x 1024 screen's shape within 376 x 185.
  EXPECT_TRUE(shown) << "the screen's shape scaled into 376 x 185, not " << place.right << " x " << place.bottom;
  EXPECT_EQ(place.bottom, 185);
  app.Screenshot("preview-jpeg");

  // The user shortens the interval to 5 seconds on the Slideshow page.
  ASSERT_TRUE(OpenPage(main->handle, 1));
  const std::vector<HWND> intervalEdits = ChildrenOfClass(main->handle, "Edit");
  ASSERT_GE(intervalEdits.size(), 3u);
  SendMessageA(intervalEdits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
  SendMessageA(intervalEdits[2], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
  ASSERT_TRUE(PumpUntil([&] { return SlidePaths(app.Traces()).size() >= 3; }, 20s))
      << "the wallpaper did not change by itself";
  slides = SlidePaths(app.Traces());
  for (const std::string& slide : slides) EXPECT_TRUE(isListed(slide)) << slide;
  EXPECT_NE(slides[1], slides[2]);

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex.WaitForExit(kExitTimeout));
  EXPECT_EQ(ReadDesktopValue("Wallpaper"), SlidePaths(app.Traces()).back());
  for (const std::string& path : listed) {
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path << " left in place";
  }
}

}  // namespace
}  // namespace mvx::e2e

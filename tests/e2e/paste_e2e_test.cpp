// A picture copied by another program becomes a listed bitmap file and the
// wallpaper through the tray's paste command.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

constexpr LONG kSide = 4;
constexpr DWORD kPixelBytes = kSide * kSide * 4;

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using Paste = E2eTest;

TEST_F(Paste, TwoPastesFromTheTrayBecomeNumberedBitmapsInTheImagesFolderEachSetAsTheWallpaper) {
  Driver& app = Prepare({kQuietSettings, {}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  const std::string images = app.Folder().ImagesFolder();
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);

  for (const char* name : {"v1 of Clipboard", "v2 of Clipboard"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(CopyPictureToClipboard(kSide, 0x80));
    ASSERT_TRUE(ChooseFromTrayMenu(*murovex, 'p'));
    const auto dialog = WaitForTopLevel(murovex->Id(), {"TfrmItemInfo", "Add Wallpaper"}, 10s, true);
    ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog";
    EXPECT_TRUE(FindChild(dialog->handle, {"Edit", "(Clipboard)"}));
    EXPECT_TRUE(FindChild(dialog->handle, {"Edit", name}));
    const auto leave = FindChild(dialog->handle, {"Button", "&Leave the file in its current folder"});
    ASSERT_TRUE(leave);
    EXPECT_FALSE(IsWindowEnabled(leave->handle)) << "a pasted picture can only go into the program's folder";
    const auto ok = FindChild(dialog->handle, {"Button", "OK"});
    ASSERT_TRUE(ok);
    PostMessageA(ok->handle, BM_CLICK, 0, 0);

    // Set for the session, not saved as the desktop's own: the caption names it.
    const std::string file = images + "\\" + name + ".bmp";
    const std::string caption = std::string("Murovex - ") + name + ".bmp";
    ASSERT_TRUE(PumpUntil([&] { return CaptionOf(main->handle) == caption; }, 5s))
        << "the caption reads " << CaptionOf(main->handle);
    const std::string bytes = ReadWholeFile(file);
    ASSERT_EQ(bytes.size(), 14 + sizeof(BITMAPINFOHEADER) + kPixelBytes) << file;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
  }
  EXPECT_TRUE(OpenMainWindow(*murovex));
  EXPECT_TRUE(PumpUntil([&] { return FindChild(main->handle, {"Static", "2 Pictures in List"}).has_value(); }, 2s))
      << "the pasted pictures are not both listed";
}

}  // namespace
}  // namespace mvx::e2e

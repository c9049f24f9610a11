// A wallpaper that another program saves as the desktop's is offered for the
// list and taken in.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  return std::string(buffer, length);
}

// A browser's wallpaper file in the Windows folder, written as a browser
// does, in steps, and gone again at the end: the tests share one Wine
// prefix, and a first run takes in that folder's bitmaps.
class BrowserFile {
 public:
  static std::string PathOf() { return WindowsFolder() + "\\Netscape Wallpaper.bmp"; }
  BrowserFile() : path_(PathOf()) {
    const std::string bytes = SmallBitmap(0x60);
    WriteWholeFile(path_, bytes.substr(0, 14));
    Sleep(50);
    WriteWholeFile(path_, bytes);
  }
  ~BrowserFile() { DeleteFileA(path_.c_str()); }
  BrowserFile(const BrowserFile&) = delete;
  BrowserFile& operator=(const BrowserFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

using Detection = E2eTest;

// When the program first examined a change of the Windows folder after `from`.
std::optional<Clock::time_point> FolderChangeSeen(Driver& app, Clock::time_point from) {
  for (const TraceEntry& entry : app.Traces().Entries()) {
    if (entry.at >= from && entry.text.rfind("FrmMain: Changes:", 0) == 0 &&
        entry.text.find("Windows folder") != std::string::npos) {
      return entry.at;
    }
  }
  return std::nullopt;
}

TEST_F(Detection, AWallpaperSavedByAnotherProgramIsOfferedAndListedOnceAccepted) {
  // No polling: the offer must come from the broadcast.
  Driver& app = Prepare({std::string(kQuietSettings) + "[AutoDetect]\r\nPolling=0\r\n", {}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);

  const BrowserFile file;
  ASSERT_TRUE(WriteDesktopValue("TileWallpaper", "0"));
  // As a browser saves its picture as the wallpaper. The broadcast waits for
  // the program's answer, which waits for the user, so it runs on its own thread.
  std::atomic<bool> saved{false};
  const auto saving = Clock::now();
  std::thread browser([&file, &saved] {
    std::string path = file.Path();
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    saved = true;
  });
  const auto dialog = WaitForTopLevel(murovex->Id(), {"TfrmItemInfo", "Add Wallpaper"}, 10s, true);
  const bool offered = dialog.has_value();
  if (offered) {
    // The desktop's path is taken in lower case, as the program keeps such paths.
    EXPECT_TRUE(FindChild(dialog->handle, {"Edit", "v1 of netscape wallpaper"}));
    // No assertion may leave before the broadcast's thread is joined.
    const auto centre = FindChild(dialog->handle, {"Button", "Ce&ntre"});
    EXPECT_TRUE(centre && IsChecked(centre->handle)) << "the desktop's own display mode";
    const auto ok = FindChild(dialog->handle, {"Button", "OK"});
    if (ok) PostMessageA(ok->handle, BM_CLICK, 0, 0);
  }
  // The broadcast ends once every window answered, this program's listener among them.
  EXPECT_TRUE(PumpUntil([&] { return saved.load(); }, 15s)) << "the broadcast did not end";
  browser.join();
  ASSERT_TRUE(offered) << "no \"Add Wallpaper\" dialog";
  const auto broadcast = app.WaitForTrace("FrmMain: WMSettingChange", *murovex, 2s);
  ASSERT_TRUE(broadcast);
  EXPECT_LT(broadcast->at - saving, 1s) << "noticed at once";

  EXPECT_TRUE(OpenMainWindow(*murovex));
  EXPECT_TRUE(PumpUntil(
      [&] {
        return FindChild(main->handle, {"Static", "1 Pictures in List"}).has_value();
      },
      5s))
      << "the offered picture is not listed";
  EXPECT_EQ(GetFileAttributesA(file.Path().c_str()), INVALID_FILE_ATTRIBUTES)
      << "a browser's file is moved into the program's folder";
  const std::string moved = app.Folder().ImagesFolder() + "\\v1 of Netscape Wallpaper.bmp";
  EXPECT_NE(GetFileAttributesA(moved.c_str()), INVALID_FILE_ATTRIBUTES) << moved;
  const auto desktop = ReadDesktopValue("Wallpaper");
  EXPECT_TRUE(desktop && _stricmp(desktop->c_str(), moved.c_str()) == 0)
      << "the desktop follows the moved file: " << desktop.value_or("(none)");
}

TEST_F(Detection, ABrowserFileRewrittenWhileItIsTheWallpaperIsOfferedWithinASecondThoughThePollIsSlow) {
  Driver& app = Prepare({std::string(kQuietSettings) + "[AutoDetect]\r\nPolling=1\r\nPollInterval=30\r\n", {}});
  DeleteFileA(BrowserFile::PathOf().c_str());
  ASSERT_TRUE(WriteDesktopValue("Wallpaper", BrowserFile::PathOf()));
  ASSERT_TRUE(WriteDesktopValue("TileWallpaper", "0"));
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  ASSERT_TRUE(app.WaitForTrace("FrmMain: Changes: desktop key Windows folder", *murovex, 5s)) << "examined at start";
  // Answered once that examination is over.
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main && SendMessageTimeoutA(main->handle, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr));

  const auto writing = Clock::now();
  const BrowserFile file;
  const auto dialog = WaitForTopLevel(murovex->Id(), {"TfrmItemInfo", "Add Wallpaper"}, 10s, true);
  ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog";
  const auto seen = FolderChangeSeen(app, writing);
  ASSERT_TRUE(seen);
  EXPECT_LT(*seen - writing, 1s) << "noticed at once, not at the next poll";
  EXPECT_TRUE(FindChild(dialog->handle, {"Edit", "v1 of netscape wallpaper"}));
  const auto ok = FindChild(dialog->handle, {"Button", "OK"});
  ASSERT_TRUE(ok);
  PostMessageA(ok->handle, BM_CLICK, 0, 0);
  const std::string moved = app.Folder().ImagesFolder() + "\\v1 of Netscape Wallpaper.bmp";
  EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesA(moved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5s))
      << "taken in: " << moved;
}

}  // namespace
}  // namespace mvx::e2e

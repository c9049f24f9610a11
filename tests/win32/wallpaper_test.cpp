// The wallpaper setter and reader of the main window over the real registry
// and system calls.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/error.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"

namespace mvx::testing {
namespace {

constexpr const char* kSaved = "C:\\Pictures\\Murovex Test\\Sunset.BMP";
constexpr const char* kUnsaved = "C:\\Pictures\\Murovex Test\\Harbour.bmp";

SystemFolders Folders() {
  SystemFolders folders;
  folders.programDir = "C:\\Apps\\Murovex";
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

// The desktop values are the shared prefix's: each test puts back what it found.
class WallpaperSetter : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto panel = registry.OpenKey(kHkeyCurrentUser, "Control Panel");
    ASSERT_TRUE(panel);
    const auto desktop = registry.OpenKey(*panel, "Desktop");
    registry.CloseKey(*panel);
    ASSERT_TRUE(desktop);
    key = *desktop;
    savedWallpaper = registry.QueryValue(key, "Wallpaper");
    savedTile = registry.QueryValue(key, "TileWallpaper");
    frm.BaseCaption = "Murovex";
  }

  void TearDown() override {
    if (key == 0) return;
    Restore("Wallpaper", savedWallpaper);
    Restore("TileWallpaper", savedTile);
    registry.CloseKey(key);
  }

  void Restore(const std::string& name, const std::optional<RegValue>& value) {
    if (value) {
      registry.SetValue(key, name, *value);
    } else {
      registry.DeleteValue(key, name);
    }
  }

  std::string Desktop(const std::string& name) {
    const auto value = registry.QueryValue(key, name);
    return value ? value->data : "<missing>";
  }

  win32::Win32Registry registry;
  RegKey key = 0;
  std::optional<RegValue> savedWallpaper;
  std::optional<RegValue> savedTile;

  ViewEnv env;
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, Folders(), tray};
};

TEST_F(WallpaperSetter, ASavedChangeStoresThePathAndTheTileModeInTheDesktopSettings) {
  for (const bool tile : {true, false}) {
    SCOPED_TRACE(tile ? "tiled" : "centred");
    frm.SetWallpaper(kSaved, tile, true);
    EXPECT_EQ(Desktop("Wallpaper"), kSaved);
    EXPECT_EQ(Desktop("TileWallpaper"), tile ? "1" : "0");
    // The name in the letter case it was passed in.
    EXPECT_EQ(frm.Caption(), "Murovex - Sunset.BMP");
    EXPECT_EQ(env.app.Title(), "Murovex - Sunset.BMP");
    EXPECT_EQ(tray.TrayIcon1.Hint(), "Murovex - Sunset.BMP");

    std::string path;
    bool current = !tile;
    frm.GetCurrentWallpaper(path, current);
    EXPECT_EQ(path, "c:\\pictures\\murovex test\\sunset.bmp");
    EXPECT_EQ(current, tile);
  }
}

TEST_F(WallpaperSetter, AnUnsavedChangeKeepsTheSavedPathInTheDesktopSettingsButIsReportedAsCurrent) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  frm.SetWallpaper(kUnsaved, DisplayMode::Centre, false);
  EXPECT_EQ(Desktop("Wallpaper"), kSaved);
  // The tile mode is written before the system call, saved or not.
  EXPECT_EQ(Desktop("TileWallpaper"), "0");

  std::string path;
  bool tile = true;
  frm.GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "c:\\pictures\\murovex test\\harbour.bmp");
  EXPECT_FALSE(tile);
  EXPECT_EQ(frm.Caption(), "Murovex - harbour.bmp");
}

TEST_F(WallpaperSetter, AWallpaperSavedByAnotherProgramIsReportedAsCurrent) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  frm.SetWallpaper(kUnsaved, DisplayMode::Tile, false);
  ASSERT_TRUE(registry.SetValue(key, "Wallpaper", {kRegSz, "D:\\Web\\Internet Explorer Wallpaper.bmp"}));
  ASSERT_TRUE(registry.SetValue(key, "TileWallpaper", {kRegSz, "0"}));

  std::string path;
  bool tile = true;
  frm.GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "d:\\web\\internet explorer wallpaper.bmp");
  EXPECT_FALSE(tile);
  EXPECT_EQ(frm.Caption(), "Murovex - internet explorer wallpaper.bmp");
}

TEST_F(WallpaperSetter, ADesktopValueThatIsNoStringIsAnErrorNamingTheValue) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  ASSERT_TRUE(registry.SetValue(key, "TileWallpaper", {kRegDword, std::string("\x01\x00\x00\x00", 4)}));
  std::string path;
  bool tile = true;
  try {
    frm.GetCurrentWallpaper(path, tile);
    ADD_FAILURE() << "a DWORD value was read as text";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'TILEWALLPAPER'");
  }
}

}  // namespace
}  // namespace mvx::testing

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
    savedStyle = registry.QueryValue(key, "WallpaperStyle");
    frm.BaseCaption = "Murovex";
  }

  void TearDown() override {
    if (key == 0) return;
    Restore("Wallpaper", savedWallpaper);
    Restore("TileWallpaper", savedTile);
    Restore("WallpaperStyle", savedStyle);
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
  std::optional<RegValue> savedStyle;

  ViewEnv env;
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, Folders(), tray};
};

// On a desktop set to fill, as a fresh Windows is, each mode leaves its own
// pair of values, and the pair reads back as the mode.
TEST_F(WallpaperSetter, ASavedChangeStoresThePathAndTheDisplayModeInTheDesktopSettings) {
  const std::pair<DisplayMode, std::string> cases[] = {{DisplayMode::Centre, "0/0"},
                                                       {DisplayMode::Tile, "0/1"},
                                                       {DisplayMode::Stretch, "2/0"},
                                                       {DisplayMode::Fit, "6/0"},
                                                       {DisplayMode::Fill, "10/0"}};
  ASSERT_TRUE(registry.SetValue(key, "WallpaperStyle", {kRegSz, "10"}));
  for (const auto& [mode, pair] : cases) {
    SCOPED_TRACE(std::string(DisplayModeName(mode)));
    frm.SetWallpaper(kSaved, mode, true);
    EXPECT_EQ(Desktop("Wallpaper"), kSaved);
    EXPECT_EQ(Desktop("WallpaperStyle") + "/" + Desktop("TileWallpaper"), pair);
    // The name in the letter case it was passed in.
    EXPECT_EQ(frm.Caption(), "Murovex - Sunset.BMP");
    EXPECT_EQ(env.app.Title(), "Murovex - Sunset.BMP");
    EXPECT_EQ(tray.TrayIcon1.Hint(), "Murovex - Sunset.BMP");

    std::string path;
    DisplayMode current = NextDisplayMode(mode);
    frm.GetCurrentWallpaper(path, current);
    EXPECT_EQ(path, "c:\\pictures\\murovex test\\sunset.bmp");
    EXPECT_EQ(current, mode);
    frm.LastSavedWallpaper.clear();
    frm.LastSetWallpaper.clear();
    frm.ReadDesktopWallpaper(path, current);
    EXPECT_EQ(current, mode) << "read from the desktop settings alone";
  }
}

TEST_F(WallpaperSetter, AnUnsavedChangeKeepsTheSavedPathInTheDesktopSettingsButIsReportedAsCurrent) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  frm.SetWallpaper(kUnsaved, DisplayMode::Centre, false);
  EXPECT_EQ(Desktop("Wallpaper"), kSaved);
  // The tile mode is written before the system call, saved or not.
  EXPECT_EQ(Desktop("TileWallpaper"), "0");

  std::string path;
  DisplayMode tile = DisplayMode::Tile;
  frm.GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "c:\\pictures\\murovex test\\harbour.bmp");
  EXPECT_EQ(tile, DisplayMode::Centre);
  EXPECT_EQ(frm.Caption(), "Murovex - harbour.bmp");
}

TEST_F(WallpaperSetter, AWallpaperSavedByAnotherProgramIsReportedAsCurrent) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  frm.SetWallpaper(kUnsaved, DisplayMode::Tile, false);
  ASSERT_TRUE(registry.SetValue(key, "Wallpaper", {kRegSz, "D:\\Web\\Internet Explorer Wallpaper.bmp"}));
  ASSERT_TRUE(registry.SetValue(key, "TileWallpaper", {kRegSz, "0"}));

  ASSERT_TRUE(registry.SetValue(key, "WallpaperStyle", {kRegSz, "0"}));
  std::string path;
  DisplayMode tile = DisplayMode::Tile;
  frm.GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "d:\\web\\internet explorer wallpaper.bmp");
  EXPECT_EQ(tile, DisplayMode::Centre);
  EXPECT_EQ(frm.Caption(), "Murovex - internet explorer wallpaper.bmp");
}

// Another program may store the values as numbers: the style is then
// passed over and the tile value decides, never an error.
TEST_F(WallpaperSetter, DisplayValuesThatAreNoStringsReadAsMissing) {
  frm.SetWallpaper(kSaved, DisplayMode::Centre, true);
  ASSERT_TRUE(registry.SetValue(key, "WallpaperStyle", {kRegDword, std::string("\x0A\x00\x00\x00", 4)}));
  std::string path;
  DisplayMode mode = DisplayMode::Fill;
  EXPECT_NO_THROW(frm.ReadDesktopWallpaper(path, mode));
  EXPECT_EQ(mode, DisplayMode::Centre);
  ASSERT_TRUE(registry.SetValue(key, "TileWallpaper", {kRegDword, std::string("\x00\x00\x00\x00", 4)}));
  EXPECT_NO_THROW(frm.ReadDesktopWallpaper(path, mode));
  EXPECT_EQ(mode, DisplayMode::Tile);
}

TEST_F(WallpaperSetter, AWallpaperValueThatIsNoStringIsAnErrorNamingTheValue) {
  frm.SetWallpaper(kSaved, DisplayMode::Tile, true);
  ASSERT_TRUE(registry.SetValue(key, "Wallpaper", {kRegDword, std::string("\x01\x00\x00\x00", 4)}));
  std::string path;
  DisplayMode mode = DisplayMode::Tile;
  try {
    frm.GetCurrentWallpaper(path, mode);
    ADD_FAILURE() << "a DWORD value was read as text";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'WALLPAPER'");
  }
}

}  // namespace
}  // namespace mvx::testing

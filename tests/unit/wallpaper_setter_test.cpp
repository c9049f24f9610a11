#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/error.h"
#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

const char* const kDesktop = "HKCU\\Control Panel\\Desktop";

class WallpaperSetterTest : public SlideFixture {
 protected:
  std::string Reg(const char* name) const {
    auto v = fakes.registry.Get(kDesktop, name);
    return v ? v->data : "<missing>";
  }
  void PutReg(const char* name, std::string data, std::uint32_t type = kRegSz) {
    fakes.registry.Put(kDesktop, name, RegValue{type, std::move(data)});
  }
};

TEST_F(WallpaperSetterTest, SavedChangeWritesTheTileModeBeforeTheSystemCallAndShowsTheNameAsPassed) {
  std::string tileDuringCall;
  fakes.desktop.onSetWallpaper = [&](const std::string&, std::uint32_t) {
    tileDuringCall = Reg("TILEWALLPAPER");
    EXPECT_TRUE(fakes.shell.busyCursor);
  };
  main->SetWallpaper("C:\\Pics\\Sky.BMP", DisplayMode::Centre, true);

  EXPECT_EQ(tileDuringCall, "0");
  ASSERT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].path, "C:\\Pics\\Sky.BMP");
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].flags, 3u);
  EXPECT_EQ(main->LastSavedWallpaper, "c:\\pics\\sky.bmp");
  EXPECT_EQ(main->LastSetWallpaper, "c:\\pics\\sky.bmp");
  EXPECT_EQ(main->LastSetDisplay, DisplayMode::Centre);
  EXPECT_EQ(main->Caption(), "Murovex - Sky.BMP");
  EXPECT_EQ(app.Title(), "Murovex - Sky.BMP");
  EXPECT_EQ(tray->TrayIcon1.Hint(), "Murovex - Sky.BMP");
  EXPECT_EQ(fakes.shell.processed, 2);
  EXPECT_FALSE(fakes.shell.busyCursor);
  EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

// Both values are in place when the system reads them, whatever the desktop
// held before (a fresh Windows holds "10", fill).
TEST_F(WallpaperSetterTest, EachModeWritesItsStyleAndTileValuesBeforeTheSystemCall) {
  struct Case {
    DisplayMode mode;
    const char* style;
    const char* tile;
  } cases[] = {{DisplayMode::Tile, "0", "1"},
               {DisplayMode::Centre, "0", "0"},
               {DisplayMode::Fill, "10", "0"},
               {DisplayMode::Fit, "6", "0"},
               {DisplayMode::Stretch, "2", "0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(DisplayModeName(c.mode)));
    PutReg("WallpaperStyle", "10");
    PutReg("TileWallpaper", "1");
    std::string during;
    fakes.desktop.onSetWallpaper = [&](const std::string&, std::uint32_t) {
      during = Reg("WallpaperStyle") + "/" + Reg("TileWallpaper");
    };
    main->SetWallpaper("C:\\Pics\\a.bmp", c.mode, c.mode != DisplayMode::Fit);
    EXPECT_EQ(during, std::string(c.style) + "/" + c.tile);
    EXPECT_EQ(main->LastSetDisplay, c.mode);
    std::string path;
    DisplayMode read = NextDisplayMode(c.mode);
    main->ReadDesktopWallpaper(path, read);
    EXPECT_EQ(read, c.mode) << "read back as the mode it was written for";
  }
}

TEST_F(WallpaperSetterTest, FlagsFollowSaveAndNotificationAndAnUnsavedChangeKeepsTheSavedOne) {
  struct Case {
    bool save, notify;
    std::uint32_t flags;
    const char* saved;
  } cases[] = {{true, true, 3, "c:\\b.bmp"}, {true, false, 1, "c:\\b.bmp"}, {false, true, 0, "c:\\a.bmp"}};
  for (const Case& c : cases) {
    main->LastSavedWallpaper = "c:\\a.bmp";
    main->chkSendChangeNotification.SetChecked(c.notify);
    main->SetWallpaper("C:\\B.bmp", DisplayMode::Tile, c.save);
    EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, c.flags);
    EXPECT_EQ(main->LastSavedWallpaper, c.saved);
    EXPECT_EQ(main->LastSetWallpaper, "c:\\b.bmp");
    EXPECT_EQ(Reg("TILEWALLPAPER"), "1") << "written for unsaved changes too";
  }
}

TEST_F(WallpaperSetterTest, AnUnopenableDesktopKeyStillSetsAndRemembersTheWallpaper) {
  fakes.registry.Deny(kDesktop);
  main->SetWallpaper("C:\\Pics\\a.bmp", DisplayMode::Tile, true);
  EXPECT_EQ(Reg("TILEWALLPAPER"), "<missing>");
  EXPECT_EQ(WallpapersSet().size(), 1u);
  EXPECT_EQ(main->LastSetWallpaper, "c:\\pics\\a.bmp");
  EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

TEST_F(WallpaperSetterTest, APathLongerThanTheSystemsBufferIsRefusedAndTraced) {
  const std::string fits = "C:\\" + std::string(249, 'x') + ".bmp";  // 256 characters
  main->SetWallpaper(fits, DisplayMode::Tile, true);
  EXPECT_EQ(WallpapersSet().size(), 1u);

  main->LastSavedWallpaper = main->LastSetWallpaper = "c:\\before.bmp";
  fakes.registry.Put(kDesktop, "TILEWALLPAPER", RegValue{kRegSz, "0"});
  main->SetWallpaper(fits + "x", DisplayMode::Tile, true);
  EXPECT_EQ(WallpapersSet().size(), 1u);
  EXPECT_EQ(Reg("TILEWALLPAPER"), "0");
  EXPECT_EQ(main->LastSavedWallpaper, "c:\\before.bmp");
  EXPECT_EQ(main->LastSetWallpaper, "c:\\before.bmp");
  EXPECT_EQ(fakes.trace.Texts().back().rfind("FrmMain.SetWallpaper: Path too long (257 characters)", 0), 0u);
}

TEST_F(WallpaperSetterTest, TheCursorComesBackWhenTheSystemCallFails) {
  fakes.desktop.onSetWallpaper = [](const std::string&, std::uint32_t) { throw std::runtime_error("gone"); };
  EXPECT_THROW(main->SetWallpaper("C:\\a.bmp", DisplayMode::Tile, true), std::runtime_error);
  EXPECT_FALSE(fakes.shell.busyCursor);
  EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

// The style names stretch, fit and fill (span reads as fill); anything else
// leaves the tile value to tell tiled from centred, where only "0" is centred.
TEST_F(WallpaperSetterTest, TheDesktopsTwoValuesReadAsADisplayMode) {
  const RegValue dword{kRegDword, std::string("\x02\0\0\0", 4)};
  struct Case {
    std::optional<RegValue> style, tile;  // nullopt: missing
    DisplayMode mode;
  } cases[] = {
      {std::nullopt, std::nullopt, DisplayMode::Tile},
      {RegValue{kRegSz, ""}, RegValue{kRegSz, ""}, DisplayMode::Tile},
      {RegValue{kRegSz, "0"}, RegValue{kRegSz, "2"}, DisplayMode::Tile},
      {RegValue{kRegSz, "0"}, RegValue{kRegSz, "0"}, DisplayMode::Centre},
      {std::nullopt, RegValue{kRegSz, "0"}, DisplayMode::Centre},
      {RegValue{kRegSz, "2"}, RegValue{kRegSz, "1"}, DisplayMode::Stretch},
      {RegValue{kRegSz, "6"}, RegValue{kRegSz, "0"}, DisplayMode::Fit},
      {RegValue{kRegExpandSz, "10"}, std::nullopt, DisplayMode::Fill},
      {RegValue{kRegSz, "22"}, RegValue{kRegSz, "0"}, DisplayMode::Fill},
      {RegValue{kRegSz, "7"}, RegValue{kRegSz, "0"}, DisplayMode::Centre},
      {RegValue{kRegSz, "10 "}, RegValue{kRegSz, "1"}, DisplayMode::Tile},
      {dword, RegValue{kRegSz, "0"}, DisplayMode::Centre},
      {RegValue{kRegSz, "6"}, dword, DisplayMode::Fit},
      {RegValue{kRegSz, "0"}, dword, DisplayMode::Tile},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(++n);
    const RegKey key = *fakes.registry.OpenKey(kHkeyCurrentUser, "Control Panel\\Desktop");
    fakes.registry.DeleteValue(key, "WallpaperStyle");
    fakes.registry.DeleteValue(key, "TileWallpaper");
    fakes.registry.CloseKey(key);
    if (c.style) fakes.registry.Put(kDesktop, "WallpaperStyle", *c.style);
    if (c.tile) fakes.registry.Put(kDesktop, "TileWallpaper", *c.tile);
    PutReg("WALLPAPER", "C:\\WINDOWS\\Clouds.BMP", kRegExpandSz);
    std::string path;
    DisplayMode mode = NextDisplayMode(c.mode);
    EXPECT_NO_THROW(main->ReadDesktopWallpaper(path, mode));
    EXPECT_EQ(mode, c.mode);
    EXPECT_EQ(path, "c:\\windows\\clouds.bmp");
  }
}

TEST_F(WallpaperSetterTest, AWallpaperValueOfAnotherTypeIsAnErrorNamingTheValue) {
  for (const char* name : {"WALLPAPER"}) {
    SCOPED_TRACE(name);
    PutReg("WALLPAPER", "c:\\a.bmp");
    PutReg("TILEWALLPAPER", "1");
    PutReg(name, std::string("\x01\0\0\0", 4), kRegDword);
    std::string path;
    DisplayMode tile = DisplayMode::Tile;
    try {
      main->ReadDesktopWallpaper(path, tile);
      ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Invalid data type for '") + name + "'");
    }
    EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
  }
}

TEST_F(WallpaperSetterTest, AClosedDesktopKeyReadsEmptyAndLeavesTileAndTheSavedWallpaper) {
  main->LastSavedWallpaper = "c:\\kept.bmp";
  fakes.registry.Deny(kDesktop);
  std::string path = "x";
  DisplayMode tile = DisplayMode::Fit;
  main->ReadDesktopWallpaper(path, tile);
  EXPECT_EQ(path, "");
  EXPECT_EQ(tile, DisplayMode::Fit);
  EXPECT_EQ(main->LastSavedWallpaper, "c:\\kept.bmp");
}

TEST_F(WallpaperSetterTest, CurrentWallpaperFollowsUnsavedChangesUntilAnotherProgramSavesOne) {
  PutReg("WALLPAPER", "C:\\Pics\\Saved.bmp");
  PutReg("TILEWALLPAPER", "0");
  std::string path;
  DisplayMode tile = DisplayMode::Tile;
  main->GetCurrentWallpaper(path, tile);  // the first reading stands for the last saved wallpaper
  EXPECT_EQ(path, "c:\\pics\\saved.bmp");
  EXPECT_EQ(tile, DisplayMode::Centre);
  EXPECT_EQ(main->Caption(), "Murovex - saved.bmp");

  main->SetWallpaper("C:\\Pics\\Shown.bmp", DisplayMode::Tile, false);
  PutReg("WALLPAPER", "c:\\PICS\\saved.BMP");  // the same path in other letters
  main->GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "c:\\pics\\shown.bmp");
  EXPECT_EQ(tile, DisplayMode::Tile);

  PutReg("WALLPAPER", "C:\\Other\\Theirs.bmp");
  PutReg("TILEWALLPAPER", "0");
  main->GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "c:\\other\\theirs.bmp");
  EXPECT_EQ(tile, DisplayMode::Centre);
  EXPECT_EQ(main->Caption(), "Murovex - theirs.bmp");
}

TEST_F(WallpaperSetterTest, NoWallpaperAnywhereGivesAnEmptyPathAndTheBareCaption) {
  std::string path = "x";
  DisplayMode tile = DisplayMode::Tile;
  main->GetCurrentWallpaper(path, tile);
  EXPECT_EQ(path, "");
  EXPECT_EQ(main->Caption(), "Murovex");
}

TEST_F(WallpaperSetterTest, NoneRemovesTheWallpaperAndStopsTheSlideshow) {
  main->tmrSlide.SetInterval(300000);
  main->tmrSlide.SetEnabled(true);
  main->tbnNoneClick(nullptr);
  EXPECT_EQ(Reg("TILEWALLPAPER"), "1");
  ASSERT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].path, "");
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].flags, 3u);
  EXPECT_EQ(main->LastSetWallpaper, "");
  EXPECT_EQ(main->LastSavedWallpaper, "");
  EXPECT_FALSE(main->chkAutoChange.Checked());
  EXPECT_FALSE(main->tmrSlide.Enabled());
  EXPECT_EQ(main->Caption(), "Murovex - (none)");
}

TEST_F(WallpaperSetterTest, TheTrayHintKeeps63CharactersOfTheCaption) {
  const std::string name = std::string(70, 'n') + ".bmp";
  main->SetWallpaper("C:\\" + name, DisplayMode::Tile, true);
  EXPECT_EQ(main->Caption(), "Murovex - " + name);
  EXPECT_EQ(tray->TrayIcon1.Hint(), main->Caption().substr(0, 63));
}

TEST_F(WallpaperSetterTest, SetCommandsSetTheSelectedEntryAndMoveTheSlideshowAsTheirRuleSays) {
  Add({"A.bmp", "B.bmp", "Cloud.bmp"});
  struct Case {
    void (TFrmMain::*command)(TObject*);
    bool sync, moves;
  } cases[] = {{&TFrmMain::tbnSetWallpaperClick, false, true},
               {&TFrmMain::mnuSetWallpaper1Click, false, false},
               {&TFrmMain::imgDesktopClick, false, false},
               {&TFrmMain::dbgrdInventoryDblClick, false, false},
               {&TFrmMain::dbgrdInventoryDblClick, true, true}};
  for (const Case& c : cases) {
    main->chkSyncWithManualChange.SetChecked(c.sync);
    SlideOn("A.bmp");
    ViewOn("Cloud.bmp");
    (main.get()->*c.command)(nullptr);
    EXPECT_EQ(WallpapersSet().back(), Pics("cloud.bmp"));
    EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u);
    EXPECT_EQ(main->cdtSlideShow.Fields().LCFilename, c.moves ? "cloud.bmp" : "a.bmp");
  }
  EXPECT_EQ(main->Caption(), "Murovex - cloud.bmp") << "the set commands pass the lower-cased key";
}

TEST_F(WallpaperSetterTest, SetCommandsOnAnEmptyInventoryDoNothing) {
  main->tbnSetWallpaperClick(nullptr);
  main->dbgrdInventoryDblClick(nullptr);
  EXPECT_TRUE(WallpapersSet().empty());
}

TEST_F(WallpaperSetterTest, FindingTheCurrentWallpaperFollowsABrowserFileToWhereDetectionPutIt) {
  Add({"A.bmp", "Taken.bmp"});
  ViewOn("A.bmp");
  PutReg("WALLPAPER", "C:\\WINDOWS\\Netscape Wallpaper.bmp");
  main->LastDetectedSource = "c:\\windows\\netscape wallpaper.bmp";
  main->LastDetectedTarget = "c:\\pics\\taken.bmp";
  EXPECT_TRUE(main->FindCurrentInList());
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "taken.bmp");

  PutReg("WALLPAPER", "C:\\Elsewhere\\x.bmp");
  EXPECT_FALSE(main->FindCurrentInList());
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "taken.bmp");
}

}  // namespace
}  // namespace mvx::testing

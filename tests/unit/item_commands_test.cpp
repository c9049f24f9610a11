#include <gtest/gtest.h>

#include "unit/slide_fixture.h"

namespace mvx {
namespace {

class TrayItemCommandsTest : public testing::SlideFixture {
 protected:
  // The desktop shows a picture of the list, as the program left it.
  void OnScreen(const std::string& lcName, bool tile) {
    main->SetWallpaper(Pics(lcName), tile, true);
    fakes.registry.Put("HKCU\\Control Panel\\Desktop", "Wallpaper", {kRegSz, Pics(lcName)});
  }
};

TEST_F(TrayItemCommandsTest, DisablingTheWallpaperOnScreenTakesItOutAndMovesOn) {
  Add({{"A.bmp"}, {"B.bmp"}, {"C.bmp"}});
  main->chkRandom.SetChecked(false);
  OnScreen("b.bmp", true);
  tray->mnuDisableThisWallpaperImage.Click();
  ASSERT_TRUE(main->cdtData.FindKey("b.bmp", "c:\\pics"));
  EXPECT_FALSE(main->cdtData.Fields().Enabled);
  EXPECT_EQ(WallpapersSet().back(), Pics("c.bmp")) << "the next picture after the disabled one";
  EXPECT_TRUE(main->InputTimeout1.Pending()) << "the change is saved with the next save";
}

TEST_F(TrayItemCommandsTest, DisablingAPictureThatIsNotInTheListStillMovesOn) {
  Add({{"A.bmp"}, {"B.bmp"}});
  main->chkRandom.SetChecked(false);
  OnScreen("elsewhere.bmp", true);
  const std::size_t before = WallpapersSet().size();
  tray->mnuDisableThisWallpaperImage.Click();
  EXPECT_EQ(WallpapersSet().size(), before + 1);
  for (const InventoryEntry& e : main->cdtData.AllRecords()) EXPECT_TRUE(e.Enabled) << e.FileName;
}

TEST_F(TrayItemCommandsTest, ChangingTheTileModeStoresItAndSetsTheWallpaperSo) {
  Add({{"A.bmp", true, true}});
  OnScreen("a.bmp", true);
  tray->mnuToggleTiled.Click();
  ASSERT_TRUE(main->cdtData.FindKey("a.bmp", "c:\\pics"));
  EXPECT_FALSE(main->cdtData.Fields().Tile);
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "TILEWALLPAPER")->data, "0");
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u);
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

TEST_F(TrayItemCommandsTest, ChangingTheTileModeOfAPictureNotInTheListDoesNothing) {
  Add({{"A.bmp"}});
  OnScreen("elsewhere.bmp", true);
  const std::size_t before = WallpapersSet().size();
  tray->mnuToggleTiled.Click();
  EXPECT_EQ(WallpapersSet().size(), before);
  EXPECT_FALSE(main->InputTimeout1.Pending());
}

TEST_F(TrayItemCommandsTest, AWallpaperWhoseFileIsGoneChangesNoOtherEntry) {
  struct Case {
    const char* what;
    TMenuItem& (*item)(TFrmTray&);
  };
  const Case cases[] = {
      {"&Disable this Wallpaper", [](TFrmTray& t) -> TMenuItem& { return t.mnuDisableThisWallpaperImage; }},
      {"Change &Tile Mode", [](TFrmTray& t) -> TMenuItem& { return t.mnuToggleTiled; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    while (!main->cdtData.IsEmpty()) {
      main->cdtData.First();
      main->cdtData.Delete();
    }
    Add({{"A.bmp", true, true}, {"B.bmp", true, false, 1000, false}, {"C.bmp", true, true}});
    main->chkRandom.SetChecked(false);
    OnScreen("b.bmp", false);
    ViewOn("A.bmp");
    c.item(*tray).Click();
    for (const InventoryEntry& e : main->cdtData.AllRecords()) {
      EXPECT_TRUE(e.Enabled) << e.FileName;
      EXPECT_EQ(e.Tile, e.FileName != "B.bmp") << e.FileName;
    }
  }
}

TEST_F(TrayItemCommandsTest, TheLastEntryWhoseFileIsGoneLeavesNoHalfEdit) {
  Add({{"B.bmp", true, false, 1000, false}});
  OnScreen("b.bmp", false);
  EXPECT_NO_THROW(tray->mnuToggleTiled.Click());
  EXPECT_NO_THROW(tray->mnuDisableThisWallpaperImage.Click());
  EXPECT_EQ(main->cdtData.State(), DataSetState::Browse);
}

TEST_F(TrayItemCommandsTest, CommandsNotCarriedOutYetAreLeftOutOfTheMenu) {
  EXPECT_FALSE(tray->mnuHideDesktopIcons.Visible());
  EXPECT_FALSE(tray->mnuAbout.Visible());
  EXPECT_TRUE(tray->mnuDisableThisWallpaperImage.Visible());
}

}  // namespace
}  // namespace mvx

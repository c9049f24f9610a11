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

TEST_F(TrayItemCommandsTest, CommandsNotCarriedOutYetAreLeftOutOfTheMenu) {
  EXPECT_FALSE(tray->mnuHideDesktopIcons.Visible());
  EXPECT_FALSE(tray->mnuAbout.Visible());
  EXPECT_TRUE(tray->mnuDisableThisWallpaperImage.Visible());
}

}  // namespace
}  // namespace mvx

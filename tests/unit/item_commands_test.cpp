#include <gtest/gtest.h>

#include "unit/slide_fixture.h"

namespace mvx {
namespace {

class TrayItemCommandsTest : public testing::SlideFixture {
 protected:
  // The desktop shows a picture of the list, as the program left it.
  void OnScreen(const std::string& lcName, DisplayMode mode) {
    main->SetWallpaper(Pics(lcName), mode, true);
    fakes.registry.Put("HKCU\\Control Panel\\Desktop", "Wallpaper", {kRegSz, Pics(lcName)});
  }
};

TEST_F(TrayItemCommandsTest, DisablingTheWallpaperOnScreenTakesItOutAndMovesOn) {
  Add({{"A.bmp"}, {"B.bmp"}, {"C.bmp"}});
  main->chkRandom.SetChecked(false);
  OnScreen("b.bmp", DisplayMode::Tile);
  tray->mnuDisableThisWallpaperImage.Click();
  ASSERT_TRUE(main->cdtData.FindKey("b.bmp", "c:\\pics"));
  EXPECT_FALSE(main->cdtData.Fields().Enabled);
  EXPECT_EQ(WallpapersSet().back(), Pics("c.bmp")) << "the next picture after the disabled one";
  EXPECT_TRUE(main->InputTimeout1.Pending()) << "the change is saved with the next save";
}

TEST_F(TrayItemCommandsTest, DisablingAPictureThatIsNotInTheListStillMovesOn) {
  Add({{"A.bmp"}, {"B.bmp"}});
  main->chkRandom.SetChecked(false);
  OnScreen("elsewhere.bmp", DisplayMode::Tile);
  const std::size_t before = WallpapersSet().size();
  tray->mnuDisableThisWallpaperImage.Click();
  EXPECT_EQ(WallpapersSet().size(), before + 1);
  for (const InventoryEntry& e : main->cdtData.AllRecords()) EXPECT_TRUE(e.Enabled) << e.FileName;
}

TEST_F(TrayItemCommandsTest, ChangingTheDisplayModeStoresItAndSetsTheWallpaperSo) {
  Add({{"A.bmp", true, true}});
  OnScreen("a.bmp", DisplayMode::Tile);
  tray->mnuToggleTiled.Click();
  ASSERT_TRUE(main->cdtData.FindKey("a.bmp", "c:\\pics"));
  EXPECT_EQ(main->cdtData.Fields().Display, DisplayMode::Centre) << "the cycle goes from Tile to Centre";
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "TILEWALLPAPER")->data, "0");
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "WallpaperStyle")->data, "0");
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u);
  EXPECT_TRUE(main->InputTimeout1.Pending());

  // The submenu shows the wallpaper's mode when the menu opens, and sets another.
  tray->TrayIcon1.BeforePopup(nullptr);
  const auto& modes = tray->mnuDisplayMode.Item().Items();
  ASSERT_EQ(modes.size(), 5u);
  EXPECT_TRUE(modes[1]->Checked() && !modes[0]->Checked());
  modes[2]->Click();
  ASSERT_TRUE(main->cdtData.FindKey("a.bmp", "c:\\pics"));
  EXPECT_EQ(main->cdtData.Fields().Display, DisplayMode::Fill);
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "WallpaperStyle")->data, "10");
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "TILEWALLPAPER")->data, "0");
  EXPECT_EQ(WallpapersSet().back(), Pics("a.bmp"));
}

TEST_F(TrayItemCommandsTest, ChangingTheTileModeOfAPictureNotInTheListDoesNothing) {
  Add({{"A.bmp"}});
  OnScreen("elsewhere.bmp", DisplayMode::Tile);
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
      {"Change Displa&y Mode", [](TFrmTray& t) -> TMenuItem& { return t.mnuToggleTiled; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    while (!main->cdtData.IsEmpty()) {
      main->cdtData.First();
      main->cdtData.Delete();
    }
    Add({{"A.bmp", true, true}, {"B.bmp", true, false, 1000, false}, {"C.bmp", true, true}});
    main->chkRandom.SetChecked(false);
    OnScreen("b.bmp", DisplayMode::Centre);
    ViewOn("A.bmp");
    c.item(*tray).Click();
    // The command acts on the wallpaper's own entry; the preview, once its
    // decode answers, takes that entry out, its file being gone.
    fakes.pictures.Deliver();
    EXPECT_FALSE(main->cdtData.HasKey("b.bmp", "c:\\pics"));
    for (const InventoryEntry& e : main->cdtData.AllRecords()) {
      EXPECT_TRUE(e.Enabled) << e.FileName;
      EXPECT_EQ(e.Display, DisplayMode::Tile) << e.FileName;
    }
    EXPECT_EQ(main->cdtData.RecordCount(), 2);
  }
}

TEST_F(TrayItemCommandsTest, TheLastEntryWhoseFileIsGoneLeavesNoHalfEdit) {
  Add({{"B.bmp", true, false, 1000, false}});
  OnScreen("b.bmp", DisplayMode::Centre);
  EXPECT_NO_THROW(tray->mnuToggleTiled.Click());
  EXPECT_NO_THROW(tray->mnuDisableThisWallpaperImage.Click());
  EXPECT_EQ(main->cdtData.State(), DataSetState::Browse);
}

// The tray menu as the user sees it, top to bottom: every item shown, the
// separators in their places, the Help submenu with the about box.
TEST_F(TrayItemCommandsTest, TheTrayMenuHoldsEveryCommandInItsPlace) {
  auto describe = [](const TMenuItem& menu) {
    std::vector<std::string> lines;
    for (const auto& item : menu.Items()) {
      std::string line = item->Caption();
      if (!item->Visible()) line += " (hidden)";
      if (item->Default()) line += " (default)";
      if (item->Checked()) line += " (checked)";
      lines.push_back(line);
    }
    return lines;
  };
  const std::vector<std::string> expected = {"Change Wallpaper &Now (default)",
                                             "Pre&vious Wallpaper",
                                             "Run &Slideshow (checked)",
                                             "Wallpaper = (n&one)",
                                             "H&ide Desktop Icons",
                                             "-",
                                             "&Disable this Wallpaper",
                                             "Change Displa&y Mode",
                                             "Display &Mode",
                                             "-",
                                             "&Help",
                                             "&Paste Wallpaper from Clipboard",
                                             "Murovex P&roperties",
                                             "-",
                                             "&Close"};
  EXPECT_EQ(describe(tray->menuIcon), expected);
  EXPECT_EQ(describe(tray->mnuHelp), (std::vector<std::string>{"&Contents", "&About..."}));
  for (const auto& item : tray->menuIcon.Items()) {
    if (!item->IsSeparator() && item.get() != &tray->mnuHelp && item.get() != &tray->mnuDisplayMode.Item()) {
      EXPECT_TRUE(item->OnClick) << item->Caption();
    }
  }
  for (const auto& item : tray->mnuDisplayMode.Item().Items()) EXPECT_TRUE(item->OnClick && item->RadioItem());
  EXPECT_TRUE(tray->mnuAbout.OnClick);
}

}  // namespace
}  // namespace mvx

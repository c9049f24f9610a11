#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "monitors/monitor_layout.h"
#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

const Monitor kPrimary{{0, 0, 1280, 1024}, true};
const Monitor kRight{{1280, 0, 2304, 768}, false};
const Monitor kPortraitLeft{{-768, -200, 0, 1080}, false};

// The whole desktop's picture: the bounds of all monitors, each monitor's
// picture placed in its own rectangle in its own mode.
TEST(DesktopCompositionTest, EachMonitorHoldsItsPictureInItsModeWithinTheBounds) {
  struct Case {
    DisplayMode mode;
    PictureSize picture;
    PixelRect firstPlace;  // in the second monitor's own pixels (768 x 1280)
  } cases[] = {
      {DisplayMode::Fill, {1600, 1200}, {-470, 0, 1237, 1280}},  // covers, cut left and right
      {DisplayMode::Fit, {1600, 1200}, {0, 352, 768, 928}},      // whole, bars above and below
      {DisplayMode::Stretch, {1600, 1200}, {0, 0, 768, 1280}},  {DisplayMode::Centre, {100, 60}, {334, 610, 434, 670}},
      {DisplayMode::Tile, {600, 700}, {0, 0, 600, 700}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(DisplayModeName(c.mode)));
    const DesktopComposition d =
        ComposeDesktop({kPrimary, kPortraitLeft},
                       {{"c:\\a.jpg", {800, 600}, 1, DisplayMode::Fit}, {"c:\\b.jpg", c.picture, 1, c.mode}}, 0x112233);
    EXPECT_EQ(d.width, 768 + 1280);
    EXPECT_EQ(d.height, 1024 + 200 + 56);
    ASSERT_EQ(d.pieces.size(), 2u);
    EXPECT_EQ(d.pieces[0].place, (PixelRect{768, 200, 2048, 1224})) << "the primary, right of the one at -768";
    EXPECT_EQ(d.pieces[1].place, (PixelRect{0, 0, 768, 1280}));
    EXPECT_EQ(d.pieces[1].path, "c:\\b.jpg");
    ASSERT_FALSE(d.pieces[1].scene.places.empty());
    EXPECT_EQ(d.pieces[1].scene.places.front(), c.firstPlace);
    EXPECT_EQ(d.pieces[1].scene.color, 0x112233u);
    EXPECT_LE(d.pieces[1].decodeSize.width, c.picture.width) << "never decoded larger than stored";
  }
}

class MonitorsTest : public SlideFixture {
 protected:
  MonitorsTest() {
    fakes.files.AddDir("C:\\Apps\\Murovex\\Images");
    main->SetDataDir("C:\\Apps\\Murovex\\Images");
    main->chkRandom.SetChecked(false);
  }
  void Layout(std::vector<Monitor> monitors) {
    fakes.monitors.monitors = std::move(monitors);
    main->Desk().ReadLayout();
  }
  // A picture of the given size in C:\Pics, listed.
  void Sized(const std::string& name, int width, int height, DisplayMode mode = DisplayMode::Fill) {
    Add(Pic(name.c_str()));
    fakes.files.Put("C:\\Pics\\" + name, BitmapBytes(width, height));
    ASSERT_TRUE(main->cdtData.FindKey(LowerAZ(name), "c:\\pics"));
    main->cdtData.Edit();
    main->cdtData.EditFields().Display = mode;
    main->cdtData.Post();
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> paths;
    if (fakes.monitors.composed.empty()) return paths;
    for (const MonitorPiece& p : fakes.monitors.composed.back().pieces) paths.push_back(p.path);
    return paths;
  }
  std::string Desktop(const char* name) const {  // a value the program writes itself
    auto v = fakes.registry.Get("HKCU\\Control Panel\\Desktop", name);
    return v ? v->data : "<missing>";
  }
};

// Every monitor gets a picture of its own, all different while the list
// holds enough, in the slideshow's order after the primary's.
TEST_F(MonitorsTest, EachMonitorGetsADifferentPictureWhileTheListHoldsEnough) {
  struct Case {
    std::size_t monitors, pictures;
    bool random;
    std::size_t distinct;
  } cases[] = {{2, 5, false, 2}, {3, 5, false, 3}, {3, 5, true, 3}, {2, 1, false, 1}, {3, 2, true, 2}};
  const std::vector<Monitor> all = {kPrimary, kRight, {{2304, 0, 3328, 768}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.monitors) + " monitors, " + std::to_string(c.pictures) + " pictures");
    while (!main->cdtData.IsEmpty()) main->cdtData.Delete();
    for (std::size_t i = 0; i < c.pictures; ++i) Sized("p" + std::to_string(i) + ".bmp", 40, 30);
    Layout({all.begin(), all.begin() + static_cast<std::ptrdiff_t>(c.monitors)});
    main->chkRandom.SetChecked(c.random);
    main->ShowNextSlide();
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), c.monitors);
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), c.distinct);
    if (!c.random && c.pictures >= c.monitors) {
      EXPECT_EQ(shown[1], Pics("p" + std::to_string(1 + (shown[0] == Pics("p0.bmp") ? 0 : 1)) + ".bmp"))
          << "the next in order";
    }
    EXPECT_EQ(WallpapersSet().back(), "c:\\apps\\murovex\\images\\murovex desktop.bmp");
    EXPECT_EQ(Desktop("WallpaperStyle") + "/" + Desktop("TileWallpaper"), "22/0") << "spanned";
    EXPECT_EQ(fakes.files.Content("C:\\Apps\\Murovex\\Images\\Murovex Desktop.bmp").substr(0, 2), "BM");
    EXPECT_EQ(main->cdtData.RecordCount(), static_cast<int>(c.pictures)) << "the composed file is never listed";
  }
}

// A picture turned the other way than its monitor is passed over for the
// next that fits, a few candidates at most; then the first is taken.
TEST_F(MonitorsTest, AMonitorPassesOverPicturesOfTheOtherOrientation) {
  Layout({kPrimary, kPortraitLeft});
  Sized("a.bmp", 800, 600);
  Sized("b.bmp", 800, 600);
  Sized("c.bmp", 600, 900);
  Sized("d.bmp", 800, 600);
  SlideOn("d.bmp");
  main->ShowNextSlide();
  EXPECT_EQ(Shown(), (std::vector<std::string>{Pics("a.bmp"), Pics("c.bmp")}));

  while (!main->cdtData.IsEmpty()) main->cdtData.Delete();
  for (const char* name : {"w1.bmp", "w2.bmp", "w3.bmp", "w4.bmp", "w5.bmp", "w6.bmp"}) Sized(name, 800, 600);
  SlideOn("w6.bmp");
  main->ShowNextSlide();
  EXPECT_EQ(Shown(), (std::vector<std::string>{Pics("w1.bmp"), Pics("w2.bmp")})) << "none fits: the first";
}

// Set by hand, a picture goes to the main window's monitor (the primary
// while the window is hidden); the caption names every monitor's picture.
TEST_F(MonitorsTest, APictureSetByHandReplacesOneMonitorsAndTheOwnFileIsNeverOffered) {
  Layout({kPrimary, kRight});
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) Sized(name, 800, 600);
  SlideOn("c.bmp");
  main->ShowNextSlide();
  ASSERT_EQ(Shown(), (std::vector<std::string>{Pics("a.bmp"), Pics("b.bmp")}));
  ViewOn("c.bmp");
  main->mnuSetWallpaper1Click(nullptr);
  EXPECT_EQ(Shown(), (std::vector<std::string>{Pics("c.bmp"), Pics("b.bmp")}));
  EXPECT_EQ(main->Caption(), "Murovex - c.bmp | b.bmp");
  main->WMSettingChange("");
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty()) << "the composed file is the program's own";
  EXPECT_FALSE(main->IsKnownPicture("C:\\Pics\\z.bmp"));
  EXPECT_TRUE(main->IsOwnPicture("C:\\APPS\\Murovex\\Images\\Murovex Desktop.bmp"));

  // One monitor again: the same pictures, composed for what is there, on
  // a change of the layout; off, the primary's picture alone.
  Layout({kPrimary, kPortraitLeft});
  fakes.monitors.monitors = {kPrimary, kRight, {{2304, 0, 3000, 500}, false}};
  main->WMDisplayChange();
  ASSERT_EQ(Shown().size(), 3u);
  EXPECT_EQ(Shown()[0], Pics("c.bmp")) << "no new pick";
  main->chkPicturePerMonitor.Click();
  EXPECT_EQ(WallpapersSet().back(), Pics("c.bmp"));
  EXPECT_EQ(Desktop("WallpaperStyle"), "10");
}

}  // namespace
}  // namespace mvx::testing

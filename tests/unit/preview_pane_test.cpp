#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared/bitmap_bytes.h"
#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

struct ForegroundCounter : FormObserver {
  void ControlChanged(TControl&, ControlProp) override {}
  void FormChanged(TForm&) override {}
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override { ++raised; }
  int raised = 0;
};

// The Preview page over an inventory of pictures in C:\Pics.
class PreviewPaneTest : public SlideFixture {
 protected:
  ~PreviewPaneTest() override { main->RemoveObserver(&foreground); }
  // A picture of the given file size whose file is a bitmap of the given dimensions.
  void AddPicture(const char* name, std::int32_t size, int width = 2, int height = 2) {
    Add(Pic(name, true, true, size));
    fakes.files.Put("C:\\Pics\\" + std::string(name), BitmapBytes(width, height));
  }
  // The preview of the entry on the grid, once its picture has been decoded.
  void Preview(bool force = false) {
    main->LoadPreview(force);
    fakes.pictures.Deliver();
  }
  bool Shown() const { return main->imgDesktop.Visible() && !main->imgDesktop.Empty(); }
  std::string Message() const { return main->pnlImageMessage.Caption(); }
  std::vector<int> PictureBounds() const {
    const TImage& i = main->imgDesktop;
    return {i.Left(), i.Top(), i.Width(), i.Height()};
  }
  ForegroundCounter foreground;
};

TEST_F(PreviewPaneTest, TheSizeLimitPromptsAboveItsBoundaryAndShowsTheSizeInThousands) {
  struct Case {
    std::int32_t size;
    bool limitOn;
    int limit;
    const char* prompt;  // null: the picture is loaded
  } cases[] = {
      {250000, true, 250, nullptr},
      {250001, true, 250, "Click Here to Preview Big.bmp (250K)"},
      {999, true, 0, "Click Here to Preview Big.bmp (0K)"},
      {1, true, 0, "Click Here to Preview Big.bmp (0K)"},
      {0, true, 0, nullptr},
      {30000000, false, 250, nullptr},
  };
  AddPicture("Big.bmp", 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    main->chkLimitPreviewSize.SetChecked(c.limitOn);
    main->updPreviewSize.SetPosition(c.limit);
    main->cdtData.Edit();
    main->cdtData.EditFields().Size = c.size;
    main->cdtData.Post();
    fakes.pictures.loaded.clear();
    Preview();
    if (c.prompt == nullptr) {
      EXPECT_TRUE(Shown());
      EXPECT_EQ(fakes.pictures.loaded, std::vector<std::string>{"c:\\pics\\big.bmp"});
    } else {
      EXPECT_EQ(Message(), c.prompt);
      EXPECT_FALSE(main->pnlImageMessage.Bold());
      EXPECT_FALSE(main->imgDesktop.Visible());
      EXPECT_TRUE(main->imgDesktop.Empty()) << "a prompt holds no picture";
      EXPECT_TRUE(fakes.pictures.loaded.empty()) << "nothing is read for a prompt";
    }
  }
}

TEST_F(PreviewPaneTest, AClickOnThePromptLoadsThePictureWhateverItsSizeAndOnlyOnce) {
  AddPicture("Huge.bmp", 90000000);
  main->LoadPreview(false);
  ASSERT_EQ(Message(), "Click Here to Preview Huge.bmp (90000K)");
  main->pnlImageMessage.Click();
  fakes.pictures.Deliver();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(fakes.pictures.loaded.size(), 1u);
  main->pnlImageMessage.Click();
  EXPECT_EQ(fakes.pictures.loaded.size(), 1u) << "without a prompt a click on the panel does nothing";
}

TEST_F(PreviewPaneTest, WhileAPictureLoadsTheNoticeShowsAndAPictureTheUserMovedAwayFromIsNeverShown) {
  AddPicture("A.bmp", 1000);
  AddPicture("B.bmp", 2000, 30, 20);
  std::vector<std::string> seen;
  fakes.pictures.onLoad = [&] {
    seen.push_back(Message() + (main->pnlImageMessage.Bold() ? " bold" : "") + (main->imgDesktop.Visible() ? " picture" : ""));
  };
  ViewOn("A.bmp");
  EXPECT_EQ(Message(), "Loading image file...") << "shown until the picture arrives";
  ViewOn("B.bmp");
  EXPECT_EQ(seen, (std::vector<std::string>{"Loading image file... bold", "Loading image file... bold"}));
  ASSERT_TRUE(fakes.pictures.Deliver());
  EXPECT_FALSE(fakes.pictures.Deliver()) << "the decode of A was abandoned";
  EXPECT_EQ(main->imgDesktop.PicturePath(), "c:\\pics\\b.bmp");
  EXPECT_EQ(main->imgDesktop.PictureWidth(), 30);
  EXPECT_EQ(fakes.pictures.Held(), 1);
}

// The fake's screen is 1024 x 768: 247 x 185 of the 376 x 185 pane.
TEST_F(PreviewPaneTest, ThePictureShowsOnTheMonitorsShapeInItsEntrysModeAndANewModeShowsWithoutALoad) {
  AddPicture("P.bmp", 1000, 100, 50);
  fakes.system.desktopColor = 0x00123456;
  Preview();
  ASSERT_TRUE(Shown());
  EXPECT_EQ(PictureBounds(), (std::vector<int>{64, 0, 247, 185}));
  EXPECT_EQ(Message(), "") << "no text shows around the desktop";
  const PictureScene& scene = main->imgDesktop.Scene();
  EXPECT_EQ(scene.color, 0x00123456u);
  EXPECT_EQ((std::vector<int>{scene.extentWidth, scene.extentHeight}), (std::vector<int>{1024, 768}));
  const struct {
    DisplayMode mode;
    std::size_t places;
    PixelRect first;
  } cases[] = {
      {DisplayMode::Tile, 6, {0, 0, 500, 500}},     {DisplayMode::Centre, 1, {462, 359, 562, 409}},
      {DisplayMode::Fill, 1, {-256, 0, 1280, 768}}, {DisplayMode::Fit, 1, {0, 128, 1024, 640}},
      {DisplayMode::Stretch, 1, {0, 0, 1024, 768}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(DisplayModeName(c.mode));
    main->SetGridDisplayMode(c.mode);
    ASSERT_EQ(scene.places.size(), c.places);
    EXPECT_EQ(scene.places.front(), c.first);
  }
  EXPECT_EQ(fakes.pictures.loaded.size(), 1u) << "the picture is not read again";
}

// Only a file gone from a volume that is there loses its entry; the file of a
// picture that cannot be shown stays as it was.
TEST_F(PreviewPaneTest, APictureThatCannotBeShownKeepsItsEntryUnlessItsFileIsGoneFromAVolumeThatIsThere) {
  fakes.pictures.maxPixels = 100;
  const struct {
    const char* name;
    const char* folder;
    const char* message;
    bool kept;
  } cases[] = {
      {"Gone.bmp", "c:\\pics", "File Not Found", false},
      {"Held.bmp", "c:\\pics", "Unable to show this picture", true},
      {"Words.bmp", "c:\\pics", "Unable to show this picture", true},
      {"Huge.bmp", "c:\\pics", "Unable to show this picture", true},
      {"Away.bmp", "q:\\pics", "Drive not available", true},
  };
  for (const auto& c : cases) AddPicture(c.name, 1000);
  fakes.files.Lock("C:\\Pics\\Held.bmp");
  fakes.files.Put("C:\\Pics\\Words.bmp", "not a picture");
  fakes.files.Put("C:\\Pics\\Huge.bmp", BitmapBytes(11, 10));
  fakes.files.Delete("C:\\Pics\\Gone.bmp");
  // The last entry's folder is on a drive that is not there.
  ASSERT_TRUE(main->cdtData.FindKey("away.bmp", "c:\\pics"));
  main->cdtData.Edit();
  main->cdtData.EditFields().Location = "Q:\\Pics";
  main->cdtData.EditFields().LCLocation = "q:\\pics";
  main->cdtData.Post();
  main->Show();
  main->AddObserver(&foreground);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string key = LowerAZ(c.name);
    ASSERT_TRUE(main->cdtInventory.FindKey(key, c.folder));  // the grid's move loads the preview
    fakes.pictures.Deliver();
    EXPECT_EQ(Message(), c.message);
    EXPECT_TRUE(main->pnlImageMessage.Bold());
    EXPECT_FALSE(main->imgDesktop.Visible());
    EXPECT_EQ(main->cdtData.HasKey(key, c.folder), c.kept);
  }
  EXPECT_EQ(main->cdtData.RecordCount(), 4);
  EXPECT_TRUE(main->InputTimeout1.Pending()) << "the shorter list is saved later";
  EXPECT_EQ(fakes.files.Content("C:\\Pics\\Words.bmp"), "not a picture");
  EXPECT_EQ(foreground.raised, 1) << "only the entry that left brings the window forward";
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{}) << "the user is not asked";
}

TEST_F(PreviewPaneTest, AFailedLoadWhileTheWindowIsHiddenLeavesItHidden) {
  AddPicture("Gone.bmp", 1000);
  fakes.files.Delete("C:\\Pics\\Gone.bmp");
  main->AddObserver(&foreground);
  Preview();
  EXPECT_EQ(Message(), "File Not Found");
  EXPECT_FALSE(main->Visible());
  EXPECT_EQ(foreground.raised, 0);
}

TEST_F(PreviewPaneTest, AnEmptyListShowsNoWallpaperAvailableAlsoWhenTheWindowHides) {
  main->LoadPreview(false);
  EXPECT_EQ(Message(), "No Wallpaper Available");
  EXPECT_TRUE(main->pnlImageMessage.Bold());
  EXPECT_FALSE(main->imgDesktop.Visible());
  main->ShowPreviewPrompt();
  EXPECT_EQ(Message(), "No Wallpaper Available");
  main->pnlImageMessage.Click();
  EXPECT_TRUE(fakes.pictures.loaded.empty());
}

TEST_F(PreviewPaneTest, HidingTheWindowLetsThePictureGoForThePrompt) {
  AddPicture("Dawn.bmp", 12345);
  Preview();
  ASSERT_TRUE(Shown());
  Preview();
  EXPECT_EQ(fakes.pictures.Held(), 1) << "a picture loaded again replaces the one before";
  main->LoadPreview(false);
  main->Show();
  main->btnOK.Click();
  EXPECT_FALSE(fakes.pictures.Waiting()) << "a hidden window abandons the picture it waited for";
  EXPECT_FALSE(main->Visible());
  EXPECT_EQ(Message(), "Click Here to Preview Dawn.bmp (12K)");
  EXPECT_TRUE(main->imgDesktop.Empty());
  EXPECT_EQ(fakes.pictures.Held(), 0) << "no decoded picture is kept for a hidden window";
}

TEST_F(PreviewPaneTest, TheGridAndThePreviewFollowTheSlideshow) {
  AddPicture("A.bmp", 1000);
  AddPicture("B.bmp", 1000);
  AddPicture("C.bmp", 1000);
  ViewOn("A.bmp");
  SlideOn("C.bmp");
  fakes.pictures.loaded.clear();
  main->ShowSlideshowPosition();
  fakes.pictures.Deliver();
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "c.bmp");
  ASSERT_FALSE(fakes.pictures.loaded.empty());
  EXPECT_EQ(fakes.pictures.loaded.back(), "c:\\pics\\c.bmp");
  EXPECT_EQ(main->imgDesktop.PicturePath(), "c:\\pics\\c.bmp");
}

// The splitter below the preview: the preview keeps at least 45 pixels, and
// so does the grid below the toolbar.
class PreviewSplitterTest : public MainFixture {
 protected:
  PreviewSplitterTest() { Build(); }
  int GridHeight() const { return main->pnlGrid.Height(); }
};

TEST_F(PreviewSplitterTest, DraggingResizesThePreviewWithinItsLimitsAndTheRestFollows) {
  struct Case {
    int drag, height;
  } cases[] = {{40, 225}, {-200, 45}, {1000, 290}, {-100, 190}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drag);
    main->Splitter1.DragBy(c.drag);
    EXPECT_EQ(main->PreviewPanelHeight, c.height);
    EXPECT_EQ(main->pnlPreviewImage.Height(), c.height);
    EXPECT_EQ(main->pnlImageMessage.Height(), c.height);
    EXPECT_EQ(main->Splitter1.Top(), 4 + c.height);
    EXPECT_EQ(main->tbrMainToolbar.Top(), 4 + c.height + 3);
    EXPECT_EQ(main->pnlGrid.Top() + GridHeight(), 373) << "the grid takes the rest of the page";
    EXPECT_GE(GridHeight(), 45);
  }
}

TEST_F(PreviewSplitterTest, TheHeightLeftByTheSplitterIsKeptInTheSettings) {
  main->Splitter1.DragBy(-60);
  main->LoadOrSaveSettings(false, true);
  EXPECT_EQ(Ini("Preview", "PreviewPanelHeight"), "125");
}

TEST_F(PreviewSplitterTest, AStoredHeightThatDoesNotFitIsBroughtWithinTheLimits) {
  for (const auto& [stored, height] : std::vector<std::pair<std::string, int>>{{"120", 120}, {"5", 45}, {"900", 290}}) {
    SCOPED_TRACE(stored);
    fakes.profile.WriteString(IniPath(), "Preview", "PreviewPanelHeight", stored);
    main->LoadOrSaveSettings(true, false);
    EXPECT_EQ(main->PreviewPanelHeight, height);
    EXPECT_EQ(main->pnlPreviewImage.Height(), height);
  }
}

TEST_F(PreviewSplitterTest, TheMonitorsShapeFillsThePreviewsNewHeight) {
  fakes.files.AddDir("C:\\Pics");
  fakes.files.Put("C:\\Pics\\tall.bmp", BitmapBytes(40, 1000));
  main->cdtData.Append();
  main->cdtData.EditFields() =
      InventoryEntry{true, DisplayMode::Fit, "tall.bmp", "C:\\Pics", 1000, 0, "", 0, "c:\\pics", "tall.bmp"};
  main->cdtData.Post();
  main->LoadPreview(false);
  fakes.pictures.Deliver();
  const TImage& image = main->imgDesktop;
  main->Splitter1.DragBy(20);
  EXPECT_EQ((std::vector<int>{image.Left(), image.Top(), image.Width(), image.Height()}),
            (std::vector<int>{51, 0, 273, 205}));
  EXPECT_EQ(image.Scene().places, (std::vector<PixelRect>{{496, 0, 527, 768}}));
}

}  // namespace
}  // namespace mvx::testing

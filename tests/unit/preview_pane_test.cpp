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
    main->LoadPreview(false);
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
    EXPECT_FALSE(fakes.shell.busyCursor);
  }
}

TEST_F(PreviewPaneTest, AClickOnThePromptLoadsThePictureWhateverItsSizeAndOnlyOnce) {
  AddPicture("Huge.bmp", 90000000);
  main->LoadPreview(false);
  ASSERT_EQ(Message(), "Click Here to Preview Huge.bmp (90000K)");
  main->pnlImageMessage.Click();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(fakes.pictures.loaded.size(), 1u);
  main->pnlImageMessage.Click();
  EXPECT_EQ(fakes.pictures.loaded.size(), 1u) << "without a prompt a click on the panel does nothing";
}

TEST_F(PreviewPaneTest, WhileAPictureLoadsTheUserSeesTheHourglassAndTheLoadingNotice) {
  AddPicture("A.bmp", 1000);
  std::vector<std::string> seen;
  fakes.pictures.onLoad = [&] {
    seen.push_back(Message() + (main->pnlImageMessage.Bold() ? " bold" : "") + (fakes.shell.busyCursor ? " busy" : "") +
                   (main->imgDesktop.Visible() ? " picture" : ""));
  };
  main->LoadPreview(false);
  EXPECT_EQ(seen, std::vector<std::string>{"Loading image file... bold busy"});
  EXPECT_FALSE(fakes.shell.busyCursor);
}

// The fake's screen is 1024 x 768: 247 x 185 of the 376 x 185 pane.
TEST_F(PreviewPaneTest, ThePictureShowsOnTheMonitorsShapeInItsEntrysModeAndANewModeShowsWithoutALoad) {
  AddPicture("P.bmp", 1000, 100, 50);
  fakes.system.desktopColor = 0x00123456;
  main->LoadPreview(false);
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

TEST_F(PreviewPaneTest, AnEntryWhosePictureCannotBeLoadedLeavesTheListAndTheFileStays) {
  AddPicture("Gone.bmp", 1000);
  AddPicture("Words.bmp", 1000);
  AddPicture("Zed.bmp", 1000);
  fakes.files.Delete("C:\\Pics\\Gone.bmp");
  fakes.files.Put("C:\\Pics\\Words.bmp", "not a picture");
  main->Show();
  main->AddObserver(&foreground);
  for (const char* name : {"gone.bmp", "words.bmp"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(main->cdtInventory.FindKey(name, "c:\\pics"));  // the grid's move loads the preview
    EXPECT_EQ(Message(), "File Not Found");
    EXPECT_TRUE(main->pnlImageMessage.Bold());
    EXPECT_FALSE(main->imgDesktop.Visible());
    EXPECT_FALSE(main->cdtData.HasKey(name, "c:\\pics"));
    EXPECT_TRUE(main->InputTimeout1.Pending()) << "the shorter list is saved later";
  }
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
  EXPECT_EQ(fakes.files.Content("C:\\Pics\\Words.bmp"), "not a picture");
  EXPECT_EQ(foreground.raised, 2);
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{}) << "the user is not asked";
}

TEST_F(PreviewPaneTest, AFailedLoadWhileTheWindowIsHiddenLeavesItHidden) {
  AddPicture("Gone.bmp", 1000);
  fakes.files.Delete("C:\\Pics\\Gone.bmp");
  main->AddObserver(&foreground);
  main->LoadPreview(false);
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
  main->LoadPreview(false);
  ASSERT_TRUE(Shown());
  main->LoadPreview(false);
  EXPECT_EQ(fakes.pictures.Held(), 1) << "a picture loaded again replaces the one before";
  main->Show();
  main->btnOK.Click();
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
  const TImage& image = main->imgDesktop;
  main->Splitter1.DragBy(20);
  EXPECT_EQ((std::vector<int>{image.Left(), image.Top(), image.Width(), image.Height()}),
            (std::vector<int>{51, 0, 273, 205}));
  EXPECT_EQ(image.Scene().places, (std::vector<PixelRect>{{496, 0, 527, 768}}));
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adding/first_choice.h"
#include "shared/bitmap_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

TEST(FirstChoiceTest, APictureAtLeastHalfTheScreenEachWayIsFilledAndASmallerOneTiled) {
  const PictureSize screen{1920, 1080};
  const struct {
    PictureSize picture;
    DisplayMode mode;
  } cases[] = {
      {{960, 540}, DisplayMode::Fill},   {{959, 540}, DisplayMode::Tile},   {{960, 539}, DisplayMode::Tile},
      {{4000, 3000}, DisplayMode::Fill}, {{3000, 200}, DisplayMode::Tile},  {{64, 64}, DisplayMode::Tile},
      {{0, 0}, DisplayMode::Tile},       {{1080, 1920}, DisplayMode::Fill}, {{961, 541}, DisplayMode::Fill},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ModeForPictureSize(c.picture, screen), c.mode) << c.picture.width << "x" << c.picture.height;
  }
}

class DisplayModeChoiceTest : public AddingFixture {
 protected:
  DisplayModeChoiceTest() {
    fakes.files.AddDir("C:\\Pics");
    fakes.system.screenWidth = 1600;
    fakes.system.screenHeight = 900;
    Start("");
  }
  // A start of the program on a settings file that holds `text` besides a
  // slideshow that leaves the wallpaper alone.
  void Start(const std::string& text) {
    fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n" + text);
    Build();
  }
  std::string Pic(const std::string& name, int width, int height) {
    const std::string path = "C:\\Pics\\" + name;
    fakes.files.Put(path, BitmapBytes(width, height));
    return path;
  }
  DisplayMode ModeOf(const std::string& path) { return Find(path)->Display; }
};

// With no choice remembered, each picture's size proposes its mode; applied
// to all, a mode left as proposed stays each picture's own.
TEST_F(DisplayModeChoiceTest, WithoutARememberedChoiceEachPictureOfABatchGetsTheModeItsSizeProposes) {
  const std::string big = Pic("big.bmp", 800, 450), small = Pic("small.bmp", 64, 48), wide = Pic("wide.bmp", 1600, 40);
  const std::string photo = Pic("photo.bmp", 900, 1200);
  User([](TfrmItemInfo&) {});
  User([](TfrmItemInfo& d) { d.chkApplyToAll.SetChecked(true); });
  main->AddFiles({big, small, wide, photo}, false);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(main->frmItemInfo.RememberedMode, DisplayMode::Tile) << "the last dialog confirmed";
  EXPECT_EQ(ModeOf(big), DisplayMode::Fill);
  EXPECT_EQ(ModeOf(small), DisplayMode::Tile);
  EXPECT_EQ(ModeOf(wide), DisplayMode::Tile);
  EXPECT_EQ(ModeOf(photo), DisplayMode::Fill);
  EXPECT_EQ(Ini("AddWallpaper", "Display"), "Tile") << "written at once";
  EXPECT_EQ(Ini("AddWallpaper", "CopyOption"), "Leave");
}

TEST_F(DisplayModeChoiceTest, AModeChosenInTheDialogAndAppliedToAllGoesToEveryPictureAndIsRememberedAfterARestart) {
  const std::string big = Pic("big.bmp", 800, 450), small = Pic("small.bmp", 64, 48);
  User([](TfrmItemInfo& d) {
    d.rdoStretch.SetChecked(true);
    d.rdoCopy.SetChecked(true);
    d.chkApplyToAll.SetChecked(true);
  });
  main->AddFiles({big, small}, false);
  EXPECT_EQ(Find("C:\\Apps\\Murovex\\Images\\big.bmp")->Display, DisplayMode::Stretch);
  EXPECT_EQ(Find("C:\\Apps\\Murovex\\Images\\small.bmp")->Display, DisplayMode::Stretch);

  Build();  // a new start reads the remembered choice from the settings file
  EXPECT_EQ(main->frmItemInfo.RememberedMode, DisplayMode::Stretch);
  EXPECT_EQ(main->frmItemInfo.RememberedCopyOption, kCopyCopy);
  const std::string next = Pic("next.bmp", 64, 48);
  User([](TfrmItemInfo& d) { EXPECT_TRUE(d.rdoStretch.Checked()) << "the remembered mode is proposed"; });
  main->AddFiles({next}, false);
  ASSERT_EQ(seen.size(), 2u);
}

TEST_F(DisplayModeChoiceTest, AnUnknownRememberedChoiceReadsAsNone) {
  Start("[AddWallpaper]\r\nDisplay=Sideways\r\nCopyOption=Teleport\r\n");
  EXPECT_FALSE(main->frmItemInfo.RememberedMode);
  EXPECT_EQ(main->frmItemInfo.RememberedCopyOption, 0);
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "control/full_screen_wait.h"
#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

using State = UserNotificationState;

// The main window's Next and Previous, its history and deck in the data
// folder, and the slideshow's wait for a full-screen program.
class WallpaperStepsTest : public SlideFixture {
 protected:
  WallpaperStepsTest() {
    fakes.files.AddDir(ImagesDir());
    main->SetDataDir(ImagesDir());
    Add({"A.bmp", "B.bmp", "C.bmp", "D.bmp", "E.bmp"});
    main->ApplySlideInterval();
  }
  std::string Shown() const { return fakes.desktop.wallpaperCalls.empty() ? "" : WallpapersSet().back(); }
  std::size_t Changes() const { return fakes.desktop.wallpaperCalls.size(); }
};

TEST_F(WallpaperStepsTest, PreviousStepsBackAndNextStepsForwardBeforeItPicksAnew) {
  std::vector<std::string> shown;
  for (int i = 0; i < 3; ++i) {
    main->ShowNextSlide();
    shown.push_back(Shown());
  }
  tray->TrayIcon1.BeforePopup(nullptr);
  EXPECT_TRUE(tray->mnuPreviousWallpaper.Enabled());
  tray->mnuPreviousWallpaper.Click();
  EXPECT_EQ(Shown(), shown[1]);
  EXPECT_TRUE(main->StepPreviousWallpaper());
  EXPECT_EQ(Shown(), shown[0]);
  EXPECT_FALSE(main->StepPreviousWallpaper()) << "nothing further back";
  tray->TrayIcon1.BeforePopup(nullptr);
  EXPECT_FALSE(tray->mnuPreviousWallpaper.Enabled());

  tray->mnuChangeWallpaperNow.Click();
  EXPECT_EQ(Shown(), shown[1]);
  EXPECT_TRUE(main->StepNextWallpaper());
  EXPECT_EQ(Shown(), shown[2]);
  EXPECT_TRUE(main->StepNextWallpaper());
  const std::set<std::string> before(shown.begin(), shown.end());
  EXPECT_EQ(before.count(Shown()), 0u) << "a new pick from the rest of the deck";
  EXPECT_TRUE(fakes.files.FileExists(ImagesDir() + "\\" + WallpaperHistory::kFileName));
}

TEST_F(WallpaperStepsTest, PreviousPassesOverPicturesDisabledOrGoneAndFollowsAMovedOne) {
  for (const char* name : {"A.bmp", "B.bmp", "C.bmp", "D.bmp"}) {
    ViewOn(name);
    main->tbnSetWallpaperClick(nullptr);
  }
  ASSERT_TRUE(main->cdtData.FindKey("c.bmp", "c:\\pics"));
  main->cdtData.Edit();
  main->cdtData.EditFields().Enabled = false;
  main->cdtData.Post();
  fakes.files.Delete("C:\\Pics\\B.bmp");
  fakes.files.Move("C:\\Pics\\A.bmp", "C:\\Pics\\Moved.bmp");
  main->StoreEntry("C:\\Pics\\A.bmp", "C:\\Pics\\Moved.bmp", true, DisplayMode::Tile);
  EXPECT_TRUE(main->StepPreviousWallpaper());
  EXPECT_EQ(Shown(), Pics("moved.bmp"));
}

// The slideshow's change waits only for a full-screen program, with the
// option on; a change the user asks for never waits.
TEST(FullScreenRule, OnlyTheSlideshowWaitsAndOnlyForAFullScreenProgram) {
  const State waitStates[] = {State::Busy, State::RunningD3DFullScreen, State::PresentationMode};
  const State otherStates[] = {State::Unknown,    State::NotPresent,           State::AcceptsNotifications,
                               State::QuietTime, State::App};
  for (const State s : waitStates) {
    EXPECT_TRUE(ChangeWaits(s, true, ChangeBy::Slideshow)) << static_cast<int>(s);
    EXPECT_FALSE(ChangeWaits(s, false, ChangeBy::Slideshow)) << static_cast<int>(s);
    EXPECT_FALSE(ChangeWaits(s, true, ChangeBy::User)) << static_cast<int>(s);
  }
  for (const State s : otherStates) {
    EXPECT_FALSE(ChangeWaits(s, true, ChangeBy::Slideshow)) << static_cast<int>(s);
  }
}

TEST_F(WallpaperStepsTest, TheSlideshowsChangeWaitsForAFullScreenProgramAndLooksAgainOnlyMeanwhile) {
  const std::size_t idleTimers = fakes.time.ActiveTimers();
  fakes.time.Advance(299999);
  EXPECT_EQ(fakes.system.notificationQueries, 0) << "nothing asked while nothing is due";

  fakes.system.notificationState = State::RunningD3DFullScreen;
  fakes.time.Advance(1);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(fakes.time.ActiveTimers(), idleTimers + 1) << "the look-again timer";
  fakes.time.Advance(3 * FullScreenWait::kLookAgainMs);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_EQ(fakes.system.notificationQueries, 4);

  fakes.system.notificationState = State::QuietTime;
  fakes.time.Advance(FullScreenWait::kLookAgainMs);
  EXPECT_EQ(Changes(), 1u) << "made once the program is gone";
  EXPECT_EQ(fakes.time.ActiveTimers(), idleTimers);

  fakes.system.notificationState = State::PresentationMode;
  tray->mnuChangeWallpaperNow.Click();
  EXPECT_EQ(Changes(), 2u) << "the user's change never waits";
  fakes.time.Advance(300000);
  EXPECT_EQ(Changes(), 2u) << "held again";
  main->chkWaitFullScreen.SetChecked(false);
  EXPECT_EQ(Changes(), 3u) << "the change held is made as the option goes off";
  fakes.time.Advance(300000);
  EXPECT_EQ(Changes(), 4u) << "the option off";
}

TEST_F(WallpaperStepsTest, AHeldChangeIsDroppedByTheUsersChangeOrTheSlideshowSwitchedOff) {
  fakes.system.notificationState = State::Busy;
  const std::size_t idleTimers = fakes.time.ActiveTimers();
  for (const bool byUser : {true, false}) {
    SCOPED_TRACE(byUser ? "user" : "switched off");
    main->chkAutoChange.SetChecked(true);
    const std::size_t before = Changes();
    main->tmrSlideTimer(&main->tmrSlide);
    ASSERT_EQ(Changes(), before);
    if (byUser) {
      main->StepNextWallpaper();
    } else {
      main->chkAutoChange.SetChecked(false);
    }
    const std::size_t after = Changes();
    fakes.system.notificationState = State::AcceptsNotifications;
    fakes.time.Advance(FullScreenWait::kLookAgainMs);
    EXPECT_EQ(Changes(), after);
    fakes.system.notificationState = State::Busy;
  }
  EXPECT_LE(fakes.time.ActiveTimers(), idleTimers);
}

}  // namespace
}  // namespace mvx::testing

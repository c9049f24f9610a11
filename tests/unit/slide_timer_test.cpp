#include <gtest/gtest.h>

#include <string>

#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

class SlideTimerTest : public SlideFixture {
 protected:
  SlideTimerTest() {
    Add({"A.bmp", "B.bmp", "C.bmp"});
    main->ApplySlideInterval();  // as reading the settings arms it
  }
  std::size_t Changes() const { return fakes.desktop.wallpaperCalls.size(); }
};

TEST_F(SlideTimerTest, TheSlideshowChangesOnceEveryInterval) {
  fakes.time.Advance(299999);
  EXPECT_EQ(Changes(), 0u);
  fakes.time.Advance(1);
  EXPECT_EQ(Changes(), 1u);
  fakes.time.Advance(300000);
  EXPECT_EQ(Changes(), 2u);
}

TEST_F(SlideTimerTest, SwitchingOnChangesAtOnceAndSwitchingOffChangesNothing) {
  main->chkAutoChange.SetChecked(false);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_FALSE(main->tmrSlide.Enabled());
  EXPECT_FALSE(tray->mnuRunSlideshow.Checked());
  EXPECT_TRUE(main->InputTimeout1.Pending()) << "the settings are written later";

  fakes.time.Advance(100000);
  tray->mnuRunSlideshow.Click();
  EXPECT_TRUE(main->chkAutoChange.Checked());
  EXPECT_TRUE(tray->mnuRunSlideshow.Checked());
  EXPECT_EQ(Changes(), 1u);
  fakes.time.Advance(299999);
  EXPECT_EQ(Changes(), 1u) << "a full interval after switching on";
  fakes.time.Advance(1);
  EXPECT_EQ(Changes(), 2u);
}

TEST_F(SlideTimerTest, TicksAreDroppedWhileHeldEditingOrUnderAScreenSaver) {
  struct Case {
    bool hold, editing, saver, evenDuringSaver;
    std::size_t changes;
  } cases[] = {{true, false, false, false, 0},
               {false, true, false, false, 0},
               {false, false, true, false, 0},
               {false, false, true, true, 1},
               {false, false, false, false, 1}};
  for (const Case& c : cases) {
    const std::size_t before = Changes();
    main->booHoldTimers = c.hold;
    main->booEditingInterval = c.editing;
    fakes.desktop.saverOpens = c.saver;
    main->chkChangeDuringSaver.SetChecked(c.evenDuringSaver);
    main->tmrSlideTimer(&main->tmrSlide);
    fakes.time.Advance(300000);
    EXPECT_EQ(Changes() - before, 2 * c.changes) << c.hold << c.editing << c.saver << c.evenDuringSaver;
    EXPECT_TRUE(main->tmrSlide.Enabled()) << "the timer keeps running";
  }
}

TEST_F(SlideTimerTest, TypingAnIntervalHoldsTicksUntilItIsAppliedAfterThePause) {
  fakes.time.Advance(298000);
  main->SetActiveControl(&main->edtMins);
  main->edtMins.SetText("1");
  fakes.time.Advance(1000);
  main->edtMins.SetText("10");
  fakes.time.Advance(2249);
  EXPECT_EQ(Changes(), 0u) << "the tick at 300000 ms was dropped";
  fakes.time.Advance(1);
  EXPECT_EQ(main->tmrSlide.Interval(), 600000u);
  EXPECT_FALSE(main->booEditingInterval);
  fakes.time.Advance(599999);
  EXPECT_EQ(Changes(), 0u);
  fakes.time.Advance(1);
  EXPECT_EQ(Changes(), 1u) << "ticks go on while the edit keeps the focus";
  EXPECT_EQ(main->ActiveControl(), &main->edtMins);
}

TEST_F(SlideTimerTest, AnArrowPutsTheFocusInItsEditAndLeavingTheGroupAppliesTheInterval) {
  main->updSecs.ArrowClick(true);
  EXPECT_EQ(main->ActiveControl(), &main->edtSecs);
  EXPECT_TRUE(main->booEditingInterval);
  main->SetActiveControl(&main->chkStartWithWindows);
  EXPECT_FALSE(main->booEditingInterval);
  EXPECT_EQ(main->tmrSlide.Interval(), 305000u);
}

TEST_F(SlideTimerTest, AnUnchangedIntervalKeepsTheRunningCountdown) {
  fakes.time.Advance(200000);
  main->ApplySlideInterval();
  fakes.time.Advance(100000);
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(SlideTimerTest, AManualChangeDelaysTheNextAutomaticOneByAFullInterval) {
  main->chkRandom.SetChecked(false);
  fakes.time.Advance(200000);
  ViewOn("B.bmp");
  main->tbnSetWallpaperClick(nullptr);
  fakes.time.Advance(299999);
  EXPECT_EQ(Changes(), 1u);
  fakes.time.Advance(1);
  EXPECT_EQ(Changes(), 2u);
  EXPECT_EQ(WallpapersSet().back(), Pics("c.bmp")) << "the slideshow went on after the manual pick";
}

TEST_F(SlideTimerTest, ATimerTheSystemWillNotGiveIsReportedAfterBringingTheWindowForward) {
  ForegroundSpy spy;
  main->AddObserver(&spy);
  int raisedWhenShown = -1;
  fakes.prompts.whileOpen = [&] { raisedWhenShown = spy.raised; };
  main->updMins.SetPosition(7);
  fakes.time.refuseTimers = true;
  main->ApplySlideInterval();
  fakes.time.refuseTimers = false;
  main->RemoveObserver(&spy);
  fakes.prompts.whileOpen = nullptr;
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Error: Interval is too large"});
  EXPECT_EQ(raisedWhenShown, 1);
  EXPECT_EQ(main->tmrSlide.Interval(), 420000u);
}

TEST_F(SlideTimerTest, TheIntervalTextNamesOnlyTheNonZeroParts) {
  struct Case {
    int h, m, s;
    const char* text;
  } cases[] = {{1, 0, 30, "1 hrs 30 seconds"},
               {0, 0, 0, "never"},
               {0, 5, 0, "5 mins"},
               {72, 59, 55, "72 hrs 59 mins 55 seconds"}};
  for (const Case& c : cases) {
    main->updHrs.SetPosition(c.h);
    main->updMins.SetPosition(c.m);
    main->updSecs.SetPosition(c.s);
    EXPECT_EQ(main->SlideIntervalText(), c.text);
  }
}

TEST_F(SlideTimerTest, AZeroIntervalKeepsTheSlideshowOnWithoutTicks) {
  main->updMins.SetPosition(0);
  main->ApplySlideInterval();
  EXPECT_TRUE(main->tmrSlide.Enabled());
  fakes.time.Advance(10000000);
  EXPECT_EQ(Changes(), 0u);
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

}  // namespace
}  // namespace mvx::testing

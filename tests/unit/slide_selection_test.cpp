#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

class SlideSelectionTest : public SlideFixture {
 protected:
  SlideSelectionTest() { main->tmrSlide.SetInterval(300000); }
  std::string Next() {
    const std::size_t before = fakes.desktop.wallpaperCalls.size();
    main->ShowNextSlide();
    return fakes.desktop.wallpaperCalls.size() == before ? "<none>" : WallpapersSet().back();
  }
  // An enabled entry of another folder, whose file is not there.
  void Elsewhere(const std::string& folder, const std::string& name) {
    main->cdtData.Append();
    InventoryEntry& e = main->cdtData.EditFields();
    e.Enabled = true;
    e.FileName = e.LCFilename = name;
    e.Location = folder;
    e.LCLocation = LowerAZ(folder);
    main->cdtData.Post();
  }
  std::string Names() const {
    std::string names;
    for (const InventoryEntry& e : main->cdtData.AllRecords()) names += e.LCFilename + " ";
    return names;
  }
  int Count(const std::string& trace) const {
    const auto texts = fakes.trace.Texts();
    return static_cast<int>(std::count(texts.begin(), texts.end(), trace));
  }
};

TEST_F(SlideSelectionTest, InOrderTheSlideshowGoesOnAfterTheCurrentEntryAndWrapsOnce) {
  main->chkRandom.SetChecked(false);
  Add({"A.bmp", "B.bmp", "C.bmp"});
  SlideOn("B.bmp");
  EXPECT_EQ(Next(), Pics("c.bmp"));
  EXPECT_EQ(Next(), Pics("a.bmp"));
  EXPECT_EQ(Next(), Pics("b.bmp"));
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u) << "each slide is saved";
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.GetNextSlideInfo: Selected 2 c:\\pics\\b.bmp"));
}

TEST_F(SlideSelectionTest, RandomOrderNeverPicksThePictureItStartsFrom) {
  Add({"A.bmp", "B.bmp"});
  std::string last = Next();
  for (int i = 0; i < 20; ++i) {
    const std::string next = Next();
    EXPECT_NE(next, last);
    last = next;
  }
  EXPECT_EQ(Count("FrmMain.GetNextSlideInfo: Sequential Search"), 0);
}

// Random order deals from the deck and leaves the slideshow's position on
// the picture dealt, where an in-order slideshow goes on from.
TEST_F(SlideSelectionTest, RandomOrderLeavesThePositionOnThePictureDealt) {
  Add({"A.bmp", "B.bmp", "C.bmp"});
  const std::string dealt = Next();
  EXPECT_EQ(main->cdtSlideShow.Fields().LCLocation + "\\" + main->cdtSlideShow.Fields().LCFilename, dealt);
}

TEST_F(SlideSelectionTest, TheOnlyEnabledEntryIsDealtAgain) {
  Add({Pic{"A.bmp", false}, Pic{"B.bmp"}, Pic{"C.bmp", false}});
  SlideOn("B.bmp");
  EXPECT_EQ(Next(), Pics("b.bmp"));
  EXPECT_EQ(Next(), Pics("b.bmp"));
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.GetNextSlideInfo: Deal of 3 records"));
  EXPECT_EQ(Count("FrmMain.GetNextSlideInfo: Sequential Search"), 0);
}

TEST_F(SlideSelectionTest, AnEmptyInventoryShowsTheMessageOnceAndSwitchesTheSlideshowOff) {
  EXPECT_EQ(Next(), "<none>");
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.GetNextSlideInfo: Deal of 0 records"));
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"No images selected for slideshow!"});
  EXPECT_FALSE(main->chkAutoChange.Checked());
  EXPECT_FALSE(main->tmrSlide.Enabled());
  EXPECT_FALSE(tray->mnuRunSlideshow.Checked());

  EXPECT_EQ(Next(), "<none>") << "a single change with the slideshow off";
  EXPECT_EQ(fakes.prompts.shown.size(), 1u);
}

TEST_F(SlideSelectionTest, EntriesWhoseFilesAreGoneAreRemovedInOrder) {
  main->chkRandom.SetChecked(false);
  Add({Pic{"A.bmp"}, Pic{"B.bmp", true, true, 1, false}, Pic{"C.bmp", true, true, 1, false}, Pic{"D.bmp"}});
  SlideOn("A.bmp");
  EXPECT_EQ(Next(), Pics("d.bmp"));
  EXPECT_EQ(main->cdtData.RecordCount(), 2);
  EXPECT_EQ(main->cdtInventory.RecordCount(), 2);
}

TEST_F(SlideSelectionTest, EntriesWhoseFilesAreGoneAreRemovedAsTheDeckMeetsThem) {
  Add({Pic{"A.bmp"}, Pic{"B.bmp", true, true, 1, false}, Pic{"C.bmp", true, true, 1, false}});
  EXPECT_EQ(Next(), Pics("a.bmp"));
  EXPECT_EQ(Next(), Pics("a.bmp")) << "the round ran out: the only picture again";
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
}

// A file is gone only when its drive or share is there and the file is not;
// pictures on a drive that is away keep their entries and are passed over.
TEST_F(SlideSelectionTest, EntriesOnADriveOrShareThatIsAwayAreKeptAndPassedOver) {
  fakes.files.AddDir("D:\\Gone");
  fakes.files.AddDir("\\\\nas\\pics");
  fakes.files.pendingVolumes.insert("\\\\nas\\pics\\");
  for (const bool random : {false, true}) {
    SCOPED_TRACE(random ? "random" : "in order");
    while (!main->cdtData.IsEmpty()) main->cdtData.Delete();
    main->chkRandom.SetChecked(random);
    main->chkAutoChange.SetChecked(true);
    fakes.prompts.shown.clear();  // the option's change saves the list of the round before, into no folder
    Add({Pic{"A.bmp", false}});
    Elsewhere("D:\\Gone", "d.bmp");       // the drive is there, the file is not
    Elsewhere("\\\\nas\\pics", "n.bmp");  // the share's check has not answered
    Elsewhere("Z:\\Photos", "z.bmp");     // no such drive
    Elsewhere("Z:\\Photos", "z2.bmp");
    EXPECT_EQ(Next(), "<none>");
    EXPECT_EQ(Names(), "a.bmp n.bmp z.bmp z2.bmp ");
    EXPECT_TRUE(main->InputTimeout1.Pending()) << "the removal is saved as others are";
    EXPECT_TRUE(fakes.prompts.shown.empty());
    EXPECT_TRUE(main->chkAutoChange.Checked()) << "the slideshow waits for the drive";
  }
  EXPECT_LE(fakes.files.volumeProbes, 6) << "a drive's answer is remembered for a while";
}

TEST_F(SlideSelectionTest, TheSizeLimitAdmitsAFileOfExactlyTheLimit) {
  main->chkRandom.SetChecked(false);
  main->chkLimitImageSize.SetChecked(true);
  main->updImageSize.SetPosition(1500);
  Add({Pic{"A.bmp", true, true, 1500001}, Pic{"B.bmp", true, true, 1500000}, Pic{"C.bmp", true, true, 1500001}});
  SlideOn("B.bmp");
  EXPECT_EQ(Next(), Pics("b.bmp"));
  main->chkLimitImageSize.SetChecked(false);
  EXPECT_EQ(Next(), Pics("c.bmp"));
}

TEST_F(SlideSelectionTest, TheTileFilterKeepsOutTheOtherMode) {
  struct Case {
    TRadioButton* filter;
    const char* chosen;
  } cases[] = {{&main->rdoTiled, "t.bmp"}, {&main->rdoCentred, "c.bmp"}};
  main->chkRandom.SetChecked(false);
  Add({Pic{"C.bmp", true, false}, Pic{"T.bmp", true, true}});
  for (const Case& c : cases) {
    c.filter->SetChecked(true);
    EXPECT_EQ(Next(), Pics(c.chosen));
    EXPECT_EQ(Next(), Pics(c.chosen));
  }
}

TEST_F(SlideSelectionTest, ASecondChangeWhileOneRunsChangesNothing) {
  Add({"A.bmp", "B.bmp", "C.bmp"});
  fakes.shell.pending = [this] { main->ShowNextSlide(); };
  Next();
  EXPECT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
  EXPECT_FALSE(main->booChangingSlide);
}

TEST_F(SlideSelectionTest, AFailedChangeStillRearmsTheTimerAndAllowsTheNext) {
  Add({"A.bmp", "B.bmp"});
  fakes.desktop.onSetWallpaper = [](const std::string&, std::uint32_t) { throw std::runtime_error("no"); };
  EXPECT_THROW(main->ShowNextSlide(), std::runtime_error);
  EXPECT_TRUE(main->tmrSlide.Enabled());
  EXPECT_FALSE(main->booChangingSlide);
}

}  // namespace
}  // namespace mvx::testing

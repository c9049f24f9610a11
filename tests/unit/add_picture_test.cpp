#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/date_time.h"
#include "shared/bitmap_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

using fakes::FileOp;
constexpr std::uint32_t kNewTime = 0x5B210000;

class AddPictureTest : public AddingFixture {
 protected:
  // An entry already in the list, for a file that has since changed.
  void Listed(const std::string& folder, const std::string& file) {
    InventoryEntry e = KeyedEntry(file, folder, 1);
    e.Enabled = false;
    e.Display = DisplayMode::Centre;
    e.Group = "g";
    e.Order = 7;
    ListEntry(e);
  }
  void PromptForNames(bool on) {
    main->chkPromptNameForNewWP.SetChecked(on);
    main->InputTimeout1.Flush();
  }
  bool SavePending() { return main->InputTimeout1.Pending(); }
};

TEST_F(AddPictureTest, MissingFilesAreSkippedSilentlyAndOtherTypesWithAMessage) {
  fakes.files.Put("C:\\Pics\\notes.txt", "x");
  fakes.files.Put("C:\\Pics\\sea.bmp.txt", "x");
  fakes.files.Put("C:\\Pics\\SEA.BMP", "x");
  fakes.files.Put("C:\\Pics\\sky.webp", "x");
  Accept();
  for (const char* path : {"C:\\Pics\\gone.bmp", "C:\\Pics\\gone.jpg", "C:\\Pics\\notes.txt", "C:\\Pics\\sea.bmp.txt",
                           "C:\\Pics\\sky.webp", "C:\\Pics\\SEA.BMP"}) {
    main->AddPictureFile(path, DisplayMode::Tile);
  }
  EXPECT_EQ(fakes.prompts.Texts(), (std::vector<std::string>{"Error: notes.txt is not a supported file type.",
                                                             "Error: sea.bmp.txt is not a supported file type.",
                                                             "Error: sky.webp is not a supported file type."}));
  EXPECT_EQ(fakes.prompts.shown[0].caption, "Murovex");
  EXPECT_EQ(seen.size(), 1u);
  ASSERT_NE(Find("C:\\Pics\\SEA.BMP"), nullptr);
  EXPECT_EQ(records.size(), 1u);
}

std::string Repeated(const std::string& character, int times) {
  std::string text;
  while (times-- > 0) text += character;
  return text;
}

// A folder of 150 Cyrillic letters (300 bytes) and a name of 86 CJK
// characters (258 bytes) are kept whole through a save and a start, and the
// picture added again finds its entry instead of making another.
TEST_F(AddPictureTest, ALongNonAsciiPathIsListedWholeAndFoundAgainAfterAStart) {
  const std::string path = "C:\\" + Repeated("\xD0\x96", 150) + "\\" + Repeated("\xE6\xB5\xB7", 86) + ".bmp";
  fakes.files.Put(path, BitmapBytes(2, 2), kNewTime);
  Accept();
  main->AddPictureFile(path, DisplayMode::Fit);
  main.reset();  // the pending save is written as the window goes
  Build(false);
  main->SetDataDir(ImagesDir());
  main->cdtData.CreateDataSet();
  main->LoadInventory();
  main->cdtInventory.CloneCursor(main->cdtData);
  EXPECT_TRUE(main->LocateInInventory(path));
  EXPECT_EQ(main->cdtInventory.Fields().Display, DisplayMode::Fit);
  for (bool prompt : {false, true}) {
    PromptForNames(prompt);
    if (prompt) Accept();
    main->AddPictureFile(path, DisplayMode::Tile);
  }
  ASSERT_EQ(main->cdtData.RecordCount(), 1);
  EXPECT_EQ(main->cdtData.RecordAt(1).Location + "\\" + main->cdtData.RecordAt(1).FileName, path);
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

// A path the system would not take is refused before the dialog, with the
// reason: no entry could name the file.
TEST_F(AddPictureTest, APathNoEntryCanHoldIsRefusedBeforeTheDialogWithItsReason) {
  const std::string fits = "C:\\Pics\\" + Repeated("\xD0\x96", 247) + ".jpg";  // 259 units in 506 bytes
  const std::string longer = "C:\\Pics\\" + Repeated("\xD0\x96", 248) + ".jpg";
  const std::string name = std::string(252, 'n') + ".bmp";
  const struct {
    std::string path, refusal;
  } cases[] = {
      {fits, ""},
      {longer, "Error: the path " + longer + " is too long (at most 259 characters)."},
      {"C:\\" + name, "Error: the name " + name + " is too long (at most 255 characters)."},
      {"pics\\relative.bmp", "Error: pics\\relative.bmp is not the full path of a file."},
  };
  Accept();
  for (const auto& c : cases) {
    fakes.files.Put(c.path, "x");
    fakes.prompts.shown.clear();
    main->AddPictureFile(c.path, DisplayMode::Tile);
    EXPECT_EQ(fakes.prompts.Texts(), c.refusal.empty() ? std::vector<std::string>{} : std::vector{c.refusal});
    EXPECT_EQ(Find(c.path) != nullptr, c.refusal.empty()) << c.path;
  }
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_FALSE(main->StoreEntry("", longer, false, DisplayMode::Tile));
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
}

TEST_F(AddPictureTest, AJpegKeepsItsOwnExtensionLeftInPlaceMovedIntoTheDataFolderOrRenamed) {
  fakes.files.Put("C:\\Pics\\Harbour.jpg", "harbour");
  fakes.files.Put("C:\\Pics\\Dunes.JPEG", "dunes");
  fakes.files.Put("C:\\Pics\\forest.jpg", "forest");
  std::vector<std::string> extensions;
  const auto noteExtension = [&](TfrmItemInfo& d) { extensions.push_back(d.Label1.Caption()); };
  User(noteExtension);
  main->AddPictureFile("C:\\Pics\\Harbour.jpg", DisplayMode::Tile);
  User([&](TfrmItemInfo& d) {
    noteExtension(d);
    d.rdoMove.SetChecked(true);
  });
  main->AddPictureFile("C:\\Pics\\Dunes.JPEG", DisplayMode::Tile);
  User([&](TfrmItemInfo& d) {
    noteExtension(d);
    d.rdoLeave.SetChecked(true);
    d.edtFileName.SetText("Woods");
  });
  main->AddPictureFile("C:\\Pics\\forest.jpg", DisplayMode::Tile);

  EXPECT_EQ(extensions, (std::vector<std::string>{".jpg", ".JPEG", ".jpg"}));
  EXPECT_NE(Find("C:\\Pics\\Harbour.jpg"), nullptr);
  EXPECT_NE(Find(Img("Dunes.JPEG")), nullptr);
  EXPECT_EQ(fakes.files.Content(Img("Dunes.JPEG")), "dunes");
  EXPECT_NE(Find("C:\\Pics\\Woods.jpg"), nullptr);
  EXPECT_EQ(fakes.files.Content("C:\\Pics\\Woods.jpg"), "forest");
  EXPECT_EQ(fakes.files.FilesIn("C:\\Pics"),
            (std::vector<std::string>{"C:\\Pics\\Harbour.jpg", "C:\\Pics\\Woods.jpg"}));
  EXPECT_EQ(records.size(), 3u);
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(AddPictureTest, ABrowserFileIsMovedUnderTheFirstFreeUniqueNameAndListed) {
  const std::string browser = "C:\\WINDOWS\\Netscape Wallpaper.bmp";
  fakes.files.Put(browser, "bmp", kNewTime);
  fakes.files.Put(Img("v1 of Netscape Wallpaper.bmp"), "1");
  fakes.files.Put(Img("v2 of Netscape Wallpaper.bmp"), "2");
  main->frmItemInfo.BeginAddBatch(false);
  Accept();
  main->AddPictureFile(browser, DisplayMode::Tile);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "v3 of Netscape Wallpaper");
  EXPECT_TRUE(seen[0].move && seen[0].moveEnabled && !seen[0].leaveEnabled && !seen[0].copyEnabled);
  EXPECT_FALSE(fakes.files.FileExists(browser));
  EXPECT_EQ(fakes.files.Content(Img("v3 of Netscape Wallpaper.bmp")), "bmp");
  const InventoryEntry* e = Find(Img("v3 of Netscape Wallpaper.bmp"));
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->Enabled && e->Display == DisplayMode::Tile);
  EXPECT_EQ(e->Location, ImagesDir());
  EXPECT_EQ(e->LCLocation, "c:\\apps\\murovex\\images");
  EXPECT_EQ(e->LCFilename, "v3 of netscape wallpaper.bmp");
  EXPECT_EQ(e->Size, 3);
  EXPECT_EQ(e->Timestamp, DosDateTimeToDateTime(kNewTime));
  EXPECT_EQ(e->Order, 0);
  EXPECT_TRUE(SavePending());
}

TEST_F(AddPictureTest, AKnownFileIsRefreshedSilentlyKeepingItsTileWhenNotPromptingOrStarting) {
  const struct {
    bool prompt, creating, dialog;
  } cases[] = {{true, false, true}, {false, false, false}, {true, true, false}};
  fakes.files.Put("C:\\Pics\\sea.bmp", "12345", kNewTime);
  Listed("C:\\Pics", "sea.bmp");
  for (const auto& c : cases) {
    const std::size_t before = fakes.prompts.modalCaptions.size();
    PromptForNames(c.prompt);
    main->booCreating = c.creating;
    if (c.dialog) Accept();
    main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Tile);
    EXPECT_EQ(fakes.prompts.modalCaptions.size() - before, c.dialog ? 1u : 0u) << c.prompt << c.creating;
  }
  const InventoryEntry* e = Find("C:\\Pics\\sea.bmp");
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->Enabled);
  EXPECT_EQ(e->Size, 5);
  EXPECT_EQ(e->Timestamp, DosDateTimeToDateTime(kNewTime));
  EXPECT_TRUE(e->Display == DisplayMode::Tile) << "the dialog's choice, made in the first round";
  EXPECT_EQ(e->Group, "g");
  EXPECT_EQ(e->Order, 7);
}

TEST_F(AddPictureTest, AnUnchangedKnownFileIsNeitherPostedNorSaved) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "12345", kNewTime);
  Listed("C:\\Pics", "sea.bmp");
  PromptForNames(false);
  main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Tile);
  EXPECT_FALSE(Find("C:\\Pics\\sea.bmp")->Display == DisplayMode::Tile) << "a silent refresh keeps the display mode";
  main->InputTimeout1.Flush();
  EXPECT_FALSE(main->StoreEntry("C:\\Pics\\sea.bmp", "C:\\Pics\\sea.bmp", true, DisplayMode::Tile));
  EXPECT_FALSE(SavePending());
}

TEST_F(AddPictureTest, TheProgramsOwnWorkingBitmapIsNeverListedNorAskedAbout) {
  fakes.files.Put("C:\\Apps\\Murovex\\Murovex.bmp", "x");
  for (bool prompt : {false, true}) {
    PromptForNames(prompt);
    Accept();
    main->AddPictureFile("C:\\Apps\\Murovex\\Murovex.bmp", DisplayMode::Tile);
    Accept();
    main->AddDetectedWallpaper("C:\\Apps\\Murovex\\Murovex.bmp", DisplayMode::Tile);
  }
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(main->cdtData.IsEmpty());
  EXPECT_TRUE(fakes.files.FileExists("C:\\Apps\\Murovex\\Murovex.bmp"));
}

TEST_F(AddPictureTest, ABatchOfThreeWithApplyToAllAndMoveGoesIntoTheDataFolderAfterOneDialog) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) fakes.files.Put(std::string("C:\\Pics\\") + name, name);
  main->frmItemInfo.BeginAddBatch(true);
  User([](TfrmItemInfo& d) {
    d.rdoMove.Click();
    d.chkApplyToAll.Click();
  });
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    main->AddPictureFile(std::string("C:\\Pics\\") + name, DisplayMode::Tile);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_TRUE(fakes.files.FilesIn("C:\\Pics").empty());
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) EXPECT_NE(Find(Img(name)), nullptr) << name;
  EXPECT_EQ(records.size(), 3u);
}

TEST_F(AddPictureTest, CancelWithApplyToAllTakesNoFurtherFileOfTheBatch) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) fakes.files.Put(std::string("C:\\Pics\\") + name, name);
  main->frmItemInfo.BeginAddBatch(true);
  User([](TfrmItemInfo& d) { d.chkApplyToAll.Click(); }, ModalResult::Cancel);
  Accept();
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    main->AddPictureFile(std::string("C:\\Pics\\") + name, DisplayMode::Tile);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_TRUE(main->cdtData.IsEmpty());
  EXPECT_EQ(fakes.files.FilesIn("C:\\Pics").size(), 3u);
  EXPECT_FALSE(SavePending());
}

TEST_F(AddPictureTest, LeaveWithAnotherFolderTypedMovesTheFileThereOrDoesNothingWhenItIsMissing) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "x");
  fakes.files.AddDir("D:\\Other");
  for (const char* folder : {"D:\\Missing", "D:\\Other"}) {
    User([folder](TfrmItemInfo& d) { d.edtFromDir.SetText(folder); });
    main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Tile);
  }
  EXPECT_FALSE(fakes.files.FileExists("C:\\Pics\\sea.bmp"));
  EXPECT_TRUE(fakes.files.FileExists("D:\\Other\\sea.bmp"));
  EXPECT_NE(Find("D:\\Other\\sea.bmp"), nullptr);
  EXPECT_EQ(records.size(), 1u);
}

TEST_F(AddPictureTest, AFailedCopyListsNothingAndAFailedDeleteListsTheCopy) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "x");
  auto move = [](TfrmItemInfo& d) { d.rdoMove.Click(); };
  fakes.files.FailOn(FileOp::Copy, winerr::kDiskFull);
  User(move);
  main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Tile);
  EXPECT_TRUE(main->cdtData.IsEmpty());
  EXPECT_FALSE(SavePending());

  fakes.files.FailOn(FileOp::Delete, winerr::kSharingViolation);
  User(move);
  main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Tile);
  EXPECT_TRUE(fakes.files.FileExists("C:\\Pics\\sea.bmp"));
  EXPECT_NE(Find(Img("sea.bmp")), nullptr);
  EXPECT_EQ(records.size(), 1u);
}

TEST_F(AddPictureTest, ARenameThatOnlyChangesCaseUpdatesTheEntryAndLeavesTheDiskAlone) {
  fakes.files.Put("C:\\Pics\\sunset.bmp", "x");
  Listed("C:\\Pics", "sunset.bmp");
  TypeName("SunSet");
  main->AddPictureFile("C:\\Pics\\sunset.bmp", DisplayMode::Tile);
  EXPECT_EQ(fakes.files.FilesIn("C:\\Pics"), std::vector<std::string>{"C:\\Pics\\sunset.bmp"});
  ASSERT_EQ(main->cdtData.RecordCount(), 1);
  EXPECT_EQ(main->cdtData.AllRecords()[0].FileName, "SunSet.bmp");
  EXPECT_EQ(main->cdtData.AllRecords()[0].LCFilename, "sunset.bmp");
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(AddPictureTest, AMovedFileKeepsItsEntryAndAnUnreadableOneLeavesTheListAlone) {
  fakes.files.Put(Img("Sea2.bmp"), "123", kNewTime);
  Listed("C:\\Pics", "sea.bmp");
  EXPECT_TRUE(main->StoreEntry("C:\\Pics\\sea.bmp", Img("Sea2.bmp"), false, DisplayMode::Tile));
  ASSERT_EQ(main->cdtData.RecordCount(), 1);
  const InventoryEntry moved = main->cdtData.AllRecords()[0];
  EXPECT_EQ(moved.FileName, "Sea2.bmp");
  EXPECT_EQ(moved.Location, ImagesDir());
  EXPECT_EQ(moved.Group, "g");
  EXPECT_EQ(moved.Order, 7);
  EXPECT_TRUE(moved.Display == DisplayMode::Tile && moved.Enabled);

  main->InputTimeout1.Flush();
  fakes.files.Put(Img("locked.bmp"), "x");
  fakes.files.Lock(Img("locked.bmp"));
  fakes.files.Lock(Img("Sea2.bmp"));
  EXPECT_FALSE(main->StoreEntry("", Img("locked.bmp"), false, DisplayMode::Tile));
  EXPECT_FALSE(main->StoreEntry("", Img("Sea2.bmp"), false, DisplayMode::Centre));
  EXPECT_EQ(main->cdtData.AllRecords(), std::vector<InventoryEntry>{moved});
  EXPECT_EQ(main->cdtData.State(), DataSetState::Browse);
  EXPECT_FALSE(SavePending());
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.StoreEntry: Cannot open file " + Img("locked.bmp")));
}

TEST_F(AddPictureTest, AFileHeldByAnotherProgramAsSoonAsItIsMovedIsListedWithWhatItsSourceHad) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "12345", kNewTime);
  fakes.files.onFileArrived = [this](const std::string& path) { fakes.files.Lock(path); };
  User([](TfrmItemInfo& d) { d.rdoMove.Click(); });
  main->AddPictureFile("C:\\Pics\\sea.bmp", DisplayMode::Centre);
  EXPECT_FALSE(fakes.files.FileExists("C:\\Pics\\sea.bmp"));
  const InventoryEntry* e = Find(Img("sea.bmp"));
  ASSERT_NE(e, nullptr) << "a moved file is never left out of the list";
  EXPECT_EQ(e->Size, 5);
  EXPECT_EQ(e->Timestamp, DosDateTimeToDateTime(kNewTime));
  EXPECT_FALSE(e->Display == DisplayMode::Tile);
  EXPECT_GT(fakes.files.pausedMs, 0u) << "the other program is given a moment first";
  EXPECT_EQ(main->cdtData.State(), DataSetState::Browse);
  EXPECT_TRUE(SavePending());
}

TEST_F(AddPictureTest, AFileMovedOverAnotherListedFileLeavesOneEntryForTheTargetAndACopyLeavesBoth) {
  const struct {
    const char* what;
    std::string source, target;
    std::function<void(TfrmItemInfo&)> choose;
    bool sourceListed;
  } cases[] = {
      {"moved into the data folder", "C:\\Pics\\a.bmp", Img("a.bmp"), [](TfrmItemInfo& d) { d.rdoMove.Click(); },
       false},
      {"renamed in place", "C:\\Pics\\b.bmp", "C:\\Pics\\Old.bmp",
       [](TfrmItemInfo& d) {
         d.rdoLeave.Click();
         d.edtFileName.SetText("Old");
       },
       false},
      {"copied into the data folder", "C:\\Pics\\c.bmp", Img("c.bmp"), [](TfrmItemInfo& d) { d.rdoCopy.Click(); },
       true},
  };
  PromptForNames(true);
  std::size_t entries = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.files.Put(c.source, "new");
    fakes.files.Put(c.target, "old");
    Listed(ExtractFileDir(c.source), ExtractFileName(c.source));
    Listed(ExtractFileDir(c.target), ExtractFileName(c.target));
    main->InputTimeout1.Flush();
    User(c.choose);
    main->AddPictureFile(c.source, DisplayMode::Tile);
    EXPECT_EQ(fakes.files.Content(c.target), "new");
    ASSERT_NE(Find(c.target), nullptr);
    EXPECT_EQ(Find(c.source) != nullptr, c.sourceListed) << "an entry only for a file that is still there";
    entries += c.sourceListed ? 2 : 1;
    EXPECT_EQ(records.size(), entries);
    EXPECT_TRUE(SavePending());
  }
}

TEST_F(AddPictureTest, AKnownDetectedWallpaperIsAskedAboutEvenAtStartUpUnlessNotPromptingAndRestartsTheSlideTimer) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "12345", kNewTime);
  Listed("C:\\Pics", "sea.bmp");
  int ticks = 0;
  main->tmrSlide.OnTimer = [&ticks](TObject*) { ++ticks; };
  main->tmrSlide.SetInterval(10000);
  main->tmrSlide.SetEnabled(true);
  main->booCreating = true;
  for (bool prompt : {true, false}) {
    PromptForNames(prompt);
    fakes.time.Advance(9000);
    const std::size_t before = fakes.prompts.modalCaptions.size();
    main->AddDetectedWallpaper("C:\\Pics\\sea.bmp", DisplayMode::Tile);
    EXPECT_EQ(fakes.prompts.modalCaptions.size() - before, prompt ? 1u : 0u) << prompt;
  }
  fakes.time.Advance(9000);
  EXPECT_EQ(ticks, 0) << "each detection starts the interval again";
  const InventoryEntry* e = Find("C:\\Pics\\sea.bmp");
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->Enabled);
  EXPECT_EQ(e->Size, 5);
  EXPECT_FALSE(e->Display == DisplayMode::Tile) << "a silent refresh keeps the display mode";
}

TEST_F(AddPictureTest, ADetectedWallpaperIsRecordedAndSetAgainWhenItsDisplayModeChanged) {
  const std::string browser = "C:\\WINDOWS\\Netscape Wallpaper.bmp";
  const std::string target = Img("v1 of Netscape Wallpaper.bmp");
  fakes.files.Put(browser, "bmp");
  main->frmItemInfo.BeginAddBatch(true);
  User([](TfrmItemInfo& d) { d.rdoCenter.Click(); });
  main->AddDetectedWallpaper(browser, DisplayMode::Tile);
  EXPECT_FALSE(seen[0].applyEnabled) << "a detection is a batch of its own";
  EXPECT_EQ(main->LastDetectedSource, browser);
  EXPECT_EQ(main->LastDetectedTarget, target);
  ASSERT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].path, target);
  EXPECT_FALSE(Find(target)->Display == DisplayMode::Tile);

  fakes.files.Put(browser, "bmp2");
  User(nullptr, ModalResult::Cancel);
  main->AddDetectedWallpaper(browser, DisplayMode::Centre);
  EXPECT_TRUE(main->LastDetectedSource.empty() && main->LastDetectedTarget.empty());
  EXPECT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "app/paths.h"
#include "inventory/data_file.h"
#include "shared/bitmap_bytes.h"
#include "unit/data_file_v1.h"
#include "unit/main_fixture.h"

namespace mvx::testing {
namespace {

using fakes::FileOp;

// The main window's inventory as start-up leaves it: the data directory
// entered, the table loaded, the two clones opened.
class InventoryOpsTest : public MainFixture {
 protected:
  InventoryOpsTest() { fakes.files.AddDir(ImagesDir()); }
  void Open(const std::vector<InventoryEntry>& onDisk) {
    for (const InventoryEntry& e : onDisk) PutPicture(e);
    fakes.files.Put(DataFile(), EncodeDataFile(onDisk));
    Open();
  }
  void Open() {
    Build(false);
    main->AddObserver(&spy);
    main->SetDataDir(ImagesDir());
    main->cdtData.CreateDataSet();
    main->LoadInventory();
    main->cdtSlideShow.CloneCursor(main->cdtData);
    main->cdtInventory.CloneCursor(main->cdtData);
  }
  // The entry's picture, which the preview shows when the entry is current.
  void PutPicture(const InventoryEntry& e) {
    fakes.files.AddDir(e.Location);
    fakes.files.Put(e.Location + "\\" + e.FileName, BitmapBytes(2, 2));
  }
  void Add(const InventoryEntry& e) {
    PutPicture(e);
    main->cdtData.Append();
    main->cdtData.EditFields() = e;
    main->cdtData.Post();
  }
  std::string DataFile() const { return ImagesDir() + "\\GDB.CDS"; }
  std::vector<InventoryEntry> OnDisk() {
    const DataFileContents c = DecodeDataFile(fakes.files.Content(DataFile()));
    EXPECT_TRUE(c.ok()) << c.reason;
    return c.records;
  }
  ForegroundSpy spy;
};

TEST_F(InventoryOpsTest, WithoutADataFileTheListStartsEmptyAndANewFileExistsAtOnce) {
  Open();
  EXPECT_EQ(main->DataFilePath(), "C:\\Apps\\Murovex\\Images\\GDB.CDS");
  EXPECT_TRUE(main->cdtInventory.IsEmpty());
  EXPECT_EQ(main->lblHints.Caption(), "0 Pictures in List");
  ASSERT_TRUE(fakes.files.FileExists(DataFile()));
  EXPECT_TRUE(OnDisk().empty());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_FALSE(main->InputTimeout1.Pending());
}

// A start maps the data file only from a fixed disk: a drive that can be
// unplugged while the view is held is read instead.
TEST_F(InventoryOpsTest, AStartFromARemovableDriveReadsTheDataFileInsteadOfMappingIt) {
  fakes.files.Put(DataFile(), EncodeDataFile({KeyedEntry("b.bmp", "C:\\P"), KeyedEntry("A.bmp", "C:\\P")}));
  fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
  for (const bool removable : {false, true}) {
    SCOPED_TRACE(removable ? "removable" : "fixed");
    if (removable) fakes.files.removableDrives.insert("c:");
    fakes.files.mapped = 0;
    Build();
    EXPECT_EQ(fakes.files.mapped, removable ? 0 : 1);
    EXPECT_EQ(main->cdtData.RecordCount(), 2);
  }
}

TEST_F(InventoryOpsTest, TheDataFileIsLoadedInKeyOrderAndCounted) {
  Open({KeyedEntry("b.bmp", "C:\\P"), KeyedEntry("A.bmp", "C:\\P")});
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "a.bmp");
  EXPECT_EQ(main->lblHints.Caption(), "2 Pictures in List");
  Add(KeyedEntry("c.bmp", "C:\\P"));
  EXPECT_EQ(main->lblHints.Caption(), "3 Pictures in List");
  main->cdtInventory.Delete();
  EXPECT_EQ(main->lblHints.Caption(), "2 Pictures in List");
}

TEST_F(InventoryOpsTest, TenQuickTogglesWriteTheFileOnce2250MsAfterTheLast) {
  std::vector<InventoryEntry> list;
  for (char c = 'a'; c <= 'j'; ++c) list.push_back(KeyedEntry(std::string(1, c) + ".bmp", "C:\\P"));
  Open(list);
  const std::string before = fakes.files.Content(DataFile());
  TObject menuItem;
  for (int i = 1; i <= 10; ++i) {
    main->cdtInventory.SetRecNo(i);
    main->cdtInventory.Edit();
    main->cdtInventory.EditFields().Enabled = !main->cdtInventory.Fields().Enabled;
    main->cdtInventory.Post();
    main->ScheduleInventorySave(&menuItem);
    fakes.time.Advance(200);
    ASSERT_EQ(fakes.files.Content(DataFile()), before) << "no write after toggle " << i;
  }
  fakes.time.Advance(2049);
  EXPECT_EQ(fakes.files.Content(DataFile()), before);
  fakes.time.Advance(1);
  EXPECT_EQ(OnDisk(), main->cdtData.AllRecords());
  EXPECT_TRUE(OnDisk()[9].Enabled);
}

// Start-up loads the list from a view of the file, which forbids replacing
// the file: a save before start-up lets the view go takes the records out of
// it first.
TEST_F(InventoryOpsTest, ASaveWhileStartUpHoldsTheFilesViewWritesTheChange) {
  fakes.files.Put(DataFile(), EncodeDataFile({KeyedEntry("a.bmp", "C:\\P"), KeyedEntry("b.bmp", "C:\\Q")}));
  Build(false);
  main->SetDataDir(ImagesDir());
  main->cdtData.CreateDataSet();
  main->booCreating = true;
  main->LoadInventory();
  main->cdtData.Last();
  main->cdtData.Edit();
  main->cdtData.EditFields().Display =
      main->cdtData.Fields().Display != DisplayMode::Tile ? DisplayMode::Tile : DisplayMode::Centre;
  main->cdtData.Post();
  main->SaveInventory();
  EXPECT_TRUE(fakes.prompts.shown.empty());
  ASSERT_EQ(OnDisk().size(), 2u);
  EXPECT_EQ(OnDisk()[1].Display == DisplayMode::Tile, KeyedEntry("b.bmp", "C:\\Q").Display != DisplayMode::Tile);
  EXPECT_EQ(OnDisk()[0].Display == DisplayMode::Tile, KeyedEntry("a.bmp", "C:\\P").Display == DisplayMode::Tile);
}

TEST_F(InventoryOpsTest, RelocationRepointsMovedEntriesDropsVanishedOnesAndSavesLater) {
  const std::string old = "D:\\Old\\Images";
  fakes.files.Put(ImagesDir() + "\\moved.bmp", "bmp");
  fakes.files.Put(ImagesDir() + "\\twice.bmp", "bmp");
  // Its path fits the old folder to the last unit, and not the new one.
  const std::string longName = std::string(241, 'l') + ".bmp";
  fakes.files.Put(ImagesDir() + "\\" + longName, "bmp");
  Open({KeyedEntry("Moved.bmp", old), KeyedEntry("vanished.bmp", old), KeyedEntry("other.bmp", "C:\\Elsewhere"),
        KeyedEntry("twice.bmp", old), KeyedEntry("twice.bmp", ImagesDir()), KeyedEntry("zlast.bmp", old),
        KeyedEntry(longName, old)});
  const std::string before = fakes.files.Content(DataFile());
  main->RelocateDataDirEntries("d:\\old\\images");

  std::vector<std::string> now;
  for (const InventoryEntry& e : main->cdtData.AllRecords()) now.push_back(e.FileName + " in " + e.Location);
  EXPECT_EQ(now, (std::vector<std::string>{longName + " in D:\\Old\\Images", "Moved.bmp in C:\\Apps\\Murovex\\Images",
                                           "other.bmp in C:\\Elsewhere", "twice.bmp in C:\\Apps\\Murovex\\Images"}));
  EXPECT_TRUE(main->cdtData.HasKey("moved.bmp", "c:\\apps\\murovex\\images"));
  fakes.time.Advance(2249);
  EXPECT_EQ(fakes.files.Content(DataFile()), before);
  fakes.time.Advance(1);
  EXPECT_EQ(OnDisk(), main->cdtData.AllRecords());
}

TEST_F(InventoryOpsTest, AnUnreadableFileIsKeptAsideReportedAndReplacedByAnEmptyList) {
  std::string newer = EncodeDataFile({KeyedEntry("a.bmp", "C:\\P")});
  newer[8] = 3;
  InventoryEntry shownKey = KeyedEntry("Sunset.bmp", "C:\\P");
  shownKey.LCFilename = shownKey.FileName;
  const std::vector<std::string> unreadable{"", "garbage of some kind", EncodeDataFile({}).substr(0, 30), newer,
                                            Version1File({shownKey})};
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < unreadable.size(); ++i) {
    fakes.files.Put(DataFile(), unreadable[i]);
    fakes.prompts.shown.clear();
    Open();
    const std::string aside = DataFile() + ".unreadable-" + std::to_string(i + 1);
    EXPECT_EQ(fakes.files.Content(aside), unreadable[i]) << "the unreadable file is kept whole";
    EXPECT_TRUE(main->cdtData.IsEmpty());
    EXPECT_TRUE(OnDisk().empty());
    ASSERT_EQ(fakes.prompts.shown.size(), 1u);
    const std::string& text = texts.emplace_back(fakes.prompts.shown[0].text);
    EXPECT_EQ(text.find("The picture list " + DataFile() + " could not be read ("), 0u) << text;
    EXPECT_NE(text.find("). It was kept as " + aside + " and Murovex starts with an empty list."), std::string::npos)
        << text;
    EXPECT_GT(spy.raised, 0);
  }
  EXPECT_NE(texts[3].find("(unsupported format version 3)"), std::string::npos);
  EXPECT_NE(texts[4].find("(field LCFilename does not match FileName in record 1)"), std::string::npos);
}

TEST_F(InventoryOpsTest, AFileThatCannotBeMovedAsideIsNeverOverwritten) {
  const std::string original = EncodeDataFile({KeyedEntry("a.bmp", "C:\\P")});
  fakes.files.Put(DataFile(), original);
  fakes.files.Lock(DataFile());
  Open();
  ASSERT_EQ(fakes.prompts.shown.size(), 1u);
  EXPECT_NE(fakes.prompts.shown[0].text.find("It was left in place and will not be overwritten"), std::string::npos);
  Add(KeyedEntry("b.bmp", "C:\\P"));
  main->ScheduleInventorySave(&app);
  main->InputTimeout1.Flush();
  fakes.files.Lock(DataFile(), false);
  EXPECT_EQ(fakes.files.Content(DataFile()), original);
  EXPECT_EQ(fakes.prompts.shown.back().text, "Unable to save db");
  EXPECT_EQ(fakes.files.FilesIn(ImagesDir()).size(), 1u);
}

TEST_F(InventoryOpsTest, AFileHeldByAnotherProgramForAMomentIsReadAfterWaiting) {
  const std::vector<InventoryEntry> list{KeyedEntry("a.bmp", "C:\\P"), KeyedEntry("b.bmp", "C:\\P")};
  fakes.files.Put(DataFile(), EncodeDataFile(list));
  fakes.files.FailOn(fakes::FileOp::ReadAll, winerr::kSharingViolation, 3);
  Open();
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_EQ(main->cdtData.RecordCount(), 2);
  EXPECT_GT(fakes.files.pausedMs, 0u);
  EXPECT_EQ(fakes.files.FilesIn(ImagesDir()).size(), 1u) << "nothing was moved aside";
}

TEST_F(InventoryOpsTest, ASaveBeforeTheFileWasReadLeavesTheFileAlone) {
  const std::string original = EncodeDataFile({KeyedEntry("a.bmp", "C:\\P")});
  fakes.files.Put(DataFile(), original);
  Build(false);
  main->SetDataDir(ImagesDir());
  main->cdtData.CreateDataSet();  // the data directory could not be entered: nothing loaded
  Add(KeyedEntry("b.bmp", "C:\\P"));
  main->SaveInventory();
  EXPECT_EQ(fakes.files.Content(DataFile()), original);
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Unable to save db"});
}

TEST_F(InventoryOpsTest, AFailedSaveIsReportedAndChangesNothing) {
  Open({KeyedEntry("a.bmp", "C:\\P")});
  const std::string before = fakes.files.Content(DataFile());
  Add(KeyedEntry("b.bmp", "C:\\P"));
  const std::vector<InventoryEntry> table = main->cdtData.AllRecords();
  fakes.files.FailOn(FileOp::Write, winerr::kDiskFull);
  main->SaveInventory();
  ASSERT_EQ(fakes.prompts.shown.size(), 1u);
  EXPECT_EQ(fakes.prompts.shown[0].text, "Unable to save db");
  EXPECT_EQ(fakes.prompts.shown[0].kind, PromptKind::Error);
  EXPECT_EQ(fakes.prompts.shown[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(spy.raised, 1);
  EXPECT_EQ(main->cdtData.AllRecords(), table);
  EXPECT_EQ(fakes.files.Content(DataFile()), before);
  EXPECT_EQ(fakes.files.FilesIn(ImagesDir()).size(), 1u);
  main->SaveInventory();
  EXPECT_EQ(OnDisk(), table) << "the next save tries again";
}

TEST_F(InventoryOpsTest, AFailedSaveHasRemovedItsTempFileByTheTimeItIsReported) {
  Open({KeyedEntry("a.bmp", "C:\\P")});
  const std::string before = fakes.files.Content(DataFile());
  Add(KeyedEntry("b.bmp", "C:\\P"));
  struct Case {
    FileOp op;
    std::uint32_t code;
  };
  for (Case c : {Case{FileOp::Write, winerr::kDiskFull}, Case{FileOp::Flush, winerr::kDiskFull},
                 Case{FileOp::MoveReplace, winerr::kDiskFull}, Case{FileOp::CreateNew, winerr::kPathNotFound}}) {
    std::vector<std::string> whileReported;
    fakes.prompts.whileOpen = [&] { whileReported = fakes.files.FilesIn(ImagesDir()); };
    fakes.prompts.shown.clear();
    fakes.files.FailOn(c.op, c.code, 1000);
    main->SaveInventory();
    fakes.files.FailOn(c.op, c.code, 0);
    EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Unable to save db"}) << static_cast<int>(c.op);
    EXPECT_EQ(whileReported, std::vector<std::string>{DataFile()}) << static_cast<int>(c.op);
    EXPECT_EQ(fakes.files.Content(DataFile()), before) << static_cast<int>(c.op);
  }
  fakes.prompts.whileOpen = nullptr;
  main->SaveInventory();
  EXPECT_EQ(OnDisk().size(), 2u) << "once there is room the list is saved";
}

// What saves and pastes cut short by a crash leave, and files of similar
// names that are not the program's own.
class LeftoversAtStart : public InventoryOpsTest {
 protected:
  LeftoversAtStart() {
    for (const char* name : kLeftovers) fakes.files.Put(In(name), "cut short");
    for (const char* name : kForeign) fakes.files.Put(In(name), "not ours");
  }
  std::string In(const std::string& name) const { return ImagesDir() + "\\" + name; }
  void ExpectOnlyLeftoversGone() {
    for (const char* name : kLeftovers) EXPECT_FALSE(fakes.files.FileExists(In(name))) << name;
    for (const char* name : kForeign) EXPECT_EQ(fakes.files.Content(In(name)), "not ours") << name;
    for (const char* name : kLeftovers) {
      EXPECT_TRUE(fakes.trace.Saw("FrmMain.RemoveWriteLeftovers: removed " + In(name))) << name;
    }
  }
  static constexpr const char* kLeftovers[] = {"GDB.CDS.1.tmp",
                                               "GDB.CDS.28.tmp",
                                               "gdb.cds.100.TMP",
                                               "GDB.CDS.v1.3.tmp",
                                               "v3 of Clipboard.bmp.1.tmp",
                                               "V12 of clipboard.BMP.2.tmp"};
  static constexpr const char* kForeign[] = {"GDB.CDS.bak",         "GDB.CDS.1.tmp.keep",     "notes.tmp",
                                             "GDB.CDS.101.tmp",     "GDB.CDS.01.tmp",         "v3 of Clipboard.bmp",
                                             "Clipboard.bmp.1.tmp", "v3 of Sunset.bmp.1.tmp", "v3 of Clipboard.bmp.tmp",
                                             "GDB.CDS.v1",          "GDB.CDS.v2.1.tmp",       "GDB.CDS.v1.tmp"};
};

TEST_F(LeftoversAtStart, OnlyTheProgramsOwnTempFilesAreRemovedOnceTheListIsRead) {
  Open({KeyedEntry("Sunset.bmp", "C:\\P"), KeyedEntry("Dawn.bmp", "C:\\P")});
  EXPECT_EQ(main->cdtData.RecordCount(), 2);
  ExpectOnlyLeftoversGone();
  EXPECT_EQ(fakes.files.FilesIn(ImagesDir()).size(), 1 + std::size(kForeign));
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(LeftoversAtStart, TheyAreRemovedAlsoWhenTheListWasMissingOrSetAside) {
  Open();
  EXPECT_EQ(OnDisk().size(), 0u) << "a new list was written";
  ExpectOnlyLeftoversGone();

  fakes.files.Put(DataFile(), "no list at all");
  for (const char* name : kLeftovers) fakes.files.Put(In(name), "cut short");
  fakes.trace.sent.clear();
  Open();
  EXPECT_EQ(fakes.files.Content(DataFile() + ".unreadable-1"), "no list at all");
  ExpectOnlyLeftoversGone();
}

// A list written by an older Murovex is read as it is, and kept for it, whole,
// before the first save of version 2 replaces it; a crash while it is kept
// changes nothing, and what the crash left goes at the next start.
TEST_F(InventoryOpsTest, AListOfVersion1IsKeptBesideTheFirstSaveOfVersion2) {
  InventoryEntry centred = KeyedEntry("Centred.bmp", "D:\\Q", 6);
  centred.Display = DisplayMode::Centre;
  const std::string version1 = Version1File({KeyedEntry("Tiled.bmp", "C:\\P", 5), centred});
  fakes.files.Put(DataFile(), version1);
  Open();
  EXPECT_EQ(main->cdtData.AllRecords(), (std::vector<InventoryEntry>{centred, KeyedEntry("Tiled.bmp", "C:\\P", 5)}));
  Add(KeyedEntry("new.bmp", "C:\\P"));
  const std::string copy = DataFile() + ".v1", leftover = copy + ".1.tmp";
  fakes.files.FailOn(FileOp::MoveReplace, winerr::kDiskFull);
  fakes.files.FailOn(FileOp::Delete, winerr::kWriteFault);  // as if the program ended before removing it
  main->SaveInventory();
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Unable to save db"});
  EXPECT_EQ(fakes.files.Content(DataFile()), version1);
  EXPECT_FALSE(fakes.files.FileExists(copy));

  main->SaveInventory();
  EXPECT_EQ(fakes.files.Content(copy), version1);
  EXPECT_EQ(DecodeDataFile(fakes.files.Content(DataFile())).version, 2);
  EXPECT_EQ(OnDisk(), main->cdtData.AllRecords());
  fakes.files.Put(copy, "the user's own since");
  main->cdtData.Delete();
  main->SaveInventory();
  EXPECT_EQ(OnDisk().size(), 2u);
  EXPECT_EQ(fakes.files.Content(copy), "the user's own since");

  EXPECT_TRUE(fakes.files.FileExists(leftover));
  Open();
  EXPECT_FALSE(fakes.files.FileExists(leftover));
  EXPECT_EQ(fakes.files.FilesIn(ImagesDir()), (std::vector<std::string>{DataFile(), copy}));
}

TEST_F(InventoryOpsTest, PathsFindTheirEntryWhateverTheCaseAndTrailingBackslashes) {
  Open({KeyedEntry("Sunset.bmp", "C:\\Pics"), KeyedEntry("Dawn.bmp", "C:\\Pics")});
  main->cdtInventory.Last();
  EXPECT_FALSE(main->LocateInInventory("C:\\Pics\\Noon.bmp"));
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "sunset.bmp") << "not found: the view stays";
  EXPECT_TRUE(main->LocateInInventory("c:\\PICS\\\\dawn.BMP"));
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "dawn.bmp");

  struct Case {
    std::string path;
    bool known;
  };
  for (const Case& c :
       {Case{"C:\\PICS\\\\SUNSET.BMP", true}, Case{"c:\\pics\\dawn.bmp", true},
        Case{"C:\\Apps\\Murovex\\MUROVEX.BMP", true}, Case{"C:\\Pics\\Other.bmp", false}, Case{"", false}}) {
    EXPECT_EQ(main->IsKnownPicture(c.path), c.known) << c.path;
  }
  EXPECT_EQ(main->cdtData.Fields().LCFilename, "dawn.bmp") << "the master stays on the last entry found";
  EXPECT_TRUE(main->IsKnownPictureWithMode("C:\\Pics\\Sunset.bmp", DisplayMode::Tile));
  EXPECT_FALSE(main->IsKnownPictureWithMode("C:\\Pics\\Sunset.bmp", DisplayMode::Centre));
  EXPECT_TRUE(main->IsKnownPictureWithMode("C:\\Apps\\Murovex\\Murovex.bmp", DisplayMode::Centre));
}

TEST_F(InventoryOpsTest, NonAsciiLettersAreKeptAsTheyAre) {
  const std::string upper = "\xC3\x84pfel.bmp", lower = "\xC3\xA4pfel.bmp";  // Ä, ä
  Open({KeyedEntry(upper, "C:\\P"), KeyedEntry(lower, "C:\\P")});
  EXPECT_EQ(main->cdtData.RecordCount(), 2) << "two different keys";
  EXPECT_TRUE(main->IsKnownPicture("C:\\P\\" + upper));
  EXPECT_EQ(main->cdtData.Fields().FileName, upper);
  EXPECT_TRUE(main->IsKnownPicture("c:\\p\\" + lower));
  EXPECT_EQ(main->cdtData.Fields().FileName, lower);
  EXPECT_TRUE(main->IsKnownPicture("C:\\P\\\xC3\x84PFEL.BMP")) << "only A to Z are lowered";
  EXPECT_EQ(main->cdtData.Fields().FileName, upper);
  main->SaveInventory();
  EXPECT_EQ(OnDisk()[0].LCFilename, upper);
}

TEST_F(InventoryOpsTest, TooBigMarksFilesAboveTheLimitOnlyWhenTheLimitIsOn) {
  Open({KeyedEntry("a.bmp", "C:\\P", 1500000), KeyedEntry("b.bmp", "C:\\P", 1500001)});
  main->chkLimitImageSize.SetChecked(true);
  ASSERT_EQ(main->updImageSize.Position(), 1500);
  main->cdtInventory.First();
  EXPECT_FALSE(main->cdtInventory.TooBig());
  main->cdtInventory.Next();
  EXPECT_TRUE(main->cdtInventory.TooBig());
  main->chkLimitImageSize.SetChecked(false);
  EXPECT_FALSE(main->cdtInventory.TooBig()) << "the box's own handler works the mark out again";
  main->chkLimitImageSize.SetChecked(true);
  EXPECT_TRUE(main->cdtInventory.TooBig());
  // A limit typed by the user counts at once too.
  main->SetActiveControl(&main->edtMaxImageSize);
  main->edtMaxImageSize.SetText("1750");
  EXPECT_FALSE(main->cdtInventory.TooBig());
}

TEST_F(InventoryOpsTest, TheSlideshowContinuesFromTheEntryShownInTheGrid) {
  Open({KeyedEntry("a.bmp", "C:\\P"), KeyedEntry("b.bmp", "C:\\P"), KeyedEntry("c.bmp", "C:\\P")});
  main->cdtInventory.SetRecNo(3);
  main->SyncSlideCursor();
  EXPECT_EQ(main->cdtSlideShow.RecNo(), 3);
}

TEST_F(InventoryOpsTest, ClosingTheWindowWithASavePendingWritesIt) {
  Open({KeyedEntry("a.bmp", "C:\\P")});
  Add(KeyedEntry("b.bmp", "C:\\P"));
  main->ScheduleInventorySave(&app);
  main.reset();
  const DataFileContents c = DecodeDataFile(fakes.files.Content(DataFile()));
  EXPECT_EQ(c.records.size(), 2u);
}

}  // namespace
}  // namespace mvx::testing

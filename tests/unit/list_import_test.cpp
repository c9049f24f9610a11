#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adding/frm_export.h"
#include "app/error.h"
#include "shared/bitmap_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

constexpr std::uintptr_t kDrop = 0x4D1;

// Picture lists dropped on the main window, their pictures in C:\Export1.
class ListImportTest : public AddingFixture {
 protected:
  ListImportTest() { fakes.files.AddDir("C:\\Export1"); }

  std::string Pic(const std::string& name, const std::string& folder = "C:\\Export1") {
    const std::string path = folder + "\\" + name;
    fakes.files.Put(path, BitmapBytes(2, 2) + name);
    return path;
  }
  std::string List(const std::string& text, const std::string& path = "C:\\Export1\\mvx.mvl") {
    fakes.files.Put(path, text);
    return path;
  }
  void Drop(std::vector<std::string> names) {
    fakes.shell.droppedNames = std::move(names);
    main->WMDropFiles(kDrop);
  }
  // The next dialog notes the flags, then is confirmed as it stands.
  void Accept(bool forAll = false) {
    User([this, forAll](TfrmItemInfo& d) {
      busyDuring.push_back(main->booBusy && main->booBatchUpdate);
      d.chkApplyToAll.SetChecked(forAll);
    });
  }
  void ExpectBatchEnded() {
    EXPECT_FALSE(main->booBusy);
    EXPECT_FALSE(main->booBatchUpdate);
    EXPECT_FALSE(main->pbrProgress.Visible());
    EXPECT_TRUE(main->InputTimeout1.Pending()) << "the inventory's save is handed to the notifier";
    EXPECT_EQ(fakes.shell.finishedDrops, std::vector<std::uintptr_t>{kDrop});
  }
  std::vector<bool> busyDuring;
};

TEST_F(ListImportTest, EveryListedPictureIsOfferedFromTheListsFolderEachWithItsOwnMode) {
  Pic("alps.bmp");
  Pic("Beach.bmp");
  Pic("canyon.bmp");
  const std::string list = List("\"alps.bmp\",\"C\"\r\n\"Beach.bmp\",\"T\"\r\n\"canyon.bmp\",\"C\"\r\n");
  Accept();
  Accept();
  Accept();
  Drop({list});

  ASSERT_EQ(seen.size(), 3u);
  for (const DialogSeen& s : seen) {
    EXPECT_EQ(s.from, "C:\\Export1");
    EXPECT_TRUE(s.applyEnabled) << "all pictures of the drop are one batch";
  }
  EXPECT_EQ(seen[0].name, "alps");
  EXPECT_EQ(seen[1].name, "Beach");
  EXPECT_EQ((std::vector<bool>{seen[0].tiled, seen[1].tiled, seen[2].tiled}), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(busyDuring, (std::vector<bool>{true, true, true}));
  ASSERT_NE(Find("C:\\Export1\\Beach.bmp"), nullptr);
  EXPECT_TRUE(Find("C:\\Export1\\Beach.bmp")->Display == DisplayMode::Tile);
  EXPECT_FALSE(Find("C:\\Export1\\alps.bmp")->Display == DisplayMode::Tile);
  EXPECT_EQ(records.size(), 3u);
  EXPECT_TRUE(fakes.prompts.shown.empty());
  ExpectBatchEnded();
}

TEST_F(ListImportTest, TheModeIsTiledForTAndLowerCaseTOnlyAlsoWhenAppliedToAll) {
  const std::string lines[] = {"\"a.bmp\",\"t\"", "\"b.bmp\",\"T\"",  "\"c.bmp\",\"x\"", "\"d.bmp\",\"\"",
                               "\"e.bmp\"",       "\"f.bmp\",\"tt\"", "\"g.bmp\",\"T\""};
  std::string text;
  for (const std::string& line : lines) {
    Pic(line.substr(1, 5));
    text += line + "\r\n";
  }
  Accept(true);  // the first dialog takes the rest through
  Drop({List(text)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].tiled);
  std::string modes;
  for (const InventoryEntry& e : main->cdtData.AllRecords()) modes += e.Display == DisplayMode::Tile ? 'T' : 'C';
  EXPECT_EQ(modes, "TTCCCCT");
}

TEST_F(ListImportTest, ANameThatLeadsOutOfTheListsFolderIsNotFoundAndNothingIsTouched) {
  fakes.files.AddDir("C:\\Users\\me\\Documents");
  const std::string secret = Pic("x.bmp", "C:\\Users\\me\\Documents");
  Pic("ok.bmp");
  const std::string names[] = {"..\\..\\Users\\me\\Documents\\x.bmp",
                               "C:\\Users\\me\\Documents\\x.bmp",
                               "C:x.bmp",
                               "..",
                               "sub/x.bmp",
                               "CON.bmp",
                               ""};
  std::string text;
  for (const std::string& name : names) text += "\"" + name + "\",\"T\"\r\n";
  text += "\"ok.bmp\",\"T\"\r\n";
  User([](TfrmItemInfo& d) { d.rdoMove.SetChecked(true); });
  Drop({List(text)});

  std::vector<std::string> expected;
  for (const std::string& name : names) expected.push_back("File not found to import: C:\\Export1\\" + name);
  EXPECT_EQ(fakes.prompts.Texts(), expected);
  ASSERT_EQ(seen.size(), 1u) << "only the plain name reaches the dialog";
  EXPECT_EQ(seen[0].name, "ok");
  EXPECT_EQ(fakes.files.Content(secret), BitmapBytes(2, 2) + "x.bmp");
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
  EXPECT_NE(Find(Img("ok.bmp")), nullptr) << "moved into the data directory as chosen";
}

TEST_F(ListImportTest, MissingPicturesAreReportedOneByOneAndTheRestIsTakenIn) {
  Pic("here.bmp");
  fakes.files.Put("C:\\Export1\\notes.txt", "text");
  Accept();
  Drop({List("\"gone.bmp\",\"T\"\r\nno quotes at all\r\n\"notes.txt\",\"C\"\r\n\"here.bmp\",\"C\"\r\n")});
  EXPECT_EQ(fakes.prompts.Texts(), (std::vector<std::string>{"File not found to import: C:\\Export1\\gone.bmp",
                                                             "File not found to import: C:\\Export1\\",
                                                             "Error: notes.txt is not a supported file type."}));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0].tiled) << "the first picture offered proposes its own mode";
  EXPECT_NE(Find("C:\\Export1\\here.bmp"), nullptr);
}

// Ten lines are told one by one, the rest counted once at the end; a missing
// name of another type is missing, not of the wrong type.
TEST_F(ListImportTest, AListOfManyBadLinesTellsTenAndCountsTheRest) {
  Pic("here.bmp");
  std::string text = "\"gone.txt\",\"T\"\r\n";
  for (int n = 1; n <= 12; ++n) text += "\"lost" + std::to_string(n) + ".bmp\",\"F\"\r\n";
  text += "\"here.bmp\",\"S\"\r\n";
  Accept();
  Drop({List(text)});
  const std::vector<std::string> texts = fakes.prompts.Texts();
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[0], "File not found to import: C:\\Export1\\gone.txt");
  EXPECT_EQ(texts[9], "File not found to import: C:\\Export1\\lost9.bmp");
  EXPECT_EQ(texts[10], "3 more lines could not be imported.");
  ASSERT_NE(Find("C:\\Export1\\here.bmp"), nullptr);
  EXPECT_EQ(Find("C:\\Export1\\here.bmp")->Display, DisplayMode::Stretch);
}

TEST_F(ListImportTest, SeveralListsAreOneBatchAndAListThatIsGoneIsSkippedSilently) {
  fakes.files.AddDir("C:\\Export2");
  Pic("a.bmp");
  Pic("b.bmp", "C:\\Export2");
  const std::string first = List("\"a.bmp\",\"C\"\r\n");
  const std::string second = List("\"b.bmp\",\"T\"\r\n", "C:\\Export2\\Other.MVL");
  Accept(true);
  Drop({"C:\\Export1\\vanished.mvl", first, second});
  EXPECT_EQ(seen.size(), 1u) << "the box checked in the first list takes the second through";
  EXPECT_TRUE(fakes.prompts.shown.empty());
  ASSERT_NE(Find("C:\\Export2\\b.bmp"), nullptr);
  EXPECT_TRUE(Find("C:\\Export2\\b.bmp")->Display == DisplayMode::Tile);
  ExpectBatchEnded();
}

TEST_F(ListImportTest, AListThatCannotBeReadEndsTheBatchWithTheFlagsClearedAndTheSaveHandedOver) {
  const std::string list = List("\"a.bmp\",\"T\"\r\n");
  fakes.files.FailOn(fakes::FileOp::ReadAll, winerr::kAccessDenied);
  EXPECT_THROW(Drop({list}), AppError);
  EXPECT_TRUE(seen.empty());
  ExpectBatchEnded();
}

TEST_F(ListImportTest, AnyBytesInAListImportOrReportEachLineWithoutTouchingAnythingElse) {
  Pic("a.bmp");
  struct Case {
    std::string text;
    std::size_t dialogs, messages;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"\r\n\n\r\r\n", 0, 0},
      {"\xEF\xBB\xBF\"a.bmp\",\"T\"\r\n", 1, 0},
      {"\"a.bmp\",\"T\"\r\"a.bmp\",\"C\"\r", 2, 0},
      {"\"a.bmp\",\"T\"\n\"a.bmp\",\"C\"", 2, 0},
      {"\"a.bmp\",\"T\",\"C\"\r\n", 1, 0},
      {"\"a.bmp\r\n   \r\n", 0, 2},
      {"\"\xC3\x28\xFF.bmp\",\"T\"\r\n", 0, 1},
      {"\"" + std::string(70000, 'x') + ".bmp\",\"T\"\r\n", 0, 1},
      {std::string("\"a.bmp\0\\..\\x.bmp\",\"T\"\r\n", 23), 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    fakes.prompts.shown.clear();
    seen.clear();
    for (std::size_t i = 0; i < c.dialogs; ++i) Accept();
    Drop({List(c.text)});
    EXPECT_EQ(seen.size(), c.dialogs);
    ASSERT_EQ(fakes.prompts.shown.size(), c.messages);
    for (const auto& shown : fakes.prompts.shown) {
      EXPECT_TRUE(shown.text.starts_with("File not found to import: C:\\Export1\\")) << shown.text.substr(0, 80);
    }
    EXPECT_LE(main->cdtData.RecordCount(), 1);
    EXPECT_EQ(fakes.files.FilesIn("C:\\Export1").size(), 2u) << "the picture and the list, nothing else";
  }
}

// What one installation exports, another takes in from the dropped list.
TEST_F(ListImportTest, AnExportDroppedElsewhereListsItsPicturesWithTheirModes) {
  fakes.files.AddDir("C:\\Pics");
  for (const auto& [name, tile] : {std::pair{"alps.bmp", true}, {"beach.bmp", false}, {"canyon.bmp", true}}) {
    InventoryEntry e = KeyedEntry(name, "C:\\Pics");
    e.Enabled = true;
    e.Display = tile ? DisplayMode::Tile : DisplayMode::Centre;
    Pic(name, "C:\\Pics");
    ListEntry(e);
  }
  main->pgMain.SetActivePage(&main->tsPreview);
  fakes.prompts.ScriptModal([](TForm& form) {
    static_cast<TFrmExport&>(form).btnExport.Click();
    return form.Result;
  });
  ASSERT_TRUE(main->FormKeyDown(keys::F11, TShiftState{true, true, true}));
  // The export folder, taken to another installation.
  for (const auto& e : main->cdtData.AllRecords()) {
    main->cdtData.FindKey(e.LCFilename, e.LCLocation);
    main->cdtData.Delete();
  }
  Accept(true);
  Drop({Img("Export1\\mvx.mvl")});
  std::string listed;
  for (const InventoryEntry& e : main->cdtData.AllRecords()) {
    listed += e.FileName + (e.Display == DisplayMode::Tile ? ":T " : ":C ");
    EXPECT_EQ(e.Location, Img("Export1"));
  }
  EXPECT_EQ(listed, "alps.bmp:T beach.bmp:C canyon.bmp:T ");
}

}  // namespace
}  // namespace mvx::testing

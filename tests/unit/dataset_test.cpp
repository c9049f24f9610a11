#include "inventory/dataset.h"
#include "app/error.h"
#include "inventory/packed_records.h"
#include "unit/entry_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace mvx {
namespace {

using testing::Entry;

// The three positions of the main window over one table.
class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data.CreateDataSet();
    data.LoadRecords({Entry("d.bmp", "c:\\p"), Entry("b.bmp", "c:\\p"), Entry("a.bmp", "c:\\q"),
                      Entry("c.bmp", "c:\\p"), Entry("a.bmp", "c:\\p")});
    inventory.CloneCursor(data);
    slides.CloneCursor(data);
  }
  static std::string Key(const TClientDataSet& d) { return d.Fields().LCFilename + "|" + d.Fields().LCLocation; }
  std::vector<std::string> Walk(TClientDataSet& d) {
    std::vector<std::string> keys;
    for (d.First(); !d.Eof(); d.Next()) keys.push_back(Key(d));
    return keys;
  }
  TClientDataSet data{"cdtData"}, inventory{"cdtInventory"}, slides{"cdtSlideShow"};
};

TEST_F(DataSetTest, EveryPositionSeesTheRecordsInKeyOrder) {
  const std::vector<std::string> sorted{"a.bmp|c:\\p", "a.bmp|c:\\q", "b.bmp|c:\\p", "c.bmp|c:\\p", "d.bmp|c:\\p"};
  EXPECT_EQ(Walk(data), sorted);
  EXPECT_EQ(Walk(inventory), sorted);
  EXPECT_EQ(Walk(slides), sorted);
}

TEST_F(DataSetTest, EqualKeysKeepTheirArrivalOrder) {
  for (std::int32_t size : {1, 2, 3}) {
    data.Append();
    data.EditFields() = Entry("b.bmp", "c:\\p", size);
    data.Post();
  }
  std::vector<std::int32_t> sizes;
  for (inventory.FindKey("b.bmp", "c:\\p"); inventory.Fields().LCFilename == "b.bmp"; inventory.Next()) {
    sizes.push_back(inventory.Fields().Size);
  }
  EXPECT_EQ(sizes, (std::vector<std::int32_t>{0, 1, 2, 3}));
}

TEST_F(DataSetTest, NavigationKeepsItsOwnPositionAndStopsAtTheEnds) {
  inventory.Last();
  EXPECT_EQ(inventory.RecNo(), 5);
  EXPECT_FALSE(inventory.Eof());
  inventory.Next();
  EXPECT_TRUE(inventory.Eof());
  EXPECT_EQ(Key(inventory), "d.bmp|c:\\p") << "past the end the last record stays readable";
  inventory.Prior();
  EXPECT_EQ(inventory.RecNo(), 4);
  EXPECT_FALSE(inventory.Eof());

  slides.First();
  slides.Prior();
  EXPECT_TRUE(slides.Bof());
  EXPECT_EQ(slides.RecNo(), 1);
  EXPECT_EQ(data.RecNo(), 1) << "other positions did not move";
}

TEST_F(DataSetTest, SetRecNoMovesToTheNumberOrTheNearestEnd) {
  struct Case {
    int asked, reached;
  };
  for (Case c : {Case{3, 3}, Case{1, 1}, Case{5, 5}, Case{0, 1}, Case{-7, 1}, Case{6, 5}, Case{1000, 5}}) {
    slides.SetRecNo(c.asked);
    EXPECT_EQ(slides.RecNo(), c.reached) << c.asked;
    EXPECT_FALSE(slides.Eof());
  }
}

TEST_F(DataSetTest, FindKeyMovesOnlyWhenFound) {
  slides.SetRecNo(2);
  EXPECT_FALSE(slides.FindKey("a.bmp", "c:\\r"));
  EXPECT_FALSE(slides.FindKey("A.BMP", "c:\\p")) << "keys are compared as stored";
  EXPECT_EQ(slides.RecNo(), 2);
  EXPECT_TRUE(slides.FindKey("c.bmp", "c:\\p"));
  EXPECT_EQ(slides.RecNo(), 4);
  EXPECT_TRUE(data.HasKey("d.bmp", "c:\\p"));
  EXPECT_EQ(data.RecNo(), 1);
}

TEST_F(DataSetTest, AChangeThroughOnePositionIsSeenAtOnceThroughTheOthers) {
  inventory.FindKey("c.bmp", "c:\\p");
  slides.FindKey("c.bmp", "c:\\p");
  inventory.Edit();
  inventory.EditFields().Enabled = true;
  EXPECT_FALSE(slides.Fields().Enabled) << "not before the post";
  inventory.Post();
  EXPECT_TRUE(slides.Fields().Enabled);
  data.FindKey("c.bmp", "c:\\p");
  EXPECT_TRUE(data.Fields().Enabled);
}

TEST_F(DataSetTest, PostingAChangedKeyMovesTheRecordAndTheEditorStaysOnIt) {
  inventory.FindKey("a.bmp", "c:\\p");
  slides.FindKey("b.bmp", "c:\\p");
  inventory.Edit();
  inventory.EditFields().LCFilename = "c.bmp";
  inventory.EditFields().LCLocation = "c:\\z";
  inventory.Post();
  EXPECT_EQ(Key(inventory), "c.bmp|c:\\z");
  EXPECT_EQ(inventory.RecNo(), 4);
  EXPECT_EQ(Key(slides), "b.bmp|c:\\p") << "another position keeps its record";
  EXPECT_EQ(slides.RecNo(), 2);
  inventory.Next();
  EXPECT_EQ(Key(inventory), "d.bmp|c:\\p");
}

TEST_F(DataSetTest, DeleteStandsOnTheFollowerOrTheNewLastWithEof) {
  data.SetRecNo(2);
  data.Delete();
  EXPECT_EQ(Key(data), "b.bmp|c:\\p");
  EXPECT_FALSE(data.Eof());
  data.Last();
  data.Delete();
  EXPECT_EQ(Key(data), "c.bmp|c:\\p");
  EXPECT_TRUE(data.Eof()) << "a walk that deletes as it goes ends here";
  EXPECT_EQ(data.RecordCount(), 3);
  while (!data.IsEmpty()) data.Delete();
  EXPECT_TRUE(inventory.Eof());
  EXPECT_TRUE(inventory.Bof());
  EXPECT_EQ(inventory.RecNo(), 0);
  EXPECT_EQ(inventory.Fields().FileName, "");
}

TEST_F(DataSetTest, APositionWhoseRecordIsDeletedElsewhereGoesOnWithTheFollowerAtNext) {
  // The slideshow's walk removes missing files through the master.
  std::vector<std::string> seen;
  for (slides.First(); !slides.Eof(); slides.Next()) {
    seen.push_back(Key(slides));
    if (slides.Fields().LCFilename == "b.bmp" || slides.Fields().LCFilename == "c.bmp") {
      data.SetRecNo(slides.RecNo());
      data.Delete();
    }
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"a.bmp|c:\\p", "a.bmp|c:\\q", "b.bmp|c:\\p", "c.bmp|c:\\p", "d.bmp|c:\\p"}));
  EXPECT_EQ(Walk(inventory), (std::vector<std::string>{"a.bmp|c:\\p", "a.bmp|c:\\q", "d.bmp|c:\\p"}));

  slides.First();
  data.First();
  data.Delete();
  EXPECT_EQ(Key(slides), "a.bmp|c:\\q") << "without a record before it, the new first";
  EXPECT_TRUE(slides.Bof());
}

TEST_F(DataSetTest, AppendGivesABlankTiledRecordAndCancelGoesBack) {
  inventory.SetRecNo(3);
  inventory.Edit();
  inventory.EditFields().Enabled = true;
  inventory.Post();
  inventory.Append();
  EXPECT_EQ(inventory.State(), DataSetState::Insert);
  EXPECT_EQ(inventory.Fields(), InventoryEntry{}) << "nothing of the current record is carried over";
  EXPECT_TRUE(inventory.Fields().Display == DisplayMode::Tile);
  inventory.Cancel();
  EXPECT_EQ(inventory.RecNo(), 3);
  EXPECT_EQ(inventory.RecordCount(), 5);
  EXPECT_THROW(inventory.EditFields(), std::exception);
}

TEST_F(DataSetTest, MovingWhileEditingPostsTheEdit) {
  data.SetRecNo(1);
  data.Edit();
  data.EditFields().Order = 9;
  data.Next();
  EXPECT_EQ(data.State(), DataSetState::Browse);
  data.Prior();
  EXPECT_EQ(data.Fields().Order, 9);
}

TEST_F(DataSetTest, ARecordAddedToAnEmptyTableIsWhereEveryPositionStands) {
  while (!data.IsEmpty()) data.Delete();
  data.Append();
  data.EditFields() = Entry("n.bmp", "c:\\n");
  data.Post();
  EXPECT_EQ(Key(slides), "n.bmp|c:\\n");
  EXPECT_EQ(slides.RecNo(), 1);
  EXPECT_FALSE(slides.Eof());
}

// Nothing is cut: a string up to its width (of two-byte letters here) is
// kept whole; a longer one is refused and stays in the edit.
TEST_F(DataSetTest, PostKeepsStringsWholeUpToTheirWidthAndRefusesLongerOnes) {
  for (auto [field, width] : {std::pair{&InventoryEntry::FileName, 765},
                              {&InventoryEntry::Location, 771},
                              {&InventoryEntry::Group, 10},
                              {&InventoryEntry::LCFilename, 765}}) {
    std::string whole(width % 2, 'x');
    while (whole.size() < static_cast<std::size_t>(width)) whole += "\xD0\x96";  // Ж
    data.Edit();
    data.EditFields().*field = whole;
    data.Post();
    EXPECT_EQ(inventory.RecordAt(data.RecNo()).*field, whole);
    data.Edit();
    data.EditFields().*field += "y";
    EXPECT_THROW(data.Post(), AppError) << width;
    EXPECT_EQ(data.State(), DataSetState::Edit);
    data.Cancel();
  }
}

// Keys that differ only beyond the 255th byte are different keys.
TEST_F(DataSetTest, LongKeysAreKeptWholeSortedAndFound) {
  const std::string longName = std::string(300, 'm');
  data.LoadRecords({Entry(longName + "z", "c:\\second"), Entry("n.bmp", "c:\\p"), Entry(longName, "c:\\third"),
                    Entry(longName + "a", "c:\\first")});
  EXPECT_EQ(Walk(data), (std::vector<std::string>{longName + "|c:\\third", longName + "a|c:\\first",
                                                  longName + "z|c:\\second", "n.bmp|c:\\p"}));
  EXPECT_TRUE(inventory.FindKey(longName + "z", "c:\\second"));
  EXPECT_THROW(data.LoadRecords({Entry(std::string(766, 'w'), "c:\\p")}), AppError);
  EXPECT_EQ(data.RecordCount(), 4) << "the table keeps what it had";
}

TEST_F(DataSetTest, CalculatedFieldFollowsTheCurrentRecord) {
  int calls = 0;
  inventory.OnCalcFields = [&calls](const InventoryEntry& e) {
    ++calls;
    return e.Size > 100;
  };
  inventory.First();
  EXPECT_FALSE(inventory.TooBig());
  inventory.Edit();
  inventory.EditFields().Size = 101;
  inventory.Post();
  EXPECT_TRUE(inventory.TooBig());
  data.First();
  data.Edit();
  data.EditFields().Size = 5;
  data.Post();
  EXPECT_FALSE(inventory.TooBig()) << "a change made elsewhere refreshes the record";
  const int before = calls;
  inventory.Edit();
  inventory.Cancel();
  EXPECT_EQ(calls, before + 2);
}

TEST_F(DataSetTest, EventsRunForThePositionThatActed) {
  std::vector<std::string> seen;
  auto record = [&seen](const char* what) { return [&seen, what](TObject*) { seen.push_back(what); }; };
  inventory.AfterScroll = record("scroll");
  inventory.AfterInsert = record("insert");
  inventory.AfterPost = record("post");
  inventory.AfterDelete = record("delete");
  data.AfterScroll = record("data scroll");

  inventory.Last();
  inventory.Next();                       // no move: past the end
  inventory.FindKey("zzz.bmp", "c:\\p");  // not found
  inventory.Append();
  inventory.EditFields() = Entry("e.bmp", "c:\\p");
  inventory.Post();
  inventory.Delete();
  slides.First();
  EXPECT_EQ(seen, (std::vector<std::string>{"scroll", "insert", "post", "scroll", "delete", "scroll"}));
}

// Records loaded from a view of the data file, one of them changed in
// place and one added, move to memory of their own; each position stays on
// its record and nothing reads the view afterwards.
TEST_F(DataSetTest, RecordsLeaveTheFilesViewWithEveryPositionOnItsRecord) {
  std::string packed;
  std::vector<std::size_t> offsets;
  for (const InventoryEntry& e : {Entry("a.bmp", "c:\\p"), Entry("b.bmp", "c:\\p"), Entry("c.bmp", "c:\\q")}) {
    std::string record(PackedSize(e), '\0');
    Pack(e, record.data());
    offsets.push_back(packed.size());
    packed += record;
  }
  auto view = std::shared_ptr<char[]>(new char[packed.size()]);
  std::memcpy(view.get(), packed.data(), packed.size());
  PackedRecords records(ByteBlock(view.get(), packed.size(), view));
  for (std::size_t offset : offsets) records.Add(offset);
  records.MarkInKeyOrder();
  data.LoadPackedRecords(std::move(records));
  data.First();
  data.Edit();
  data.EditFields().Display = data.Fields().Display != DisplayMode::Tile
                                  ? DisplayMode::Tile
                                  : DisplayMode::Centre;  // same length: changed where it lies
  data.Post();
  data.Append();
  data.EditFields() = Entry("e.bmp", "c:\\r");
  data.Post();
  inventory.Last();
  inventory.Prior();  // on c
  slides.First();
  slides.Next();  // on b
  data.First();
  const bool tile = data.Fields().Display == DisplayMode::Tile;

  data.LeaveFileView();
  EXPECT_EQ(view.use_count(), 1) << "the view was let go";
  std::memset(view.get(), 0x7F, packed.size());

  EXPECT_EQ(Key(data), "a.bmp|c:\\p");
  data.Next();
  EXPECT_EQ(Key(data), "b.bmp|c:\\p");
  inventory.Next();
  EXPECT_EQ(Key(inventory), "e.bmp|c:\\r");
  slides.Next();
  EXPECT_EQ(Key(slides), "c.bmp|c:\\q");
  EXPECT_EQ(Walk(data), (std::vector<std::string>{"a.bmp|c:\\p", "b.bmp|c:\\p", "c.bmp|c:\\q", "e.bmp|c:\\r"}));
  data.First();
  EXPECT_EQ(data.Fields().Display == DisplayMode::Tile, tile);
  EXPECT_NE(data.Fields().Display == DisplayMode::Tile, Entry("a.bmp", "c:\\p").Display == DisplayMode::Tile);
}

}  // namespace
}  // namespace mvx

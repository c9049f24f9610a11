#include "inventory/packed_records.h"
#include "unit/entry_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "inventory/data_file.h"
#include "unit/data_file_v1.h"

namespace mvx {
namespace {

using testing::Entry;

std::vector<std::string> Keys(TClientDataSet& d) {
  std::vector<std::string> keys;
  for (d.First(); !d.Eof(); d.Next()) keys.push_back(d.Fields().LCFilename + "|" + d.Fields().LCLocation);
  return keys;
}

TEST(PackedRecords, UnpackGivesBackWhatWasPackedWholeAndTheKeyItHolds) {
  InventoryEntry full = Entry("Sunset.BMP", "C:\\Pictures\\\xC3\x84pfel", -1);
  full.Enabled = true;
  full.Display = DisplayMode::Stretch;
  full.Timestamp = 45123.5123456789;
  full.Group = "0123456789";
  full.Order = -3;
  // Lengths above 255 take the length's second byte.
  InventoryEntry longest =
      Entry(std::string(kFileNameFieldWidth, 'n'), std::string(kLocationFieldWidth, 'f'), 2147483647);
  longest.LCFilename = std::string(kFileNameFieldWidth, 'k');
  longest.Display = DisplayMode::Fit;
  longest.Timestamp = -INFINITY;
  for (const InventoryEntry& given : {full, longest, InventoryEntry{}}) {
    std::string bytes(PackedSize(given), '\0');
    Pack(given, bytes.data());
    EXPECT_EQ(PackedLength(bytes.data()), bytes.size()) << given.FileName;
    InventoryEntry back = Entry("stale contents of a reused entry", "c:\\stale", 7);
    Unpack(bytes.data(), back);
    EXPECT_EQ(back, given) << given.FileName;
    EXPECT_EQ(PackedKey(bytes.data()), (RecordKey{given.LCFilename, given.LCLocation}));
  }
}

TEST(PackedRecords, KeysSortByFileNameThenFolderAsBytes) {
  struct Case {
    RecordKey a, b;
    int sign;
  };
  for (const Case& c :
       {Case{{"a.bmp", "c:\\z"}, {"b.bmp", "c:\\a"}, -1}, Case{{"a.bmp", "c:\\b"}, {"a.bmp", "c:\\a"}, 1},
        Case{{"a.bmp", "c:\\a"}, {"a.bmp", "c:\\a"}, 0}, Case{{"a", "c:\\z"}, {"a.bmp", "c:\\a"}, -1},
        Case{{"\xC3\xA4.bmp", ""}, {"z.bmp", ""}, 1}}) {
    const int got = CompareKeys(c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a.file << "|" << c.a.folder << " against " << c.b.file;
  }
}

// The records of a data file, loaded as they were read.
class PackedTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data.CreateDataSet();
    PackedDataFile file =
        DecodePackedDataFile(ByteBlock(EncodeDataFile({Entry("c.bmp", "c:\\p", 3), Entry("a.bmp", "c:\\p", 1),
                                                       Entry("b.bmp", "c:\\p", 2), Entry("d.bmp", "c:\\p", 4)})));
    ASSERT_TRUE(file.ok()) << file.reason;
    data.LoadPackedRecords(std::move(file.records));
    inventory.CloneCursor(data);
    slides.CloneCursor(data);
  }
  TClientDataSet data{"cdtData"}, inventory{"cdtInventory"}, slides{"cdtSlideShow"};
};

TEST_F(PackedTableTest, AFileOutOfOrderIsLoadedInKeyOrder) {
  EXPECT_EQ(Keys(data), (std::vector<std::string>{"a.bmp|c:\\p", "b.bmp|c:\\p", "c.bmp|c:\\p", "d.bmp|c:\\p"}));
  EXPECT_TRUE(inventory.FindKey("c.bmp", "c:\\p"));
  EXPECT_EQ(inventory.Fields().Size, 3);
}

TEST_F(PackedTableTest, ARecordThatGrowsOrShrinksKeepsEveryPositionOnIt) {
  for (const std::string& name :
       std::vector<std::string>{"b.bmp with a much longer name", "b.bmp", "bb.bmp", std::string(300, 'b')}) {
    inventory.FindKey("b.bmp", "c:\\p");
    slides.FindKey("b.bmp", "c:\\p");
    data.SetRecNo(inventory.RecNo());
    data.Edit();
    data.EditFields().FileName = name;
    data.Post();
    EXPECT_EQ(data.Fields().FileName, name);
    EXPECT_EQ(inventory.Fields().FileName, name) << "another position sees the change";
    EXPECT_EQ(slides.RecNo(), 2);
    slides.Next();
    EXPECT_EQ(slides.Fields().LCFilename, "c.bmp") << "and goes on from there";
    data.Edit();
    data.EditFields().FileName = "b.bmp";
    data.Post();
  }
}

TEST_F(PackedTableTest, AGrownRecordCanBeMovedByItsKeyAndDeleted) {
  slides.FindKey("a.bmp", "c:\\p");
  inventory.FindKey("a.bmp", "c:\\p");
  inventory.Edit();
  inventory.EditFields().LCFilename = "e.bmp, a key longer than before";
  inventory.Post();
  EXPECT_EQ(inventory.RecNo(), 4);
  EXPECT_EQ(slides.Fields().LCFilename, "e.bmp, a key longer than before");
  EXPECT_EQ(slides.RecNo(), 4);
  data.Last();
  data.Delete();
  EXPECT_EQ(slides.Fields().LCFilename, "d.bmp");
  EXPECT_EQ(Keys(inventory), (std::vector<std::string>{"b.bmp|c:\\p", "c.bmp|c:\\p", "d.bmp|c:\\p"}));
}

TEST_F(PackedTableTest, TheCurrentRecordStaysReadableWhileOthersChange) {
  slides.FindKey("c.bmp", "c:\\p");
  const InventoryEntry& shown = slides.Fields();
  data.FindKey("d.bmp", "c:\\p");
  data.Edit();
  data.EditFields().Location = "a folder with a longer name";
  data.Post();
  data.FindKey("a.bmp", "c:\\p");
  data.Delete();
  EXPECT_EQ(shown.FileName, "c.bmp");
  EXPECT_EQ(shown.Size, 3);
}

// Keys of a data file written in the given order, after loading it; a file
// of version 1 with the same records loads the same.
std::vector<std::string> LoadedKeys(const std::vector<InventoryEntry>& entries) {
  std::vector<std::string> keys[2];
  const std::string files[2] = {EncodeDataFile(entries), testing::Version1File(entries)};
  for (int version = 0; version < 2; ++version) {
    TClientDataSet table{"cdtData"};
    table.CreateDataSet();
    PackedDataFile file = DecodePackedDataFile(ByteBlock(files[version]));
    EXPECT_TRUE(file.ok()) << file.reason;
    table.LoadPackedRecords(std::move(file.records));
    keys[version] = Keys(table);
  }
  EXPECT_EQ(keys[1], keys[0]);
  return keys[0];
}

// The reader checks the order as it walks the file; the table sorts only
// what that walk did not find in order, wherever the first fault lies.
TEST(PackedOrderTest, EveryFileLoadsInKeyOrderWhereverItsOrderBreaks) {
  struct Case {
    const char* what;
    std::vector<InventoryEntry> entries;
  };
  const std::vector<Case> cases{
      {"in order", {Entry("a.bmp", "c:\\p", 1), Entry("b.bmp", "c:\\p", 2), Entry("c.bmp", "c:\\p", 3)}},
      {"only the last two swapped",
       {Entry("a.bmp", "c:\\p", 1), Entry("b.bmp", "c:\\p", 2), Entry("d.bmp", "c:\\p", 4),
        Entry("c.bmp", "c:\\p", 3)}},
      {"one name in two folders, folders descending",
       {Entry("a.bmp", "c:\\z", 1), Entry("a.bmp", "c:\\b", 2), Entry("b.bmp", "c:\\a", 3)}},
      {"an order that breaks once and comes back",
       {Entry("b.bmp", "c:\\p", 2), Entry("a.bmp", "c:\\p", 1), Entry("c.bmp", "c:\\p", 3),
        Entry("d.bmp", "c:\\p", 4)}},
      {"one record", {Entry("z.bmp", "c:\\q", 9)}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> expected;
    for (const InventoryEntry& e : c.entries) expected.push_back(e.LCFilename + "|" + e.LCLocation);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(LoadedKeys(c.entries), expected) << c.what;
  }
}

}  // namespace
}  // namespace mvx

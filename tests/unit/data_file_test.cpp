#include "inventory/data_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/error.h"
#include "app/paths.h"
#include "inventory/crc32.h"
#include "unit/data_file_v1.h"

namespace mvx {
namespace {

std::string Times(const std::string& text, int n) {
  std::string out;
  while (n-- > 0) out += text;
  return out;
}

std::vector<InventoryEntry> Sample() {
  InventoryEntry a;
  a.Enabled = true;
  a.Display = DisplayMode::Centre;
  a.FileName = "Sunset.BMP";
  a.Location = "C:\\Pictures\\Summer";
  a.Size = 1500001;
  a.Timestamp = 45123.5123456789;
  a.Order = -3;
  a.LCLocation = "c:\\pictures\\summer";
  a.LCFilename = "sunset.bmp";
  InventoryEntry b;
  b.Display = DisplayMode::Stretch;
  b.FileName = std::string(129, 'N');
  b.Location = "\\\\Server\\\xC3\x84pfel\\\xE6\x9D\xB1";  // non-ASCII kept byte for byte
  b.Size = -1;
  b.Group = "0123456789";
  b.LCLocation = "\\\\server\\\xC3\x84pfel\\\xE6\x9D\xB1";
  b.LCFilename = std::string(129, 'n');
  // A folder of 150 Cyrillic letters (300 bytes), a name of 86 CJK characters (258 bytes).
  const std::string cyrillic = "C:\\" + Times("\xD0\xAF", 150), cjk = Times("\xE6\x9D\xB1", 86);
  const InventoryEntry c{true, DisplayMode::Fill, cjk, cyrillic, 77, -1.25, "g", 0, "c" + cyrillic.substr(1), cjk};
  return {a, b, c};
}

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return v;
}

// Writes a valid checksum after a deliberate change, so the check behind it is reached.
void Reseal(std::string& bytes) {
  const std::uint32_t crc = Crc32(std::string_view(bytes).substr(0, bytes.size() - 4));
  for (std::size_t i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
}

TEST(Crc32, GivesTheStandardCheckValueInOnePieceOrSeveral) {
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("56789", Crc32("1234")), 0xCBF43926u);
  const std::string longer(1000, 'a');
  EXPECT_EQ(Crc32(longer.substr(3), Crc32(longer.substr(0, 3))), Crc32(longer));
}

TEST(Crc32, LongInputsGiveTheCommonChecksumAtAnyLengthAlignmentAndSplit) {
  // Checksums of the bytes (i * 131 + 7) mod 256, from zlib.
  struct Case {
    std::size_t length;
    std::uint32_t crc;
  };
  const std::vector<Case> cases{{64, 0x38E4DBB5u},   {65, 0x6C311B46u},   {79, 0x118A99CBu},  {80, 0x89CDCB09u},
                                {127, 0x8276C596u},  {128, 0xCC816B20u},  {129, 0x9A7C58ADu}, {1000, 0x1ED57BB9u},
                                {4099, 0xDFADE85Au}, {65549, 0xFA1AEE39u}};
  for (const Case& c : cases) {
    for (std::size_t offset : {0u, 1u, 3u, 8u}) {
      std::string buffer(offset, 'x');
      for (std::size_t i = 0; i < c.length; ++i) buffer += static_cast<char>((i * 131 + 7) & 0xFF);
      const std::string_view bytes = std::string_view(buffer).substr(offset);
      EXPECT_EQ(Crc32(bytes), c.crc) << c.length << " at " << offset;
      for (std::size_t split : {std::size_t{1}, std::size_t{17}, c.length / 2, c.length - 63}) {
        EXPECT_EQ(Crc32(bytes.substr(split), Crc32(bytes.substr(0, split))), c.crc) << c.length << " split " << split;
      }
    }
  }
}

TEST(DataFile, RoundTripGivesBackEveryStoredFieldWholeAndTheSameBytes) {
  for (const auto& records : {Sample(), std::vector<InventoryEntry>{}}) {
    const std::string bytes = EncodeDataFile(records);
    const DataFileContents back = DecodeDataFile(bytes);
    ASSERT_TRUE(back.ok()) << back.reason;
    EXPECT_EQ(back.version, 2);
    EXPECT_EQ(back.records, records);
    EXPECT_EQ(EncodeDataFile(back.records), bytes);
  }
}

TEST(DataFile, HeaderFieldListAndFirstRecordLieWhereTheLayoutSays) {
  InventoryEntry e;
  e.Enabled = true;
  e.Display = DisplayMode::Fit;
  e.FileName = "A.bmp";
  e.Location = "C:";
  e.LCFilename = "a.bmp";
  e.LCLocation = "c:";
  e.Size = 0x01020304;
  const std::string bytes = EncodeDataFile({e});
  EXPECT_EQ(bytes.substr(0, 8), std::string("MVXINV\r\n"));
  EXPECT_EQ(bytes.substr(8, 4), std::string("\x02\x00\x0A\x00", 4)) << "version 2, ten fields";
  EXPECT_EQ(U32At(bytes, 12), 1u);
  EXPECT_EQ(U32At(bytes, 16), bytes.size() - 24);
  EXPECT_EQ(U32At(bytes, bytes.size() - 4), Crc32(std::string_view(bytes).substr(0, bytes.size() - 4)));
  EXPECT_EQ(bytes.substr(20, 46), std::string("\x01\x01\x00\x07"
                                              "Enabled"
                                              "\x05\x01\x00\x07"
                                              "Display"
                                              "\x04\xFD\x02\x08"
                                              "FileName"
                                              "\x04\x03\x03\x08"
                                              "Location",
                                              46));
  const std::string record(
      "\x01\x03\x05\x00"
      "A.bmp"
      "\x02\x00"
      "C:"
      "\x04\x03\x02\x01",
      17);
  EXPECT_EQ(bytes.substr(133, 17), record);
}

TEST(DataFile, EveryShortenedFileIsReportedTruncated) {
  const std::string bytes = EncodeDataFile(Sample());
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const DataFileContents c = DecodeDataFile(std::string_view(bytes).substr(0, n));
    EXPECT_EQ(c.problem, DataFileProblem::Truncated) << n;
    EXPECT_TRUE(c.records.empty());
  }
}

TEST(DataFile, AnyChangedByteIsRejected) {
  const std::string good = EncodeDataFile(Sample());
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x5A);
    EXPECT_FALSE(DecodeDataFile(bad).ok()) << i;
  }
}

TEST(DataFile, ReportsWhatIsWrong) {
  const std::string good = EncodeDataFile(Sample());
  struct Case {
    const char* name;
    std::string bytes;
    DataFileProblem problem;
  };
  auto patched = [&good](std::size_t at, std::string with, bool reseal = true) {
    std::string b = good;
    b.replace(at, with.size(), with);
    if (reseal) Reseal(b);
    return b;
  };
  const std::size_t records = 20 + 113;  // header, field list
  const std::vector<Case> cases{
      {"other file", "GIF89a and more bytes than a header", DataFileProblem::BadMagic},
      {"newer version", patched(8, std::string("\x03\x00", 2)), DataFileProblem::UnsupportedVersion},
      {"flipped bit", patched(30, "?", false), DataFileProblem::ChecksumMismatch},
      {"extra byte", good + "x", DataFileProblem::BadLength},
      {"field count", patched(10, std::string("\x09\x00", 2)), DataFileProblem::BadFieldList},
      {"field width", patched(21, std::string("\x02", 1)), DataFileProblem::BadFieldList},
      {"boolean 2", patched(records, std::string("\x02", 1)), DataFileProblem::BadValue},
      {"display mode 5", patched(records + 1, std::string("\x05", 1)), DataFileProblem::BadValue},
      {"name too long", patched(records + 2, std::string("\xFE\x02", 2)), DataFileProblem::BadLength},
      {"more records", patched(12, std::string("\x04\x00\x00\x00", 4)), DataFileProblem::BadLength},
      {"huge count", patched(12, std::string("\xFF\xFF\xFF\xFF", 4)), DataFileProblem::BadLength},
      {"fewer records", patched(12, std::string("\x02\x00\x00\x00", 4)), DataFileProblem::BadLength},
  };
  ASSERT_EQ(good.substr(records, 14), std::string("\x01\x00\x0A\x00Sunset.BMP", 14));
  for (const Case& c : cases) {
    const DataFileContents got = DecodeDataFile(c.bytes);
    EXPECT_EQ(got.problem, c.problem) << c.name << ": " << got.reason;
    EXPECT_FALSE(got.reason.empty()) << c.name;
    EXPECT_TRUE(got.records.empty()) << c.name;
  }
}

// A file of version 2 holding the entries as they are, unchecked.
std::string FileHolding(const std::vector<InventoryEntry>& entries) {
  std::string bytes = EncodeDataFile({}).substr(0, 20 + 113);
  for (const InventoryEntry& e : entries) {
    const std::size_t at = bytes.size();
    bytes.resize(at + PackedSize(e));
    Pack(e, bytes.data() + at);
  }
  bytes[12] = static_cast<char>(entries.size());
  bytes.replace(
      16, 4,
      std::string{static_cast<char>(bytes.size() - 20), static_cast<char>((bytes.size() - 20) >> 8), '\0', '\0'});
  Reseal(bytes += "crc!");
  return bytes;
}

// An entry names one file by its full path, and its key is that path's: the
// reader refuses any other, and the writer refuses what the reader does.
TEST(DataFile, AnEntryWhoseKeyOrPlaceIsWrongMakesTheFileUnreadableAndCannotBeWritten) {
  const std::string bad = " in record 2", name = "bad value in field FileName" + bad,
                    folder = "bad value in field Location" + bad;
  const struct {
    std::string file, folder, refusal, lcFile = "", lcFolder = "";
  } cases[] = {
      {"a.bmp", "C:", ""},
      {"a.bmp", "\\\\server\\share\\...x", ""},
      {Times("\xE6\x9D\xB1", 255), "x:", ""},  // 255 units in 765 bytes
      {std::string(251, 'n'), "C:\\abcd", ""},
      {"a\\b.bmp", "C:\\P", name},
      {"a.bmp:s", "C:\\P", name},
      {"..", "C:\\P", name},
      {"", "C:\\P", name},
      {std::string(254, 'n') + "\xF0\x9F\x8C\x85", "C:", "bad length of field FileName" + bad},  // 256 units
      {"a.bmp", "Pictures", folder},
      {"a.bmp", "C:Pictures", folder},
      {"a.bmp", "C:\\Pictures\\", folder},
      {"a.bmp", "C:\\Pictures\\..\\Sea", folder},
      {"a.bmp", "\\\\server", folder},
      {std::string(252, 'n'), "C:\\abcd", "bad length: a path longer than 259 characters" + bad},
      {"Sunset.bmp", "C:\\P", "field LCFilename does not match FileName" + bad, "Sunset.bmp"},
      {"\xC3\x84.bmp", "C:\\P", "field LCFilename does not match FileName" + bad, "\xC3\xA4.bmp"},
      {"a.bmp", "C:\\P", "field LCLocation does not match Location" + bad, "a.bmp", "C:\\P"},
  };
  const InventoryEntry fine = Sample()[0];
  for (const auto& c : cases) {
    InventoryEntry e{false, DisplayMode::Fit, c.file, c.folder, 1, 2, "", 3, c.lcFolder, c.lcFile};
    if (c.lcFile.empty()) e.LCFilename = LowerAZ(c.file);
    if (c.lcFolder.empty()) e.LCLocation = LowerAZ(c.folder);
    EXPECT_EQ(DecodeDataFile(FileHolding({fine, e})).reason, c.refusal) << c.file << " in " << c.folder;
    std::string refused;
    try {
      EXPECT_EQ(EncodeDataFile({fine, e}), FileHolding({fine, e}));
    } catch (const AppError& error) {
      refused = error.what();
    }
    EXPECT_EQ(refused, c.refusal.empty() ? "" : "The picture list cannot be saved: " + c.refusal);
  }
}

TEST(DataFile, AFileOfVersion1IsReadWithItsTileFlagAsTheModeAndWrittenAsVersion2) {
  std::vector<InventoryEntry> entries = Sample();
  entries[2] = entries[0];  // version 1 holds no string beyond 255 bytes
  entries[2].Display = DisplayMode::Tile;
  entries[2].FileName = entries[2].LCFilename = std::string(255, 'z');
  entries[2].Location = entries[2].LCLocation = "q:";
  const std::string version1 = testing::Version1File(entries);
  entries[1].Display = DisplayMode::Centre;  // a stretched picture is centred in version 1
  const DataFileContents read = DecodeDataFile(version1);
  EXPECT_EQ(read.version, 1);
  EXPECT_EQ(read.records, entries) << read.reason;
  EXPECT_EQ(DecodeDataFile(EncodeDataFile(read.records)).records, entries);

  std::string tile2 = version1;
  tile2[130 + 1] = 2;
  Reseal(tile2);
  entries[0].LCLocation = entries[0].Location;
  EXPECT_EQ(DecodeDataFile(tile2).reason, "bad value in field Tile in record 1");
  EXPECT_EQ(DecodeDataFile(testing::Version1File(entries)).reason,
            "field LCLocation does not match Location in record 1");
}

}  // namespace
}  // namespace mvx

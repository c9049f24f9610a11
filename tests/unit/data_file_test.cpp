#include "inventory/data_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/crc32.h"

namespace mvx {
namespace {

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
  b.FileName = std::string(129, 'N');
  b.Location = "D:\\\xC3\x84pfel\\\xE6\x9D\xB1";  // non-ASCII kept byte for byte
  b.Size = -1;
  b.Group = "0123456789";
  b.LCLocation = "d:\\\xC3\x84pfel\\\xE6\x9D\xB1";
  b.LCFilename = std::string(129, 'n');
  return {a, b, InventoryEntry{}};
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

TEST(DataFile, RoundTripGivesBackEveryStoredFieldAndTheSameBytes) {
  for (const auto& records : {Sample(), std::vector<InventoryEntry>{}}) {
    const std::string bytes = EncodeDataFile(records);
    const DataFileContents back = DecodeDataFile(bytes);
    ASSERT_TRUE(back.ok()) << back.reason;
    EXPECT_EQ(back.records, records);
    EXPECT_EQ(EncodeDataFile(back.records), bytes);
    EXPECT_EQ(EncodeDataFile(records), bytes);
  }
}

TEST(DataFile, HeaderAndFirstRecordLieWhereTheLayoutSays) {
  InventoryEntry e;
  e.Enabled = true;
  e.FileName = "A.bmp";
  e.Size = 0x01020304;
  const std::string bytes = EncodeDataFile({e});
  EXPECT_EQ(bytes.substr(0, 8), std::string("MVXINV\r\n"));
  EXPECT_EQ(bytes.substr(8, 4), std::string("\x01\x00\x0A\x00", 4)) << "version 1, ten fields";
  EXPECT_EQ(U32At(bytes, 12), 1u);
  EXPECT_EQ(U32At(bytes, 16), bytes.size() - 24);
  EXPECT_EQ(U32At(bytes, bytes.size() - 4), Crc32(std::string_view(bytes).substr(0, bytes.size() - 4)));
  EXPECT_EQ(bytes.substr(20, 11), std::string("\x01\x01\x00\x07"
                                              "Enabled",
                                              11));
  const std::string record(
      "\x01\x01\x05"
      "A.bmp"
      "\x00\x04\x03\x02\x01",
      13);
  EXPECT_EQ(bytes.substr(bytes.size() - 4 - 28, 13), record);
}

TEST(DataFile, StringsBeyondTheirWidthAreCutAsThePostCutsThem) {
  InventoryEntry e;
  e.FileName = std::string(254, 'x') + "\xC3\xA9";
  e.Group = "abcdefghijk";
  const DataFileContents back = DecodeDataFile(EncodeDataFile({e}));
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.records[0].FileName, std::string(254, 'x'));
  EXPECT_EQ(back.records[0].Group, "abcdefghij");
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
  const std::size_t records = 20 + 110;  // header, field list
  const std::vector<Case> cases{
      {"other file", "GIF89a and more bytes than a header", DataFileProblem::BadMagic},
      {"newer version", patched(8, std::string("\x02\x00", 2)), DataFileProblem::UnsupportedVersion},
      {"flipped bit", patched(30, "?", false), DataFileProblem::ChecksumMismatch},
      {"extra byte", good + "x", DataFileProblem::BadLength},
      {"field count", patched(10, std::string("\x09\x00", 2)), DataFileProblem::BadFieldList},
      {"field width", patched(21, std::string("\x02", 1)), DataFileProblem::BadFieldList},
      {"boolean 2", patched(records, std::string("\x02", 1)), DataFileProblem::BadValue},
      {"name too long", patched(records + 2, std::string("\x82", 1)), DataFileProblem::BadLength},
      {"more records", patched(12, std::string("\x04\x00\x00\x00", 4)), DataFileProblem::BadLength},
      {"huge count", patched(12, std::string("\xFF\xFF\xFF\xFF", 4)), DataFileProblem::BadLength},
      {"fewer records", patched(12, std::string("\x02\x00\x00\x00", 4)), DataFileProblem::BadLength},
  };
  ASSERT_EQ(good.substr(records, 13), std::string("\x01\x00\x0ASunset.BMP", 13));
  for (const Case& c : cases) {
    const DataFileContents got = DecodeDataFile(c.bytes);
    EXPECT_EQ(got.problem, c.problem) << c.name << ": " << got.reason;
    EXPECT_FALSE(got.reason.empty()) << c.name;
    EXPECT_TRUE(got.records.empty()) << c.name;
  }
}

}  // namespace
}  // namespace mvx

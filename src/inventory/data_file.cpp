#include "inventory/data_file.h"

#include <array>
#include <cstring>
#include <limits>

#include "app/error.h"
#include "inventory/crc32.h"

namespace mvx {

namespace {

constexpr std::string_view kMagic{"MVXINV\r\n", 8};
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kChecksumSize = 4;

enum class FieldType : std::uint8_t { Boolean = 1, Int32 = 2, DateTime = 3, String = 4 };

struct FieldSpec {
  std::string_view name;
  FieldType type;
  std::uint16_t width;  // bytes of a fixed-size value, or the longest string
};

constexpr std::array<FieldSpec, 10> kFields{{
    {"Enabled", FieldType::Boolean, 1},
    {"Tile", FieldType::Boolean, 1},
    {"FileName", FieldType::String, kNameFieldWidth},
    {"Location", FieldType::String, kNameFieldWidth},
    {"Size", FieldType::Int32, 4},
    {"Timestamp", FieldType::DateTime, 8},
    {"Group", FieldType::String, kGroupFieldWidth},
    {"Order", FieldType::Int32, 4},
    {"LCLocation", FieldType::String, kNameFieldWidth},
    {"LCFilename", FieldType::String, kNameFieldWidth},
}};

static_assert(kNameFieldWidth <= 255 && kGroupFieldWidth <= 255, "a string's length is stored in one byte");

// Each field of a record takes at least this much: the smallest record.
constexpr std::size_t kMinRecordSize = 1 + 1 + 1 + 1 + 4 + 8 + 1 + 4 + 1 + 1;

// ---- writing

// Writes into a buffer sized beforehand; the caller has counted every byte.
class Writer {
 public:
  explicit Writer(char* at) : p_(at) {}
  void U8(std::uint8_t v) { *p_++ = static_cast<char>(v); }
  void U16(std::uint16_t v) { Little(v, 2); }
  void U32(std::uint32_t v) { Little(v, 4); }
  void Str(std::string_view s) {
    U8(static_cast<std::uint8_t>(s.size()));
    Bytes(s);
  }
  void Bytes(std::string_view s) {
    std::memcpy(p_, s.data(), s.size());
    p_ += s.size();
  }

 private:
  void Little(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) *p_++ = static_cast<char>((v >> (8 * i)) & 0xFFu);
  }
  char* p_;
};

constexpr std::size_t FieldListSize() {
  std::size_t n = 0;
  for (const FieldSpec& f : kFields) n += 4 + f.name.size();
  return n;
}

// The records are written as they are packed (packed_records.h: the file's
// own layout). Two walks over them: one counts the bytes, so the file is made
// in one buffer of its final size; the other copies them.
template <typename ForEach>
std::string Encode(std::size_t count, const ForEach& forEach) {
  std::size_t body = FieldListSize();
  forEach([&body](std::string_view record) { body += record.size(); });
  if (body > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - kChecksumSize) {
    throw AppError("The picture list is too large to be saved");
  }
  std::string out(kHeaderSize + body + kChecksumSize, '\0');
  Writer w(out.data());
  w.Bytes(kMagic);
  w.U16(kDataFileVersion);
  w.U16(static_cast<std::uint16_t>(kFields.size()));
  w.U32(static_cast<std::uint32_t>(count));
  w.U32(static_cast<std::uint32_t>(body));
  for (const FieldSpec& f : kFields) {
    w.U8(static_cast<std::uint8_t>(f.type));
    w.U16(f.width);
    w.Str(f.name);
  }
  forEach([&w](std::string_view record) { w.Bytes(record); });
  const std::size_t checked = out.size() - kChecksumSize;
  Writer(out.data() + checked).U32(Crc32(std::string_view(out).substr(0, checked)));
  return out;
}

// ---- reading

// Reads little-endian values; the caller checks that they are there.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size()) {}
  bool Has(std::size_t n) const { return Left() >= n; }
  std::size_t Left() const { return static_cast<std::size_t>(end_ - p_); }
  const char* At() const { return p_; }
  std::uint8_t U8() { return static_cast<std::uint8_t>(*p_++); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
  std::string_view Take(std::size_t n) {
    const std::string_view s(p_, n);
    p_ += n;
    return s;
  }

 private:
  std::uint64_t Little(int n) {
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(p_[i])) << (8 * i);
    p_ += n;
    return v;
  }
  const char* p_;
  const char* end_;
};

PackedDataFile Problem(DataFileProblem problem, std::string reason) {
  PackedDataFile c;
  c.problem = problem;
  c.reason = std::move(reason);
  return c;
}

bool ReadFieldList(Reader& r) {
  for (const FieldSpec& f : kFields) {
    if (!r.Has(4)) return false;
    const auto type = r.U8();
    const auto width = r.U16();
    const std::size_t nameLength = r.U8();
    if (type != static_cast<std::uint8_t>(f.type) || width != f.width || !r.Has(nameLength)) return false;
    if (r.Take(nameLength) != f.name) return false;
  }
  return true;
}

// Steps over a record's fields in file order, checking each, and keeps the
// first fault found. The record stays where it is: the table keeps it so.
class RecordChecker {
 public:
  explicit RecordChecker(Reader& r) : r_(r) {}

  bool Check() {
    return Flag("Enabled") && Flag("Tile") && Text(kNameFieldWidth, "FileName") && Text(kNameFieldWidth, "Location") &&
           Skip(4 + 8) && Text(kGroupFieldWidth, "Group") && Skip(4) && Text(kNameFieldWidth, "LCLocation") &&
           Text(kNameFieldWidth, "LCFilename");
  }
  // What is wrong with the record numbered `record` (from 1) that Check refused.
  PackedDataFile Refusal(std::size_t record) const {
    const std::string where = " in record " + std::to_string(record);
    switch (fault_) {
      case Fault::BadValue:
        return Problem(DataFileProblem::BadValue, std::string("bad value in field ") + field_ + where);
      case Fault::BadLength:
        return Problem(DataFileProblem::BadLength, std::string("bad length of field ") + field_ + where);
      default:
        return Problem(DataFileProblem::BadLength, "bad length: a record runs past the end" + where);
    }
  }

 private:
  enum class Fault { RunsPast, BadValue, BadLength };

  bool Fail(Fault fault, const char* field) {
    fault_ = fault;
    field_ = field;
    return false;
  }
  bool Room(std::size_t n) { return r_.Has(n) || Fail(Fault::RunsPast, ""); }
  bool Skip(std::size_t n) {
    if (!Room(n)) return false;
    r_.Take(n);
    return true;
  }
  bool Flag(const char* field) { return Room(1) && (r_.U8() <= 1 || Fail(Fault::BadValue, field)); }
  bool Text(std::size_t width, const char* field) {
    if (!Room(1)) return false;
    const std::size_t length = r_.U8();
    if (length > width || !r_.Has(length)) return Fail(Fault::BadLength, field);
    r_.Take(length);
    return true;
  }

  Reader& r_;
  Fault fault_ = Fault::RunsPast;
  const char* field_ = "";
};

// Checks the header and the checksum; gives the record count and the body's length.
PackedDataFile CheckFrame(std::string_view bytes, std::uint32_t& count, std::size_t& body) {
  if (bytes.substr(0, kMagic.size()) != kMagic.substr(0, bytes.size())) {
    return Problem(DataFileProblem::BadMagic, "not a Murovex data file");
  }
  if (bytes.size() < kHeaderSize) return Problem(DataFileProblem::Truncated, "the file is truncated");
  Reader header(bytes.substr(kMagic.size()));
  const std::uint16_t version = header.U16();
  if (version != kDataFileVersion) {
    return Problem(DataFileProblem::UnsupportedVersion, "unsupported format version " + std::to_string(version));
  }
  const std::uint16_t fields = header.U16();
  count = header.U32();
  const std::uint64_t bodyLength = header.U32();
  const std::uint64_t total = kHeaderSize + bodyLength + kChecksumSize;
  if (bytes.size() < total) return Problem(DataFileProblem::Truncated, "the file is truncated");
  if (bytes.size() > total) return Problem(DataFileProblem::BadLength, "bad length: bytes after the checksum");
  const std::size_t checked = static_cast<std::size_t>(total - kChecksumSize);
  Reader trailer(bytes.substr(checked));
  if (trailer.U32() != Crc32(bytes.substr(0, checked))) {
    return Problem(DataFileProblem::ChecksumMismatch, "checksum mismatch");
  }
  if (fields != kFields.size()) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  body = static_cast<std::size_t>(bodyLength);
  return {};
}

}  // namespace

std::string EncodeDataFile(const std::vector<InventoryEntry>& records) {
  const PackedRecords packed = PackedRecords::Of(records);
  return Encode(packed.Count(), [&packed](const auto& visit) {
    for (std::size_t i = 0; i < packed.Count(); ++i) visit({packed.At(i), PackedLength(packed.At(i))});
  });
}

std::string EncodeDataFile(const TClientDataSet& data) {
  return Encode(static_cast<std::size_t>(data.RecordCount()),
                [&data](const auto& visit) { data.ForEachPackedRecord(visit); });
}

PackedDataFile DecodePackedDataFile(ByteBlock bytes) {
  std::uint32_t count = 0;
  std::size_t body = 0;
  PackedDataFile c = CheckFrame(bytes.View(), count, body);
  if (!c.ok()) return c;
  c.records = PackedRecords(std::move(bytes));
  const std::string_view held = c.records.Bytes();
  Reader r(held.substr(kHeaderSize, body));
  if (!ReadFieldList(r)) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  if (count > r.Left() / kMinRecordSize) {
    return Problem(DataFileProblem::BadLength, "bad length: more records than the file can hold");
  }
  c.records.Reserve(count);
  RecordChecker checker(r);
  // The order is checked in the same walk, while each record is at hand.
  bool inKeyOrder = true;
  RecordKey before;
  for (std::size_t i = 0; i < count; ++i) {
    const char* at = r.At();
    if (!checker.Check()) return checker.Refusal(i + 1);
    c.records.Add(static_cast<std::size_t>(at - held.data()));
    const RecordKey key = PackedKey(at);
    if (i > 0 && inKeyOrder && CompareKeys(key, before) < 0) inKeyOrder = false;
    before = key;
  }
  if (r.Left() != 0) return Problem(DataFileProblem::BadLength, "bad length: bytes after the last record");
  if (inKeyOrder) c.records.MarkInKeyOrder();
  return c;
}

DataFileContents DecodeDataFile(std::string_view bytes) {
  PackedDataFile packed = DecodePackedDataFile(ByteBlock(bytes));
  DataFileContents c;
  c.problem = packed.problem;
  c.reason = std::move(packed.reason);
  c.records = packed.records.Unpacked();
  return c;
}

}  // namespace mvx

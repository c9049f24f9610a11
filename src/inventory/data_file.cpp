#include "inventory/data_file.h"

#include <array>
#include <cstring>
#include <limits>

#include "app/error.h"
#include "inventory/crc32.h"
#include "inventory/entry_rules.h"
#include "wallpaper/display_mode.h"

namespace mvx {

namespace {

constexpr std::string_view kMagic{"MVXINV\r\n", 8};
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kChecksumSize = 4;

enum class FieldType : std::uint8_t { Boolean = 1, Int32 = 2, DateTime = 3, String = 4, Byte = 5 };

struct FieldSpec {
  std::string_view name;
  FieldType type;
  std::uint16_t width;  // bytes of a fixed-size value, or the longest string
};

using FieldList = std::array<FieldSpec, 10>;

// The position of each field in both versions' lists.
enum Field : std::size_t { kFileName = 2, kLocation = 3, kLCLocation = 8, kLCFilename = 9 };

constexpr FieldList kFieldsV1{{
    {"Enabled", FieldType::Boolean, 1},
    {"Tile", FieldType::Boolean, 1},
    {"FileName", FieldType::String, 255},
    {"Location", FieldType::String, 255},
    {"Size", FieldType::Int32, 4},
    {"Timestamp", FieldType::DateTime, 8},
    {"Group", FieldType::String, kGroupFieldWidth},
    {"Order", FieldType::Int32, 4},
    {"LCLocation", FieldType::String, 255},
    {"LCFilename", FieldType::String, 255},
}};

constexpr FieldList kFieldsV2{{
    {"Enabled", FieldType::Boolean, 1},
    {"Display", FieldType::Byte, 1},
    {"FileName", FieldType::String, kFileNameFieldWidth},
    {"Location", FieldType::String, kLocationFieldWidth},
    {"Size", FieldType::Int32, 4},
    {"Timestamp", FieldType::DateTime, 8},
    {"Group", FieldType::String, kGroupFieldWidth},
    {"Order", FieldType::Int32, 4},
    {"LCLocation", FieldType::String, kLocationFieldWidth},
    {"LCFilename", FieldType::String, kFileNameFieldWidth},
}};

// What sets the versions' records apart: the fields and the size of a string's length.
struct Layout {
  const FieldList& fields;
  std::size_t lengthSize;
};
constexpr Layout kLayoutV1{kFieldsV1, 1};
constexpr Layout kLayoutV2{kFieldsV2, 2};

static_assert(kFileNameFieldWidth <= 0xFFFF && kLocationFieldWidth <= 0xFFFF, "a string's length takes two bytes");

// Each field of a record takes at least this much: the smallest record.
constexpr std::size_t MinRecordSize(const Layout& layout) {
  std::size_t n = 0;
  for (const FieldSpec& f : layout.fields) n += f.type == FieldType::String ? layout.lengthSize : f.width;
  return n;
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
  std::size_t Length(std::size_t size) { return static_cast<std::size_t>(Little(static_cast<int>(size))); }
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

bool ReadFieldList(Reader& r, const FieldList& fields) {
  for (const FieldSpec& f : fields) {
    if (!r.Has(4)) return false;
    const auto type = r.U8();
    const auto width = r.U16();
    const std::size_t nameLength = r.U8();
    if (type != static_cast<std::uint8_t>(f.type) || width != f.width || !r.Has(nameLength)) return false;
    if (r.Take(nameLength) != f.name) return false;
  }
  return true;
}

// Steps over a record's fields in file order, checking each, then holds the
// record to the entries' rules (entry_rules.h); keeps the first fault found.
// The record stays where it is: the table keeps it so.
class RecordChecker {
 public:
  RecordChecker(Reader& r, const Layout& layout) : r_(r), layout_(layout) {}

  bool Check() {
    for (std::size_t i = 0; i < layout_.fields.size(); ++i) {
      if (!Value(layout_.fields[i], text_[i])) return false;
    }
    return Rules();
  }
  // The record's key, once Check has passed it.
  RecordKey Key() const { return {text_[kLCFilename], text_[kLCLocation]}; }
  // What is wrong with the record numbered `record` (from 1) that Check refused.
  PackedDataFile Refusal(std::size_t record) const {
    const std::string where = " in record " + std::to_string(record);
    const std::string field(field_);
    switch (fault_) {
      case Fault::BadValue:
        return Problem(DataFileProblem::BadValue, "bad value in field " + field + where);
      case Fault::BadLength:
        return Problem(DataFileProblem::BadLength, "bad length of field " + field + where);
      case Fault::PathTooLong:
        return Problem(DataFileProblem::BadLength,
                       "bad length: a path longer than " + std::to_string(kLongestPath) + " characters" + where);
      case Fault::BadKey:
        return Problem(DataFileProblem::BadKey, "field " + field + " does not match " +
                                                    (field == "LCFilename" ? "FileName" : "Location") + where);
      default:
        return Problem(DataFileProblem::BadLength, "bad length: a record runs past the end" + where);
    }
  }

 private:
  enum class Fault { RunsPast, BadValue, BadLength, PathTooLong, BadKey };

  bool Fail(Fault fault, std::string_view field) {
    fault_ = fault;
    field_ = field;
    return false;
  }
  bool Room(std::size_t n) { return r_.Has(n) || Fail(Fault::RunsPast, ""); }
  bool Value(const FieldSpec& f, std::string_view& text) {
    switch (f.type) {
      case FieldType::Boolean:
        return Room(1) && (r_.U8() <= 1 || Fail(Fault::BadValue, f.name));
      case FieldType::Byte:  // Display, the only one
        return Room(1) && (IsDisplayModeValue(r_.U8()) || Fail(Fault::BadValue, f.name));
      case FieldType::String: {
        if (!Room(layout_.lengthSize)) return false;
        const std::size_t length = r_.Length(layout_.lengthSize);
        if (length > f.width || !r_.Has(length)) return Fail(Fault::BadLength, f.name);
        text = r_.Take(length);
        return true;
      }
      default:
        if (!Room(f.width)) return false;
        r_.Take(f.width);
        return true;
    }
  }
  bool Rules() {
    switch (CheckEntryFields(text_[kFileName], text_[kLocation], text_[kLCFilename], text_[kLCLocation])) {
      case EntryFault::None:
        return true;
      case EntryFault::BadName:
        return Fail(Fault::BadValue, "FileName");
      case EntryFault::NameTooLong:
        return Fail(Fault::BadLength, "FileName");
      case EntryFault::BadFolder:
        return Fail(Fault::BadValue, "Location");
      case EntryFault::PathTooLong:
        return Fail(Fault::PathTooLong, "");
      case EntryFault::BadNameKey:
        return Fail(Fault::BadKey, "LCFilename");
      case EntryFault::BadFolderKey:
        return Fail(Fault::BadKey, "LCLocation");
    }
    return true;
  }

  Reader& r_;
  const Layout& layout_;
  std::array<std::string_view, 10> text_{};
  Fault fault_ = Fault::RunsPast;
  std::string_view field_;
};

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
  for (const FieldSpec& f : kFieldsV2) n += 4 + f.name.size();
  return n;
}

// The records are written as they are packed (packed_records.h: the file's
// own layout). Two walks over them: one counts the bytes and checks each
// record as a read will, so the file is made in one buffer of its final
// size; the other copies them.
template <typename ForEach>
std::string Encode(std::size_t count, const ForEach& forEach) {
  std::size_t body = FieldListSize();
  std::size_t number = 0;
  forEach([&body, &number](std::string_view record) {
    Reader r(record);
    RecordChecker checker(r, kLayoutV2);
    ++number;
    if (!checker.Check()) throw AppError("The picture list cannot be saved: " + checker.Refusal(number).reason);
    body += record.size();
  });
  if (body > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - kChecksumSize) {
    throw AppError("The picture list is too large to be saved");
  }
  std::string out(kHeaderSize + body + kChecksumSize, '\0');
  Writer w(out.data());
  w.Bytes(kMagic);
  w.U16(kDataFileVersion);
  w.U16(static_cast<std::uint16_t>(kFieldsV2.size()));
  w.U32(static_cast<std::uint32_t>(count));
  w.U32(static_cast<std::uint32_t>(body));
  for (const FieldSpec& f : kFieldsV2) {
    w.U8(static_cast<std::uint8_t>(f.type));
    w.U16(f.width);
    w.Str(f.name);
  }
  forEach([&w](std::string_view record) { w.Bytes(record); });
  const std::size_t checked = out.size() - kChecksumSize;
  Writer(out.data() + checked).U32(Crc32(std::string_view(out).substr(0, checked)));
  return out;
}

// ---- the frame and the records

struct Frame {
  std::uint16_t version = 0;
  std::uint32_t count = 0;
  std::size_t body = 0;
};

// Checks the header and the checksum.
PackedDataFile CheckFrame(std::string_view bytes, Frame& frame) {
  if (bytes.substr(0, kMagic.size()) != kMagic.substr(0, bytes.size())) {
    return Problem(DataFileProblem::BadMagic, "not a Murovex data file");
  }
  if (bytes.size() < kHeaderSize) return Problem(DataFileProblem::Truncated, "the file is truncated");
  Reader header(bytes.substr(kMagic.size()));
  frame.version = header.U16();
  if (frame.version != 1 && frame.version != kDataFileVersion) {
    return Problem(DataFileProblem::UnsupportedVersion, "unsupported format version " + std::to_string(frame.version));
  }
  const std::uint16_t fields = header.U16();
  frame.count = header.U32();
  const std::uint64_t bodyLength = header.U32();
  const std::uint64_t total = kHeaderSize + bodyLength + kChecksumSize;
  if (bytes.size() < total) return Problem(DataFileProblem::Truncated, "the file is truncated");
  if (bytes.size() > total) return Problem(DataFileProblem::BadLength, "bad length: bytes after the checksum");
  const std::size_t checked = static_cast<std::size_t>(total - kChecksumSize);
  Reader trailer(bytes.substr(checked));
  if (trailer.U32() != Crc32(bytes.substr(0, checked))) {
    return Problem(DataFileProblem::ChecksumMismatch, "checksum mismatch");
  }
  if (fields != kFieldsV2.size()) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  frame.body = static_cast<std::size_t>(bodyLength);
  return {};
}

// Checks the field list and every record of the body, handing each record's
// start to `take`; whether they came in key order.
template <typename Take>
PackedDataFile CheckBody(std::string_view body, std::uint32_t count, const Layout& layout, bool& inKeyOrder,
                         const Take& take) {
  Reader r(body);
  if (!ReadFieldList(r, layout.fields)) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  if (count > r.Left() / MinRecordSize(layout)) {
    return Problem(DataFileProblem::BadLength, "bad length: more records than the file can hold");
  }
  RecordChecker checker(r, layout);
  // The order is checked in the same walk, while each record is at hand.
  inKeyOrder = true;
  RecordKey before;
  for (std::size_t i = 0; i < count; ++i) {
    const char* at = r.At();
    if (!checker.Check()) return checker.Refusal(i + 1);
    take(at, static_cast<std::size_t>(r.At() - at));
    const RecordKey key = checker.Key();
    if (i > 0 && inKeyOrder && CompareKeys(key, before) < 0) inKeyOrder = false;
    before = key;
  }
  if (r.Left() != 0) return Problem(DataFileProblem::BadLength, "bad length: bytes after the last record");
  return {};
}

// A record of version 1 as version 2 holds it: each string's length takes
// two bytes, and the tile flag's 0 and 1 are Centre and Tile. Gives the end.
char* ConvertVersion1Record(const char* p, char* out) {
  *out++ = p[0];
  *out++ = static_cast<char>(p[1] == 1 ? DisplayMode::Tile : DisplayMode::Centre);
  p += 2;
  auto text = [&p, &out] {
    const std::size_t length = static_cast<unsigned char>(*p);
    *out++ = static_cast<char>(length);
    *out++ = 0;
    std::memcpy(out, p + 1, length);
    out += length;
    p += 1 + length;
  };
  auto fixed = [&p, &out](std::size_t n) {
    std::memcpy(out, p, n);
    out += n;
    p += n;
  };
  text();  // FileName
  text();  // Location
  fixed(4 + 8);
  text();  // Group
  fixed(4);
  text();  // LCLocation
  text();  // LCFilename
  return out;
}

constexpr std::size_t kStringFields = 5;

PackedDataFile DecodeVersion1(std::string_view file, const Frame& frame) {
  std::vector<const char*> starts;
  std::size_t total = 0;
  bool inKeyOrder = true;
  PackedDataFile c = CheckBody(file.substr(kHeaderSize, frame.body), frame.count, kLayoutV1, inKeyOrder,
                               [&starts, &total](const char* at, std::size_t length) {
                                 starts.push_back(at);
                                 total += length + kStringFields;
                               });
  if (!c.ok()) return c;
  ByteBlock converted(total);
  char* out = converted.data();
  for (const char* at : starts) out = ConvertVersion1Record(at, out);
  c.records = PackedRecords(std::move(converted));
  c.records.Reserve(starts.size());
  const char* const first = c.records.Bytes().data();
  for (std::size_t i = 0, offset = 0; i < starts.size(); ++i, offset += PackedLength(first + offset)) {
    c.records.Add(offset);
  }
  if (inKeyOrder) c.records.MarkInKeyOrder();
  return c;
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
  Frame frame;
  PackedDataFile c = CheckFrame(bytes.View(), frame);
  if (c.ok()) {
    if (frame.version == 1) {
      c = DecodeVersion1(bytes.View(), frame);
    } else {
      c.records = PackedRecords(std::move(bytes));
      const std::string_view held = c.records.Bytes();
      bool inKeyOrder = true;
      PackedDataFile checked = CheckBody(held.substr(kHeaderSize, frame.body), frame.count, kLayoutV2, inKeyOrder,
                                         [&c, &held, &frame](const char* at, std::size_t) {
                                           // The count is known to fit the file by the first record.
                                           if (c.records.Count() == 0) c.records.Reserve(frame.count);
                                           c.records.Add(static_cast<std::size_t>(at - held.data()));
                                         });
      if (!checked.ok()) return checked;
      if (inKeyOrder) c.records.MarkInKeyOrder();
    }
  }
  if (c.ok()) c.version = frame.version;
  return c;
}

DataFileContents DecodeDataFile(std::string_view bytes) {
  PackedDataFile packed = DecodePackedDataFile(ByteBlock(bytes));
  DataFileContents c;
  c.problem = packed.problem;
  c.reason = std::move(packed.reason);
  c.version = packed.version;
  c.records = packed.records.Unpacked();
  return c;
}

}  // namespace mvx

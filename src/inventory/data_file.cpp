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

// Each field of a record takes at least this much: the smallest record.
constexpr std::size_t kMinRecordSize = 1 + 1 + 1 + 1 + 4 + 8 + 1 + 4 + 1 + 1;
constexpr std::size_t kMaxRecordSize = 1 + 1 + 4 * (1 + kNameFieldWidth) + 4 + 8 + 1 + kGroupFieldWidth + 4;

// ---- writing

class RecordBuffer {
 public:
  void U8(std::uint8_t v) { bytes_[n_++] = static_cast<char>(v); }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void F64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) U8(static_cast<std::uint8_t>(bits >> (8 * i)));
  }
  void Str(std::string_view s, std::size_t width) {
    const std::string_view fit = FitToWidth(s, width);
    U8(static_cast<std::uint8_t>(fit.size()));
    std::memcpy(bytes_.data() + n_, fit.data(), fit.size());
    n_ += fit.size();
  }
  void AppendTo(std::string& out) {
    out.append(bytes_.data(), n_);
    n_ = 0;
  }

 private:
  std::array<char, kMaxRecordSize> bytes_{};
  std::size_t n_ = 0;
};

void PutU16(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

class Encoder {
 public:
  explicit Encoder(std::size_t expected) {
    // Generous: untouched capacity costs address space only, a regrowth a copy.
    out_.reserve(kHeaderSize + 256 + expected * 256);
    out_.append(kMagic);
    out_.resize(kHeaderSize);
    PutU16(out_, 8, kDataFileVersion);
    PutU16(out_, 10, static_cast<std::uint16_t>(kFields.size()));
    for (const FieldSpec& f : kFields) {
      RecordBuffer b;
      b.U8(static_cast<std::uint8_t>(f.type));
      b.U8(static_cast<std::uint8_t>(f.width & 0xFF));
      b.U8(static_cast<std::uint8_t>(f.width >> 8));
      b.Str(f.name, 255);
      b.AppendTo(out_);
    }
  }
  void Add(const InventoryEntry& e) {
    buf_.U8(e.Enabled ? 1 : 0);
    buf_.U8(e.Tile ? 1 : 0);
    buf_.Str(e.FileName, kNameFieldWidth);
    buf_.Str(e.Location, kNameFieldWidth);
    buf_.U32(static_cast<std::uint32_t>(e.Size));
    buf_.F64(e.Timestamp);
    buf_.Str(e.Group, kGroupFieldWidth);
    buf_.U32(static_cast<std::uint32_t>(e.Order));
    buf_.Str(e.LCLocation, kNameFieldWidth);
    buf_.Str(e.LCFilename, kNameFieldWidth);
    buf_.AppendTo(out_);
    ++count_;
  }
  std::string Finish() {
    const std::size_t body = out_.size() - kHeaderSize;
    if (body > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - kChecksumSize) {
      throw AppError("The picture list is too large to be saved");
    }
    PutU32(out_, 12, static_cast<std::uint32_t>(count_));
    PutU32(out_, 16, static_cast<std::uint32_t>(body));
    const std::uint32_t crc = Crc32(out_);
    out_.resize(out_.size() + kChecksumSize);
    PutU32(out_, out_.size() - kChecksumSize, crc);
    return std::move(out_);
  }

 private:
  std::string out_;
  RecordBuffer buf_;
  std::size_t count_ = 0;
};

// ---- reading

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool Has(std::size_t n) const { return bytes_.size() - pos_ >= n; }
  std::size_t Left() const { return bytes_.size() - pos_; }
  std::uint8_t U8() { return static_cast<std::uint8_t>(bytes_[pos_++]); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | U8() << 8); }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(U8()) << (8 * i);
    return v;
  }
  double F64() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(U8()) << (8 * i);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  std::string_view Take(std::size_t n) {
    const std::string_view s = bytes_.substr(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

DataFileContents Problem(DataFileProblem problem, std::string reason) {
  DataFileContents c;
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

// Reads one record; the reader holds at least kMinRecordSize bytes, and a
// string may make it need more.
DataFileProblem ReadRecord(Reader& r, InventoryEntry& e, std::string& reason) {
  bool ok = true;
  auto flag = [&](const char* name) {
    const std::uint8_t v = r.U8();
    if (v > 1) {
      ok = false;
      reason = std::string("bad value in field ") + name;
    }
    return v == 1;
  };
  auto text = [&](std::string& into, std::size_t width, const char* name) {
    if (!ok) return;
    const std::size_t length = r.U8();
    // Every field after this one needs its smallest size too.
    if (length > width || !r.Has(length)) {
      ok = false;
      reason = std::string("bad length of field ") + name;
      return;
    }
    into.assign(r.Take(length));
  };
  auto room = [&](std::size_t n) {
    if (ok && !r.Has(n)) {
      ok = false;
      reason = "a record runs past the end";
    }
    return ok;
  };
  e.Enabled = flag("Enabled");
  if (ok) e.Tile = flag("Tile");
  if (!ok) return DataFileProblem::BadValue;
  text(e.FileName, kNameFieldWidth, "FileName");
  if (room(1)) text(e.Location, kNameFieldWidth, "Location");
  if (room(4 + 8 + 1)) {
    e.Size = static_cast<std::int32_t>(r.U32());
    e.Timestamp = r.F64();
    text(e.Group, kGroupFieldWidth, "Group");
  }
  if (room(4 + 1)) {
    e.Order = static_cast<std::int32_t>(r.U32());
    text(e.LCLocation, kNameFieldWidth, "LCLocation");
  }
  if (room(1)) text(e.LCFilename, kNameFieldWidth, "LCFilename");
  return ok ? DataFileProblem::None : DataFileProblem::BadLength;
}

DataFileContents ReadBody(Reader& r, std::size_t count) {
  if (!ReadFieldList(r)) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  if (count > r.Left() / kMinRecordSize) {
    return Problem(DataFileProblem::BadLength, "bad length: more records than the file can hold");
  }
  DataFileContents c;
  c.records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (!r.Has(kMinRecordSize)) return Problem(DataFileProblem::BadLength, "bad length: a record runs past the end");
    std::string reason;
    const DataFileProblem p = ReadRecord(r, c.records.emplace_back(), reason);
    if (p != DataFileProblem::None) return Problem(p, reason + " in record " + std::to_string(i + 1));
  }
  if (r.Left() != 0) return Problem(DataFileProblem::BadLength, "bad length: bytes after the last record");
  return c;
}

}  // namespace

std::string EncodeDataFile(const std::vector<InventoryEntry>& records) {
  Encoder encoder(records.size());
  for (const InventoryEntry& e : records) encoder.Add(e);
  return encoder.Finish();
}

std::string EncodeDataFile(const TClientDataSet& data) {
  Encoder encoder(static_cast<std::size_t>(data.RecordCount()));
  data.ForEachRecord([&encoder](const InventoryEntry& e) { encoder.Add(e); });
  return encoder.Finish();
}

DataFileContents DecodeDataFile(std::string_view bytes) {
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
  const std::uint32_t count = header.U32();
  const std::uint64_t body = header.U32();
  const std::uint64_t total = kHeaderSize + body + kChecksumSize;
  if (bytes.size() < total) return Problem(DataFileProblem::Truncated, "the file is truncated");
  if (bytes.size() > total) return Problem(DataFileProblem::BadLength, "bad length: bytes after the checksum");
  const std::size_t checked = static_cast<std::size_t>(total - kChecksumSize);
  Reader trailer(bytes.substr(checked));
  if (trailer.U32() != Crc32(bytes.substr(0, checked))) {
    return Problem(DataFileProblem::ChecksumMismatch, "checksum mismatch");
  }
  if (fields != kFields.size()) return Problem(DataFileProblem::BadFieldList, "unexpected field list");
  Reader r(bytes.substr(kHeaderSize, static_cast<std::size_t>(body)));
  return ReadBody(r, count);
}

}  // namespace mvx

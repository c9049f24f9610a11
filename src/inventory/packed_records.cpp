#include "inventory/packed_records.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "app/error.h"

namespace mvx {

namespace {

// The fixed-size fields after Location (Size, Timestamp) and after Group (Order).
constexpr std::size_t kSizeAndTimestamp = 4 + 8;
constexpr std::size_t kOrder = 4;

// The length of a string: two bytes, little-endian.
constexpr std::size_t kLengthSize = 2;

std::size_t LengthAt(const char* p) {
  return static_cast<unsigned char>(p[0]) | static_cast<std::size_t>(static_cast<unsigned char>(p[1])) << 8;
}

std::uint64_t Little(const char* p, int n) {
  std::uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

char* PutLittle(char* out, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) *out++ = static_cast<char>((v >> (8 * i)) & 0xFFu);
  return out;
}

char* PutText(char* out, std::string_view s) {
  out = PutLittle(out, s.size(), kLengthSize);
  std::memcpy(out, s.data(), s.size());
  return out + s.size();
}

std::string_view TextAt(const char* p) {
  return {p + kLengthSize, LengthAt(p)};
}

// GCC copies a string it knows to be short with an inline `rep movs`, whose
// start-up costs more than the copy of a short name; a length it cannot
// bound goes to the library's memcpy.
std::size_t Unbounded(std::size_t n) {
#if defined(__GNUC__)
  asm("" : "+r"(n));
#endif
  return n;
}

// Copies the text at p into s, in the room s has.
void CopyText(const char* p, std::string& s) {
  const std::size_t length = Unbounded(LengthAt(p));
  s.resize(length);
  std::memcpy(s.data(), p + kLengthSize, length);
}

// Steps over a length and the bytes it counts.
const char* SkipText(const char* p) {
  return p + kLengthSize + LengthAt(p);
}

const char* GroupAt(const char* p) {
  return SkipText(SkipText(p + 2)) + kSizeAndTimestamp;
}

const char* LCLocationAt(const char* p) {
  return SkipText(GroupAt(p)) + kOrder;
}

}  // namespace

std::size_t PackedSize(const InventoryEntry& e) {
  return 2 + 5 * kLengthSize + e.FileName.size() + e.Location.size() + kSizeAndTimestamp + e.Group.size() + kOrder +
         e.LCLocation.size() + e.LCFilename.size();
}

void Pack(const InventoryEntry& e, char* out) {
  *out++ = e.Enabled ? 1 : 0;
  *out++ = static_cast<char>(e.Display);
  out = PutText(out, e.FileName);
  out = PutText(out, e.Location);
  out = PutLittle(out, static_cast<std::uint32_t>(e.Size), 4);
  out = PutLittle(out, std::bit_cast<std::uint64_t>(e.Timestamp), 8);
  out = PutText(out, e.Group);
  out = PutLittle(out, static_cast<std::uint32_t>(e.Order), 4);
  out = PutText(out, e.LCLocation);
  PutText(out, e.LCFilename);
}

void Unpack(const char* p, InventoryEntry& e) {
  e.Enabled = p[0] == 1;
  e.Display = static_cast<DisplayMode>(p[1]);
  p += 2;
  CopyText(p, e.FileName);
  p = SkipText(p);
  CopyText(p, e.Location);
  p = SkipText(p);
  e.Size = static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(p, 4)));
  e.Timestamp = std::bit_cast<double>(Little(p + 4, 8));
  p += kSizeAndTimestamp;
  CopyText(p, e.Group);
  p = SkipText(p);
  e.Order = static_cast<std::int32_t>(static_cast<std::uint32_t>(Little(p, 4)));
  p += kOrder;
  CopyText(p, e.LCLocation);
  CopyText(SkipText(p), e.LCFilename);
}

std::size_t PackedLength(const char* p) {
  return static_cast<std::size_t>(SkipText(SkipText(LCLocationAt(p))) - p);
}

RecordKey PackedKey(const char* p) {
  const char* folder = LCLocationAt(p);
  return {TextAt(SkipText(folder)), TextAt(folder)};
}

int CompareKeys(const RecordKey& a, const RecordKey& b) {
  const int byFile = a.file.compare(b.file);
  return byFile != 0 ? byFile : a.folder.compare(b.folder);
}

PackedRecords::PackedRecords(ByteBlock bytes) : bytes_(std::move(bytes)) {}

PackedRecords PackedRecords::Of(const std::vector<InventoryEntry>& entries) {
  std::size_t total = 0;
  for (const InventoryEntry& e : entries) {
    if (const std::string_view field = FieldBeyondItsWidth(e); !field.empty()) {
      throw AppError("Field '" + std::string(field) + "' is too long");
    }
    total += PackedSize(e);
  }
  PackedRecords packed{ByteBlock(total)};
  packed.Reserve(entries.size());
  std::size_t offset = 0;
  for (const InventoryEntry& e : entries) {
    char* at = packed.bytes_.data() + offset;
    Pack(e, at);
    packed.Add(offset);
    offset += PackedLength(at);
  }
  return packed;
}

std::string_view PackedRecords::Bytes() const {
  return bytes_.View();
}

std::vector<InventoryEntry> PackedRecords::Unpacked() const {
  std::vector<InventoryEntry> entries(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) Unpack(rows_[i], entries[i]);
  return entries;
}

char* PackedRecords::CopyBytesToOwnMemory() {
  ByteBlock own(bytes_.View());
  bytes_ = std::move(own);
  return bytes_.data();
}

std::vector<char*> PackedRecords::TakeRows() {
  std::vector<char*> rows;
  rows.swap(rows_);
  return rows;
}

}  // namespace mvx

#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/dataset.h"
#include "platform/byte_block.h"

namespace mvx {

// A record packed as the data file (version 2) stores one: Enabled and
// Display (a byte each), FileName and Location (a two-byte length, then the
// bytes), Size (4 bytes, little-endian), Timestamp (8), Group, Order (4),
// LCLocation and LCFilename. The table keeps its records so: a load keeps
// the file's bytes as they were read, and a record is unpacked only where it
// is looked at.

// Bytes entry takes packed; its strings fit their fields (FieldBeyondItsWidth).
std::size_t PackedSize(const InventoryEntry& entry);
// Writes PackedSize(entry) bytes at out.
void Pack(const InventoryEntry& entry, char* out);
// The record packed at p; entry's strings keep the room they have.
void Unpack(const char* p, InventoryEntry& entry);
// Bytes of the record packed at p.
std::size_t PackedLength(const char* p);

// The index key of a record: (LCFilename, LCLocation).
struct RecordKey {
  std::string_view file;
  std::string_view folder;
  bool operator==(const RecordKey&) const = default;
};
RecordKey PackedKey(const char* p);
// Negative, zero or positive as a sorts before, with or after b.
int CompareKeys(const RecordKey& a, const RecordKey& b);

// Packed records and the bytes that hold them: the bytes of a data file as
// read, or entries packed one after another. The bytes stay where they are
// when the records are moved.
class PackedRecords {
 public:
  PackedRecords() = default;
  // Holds bytes; the records in them are added by their offsets.
  explicit PackedRecords(ByteBlock bytes);
  // Packs entries, in their order, into one block; a string longer than its
  // field is refused (AppError).
  static PackedRecords Of(const std::vector<InventoryEntry>& entries);

  std::string_view Bytes() const;
  void Reserve(std::size_t count) { rows_.reserve(count); }
  // Adds the record packed at this offset of Bytes().
  void Add(std::size_t offset) { rows_.push_back(bytes_.data() + offset); }
  // Whoever added the records found them in key order (a data file checked
  // as it was read); otherwise the table looks for itself.
  void MarkInKeyOrder() { inKeyOrder_ = true; }
  bool KnownInKeyOrder() const { return inKeyOrder_; }
  std::size_t Count() const { return rows_.size(); }
  const char* At(std::size_t index) const { return rows_[index]; }
  std::vector<InventoryEntry> Unpacked() const;
  // Hands over the records; the bytes that hold them stay here.
  std::vector<char*> TakeRows();
  // The bytes are a view of a file (ByteBlock::Borrowed).
  bool Borrowed() const { return bytes_.Borrowed(); }
  // Holds a copy of the bytes in memory of its own and gives where its
  // first byte went; the records handed over must be moved along by the
  // same distance.
  char* CopyBytesToOwnMemory();

 private:
  ByteBlock bytes_;
  std::vector<char*> rows_;
  bool inKeyOrder_ = false;
};

}  // namespace mvx

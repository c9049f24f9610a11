#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "inventory/dataset.h"
#include "inventory/packed_records.h"

namespace mvx {

// The records that every position of one inventory shares, kept sorted by
// (LCFilename, LCLocation) with equal keys in order of arrival, and the
// positions open over them. Records are kept packed and stay at their
// address until they are deleted or change their packed length, so a
// position holds its record by pointer (and is moved along when the record
// is) and finds its record number again by binary search after the order
// changed (plus a step over equal keys, which a file keeps only one of).
// Loaded records stay in the bytes they were loaded in; a record added or
// grown later has a block of its own.
class InventoryTable {
 public:
  std::size_t Count() const { return rows_.size(); }
  const char* At(std::size_t index) const { return rows_[index]; }
  // A record's index; O(log n).
  std::size_t IndexOf(const char* row) const;
  // The index of the first record with this key, or Count() when there is none.
  std::size_t Find(std::string_view lcFilename, std::string_view lcLocation) const;
  // Bumped by every change of the records' order or number.
  std::uint64_t Version() const { return version_; }

  const char* Insert(const InventoryEntry& entry, TClientDataSet* by);
  // Stores entry in row and moves the row to its sorted place.
  void Update(const char* row, const InventoryEntry& entry, TClientDataSet* by);
  void Remove(const char* row, TClientDataSet* by);
  // Takes records (in any order) as all the records.
  void Replace(PackedRecords records, TClientDataSet* by);
  // Moves loaded records that live in a view of the data file into memory
  // of their own, positions along: the file can then be replaced.
  void LeaveFileView();

  void Attach(TClientDataSet* position);
  void Detach(TClientDataSet* position);

 private:
  std::size_t LowerBound(const RecordKey& key) const;
  std::size_t UpperBound(const RecordKey& key) const;
  char* NewRow(const InventoryEntry& entry);

  PackedRecords loaded_;                                            // holds the loaded records
  std::unordered_map<const char*, std::unique_ptr<char[]>> added_;  // records added or grown since
  std::vector<char*> rows_;                                         // index order
  std::vector<TClientDataSet*> positions_;
  std::uint64_t version_ = 1;
};

}  // namespace mvx

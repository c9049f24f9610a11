#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "inventory/dataset.h"

namespace mvx {

// The records that every position of one inventory shares, kept sorted by
// (LCFilename, LCLocation) with equal keys in order of arrival, and the
// positions open over them. Records live at fixed addresses, so a position
// holds its record by pointer and finds its record number again by binary
// search after the order changed (plus a step over equal keys, which a file
// keeps only one of). Records are kept in blocks: a loaded file becomes one
// block as it is, and a deleted record is kept for the next insert.
class InventoryTable {
 public:
  std::size_t Count() const { return rows_.size(); }
  InventoryEntry* At(std::size_t index) const { return rows_[index]; }
  // A record's index; O(log n).
  std::size_t IndexOf(const InventoryEntry* row) const;
  // The index of the first record with this key, or Count() when there is none.
  std::size_t Find(std::string_view lcFilename, std::string_view lcLocation) const;
  // Bumped by every change of the records' order or number.
  std::uint64_t Version() const { return version_; }

  InventoryEntry* Insert(InventoryEntry entry, TClientDataSet* by);
  // Stores entry in row and moves the row to its sorted place.
  void Update(InventoryEntry* row, InventoryEntry entry, TClientDataSet* by);
  void Remove(InventoryEntry* row, TClientDataSet* by);
  // Takes entries (in any order) as all the records, their strings cut to
  // their fields' widths.
  void Replace(std::vector<InventoryEntry> entries, TClientDataSet* by);

  void Attach(TClientDataSet* position);
  void Detach(TClientDataSet* position);

 private:
  std::size_t LowerBound(std::string_view lcFilename, std::string_view lcLocation) const;
  std::size_t UpperBound(const InventoryEntry& key) const;
  InventoryEntry* NewRow();

  std::vector<std::vector<InventoryEntry>> blocks_;  // never grown once filled
  std::vector<InventoryEntry*> spare_;
  std::vector<InventoryEntry*> rows_;  // index order
  std::vector<TClientDataSet*> positions_;
  std::uint64_t version_ = 1;
};

}  // namespace mvx

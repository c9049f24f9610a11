#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "inventory/dataset.h"

namespace mvx {

// One stored record. The serial orders records of equal keys by arrival, so
// the index order is total and stays put while records come and go.
struct InventoryRow {
  InventoryEntry entry;
  std::uint64_t serial = 0;
};

// The records that every position of one inventory shares, kept sorted by
// (LCFilename, LCLocation, serial), and the positions open over them. Rows
// live at fixed addresses, so a position holds its row by pointer and finds
// its record number again by binary search after the order changed.
class InventoryTable {
 public:
  std::size_t Count() const { return rows_.size(); }
  InventoryRow* At(std::size_t index) const { return rows_[index].get(); }
  // A row's index; O(log n).
  std::size_t IndexOf(const InventoryRow* row) const;
  // The index of the first row with this key, or Count() when there is none.
  std::size_t Find(std::string_view lcFilename, std::string_view lcLocation) const;
  // Bumped by every change of the rows' order or number.
  std::uint64_t Version() const { return version_; }

  InventoryRow* Insert(InventoryEntry entry, TClientDataSet* by);
  // Stores entry in row and moves the row to its sorted place.
  void Update(InventoryRow* row, InventoryEntry entry, TClientDataSet* by);
  void Remove(InventoryRow* row, TClientDataSet* by);
  void Replace(std::vector<InventoryEntry> entries, TClientDataSet* by);

  void Attach(TClientDataSet* position);
  void Detach(TClientDataSet* position);

 private:
  std::size_t InsertionIndex(const InventoryRow& row) const;

  std::vector<std::unique_ptr<InventoryRow>> rows_;
  std::vector<TClientDataSet*> positions_;
  std::uint64_t nextSerial_ = 1;
  std::uint64_t version_ = 1;
};

}  // namespace mvx

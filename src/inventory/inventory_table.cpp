#include "inventory/inventory_table.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

namespace mvx {

namespace {

RecordKey KeyOf(const InventoryEntry& entry) {
  return {entry.LCFilename, entry.LCLocation};
}

bool InKeyOrder(const std::vector<char*>& rows) {
  if (rows.empty()) return true;
  RecordKey before = PackedKey(rows[0]);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const RecordKey key = PackedKey(rows[i]);
    if (CompareKeys(key, before) < 0) return false;
    before = key;
  }
  return true;
}

}  // namespace

std::size_t InventoryTable::LowerBound(const RecordKey& key) const {
  return static_cast<std::size_t>(
      std::lower_bound(rows_.begin(), rows_.end(), key,
                       [](const char* row, const RecordKey& k) { return CompareKeys(PackedKey(row), k) < 0; }) -
      rows_.begin());
}

std::size_t InventoryTable::UpperBound(const RecordKey& key) const {
  return static_cast<std::size_t>(
      std::upper_bound(rows_.begin(), rows_.end(), key,
                       [](const RecordKey& k, const char* row) { return CompareKeys(k, PackedKey(row)) < 0; }) -
      rows_.begin());
}

std::size_t InventoryTable::IndexOf(const char* row) const {
  std::size_t i = LowerBound(PackedKey(row));
  while (i < rows_.size() && rows_[i] != row) ++i;
  return i;
}

std::size_t InventoryTable::Find(std::string_view lcFilename, std::string_view lcLocation) const {
  const RecordKey key{lcFilename, lcLocation};
  const std::size_t i = LowerBound(key);
  if (i == rows_.size() || !(PackedKey(rows_[i]) == key)) return rows_.size();
  return i;
}

char* InventoryTable::NewRow(const InventoryEntry& entry) {
  auto bytes = std::make_unique<char[]>(PackedSize(entry));
  char* row = bytes.get();
  Pack(entry, row);
  added_.emplace(row, std::move(bytes));
  return row;
}

const char* InventoryTable::Insert(const InventoryEntry& entry, TClientDataSet* by) {
  char* added = NewRow(entry);
  const bool wasEmpty = rows_.empty();
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(UpperBound(PackedKey(added))), added);
  ++version_;
  if (wasEmpty) {
    for (TClientDataSet* p : positions_) {
      if (p != by) p->Resync();
    }
  }
  return added;
}

void InventoryTable::Update(const char* row, const InventoryEntry& entry, TClientDataSet* by) {
  const std::size_t index = IndexOf(row);
  const bool keyKept = PackedKey(row) == KeyOf(entry);
  // A record that keeps its packed length is rewritten where it is.
  char* stored = PackedSize(entry) == PackedLength(row) ? rows_[index] : NewRow(entry);
  if (stored == row) Pack(entry, stored);
  if (keyKept) {
    rows_[index] = stored;
  } else {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(UpperBound(PackedKey(stored))), stored);
    ++version_;
  }
  for (TClientDataSet* p : positions_) {
    if (p->row_ != row) continue;
    p->row_ = stored;
    if (p != by) p->Resync();
  }
  if (stored != row) added_.erase(row);
}

void InventoryTable::Remove(const char* row, TClientDataSet* by) {
  const std::size_t index = IndexOf(row);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  ++version_;
  for (TClientDataSet* p : positions_) {
    if (p != by && p->row_ == row) p->RecordRemoved(index);
  }
  added_.erase(row);
}

void InventoryTable::Replace(PackedRecords records, TClientDataSet* by) {
  // A data file holds the records in index order already, so they are
  // sorted only when not.
  const bool known = records.KnownInKeyOrder();
  std::vector<char*> rows = records.TakeRows();
  if (!known && !InKeyOrder(rows)) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const char* a, const char* b) { return CompareKeys(PackedKey(a), PackedKey(b)) < 0; });
  }
  rows_ = std::move(rows);
  added_.clear();
  loaded_ = std::move(records);
  ++version_;
  for (TClientDataSet* p : positions_) {
    if (p != by) p->RecordRemoved(0);
  }
}

void InventoryTable::LeaveFileView() {
  if (!loaded_.Borrowed()) return;
  const std::string_view view = loaded_.Bytes();
  const auto first = reinterpret_cast<std::uintptr_t>(view.data());
  char* own = loaded_.CopyBytesToOwnMemory();
  const auto moved = [&](const char* row) -> char* {
    const auto at = reinterpret_cast<std::uintptr_t>(row);
    return at - first < view.size() ? own + (at - first) : const_cast<char*>(row);
  };
  for (char*& row : rows_) row = moved(row);
  for (TClientDataSet* p : positions_) {
    if (p->row_ != nullptr) p->row_ = moved(p->row_);
  }
}

void InventoryTable::Attach(TClientDataSet* position) {
  positions_.push_back(position);
}

void InventoryTable::Detach(TClientDataSet* position) {
  positions_.erase(std::remove(positions_.begin(), positions_.end(), position), positions_.end());
}

}  // namespace mvx

#include "inventory/inventory_table.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace mvx {

namespace {

bool KeyLess(const InventoryEntry& a, const InventoryEntry& b) {
  return std::tie(a.LCFilename, a.LCLocation) < std::tie(b.LCFilename, b.LCLocation);
}

bool RowLess(const InventoryRow& a, const InventoryRow& b) {
  const int byName = a.entry.LCFilename.compare(b.entry.LCFilename);
  if (byName != 0) return byName < 0;
  const int byLocation = a.entry.LCLocation.compare(b.entry.LCLocation);
  if (byLocation != 0) return byLocation < 0;
  return a.serial < b.serial;
}

bool SameKey(const InventoryEntry& a, const InventoryEntry& b) {
  return a.LCFilename == b.LCFilename && a.LCLocation == b.LCLocation;
}

using RowPtr = std::unique_ptr<InventoryRow>;

}  // namespace

std::size_t InventoryTable::IndexOf(const InventoryRow* row) const {
  auto it = std::lower_bound(rows_.begin(), rows_.end(), row,
                             [](const RowPtr& a, const InventoryRow* b) { return RowLess(*a, *b); });
  return static_cast<std::size_t>(it - rows_.begin());
}

std::size_t InventoryTable::Find(std::string_view lcFilename, std::string_view lcLocation) const {
  auto it = std::lower_bound(rows_.begin(), rows_.end(), std::pair(lcFilename, lcLocation),
                             [](const RowPtr& a, const std::pair<std::string_view, std::string_view>& key) {
                               const int byName = std::string_view(a->entry.LCFilename).compare(key.first);
                               if (byName != 0) return byName < 0;
                               return std::string_view(a->entry.LCLocation).compare(key.second) < 0;
                             });
  if (it == rows_.end() || (*it)->entry.LCFilename != lcFilename || (*it)->entry.LCLocation != lcLocation) {
    return rows_.size();
  }
  return static_cast<std::size_t>(it - rows_.begin());
}

std::size_t InventoryTable::InsertionIndex(const InventoryRow& row) const {
  auto it = std::upper_bound(rows_.begin(), rows_.end(), &row,
                             [](const InventoryRow* a, const RowPtr& b) { return RowLess(*a, *b); });
  return static_cast<std::size_t>(it - rows_.begin());
}

InventoryRow* InventoryTable::Insert(InventoryEntry entry, TClientDataSet* by) {
  auto row = std::make_unique<InventoryRow>(InventoryRow{std::move(entry), nextSerial_++});
  InventoryRow* added = row.get();
  const bool wasEmpty = rows_.empty();
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(InsertionIndex(*added)), std::move(row));
  ++version_;
  if (wasEmpty) {
    for (TClientDataSet* p : positions_) {
      if (p != by) p->Resync();
    }
  }
  return added;
}

void InventoryTable::Update(InventoryRow* row, InventoryEntry entry, TClientDataSet* by) {
  if (SameKey(row->entry, entry)) {
    row->entry = std::move(entry);
  } else {
    const std::size_t from = IndexOf(row);
    RowPtr owned = std::move(rows_[from]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(from));
    owned->entry = std::move(entry);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(InsertionIndex(*owned)), std::move(owned));
    ++version_;
  }
  for (TClientDataSet* p : positions_) {
    if (p != by && p->row_ == row) p->Resync();
  }
}

void InventoryTable::Remove(InventoryRow* row, TClientDataSet* by) {
  const std::size_t index = IndexOf(row);
  std::vector<TClientDataSet*> standing;
  for (TClientDataSet* p : positions_) {
    if (p != by && p->row_ == row) standing.push_back(p);
  }
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  ++version_;
  for (TClientDataSet* p : standing) p->RecordRemoved(index);
}

void InventoryTable::Replace(std::vector<InventoryEntry> entries, TClientDataSet* by) {
  std::vector<RowPtr> rows;
  rows.reserve(entries.size());
  // The data file holds the records in index order already; sort only when not.
  if (!std::is_sorted(entries.begin(), entries.end(), KeyLess)) {
    std::stable_sort(entries.begin(), entries.end(), KeyLess);
  }
  for (InventoryEntry& e : entries)
    rows.push_back(std::make_unique<InventoryRow>(InventoryRow{std::move(e), nextSerial_++}));
  rows_ = std::move(rows);
  ++version_;
  for (TClientDataSet* p : positions_) {
    if (p != by) p->RecordRemoved(0);
  }
}

void InventoryTable::Attach(TClientDataSet* position) {
  positions_.push_back(position);
}

void InventoryTable::Detach(TClientDataSet* position) {
  positions_.erase(std::remove(positions_.begin(), positions_.end(), position), positions_.end());
}

}  // namespace mvx

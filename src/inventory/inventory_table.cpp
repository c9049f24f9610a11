#include "inventory/inventory_table.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace mvx {

namespace {

constexpr std::size_t kRowBlock = 64;

using Key = std::pair<std::string_view, std::string_view>;

Key KeyOf(const InventoryEntry& e) {
  return {e.LCFilename, e.LCLocation};
}

// The order of KeyOf, comparing each file name once.
bool KeyLess(const InventoryEntry& a, const InventoryEntry& b) {
  const int byName = a.LCFilename.compare(b.LCFilename);
  return byName < 0 || (byName == 0 && a.LCLocation < b.LCLocation);
}

}  // namespace

std::size_t InventoryTable::LowerBound(std::string_view lcFilename, std::string_view lcLocation) const {
  const Key key{lcFilename, lcLocation};
  return static_cast<std::size_t>(
      std::lower_bound(rows_.begin(), rows_.end(), key,
                       [](const InventoryEntry* a, const Key& k) { return KeyOf(*a) < k; }) -
      rows_.begin());
}

std::size_t InventoryTable::UpperBound(const InventoryEntry& key) const {
  return static_cast<std::size_t>(
      std::upper_bound(rows_.begin(), rows_.end(), KeyOf(key),
                       [](const Key& k, const InventoryEntry* b) { return k < KeyOf(*b); }) -
      rows_.begin());
}

std::size_t InventoryTable::IndexOf(const InventoryEntry* row) const {
  std::size_t i = LowerBound(row->LCFilename, row->LCLocation);
  while (i < rows_.size() && rows_[i] != row) ++i;
  return i;
}

std::size_t InventoryTable::Find(std::string_view lcFilename, std::string_view lcLocation) const {
  const std::size_t i = LowerBound(lcFilename, lcLocation);
  if (i == rows_.size() || KeyOf(*rows_[i]) != Key{lcFilename, lcLocation}) return rows_.size();
  return i;
}

InventoryEntry* InventoryTable::NewRow() {
  if (spare_.empty()) {
    blocks_.emplace_back(kRowBlock);
    for (std::size_t i = kRowBlock; i > 0; --i) spare_.push_back(&blocks_.back()[i - 1]);
  }
  InventoryEntry* row = spare_.back();
  spare_.pop_back();
  return row;
}

InventoryEntry* InventoryTable::Insert(InventoryEntry entry, TClientDataSet* by) {
  InventoryEntry* added = NewRow();
  *added = std::move(entry);
  const bool wasEmpty = rows_.empty();
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(UpperBound(*added)), added);
  ++version_;
  if (wasEmpty) {
    for (TClientDataSet* p : positions_) {
      if (p != by) p->Resync();
    }
  }
  return added;
}

void InventoryTable::Update(InventoryEntry* row, InventoryEntry entry, TClientDataSet* by) {
  if (KeyOf(*row) == KeyOf(entry)) {
    *row = std::move(entry);
  } else {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(IndexOf(row)));
    *row = std::move(entry);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(UpperBound(*row)), row);
    ++version_;
  }
  for (TClientDataSet* p : positions_) {
    if (p != by && p->row_ == row) p->Resync();
  }
}

void InventoryTable::Remove(InventoryEntry* row, TClientDataSet* by) {
  const std::size_t index = IndexOf(row);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  ++version_;
  for (TClientDataSet* p : positions_) {
    if (p != by && p->row_ == row) p->RecordRemoved(index);
  }
  *row = InventoryEntry{};
  spare_.push_back(row);
}

void InventoryTable::Replace(std::vector<InventoryEntry> entries, TClientDataSet* by) {
  // One walk cuts the strings and checks the order: the data file holds the
  // records in index order already, so they are sorted only when not.
  bool sorted = true;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    FitToFieldWidths(entries[i]);
    if (sorted && i > 0 && KeyLess(entries[i], entries[i - 1])) sorted = false;
  }
  if (!sorted) std::stable_sort(entries.begin(), entries.end(), KeyLess);
  rows_.clear();
  spare_.clear();
  blocks_.clear();
  std::vector<InventoryEntry>& block = blocks_.emplace_back(std::move(entries));
  rows_.reserve(block.size());
  for (InventoryEntry& e : block) rows_.push_back(&e);
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

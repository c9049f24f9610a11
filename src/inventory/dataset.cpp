#include "inventory/dataset.h"

#include <utility>

#include "app/error.h"
#include "inventory/inventory_table.h"
#include "inventory/packed_records.h"

namespace mvx {

namespace {

const InventoryEntry& NoRecord() {
  static const InventoryEntry empty{};
  return empty;
}

}  // namespace

std::string_view FieldBeyondItsWidth(const InventoryEntry& entry) {
  if (entry.FileName.size() > kFileNameFieldWidth) return "FileName";
  if (entry.Location.size() > kLocationFieldWidth) return "Location";
  if (entry.Group.size() > kGroupFieldWidth) return "Group";
  if (entry.LCLocation.size() > kLocationFieldWidth) return "LCLocation";
  if (entry.LCFilename.size() > kFileNameFieldWidth) return "LCFilename";
  return {};
}

TClientDataSet::TClientDataSet(std::string name) : name_(std::move(name)) {}

TClientDataSet::~TClientDataSet() {
  Detach();
}

void TClientDataSet::Detach() {
  if (table_) table_->Detach(this);
  table_.reset();
  row_ = nullptr;
  state_ = DataSetState::Inactive;
  eof_ = bof_ = true;
}

void TClientDataSet::CreateDataSet() {
  Detach();
  table_ = std::make_shared<InventoryTable>();
  table_->Attach(this);
  state_ = DataSetState::Browse;
  Calc();
  if (AfterOpen) AfterOpen(this);
}

void TClientDataSet::CloneCursor(TClientDataSet& source) {
  source.CheckActive();
  std::shared_ptr<InventoryTable> shared = source.table_;
  Detach();
  table_ = std::move(shared);
  table_->Attach(this);
  state_ = DataSetState::Browse;
  RecordRemoved(0);
  if (AfterOpen) AfterOpen(this);
}

bool TClientDataSet::Active() const {
  return table_ != nullptr;
}

void TClientDataSet::CheckActive() const {
  if (!table_) throw AppError(name_ + ": Cannot perform this operation on a closed dataset");
}

void TClientDataSet::LoadRecords(std::vector<InventoryEntry> records) {
  LoadPackedRecords(PackedRecords::Of(records));
}

void TClientDataSet::LoadPackedRecords(PackedRecords records) {
  CheckActive();
  state_ = DataSetState::Browse;
  table_->Replace(std::move(records), this);
  RecordRemoved(0);
  if (AfterOpen) AfterOpen(this);
}

void TClientDataSet::LeaveFileView() {
  if (table_) table_->LeaveFileView();
}

std::vector<InventoryEntry> TClientDataSet::AllRecords() const {
  std::vector<InventoryEntry> out(static_cast<std::size_t>(RecordCount()));
  for (std::size_t i = 0; i < out.size(); ++i) Unpack(table_->At(i), out[i]);
  return out;
}

InventoryEntry TClientDataSet::RecordAt(int recNo) const {
  InventoryEntry entry;
  if (recNo >= 1 && recNo <= RecordCount()) Unpack(table_->At(static_cast<std::size_t>(recNo - 1)), entry);
  return entry;
}

void TClientDataSet::ForEachPackedRecord(const std::function<void(std::string_view)>& visit) const {
  if (!table_) return;
  for (std::size_t i = 0; i < table_->Count(); ++i) visit({table_->At(i), PackedLength(table_->At(i))});
}

bool TClientDataSet::HasKey(std::string_view lcFilename, std::string_view lcLocation) const {
  return table_ && table_->Find(lcFilename, lcLocation) < table_->Count();
}

// ---- moving

std::size_t TClientDataSet::Index() const {
  if (indexVersion_ != table_->Version()) {
    index_ = table_->IndexOf(row_);
    indexVersion_ = table_->Version();
  }
  return index_;
}

void TClientDataSet::MoveTo(std::size_t index) {
  row_ = table_->At(index);
  Unpack(row_, current_);
  index_ = index;
  indexVersion_ = table_->Version();
  Calc();
}

void TClientDataSet::Scrolled() {
  if (AfterScroll) AfterScroll(this);
}

void TClientDataSet::CheckBrowseMode() {
  if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) Post();
}

void TClientDataSet::First() {
  if (!table_) return;
  CheckBrowseMode();
  bof_ = true;
  eof_ = IsEmpty();
  if (IsEmpty()) return;
  MoveTo(0);
  Scrolled();
}

void TClientDataSet::Last() {
  if (!table_) return;
  CheckBrowseMode();
  eof_ = IsEmpty();
  bof_ = IsEmpty();
  if (IsEmpty()) return;
  MoveTo(table_->Count() - 1);
  Scrolled();
}

void TClientDataSet::Next() {
  if (!table_) return;
  CheckBrowseMode();
  if (IsEmpty() || Index() + 1 >= table_->Count()) {
    eof_ = true;
    return;
  }
  bof_ = false;
  eof_ = false;
  MoveTo(Index() + 1);
  Scrolled();
}

void TClientDataSet::Prior() {
  if (!table_) return;
  CheckBrowseMode();
  if (IsEmpty() || Index() == 0) {
    bof_ = true;
    return;
  }
  bof_ = false;
  eof_ = false;
  MoveTo(Index() - 1);
  Scrolled();
}

bool TClientDataSet::Eof() const {
  return eof_ || IsEmpty();
}

bool TClientDataSet::Bof() const {
  return bof_ || IsEmpty();
}

bool TClientDataSet::IsEmpty() const {
  return !table_ || table_->Count() == 0;
}

int TClientDataSet::RecordCount() const {
  return table_ ? static_cast<int>(table_->Count()) : 0;
}

int TClientDataSet::RecNo() const {
  return IsEmpty() ? 0 : static_cast<int>(Index()) + 1;
}

void TClientDataSet::SetRecNo(int recNo) {
  if (IsEmpty()) return;
  CheckBrowseMode();
  const int count = RecordCount();
  const int target = recNo < 1 ? 1 : (recNo > count ? count : recNo);
  eof_ = bof_ = false;
  MoveTo(static_cast<std::size_t>(target - 1));
  Scrolled();
}

bool TClientDataSet::FindKey(const std::string& lcFilename, const std::string& lcLocation) {
  if (!table_) return false;
  CheckBrowseMode();
  const std::size_t found = table_->Find(lcFilename, lcLocation);
  if (found >= table_->Count()) return false;
  eof_ = bof_ = false;
  MoveTo(found);
  Scrolled();
  return true;
}

// ---- changing

const InventoryEntry& TClientDataSet::Fields() const {
  if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) return buffer_;
  return row_ ? current_ : NoRecord();
}

InventoryEntry& TClientDataSet::EditFields() {
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) {
    throw AppError(name_ + ": Dataset not in edit or insert mode");
  }
  return buffer_;
}

void TClientDataSet::Edit() {
  if (state_ != DataSetState::Browse || IsEmpty()) return;
  buffer_ = current_;
  state_ = DataSetState::Edit;
  Calc();
}

void TClientDataSet::Append() {
  CheckActive();
  CheckBrowseMode();
  buffer_ = InventoryEntry{};
  state_ = DataSetState::Insert;
  Calc();
  if (AfterInsert) AfterInsert(this);
}

void TClientDataSet::Post() {
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
  if (const std::string_view field = FieldBeyondItsWidth(buffer_); !field.empty()) {
    throw AppError(name_ + ": Field '" + std::string(field) + "' is too long");
  }
  if (state_ == DataSetState::Edit) {
    state_ = DataSetState::Browse;
    table_->Update(row_, buffer_, this);
    current_ = std::move(buffer_);
    buffer_ = InventoryEntry{};
    Calc();
    if (AfterPost) AfterPost(this);
  } else {
    state_ = DataSetState::Browse;
    const char* added = table_->Insert(buffer_, this);
    buffer_ = InventoryEntry{};
    eof_ = bof_ = false;
    MoveTo(table_->IndexOf(added));
    if (AfterPost) AfterPost(this);
    Scrolled();
  }
}

void TClientDataSet::Cancel() {
  if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
  state_ = DataSetState::Browse;
  buffer_ = InventoryEntry{};
  Calc();
}

void TClientDataSet::Delete() {
  if (!table_) return;
  if (state_ == DataSetState::Insert) {
    Cancel();
    return;
  }
  state_ = DataSetState::Browse;
  if (IsEmpty()) return;
  const std::size_t index = Index();
  table_->Remove(row_, this);
  const std::size_t count = table_->Count();
  bof_ = false;
  eof_ = index >= count;
  if (count == 0) {
    row_ = nullptr;
    eof_ = bof_ = true;
    Calc();
  } else {
    MoveTo(index < count ? index : count - 1);
  }
  if (AfterDelete) AfterDelete(this);
  Scrolled();
}

// ---- kept in step by the shared table

void TClientDataSet::RecordRemoved(std::size_t index) {
  if (state_ == DataSetState::Edit) state_ = DataSetState::Browse;
  const std::size_t count = table_->Count();
  if (count == 0) {
    row_ = nullptr;
    eof_ = bof_ = true;
    Calc();
    return;
  }
  eof_ = false;
  bof_ = index == 0;
  MoveTo(index == 0 ? 0 : (index - 1 < count ? index - 1 : count - 1));
}

void TClientDataSet::Resync() {
  if (row_ == nullptr && !IsEmpty()) {
    eof_ = bof_ = false;
    MoveTo(0);
    return;
  }
  if (row_) Unpack(row_, current_);
  Calc();
}

void TClientDataSet::Calc() {
  tooBig_ = OnCalcFields ? OnCalcFields(Fields()) : false;
}

}  // namespace mvx

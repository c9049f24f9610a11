#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/date_time.h"
#include "forms/control.h"
#include "inventory/entry_rules.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// One picture file of the inventory. TooBig is calculated, never stored.
struct InventoryEntry {
  bool Enabled = false;
  DisplayMode Display = DisplayMode::Tile;
  std::string FileName;  // up to kFileNameFieldWidth bytes
  std::string Location;  // up to kLocationFieldWidth bytes, no trailing backslash
  std::int32_t Size = 0;
  TDateTime Timestamp = 0;
  std::string Group;       // up to 10 characters, reserved
  std::int32_t Order = 0;  // reserved
  std::string LCLocation;  // as Location
  std::string LCFilename;  // as FileName

  bool operator==(const InventoryEntry&) const = default;
};

// Field widths of the string fields, in bytes of UTF-8, which take at most
// three bytes for each UTF-16 unit the system counts: a name of up to 255
// units, and a folder of up to 257 (a path holds the folder, "\" and a name
// of at least one unit in 259). Nothing is ever cut to fit: a name cut
// shorter would point the entry at a file that does not exist.
inline constexpr std::size_t kFileNameFieldWidth = 3 * kLongestFileName;
inline constexpr std::size_t kLocationFieldWidth = 3 * (kLongestPath - 2);
inline constexpr std::size_t kGroupFieldWidth = 10;

// The first string field of entry longer than its width ("FileName",
// "Location", "Group", "LCLocation", "LCFilename"); empty when all fit.
std::string_view FieldBeyondItsWidth(const InventoryEntry& entry);

class InventoryTable;
class PackedRecords;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// A position over the inventory's records. The master (cdtData) creates the
// records; clones (cdtInventory, cdtSlideShow) share them and the index on
// LCFilename;LCLocation, each with its own current record. A change made
// through any position is at once visible through the others.
//
// Moving while a record is being edited or inserted posts it first. A
// position whose record is deleted through another position stands on the
// record before it (or the new first record), so a walk that goes on with
// Next meets the record that followed. Events run only for moves made
// through this position, never for those caused by another one.
class TClientDataSet : public TObject {
 public:
  explicit TClientDataSet(std::string name);
  ~TClientDataSet() override;

  const std::string& Name() const { return name_; }

  // Makes an empty table with the inventory's fields and opens it.
  void CreateDataSet();
  // Shares source's records and index; opens this position on the first record.
  void CloneCursor(TClientDataSet& source);
  bool Active() const;
  // Replaces every record (in any order; the index sorts them) and opens the
  // position on the first record. Every other position over the records
  // goes to the first record too. Strings longer than their fields are
  // refused (AppError) and the table keeps what it had.
  void LoadRecords(std::vector<InventoryEntry> records);
  // The same with the records packed as the data file holds them.
  void LoadPackedRecords(PackedRecords records);
  // Records loaded from a view of the data file move to memory of their own,
  // so that the file can be replaced; positions stay on their records.
  void LeaveFileView();
  // Every record in index order.
  std::vector<InventoryEntry> AllRecords() const;
  // The record at a 1-based number, read without moving the position; an
  // empty entry when there is no such record.
  InventoryEntry RecordAt(int recNo) const;
  // Visits every record in index order, packed as the data file stores it.
  void ForEachPackedRecord(const std::function<void(std::string_view)>& visit) const;
  // Whether a record has this key; the position does not move.
  bool HasKey(std::string_view lcFilename, std::string_view lcLocation) const;

  void First();
  void Last();
  // On the last record Next leaves the position there and sets Eof.
  void Next();
  void Prior();
  bool Eof() const;  // a move went past the last record (or empty)
  bool Bof() const;
  bool IsEmpty() const;
  int RecordCount() const;
  // 1-based position in index order; 0 when empty.
  int RecNo() const;
  // Moves to a record number; numbers out of range move to the nearest end.
  void SetRecNo(int recNo);
  // Looks up (LCFilename, LCLocation); moves only when found.
  bool FindKey(const std::string& lcFilename, const std::string& lcLocation);

  // The current record (the edit buffer while editing or inserting).
  const InventoryEntry& Fields() const;
  InventoryEntry& EditFields();  // only in Edit or Insert state
  DataSetState State() const { return state_; }
  // Does nothing on an empty table.
  void Edit();
  // Appends a new record (tiled, the rest empty) in Insert state.
  void Append();
  // Stores the record; an edited key moves the record to its sorted place
  // and the position stays on it. A string longer than its field is refused
  // (AppError) and the record stays in the edit.
  void Post();
  void Cancel();
  // Deletes the current record; the position stands on the record that
  // followed it, or on the new last record with Eof set.
  void Delete();

  // The calculated field, worked out each time a record is fetched or refreshed.
  bool TooBig() const { return tooBig_; }
  std::function<bool(const InventoryEntry&)> OnCalcFields;

  TNotifyEvent AfterOpen;
  TNotifyEvent AfterInsert;
  TNotifyEvent AfterPost;
  TNotifyEvent AfterDelete;
  TNotifyEvent AfterScroll;

  // Used by the shared table: the current record, once at index, was
  // deleted through another position.
  void RecordRemoved(std::size_t index);
  // Used by the shared table: the current record was changed through another
  // position, or the table gained its first record.
  void Resync();

 private:
  friend class InventoryTable;

  void Calc();
  void CheckActive() const;
  void CheckBrowseMode();
  void MoveTo(std::size_t index);
  void Scrolled();
  std::size_t Index() const;
  void Detach();

  std::string name_;
  std::shared_ptr<InventoryTable> table_;
  DataSetState state_ = DataSetState::Inactive;
  const char* row_ = nullptr;               // the current record, packed; null only when empty
  InventoryEntry current_;                  // row_ unpacked
  mutable std::size_t index_ = 0;           // row_'s index, valid while
  mutable std::uint64_t indexVersion_ = 0;  // the table's version is this one
  bool eof_ = true, bof_ = true;
  InventoryEntry buffer_;
  bool tooBig_ = false;
};

}  // namespace mvx

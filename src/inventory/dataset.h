#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/date_time.h"
#include "forms/control.h"

namespace mvx {

// One picture file of the inventory. TooBig is calculated, never stored.
struct InventoryEntry {
  bool Enabled = false;
  bool Tile = true;
  std::string FileName;    // up to 129 characters
  std::string Location;    // up to 129 characters, no trailing backslash
  std::int32_t Size = 0;
  TDateTime Timestamp = 0;
  std::string Group;       // up to 10 characters, reserved
  std::int32_t Order = 0;  // reserved
  std::string LCLocation;  // up to 129 characters
  std::string LCFilename;  // up to 129 characters
};

// Field widths of the string fields, in characters (bytes).
inline constexpr std::size_t kNameFieldWidth = 129;
inline constexpr std::size_t kGroupFieldWidth = 10;

class InventoryTable;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// A position over the inventory's records. The master (cdtData) creates the
// records; clones (cdtInventory, cdtSlideShow) share them and the index on
// LCFilename;LCLocation, each with its own current record. A change made
// through any position is at once visible through the others.
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
  // position on the first record; used when loading the data file.
  void LoadRecords(std::vector<InventoryEntry> records);
  // Every record in index order.
  std::vector<InventoryEntry> AllRecords() const;

  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const;  // past the last record (or empty)
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
  void Edit();
  // Appends a new record (Tile true, the rest empty) in Insert state.
  void Append();
  void Post();
  void Cancel();
  // Deletes the current record; the position stands on the record that
  // followed it, or on the new last record.
  void Delete();

  // The calculated field, worked out each time a record is fetched or refreshed.
  bool TooBig() const { return tooBig_; }
  std::function<bool(const InventoryEntry&)> OnCalcFields;

  TNotifyEvent AfterOpen;
  TNotifyEvent AfterInsert;
  TNotifyEvent AfterPost;
  TNotifyEvent AfterDelete;
  TNotifyEvent AfterScroll;

  // Used by the shared table.
  void RecordRemoved(std::size_t index);
  void Resync();

 private:
  void Calc();
  void Scrolled();
  std::size_t Index() const;

  std::string name_;
  std::shared_ptr<InventoryTable> table_;
  DataSetState state_ = DataSetState::Inactive;
  std::size_t index_ = 0;    // current record's index (== count when Eof)
  std::uint64_t current_ = 0;  // serial of the current record, 0 when none
  bool eof_ = true, bof_ = true;
  InventoryEntry buffer_;
  bool tooBig_ = false;
};

}  // namespace mvx

#include <cstdint>
#include <utility>

#include "app/atomic_file.h"
#include "app/error.h"
#include "app/paths.h"
#include "app/trace.h"
#include "inventory/data_file.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

constexpr int kAsideNameTries = 1000;

struct PictureKey {
  std::string file;    // LCFilename
  std::string folder;  // LCLocation
};

PictureKey KeyOf(const std::string& path) {
  return {LowerAZ(ExtractFileName(path)), LowerAZ(StripTrailingBackslashes(ExtractFileDir(path)))};
}

// Renames an unreadable data file to a free "<name>.unreadable-<n>" beside
// it; the new path, or "" when it could not be moved.
std::string MoveAside(FilePort& files, const std::string& path) {
  for (int n = 1; n <= kAsideNameTries; ++n) {
    const std::string aside = path + ".unreadable-" + std::to_string(n);
    if (files.FileExists(aside)) continue;
    const Status s = files.Move(path, aside);
    if (s) return aside;
    if (s.code != winerr::kAlreadyExists && s.code != winerr::kFileExists) return {};
  }
  return {};
}

constexpr int kReadRetries = 10;
constexpr std::uint32_t kReadRetryPauseMs = 100;

std::string ReadFailure(const Status& s) {
  return s.message.empty() ? "error " + std::to_string(s.code) : s.message;
}

// ERROR_INVALID_DATA: the list holds what the file cannot.
constexpr std::uint32_t kInvalidData = 13;

Status EncodeInventory(const TClientDataSet& data, std::string& bytes) {
  try {
    bytes = EncodeDataFile(data);
    return Status::Ok();
  } catch (const AppError& e) {
    return Status::Fail(kInvalidData, "save the picture list", e.what());
  }
}

// Before the first save over a data file of version 1, that file is kept
// beside it, written whole as every file of the program is: a crash leaves
// either no copy or a whole one, and the data file is replaced only once the
// copy is there. A file no longer of version 1 (replaced meanwhile) is not kept.
Status KeepVersion1File(FilePort& files, const std::string& path) {
  ByteBlock bytes;
  const Status read =
      RetryWhileBusy(files, 1 + kReadRetries, kReadRetryPauseMs, [&] { return files.ReadBlock(path, bytes); });
  if (read.code == winerr::kFileNotFound) return Status::Ok();
  if (!read) return read;
  std::string original(bytes.View());
  if (DecodePackedDataFile(std::move(bytes)).version != 1) return Status::Ok();
  return WriteFileAtomically(files, path + std::string(kVersion1CopySuffix), original);
}

}  // namespace

void TFrmMain::ConnectInventoryHandlers() {
  for (TClientDataSet* data : {&cdtData, &cdtInventory}) {
    auto count = [this](TObject*) { ShowPictureCount(); };
    data->AfterOpen = count;
    data->AfterInsert = count;
    data->AfterPost = count;
    data->AfterDelete = count;
  }
  cdtInventory.OnCalcFields = [this](const InventoryEntry& entry) {
    return chkLimitImageSize.Checked() &&
           static_cast<std::int64_t>(entry.Size) > static_cast<std::int64_t>(updImageSize.Position()) * 1000;
  };
  cdtInventory.AfterScroll = [this](TObject*) {
    if (!booBatchUpdate) LoadPreview(false);
  };
}

std::string TFrmMain::DataFilePath() const {
  return dataDir_ + "\\" + DBFileName;
}

void TFrmMain::LoadInventory() {
  ReadInventory();
  RemoveWriteLeftovers();
}

void TFrmMain::ReadInventory() {
  if (!cdtData.Active()) cdtData.CreateDataSet();
  inventorySaveAllowed_ = false;
  dataFileIsVersion1_ = false;
  dataFileWritten_ = WrittenFile{};
  const std::string path = DataFilePath();
  // Start-up takes a view of the file: its pages come in as the records are
  // checked, which costs far less than reading them into new memory, and the
  // view is let go at the end of start-up (FinalStage). A later load reads,
  // and so does a start from a removable or network drive: one unplugged
  // while the view is held would end the program.
  ByteBlock bytes;
  const bool map = booCreating && ports_.files.OnFixedDrive(path);
  const auto load = [&] { return map ? ports_.files.MapBlock(path, bytes) : ports_.files.ReadBlock(path, bytes); };
  // Another program (a backup, a scanner) may hold the file for a moment.
  const Status read = ports_.files.FileExists(path)
                          ? RetryWhileBusy(ports_.files, 1 + kReadRetries, kReadRetryPauseMs, load)
                          : Status::Fail(winerr::kFileNotFound, "read " + path);
  std::string reason;
  if (read) {
    PackedDataFile contents = DecodePackedDataFile(std::move(bytes));
    if (contents.ok()) {
      cdtData.LoadPackedRecords(std::move(contents.records));
      inventorySaveAllowed_ = true;
      dataFileIsVersion1_ = contents.version == 1;
      return;
    }
    reason = contents.reason;
  } else if (read.code != winerr::kFileNotFound && read.code != winerr::kPathNotFound) {
    reason = ReadFailure(read);
  }
  // The table stays empty; an unreadable file is kept, never overwritten.
  // Only a file whose bytes are wrong is moved aside; one that could not be
  // opened is left where it is and is not overwritten while the program runs.
  const bool damaged = read.ok();
  const std::string aside = reason.empty() || !damaged ? std::string() : MoveAside(ports_.files, path);
  if (reason.empty() || !aside.empty()) {
    inventorySaveAllowed_ = true;
    ScheduleInventorySave(&app_);
    InputTimeout1.Flush();
  }
  if (reason.empty()) return;
  const std::string head = "The picture list " + path + " could not be read (" + reason + "). ";
  BringToForeground();
  ports_.prompts.Show(aside.empty() ? head +
                                          "It was left in place and will not be overwritten while Murovex runs; "
                                          "Murovex starts with an empty list."
                                    : head + "It was kept as " + aside + " and Murovex starts with an empty list.",
                      "Murovex", PromptKind::Warning, PromptButtons::Ok);
}

void TFrmMain::SaveInventory() {
  // The file cannot be replaced while the records live in a view of it
  // (a save during start-up, before the view is left).
  if (inventorySaveAllowed_) cdtData.LeaveFileView();
  std::string bytes;
  Status s = inventorySaveAllowed_
                 ? EncodeInventory(cdtData, bytes)
                 : Status::Fail(winerr::kAccessDenied, "save " + DataFilePath(), "the file on disk was not read");
  if (s && dataFileIsVersion1_) s = KeepVersion1File(ports_.files, DataFilePath());
  if (s) s = WriteFileAtomically(ports_.files, DataFilePath(), bytes, dataFileWritten_);
  if (s) {
    dataFileIsVersion1_ = false;
    return;
  }
  SendTrace(ports_.trace, "FrmMain.SaveInventory: " + s.Describe(), Handle);
  BringToForeground();
  ports_.prompts.Show("Unable to save db", "Murovex", PromptKind::Error, PromptButtons::Ok);
}

void TFrmMain::ScheduleInventorySave(TObject* sender) {
  InputTimeout1.Schedule(sender, [this](TObject*) { SaveInventory(); });
  // Every change of the list passes here: the deck catches up at its next deal.
  deck_.ListChanged();
}

void TFrmMain::RelocateDataDirEntries(const std::string& oldDir) {
  const std::string old = StripTrailingBackslashes(oldDir);
  const std::string lcDataDir = LowerAZ(dataDir_);
  std::vector<std::pair<std::string, std::string>> moves;
  try {
    cdtData.First();
    while (old != lcDataDir && !cdtData.Eof()) {
      const InventoryEntry& entry = cdtData.Fields();
      if (entry.LCLocation != old || CheckPlace(entry.FileName, dataDir_) != EntryFault::None) {
        // Another folder's, or a path too long in the new folder: left as it is.
        cdtData.Next();
      } else if (!ports_.files.FileExists(dataDir_ + "\\" + entry.LCFilename) ||
                 cdtData.HasKey(entry.LCFilename, lcDataDir)) {
        // Gone, or listed already in the new folder: a file keeps one entry.
        // The position then stands on the following entry.
        cdtData.Delete();
      } else {
        cdtData.Edit();
        InventoryEntry& moved = cdtData.EditFields();
        moves.emplace_back(old + "\\" + moved.LCFilename, lcDataDir + "\\" + moved.LCFilename);
        moved.Location = dataDir_;
        moved.LCLocation = lcDataDir;
        cdtData.Post();
        cdtData.Next();
      }
    }
  } catch (...) {
    FollowMovedEntries(moves);
    ScheduleInventorySave(&app_);
    throw;
  }
  FollowMovedEntries(moves);
  ScheduleInventorySave(&app_);
}

bool TFrmMain::LocateInInventory(const std::string& path) {
  cdtInventory.Cancel();
  const PictureKey key = KeyOf(path);
  if (!cdtInventory.FindKey(key.file, key.folder)) return false;
  // Outside a batch the move has refreshed the preview already.
  if (booBatchUpdate) LoadPreview(false);
  // A list emptied meanwhile holds no entry to stand on.
  if (cdtInventory.IsEmpty()) return false;
  const InventoryEntry& here = cdtInventory.Fields();
  return here.LCFilename == key.file && here.LCLocation == key.folder;
}

bool TFrmMain::IsKnownPicture(const std::string& path) {
  if (path.empty()) return false;
  if (IsOwnPicture(path)) return true;
  const PictureKey key = KeyOf(path);
  return cdtData.FindKey(key.file, key.folder);
}

bool TFrmMain::IsKnownPictureWithMode(const std::string& path, DisplayMode mode) {
  if (path.empty()) return false;
  if (IsOwnPicture(path)) return true;
  const PictureKey key = KeyOf(path);
  return cdtData.FindKey(key.file, key.folder) && cdtData.Fields().Display == mode;
}

void TFrmMain::SyncSlideCursor() {
  if (cdtInventory.IsEmpty()) return;
  const std::string file = cdtInventory.Fields().LCFilename;
  const std::string folder = cdtInventory.Fields().LCLocation;
  cdtSlideShow.FindKey(file, folder);
}

void TFrmMain::ShowPictureCount() {
  lblHints.SetCaption(cdtData.Active() ? std::to_string(cdtData.RecordCount()) + " Pictures in List" : std::string());
}

}  // namespace mvx

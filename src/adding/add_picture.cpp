#include <cstdint>
#include <optional>
#include <string>

#include "adding/file_name_rules.h"
#include "app/file_info.h"
#include "app/paths.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

constexpr const char* kAddCaption = "Add Wallpaper";
// Another program (a virus scanner, the browser) may hold a file just written for a moment.
constexpr int kReadRetries = 5;
constexpr std::uint32_t kReadRetryPauseMs = 100;

// Where a file went once the dialog, the file operation and the entry are done.
struct Taken {
  bool done = false;
  std::string target;
  DisplayMode mode = DisplayMode::Tile;
  // The file left its old place (moved or renamed, not copied).
  bool moved = false;
};

Taken AskAndTake(TFrmMain& main, FilePort& files, const std::string& path, std::string proposed, int initialOption,
                 int enabledOptions, DisplayMode mode) {
  bool copy = false;
  if (!main.AskCopyOptions(kAddCaption, proposed, false, initialOption, enabledOptions, copy, mode)) return {};
  // Read now: once moved, the new file may be held by another program for a
  // while, and the old one is gone.
  const std::optional<FileFacts> before = ReadFileFacts(files, path);
  if (!main.CopyOrMoveFile(path, proposed, copy)) return {};
  main.StoreEntry(path, proposed, false, mode, before);
  const bool moved = !SameTextAZ(path, proposed) && !files.FileExists(path);
  return {true, proposed, mode, moved};
}

// A browser's wallpaper file is never left under its own name: the browser
// overwrites it with the next picture, so it is moved under a unique name.
Taken AskAndTake(TFrmMain& main, FilePort& files, const std::string& path, DisplayMode mode) {
  if (main.IsInputFileName(path)) {
    return AskAndTake(main, files, path, main.MakeUniqueName(ExtractFileName(path)), kCopyMove, kCopyMove, mode);
  }
  return AskAndTake(main, files, path, path, kCopyLeave, kCopyLeave | kCopyMove | kCopyCopy, mode);
}

// The fields an entry for the file at path has now; the display mode is left to the caller.
InventoryEntry EntryFor(const std::string& path, std::int32_t size, TDateTime stamp) {
  InventoryEntry e;
  e.Enabled = true;
  e.Size = size;
  e.Timestamp = stamp;
  e.Location = StripTrailingBackslashes(ExtractFileDir(path));
  e.LCLocation = LowerAZ(e.Location);
  e.FileName = ExtractFileName(path);
  e.LCFilename = LowerAZ(e.FileName);
  return e;
}

template <class T>
void Assign(T& field, const T& value, bool& changed) {
  if (field == value) return;
  field = value;
  changed = true;
}

// Edits the current record to the wanted values, field by field; posts only
// when something differs. The edit never outlives a failure.
bool UpdateCurrent(TClientDataSet& data, const InventoryEntry& wanted, bool keepMode, DisplayMode mode) {
  data.Edit();
  try {
    InventoryEntry& e = data.EditFields();
    bool changed = false;
    Assign(e.Enabled, wanted.Enabled, changed);
    Assign(e.Size, wanted.Size, changed);
    Assign(e.Timestamp, wanted.Timestamp, changed);
    if (!keepMode) Assign(e.Display, mode, changed);
    Assign(e.Location, wanted.Location, changed);
    Assign(e.LCLocation, wanted.LCLocation, changed);
    Assign(e.FileName, wanted.FileName, changed);
    Assign(e.LCFilename, wanted.LCFilename, changed);
    if (changed) {
      data.Post();
    } else {
      data.Cancel();
    }
    return changed;
  } catch (...) {
    data.Cancel();
    throw;
  }
}

void AppendEntry(TClientDataSet& data, InventoryEntry entry, DisplayMode mode) {
  entry.Order = 0;
  entry.Display = mode;
  data.Append();
  try {
    data.EditFields() = entry;
    data.Post();
  } catch (...) {
    data.Cancel();
    throw;
  }
}

std::string LCFolderOf(const std::string& path) {
  return LowerAZ(StripTrailingBackslashes(ExtractFileDir(path)));
}

// A file moved or renamed over another listed file: the target keeps its own
// entry, and the source's entry, whose file is gone, goes with it.
bool DeleteVanishedSourceEntry(TClientDataSet& data, FilePort& files, const std::string& source,
                               const std::string& target, const InventoryEntry& wanted) {
  if (source.empty() || SameTextAZ(source, target) || files.FileExists(source)) return false;
  if (!data.HasKey(wanted.LCFilename, wanted.LCLocation)) return false;
  if (!data.FindKey(LowerAZ(ExtractFileName(source)), LCFolderOf(source))) return false;
  data.Delete();
  return true;
}

}  // namespace

void TFrmMain::AddPictureFile(const std::string& path, DisplayMode mode) {
  // The program's own working bitmap is never a picture of the list.
  if (IsOwnPicture(path)) return;
  if (!ports_.files.FileExists(path)) return;
  if (!IsPictureFile(path)) {
    ports_.prompts.Show("Error: " + ExtractFileName(path) + " is not a supported file type.", MessageCaption(),
                        PromptKind::Error, PromptButtons::Ok);
    return;
  }
  // Refused before the dialog, so nothing is moved for a file no entry can name.
  if (const std::string refusal = PathRefusal(path); !refusal.empty()) {
    ports_.prompts.Show(refusal, MessageCaption(), PromptKind::Error, PromptButtons::Ok);
    return;
  }
  if (!IsInputFileName(path) && (!chkPromptNameForNewWP.Checked() || booCreating) && IsKnownPicture(path)) {
    StoreEntry(path, path, true, mode);
    return;
  }
  AskAndTake(*this, ports_.files, path, mode);
}

void TFrmMain::AddDetectedWallpaper(const std::string& path, DisplayMode mode) {
  if (IsOwnPicture(path)) return;
  // A wallpaper of a kind the program does not take: the detection runs in
  // the background, so it passes it over without a word.
  if (!IsPictureFile(path)) {
    SendTrace(ports_.trace, "FrmMain.AddDetectedWallpaper: not a picture file " + path, Handle);
    return;
  }
  if (const std::string refusal = PathRefusal(path); !refusal.empty()) {
    SendTrace(ports_.trace, "FrmMain.AddDetectedWallpaper: " + refusal, Handle);
    return;
  }
  RestartSlideTimer();
  frmItemInfo.BeginAddBatch(false);
  LastDetectedSource.clear();
  LastDetectedTarget.clear();
  if (!IsInputFileName(path) && !chkPromptNameForNewWP.Checked() && IsKnownPicture(path)) {
    StoreEntry(path, path, true, mode);
    return;
  }
  const Taken taken = AskAndTake(*this, ports_.files, path, mode);
  if (!taken.done) return;
  LastDetectedSource = path;
  LastDetectedTarget = taken.target;
  if (taken.moved) {
    // The desktop setting would name a file that is gone: every later
    // broadcast, and the close, would hand the vanished path on.
    SetWallpaper(taken.target, taken.mode, true);
  } else if (taken.mode != mode) {
    SetWallpaper(taken.target, taken.mode, false);
  }
}

bool TFrmMain::StoreEntry(const std::string& source, const std::string& target, bool keepMode, DisplayMode mode,
                          const std::optional<FileFacts>& before) {
  // The data file holds no entry a later start could not read back.
  if (const std::string refusal = PathRefusal(target); !refusal.empty()) {
    ports_.prompts.Show(refusal, MessageCaption(), PromptKind::Error, PromptButtons::Ok);
    return false;
  }
  // Read the file before touching the record, so a file another program
  // holds open leaves the entry as it was rather than half refreshed.
  std::optional<FileFacts> facts = ReadFileFacts(ports_.files, target);
  for (int retry = 0; !facts && retry < kReadRetries; ++retry) {
    ports_.files.RetryPause(kReadRetryPauseMs);
    facts = ReadFileFacts(ports_.files, target);
  }
  if (!facts) {
    SendTrace(ports_.trace, "FrmMain.StoreEntry: Cannot open file " + target, Handle);
    // A file just moved or copied is listed all the same, with what its
    // source had: the same bytes, and the source may be gone.
    if (!before) return false;
    facts = before;
  }
  const InventoryEntry wanted = EntryFor(target, facts->size, facts->time);
  const bool vanished = DeleteVanishedSourceEntry(cdtData, ports_.files, source, target, wanted);
  bool found = cdtData.FindKey(wanted.LCFilename, wanted.LCLocation);
  if (!found && !source.empty()) found = cdtData.FindKey(LowerAZ(ExtractFileName(source)), LCFolderOf(source));
  bool changed = true;
  if (found) {
    changed = UpdateCurrent(cdtData, wanted, keepMode, mode) || vanished;
  } else {
    AppendEntry(cdtData, wanted, mode);
  }
  // The source's entry now lists the target (moved, renamed, or pointed at its copy).
  const std::string from = source.empty() ? std::string() : LCFolderOf(source) + "\\" + LowerAZ(ExtractFileName(source));
  const std::string to = wanted.LCLocation + "\\" + wanted.LCFilename;
  if (!from.empty() && from != to && !cdtData.HasKey(LowerAZ(ExtractFileName(source)), LCFolderOf(source))) {
    FollowMovedEntries({{from, to}});
  }
  if (changed) ScheduleInventorySave(&app_);
  return changed;
}

}  // namespace mvx

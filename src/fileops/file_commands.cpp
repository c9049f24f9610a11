#include <optional>
#include <string>

#include "app/file_info.h"
#include "app/paths.h"
#include "fileops/frm_confirmation.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

bool HasCurrentEntry(const TClientDataSet& view) {
  return view.Active() && !view.IsEmpty();
}

// The main data set stands on the entry with this key, if it is still
// listed. A question's nested message loop may let the slideshow drop
// entries meanwhile, so the record number read before it may name another.
bool LocateKey(TClientDataSet& data, const InventoryEntry& entry) {
  data.Cancel();
  return data.FindKey(entry.LCFilename, entry.LCLocation);
}

}  // namespace

// Gives the current picture a new name, or moves or copies it into the data
// folder, through the dialog of the adding road; the entry follows the file.
void TFrmMain::tbnMoveClick(TObject*) {
  if (!HasCurrentEntry(cdtInventory)) return;
  const InventoryEntry entry = cdtInventory.Fields();
  const std::string path = entry.Location + "\\" + entry.FileName;
  // A file already in the data folder can only be renamed there.
  const bool inDataDir = entry.LCLocation == LowerAZ(StripTrailingBackslashes(dataDir_));
  const int enabled = inDataDir ? kCopyLeave : kCopyLeave | kCopyMove | kCopyCopy;
  frmItemInfo.BeginAddBatch(false);
  std::string target = path;
  bool copy = false;
  DisplayMode mode = entry.Display;
  if (!AskCopyOptions(kMoveRenameCaption, target, false, kCopyLeave, enabled, copy, mode)) return;
  const std::optional<FileFacts> before = ReadFileFacts(ports_.files, path);
  if (!CopyOrMoveFile(path, target, copy)) return;
  StoreEntry(path, target, false, mode, before);
  // The desktop must not go on naming a file that has gone: at the end the
  // program sets the recorded wallpaper once more.
  const bool moved = !SameTextAZ(path, target) && !ports_.files.FileExists(path);
  if (moved && LastSetWallpaper == LowerAZ(path)) SetWallpaper(target, mode, true);
}

// Takes the current entry out of the list; the file stays where it is.
void TFrmMain::tbnRemoveClick(TObject* sender) {
  if (!HasCurrentEntry(cdtInventory)) return;
  const InventoryEntry entry = cdtInventory.Fields();
  if (chkAskBeforeRemoving.Checked() && !ConfirmRemove()) return;
  if (!LocateKey(cdtData, entry)) return;
  cdtData.Delete();
  ScheduleInventorySave(sender);
}

// Sends the current picture's file to the Recycle Bin and takes its entry out
// of the list. A file that cannot be deleted (gone, read-only, in use) still
// leaves the list.
void TFrmMain::tbnDeleteClick(TObject* sender) {
  if (!HasCurrentEntry(cdtInventory)) return;
  const InventoryEntry entry = cdtInventory.Fields();
  if (chkConfirmDeleteDisk.Checked() && !ConfirmDelete()) return;
  ports_.files.Recycle(entry.LCLocation + "\\" + entry.LCFilename);
  if (!LocateKey(cdtData, entry)) return;
  cdtData.Delete();
  ScheduleInventorySave(sender);
}

bool TFrmMain::ConfirmDelete() {
  if (!HasCurrentEntry(cdtInventory)) return false;
  return mvx::ConfirmDelete({ports_.prompts, ports_.trace, screenPixelsPerInch_}, chkConfirmDeleteDisk,
                            cdtInventory.Fields());
}

bool TFrmMain::ConfirmRemove() {
  if (!HasCurrentEntry(cdtInventory)) return false;
  return mvx::ConfirmRemove({ports_.prompts, ports_.trace, screenPixelsPerInch_}, chkAskBeforeRemoving,
                            cdtInventory.Fields());
}

}  // namespace mvx

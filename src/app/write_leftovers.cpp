#include "adding/own_names.h"
#include "app/atomic_file.h"
#include "app/paths.h"
#include "app/trace.h"
#include "inventory/data_file.h"
#include "ui/frm_main.h"

namespace mvx {

// Only one instance runs, so no write of another process owns these files.
// Pictures pasted from the clipboard under a name the user typed are left:
// their temp files cannot be told from someone else's.
void TFrmMain::RemoveWriteLeftovers() {
  // One look through the folder for the leftovers of the data file, of the
  // copy of its version 1 kept at the first save, of pasted pictures, and of
  // the slideshow's deck and the wallpaper history.
  const LeftoverSweep sweep = RemoveLeftoverTemps(ports_.files, dataDir_, [this](const std::string& name) {
    return SameTextAZ(name, DBFileName) || SameTextAZ(name, DBFileName + std::string(kVersion1CopySuffix)) ||
           IsUniqueNameOf(name, kClipboardFileName) || SameTextAZ(name, ShuffleDeck::kDeckName) ||
           SameTextAZ(name, ShuffleDeck::kPositionName) || SameTextAZ(name, WallpaperHistory::kFileName);
  });
  for (const std::string& path : sweep.removed) {
    SendTrace(ports_.trace, "FrmMain.RemoveWriteLeftovers: removed " + path, Handle);
  }
  for (const Status& failed : sweep.failed) {
    SendTrace(ports_.trace, "FrmMain.RemoveWriteLeftovers: " + failed.Describe(), Handle);
  }
}

}  // namespace mvx

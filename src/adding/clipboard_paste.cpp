#include <exception>

#include "adding/bitmap_file.h"
#include "adding/own_names.h"
#include "adding/scoped_flag.h"
#include "app/atomic_file.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

void TFrmMain::mnuSetWallpaperfromClipboardClick(TObject*) {
  // The tray menu stays usable while an addition waits for the user (its
  // dialog, an overwrite question, a batch's message): a paste then would
  // take over the dialog and the batch's choices in the middle of their run.
  if (adding_ || booBusy) return;
  // Held to the end: the error boxes and the wallpaper change let messages
  // through, and a detection must not open its dialog in the middle.
  const ScopedFlag adding(adding_);
  if (!ports_.shell.ClipboardHasBitmap()) return;
  std::string path = MakeUniqueName(std::string(kClipboardFileName));
  DisplayMode mode = DisplayMode::Tile;
  bool copy = false;
  frmItemInfo.BeginAddBatch(false);
  if (!AskCopyOptions("Add Wallpaper", path, true, kCopyMove, kCopyMove, copy, mode)) return;
  if (!SaveClipboardBitmap(path)) {
    ports_.prompts.Show("Clipboard does not contain a valid bitmap.  File not saved.", MessageCaption(),
                        PromptKind::Error, PromptButtons::Ok);
    return;
  }
  booBatchUpdate = true;
  try {
    if (StoreEntry("", path, false, mode)) SetWallpaper(path, mode, false);
  } catch (...) {
    booBatchUpdate = false;
    throw;
  }
  booBatchUpdate = false;
}

bool TFrmMain::SaveClipboardBitmap(const std::string& path) {
  if (!ports_.shell.ClipboardHasBitmap()) return false;
  std::string failure;
  std::string dib;
  if (!ports_.shell.ClipboardDib(dib)) {
    failure = "the clipboard's bitmap could not be read";
  } else if (const BitmapFile file = BitmapFileFromDib(dib); !file.ok()) {
    failure = file.reason;
  } else if (const Status written = WriteFileAtomically(ports_.files, path, file.bytes); !written) {
    failure = written.Describe();
  } else {
    return true;
  }
  SendTrace(ports_.trace, "FrmMain.SaveClipboardBitmap: " + failure, Handle);
  ports_.prompts.Show("Cannot paste this picture from clipboard", MessageCaption(), PromptKind::Error,
                      PromptButtons::Ok);
  return false;
}

}  // namespace mvx

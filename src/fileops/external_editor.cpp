#include <string>

#include "ui/frm_main.h"

namespace mvx {

namespace {

constexpr int kShowNormal = 5;  // SW_SHOW
// The system's answers up to this value are errors.
constexpr int kLastErrorValue = 32;
constexpr int kFileNotFound = 2;

}  // namespace

// Opens the current picture in the program Windows uses for its type, or in
// the editor chosen on the Options page; the program does not wait for it.
void TFrmMain::mnuEdit1Click(TObject*) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  const InventoryEntry& entry = cdtInventory.Fields();
  const std::string file = entry.LCFilename;
  const std::string folder = entry.LCLocation;
  int result = 0;
  if (rdoSelectedEditor.Checked()) {
    // Quoted, or a name with blanks ("v1 of netscape wallpaper.bmp") would
    // reach the editor as several arguments.
    result = ports_.shell.Execute(Handle, "", edtSelectedEditor.Text(), "\"" + file + "\"", folder, kShowNormal);
  } else {
    result = ports_.shell.Execute(Handle, "", file, "", folder, kShowNormal);
  }
  if (result > kLastErrorValue) return;
  const std::string text = result == kFileNotFound
                               ? std::string("Unable to Edit.  Error 2.  Try removing spaces from file name.")
                               : "Unable to Edit.  Error " + std::to_string(result) + ".";
  ports_.prompts.Show(text, MessageCaption(), PromptKind::Error, PromptButtons::Ok);
}

}  // namespace mvx

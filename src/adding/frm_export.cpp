#include "adding/frm_export.h"

#include <utility>

#include "adding/file_name_rules.h"
#include "adding/picture_list.h"
#include "app/atomic_file.h"
#include "app/error.h"

namespace mvx {

TFrmExport::TFrmExport(FilePort& files, PromptPort& prompts, TClientDataSet& data, std::string caption)
    : TForm("FrmExport"),
      Label1(Make<TLabel>(nullptr, "Label1")),
      Label2(Make<TLabel>(nullptr, "Label2")),
      btnExport(Make<TButton>(nullptr, "btnExport")),
      edtExportFileName(Make<TEdit>(nullptr, "edtExportFileName")),
      btnCancel(Make<TButton>(nullptr, "btnCancel")),
      edtSubDir(Make<TEdit>(nullptr, "edtSubDir")),
      files_(files),
      prompts_(prompts),
      data_(data),
      caption_(std::move(caption)) {
  SetCaption("Export Manager");
  // With the modal window's frame and caption the window is 355 x 110.
  SetClientSize(349, 88);
  Placed(Label1, "File Name:", 8, 18, 82, 13);
  Placed(edtExportFileName, "", 94, 14, 129, 21).SetText(kDefaultPictureListName);
  Placed(Label2, "Sub Directory:", 8, 54, 82, 13);
  Placed(edtSubDir, "", 94, 50, 129, 21).SetText("Export1");
  Placed(btnExport, "Export Files", 234, 12, 105, 25);
  btnExport.IsDefault = true;
  Placed(btnCancel, "Cancel", 234, 48, 105, 25);
  btnCancel.IsCancel = true;
  btnExport.OnClick = [this](TObject* sender) { btnExportClick(sender); };
  btnCancel.OnClick = [this](TObject* sender) { btnCancelClick(sender); };
  SetActiveControl(&btnExport);
}

void TFrmExport::Tell(const std::string& text) {
  prompts_.Show(text, caption_, PromptKind::Information, PromptButtons::Ok);
}

std::string TFrmExport::CopyPictures(const std::string& folder) {
  std::string list;
  if (!data_.Active()) return list;
  for (data_.First(); !data_.Eof(); data_.Next()) {
    const InventoryEntry& entry = data_.Fields();
    if (!entry.Enabled) continue;
    // A picture that cannot be copied is left out of the list without a word.
    if (files_.Copy(entry.Location + "\\" + entry.FileName, folder + "\\" + entry.FileName, false)) {
      list += PictureListLine(entry.FileName, entry.Display);
    }
  }
  return list;
}

void TFrmExport::btnExportClick(TObject*) {
  // Both names are checked before anything is made or copied.
  for (const std::string& name : {edtSubDir.Text(), edtExportFileName.Text()}) {
    if (!IsUsableFileName(name)) {
      Tell("\"" + name + "\" cannot be used as a file name.");
      return;
    }
  }
  const std::string folder = BaseFolder + "\\" + edtSubDir.Text();
  if (files_.FileExists(folder) || files_.DirectoryExists(folder)) {
    Tell("Directory already exists, pick another name");
    return;
  }
  if (!files_.MakeDirectory(folder)) {
    Tell("Error creating export directory");
    return;
  }
  const std::string list = CopyPictures(folder);
  // Written whole once every copy is done, so that a list never names a
  // picture the folder does not hold, even when the disk fills up midway.
  const std::string listPath = folder + "\\" + edtExportFileName.Text();
  const Status written = WriteFileAtomically(files_, listPath, list);
  if (!written) {
    Result = ModalResult::Cancel;
    throw AppError("Unable to write the picture list " + listPath + " (" + written.Describe() + ")");
  }
  Tell("Export Successful");
  Result = ModalResult::Ok;
}

void TFrmExport::btnCancelClick(TObject*) {
  Result = ModalResult::Cancel;
}

void ShowExportManager(const std::string& base, FilePort& files, PromptPort& prompts, TClientDataSet& data,
                       const std::string& caption) {
  TFrmExport dialog(files, prompts, data, caption);
  dialog.BaseFolder = base;
  prompts.ShowModal(dialog);
}

}  // namespace mvx

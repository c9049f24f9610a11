#pragma once
#include <string>

#include "forms/form.h"
#include "inventory/dataset.h"
#include "platform/file_port.h"
#include "platform/prompt_port.h"

namespace mvx {

// The export dialog "Export Manager": copies the pictures of every enabled
// entry of the inventory into a new folder inside the base folder and
// writes the picture list beside them. It exists only while it is shown.
class TFrmExport : public TForm {
 public:
  // data: the inventory's master data set, walked in index order; caption:
  // the caption of the dialog's message boxes.
  TFrmExport(FilePort& files, PromptPort& prompts, TClientDataSet& data, std::string caption);

  std::string BaseFolder;

  void btnExportClick(TObject* sender);
  void btnCancelClick(TObject* sender);

  TLabel& Label1;
  TLabel& Label2;
  // Declared in tab order: the windows are made, and tabbed through, in this order.
  TButton& btnExport;
  TEdit& edtExportFileName;
  TButton& btnCancel;
  TEdit& edtSubDir;

 private:
  void Tell(const std::string& text);
  // Copies the pictures into folder; the list's lines of those copied.
  std::string CopyPictures(const std::string& folder);

  FilePort& files_;
  PromptPort& prompts_;
  TClientDataSet& data_;
  std::string caption_;
};

// Shows the export dialog modally over the program's windows, with base as
// the folder the export folder is made in.
void ShowExportManager(const std::string& base, FilePort& files, PromptPort& prompts, TClientDataSet& data,
                       const std::string& caption);

}  // namespace mvx

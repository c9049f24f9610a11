#include "fileops/frm_confirmation.h"

#include "app/date_time.h"
#include "app/form_scaling.h"
#include "inventory/frm_properties.h"

namespace mvx {

namespace {

// A data field: reads like a label, shows an arrow, takes no Tab.
TEdit& DataField(TEdit& edit, int left, int top, int width) {
  edit.ReadOnly = true;
  edit.Borderless = true;
  edit.SetBounds(left, top, width, 16);
  return edit;
}

bool Ask(const ConfirmationContext& context, TCheckBox& option, const InventoryEntry& entry,
         const std::string& caption, const std::string* question) {
  TfrmConfirmation dialog;
  dialog.chkDontShowAgain.SetChecked(false);
  dialog.Link(&option);
  dialog.SetCaption(caption);
  if (question != nullptr) dialog.lblQuestion.SetCaption(*question);
  dialog.ShowEntry(entry);
  dialog.FormCreate(context.pixelsPerInch, context.trace);
  const ModalResult result = context.prompts.ShowModal(dialog);
  return result == ModalResult::Ok || result == ModalResult::Yes;
}

}  // namespace

TfrmConfirmation::TfrmConfirmation()
    : TForm("frmConfirmation"),
      chkDontShowAgain(Make<TCheckBox>(nullptr, "chkDontShowAgain")),
      btnOK(Make<TButton>(nullptr, "btnOK")),
      btnCancel(Make<TButton>(nullptr, "btnCancel")),
      lblQuestion(Make<TLabel>(nullptr, "lblQuestion")),
      Label1(Make<TLabel>(nullptr, "Label1")),
      DBEdit1(Make<TEdit>(nullptr, "DBEdit1")),
      Label2(Make<TLabel>(nullptr, "Label2")),
      DBEdit2(Make<TEdit>(nullptr, "DBEdit2")),
      Label3(Make<TLabel>(nullptr, "Label3")),
      DBEdit3(Make<TEdit>(nullptr, "DBEdit3")),
      Label4(Make<TLabel>(nullptr, "Label4")),
      DBEdit4(Make<TEdit>(nullptr, "DBEdit4")) {
  Build();
  chkDontShowAgain.OnClick = [this](TObject* sender) { chkDontShowAgainClick(sender); };
  // A tooltip over the field the user is reading or selecting in gets in the way.
  for (TEdit* field : {&DBEdit1, &DBEdit2, &DBEdit3, &DBEdit4}) {
    field->OnEnter = [field](TObject*) { field->SetShowHint(false); };
    field->OnExit = [field](TObject*) { field->SetShowHint(true); };
  }
}

void TfrmConfirmation::Build() {
  SetCaption("Confirm File Deletion");
  ToolWindow = false;
  SetClientSize(352, 133);
  Placed(lblQuestion, "Delete this file from disk?", 8, 8, 336, 16).SetBold(true);
  Placed(Label1, "Name:", 8, 32, 60, 16);
  DataField(DBEdit1, 72, 32, 272);
  Placed(Label2, "In Folder:", 8, 50, 60, 16);
  DataField(DBEdit2, 72, 50, 272);
  Placed(Label3, "Size:", 8, 68, 60, 16);
  DataField(DBEdit3, 72, 68, 120);
  Placed(Label4, "Modified:", 8, 86, 60, 16);
  DataField(DBEdit4, 72, 86, 160);
  Placed(chkDontShowAgain, "&Don't show this message again.", 8, 108, 210, 17);
  Placed(btnOK, "&OK", 222, 104, 60, 25);
  btnOK.IsDefault = true;
  btnOK.Modal = ModalResult::Ok;
  Placed(btnCancel, "Cancel", 286, 104, 60, 25);
  btnCancel.IsCancel = true;
  btnCancel.Modal = ModalResult::Cancel;
  SetActiveControl(&btnOK);
}

void TfrmConfirmation::FormCreate(int pixelsPerInch, TracePort& trace) {
  AdjustFormScaling(this, pixelsPerInch, trace);
  for (TEdit* field : {&DBEdit1, &DBEdit2, &DBEdit3, &DBEdit4}) field->SetHint(field->Text());
}

void TfrmConfirmation::ShowEntry(const InventoryEntry& entry) {
  DBEdit1.SetText(entry.FileName);
  DBEdit2.SetText(entry.Location);
  DBEdit3.SetText(FormatGroupedNumber(entry.Size));
  DBEdit4.SetText(FormatDateTime(entry.Timestamp));
}

void TfrmConfirmation::chkDontShowAgainClick(TObject*) {
  if (linked_ != nullptr) linked_->SetChecked(!chkDontShowAgain.Checked());
}

bool ConfirmDelete(const ConfirmationContext& context, TCheckBox& option, const InventoryEntry& entry) {
  return Ask(context, option, entry, "Delete File", nullptr);
}

bool ConfirmRemove(const ConfirmationContext& context, TCheckBox& option, const InventoryEntry& entry) {
  const std::string question = "Remove this file from list?";
  return Ask(context, option, entry, "Remove File", &question);
}

}  // namespace mvx

#include "inventory/frm_properties.h"

#include <utility>

namespace mvx {

namespace {

TEdit& Field(TEdit& edit, int left, int top, int width) {
  edit.ReadOnly = true;
  edit.SetBounds(left, top, width, 21);
  return edit;
}

}  // namespace

std::string FormatGroupedNumber(std::int32_t value) {
  const std::int64_t wide = value;
  const std::string digits = std::to_string(wide < 0 ? -wide : wide);
  std::string grouped = wide < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

TfrmProperties::TfrmProperties(const TClientDataSet& view)
    : TForm("frmProperties"),
      lblName(Make<TLabel>(nullptr, "lblName")),
      edtFileName(Make<TEdit>(nullptr, "edtFileName")),
      lblLocation(Make<TLabel>(nullptr, "lblLocation")),
      edtLocation(Make<TEdit>(nullptr, "edtLocation")),
      lblSize(Make<TLabel>(nullptr, "lblSize")),
      edtSize(Make<TEdit>(nullptr, "edtSize")),
      lblModified(Make<TLabel>(nullptr, "lblModified")),
      edtTimestamp(Make<TEdit>(nullptr, "edtTimestamp")),
      chkEnabled(Make<TCheckBox>(nullptr, "chkEnabled")),
      lblDisplay(Make<TLabel>(nullptr, "lblDisplay")),
      edtDisplay(Make<TEdit>(nullptr, "edtDisplay")),
      dbnProperties(Make<TPanel>(nullptr, "dbnProperties")),
      btnFirst(Make<TButton>(&dbnProperties, "btnFirst")),
      btnPrior(Make<TButton>(&dbnProperties, "btnPrior")),
      btnNext(Make<TButton>(&dbnProperties, "btnNext")),
      btnLast(Make<TButton>(&dbnProperties, "btnLast")),
      btnDelete(Make<TButton>(&dbnProperties, "btnDelete")),
      edtLCLocation(Make<TEdit>(nullptr, "edtLCLocation")),
      edtLCFilename(Make<TEdit>(nullptr, "edtLCFilename")),
      btnOK(Make<TButton>(nullptr, "btnOK")),
      view_(view) {
  Build();
  // Data check boxes of a read-only window: a click is put back at once.
  chkEnabled.OnClick = [this](TObject*) { ShowEntry(); };
  btnOK.OnClick = [this](TObject* sender) { btnOKClick(sender); };
  OnDblClick = [this](TObject* sender) { FormDblClick(sender); };
  ShowEntry();
}

void TfrmProperties::Build() {
  SetCaption("Wallpaper Properties");
  SetClientSize(336, 200);
  Placed(lblName, "Name:", 8, 12, 64, 16);
  Field(edtFileName, 76, 8, 252);
  Placed(lblLocation, "In Folder:", 8, 40, 64, 16);
  Field(edtLocation, 76, 36, 252);
  Placed(lblSize, "Size:", 8, 68, 64, 16);
  Field(edtSize, 76, 64, 100);
  Placed(lblModified, "Modified:", 8, 96, 64, 16);
  Field(edtTimestamp, 76, 92, 150);
  edtFileName.SetHint("File Name");
  edtLocation.SetHint("Location of File");
  edtSize.SetHint("Size of File");
  edtTimestamp.SetHint("Date and Time Last Modified");
  Placed(chkEnabled, "On", 76, 122, 60, 18);
  Placed(lblDisplay, "Display:", 144, 124, 48, 16);
  Field(edtDisplay, 196, 120, 80);
  edtDisplay.SetHint("Display Mode");
  Placed(dbnProperties, "", 8, 150, 235, 25).SetVisible(false);
  int left = 0;
  for (auto [button, caption] :
       {std::pair{&btnFirst, "First"}, std::pair{&btnPrior, "Prior"}, std::pair{&btnNext, "Next"},
        std::pair{&btnLast, "Last"}, std::pair{&btnDelete, "Delete"}}) {
    Placed(*button, caption, left, 0, 47, 25);
    left += 47;
  }
  Field(edtLCLocation, 8, 176, 160).SetVisible(false);
  Field(edtLCFilename, 172, 176, 156).SetVisible(false);
  Placed(btnOK, "&OK", 253, 150, 75, 25);
  btnOK.IsDefault = true;
  btnOK.IsCancel = true;
  btnOK.Modal = ModalResult::Ok;
}

void TfrmProperties::ShowEntry() {
  const bool any = view_.Active() && !view_.IsEmpty();
  const InventoryEntry& entry = view_.Fields();
  edtFileName.SetText(any ? entry.FileName : "");
  edtLocation.SetText(any ? entry.Location : "");
  edtSize.SetText(any ? FormatGroupedNumber(entry.Size) : "");
  edtTimestamp.SetText(any ? FormatDateTime(entry.Timestamp) : "");
  chkEnabled.SetChecked(any && entry.Enabled);
  edtDisplay.SetText(any ? std::string(DisplayModeName(entry.Display)) : "");
  edtLCLocation.SetText(any ? entry.LCLocation : "");
  edtLCFilename.SetText(any ? entry.LCFilename : "");
}

// The window is hidden, not destroyed, and shown again next time.
void TfrmProperties::btnOKClick(TObject*) {
  Result = ModalResult::Ok;
  Hide();
}

void TfrmProperties::FormDblClick(TObject*) {
  const bool show = !dbnProperties.Visible();
  dbnProperties.SetVisible(show);
  edtLCLocation.SetVisible(show);
  edtLCFilename.SetVisible(show);
}

}  // namespace mvx

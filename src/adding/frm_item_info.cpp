#include "adding/frm_item_info.h"

#include <array>

#include "app/form_scaling.h"

namespace mvx {

TfrmItemInfo::TfrmItemInfo()
    : TForm("frmItemInfo"),
      btnOK(Make<TButton>(nullptr, "btnOK")),
      btnCancel(Make<TButton>(nullptr, "btnCancel")),
      Label2(Make<TLabel>(nullptr, "Label2")),
      edtFileName(Make<TEdit>(nullptr, "edtFileName")),
      Label1(Make<TLabel>(nullptr, "Label1")),
      Label3(Make<TLabel>(nullptr, "Label3")),
      pnlDisplay(Make<TPanel>(nullptr, "pnlDisplay")),
      rdoTiled(Make<TRadioButton>(&pnlDisplay, "rdoTiled")),
      rdoCenter(Make<TRadioButton>(&pnlDisplay, "rdoCenter")),
      rdoFill(Make<TRadioButton>(&pnlDisplay, "rdoFill")),
      rdoFit(Make<TRadioButton>(&pnlDisplay, "rdoFit")),
      rdoStretch(Make<TRadioButton>(&pnlDisplay, "rdoStretch")),
      gbxCopyMode(Make<TGroupBox>(nullptr, "gbxCopyMode")),
      rdoLeave(Make<TRadioButton>(&gbxCopyMode, "rdoLeave")),
      rdoMove(Make<TRadioButton>(&gbxCopyMode, "rdoMove")),
      rdoCopy(Make<TRadioButton>(&gbxCopyMode, "rdoCopy")),
      chkApplyToAll(Make<TCheckBox>(nullptr, "chkApplyToAll")),
      lblFromFolder(Make<TLabel>(nullptr, "lblFromFolder")),
      edtFromDir(Make<TEdit>(nullptr, "edtFromDir")) {
  SetCaption("Add Wallpaper");
  SetClientSize(390, 199);

  lblFromFolder.SetCaption("From:");
  lblFromFolder.SetBounds(8, 12, 44, 13);
  lblFromFolder.RightAligned = true;
  edtFromDir.Borderless = true;
  edtFromDir.SetBounds(58, 12, 324, 16);

  Label2.SetCaption("Name:");
  Label2.SetBounds(8, 38, 44, 13);
  edtFileName.SetText("edtFileName");
  edtFileName.SetBounds(58, 34, 290, 21);
  Label1.SetCaption(".bmp");
  Label1.SetBounds(352, 38, 36, 13);  // room for ".jpeg" and ".tiff"

  Label3.SetCaption("Display:");
  Label3.SetBounds(8, 64, 44, 13);
  pnlDisplay.SetBounds(58, 60, 324, 21);
  rdoTiled.SetCaption("&Tile");
  rdoTiled.SetBounds(0, 2, 48, 17);
  rdoCenter.SetCaption("Ce&ntre");
  rdoCenter.SetBounds(52, 2, 62, 17);
  rdoFill.SetCaption("&Fill");
  rdoFill.SetBounds(118, 2, 44, 17);
  rdoFit.SetCaption("F&it");
  rdoFit.SetBounds(166, 2, 42, 17);
  rdoStretch.SetCaption("&Stretch");
  rdoStretch.SetBounds(212, 2, 70, 17);
  rdoTiled.SetChecked(true);

  gbxCopyMode.SetCaption(" Copy Option ");
  gbxCopyMode.SetBounds(8, 86, 290, 78);
  rdoLeave.SetCaption("&Leave the file in its current folder");
  rdoLeave.SetBounds(12, 18, 272, 17);
  rdoMove.SetCaption("&Move the file to Murovex's own folder");
  rdoMove.SetBounds(12, 36, 272, 17);
  rdoCopy.SetCaption("Make a &copy of the file in Murovex's folder");
  rdoCopy.SetBounds(12, 54, 272, 17);
  rdoLeave.SetChecked(true);

  chkApplyToAll.SetCaption("&Apply these options to all remaining files.");
  chkApplyToAll.SetBounds(8, 174, 374, 17);

  btnOK.SetCaption("OK");
  btnOK.IsDefault = true;
  btnOK.Modal = ModalResult::Ok;
  btnOK.SetBounds(306, 92, 76, 25);
  btnCancel.SetCaption("Cancel");
  btnCancel.IsCancel = true;
  btnCancel.Modal = ModalResult::Cancel;
  btnCancel.SetBounds(306, 124, 76, 25);

  SetActiveControl(&edtFileName);
  OnShow = [this](TObject*) { FormShow(); };
  OnDeactivate = [this](TObject*) { FormDeactivate(); };
}

DisplayMode TfrmItemInfo::ChosenDisplayMode() const {
  const std::array<const TRadioButton*, 5> buttons{&rdoTiled, &rdoCenter, &rdoFill, &rdoFit, &rdoStretch};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i]->Checked()) return kDisplayModes[i];
  }
  return DisplayMode::Tile;
}

void TfrmItemInfo::CheckDisplayMode(DisplayMode mode) {
  const std::array<TRadioButton*, 5> buttons{&rdoTiled, &rdoCenter, &rdoFill, &rdoFit, &rdoStretch};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (kDisplayModes[i] == mode) buttons[i]->SetChecked(true);
  }
}

void TfrmItemInfo::FormShow() {
  BringToForeground();
}

void TfrmItemInfo::FormDeactivate() {
  if (Visible()) BringToForeground();
}

void TfrmItemInfo::FormCreate(int pixelsPerInch, TracePort& trace) {
  if (created_) return;
  created_ = true;
  AdjustFormScaling(this, pixelsPerInch, trace);
}

bool TfrmItemInfo::RememberChoices() {
  const int copyOption = rdoCopy.Checked() ? kCopyCopy : rdoMove.Checked() ? kCopyMove : kCopyLeave;
  const DisplayMode mode = ChosenDisplayMode();
  if (RememberedMode == mode && RememberedCopyOption == copyOption) return false;
  RememberedMode = mode;
  RememberedCopyOption = copyOption;
  return true;
}

void TfrmItemInfo::BeginAddBatch(bool allowApplyToAll) {
  AllowApplyToAll = allowApplyToAll;
  BatchCancelled = false;
  chkApplyToAll.SetChecked(false);
  FirstOfBatch = true;
  ProposalsBySize = false;
}

}  // namespace mvx

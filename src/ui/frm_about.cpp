#include "ui/frm_about.h"

namespace mvx {

namespace {

TLabel& Styled(TLabel& label, int fontHeight, bool bold) {
  label.FontName = "Arial";
  label.SetFontHeight(fontHeight);
  label.SetBold(bold);
  return label;
}

}  // namespace

TFrmAbout::TFrmAbout()
    : TForm("FrmAbout"),
      lblCompany(Make<TLabel>(nullptr, "lblCompany")),
      lblProduct(Make<TLabel>(nullptr, "lblProduct")),
      lblVersionName(Make<TLabel>(nullptr, "lblVersionName")),
      lblDescription(Make<TLabel>(nullptr, "lblDescription")),
      lblVersionAndBuild(Make<TLabel>(nullptr, "lblVersionAndBuild")),
      bvlBottom(Make<TLabel>(nullptr, "bvlBottom")),
      btnOK(Make<TButton>(nullptr, "btnOK")) {
  SetCaption("About Murovex");
  SetClientSize(297, 196);
  SetFontHeight(-10);
  Styled(Placed(lblCompany, "Kestrane Software", 16, 12, 265, 18), -13, true);
  Styled(Placed(lblProduct, "Murovex", 16, 34, 265, 26), -21, true);
  Styled(Placed(lblVersionName, "", 16, 66, 265, 20), -15, false);
  Placed(lblDescription, "Desktop wallpaper manager for the notification area.", 16, 94, 265, 16).SetFontHeight(-10);
  // The build stands below the version name, as the user reads it.
  Placed(lblVersionAndBuild, "", 16, 114, 265, 16).SetFontHeight(-10);
  Placed(bvlBottom, "", 8, 148, 281, 4).Rule = true;
  Placed(btnOK, "&OK", 111, 162, 75, 25);
  btnOK.IsDefault = true;
  btnOK.IsCancel = true;
  btnOK.Modal = ModalResult::Ok;
}

}  // namespace mvx

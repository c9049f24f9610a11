#include "ui/frm_splash.h"

namespace mvx {

TFrmSplash::TFrmSplash(Ports& ports, TWebLinks& links)
    : TForm("FrmSplash"),
      lblText(Make<TLabel>(nullptr, "lblText")),
      lblHome(Make<TLabel>(nullptr, "lblHome")),
      Timer1(ports.timers),
      links_(links) {
  SetCaption("Murovex");
  SetClientSize(360, 240);
  Placed(lblText, "Wallpaper for your desktop", pnlLink.left + 4, pnlLink.top + 2, pnlLink.width - 8, 15);
  lblText.RightAligned = true;
  Placed(lblHome, kMakerWebAddress, pnlLink.left + 4, pnlLink.top + 18, pnlLink.width - 8, 15);
  lblHome.RightAligned = true;
  lblHome.Link = true;
  lblHome.OnClick = [this](TObject* sender) { lblHomeClick(sender); };
  Timer1.SetEnabled(false);
  Timer1.SetInterval(3000);
}

void TFrmSplash::lblHomeClick(TObject*) {
  links_.OpenWebPage(PageAddress("splash"), Handle);
}

}  // namespace mvx

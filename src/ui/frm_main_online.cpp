#include "app/form_scaling.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"

namespace mvx {

void TFrmMain::ConnectOnlineHandlers() {
  auto on = [this](void (TFrmMain::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  lblHome.OnClick = on(&TFrmMain::lblHomeClick);
  lblImageLibrary.OnClick = on(&TFrmMain::Label8Click);
  lblOnlineStore.OnClick = on(&TFrmMain::Label9Click);
  lblFeedback.OnClick = on(&TFrmMain::Label6Click);
  lblMVXHome.OnClick = on(&TFrmMain::lblMVXHomeClick);
  lblTutorial.OnClick = on(&TFrmMain::lblTutorialClick);
}

void TFrmMain::OpenPage(const char* pageKey) {
  if (Links != nullptr) Links->OpenWebPage(PageAddress(pageKey), Handle);
}

void TFrmMain::lblHomeClick(TObject*) {
  OpenPage("home");
}

void TFrmMain::Label8Click(TObject*) {
  OpenPage("imglib");
}

void TFrmMain::Label9Click(TObject*) {
  OpenPage("order");
}

void TFrmMain::Label6Click(TObject*) {
  OpenPage("feedback");
}

void TFrmMain::lblMVXHomeClick(TObject*) {
  OpenPage("apphome");
}

void TFrmMain::lblTutorialClick(TObject*) {
  OpenPage("tutorial");
}

void TFrmMain::About1Click(TObject*) {
  TFrmAbout about;
  AdjustFormScaling(&about, screenPixelsPerInch_, ports_.trace);
  const std::string version = Versions != nullptr ? Versions->GetVersionValue("ProductVersion") : std::string();
  const std::string build = Versions != nullptr ? Versions->GetVersionValue("FileVersion") : std::string();
  about.lblVersionName.SetCaption(version);
  about.lblVersionAndBuild.SetCaption("Build " + build);
  ports_.prompts.ShowModal(about);
}

}  // namespace mvx

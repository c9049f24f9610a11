#include "ui/frm_main.h"

namespace mvx {

// Ties each control's events to the main window's handlers, after the
// design values were set (so setting them ran no handler).
void TFrmMain::ConnectHandlers() {
  auto on = [this](void (TFrmMain::*handler)(TObject*)) {
    return [this, handler](TObject* sender) { (this->*handler)(sender); };
  };
  for (TCheckBox* c : {&chkRandom,
                       &chkChangeOnStartup,
                       &chkWaitFullScreen,
                       &chkShowHints,
                       &chkLimitPreviewSize,
                       &chkStretch,
                       &chkConfirmExit,
                       &chkConfirmDeleteDisk,
                       &chkAskBeforeRemoving,
                       &chkShowSplash,
                       &chkSaveEachChange,
                       &chkSaveLastChange,
                       &chkSendChangeNotification,
                       &chkConfirmAdditions,
                       &chkOnTray,
                       &chkManualOverride,
                       &chkHeartbeat,
                       &chkChangeDuringSaver,
                       &chkSyncWithManualChange,
                       &chkDefaultEnabled,
                       &chkDefaultTiled,
                       &chkMoveRename,
                       &chkTinkle,
                       &chkPromptNameForNewWP}) {
    c->OnClick = on(&TFrmMain::GenericSettingsChange);
  }
  for (TRadioButton* r : {&rdoTiled, &rdoCentred, &rdoAll}) r->OnClick = on(&TFrmMain::GenericSettingsChange);
  chkWaitFullScreen.OnClick = [this](TObject* sender) {
    GenericSettingsChange(sender);
    fullScreenWait_.SetOption(chkWaitFullScreen.Checked());
  };
  chkPicturePerMonitor.OnClick = on(&TFrmMain::chkPicturePerMonitorClick);
  edtPollInterval.OnChange = on(&TFrmMain::GenericSettingsChange);
  chkPollForChange.OnClick = [this](TObject* sender) {
    ApplyPollInterval(sender);
    GenericSettingsChange(sender);
  };
  edtSelectedEditor.OnChange = on(&TFrmMain::GenericSettingsChange);
  chkToolbarHints.OnClick = on(&TFrmMain::chkToolbarHintsClick);
  rdoDefaultEditor.OnClick = on(&TFrmMain::rdoDefaultEditorClick);
  rdoSelectedEditor.OnClick = on(&TFrmMain::rdoDefaultEditorClick);
  chkStartWithWindows.OnClick = on(&TFrmMain::StartupSettingsChange);
  chkLimitImageSize.OnClick = on(&TFrmMain::chkLimitImageSizeClick);
  edtMaxImageSize.OnChange = on(&TFrmMain::edtMaxImageSizeChange);
  edtMaxPreviewSize.OnChange = on(&TFrmMain::edtMaxPreviewSizeChange);
  updImageSize.OnClick = on(&TFrmMain::updImageSizeClick);
  updPreviewSize.OnClick = on(&TFrmMain::updPreviewSizeClick);
  updPollInterval.OnClick = [this](TObject*) { SetActiveControl(&edtPollInterval); };
  edtPollFileName.OnChange = on(&TFrmMain::edtPollFileNameChange);
  btnSelectEditor.OnClick = on(&TFrmMain::btnSelectEditorClick);
  btnOK.OnClick = on(&TFrmMain::btnOKClick);
  btnHelp.OnClick = [this](TObject*) { ShowHelpContents(); };

  chkAutoChange.OnClick = on(&TFrmMain::chkAutoChangeClick);
  for (TEdit* e : {&edtHrs, &edtMins, &edtSecs}) {
    e->OnChange = on(&TFrmMain::GenericSlideTimerChange);
    e->OnEnter = on(&TFrmMain::edtHrsEnter);
    e->OnExit = on(&TFrmMain::edtHrsExit);
  }
  for (TUpDown* u : {&updHrs, &updMins, &updSecs}) u->OnClick = on(&TFrmMain::updHrsClick);
  gbxInterval.OnExit = on(&TFrmMain::gbxIntervalExit);
  tmrSlide.OnTimer = on(&TFrmMain::tmrSlideTimer);
  changeWatch_.OnChanges = [this](const WatchedChanges& changes) { return ExamineChanges(changes); };
  OnHide = [this](TObject*) { FormHide(); };

  tray_.mnuChangeWallpaperNow.OnClick = [this](TObject*) { StepNextWallpaper(); };
  tray_.mnuPreviousWallpaper.OnClick = [this](TObject*) { StepPreviousWallpaper(); };
  tray_.mnuRunSlideshow.OnClick = on(&TFrmMain::RunSlideshow1Click);
  tray_.mnuBlankWallpaper.OnClick = on(&TFrmMain::tbnNoneClick);
  tray_.mnuDisableThisWallpaperImage.OnClick = on(&TFrmMain::DisableThisWallpaperImage1Click);
  tray_.mnuToggleTiled.OnClick = on(&TFrmMain::mnuToggleTiledClick);
  tray_.mnuDisplayMode.OnChoose = [this](DisplayMode mode) {
    SetCurrentDisplayMode(mode, &tray_.mnuDisplayMode.Item());
  };
  tray_.mnuSetWallpaperfromClipboard.OnClick = on(&TFrmMain::mnuSetWallpaperfromClipboardClick);
  tray_.mnuContents1.OnClick = [this](TObject*) { ShowHelpContents(); };
  tray_.mnuAbout.OnClick = on(&TFrmMain::About1Click);
  tray_.mnuShowMurovex.OnClick = on(&TFrmMain::ShowMurovex1Click);
  tray_.mnuClose.OnClick = on(&TFrmMain::mnuClose1Click);
  tray_.TrayIcon1.BeforePopup = [this](TObject*) {
    tray_.TrayIcon1BeforePopup(SlideIntervalText());
    tray_.mnuPreviousWallpaper.SetEnabled(CanStepPrevious());
    tray_.mnuDisplayMode.Show(CurrentWallpaperMode());
  };
  ConnectInventoryHandlers();
  ConnectOnlineHandlers();
  ConnectToolbarHandlers();
  ConnectPreviewHandlers();
  SetUpGrid();
}

}  // namespace mvx

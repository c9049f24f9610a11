#include "ui/frm_main.h"

namespace mvx {

TFrmMain::TFrmMain(Ports& ports, TApplication& app, const SystemFolders& folders, TFrmTray& tray)
    : TForm("FrmMain"),
      pgMain(Make<TPageControl>(nullptr, "pgMain")),
      tsPreview(Make<TTabSheet>(&pgMain, "tsPreview")),
      tsSlideshow(Make<TTabSheet>(&pgMain, "tsSlideshow")),
      tsOptions(Make<TTabSheet>(&pgMain, "tsOptions")),
      tsOnline(Make<TTabSheet>(&pgMain, "tsOnline")),
      pnlButtons(Make<TPanel>(nullptr, "pnlButtons")),
      lblHints(Make<TLabel>(&pnlButtons, "lblHints")),
      pbrProgress(Make<TProgressBar>(&pnlButtons, "pbrProgress")),
      btnHelp(Make<TButton>(&pnlButtons, "btnHelp")),
      btnOK(Make<TButton>(&pnlButtons, "btnOK")),
      pnlPreviewImage(Make<TPanel>(&tsPreview, "pnlPreviewImage")),
      pnlImageMessage(Make<TMessagePanel>(&pnlPreviewImage, "pnlImageMessage")),
      imgDesktop(Make<TImage>(&pnlImageMessage, "imgDesktop")),
      Splitter1(Make<TSplitter>(&tsPreview, "Splitter1")),
      tbrMainToolbar(Make<TToolBar>(&tsPreview, "tbrMainToolbar")),
      tbnFindInList(tbrMainToolbar.AddButton("tbnFindInList")),
      tbnSetWallpaper(tbrMainToolbar.AddButton("tbnSetWallpaper")),
      tbnNone(tbrMainToolbar.AddButton("tbnNone")),
      tbnAddFiles((tbrMainToolbar.AddSeparator(), tbrMainToolbar.AddButton("tbnAddFiles"))),
      tbnMove(tbrMainToolbar.AddButton("tbnMove")),
      tbnRemove(tbrMainToolbar.AddButton("tbnRemove")),
      tbnDelete((tbrMainToolbar.AddSeparator(), tbrMainToolbar.AddButton("tbnDelete"))),
      tbnFirst((tbrMainToolbar.AddSeparator(), tbrMainToolbar.AddButton("tbnFirst"))),
      tbnPrev(tbrMainToolbar.AddButton("tbnPrev")),
      tbnNext(tbrMainToolbar.AddButton("tbnNext")),
      tbnLast(tbrMainToolbar.AddButton("tbnLast")),
      pnlGrid(Make<TPanel>(&tsPreview, "pnlGrid")),
      dbgrdInventory(Make<TDBGrid>(&pnlGrid, "dbgrdInventory")),
      mnuEnabled1(mnuGrid.Add("mnuEnabled1", "&Enabled")),
      mnuDisplayMode1(mnuGrid, "mnuDisplayMode1"),
      mnuSetWallpaper1((mnuGrid.AddSeparator(), mnuGrid.Add("mnuSetWallpaper1", "Set as Wallpaper"))),
      mnuEdit1(mnuGrid.Add("mnuEdit1", "E&dit Image")),
      mnuProperties1((mnuGrid.AddSeparator(), mnuGrid.Add("mnuProperties1", "P&roperties"))),
      gbxInterval(Make<TGroupBox>(&tsSlideshow, "gbxInterval")),
      chkAutoChange(Make<TCheckBox>(&gbxInterval, "chkAutoChange")),
      lblChangeEvery(Make<TLabel>(&gbxInterval, "lblChangeEvery")),
      edtHrs(Make<TEdit>(&gbxInterval, "edtHrs")),
      updHrs(Make<TUpDown>(&gbxInterval, "updHrs")),
      lblHrs(Make<TLabel>(&gbxInterval, "lblHrs")),
      edtMins(Make<TEdit>(&gbxInterval, "edtMins")),
      updMins(Make<TUpDown>(&gbxInterval, "updMins")),
      lblMins(Make<TLabel>(&gbxInterval, "lblMins")),
      edtSecs(Make<TEdit>(&gbxInterval, "edtSecs")),
      updSecs(Make<TUpDown>(&gbxInterval, "updSecs")),
      lblSecs(Make<TLabel>(&gbxInterval, "lblSecs")),
      chkRandom(Make<TCheckBox>(&gbxInterval, "chkRandom")),
      gbxStartup(Make<TGroupBox>(&tsSlideshow, "gbxStartup")),
      chkStartWithWindows(Make<TCheckBox>(&gbxStartup, "chkStartWithWindows")),
      chkChangeOnStartup(Make<TCheckBox>(&gbxStartup, "chkChangeOnStartup")),
      chkWaitFullScreen(Make<TCheckBox>(&gbxInterval, "chkWaitFullScreen")),
      gbxFileSizes(Make<TGroupBox>(&tsSlideshow, "gbxFileSizes")),
      chkLimitImageSize(Make<TCheckBox>(&gbxFileSizes, "chkLimitImageSize")),
      edtMaxImageSize(Make<TEdit>(&gbxFileSizes, "edtMaxImageSize")),
      updImageSize(Make<TUpDown>(&gbxFileSizes, "updImageSize")),
      lblImageKBytes(Make<TLabel>(&gbxFileSizes, "lblImageKBytes")),
      chkLimitPreviewSize(Make<TCheckBox>(&gbxFileSizes, "chkLimitPreviewSize")),
      edtMaxPreviewSize(Make<TEdit>(&gbxFileSizes, "edtMaxPreviewSize")),
      updPreviewSize(Make<TUpDown>(&gbxFileSizes, "updPreviewSize")),
      lblPreviewKBytes(Make<TLabel>(&gbxFileSizes, "lblPreviewKBytes")),
      chkShowHints(Make<TCheckBox>(&tsSlideshow, "chkShowHints")),
      chkStretch(Make<TCheckBox>(&tsSlideshow, "chkStretch")),
      gbxGeneral(Make<TGroupBox>(&tsOptions, "gbxGeneral")),
      chkToolbarHints(Make<TCheckBox>(&gbxGeneral, "chkToolbarHints")),
      chkConfirmExit(Make<TCheckBox>(&gbxGeneral, "chkConfirmExit")),
      chkConfirmDeleteDisk(Make<TCheckBox>(&gbxGeneral, "chkConfirmDeleteDisk")),
      chkAskBeforeRemoving(Make<TCheckBox>(&gbxGeneral, "chkAskBeforeRemoving")),
      chkShowSplash(Make<TCheckBox>(&gbxGeneral, "chkShowSplash")),
      gbxNewWallpaper(Make<TGroupBox>(&tsOptions, "gbxNewWallpaper")),
      chkPollForChange(Make<TCheckBox>(&gbxNewWallpaper, "chkPollForChange")),
      edtPollInterval(Make<TEdit>(&gbxNewWallpaper, "edtPollInterval")),
      updPollInterval(Make<TUpDown>(&gbxNewWallpaper, "updPollInterval")),
      lblPollSecs(Make<TLabel>(&gbxNewWallpaper, "lblPollSecs")),
      lblPollFileName(Make<TLabel>(&gbxNewWallpaper, "lblPollFileName")),
      edtPollFileName(Make<TEdit>(&gbxNewWallpaper, "edtPollFileName")),
      chkPromptNameForNewWP(Make<TCheckBox>(&gbxNewWallpaper, "chkPromptNameForNewWP")),
      gbxBitmapEditor(Make<TGroupBox>(&tsOptions, "gbxBitmapEditor")),
      rdoDefaultEditor(Make<TRadioButton>(&gbxBitmapEditor, "rdoDefaultEditor")),
      rdoSelectedEditor(Make<TRadioButton>(&gbxBitmapEditor, "rdoSelectedEditor")),
      edtSelectedEditor(Make<TEdit>(&gbxBitmapEditor, "edtSelectedEditor")),
      btnSelectEditor(Make<TButton>(&gbxBitmapEditor, "btnSelectEditor")),
      chkPicturePerMonitor(Make<TCheckBox>(&tsOptions, "chkPicturePerMonitor")),
      lblVisit(Make<TLabel>(&tsOnline, "lblVisit")),
      bvlVisit(Make<TLabel>(&tsOnline, "bvlVisit")),
      lblHome(Make<TLabel>(&tsOnline, "lblHome")),
      lblMVXHome(Make<TLabel>(&tsOnline, "lblMVXHome")),
      lblImageLibrary(Make<TLabel>(&tsOnline, "lblImageLibrary")),
      lblFeedback(Make<TLabel>(&tsOnline, "lblFeedback")),
      lblOnlineStore(Make<TLabel>(&tsOnline, "lblOnlineStore")),
      lblTutorial(Make<TLabel>(&tsOnline, "lblTutorial")),
      pnlDesignOptions(Make<TPanel>(nullptr, "pnlDesignOptions")),
      chkSaveEachChange(Make<TCheckBox>(&pnlDesignOptions, "chkSaveEachChange")),
      chkSaveLastChange(Make<TCheckBox>(&pnlDesignOptions, "chkSaveLastChange")),
      chkSendChangeNotification(Make<TCheckBox>(&pnlDesignOptions, "chkSendChangeNotification")),
      chkConfirmAdditions(Make<TCheckBox>(&pnlDesignOptions, "chkConfirmAdditions")),
      chkOnTray(Make<TCheckBox>(&pnlDesignOptions, "chkOnTray")),
      gbxShowOnly(Make<TGroupBox>(&pnlDesignOptions, "gbxShowOnly")),
      rdoTiled(Make<TRadioButton>(&gbxShowOnly, "rdoTiled")),
      rdoCentred(Make<TRadioButton>(&gbxShowOnly, "rdoCentred")),
      rdoAll(Make<TRadioButton>(&gbxShowOnly, "rdoAll")),
      chkManualOverride(Make<TCheckBox>(&pnlDesignOptions, "chkManualOverride")),
      chkHeartbeat(Make<TCheckBox>(&pnlDesignOptions, "chkHeartbeat")),
      chkChangeDuringSaver(Make<TCheckBox>(&pnlDesignOptions, "chkChangeDuringSaver")),
      chkSyncWithManualChange(Make<TCheckBox>(&pnlDesignOptions, "chkSyncWithManualChange")),
      chkDefaultEnabled(Make<TCheckBox>(&pnlDesignOptions, "chkDefaultEnabled")),
      chkDefaultTiled(Make<TCheckBox>(&pnlDesignOptions, "chkDefaultTiled")),
      chkMoveRename(Make<TCheckBox>(&pnlDesignOptions, "chkMoveRename")),
      lbxNORenames(Make<TListBox>(&pnlDesignOptions, "lbxNORenames")),
      lbxNOPollFiles(Make<TListBox>(&pnlDesignOptions, "lbxNOPollFiles")),
      chkTinkle(Make<TCheckBox>(&pnlDesignOptions, "chkTinkle")),
      remote(*this, ports),
      tmrSlide(ports.timers),
      InputTimeout1(ports.timers),
      ports_(ports),
      app_(app),
      folders_(folders),
      tray_(tray),
      volumes_(ports.files, ports.clock),
      desk_(ports.monitors) {
  BuildControls();
  ConnectHandlers();
}

// A pending action (a save) runs now, while the members it uses still live;
// the notifier, destroyed before them, would run it too late.
TFrmMain::~TFrmMain() {
  ports_.pictures.CancelLoad();
  try {
    InputTimeout1.Flush();
  } catch (...) {
    // Nothing can report a failure while the window is being torn down.
  }
}

void TFrmMain::BuildControls() {
  SetCaption("Murovex");
  SetClientSize(402, 443);
  HelpContext = 1;

  Placed(pgMain, "", 5, 5, 392, 405);
  Placed(tsPreview, "&Preview", 0, 0, 384, 377).HelpContext = 4;
  Placed(tsSlideshow, "&Slideshow", 0, 0, 384, 377).HelpContext = 5;
  Placed(tsOptions, "O&ptions", 0, 0, 384, 377).HelpContext = 6;
  Placed(tsOnline, "&Online", 0, 0, 384, 377).HelpContext = 7;
  for (TTabSheet* page : {&tsPreview, &tsSlideshow, &tsOptions, &tsOnline}) pgMain.AddPage(page);
  remote.keys.Build();
  pgMain.SetActivePage(&tsPreview);

  Placed(pnlButtons, "", 0, 415, 402, 28);
  Placed(lblHints, "", 8, 7, 170, 16);
  Placed(pbrProgress, "", 160, 7, 80, 14).SetVisible(false);
  pbrProgress.SetHint("Progress bar.");
  Placed(btnHelp, "Help", 244, 2, 75, 24);
  Placed(btnOK, "&OK", 323, 2, 75, 24);
  btnOK.IsDefault = true;
  btnOK.IsCancel = true;

  Placed(pnlPreviewImage, "", 4, 4, 376, PreviewPanelHeight);
  Placed(pnlImageMessage, "File Not Found", 0, 0, 376, PreviewPanelHeight);
  BuildToolbar();
  Placed(pnlGrid, "", 4, tbrMainToolbar.Top() + tbrMainToolbar.Height(), 376,
         373 - tbrMainToolbar.Top() - tbrMainToolbar.Height());
  BuildPreview();

  Placed(gbxInterval, " Slideshow ", 8, 8, 368, 126);
  Placed(chkAutoChange, "&Enable Slideshow", 12, 18, 200, 18).SetBold(true);
  chkAutoChange.SetChecked(true);
  Placed(lblChangeEvery, "C&hange every:", 12, 46, 80, 16);
  Placed(edtHrs, "", 94, 42, 36, 22);
  Placed(updHrs, "", 130, 42, 16, 22);
  Placed(lblHrs, "hrs", 150, 46, 30, 16);
  Placed(edtMins, "", 182, 42, 36, 22);
  Placed(updMins, "", 218, 42, 16, 22);
  Placed(lblMins, "mins", 238, 46, 30, 16);
  Placed(edtSecs, "", 272, 42, 36, 22);
  Placed(updSecs, "", 308, 42, 16, 22);
  Placed(lblSecs, "secs", 328, 46, 30, 16);
  updHrs.Setup(&edtHrs, 0, 72, 1, 0);
  updMins.Setup(&edtMins, 0, 59, 1, 5);
  updSecs.Setup(&edtSecs, 0, 59, 5, 0);
  Placed(chkRandom, "&Random Order", 12, 74, 200, 18).SetChecked(true);
  Placed(chkWaitFullScreen, "Wait while a &full-screen program runs", 12, 98, 300, 18).SetChecked(true);

  Placed(gbxStartup, " Startup ", 8, 142, 368, 70);
  Placed(chkStartWithWindows, "Start with &Windows", 12, 20, 250, 18).SetChecked(true);
  Placed(chkChangeOnStartup, "&Change Wallpaper on Startup", 12, 44, 250, 18).SetChecked(true);

  Placed(gbxFileSizes, " Display ", 8, 220, 368, 80);
  Placed(chkLimitImageSize, "&Limit wallpaper size to:", 12, 22, 170, 18);
  Placed(edtMaxImageSize, "", 186, 20, 56, 22);
  Placed(updImageSize, "", 242, 20, 16, 22);
  Placed(lblImageKBytes, "k bytes", 264, 24, 60, 16);
  updImageSize.Setup(&edtMaxImageSize, 0, 32000, 250, 1500);
  Placed(chkLimitPreviewSize, "Limit &preview size to:", 12, 50, 170, 18).SetChecked(true);
  Placed(edtMaxPreviewSize, "", 186, 48, 56, 22);
  Placed(updPreviewSize, "", 242, 48, 16, 22);
  Placed(lblPreviewKBytes, "k bytes", 264, 52, 60, 16);
  updPreviewSize.Setup(&edtMaxPreviewSize, 0, 32000, 250, 250);
  Placed(chkShowHints, "Show H&ints on Startup", 12, 290, 200, 18).SetChecked(true);
  chkShowHints.SetVisible(false);
  Placed(chkStretch, "Stretch Wallpaper to F&ull Screen", 12, 310, 200, 18).SetChecked(true);
  chkStretch.SetVisible(false);

  Placed(gbxGeneral, " General ", 8, 8, 368, 132);
  Placed(chkToolbarHints, "Show &hints for toolbar buttons", 12, 20, 300, 18).SetChecked(true);
  Placed(chkConfirmExit, "Ask before e&xiting", 12, 42, 300, 18).SetChecked(true);
  Placed(chkConfirmDeleteDisk, "Ask before &deleting files from disk", 12, 64, 300, 18).SetChecked(true);
  Placed(chkAskBeforeRemoving, "Ask before &removing files", 12, 86, 300, 18).SetChecked(true);
  Placed(chkShowSplash, "Show splash screen on startup", 12, 108, 300, 18).SetChecked(true);

  Placed(gbxNewWallpaper, " New Wallpaper ", 8, 148, 368, 104);
  Placed(chkPollForChange, "&Check for Wallpaper every:", 12, 22, 190, 18).SetChecked(true);
  Placed(edtPollInterval, "", 206, 20, 40, 22);
  Placed(updPollInterval, "", 246, 20, 16, 22);
  Placed(lblPollSecs, "secs.", 268, 24, 40, 16);
  updPollInterval.Setup(&edtPollInterval, 0, 100, 5, 5);
  Placed(lblPollFileName, "File Name:", 12, 52, 60, 16);
  Placed(edtPollFileName, "", 76, 48, 280, 22);
  edtPollFileName.SetText("Netscape Wallpaper.bmp");
  Placed(chkPromptNameForNewWP, "Always prompt for name of new wallpaper", 12, 78, 300, 18).SetChecked(true);
  Placed(chkPicturePerMonitor, "Show a different picture on each monitor", 20, 348, 340, 18).SetChecked(true);

  Placed(gbxBitmapEditor, " Picture  Editor ", 8, 260, 368, 80);
  Placed(rdoDefaultEditor, "Use Windows default editor", 12, 20, 250, 18).SetChecked(true);
  Placed(rdoSelectedEditor, "Other editor:", 12, 48, 100, 18);
  Placed(edtSelectedEditor, "", 114, 46, 172, 22);
  edtSelectedEditor.SetText("pbrush.exe");
  Placed(btnSelectEditor, "Select", 292, 45, 64, 24);
  edtSelectedEditor.SetEnabled(false);
  btnSelectEditor.SetEnabled(false);

  Placed(lblVisit, "Visit us on the Web", 16, 16, 300, 20).SetBold(true);
  Placed(bvlVisit, "", 16, 38, 352, 4).Rule = true;
  Placed(lblHome, "Kestrane Software Home Page", 32, 56, 320, 18);
  Placed(lblMVXHome, "Murovex Home Page", 32, 84, 320, 18);
  Placed(lblImageLibrary, "Kestrane's Wallpaper and Image Gallery", 32, 112, 320, 18);
  Placed(lblFeedback, "Send us your Comments", 32, 140, 320, 18);
  Placed(lblOnlineStore, "Buy Murovex from our Online Store", 32, 168, 320, 18).SetVisible(false);
  Placed(lblTutorial, "Capturing Wallpaper from the Web - Tutorial", 32, 196, 320, 18).SetVisible(false);
  for (TLabel* link : {&lblHome, &lblMVXHome, &lblImageLibrary, &lblFeedback, &lblOnlineStore, &lblTutorial}) {
    link->Link = true;
  }

  // The fixed options: never shown, never stored.
  Placed(pnlDesignOptions, "Design Time Options", 0, 0, 402, 443).SetVisible(false);
  Placed(chkSaveEachChange, "Sa&ve each change to wallpaper.", 8, 8, 250, 18).SetChecked(true);
  Placed(chkSaveLastChange, "S&ave last change to wallpaper.", 8, 28, 250, 18);
  Placed(chkSendChangeNotification, "SendChangeNotification", 8, 48, 250, 18).SetChecked(true);
  Placed(chkConfirmAdditions, "When addi&ng records", 8, 68, 250, 18);
  Placed(chkOnTray, "Place icon on tra&y", 8, 88, 250, 18);
  Placed(gbxShowOnly, " Show Only ", 8, 108, 250, 80);
  Placed(rdoTiled, "&Tiled Images", 8, 16, 200, 18);
  Placed(rdoCentred, "Ce&ntered Images", 8, 36, 200, 18);
  Placed(rdoAll, "&Doesn't Matter", 8, 56, 200, 18).SetChecked(true);
  Placed(chkManualOverride, "Stop slideshow when a &manual change is detected.", 8, 196, 300, 18);
  Placed(chkHeartbeat, "Each slide &resets screen saver countdown timer.", 8, 216, 300, 18);
  Placed(chkChangeDuringSaver, "Chan&ge wallpaper even if screen saver is active.", 8, 236, 300, 18);
  Placed(chkSyncWithManualChange, "Slideshow s&ynchronizes with manual change.", 8, 256, 300, 18).SetChecked(true);
  // Shown grayed in the design: new entries take neither value from it.
  Placed(chkDefaultEnabled, "Enabled", 8, 276, 100, 18);
  Placed(chkDefaultTiled, "Tiled", 8, 296, 100, 18).SetChecked(true);
  Placed(chkMoveRename, "", 8, 316, 100, 18).SetChecked(true);
  Placed(lbxNORenames, " Input Files ", 8, 336, 200, 40)
      .SetItems({"Internet Explorer Wallpaper.bmp", "Netscape Wallpaper.bmp"});
  Placed(lbxNOPollFiles, " Polling ", 210, 336, 180, 40)
      .SetItems({"Netscape Wallpaper.bmp", "Internet Explorer Wallpaper.bmp"});
  Placed(chkTinkle, "&Tinkle On Detection", 8, 380, 200, 18).SetChecked(true);

  tmrSlide.SetEnabled(false);
  tmrSlide.SetInterval(0);
  InputTimeout1.Enabled = true;
  InputTimeout1.WaitTime = 2250;
  InputTimeout1.Loaded();
}

}  // namespace mvx

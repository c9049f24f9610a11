#include <exception>
#include <utility>

#include "app/error.h"
#include "app/form_scaling.h"
#include "app/paths.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

void Trace(Ports& ports, const std::string& text, std::uintptr_t window) {
  SendTrace(ports.trace, text, window);
}

}  // namespace

void TFrmMain::FormCreate() {
  Trace(ports_, "FormCreate", Handle);
  msgPrivateShutdown = ports_.instance.RegisterMessage("ShutdownMurovex");
  if (msgMyWindowMessageHandle == 0) msgMyWindowMessageHandle = ports_.instance.RegisterMessage("RestoreMurovex");
  booCreating = true;
  booCloseFromMenu = false;
  booCloseWindows = false;
  booSettingsIO = false;
  lblHints.SetCaption("");
  BaseCaption = Caption();
  // The clock's milliseconds, folded into the generator's 32 bits.
  const double ms = ports_.clock.LocalNow() * 86400000.0;
  random_.seed(static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms > 0 ? ms : 0) & 0xFFFFFFFFu));
  screenPixelsPerInch_ = ports_.system.LogPixelsY();
  AdjustFormScaling(this, screenPixelsPerInch_, ports_.trace);
  booHoldTimers = true;
  settingsFile_ = ChangeFileExt(folders_.programPath, ".INI");
  helpFile_ = ChangeFileExt(folders_.programPath, ".hlp");
  app_.HelpFile = helpFile_;
  HelpContext = 1;
  ports_.shell.AcceptDrops(Handle, true);
  gridClientWidth_ = dbgrdInventory.ClientWidth();
  dataDir_ = folders_.programDir + "\\Images";
  ImportDir = folders_.programDir;

  std::exception_ptr failure;
  try {
    CreateSteps();
  } catch (...) {
    failure = std::current_exception();
  }
  if (app_.Terminated()) return;
  FinalStage();
  if (failure) std::rethrow_exception(failure);
}

// Steps from the detection lists to the slideshow cursor; a failure here
// still lets the final stage run.
void TFrmMain::CreateSteps() {
  PollFiles.clear();
  PollStamps.clear();
  pgMain.SetActivePage(&tsPreview);
  const bool firstRun = !ports_.files.FileExists(settingsFile_);
  LoadOrSaveSettings(true, true);
  BuildPollList();

  try {
    cdtData.CreateDataSet();
  } catch (...) {
    ports_.prompts.Show("Error 101: Unable to open database.  Closing application.", "Murovex", PromptKind::Error,
                        PromptButtons::Ok);
    app_.Terminate();
    app_.ProcessMessages();
    return;
  }

  const std::string defaultDir = folders_.programDir + "\\Images";
  std::string oldDir;
  if (LowerAZ(dataDir_) != LowerAZ(defaultDir)) {
    oldDir = LowerAZ(dataDir_);
    dataDir_ = defaultDir;
  }
  booBatchUpdate = true;
  try {
    EnterDataDirectory(dataDir_);
    if (!oldDir.empty()) RelocateDataDirEntries(oldDir);
  } catch (...) {
    booBatchUpdate = false;
    throw;
  }
  booBatchUpdate = false;

  cdtSlideShow.CloneCursor(cdtData);
  cdtInventory.CloneCursor(cdtData);
  SizeGridColumns();

  if (firstRun) FirstRun();
  startupShortcutDue_ = true;  // brought in line once the window shows
  if (!FindCurrentInList()) LocateInInventory(ReadLastWallpaper());
  SyncSlideCursor();
}

// A run is the first when no settings file exists yet; the settings are
// written at once, so the next start is not taken for a first run again.
// A settings file that cannot be written is reported once, and the first
// run and the rest of start-up still go on.
void TFrmMain::FirstRun() {
  Trace(ports_, "FrmMain.FormCreate: First Run", Handle);
  BringToForeground();
  const std::string text =
      updMins.Position() > 0
          ? "Slideshow will change your wallpaper every " + std::to_string(updMins.Position()) + " minutes.\r"
          : "Slideshow will change your wallpaper every " + std::to_string(updSecs.Position()) + " seconds.\r";
  ports_.prompts.Show(text + "You can change this interval on the Options page.", "Murovex", PromptKind::Information,
                      PromptButtons::Ok);
  try {
    LoadOrSaveSettings(false, true);
  } catch (const AppError& e) {
    app_.HandleException(e, Handle);
  }
  // The bitmaps of the Windows folder, and the wallpapers Windows brings
  // with it under Web\Wallpaper, in folders by theme.
  AddBitmapsInFolders({folders_.windowsDir}, {folders_.windowsDir + "\\web\\wallpaper"});
  ports_.help.ShowContents();
  ports_.help.ShowTopic(2);
  helpOpened_ = true;
}

bool TFrmMain::ShowsAtStart(const std::vector<std::string>& args) {
  return !args.empty() && args[0] == ":";
}

void TFrmMain::FinalStage() {
  booHoldTimers = false;
  std::exception_ptr failure;
  try {
    desk_.ReadLayout();
    UpdateMonitorOption();
    if (chkChangeOnStartup.Checked()) {
      if (Splash != nullptr) Splash->EndSplash();
      ShowNextSlide();
      FindCurrentInList();
    } else if (desk_.Spans() && !desk_.Pictures().empty()) {
      // The monitors show again the pictures they showed, fitted to the
      // monitors as they are now.
      SetMonitorPictures(desk_.Pictures(), true);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  tray_.TrayIcon1.CanShowMenu = true;
  try {
    if (ShowsAtStart(ports_.system.CommandLineArgs())) Show();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  // The start-up shortcut is brought in line once the window shows: with
  // the option on, the shortcut is written anew, which takes the shell's
  // link object and longer than the rest of start-up after the icon. Not
  // when start-up failed before its turn (the option may not be loaded).
  try {
    if (std::exchange(startupShortcutDue_, false)) UpdateStartupShortcut();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  // Start-up is over (the window shown first, when it shows): the list
  // leaves the view of its file, so that no program is kept from the file
  // and a removable drive may go.
  cdtData.LeaveFileView();
  booCreating = false;
  // A command this start was given is carried out as the running program's would be.
  try {
    remote.RunAtStart();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) {
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      app_.HandleException(e, Handle);
    }
  }
}

void TFrmMain::EnterDataDirectory(const std::string& dir) {
  if (ports_.files.ChangeDirectory(dir).ok()) {
    LoadInventory();
    return;
  }
  if (!ports_.files.MakeDirectory(dir).ok()) {
    BringToForeground();
    ports_.prompts.Show("Error: Unable to create data directory (" + dir + ").", "Murovex", PromptKind::Error,
                        PromptButtons::Ok);
    return;
  }
  if (ports_.files.ChangeDirectory(dir).ok()) {
    LoadInventory();
  } else {
    BringToForeground();
    ports_.prompts.Show("Error: Unable to make data directory current (" + dir + ").", "Murovex", PromptKind::Error,
                        PromptButtons::Ok);
  }
}

bool TFrmMain::WndProc(std::uint32_t message) {
  if (message == 0) return false;
  if (message == msgMyWindowMessageHandle) {
    Trace(ports_, "FrmMain.WndProc = msgMyWindowMessageHandle", Handle);
    Show();
    if (State() == WindowState::Minimized) SetState(WindowState::Normal);
    BringToForeground();
    return true;
  }
  if (message == msgPrivateShutdown) {
    Trace(ports_, "FrmMain.WndProc = msgPrivateShutdown", Handle);
    booCloseWindows = true;
    Close();
    return true;
  }
  return false;
}

void TFrmMain::mnuClose1Click(TObject*) {
  Trace(ports_, "FrmMain: mnuClose1Click", Handle);
  booCloseFromMenu = true;
  Close();
}

bool TFrmMain::Close() {
  if (closed_) return true;
  bool canClose = true;
  FormCloseQuery(canClose);
  // The question lets messages through: a shutdown may have closed meanwhile.
  if (closed_) return true;
  if (!canClose) return false;
  FormClose();
  return true;
}

void TFrmMain::FormCloseQuery(bool& canClose) {
  if (booCloseFromMenu) {
    Trace(ports_, "FrmMain: FormCloseQuery - booCloseFromMenu", Handle);
    booCloseFromMenu = false;
    canClose = true;
    if (chkConfirmExit.Checked()) {
      const PromptAnswer answer =
          ports_.prompts.Show("Exiting Murovex will disable Slideshow and Wallpaper Detection.\rExit Now?", "Murovex",
                              PromptKind::Confirmation, PromptButtons::YesNoCancel);
      canClose = answer == PromptAnswer::Yes;
    }
  } else if (booCloseWindows) {
    Trace(ports_, "FrmMain: FormCloseQuery - booCloseWindows", Handle);
    canClose = true;
  } else {
    Trace(ports_, "FrmMain: FormCloseQuery - else", Handle);
    canClose = false;
    HideToTray(this);
  }
}

// The close box does what OK does: save, hide, keep running.
void TFrmMain::HideToTray(TObject* sender) {
  btnOKClick(sender);
}

void TFrmMain::FormClose() {
  Trace(ports_, "FrmMain: FormClose", Handle);
  closed_ = true;
  try {
    CloseProcessing();
  } catch (...) {
    app_.Terminate();
    throw;
  }
  app_.Terminate();
}

bool TFrmMain::WMQueryEndSession(std::uint32_t message) {
  Trace(ports_, "TFrmMain.WMQueryEndSession  " + std::to_string(message), Handle);
  booCloseWindows = true;
  bool canClose = true;
  FormCloseQuery(canClose);
  if (!canClose) return false;
  // Windows is ending: a failure of the close work is traced, never shown,
  // and never stops the end of the session.
  try {
    CloseProcessing();
  } catch (const std::exception& e) {
    Trace(ports_, std::string("Exception: ") + e.what(), Handle);
  } catch (...) {
    Trace(ports_, "Exception: unknown error", Handle);
  }
  return true;
}

// A cancelled end of the session leaves the program as it was: the close
// box hides again instead of ending the program.
void TFrmMain::WMEndSession(bool ending) {
  if (!ending) booCloseWindows = false;
}

void TFrmMain::CloseProcessing() {
  Trace(ports_, "FrmMain: CloseProcessing Begun", Handle);
  std::exception_ptr failure;
  try {
    AdjustFormScaling(&frmStartup, screenPixelsPerInch_, ports_.trace);
    frmStartup.ShowNotice("Shutting Down Murovex");
    InputTimeout1.Flush();
    app_.ProcessMessages();
    std::string path;
    DisplayMode mode = DisplayMode::Tile;
    GetCurrentWallpaper(path, mode);
    // The composed picture is set again; the primary monitor's picture is
    // the one a start with one monitor goes on from.
    SaveLastWallpaper(IsOwnPicture(path) && !desk_.Primary().empty() ? desk_.Primary() : path);
    SetWallpaper(path, mode, true);
  } catch (...) {
    failure = std::current_exception();
  }
  Trace(ports_, "FrmMain: CloseProcessing Done", Handle);
  frmStartup.Hide();
  if (failure) std::rethrow_exception(failure);
}

void TFrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  tray_.RestoreDesktopIcons();
  if (helpOpened_) ports_.help.Quit();
  if (ports_.files.FileExists(folders_.workingBitmapPath)) ports_.files.Delete(folders_.workingBitmapPath);
  ports_.shell.AcceptDrops(Handle, false);
  Trace(ports_, "FormDestroy", Handle);
}

void TFrmMain::FormHide() {
  if (Splash != nullptr) Splash->CloseSplash();
}

void TFrmMain::ShowHelpContents() {
  ports_.help.ShowContents();
  helpOpened_ = true;
}

void TFrmMain::ShowContextHelp() {
  const TTabSheet* page = pgMain.ActivePage();
  ports_.help.ShowTopic(page != nullptr && page->HelpContext > 0 ? page->HelpContext : HelpContext);
  helpOpened_ = true;
}

void TFrmMain::ShowMurovex1Click(TObject*) {
  if (!Visible()) pgMain.SetActivePage(&tsPreview);
  Show();
  if (State() == WindowState::Minimized) SetState(WindowState::Normal);
  BringToForeground();
}

}  // namespace mvx

#include <algorithm>

#include "adding/add_choices.h"
#include "adding/file_name_rules.h"
#include "app/paths.h"
#include "app/settings_file.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// Sets a flag for a block and clears it however the block is left.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// Holds the timers for a block and gives back the hold it found: a save
// during start-up must not let the timers through before start-up ends.
class HoldScope {
 public:
  explicit HoldScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~HoldScope() { flag_ = before_; }
  HoldScope(const HoldScope&) = delete;
  HoldScope& operator=(const HoldScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

// Copies every option between the controls and the settings file, in the
// file's order. While it runs, change handlers hand nothing over.
void TFrmMain::LoadOrSaveSettings(bool loading, bool restorePosition) {
  SettingsFile ini(ports_.profile, settingsFile_, &ports_.files);
  FlagScope io(booSettingsIO);

  auto check = [&](const char* section, const char* key, TCheckBox& box) {
    if (loading) {
      box.SetChecked(ini.ReadBool(section, key, box.Checked()));
    } else {
      ini.WriteBool(section, key, box.Checked());
    }
  };
  auto number = [&](const char* section, const char* key, TUpDown& upDown) {
    if (loading) {
      upDown.SetPosition(ini.ReadInteger(section, key, upDown.Position()));
    } else {
      ini.WriteInteger(section, key, upDown.Position());
    }
  };
  auto text = [&](const char* section, const char* key, TEdit& edit) {
    if (loading) {
      edit.SetText(ini.ReadString(section, key, edit.Text()));
    } else {
      ini.WriteString(section, key, edit.Text());
    }
  };
  auto string = [&](const char* section, const char* key, std::string& value) {
    if (loading) {
      value = ini.ReadString(section, key, value);
    } else {
      ini.WriteString(section, key, value);
    }
  };

  if (loading) {
    dataDir_ = LowerAZ(ini.ReadString("Directories", "DataDir", LowerAZ(dataDir_)));
  } else {
    ini.WriteString("Directories", "DataDir", dataDir_);
  }
  string("Directories", "ImportDir", ImportDir);
  string("Directories", "DBFileName", DBFileName);
  // The data file lies in the data folder: a stored name that is a path, or
  // no name a file can have, gives way to the default.
  if (loading && !IsUsableFileName(DBFileName)) DBFileName = kDefaultDataFileName;

  if (loading) {
    PreviewPanelHeight = ini.ReadInteger("Preview", "PreviewPanelHeight", PreviewPanelHeight);
    LayoutPreviewPage();
  } else {
    ini.WriteInteger("Preview", "PreviewPanelHeight", PreviewPanelHeight);
  }

  if (loading) {
    check("General", "StartWithWindows", chkStartWithWindows);
  } else {
    // The shortcut follows the box only when the stored value differs (or is missing).
    const bool stored = ini.ReadBool("General", "StartWithWindows", !chkStartWithWindows.Checked());
    if (stored != chkStartWithWindows.Checked()) UpdateStartupShortcut();
    ini.WriteBool("General", "StartWithWindows", chkStartWithWindows.Checked());
  }
  check("General", "Verbose", chkShowSplash);
  check("General", "LimitImageSize", chkLimitImageSize);
  number("General", "MaxImageSize", updImageSize);
  check("General", "LimitPreviewSize", chkLimitPreviewSize);
  number("General", "MaxPreviewSize", updPreviewSize);
  check("General", "ToolbarHints", chkToolbarHints);
  if (loading) {
    rdoDefaultEditor.SetChecked(ini.ReadBool("General", "UseDefaultEditor", rdoDefaultEditor.Checked()));
  } else {
    ini.WriteBool("General", "UseDefaultEditor", rdoDefaultEditor.Checked());
  }
  text("General", "SelectedEditor", edtSelectedEditor);
  if (loading) UpdateEditorControls();

  if (loading) {
    if (restorePosition) {
      const int top = ini.ReadInteger("Positions", "MainTop", -1);
      ClampMainPosition(ini.ReadInteger("Positions", "MainLeft", -1), top);
    }
  } else {
    ini.WriteInteger("Positions", "MainTop", Top());
    ini.WriteInteger("Positions", "MainLeft", Left());
  }

  check("Confirmation", "ConfirmExit", chkConfirmExit);
  check("Confirmation", "ConfirmDeleteDisk", chkConfirmDeleteDisk);
  check("Confirmation", "ConfirmRemoveList", chkAskBeforeRemoving);

  check("Slideshow", "AutoChange", chkAutoChange);
  number("Slideshow", "SlideHrs", updHrs);
  number("Slideshow", "SlideMins", updMins);
  number("Slideshow", "SlideSecs", updSecs);
  if (loading) ApplySlideInterval();
  check("Slideshow", "Random", chkRandom);
  check("Slideshow", "ChangeOnStartup", chkChangeOnStartup);
  check("Slideshow", "WaitFullScreen", chkWaitFullScreen);

  check("AutoDetect", "Polling", chkPollForChange);
  text("AutoDetect", "Poll File Name", edtPollFileName);
  number("AutoDetect", "PollInterval", updPollInterval);
  if (loading) ApplyPollInterval(this);
  check("AutoDetect", "PromptForName", chkPromptNameForNewWP);
  LoadOrSaveAddChoices(ini, frmItemInfo, loading);
  remote.keys.LoadOrSave(ini, loading);
  check("Monitors", "PicturePerMonitor", chkPicturePerMonitor);
  if (loading) {
    desk_.enabled = chkPicturePerMonitor.Checked();
    desk_.Restore(ini.ReadString("Monitors", "Pictures", ""));
  }
}

void TFrmMain::SaveSettings() {
  HoldScope hold(booHoldTimers);
  LoadOrSaveSettings(false, true);
}

void TFrmMain::SlideTimerSettingsChanged(TObject*) {
  ApplySlideInterval();
  booEditingInterval = false;
  if (!booSettingsIO) SaveSettings();
}

std::string TFrmMain::ReadLastWallpaper() {
  return SettingsFile(ports_.profile, settingsFile_).ReadString("Slideshow", "LastWallpaper", "");
}

void TFrmMain::SaveLastWallpaper(const std::string& path) {
  SettingsFile(ports_.profile, settingsFile_).WriteString("Slideshow", "LastWallpaper", path);
}

// Places the main window at left, top, kept on the screen; the window
// moves once.
void TFrmMain::ClampMainPosition(int left, int top) {
  const int screenHeight = ports_.system.ScreenHeight();
  const int screenWidth = ports_.system.ScreenWidth();
  if (top > screenHeight) top = screenHeight - Height();
  if (left > screenWidth) left = screenWidth - Width();
  SetPosition(std::max(left, 0), std::max(top, 0));
}

void TFrmMain::UpdateEditorControls() {
  rdoSelectedEditor.SetChecked(!rdoDefaultEditor.Checked());
  edtSelectedEditor.SetEnabled(rdoSelectedEditor.Checked());
  btnSelectEditor.SetEnabled(rdoSelectedEditor.Checked());
}

void TFrmMain::GenericSettingsChange(TObject* sender) {
  if (booSettingsIO) return;
  InputTimeout1.Schedule(sender, [this](TObject*) { SaveSettings(); });
}

void TFrmMain::chkToolbarHintsClick(TObject* sender) {
  GenericSettingsChange(sender);
  toolbarHints = chkToolbarHints.Checked();
  tbrMainToolbar.SetShowHint(toolbarHints);
}

void TFrmMain::rdoDefaultEditorClick(TObject* sender) {
  UpdateEditorControls();
  GenericSettingsChange(sender);
}

void TFrmMain::StartupSettingsChange(TObject* sender) {
  if (booSettingsIO) return;
  InputTimeout1.Schedule(sender, [this](TObject*) { UpdateStartupShortcut(); });
}

void TFrmMain::chkLimitImageSizeClick(TObject* sender) {
  if (!booSettingsIO) InputTimeout1.Schedule(sender, [this](TObject*) { SaveSettings(); });
  // Entering and cancelling an edit makes the grid's view work out the
  // size mark again with the new limit.
  if (cdtInventory.State() == DataSetState::Browse && !cdtInventory.IsEmpty()) {
    try {
      cdtInventory.Edit();
    } catch (...) {
    }
    cdtInventory.Cancel();
  }
}

void TFrmMain::edtMaxImageSizeChange(TObject* sender) {
  if (ActiveControl() == &updImageSize || ActiveControl() == &edtMaxImageSize) chkLimitImageSizeClick(sender);
}

void TFrmMain::edtMaxPreviewSizeChange(TObject* sender) {
  if (ActiveControl() == &updPreviewSize || ActiveControl() == &edtMaxPreviewSize) GenericSettingsChange(sender);
}

void TFrmMain::updImageSizeClick(TObject*) {
  SetActiveControl(&edtMaxImageSize);
}

void TFrmMain::updPreviewSizeClick(TObject*) {
  SetActiveControl(&edtMaxPreviewSize);
}

void TFrmMain::edtPollFileNameChange(TObject* sender) {
  // While the settings load, the list is built right after them; handing
  // over an inventory save then could only write a table not loaded yet.
  if (booSettingsIO) return;
  InputTimeout1.Schedule(sender, [this](TObject*) {
    BuildPollList();
    SaveInventory();
  });
}

void TFrmMain::btnSelectEditorClick(TObject*) {
  OpenFileRequest request;
  request.title = "Select Editor";
  request.defaultExt = "exe";
  request.fileName = "*.exe";
  request.initialDir = folders_.windowsDir;
  request.filters = {{"Executable Files", "*.exe"}, {"All Files", "*.*"}};
  request.mustExist = true;
  request.hideReadOnly = true;
  if (auto chosen = ports_.dialogs.OpenFile(request)) edtSelectedEditor.SetText(*chosen);
}

void TFrmMain::btnOKClick(TObject* sender) {
  HoldScope hold(booHoldTimers);
  LoadOrSaveSettings(false, true);
  ScheduleInventorySave(sender);
  InputTimeout1.Flush();
  Hide();
  ShowPreviewPrompt();
}

}  // namespace mvx

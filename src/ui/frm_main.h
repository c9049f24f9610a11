#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/atomic_file.h"
#include "app/trace.h"
#include "app/file_info.h"
#include "app/input_timeout.h"
#include "adding/frm_item_info.h"
#include "app/system_folders.h"
#include "app/volumes.h"
#include "control/full_screen_wait.h"
#include "control/shuffle_deck.h"
#include "control/wallpaper_history.h"
#include "control/remote_control.h"
#include "monitors/monitor_desk.h"
#include "slideshow/slide_picker.h"
#include "forms/form.h"
#include "forms/picture_controls.h"
#include "forms/timer.h"
#include "forms/data_grid.h"
#include "forms/keys.h"
#include "forms/menu.h"
#include "forms/toolbar.h"
#include "inventory/dataset.h"
#include "inventory/frm_properties.h"
#include "inventory/inventory_grid.h"
#include "platform/ports.h"
#include "ui/frm_startup.h"
#include "ui/display_mode_menu.h"
#include "ui/frm_tray.h"
#include "ui/splash.h"
#include "ui/version_info.h"
#include "ui/web_links.h"
#include "wallpaper/change_watch.h"

namespace mvx {

// The main window: every option control, the inventory's data sets, the
// timers and the deferred change notifier, and the handlers of the program.
// Its behaviour is split by concern over several files:
//   app/main_lifecycle.cpp      start-up, single instance, closing
//   app/settings.cpp            the settings file and the option handlers
//   inventory/inventory_ops.cpp the inventory's operations
//   wallpaper/wallpaper_setter.cpp  setting and reading the wallpaper
//   wallpaper/wallpaper_detection.cpp  wallpaper put on the desktop by others
//   slideshow/slide_selection.cpp   choosing the next slide
//   slideshow/slide_timer.cpp       the slideshow timer and interval
//   adding/*.cpp                    taking pictures into the inventory
class TFrmMain : public TForm {
 public:
  TFrmMain(Ports& ports, TApplication& app, const SystemFolders& folders, TFrmTray& tray);
  ~TFrmMain() override;

  // ---- start-up, instance and closing (app/main_lifecycle.cpp)
  void FormCreate();
  // Started with the single parameter ":", the main window shows at the end
  // of start-up instead of the program staying in the notification area.
  static bool ShowsAtStart(const std::vector<std::string>& args);
  // A registered message arrived; true when it was handled here.
  bool WndProc(std::uint32_t message);
  void mnuClose1Click(TObject* sender);
  // A close request (menu, close box, shutdown message); true when the
  // window closed and the program ends.
  bool Close();
  void FormCloseQuery(bool& canClose);
  void FormClose();
  // WM_QUERYENDSESSION; returns the answer to the system.
  bool WMQueryEndSession(std::uint32_t message);
  void CloseProcessing();
  void FormDestroy();
  void FormHide();
  void ShowMurovex1Click(TObject* sender);
  // The Help button and the tray's "&Contents".
  void ShowHelpContents();
  // F1: the help topic of the page shown, or the window's own.
  void ShowContextHelp();
  // WM_ENDSESSION: the session ends, or its end was cancelled.
  void WMEndSession(bool ending);
  void EnterDataDirectory(const std::string& dir);
  bool Closed() const { return closed_; }

  // ---- settings (app/settings.cpp)
  void LoadOrSaveSettings(bool loading, bool restorePosition);
  void SaveSettings();
  void SlideTimerSettingsChanged(TObject* sender);
  std::string ReadLastWallpaper();
  void SaveLastWallpaper(const std::string& path);
  void ClampMainPosition(int left, int top);
  void UpdateEditorControls();
  void GenericSettingsChange(TObject* sender);
  void chkToolbarHintsClick(TObject* sender);
  void rdoDefaultEditorClick(TObject* sender);
  void StartupSettingsChange(TObject* sender);
  void chkLimitImageSizeClick(TObject* sender);
  void edtMaxImageSizeChange(TObject* sender);
  void edtMaxPreviewSizeChange(TObject* sender);
  void updImageSizeClick(TObject* sender);
  void updPreviewSizeClick(TObject* sender);
  void edtPollFileNameChange(TObject* sender);
  void btnSelectEditorClick(TObject* sender);
  void btnOKClick(TObject* sender);
  const std::string& SettingsPath() const { return settingsFile_; }

  // ---- inventory (inventory/inventory_ops.cpp)
  void LoadInventory();
  void SaveInventory();
  // Hands SaveInventory to the notifier with the given sender.
  void ScheduleInventorySave(TObject* sender);
  void RelocateDataDirEntries(const std::string& oldDir);
  bool LocateInInventory(const std::string& path);
  bool IsKnownPicture(const std::string& path);
  bool IsKnownPictureWithMode(const std::string& path, DisplayMode mode);
  void SyncSlideCursor();
  void ShowPictureCount();
  const std::string& DataDir() const { return dataDir_; }
  void SetDataDir(const std::string& dir) { dataDir_ = dir; }
  std::string DataFilePath() const;

  // ---- wallpaper (wallpaper/wallpaper_setter.cpp)
  void SetWallpaper(const std::string& path, DisplayMode mode, bool save);
  // The same with the desktop's values given outright (the composed picture's
  // span); mode is what the program remembers as shown.
  void SetWallpaperStyled(const std::string& path, DesktopStyle style, DisplayMode mode, bool save);
  void ReadDesktopWallpaper(std::string& path, DisplayMode& mode);
  void GetCurrentWallpaper(std::string& path, DisplayMode& mode);
  void ShowWallpaperName(const std::string& name);
  // The caption of the program's message boxes: the application's title,
  // which names the wallpaper once one is set.
  std::string MessageCaption() const { return app_.Title().empty() ? BaseCaption : app_.Title(); }
  void RestartSlideTimer();
  void tbnSetWallpaperClick(TObject* sender);
  void mnuSetWallpaper1Click(TObject* sender);
  void imgDesktopClick(TObject* sender);
  void dbgrdInventoryDblClick(TObject* sender);
  void tbnNoneClick(TObject* sender);
  bool FindCurrentInList();
  // "Sync": the grid goes to the wallpaper on screen (ui/frm_main_toolbar.cpp).
  void tbnFindInListClick(TObject* sender);
  // The tray's "&Disable this Wallpaper" and "Change Displa&y Mode" (inventory/item_commands.cpp).
  void DisableThisWallpaperImage1Click(TObject* sender);
  void mnuToggleTiledClick(TObject* sender);
  // The tray's "Display &Mode": the wallpaper on screen in the mode chosen.
  void SetCurrentDisplayMode(DisplayMode mode, TObject* sender);
  // The display mode of the wallpaper on screen when it is a listed picture.
  std::optional<DisplayMode> CurrentWallpaperMode();

  // ---- the inventory grid and its commands (inventory/grid_commands.cpp)
  void mnuGridPopup(TObject* sender);
  void dbgrdInventoryContextPopup(TObject* sender);
  void mnuEnabled1Click(TObject* sender);
  // F4: the next display mode for the grid's picture; the submenu sets one.
  void CycleDisplayModeClick(TObject* sender);
  void SetGridDisplayMode(DisplayMode mode);
  void tbnFirstClick(TObject* sender);
  void tbnPrevClick(TObject* sender);
  void tbnNextClick(TObject* sender);
  void tbnLastClick(TObject* sender);
  // The Preview page's keys; true when the key is used up and goes no further.
  bool FormKeyDown(std::uint16_t key, TShiftState shift);
  void ShowPropertiesDialog();
  // Enabled and Tile 20 pixels wide, the file name the rest of the grid.
  void SizeGridColumns();

  // ---- slides (slideshow/slide_selection.cpp, slideshow/slide_timer.cpp)
  // True when a picture was set.
  bool ShowNextSlide();
  // A change the user asks for (control/wallpaper_steps.cpp), never held
  // back by a full-screen program or the screen saver; true when a picture
  // was set. Next goes forward through the history after a step back, and
  // picks anew at its end; Previous steps back past vanished and disabled
  // pictures.
  bool StepNextWallpaper();
  bool StepPreviousWallpaper();
  // Something lies behind in the history (the tray's Previous is enabled).
  bool CanStepPrevious();
  void GetNextSlideInfo(std::string& path, DisplayMode& mode, bool& saveEach);
  SlideRules CurrentSlideRules() const;
  std::optional<SlideChoice> PickSlide(const SlideRules& rules, bool& passedOverAway);

  // ---- a picture for each monitor (monitors/monitor_wallpaper.cpp)
  // The primary's picture, then the slideshow's next picks for the others.
  std::vector<std::string> PicksForMonitors(const std::string& primary);
  // Composes the pictures, one a monitor, and sets the composed file; a
  // failure sets the primary's picture alone.
  void SetMonitorPictures(std::vector<std::string> pictures, bool save);
  // The monitors changed (added, removed, moved, rescaled): the same
  // pictures composed again for them.
  void WMDisplayChange();
  // The option follows the monitors: disabled while there is one.
  void UpdateMonitorOption();
  // A picture set by hand goes to the monitor of the main window (the
  // primary while the window is hidden); the others keep theirs.
  void SetOnWindowMonitor(const std::string& path);
  void chkPicturePerMonitorClick(TObject* sender);
  // The program's own pictures, never taken in: the working bitmap and the
  // composed desktop picture.
  bool IsOwnPicture(const std::string& path);
  MonitorDesk& Desk() { return desk_; }
  bool PassesTileFilter(DisplayMode mode) const;
  void ApplySlideInterval();
  void chkAutoChangeClick(TObject* sender);
  void tmrSlideTimer(TObject* sender);
  void GenericSlideTimerChange(TObject* sender);
  void edtHrsEnter(TObject* sender);
  void edtHrsExit(TObject* sender);
  void updHrsClick(TObject* sender);
  void gbxIntervalExit(TObject* sender);
  void RunSlideshow1Click(TObject* sender);
  std::string SlideIntervalText() const;

  // ---- adding one picture (adding/add_picture.cpp, adding/copy_options.cpp)
  void AddPictureFile(const std::string& path, DisplayMode mode);
  void AddDetectedWallpaper(const std::string& path, DisplayMode mode);
  // The mode a picture's size proposes while no choice is remembered
  // (adding/first_choice.cpp).
  DisplayMode ModeBySize(const std::string& path);
  // Writes the dialog's remembered choices into the settings file at once;
  // a failure is traced, the choices stay remembered (adding/add_choices.cpp).
  void SaveAddChoices();
  // The copy-option dialog. On acceptance path holds the new full path,
  // copy whether the Copy choice was made and mode the chosen display mode
  // (mode carries the caller's mode in).
  bool AskCopyOptions(const std::string& caption, std::string& path, bool fromClipboard, int initialOption,
                      int enabledOptions, bool& copy, DisplayMode& mode);
  bool ConfirmOverwrite(const std::string& path);
  std::string MakeUniqueName(const std::string& fileName);
  bool IsInputFileName(const std::string& path) const;
  bool CopyOrMoveFile(const std::string& source, const std::string& target, bool copy);
  // before: the source's size and time read before it was moved or copied,
  // which list the file when the target cannot be read.
  bool StoreEntry(const std::string& source, const std::string& target, bool keepMode, DisplayMode mode,
                  const std::optional<FileFacts>& before = std::nullopt);

  // ---- moving, removing and deleting pictures, and editing them (fileops/*.cpp)
  void tbnMoveClick(TObject* sender);
  void tbnRemoveClick(TObject* sender);
  void tbnDeleteClick(TObject* sender);
  // The questions before a Delete or a Remove; true when the user confirmed.
  bool ConfirmDelete();
  bool ConfirmRemove();
  void mnuEdit1Click(TObject* sender);

  // ---- batch sources (adding/batch_sources.cpp, adding/clipboard_paste.cpp)
  void AddFiles(const std::vector<std::string>& files, bool confirm);
  void mnuAdd1Click(TObject* sender);
  // WM_DROPFILES with its drop handle.
  void WMDropFiles(std::uintptr_t drop);
  // The pictures directly in each of folders, then those anywhere under each
  // of trees, as one batch.
  void AddBitmapsInFolders(const std::vector<std::string>& folders, const std::vector<std::string>& trees = {});
  void mnuSetWallpaperfromClipboardClick(TObject* sender);
  bool SaveClipboardBitmap(const std::string& path);

  // ---- picture lists (adding/list_import.cpp; the export: adding/frm_export.cpp)
  // Imports each list of the paths in order as one batch, emptying `lists` as it goes.
  void ImportPictureLists(const std::vector<std::string>& lists);
  void ImportPictureList(const std::string& list);

  // ---- wallpaper put on the desktop by others (wallpaper/wallpaper_detection.cpp)
  // WM_SETTINGCHANGE; section is the changed section's name, empty when none was given.
  void WMSettingChange(const std::string& section);
  // A burst of changes of the desktop key or the Windows folder; false while busy.
  bool ExamineChanges(const WatchedChanges& changes);
  void PollForWallpaper(const std::string& folder, const std::vector<std::string>& names);
  // Takes in the wallpaper a desktop names, with its question, unless it is known or gone.
  void OfferDesktopWallpaper(const std::string& path, DisplayMode mode);

  // ---- the detection's lists and the start-up shortcut (ui/frm_main_options.cpp)
  void ApplyPollInterval(TObject* sender);
  void BuildPollList();
  void UpdateStartupShortcut();

  // ---- the Online page's links and the about box (ui/frm_main_online.cpp)
  void lblHomeClick(TObject* sender);
  void Label8Click(TObject* sender);
  void Label9Click(TObject* sender);
  void Label6Click(TObject* sender);
  void lblMVXHomeClick(TObject* sender);
  void lblTutorialClick(TObject* sender);
  // The about box, also the tray's "&About...".
  void About1Click(TObject* sender);

  // What the entry made before the windows: the splash window, the browser
  // links and the version texts; absent ones are left out.
  TSplashScreen* Splash = nullptr;
  TWebLinks* Links = nullptr;
  const VersionTable* Versions = nullptr;

  // ---- the preview pane (ui/preview_pane.cpp)
  void ShowPreviewPrompt();
  void LoadPreview(bool force);
  void pnlImageMessageClick(TObject* sender);
  void ShowSlideshowPosition();
  void Splitter1Moved(TObject* sender);
  // Places the preview, the splitter, the toolbar and the grid from PreviewPanelHeight.
  void LayoutPreviewPage();

  // ---- flags
  bool booCreating = false;
  // Start-up got as far as the shortcut's turn; it is done once the window shows.
  bool startupShortcutDue_ = false;
  bool booHoldTimers = false;
  bool booSettingsIO = false;
  bool booBatchUpdate = false;
  bool booBusy = false;
  bool booChangingSlide = false;
  bool booEditingInterval = false;
  bool booCloseFromMenu = false;
  bool booCloseWindows = false;

  // ---- remembered wallpapers
  std::string LastSavedWallpaper;
  DisplayMode LastSavedDisplay = DisplayMode::Centre;
  std::string LastSetWallpaper;
  DisplayMode LastSetDisplay = DisplayMode::Centre;
  std::string BaseCaption;

  // ---- registered messages
  std::uint32_t msgMyWindowMessageHandle = 0;
  std::uint32_t msgPrivateShutdown = 0;

  // ---- detection lists (filled by the detection)
  std::vector<std::string> PollFiles;
  std::vector<std::string> PollStamps;
  // The browser file that detection took in most recently, and where it went.
  std::string LastDetectedSource;
  std::string LastDetectedTarget;

  // ---- page area and button row
  TPageControl& pgMain;
  TTabSheet& tsPreview;
  TTabSheet& tsSlideshow;
  TTabSheet& tsOptions;
  TTabSheet& tsOnline;
  TPanel& pnlButtons;
  TLabel& lblHints;
  TProgressBar& pbrProgress;
  TButton& btnHelp;
  TButton& btnOK;

  // ---- preview page
  TPanel& pnlPreviewImage;
  TMessagePanel& pnlImageMessage;
  TImage& imgDesktop;
  TSplitter& Splitter1;
  TToolBar& tbrMainToolbar;
  TToolButton& tbnFindInList;
  TToolButton& tbnSetWallpaper;
  TToolButton& tbnNone;
  TToolButton& tbnAddFiles;
  TToolButton& tbnMove;
  TToolButton& tbnRemove;
  TToolButton& tbnDelete;
  TToolButton& tbnFirst;
  TToolButton& tbnPrev;
  TToolButton& tbnNext;
  TToolButton& tbnLast;
  TPanel& pnlGrid;
  TDBGrid& dbgrdInventory;
  TMenuItem mnuGrid{"mnuGrid"};
  TMenuItem& mnuEnabled1;
  DisplayModeMenu mnuDisplayMode1;
  TMenuItem& mnuSetWallpaper1;
  TMenuItem& mnuEdit1;
  TMenuItem& mnuProperties1;

  // ---- slideshow page
  TGroupBox& gbxInterval;
  TCheckBox& chkAutoChange;
  TLabel& lblChangeEvery;
  TEdit& edtHrs;
  TUpDown& updHrs;
  TLabel& lblHrs;
  TEdit& edtMins;
  TUpDown& updMins;
  TLabel& lblMins;
  TEdit& edtSecs;
  TUpDown& updSecs;
  TLabel& lblSecs;
  TCheckBox& chkRandom;
  TGroupBox& gbxStartup;
  TCheckBox& chkStartWithWindows;
  TCheckBox& chkChangeOnStartup;
  TCheckBox& chkWaitFullScreen;
  TGroupBox& gbxFileSizes;
  TCheckBox& chkLimitImageSize;
  TEdit& edtMaxImageSize;
  TUpDown& updImageSize;
  TLabel& lblImageKBytes;
  TCheckBox& chkLimitPreviewSize;
  TEdit& edtMaxPreviewSize;
  TUpDown& updPreviewSize;
  TLabel& lblPreviewKBytes;
  TCheckBox& chkShowHints;
  TCheckBox& chkStretch;

  // ---- options page
  TGroupBox& gbxGeneral;
  TCheckBox& chkToolbarHints;
  TCheckBox& chkConfirmExit;
  TCheckBox& chkConfirmDeleteDisk;
  TCheckBox& chkAskBeforeRemoving;
  TCheckBox& chkShowSplash;
  TGroupBox& gbxNewWallpaper;
  TCheckBox& chkPollForChange;
  TEdit& edtPollInterval;
  TUpDown& updPollInterval;
  TLabel& lblPollSecs;
  TLabel& lblPollFileName;
  TEdit& edtPollFileName;
  TCheckBox& chkPromptNameForNewWP;
  TGroupBox& gbxBitmapEditor;
  TRadioButton& rdoDefaultEditor;
  TRadioButton& rdoSelectedEditor;
  TEdit& edtSelectedEditor;
  TButton& btnSelectEditor;
  TCheckBox& chkPicturePerMonitor;

  // ---- online page
  TLabel& lblVisit;
  TLabel& bvlVisit;
  TLabel& lblHome;
  TLabel& lblMVXHome;
  TLabel& lblImageLibrary;
  TLabel& lblFeedback;
  TLabel& lblOnlineStore;
  TLabel& lblTutorial;

  // ---- hidden panel of fixed options
  TPanel& pnlDesignOptions;
  TCheckBox& chkSaveEachChange;
  TCheckBox& chkSaveLastChange;
  TCheckBox& chkSendChangeNotification;
  TCheckBox& chkConfirmAdditions;
  TCheckBox& chkOnTray;
  TGroupBox& gbxShowOnly;
  TRadioButton& rdoTiled;
  TRadioButton& rdoCentred;
  TRadioButton& rdoAll;
  TCheckBox& chkManualOverride;
  TCheckBox& chkHeartbeat;
  TCheckBox& chkChangeDuringSaver;
  TCheckBox& chkSyncWithManualChange;
  TCheckBox& chkDefaultEnabled;
  TCheckBox& chkDefaultTiled;
  TCheckBox& chkMoveRename;
  TListBox& lbxNORenames;
  TListBox& lbxNOPollFiles;
  TCheckBox& chkTinkle;

  // ---- the "&Keys" page and the commands of another start (control/remote_control.h)
  RemoteControl remote;

  // ---- non-visual parts
  TTimer tmrSlide;
  TInputTimeout InputTimeout1;
  TClientDataSet cdtData{"cdtData"};
  TClientDataSet cdtInventory{"cdtInventory"};
  TClientDataSet cdtSlideShow{"cdtSlideShow"};
  TFrmStartup frmStartup;
  TfrmItemInfo frmItemInfo;
  TfrmProperties frmProperties{cdtInventory};

  // Toolbar hints shown (from "Show &hints for toolbar buttons").
  bool toolbarHints = true;
  int PreviewPanelHeight = 185;
  std::string ImportDir;
  static constexpr const char* kDefaultDataFileName = "GDB.CDS";
  std::string DBFileName = kDefaultDataFileName;

 private:
  void BuildControls();
  void BuildToolbar();
  void ConnectToolbarHandlers();
  void BuildPreview();
  void ConnectPreviewHandlers();
  void PreviewLoaded(const std::string& path, PictureLoad loaded);
  void PreviewFailed(const std::string& path, PictureLoadFault fault);
  void ConnectHandlers();
  void ConnectInventoryHandlers();
  void ReadInventory();
  // Deletes what writes cut short by a crash left in the data directory
  // (app/write_leftovers.cpp).
  void RemoveWriteLeftovers();
  void ConnectOnlineHandlers();
  void OpenPage(const char* pageKey);
  void SetUpGrid();
  void DeleteFromNavigator(TObject* sender);
  void CreateSteps();
  void FinalStage();
  void FirstRun();
  void HideToTray(TObject* sender);
  void RememberPolledStamp(const std::string& path);
  void ExamineDesktopKey();

  Ports& ports_;
  TApplication& app_;
  SystemFolders folders_;
  TFrmTray& tray_;
  // Wakes the detection when the desktop key or the Windows folder changes.
  ChangeWatch changeWatch_{ports_.watches, ports_.timers, ports_.clock};
  // The desktop's wallpaper and mode as the detection last examined them.
  std::string desktopSeen_;
  std::mt19937 random_;
  // Tells a gone file from one whose drive is away (app/volumes.h).
  VolumeCheck volumes_;
  // The pictures of the monitors (monitors/monitor_desk.h).
  MonitorDesk desk_;
  // The random slideshow's deck, the wallpapers set, and the slideshow's
  // change held while a full-screen program runs (control/*.cpp).
  ShuffleDeck deck_{ports_.files, random_, [this](const std::string& t) { SendTrace(ports_.trace, t, Handle); }};
  WallpaperHistory history_{ports_.files, [this](const std::string& t) { SendTrace(ports_.trace, t, Handle); }};
  FullScreenWait fullScreenWait_{ports_.system, ports_.timers};
  bool steppingHistory_ = false;
  // A set from the history goes on the desktop without a new history item.
  bool ShowHistoryItem(const WallpaperHistory::Item& item);
  // The wallpaper just set joins the history (wallpaper/wallpaper_setter.cpp).
  void RecordShown(const std::string& path);
  // Entries that changed their key: the deck and the history follow them.
  void FollowMovedEntries(const std::vector<std::pair<std::string, std::string>>& moves);
  std::string settingsFile_;
  std::string helpFile_;
  std::string dataDir_;
  // The data file was read (or made new), so a save may replace it.
  bool inventorySaveAllowed_ = false;
  // What the last save wrote, so an unchanged list is not written again.
  WrittenFile dataFileWritten_;
  // The data file read is of version 1: the first save keeps it beside the new one.
  bool dataFileIsVersion1_ = false;
  int gridClientWidth_ = 0;
  int screenPixelsPerInch_ = 96;
  bool closed_ = false;
  // The copy-option dialog, one of its questions or a batch is under way and
  // may be waiting for the user; the tray's paste does nothing meanwhile.
  bool adding_ = false;
  bool destroyed_ = false;
  bool helpOpened_ = false;
  // The grid's rows: the records of cdtInventory.
  InventoryGridSource gridSource_{cdtInventory};
  // The message panel shows the prompt; a click on it loads the picture.
  bool previewClickToLoad_ = false;
  // How the preview shows the picture it holds (ui/preview_pane.cpp).
  DisplayMode previewMode_ = DisplayMode::Tile;
  int previewOrientation_ = 1;
};

}  // namespace mvx

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/entry.h"
#include "inventory/data_file.h"
#include "shared/bitmap_bytes.h"
#include "unit/entry_builder.h"
#include "unit/main_fixture.h"

namespace mvx {
namespace {

using testing::KeyedEntry;
using testing::MainFixture;

TEST(SingleInstance, TakesTheMutexOrAsksTheRunningInstanceToShowItself) {
  struct Case {
    MutexWait wait;
    bool runs;
  };
  for (Case c : {Case{MutexWait::Acquired, true}, Case{MutexWait::Abandoned, true}, Case{MutexWait::Timeout, false}}) {
    fakes::FakeInstance instance;
    instance.mutexResult = c.wait;
    const InstanceClaim claim = ClaimSingleInstance(instance);
    EXPECT_EQ(claim.run, c.runs);
    EXPECT_EQ(instance.mutexNames, std::vector<std::string>{"Murovex"});
    EXPECT_EQ(instance.registered.front(), "RestoreMurovex");
    if (c.runs) {
      EXPECT_TRUE(instance.broadcasts.empty());
    } else {
      EXPECT_EQ(instance.broadcasts, std::vector<std::uint32_t>{claim.restoreMessage});
    }
  }
}

class LifecycleTest : public MainFixture {
 protected:
  void Start(const std::string& ini = "[Slideshow]\r\nChangeOnStartup=0\r\n") {
    fakes.files.Put(IniPath(), ini);
    Build();
  }
};

TEST_F(LifecycleTest, StartUpTracesHoldsNothingAndEnablesTheTrayMenuAtTheEnd) {
  Start("[Slideshow]\r\nChangeOnStartup=0\r\n");
  EXPECT_EQ(fakes.trace.Texts().at(1), "FormCreate") << "right after the tray form's";
  EXPECT_FALSE(main->booCreating);
  EXPECT_FALSE(main->booHoldTimers);
  EXPECT_TRUE(tray->TrayIcon1.CanShowMenu);
  EXPECT_FALSE(main->Visible()) << "without \":\" only the tray icon shows";
  EXPECT_TRUE(fakes.files.DirectoryExists(ImagesDir()));
  EXPECT_EQ(fakes.files.CurrentDirectory(), "c:\\apps\\murovex\\images") << "the stored folder, read in lower case";
}

// The list is loaded from a view of its file, which is let go once start-up
// is over: the file can then be replaced (which a view forbids), and the
// list is whole.
TEST_F(LifecycleTest, StartUpLetsTheViewOfTheDataFileGoWithTheListWhole) {
  const std::string data = ImagesDir() + "\\GDB.CDS";
  fakes.files.AddDir(ImagesDir());
  fakes.files.Put(data, EncodeDataFile({KeyedEntry("b.bmp", "C:\\Q"), KeyedEntry("c.bmp", "C:\\P")}));
  fakes.files.Put(data + ".other", "other");
  Start();
  ASSERT_EQ(main->cdtData.RecordCount(), 2);
  ASSERT_TRUE(fakes.files.MoveReplace(data + ".other", data));
  main->cdtData.Last();
  EXPECT_EQ(main->cdtData.Fields().LCFilename, "c.bmp");
  EXPECT_EQ(main->cdtData.Fields().Location, "C:\\P");
}

TEST_F(LifecycleTest, OnlyAFirstParameterOfExactlyAColonShowsTheMainWindow) {
  for (const auto& [args, shown] : std::vector<std::pair<std::vector<std::string>, bool>>{
           {{":"}, true}, {{"a:b"}, false}, {{"::"}, false}, {{"x", ":"}, false}, {{}, false}}) {
    fakes::FakePorts local;
    local.files.AddDir("C:\\Apps\\Murovex");
    local.files.Put("C:\\Apps\\Murovex\\Murovex.INI", "[Slideshow]\r\nChangeOnStartup=0\r\n");
    local.system.args = args;
    TApplication localApp(local.ports);
    SystemFolders f = ComputeSystemFolders(local.system);
    TFrmTray t(local.ports);
    TFrmMain m(local.ports, localApp, f, t);
    m.FormCreate();
    EXPECT_EQ(m.Visible(), shown) << (args.empty() ? "(none)" : args[0]);
  }
}

TEST_F(LifecycleTest, FirstRunTellsTheIntervalOpensHelpAndIsRememberedAcrossRuns) {
  Build();
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.FormCreate: First Run"));
  ASSERT_EQ(fakes.prompts.shown.size(), 2u);
  EXPECT_EQ(fakes.prompts.shown[0].text,
            "Slideshow will change your wallpaper every 5 minutes.\rYou can change this interval on the Options page.");
  EXPECT_EQ(fakes.prompts.shown[1].text, "No images selected for slideshow!") << "the list is still empty";
  EXPECT_EQ(fakes.help.calls, (std::vector<std::string>{"contents", "topic 2"}));
  EXPECT_TRUE(fakes.files.FileExists(IniPath()));

  tray.reset();
  main.reset();
  fakes.prompts.shown.clear();
  fakes.trace.sent.clear();
  Build();
  EXPECT_FALSE(fakes.trace.Saw("FrmMain.FormCreate: First Run"));
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "the slideshow was switched off and that was saved";
  EXPECT_FALSE(main->chkAutoChange.Checked());
}

TEST_F(LifecycleTest, AFirstRunWhoseSettingsCannotBeWrittenSaysSoOnceAndFinishesStartingUp) {
  fakes.files.AddDir("C:\\WINDOWS\\Web\\Wallpaper");
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\hills.bmp", testing::BitmapBytes(2, 2));
  fakes.profile.refuseWrites = true;
  fakes.prompts.ScriptModal([](TForm&) { return ModalResult::Ok; });
  Build();
  std::vector<std::string> writeErrors;
  for (const std::string& text : fakes.prompts.Texts()) {
    if (text.find("Unable to write to ") != std::string::npos) writeErrors.push_back(text);
  }
  EXPECT_EQ(writeErrors, std::vector<std::string>{"Exception: Unable to write to " + IniPath()});
  EXPECT_EQ(main->cdtData.RecordCount(), 1) << "the Windows folder's pictures were still taken in";
  EXPECT_EQ(fakes.help.calls, (std::vector<std::string>{"contents", "topic 2"}));
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "hills.bmp") << "the picture is selected";
  EXPECT_FALSE(main->booCreating);
  EXPECT_TRUE(tray->TrayIcon1.CanShowMenu);
}

TEST_F(LifecycleTest, FirstRunNamesSecondsWhenTheIntervalHasNoMinutes) {
  // No settings file: a first run, with the interval of 1 h 0 min 30 s.
  Build(false);
  main->updHrs.SetPosition(1);
  main->updMins.SetPosition(0);
  main->updSecs.SetPosition(30);
  main->FormCreate();
  ASSERT_FALSE(fakes.prompts.shown.empty());
  EXPECT_EQ(
      fakes.prompts.shown[0].text,
      "Slideshow will change your wallpaper every 30 seconds.\rYou can change this interval on the Options page.");
}

TEST_F(LifecycleTest, RestoreMessageShowsTheWindowRestoredAndInFront) {
  Start();
  main->SetState(WindowState::Minimized);
  EXPECT_TRUE(main->WndProc(main->msgMyWindowMessageHandle));
  EXPECT_TRUE(main->Visible());
  EXPECT_EQ(main->State(), WindowState::Normal);
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.WndProc = msgMyWindowMessageHandle"));
  EXPECT_FALSE(main->WndProc(0x0010)) << "other messages go to the standard handling";
}

TEST_F(LifecycleTest, ShutdownMessageEndsWithoutAQuestionEvenWhenAskingIsOn) {
  Start();
  ASSERT_TRUE(main->chkConfirmExit.Checked());
  EXPECT_TRUE(main->WndProc(main->msgPrivateShutdown));
  EXPECT_TRUE(main->Closed());
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  for (const char* t : {"FrmMain.WndProc = msgPrivateShutdown", "FrmMain: FormCloseQuery - booCloseWindows",
                        "FrmMain: FormClose", "FrmMain: CloseProcessing Begun", "FrmMain: CloseProcessing Done"}) {
    EXPECT_TRUE(fakes.trace.Saw(t)) << t;
  }
  EXPECT_FALSE(main->frmStartup.Visible());
  EXPECT_EQ(main->frmStartup.lblMessage.Caption(), "Shutting Down Murovex");
}

TEST_F(LifecycleTest, CloseCommandAsksAndOnlyYesEnds) {
  Start();
  fakes.prompts.Script(PromptAnswer::No);
  main->mnuClose1Click(nullptr);
  EXPECT_FALSE(main->Closed());
  fakes.prompts.Script(PromptAnswer::Cancel);
  main->mnuClose1Click(nullptr);
  EXPECT_FALSE(main->Closed());
  EXPECT_FALSE(main->booCloseFromMenu);
  ASSERT_EQ(fakes.prompts.shown.size(), 2u) << "the next Close asks again";
  EXPECT_EQ(fakes.prompts.shown[0].text, "Exiting Murovex will disable Slideshow and Wallpaper Detection.\rExit Now?");
  EXPECT_EQ(fakes.prompts.shown[0].buttons, PromptButtons::YesNoCancel);
  fakes.prompts.Script(PromptAnswer::Yes);
  main->mnuClose1Click(nullptr);
  EXPECT_TRUE(main->Closed());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(LifecycleTest, CloseCommandWithoutAskingEndsAtOnce) {
  Start("[Confirmation]\r\nConfirmExit=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n");
  tray->mnuClose.Click();
  EXPECT_TRUE(main->Closed());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(fakes.trace.Saw("FrmMain: mnuClose1Click"));
}

TEST_F(LifecycleTest, TheCloseBoxSavesAndHidesAndTheProgramGoesOn) {
  Start();
  main->Show();
  main->chkRandom.SetChecked(false);
  EXPECT_FALSE(main->Close());
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(main->Closed());
  EXPECT_FALSE(app.Terminated());
  EXPECT_EQ(Ini("Slideshow", "Random"), "0");
  EXPECT_TRUE(fakes.trace.Saw("FrmMain: FormCloseQuery - else"));
}

TEST_F(LifecycleTest, EndOfSessionAgreesAndRunsTheCloseWork) {
  Start();
  EXPECT_TRUE(main->WMQueryEndSession(17));
  EXPECT_TRUE(fakes.trace.Saw("TFrmMain.WMQueryEndSession  17"));
  EXPECT_TRUE(fakes.trace.Saw("FrmMain: CloseProcessing Done"));
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(LifecycleTest, EndOfSessionGoesOnWhenTheCloseWorkFailsAndShowsNothing) {
  Start();
  fakes.files = fakes::FakeFiles();  // the settings file can no longer be written
  EXPECT_TRUE(main->WMQueryEndSession(17));
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(fakes.trace.Saw("Exception: Unable to write to C:\\Apps\\Murovex\\Murovex.INI"));
}

TEST_F(LifecycleTest, ACancelledEndOfSessionLetsTheCloseBoxHideAgain) {
  Start();
  EXPECT_TRUE(main->WMQueryEndSession(17));
  main->WMEndSession(false);
  main->Show();
  EXPECT_FALSE(main->Close());
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(app.Terminated());
}

TEST_F(LifecycleTest, AShutdownWhileTheExitQuestionIsOpenClosesOnce) {
  Start();
  fakes.prompts.whileOpen = [&] {
    fakes.prompts.whileOpen = nullptr;
    main->WndProc(main->msgPrivateShutdown);
  };
  fakes.prompts.Script(PromptAnswer::Yes);
  main->mnuClose1Click(nullptr);
  EXPECT_TRUE(main->Closed());
  int begun = 0;
  for (const auto& t : fakes.trace.Texts()) begun += t == "FrmMain: CloseProcessing Begun";
  EXPECT_EQ(begun, 1);
}

TEST_F(LifecycleTest, ClosingRecordsTheWallpaperOnScreenAndSetsItOnceMore) {
  Start("[Slideshow]\r\nChangeOnStartup=0\r\n");
  fakes.registry.Put("HKCU\\Control Panel\\Desktop", "Wallpaper", {kRegSz, "C:\\Pics\\Sea.bmp"});
  fakes.registry.Put("HKCU\\Control Panel\\Desktop", "TileWallpaper", {kRegSz, "0"});
  main->WndProc(main->msgPrivateShutdown);
  EXPECT_EQ(Ini("Slideshow", "LastWallpaper"), "c:\\pics\\sea.bmp");
  ASSERT_FALSE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().path, "c:\\pics\\sea.bmp");
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u);
  EXPECT_EQ(fakes.registry.Get("HKCU\\Control Panel\\Desktop", "TILEWALLPAPER")->data, "0");
}

TEST_F(LifecycleTest, DataDirectoryThatCannotBeMadeIsReportedAndStartUpGoesOn) {
  fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
  fakes.files.FailOn(fakes::FileOp::MakeDirectory, 5);
  Build();
  ASSERT_EQ(fakes.prompts.Texts().size(), 1u);
  EXPECT_EQ(fakes.prompts.Texts()[0], "Error: Unable to create data directory (c:\\apps\\murovex\\images).");
  EXPECT_TRUE(tray->TrayIcon1.CanShowMenu);
}

TEST_F(LifecycleTest, DataDirectoryThatCannotBeEnteredIsReported) {
  fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
  fakes.files.FailOn(fakes::FileOp::ChangeDirectory, 5, 2);
  Build();
  ASSERT_EQ(fakes.prompts.Texts().size(), 1u);
  EXPECT_EQ(fakes.prompts.Texts()[0], "Error: Unable to make data directory current (c:\\apps\\murovex\\images).");
}

TEST_F(LifecycleTest, DestroyDeletesTheWorkingBitmapAndTracesOnce) {
  Start();
  fakes.files.Put("c:\\apps\\murovex\\murovex.bmp", "BM");
  main->FormDestroy();
  main->FormDestroy();
  EXPECT_FALSE(fakes.files.FileExists("C:\\Apps\\Murovex\\Murovex.bmp"));
  int destroys = 0;
  for (const auto& t : fakes.trace.Texts()) destroys += t == "FormDestroy";
  EXPECT_EQ(destroys, 1);
}

TEST_F(LifecycleTest, HelpOpensThePageShownAndIsClosedAtTheEnd) {
  Start();
  main->pgMain.SetActivePage(&main->tsOptions);
  main->ShowContextHelp();
  main->pgMain.SetActivePage(&main->tsOnline);
  main->ShowContextHelp();
  main->btnHelp.Click();
  main->FormDestroy();
  EXPECT_EQ(fakes.help.calls, (std::vector<std::string>{"topic 6", "topic 7", "contents", "quit"}));
}

TEST_F(LifecycleTest, ShowingFromTheTrayOpensThePreviewPageWhenHidden) {
  Start();
  main->pgMain.SetActivePage(&main->tsOptions);
  tray->mnuShowMurovex.Click();
  EXPECT_TRUE(main->Visible());
  EXPECT_EQ(main->pgMain.ActivePage(), &main->tsPreview);
  main->pgMain.SetActivePage(&main->tsOptions);
  tray->mnuShowMurovex.Click();
  EXPECT_EQ(main->pgMain.ActivePage(), &main->tsOptions) << "a shown window keeps its page";
}

// Idle in the tray nothing is pending, and no timer wakes the program but
// the slideshow's, due when the next change is, and the poll of what the
// system cannot watch.
struct IdleCase {
  const char* what;
  const char* ini;
  std::set<std::string> unwatchable;
  std::size_t timers;
};

void PrintTo(const IdleCase& c, std::ostream* out) {
  *out << c.what;
}

class IdleInTheTrayTest : public MainFixture, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(IdleInTheTrayTest, ArmsNoTimerButWhatIsDue) {
  fakes.registry.Put("HKCU\\Control Panel\\Desktop", "Wallpaper", RegValue{kRegSz, ""});
  fakes.watches.unwatchable = GetParam().unwatchable;
  fakes.files.Put(IniPath(), GetParam().ini);
  Build();
  fakes.time.Advance(2000);  // the examination at start is over
  EXPECT_EQ(fakes.time.ActiveTimers(), GetParam().timers);
  fakes.time.Advance(10 * 60 * 1000);
  EXPECT_EQ(fakes.time.ActiveTimers(), GetParam().timers) << "ten minutes later";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Idle, IdleInTheTrayTest, ::testing::Values(
    IdleCase{"the slideshow every hour", "[Slideshow]\r\nChangeOnStartup=0\r\nAutoChange=1\r\nSlideHrs=1\r\n"
             "SlideMins=0\r\nSlideSecs=0\r\n", {}, 1},
    IdleCase{"the slideshow off", "[Slideshow]\r\nChangeOnStartup=0\r\nAutoChange=0\r\n", {}, 0},
    IdleCase{"a Windows folder without notifications, polled", "[Slideshow]\r\nChangeOnStartup=0\r\nAutoChange=0\r\n"
             "[AutoDetect]\r\nPollInterval=7\r\n", {"C:\\WINDOWS"}, 1},
    IdleCase{"nothing watchable, polling off", "[Slideshow]\r\nChangeOnStartup=0\r\nAutoChange=0\r\n"
             "[AutoDetect]\r\nPolling=0\r\n", {"C:\\WINDOWS", "HKCU\\Control Panel\\Desktop"}, 0}));
// clang-format on

}  // namespace
}  // namespace mvx

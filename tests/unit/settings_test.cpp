#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>

#include "app/profile_values.h"
#include "shared/settings_defaults.h"
#include "unit/main_fixture.h"

namespace mvx {
namespace {

using testing::MainFixture;

TEST(ProfileInteger, ReadsDecimalAndPrefixedHexadecimalOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  for (const Case& c :
       {Case{"10", 10}, Case{"-3", -3}, Case{"+7", 7}, Case{"0x0A", 10}, Case{"0X1f", 31}, Case{"0xFFFFFFFF", -1},
        Case{"0x", std::nullopt}, Case{"ten", std::nullopt}, Case{"", std::nullopt}, Case{"12abc", std::nullopt},
        Case{"yes", std::nullopt}, Case{"2147483648", std::nullopt}, Case{"-2147483648", INT32_MIN},
        Case{"0x1G", std::nullopt}, Case{"0x-1", std::nullopt}, Case{" 5", std::nullopt}}) {
    EXPECT_EQ(ParseProfileInteger(c.text), c.value) << "\"" << c.text << "\"";
  }
}

class SettingsTest : public MainFixture {
 protected:
  // Start-up changes no wallpaper in these tests (an empty inventory would
  // switch the slideshow off), unless the text says otherwise.
  void WithIni(const std::string& text) {
    const bool ownSlideshow = text.find("[Slideshow]") != std::string::npos;
    fakes.files.Put(IniPath(), (ownSlideshow ? "" : "[Slideshow]\r\nChangeOnStartup=0\r\n") + text);
  }
};

TEST_F(SettingsTest, AnEmptyFileGivesTheDesignValuesAndTheTopLeftCorner) {
  WithIni("");
  Build();
  EXPECT_TRUE(main->chkStartWithWindows.Checked());
  EXPECT_TRUE(main->chkShowSplash.Checked());
  EXPECT_FALSE(main->chkLimitImageSize.Checked());
  EXPECT_EQ(main->updImageSize.Position(), 1500);
  EXPECT_TRUE(main->chkLimitPreviewSize.Checked());
  EXPECT_EQ(main->updPreviewSize.Position(), 250);
  EXPECT_TRUE(main->chkToolbarHints.Checked());
  EXPECT_TRUE(main->rdoDefaultEditor.Checked());
  EXPECT_FALSE(main->rdoSelectedEditor.Checked());
  EXPECT_FALSE(main->edtSelectedEditor.Enabled());
  EXPECT_EQ(main->edtSelectedEditor.Text(), "pbrush.exe");
  EXPECT_TRUE(main->chkConfirmExit.Checked());
  EXPECT_TRUE(main->chkAutoChange.Checked());
  EXPECT_EQ(main->updHrs.Position(), 0);
  EXPECT_EQ(main->updMins.Position(), 5);
  EXPECT_EQ(main->updSecs.Position(), 0);
  EXPECT_TRUE(main->chkRandom.Checked());
  EXPECT_TRUE(main->chkPollForChange.Checked());
  EXPECT_EQ(main->edtPollFileName.Text(), "Netscape Wallpaper.bmp");
  EXPECT_EQ(main->updPollInterval.Position(), 5);
  EXPECT_EQ(main->DBFileName, "GDB.CDS");
  EXPECT_EQ(main->PreviewPanelHeight, 185);
  EXPECT_EQ(main->Top(), 0);
  EXPECT_EQ(main->Left(), 0);
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "an existing file is no first run";
}

TEST_F(SettingsTest, NumbersAndBooleansReadWithTheirRules) {
  WithIni(
      "[AutoDetect]\r\nPollInterval=0x0A\r\n[General]\r\nVerbose=yes\r\nToolbarHints=0\r\n"
      "LimitImageSize=2\r\nMaxImageSize=ten\r\n");
  Build();
  EXPECT_EQ(main->updPollInterval.Position(), 10);
  EXPECT_TRUE(main->chkShowSplash.Checked()) << "yes is no number: the default";
  EXPECT_FALSE(main->chkToolbarHints.Checked());
  EXPECT_FALSE(main->toolbarHints);
  EXPECT_TRUE(main->chkLimitImageSize.Checked()) << "any non-zero number is true";
  EXPECT_EQ(main->updImageSize.Position(), 1500);
}

// Plain lines "kN=1", enough of them to pass the size that is listed whole.
std::string ManyKeys(int count) {
  std::string lines;
  for (int n = 0; n < count; ++n) lines += "k" + std::to_string(n) + "=1\r\n";
  return lines;
}

// A plain file is read once, whole; any other is listed by the system a
// section at a time (each a look at the file), quoted values by their key.
TEST_F(SettingsTest, LoadingReadsAPlainFileOnceAndAnyOtherASectionAtATime) {
  const struct {
    const char* name;
    std::string general;
    int profileReads;
  } cases[] = {
      {"plain", "SelectedEditor=c:\\tools\\paint.exe\r\nToolbarHints=0\r\n", 0},
      {"quoted", "SelectedEditor=\"c:\\tools\\paint.exe\"\r\nToolbarHints=0\r\n", 9 + 1},
      {"comment", ";kept by hand\r\nSelectedEditor=c:\\tools\\paint.exe\r\nToolbarHints=0\r\n", 9},
      {"other letters", "SelectedEditor=c:\\tools\\paint.exe\r\nToolbarHints=0\r\nNote=caf\xC3\xA9\r\n", 9},
      {"larger than 64 KiB", "SelectedEditor=c:\\tools\\paint.exe\r\nToolbarHints=0\r\n" + ManyKeys(9000), 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Build();  // start-up writes the whole file anew
    WithIni("[General]\r\n" + c.general + "[Slideshow]\r\nSlideMins=7\r\n");
    fakes.profile.reads = 0;
    main->LoadOrSaveSettings(true, false);
    EXPECT_EQ(fakes.profile.reads, c.profileReads) << "nine sections (no window position asked for)";
    EXPECT_EQ(main->edtSelectedEditor.Text(), "c:\\tools\\paint.exe");
    EXPECT_FALSE(main->chkToolbarHints.Checked());
    EXPECT_EQ(main->updMins.Position(), 7);
  }
}

TEST_F(SettingsTest, PollIntervalThatIsNoNumberKeepsTheDefault) {
  WithIni("[AutoDetect]\r\nPollInterval=ten\r\n");
  Build();
  EXPECT_EQ(main->updPollInterval.Position(), 5);
}

// The data file always lies in the data folder under a name a file can have.
TEST_F(SettingsTest, ADataFileNameThatIsNoPlainFileNameGivesWayToTheDefault) {
  const std::pair<const char*, const char*> cases[] = {
      {"Pictures.db", "Pictures.db"}, {"..\\..\\Windows\\win.ini", "GDB.CDS"},
      {"C:\\x.cds", "GDB.CDS"},       {"nul", "GDB.CDS"},
      {"list.cds.", "GDB.CDS"},       {"", "GDB.CDS"}};
  for (const auto& [stored, used] : cases) {
    WithIni(std::string("[Directories]\r\nDBFileName=") + stored + "\r\n");
    Build();
    EXPECT_EQ(main->DBFileName, used) << stored;
  }
}

TEST_F(SettingsTest, StoredPositionBeyondTheScreenIsPulledBackOntoIt) {
  fakes.system.screenHeight = 768;
  fakes.system.screenWidth = 1024;
  WithIni("[Positions]\r\nMainTop=5000\r\nMainLeft=-40\r\n");
  Build();
  EXPECT_EQ(main->Top() + main->Height(), 768);
  EXPECT_EQ(main->Left(), 0);
}

// Every new place the main window is given.
struct PlaceRecorder : FormObserver {
  explicit PlaceRecorder(const TForm& form) : last(form.Left(), form.Top()) {}
  std::pair<int, int> last;
  std::vector<std::pair<int, int>> places;
  void ControlChanged(TControl&, ControlProp) override {}
  void FormChanged(TForm& form) override {
    if (last == std::pair{form.Left(), form.Top()}) return;
    last = {form.Left(), form.Top()};
    places.push_back(last);
  }
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override {}
};

TEST_F(SettingsTest, TheStoredPlaceIsKeptOnTheScreenAndTheWindowMovesOnce) {
  struct Case {
    const char* positions;
    int left, top;  // where the window goes; -1 for the screen's size less the window's
  };
  for (const Case& c : {Case{"MainTop=120\r\nMainLeft=230\r\n", 230, 120}, Case{"", 0, 0},
                        Case{"MainTop=5000\r\nMainLeft=-40\r\n", 0, -1},
                        Case{"MainTop=35\r\nMainLeft=4000\r\n", -1, 35}, Case{"MainTop=-7\r\nMainLeft=-9\r\n", 0, 0}}) {
    SCOPED_TRACE(c.positions);
    fakes.system.screenHeight = 768;
    fakes.system.screenWidth = 1024;
    WithIni(std::string("[Positions]\r\n") + c.positions);
    Build(false);
    PlaceRecorder recorder(*main);
    const std::pair made = recorder.last;
    main->AddObserver(&recorder);
    main->FormCreate();
    main->RemoveObserver(&recorder);
    const std::pair want{c.left >= 0 ? c.left : 1024 - main->Width(), c.top >= 0 ? c.top : 768 - main->Height()};
    EXPECT_EQ(std::pair(main->Left(), main->Top()), want);
    EXPECT_EQ(recorder.places.size(), want == made ? 0u : 1u);
  }
}

TEST_F(SettingsTest, OtherEditorStoredSelectsItAndEnablesItsControls) {
  WithIni("[General]\r\nUseDefaultEditor=0\r\nSelectedEditor=C:\\Tools\\paint.exe\r\n");
  Build();
  EXPECT_TRUE(main->rdoSelectedEditor.Checked());
  EXPECT_FALSE(main->rdoDefaultEditor.Checked());
  EXPECT_TRUE(main->edtSelectedEditor.Enabled());
  EXPECT_TRUE(main->btnSelectEditor.Enabled());
  EXPECT_EQ(main->edtSelectedEditor.Text(), "C:\\Tools\\paint.exe");
}

TEST_F(SettingsTest, OkWritesEveryKeyInItsEncoding) {
  WithIni("");
  Build();
  main->btnOK.Click();
  // As a new installation writes them, but for the start-up change these tests turn off.
  auto expected = mvx::testing::DefaultSettings("c:\\apps\\murovex\\images", "C:\\Apps\\Murovex");
  for (auto& v : expected) {
    if (v.key == "ChangeOnStartup") v.value = "0";
  }
  for (const auto& [section, key, value] : expected) EXPECT_EQ(Ini(section, key), value) << section << " " << key;
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(main->booHoldTimers);
  // The fixed options are never stored, under any name.
  const std::string file = fakes.files.Content(IniPath());
  for (const char* never : {"SaveEachChange", "SendChangeNotification", "ManualOverride", "ChangeDuringSaver",
                            "SyncWithManualChange", "Tinkle", "ShowHints", "Stretch", "Design"}) {
    EXPECT_EQ(file.find(never), std::string::npos) << never;
  }
  EXPECT_EQ(std::count(file.begin(), file.end(), '='), static_cast<std::ptrdiff_t>(expected.size()))
      << "one line per key of the table";
}

TEST_F(SettingsTest, AChangedOptionIsSavedOnce2250MsAfterTheLastChange) {
  WithIni("");
  Build();
  const int before = fakes.profile.writes;
  main->chkConfirmExit.Click();
  fakes.time.Advance(1000);
  main->chkConfirmExit.Click();
  main->chkConfirmExit.Click();
  fakes.time.Advance(2249);
  EXPECT_EQ(fakes.profile.writes, before);
  fakes.time.Advance(1);
  EXPECT_GT(fakes.profile.writes, before);
  EXPECT_EQ(Ini("Confirmation", "ConfirmExit"), "0");
  const int after = fakes.profile.writes;
  fakes.time.Advance(10000);
  EXPECT_EQ(fakes.profile.writes, after);
}

TEST_F(SettingsTest, LoadingHandsNoSaveOver) {
  WithIni("[Confirmation]\r\nConfirmExit=0\r\nConfirmDeleteDisk=0\r\n[General]\r\nToolbarHints=0\r\n");
  Build();
  const int before = fakes.profile.writes;
  fakes.time.Advance(10000);
  EXPECT_EQ(fakes.profile.writes, before);
}

TEST_F(SettingsTest, PreviewLimitTypedByTheUserIsSavedButNotWhenSetByTheProgram) {
  WithIni("");
  Build();
  const int before = fakes.profile.writes;
  main->edtMaxPreviewSize.SetText("500");  // not focused: a change made by the program
  fakes.time.Advance(3000);
  EXPECT_EQ(fakes.profile.writes, before);
  main->SetActiveControl(&main->edtMaxPreviewSize);
  main->edtMaxPreviewSize.SetText("750");
  fakes.time.Advance(2250);
  EXPECT_EQ(Ini("General", "MaxPreviewSize"), "750");
}

TEST_F(SettingsTest, UpDownArrowsMoveTheFocusIntoTheirEdit) {
  WithIni("");
  Build();
  main->updImageSize.ArrowClick(true);
  EXPECT_EQ(main->ActiveControl(), &main->edtMaxImageSize);
  main->updPreviewSize.ArrowClick(false);
  EXPECT_EQ(main->ActiveControl(), &main->edtMaxPreviewSize);
}

TEST_F(SettingsTest, AFailedWriteStopsTheSaveReportsThePathAndClearsTheFlags) {
  WithIni("");
  Build();
  // The folder goes away: every write fails from now on.
  fakes.files = fakes::FakeFiles();
  const int before = fakes.profile.writes;
  try {
    main->SaveSettings();
    FAIL() << "the failed write was reported as saved";
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to C:\\Apps\\Murovex\\Murovex.INI");
  }
  EXPECT_EQ(fakes.profile.writes, before + 1) << "the keys after the failed one are not written";
  EXPECT_FALSE(main->booSettingsIO);
  EXPECT_FALSE(main->booHoldTimers);
}

TEST_F(SettingsTest, SavingDuringStartUpKeepsTheTimersHeld) {
  WithIni("");
  Build();
  main->booHoldTimers = true;
  main->SaveSettings();
  EXPECT_TRUE(main->booHoldTimers);
  main->booHoldTimers = false;
  main->SaveSettings();
  EXPECT_FALSE(main->booHoldTimers);
}

TEST_F(SettingsTest, UntickingThePollBoxStopsWatchingAtOnce) {
  WithIni("");
  Build();
  ASSERT_EQ(fakes.watches.Watched().size(), 2u) << "the desktop key and the Windows folder";
  main->chkPollForChange.Click();
  EXPECT_TRUE(fakes.watches.Watched().empty());
  fakes.time.Advance(2250);
  EXPECT_EQ(Ini("AutoDetect", "Polling"), "0");
}

TEST_F(SettingsTest, ChoosingAnEditorFillsTheEditFromTheDialog) {
  WithIni("");
  Build();
  fakes.dialogs.answer = "C:\\Tools\\editor.exe";
  main->btnSelectEditor.Click();
  ASSERT_EQ(fakes.dialogs.requests.size(), 1u);
  EXPECT_EQ(fakes.dialogs.requests[0].title, "Select Editor");
  EXPECT_EQ(fakes.dialogs.requests[0].initialDir, "c:\\windows");
  EXPECT_EQ(main->edtSelectedEditor.Text(), "C:\\Tools\\editor.exe");
  fakes.dialogs.answer.reset();
  main->btnSelectEditor.Click();
  EXPECT_EQ(main->edtSelectedEditor.Text(), "C:\\Tools\\editor.exe") << "cancel keeps the text";
}

TEST_F(SettingsTest, LastWallpaperIsReadAndWrittenOnItsOwn) {
  WithIni("[Slideshow]\r\nChangeOnStartup=0\r\nLastWallpaper=c:\\pics\\sea.bmp\r\n");
  Build();
  EXPECT_EQ(main->ReadLastWallpaper(), "c:\\pics\\sea.bmp");
  main->SaveLastWallpaper("c:\\pics\\hill.bmp");
  EXPECT_EQ(Ini("Slideshow", "LastWallpaper"), "c:\\pics\\hill.bmp");
}

}  // namespace
}  // namespace mvx

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "unit/adding_fixture.h"
#include "unit/dib_builder.h"

namespace mvx::testing {
namespace {

constexpr const char* kDesktopKey = "HKCU\\Control Panel\\Desktop";
constexpr const char* kNetscape = "C:\\WINDOWS\\Netscape Wallpaper.bmp";
constexpr const char* kExplorer = "C:\\WINDOWS\\Internet Explorer Wallpaper.bmp";
constexpr const char* kSea = "C:\\Pics\\Sea.bmp";
constexpr const char* kListed = "C:\\Pics\\Listed.bmp";
constexpr const char* kTrace = "FrmMain: WMSettingChange";
constexpr std::uint32_t kFirstTime = 0x5A8C6000;  // 12 April 2025, 12:00:00
constexpr std::uint32_t kLaterTime = 0x5A8C6001;  // two seconds later

// The main window with its inventory open and the default options.
class DetectionTest : public AddingFixture {
 protected:
  DetectionTest() {
    fakes.files.AddDir("C:\\Pics");
    fakes.files.Put(kSea, "sea");
    main->BuildPollList();
  }
  // Start-up's part: the desktop's wallpaper found, then the desktop key and
  // the Windows folder watched and examined once.
  void Start() {
    main->FindCurrentInList();
    main->ApplyPollInterval(&main->chkPollForChange);
    Settle();
  }
  // Time for any change to be noticed and examined.
  void Settle() { fakes.time.Advance(ChangeWatch::kLongestWaitMs + 1); }
  // What another program leaves in the desktop settings.
  void Desktop(const std::string& path, bool tile = true) {
    fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegSz, path});
    fakes.registry.Put(kDesktopKey, "TileWallpaper", RegValue{kRegSz, tile ? "1" : "0"});
  }
  void BrowserSaves(const std::string& bytes, std::uint32_t dosTime = kFirstTime) {
    fakes.files.Put(kNetscape, bytes, dosTime);
  }
  void Broadcast(const std::string& section = "") { main->WMSettingChange(section); }
  // Every copy-option dialog shown, answered or not.
  std::size_t Offers() const { return fakes.prompts.modalCaptions.size(); }
  void List(const std::string& folder, const std::string& file, bool tile) {
    InventoryEntry e = KeyedEntry(file, folder);
    e.Enabled = true;
    e.Display = tile ? DisplayMode::Tile : DisplayMode::Centre;
    ListEntry(e);
  }
  // The system's part of a saved change: the desktop settings, then the broadcast.
  void SystemSavesWallpapers() {
    fakes.desktop.onSetWallpaper = [this](const std::string& path, std::uint32_t flags) {
      if ((flags & kSpifUpdateIniFile) == 0) return;
      fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegSz, path});
      if ((flags & kSpifSendWinIniChange) != 0) Broadcast();
    };
  }
  std::string DesktopWallpaper() {
    const auto value = fakes.registry.Get(kDesktopKey, "Wallpaper");
    return value ? value->data : std::string();
  }
  void Paste() { tray->mnuSetWallpaperfromClipboard.Click(); }
  void ClipboardHoldsAPicture() {
    fakes.shell.clipboardBitmap = true;
    fakes.shell.clipboardDib = SmallDib();
  }
};

// ---- the settings-change broadcast

TEST_F(DetectionTest, AWallpaperSavedByAnotherProgramIsOfferedWithItsTileModeAndListed) {
  Desktop("C:\\Pics\\Sea.bmp", false);
  Accept();
  Broadcast();

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Add Wallpaper");
  EXPECT_FALSE(seen[0].tiled);
  EXPECT_TRUE(seen[0].leave) << "a picture of its own folder may stay there";
  const InventoryEntry* entry = Find(kSea);
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->Display == DisplayMode::Tile);
  EXPECT_TRUE(fakes.trace.Saw(kTrace));
  EXPECT_FALSE(main->booBusy);
}

TEST_F(DetectionTest, APngWallpaperSetByAnotherProgramIsOfferedAndListedUnderItsOwnName) {
  fakes.files.Put("C:\\Pics\\Map.PNG", "png");
  SystemSavesWallpapers();
  Desktop("C:\\Pics\\Map.PNG", true);
  TypeName("Chart");
  Broadcast();

  // The desktop's path comes lower-cased, its extension with it.
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "map");
  ASSERT_NE(Find("C:\\Pics\\Chart.png"), nullptr);
  EXPECT_EQ(fakes.files.Content("C:\\Pics\\Chart.png"), "png");
  EXPECT_FALSE(fakes.files.FileExists("C:\\Pics\\Map.PNG"));
  EXPECT_EQ(DesktopWallpaper(), "c:\\pics\\Chart.png") << "the renamed file stays the wallpaper";
}

TEST_F(DetectionTest, AWallpaperOfAKindTheProgramDoesNotTakeIsPassedOverWithoutAWord) {
  fakes.files.Put("C:\\Pics\\Sky.webp", "webp");
  Desktop("C:\\Pics\\Sky.webp", true);
  Broadcast();
  EXPECT_EQ(Offers(), 0u);
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_EQ(main->cdtData.RecordCount(), 0);
  EXPECT_TRUE(fakes.trace.Saw("FrmMain.AddDetectedWallpaper: not a picture file c:\\pics\\sky.webp"));
  EXPECT_FALSE(main->booBusy);
}

TEST_F(DetectionTest, BroadcastsThatAreNotANewWallpaperOfferNothing) {
  List("C:\\Pics", "Listed.bmp", true);
  struct Case {
    const char* what;
    std::string section, wallpaper;
    bool tile, busy, creating;
  };
  const Case cases[] = {
      {"a named section (regional settings)", "intl", kSea, true, false, false},
      {"the wallpaper removed", "", "", true, false, false},
      {"a file no longer there", "", "C:\\Pics\\Gone.bmp", true, false, false},
      {"a listed picture in its own mode (the program's own change)", "", "C:\\PICS\\LISTED.BMP", true, false, false},
      {"the program's working bitmap", "", "C:\\Apps\\Murovex\\Murovex.bmp", true, false, false},
      {"a detection or batch already running", "", kSea, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.trace.sent.clear();
    Desktop(c.wallpaper, c.tile);
    main->booBusy = c.busy;
    main->booCreating = c.creating;
    Broadcast(c.section);
    EXPECT_EQ(Offers(), 0u);
    EXPECT_TRUE(fakes.trace.Saw(kTrace)) << "every broadcast is traced";
    EXPECT_EQ(main->booBusy, c.busy) << "a skipped broadcast leaves another's busy flag alone";
    main->booCreating = false;
  }
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
}

class DetectionAtStartTest : public MainFixture {};

TEST_F(DetectionAtStartTest, AWallpaperSetWhileAStartUpMessageWaitsIsOfferedOnceTheListIsOpen) {
  fakes.files.AddDir(ImagesDir());
  fakes.files.AddDir("C:\\Pics");
  fakes.files.Put(kSea, "sea");
  Build(false);
  main->SetDataDir(ImagesDir());
  main->booCreating = true;
  fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegSz, kSea});
  main->WMSettingChange("");
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty()) << "nothing to examine it against before the list is open";
  main->cdtData.CreateDataSet();
  main->LoadInventory();
  main->cdtSlideShow.CloneCursor(main->cdtData);
  main->cdtInventory.CloneCursor(main->cdtData);
  main->WMSettingChange("");
  EXPECT_EQ(fakes.prompts.modalCaptions.size(), 1u) << "the list is open though start-up still runs";
}

TEST_F(DetectionTest, AListedPictureSetInTheOtherTileModeIsOffered) {
  List("C:\\Pics", "Sea.bmp", true);
  Desktop(kSea, false);
  Accept();
  Broadcast();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0].tiled);
  EXPECT_FALSE(Find(kSea)->Display == DisplayMode::Tile);
}

TEST_F(DetectionTest, ABroadcastNamingASectionNeverReadsTheDesktopSettings) {
  fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegDword, std::string(4, '\0')});
  EXPECT_NO_THROW(Broadcast("Policy"));
  EXPECT_TRUE(main->LastSavedWallpaper.empty());
}

TEST_F(DetectionTest, AnUnreadableWallpaperValueFailsTheBroadcastButDetectionGoesOnAfterwards) {
  fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegDword, std::string(4, '\0')});
  EXPECT_THROW(Broadcast(), std::exception) << "left to the program's error handler";
  EXPECT_FALSE(main->booBusy);

  Desktop(kSea);
  Broadcast();
  EXPECT_EQ(Offers(), 1u);
}

// ---- changes of the desktop key and of the Windows folder

// What happens at a time after the watch began (ms), `times` times `everyMs`
// apart: 'w' the desktop's wallpaper set, 'o' another of its values set, 'f'
// the browser's file written, 'u' the program shows a picture without
// saving it, 'b' the program is busy, 'i' free again.
struct Step {
  std::uint64_t atMs;
  char what;
  const char* wallpaper = "";
  bool tile = true;
  std::uint64_t times = 1, everyMs = 1;
};

struct WatchCase {
  const char* what;
  const char* before;  // the desktop's wallpaper found at start
  std::vector<Step> steps;
  std::vector<std::string> examined;  // when, and what had changed
  std::size_t offers;
  const char* unwatchable = "";
};

void PrintTo(const WatchCase& c, std::ostream* out) {
  *out << c.what;
}

class WatchedChangeTest : public DetectionTest, public ::testing::WithParamInterface<WatchCase> {};

// A burst of changes is examined once it has been quiet for a moment, with
// the broadcast's checks for the key and the stamps' for the folder; no
// timer runs between bursts but the poll of what cannot be watched.
TEST_P(WatchedChangeTest, IsExaminedOnceQuietByTheChecksOfWhatChanged) {
  const WatchCase& c = GetParam();
  List("C:\\Pics", "Listed.bmp", true);
  fakes.files.Put(kListed, "listed");
  fakes.watches.unwatchable = {c.unwatchable};
  Desktop(c.before);
  main->FindCurrentInList();
  main->ApplyPollInterval(&main->chkPollForChange);
  std::vector<std::string> examined;
  for (std::uint64_t ms = 0; ms < 11000; ++ms) {
    for (const Step& step : c.steps) {
      if (ms < step.atMs || (ms - step.atMs) % step.everyMs != 0 || (ms - step.atMs) / step.everyMs >= step.times) {
        continue;
      }
      if (step.what == 'w') Desktop(step.wallpaper, step.tile);
      if (step.what == 'o') fakes.registry.Put(kDesktopKey, "ScreenSaveTimeOut", {kRegSz, "600"});
      if (step.what == 'f') BrowserSaves("web picture");
      if (step.what == 'u') main->SetWallpaper(kListed, DisplayMode::Centre, false);
      if (step.what == 'b' || step.what == 'i') main->booBusy = step.what == 'b';
    }
    const std::size_t traced = fakes.trace.sent.size();
    fakes.time.Advance(1);
    const std::vector<std::string> texts = fakes.trace.Texts();
    for (std::size_t i = traced; i < texts.size(); ++i) {
      if (texts[i].rfind("FrmMain: Changes:", 0) == 0) examined.push_back(std::to_string(ms + 1) + texts[i].substr(17));
    }
  }
  EXPECT_EQ(examined, c.examined);
  EXPECT_EQ(Offers(), c.offers);
  EXPECT_EQ(fakes.time.ActiveTimers(), *c.unwatchable != '\0' ? 1u : 0u) << "the poll alone";
}

constexpr const char* kStart = "250 desktop key Windows folder";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Changes, WatchedChangeTest, ::testing::Values(
    WatchCase{"another program saves a new wallpaper", kListed, {{1000, 'w', kSea}}, {kStart, "1251 desktop key"}, 1},
    WatchCase{"a listed picture in another mode", kSea, {{1000, 'w', kListed, false}}, {kStart, "1251 desktop key"}, 1},
    WatchCase{"a listed picture in its own mode", kSea, {{1000, 'w', kListed}}, {kStart, "1251 desktop key"}, 0},
    WatchCase{"another desktop value after a declined wallpaper", kListed, {{1000, 'w', kSea}, {2000, 'o'}},
              {kStart, "1251 desktop key", "2251 desktop key"}, 1},
    WatchCase{"the program shows a picture unsaved", kSea, {{1000, 'u'}}, {kStart, "1251 desktop key"}, 0},
    WatchCase{"a browser writes its file in three steps while it is the wallpaper", kNetscape,
              {{1000, 'f', "", true, 3, 100}}, {kStart, "1451 Windows folder"}, 1},
    WatchCase{"a browser writes its file while another is the wallpaper", kListed, {{1000, 'f'}},
              {kStart, "1251 Windows folder"}, 0},
    WatchCase{"a browser writes its file, then makes it the wallpaper", kListed, {{1000, 'f'}, {1150, 'w', kNetscape}},
              {kStart, "1401 desktop key Windows folder"}, 1},
    WatchCase{"writes that go on and on, examined each second", kListed, {{1000, 'f', "", true, 14, 150}},
              {kStart, "2001 Windows folder", "3051 Windows folder"}, 0},
    WatchCase{"a change while busy, examined a second later", kListed, {{900, 'b'}, {1000, 'w', kSea}, {1600, 'i'}},
              {kStart, "2251 desktop key"}, 1},
    WatchCase{"a folder that gives no notifications, polled", kNetscape, {{1000, 'f'}},
              {"250 desktop key", "5000 Windows folder", "10000 Windows folder"}, 1, "C:\\WINDOWS"}));
// clang-format on

TEST_F(DetectionTest, ABrowserFileRewrittenWhileItIsTheWallpaperIsOfferedOncePerRewrite) {
  BrowserSaves("first picture");
  Desktop(kNetscape);
  Start();
  EXPECT_EQ(Offers(), 1u) << "the examination at start sees the file as new";
  Settle();
  EXPECT_EQ(Offers(), 1u) << "a cancelled offer is not repeated for the same file";

  BrowserSaves("second picture", kLaterTime);
  Accept();
  Settle();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].move && !seen[0].leaveEnabled) << "a browser's file is always moved";
  EXPECT_TRUE(seen[0].tiled) << "offered in the desktop's mode";
  EXPECT_FALSE(fakes.files.FileExists(kNetscape));
  const InventoryEntry* entry = Find(Img("v1 of Netscape Wallpaper.bmp"));
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->Display == DisplayMode::Tile);
  Settle();
  EXPECT_EQ(Offers(), 2u);
}

TEST_F(DetectionTest, ABrowserFileOfferedThroughTheBroadcastIsNotOfferedAgainForTheSameChange) {
  Start();
  BrowserSaves("web picture");
  Desktop(kNetscape);
  Broadcast();
  EXPECT_EQ(Offers(), 1u);
  Settle();
  EXPECT_EQ(Offers(), 1u);
  BrowserSaves("next web picture", kLaterTime);
  Settle();
  EXPECT_EQ(Offers(), 2u);
}

TEST_F(DetectionTest, ChangesWhileTheTimersAreHeldOrABatchRunsWaitAndAreExaminedAfter) {
  Start();
  BrowserSaves("web picture");
  Desktop(kNetscape);
  for (bool TFrmMain::*flag : {&TFrmMain::booHoldTimers, &TFrmMain::booBusy}) {
    (*main).*flag = true;
    Settle();
    EXPECT_EQ(Offers(), 0u);
    (*main).*flag = false;
  }
  Settle();
  EXPECT_EQ(Offers(), 1u);
}

TEST_F(DetectionTest, AFileThatCannotBeReadIsExaminedAgainAndDoesNotStopThePass) {
  BrowserSaves("locked by the browser");
  fakes.files.Lock(kNetscape);
  fakes.files.Put(kExplorer, "other browser");
  Desktop(kExplorer);
  Start();
  EXPECT_EQ(Offers(), 1u) << "the next name is still examined";

  fakes.files.Lock(kNetscape, false);
  Desktop(kNetscape);
  Settle();
  EXPECT_EQ(Offers(), 2u) << "no stamp was kept for the locked file";
}

TEST_F(DetectionTest, AFailureWhileExaminingIsSilentAndTheFileIsExaminedAtTheNextChange) {
  Start();
  BrowserSaves("web picture");
  fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegDword, std::string(4, '\0')});
  Settle();
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_FALSE(main->booBusy);

  Desktop(kNetscape);
  User([](TfrmItemInfo&) -> void { throw std::runtime_error("the dialog failed"); });
  Settle();
  EXPECT_EQ(Offers(), 1u);
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(main->PollStamps.empty()) << "a failure while taking it in keeps no stamp either";

  BrowserSaves("web picture");
  Settle();
  EXPECT_EQ(Offers(), 2u);
}

// ---- what is watched, and the poll of what cannot be

TEST_F(DetectionTest, TheUsersOwnFileNameIsWatchedOnceTheEditHasPausedAndAFixedNameIsNotAddedTwice) {
  const std::vector<std::string> fixed{"netscape wallpaper.bmp", "internet explorer wallpaper.bmp"};
  Start();
  main->edtPollFileName.SetText("  NETSCAPE WALLPAPER.BMP\t");
  fakes.time.Advance(2250);
  EXPECT_EQ(main->PollFiles, fixed);

  // Pasted with its line end: the watch and the adding must agree on the name.
  main->edtPollFileName.SetText(" My Paper.bmp\r\n");
  EXPECT_EQ(main->PollFiles, fixed) << "rebuilt only after the wait";
  fakes.time.Advance(2250);
  EXPECT_EQ(main->PollFiles.back(), "my paper.bmp");
  EXPECT_EQ(main->PollFiles.size(), 3u);

  Desktop("C:\\WINDOWS\\My Paper.bmp");
  Settle();
  fakes.files.Put("C:\\WINDOWS\\My Paper.bmp", "web picture");
  Accept();
  Settle();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].move && !seen[0].leaveEnabled) << "the user's browser file is moved like the others";
  EXPECT_NE(Find(Img("v1 of My Paper.bmp")), nullptr);
}

TEST_F(DetectionTest, WhatCannotBeWatchedIsPolledAndAPollTimerTheSystemWillNotGiveIsReportedAndAskedForAgain) {
  fakes.watches.unwatchable = {"hkcu\\control panel\\desktop", "c:\\windows"};
  ForegroundSpy spy;
  main->AddObserver(&spy);
  int raisedWhenShown = -1;
  fakes.prompts.whileOpen = [&] { raisedWhenShown = spy.raised; };
  main->updPollInterval.SetPosition(0);
  fakes.time.refuseTimers = true;
  // Nothing to report while polling is off or its interval is 0.
  main->chkPollForChange.SetChecked(false);
  main->chkPollForChange.SetChecked(true);
  EXPECT_TRUE(fakes.prompts.shown.empty());

  main->updPollInterval.SetPosition(10);
  main->ApplyPollInterval(&main->chkPollForChange);
  main->RemoveObserver(&spy);
  fakes.prompts.whileOpen = nullptr;
  ASSERT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Error: Poll interval is too large"});
  EXPECT_EQ(fakes.prompts.shown[0].caption, "Murovex");
  EXPECT_EQ(fakes.prompts.shown[0].kind, PromptKind::Error);
  EXPECT_EQ(raisedWhenShown, 1);

  fakes.time.refuseTimers = false;
  main->ApplyPollInterval(&main->chkPollForChange);
  EXPECT_EQ(fakes.prompts.shown.size(), 1u);
  BrowserSaves("web picture");
  Desktop(kNetscape);
  fakes.time.Advance(9999);
  EXPECT_EQ(Offers(), 0u) << "not watched, so not noticed before the poll";
  fakes.time.Advance(1);
  EXPECT_EQ(Offers(), 1u) << "the same interval, asked for again, polls";
}

// ---- detection and the other additions

TEST_F(DetectionTest, WhileADetectionsDialogIsOpenChangesBroadcastsAndPastesDoNothing) {
  Start();
  BrowserSaves("web picture");
  Desktop(kNetscape);
  ClipboardHoldsAPicture();
  User([this](TfrmItemInfo&) {
    BrowserSaves("next web picture", kLaterTime);
    fakes.time.Advance(3 * ChangeWatch::kRetryMs + 1234);
    Broadcast();
    Paste();
  });
  Settle();
  EXPECT_EQ(Offers(), 1u);
  EXPECT_EQ(main->cdtData.RecordCount(), 1) << "the detected file only";
  EXPECT_FALSE(fakes.files.FileExists(Img("v1 of Clipboard.bmp")));

  BrowserSaves("next web picture", kLaterTime);
  Settle();
  EXPECT_EQ(Offers(), 2u);
}

TEST_F(DetectionTest, WhileThePasteWaitsForTheUserNoDetectionStartsAndThePasteEndsAsChosen) {
  Start();
  BrowserSaves("web picture");
  Desktop(kNetscape);
  ClipboardHoldsAPicture();
  User([this](TfrmItemInfo&) {
    Settle();
    Broadcast();
  });
  Paste();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].from, "(Clipboard)");
  EXPECT_NE(Find(Img("v1 of Clipboard.bmp")), nullptr);

  // The paste's error box after its dialog is just as much a wait.
  fakes.shell.clipboardDib.clear();
  Accept();
  fakes.prompts.whileOpen = [this] {
    fakes.prompts.whileOpen = nullptr;
    Settle();
    Broadcast();
  };
  Paste();
  EXPECT_EQ(Offers(), 2u) << "the paste's own dialogs only";
  EXPECT_FALSE(fakes.prompts.shown.empty());

  Settle();
  EXPECT_EQ(Offers(), 3u) << "the detection once the paste is over";
}

TEST_F(DetectionTest, ABrowserFileMovedInStaysTheWallpaperUnderItsNewNameUntilTheProgramCloses) {
  // Started as usual, so the close records the wallpaper in the settings file.
  fakes.files.Put(IniPath(), "[Slideshow]\r\nAutoChange=0\r\nChangeOnStartup=0\r\n");
  Build();
  SystemSavesWallpapers();
  BrowserSaves("web picture");
  Desktop(kNetscape, false);
  Accept();
  Broadcast();
  ASSERT_EQ(Offers(), 1u);
  const std::string moved = Img("v1 of Netscape Wallpaper.bmp");
  EXPECT_TRUE(SameTextAZ(DesktopWallpaper(), moved)) << DesktopWallpaper();
  EXPECT_EQ(fakes.registry.Get(kDesktopKey, "TileWallpaper")->data, "0");

  Broadcast();
  Settle();
  EXPECT_EQ(Offers(), 1u) << "the desktop names a listed picture, not the vanished file";
  main->booCloseWindows = true;
  EXPECT_TRUE(main->Close());
  EXPECT_EQ(Ini("Slideshow", "LastWallpaper"), LowerAZ(moved));
  EXPECT_TRUE(SameTextAZ(fakes.desktop.wallpaperCalls.back().path, moved));
}

TEST_F(DetectionTest, ABroadcastLetThroughWhileTheTakenWallpaperIsSetIsKeptOut) {
  Desktop(kSea, true);
  User([this](TfrmItemInfo& d) {
    d.rdoCopy.Click();
    d.rdoCenter.Click();
    // Delivered once the dialog is over, while the copy is being set.
    fakes.shell.pending = [this] {
      fakes.shell.pending = nullptr;
      Broadcast();
    };
  });
  Broadcast();
  EXPECT_EQ(fakes.shell.pending, nullptr) << "the broadcast was let through";
  EXPECT_EQ(Offers(), 1u) << "the original is not offered a second time";
  ASSERT_EQ(fakes.desktop.wallpaperCalls.size(), 1u);
  EXPECT_TRUE(SameTextAZ(fakes.desktop.wallpaperCalls[0].path, Img("Sea.bmp")));
  EXPECT_EQ(fakes.desktop.wallpaperCalls[0].flags, 0u) << "a copy in another mode is shown, not saved";
}

}  // namespace
}  // namespace mvx::testing

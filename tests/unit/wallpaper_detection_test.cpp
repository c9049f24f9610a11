#include <gtest/gtest.h>

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
constexpr const char* kTrace = "FrmMain: WMSettingChange";
constexpr std::uint32_t kPollMs = 5000;
constexpr std::uint32_t kFirstTime = 0x5A8C6000;  // 12 April 2025, 12:00:00
constexpr std::uint32_t kLaterTime = 0x5A8C6001;  // two seconds later

// The main window with its inventory open and polling every 5 seconds, as
// after start-up with the default options.
class DetectionTest : public AddingFixture {
 protected:
  DetectionTest() {
    fakes.files.AddDir("C:\\Pics");
    fakes.files.Put(kSea, "sea");
    main->BuildPollList();
    main->tmrPoll.SetInterval(kPollMs);
    main->tmrPoll.SetEnabled(true);
  }
  // What another program leaves in the desktop settings.
  void Desktop(const std::string& path, bool tile = true) {
    fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegSz, path});
    fakes.registry.Put(kDesktopKey, "TileWallpaper", RegValue{kRegSz, tile ? "1" : "0"});
  }
  void BrowserSaves(const std::string& bytes, std::uint32_t dosTime = kFirstTime) {
    fakes.files.Put(kNetscape, bytes, dosTime);
  }
  void Tick() { fakes.time.Advance(kPollMs); }
  void Broadcast(const std::string& section = "") { main->WMSettingChange(section); }
  // Every copy-option dialog shown, answered or not.
  std::size_t Offers() const { return fakes.prompts.modalCaptions.size(); }
  void List(const std::string& folder, const std::string& file, bool tile) {
    InventoryEntry e;
    e.Enabled = true;
    e.Tile = tile;
    e.FileName = file;
    e.Location = folder;
    e.LCFilename = LowerAZ(file);
    e.LCLocation = LowerAZ(folder);
    main->cdtData.Append();
    main->cdtData.EditFields() = e;
    main->cdtData.Post();
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
  EXPECT_FALSE(entry->Tile);
  EXPECT_TRUE(fakes.trace.Saw(kTrace));
  EXPECT_FALSE(main->booBusy);
}

TEST_F(DetectionTest, BroadcastsThatAreNotANewWallpaperOfferNothing) {
  List("C:\\Pics", "Listed.bmp", true);
  struct Case {
    const char* what;
    std::string section, wallpaper;
    bool tile, busy;
  };
  const Case cases[] = {
      {"a named section (regional settings)", "intl", kSea, true, false},
      {"the wallpaper removed", "", "", true, false},
      {"a listed picture in its own mode (the program's own change)", "", "C:\\PICS\\LISTED.BMP", true, false},
      {"the program's working bitmap", "", "C:\\Apps\\Murovex\\Murovex.bmp", true, false},
      {"a detection or batch already running", "", kSea, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.trace.sent.clear();
    Desktop(c.wallpaper, c.tile);
    main->booBusy = c.busy;
    Broadcast(c.section);
    EXPECT_EQ(Offers(), 0u);
    EXPECT_TRUE(fakes.trace.Saw(kTrace)) << "every broadcast is traced";
    EXPECT_EQ(main->booBusy, c.busy) << "a skipped broadcast leaves another's busy flag alone";
  }
  EXPECT_EQ(main->cdtData.RecordCount(), 1);
}

TEST_F(DetectionTest, AListedPictureSetInTheOtherTileModeIsOffered) {
  List("C:\\Pics", "Sea.bmp", true);
  Desktop(kSea, false);
  Accept();
  Broadcast();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0].tiled);
  EXPECT_FALSE(Find(kSea)->Tile);
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

// ---- the poll of the browsers' files

TEST_F(DetectionTest, ABrowserFileRewrittenWhileItIsTheWallpaperIsOfferedOncePerRewrite) {
  BrowserSaves("first picture");
  Desktop(kNetscape);
  Tick();
  EXPECT_EQ(Offers(), 1u) << "the first poll after start sees the file as new";
  Tick();
  Tick();
  EXPECT_EQ(Offers(), 1u) << "a cancelled offer is not repeated for the same file";

  BrowserSaves("second picture", kLaterTime);
  Accept();
  Tick();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].move && !seen[0].leaveEnabled) << "a browser's file is always moved";
  EXPECT_FALSE(fakes.files.FileExists(kNetscape));
  EXPECT_NE(Find(Img("v1 of Netscape Wallpaper.bmp")), nullptr);
  Tick();
  EXPECT_EQ(Offers(), 2u);
  EXPECT_TRUE(main->tmrPoll.Enabled());
}

TEST_F(DetectionTest, ABrowserFileRewrittenWhileAnotherPictureIsTheWallpaperWaitsForItsNextRewrite) {
  Desktop(kSea);
  BrowserSaves("web picture");
  Tick();
  EXPECT_EQ(Offers(), 0u);
  EXPECT_EQ(main->PollStamps, std::vector<std::string>{"c:\\windows\\netscape wallpaper.bmp=2025-04-12 12:00:00 - 11"});

  Desktop(kNetscape);  // saved without a broadcast
  Tick();
  EXPECT_EQ(Offers(), 0u) << "the poll reacts to a new stamp only";
  BrowserSaves("web picture", kLaterTime);
  Tick();
  EXPECT_EQ(Offers(), 1u) << "a new time alone is a rewrite";
}

TEST_F(DetectionTest, ABrowserFileOfferedThroughTheBroadcastIsNotOfferedAgainByThePoll) {
  BrowserSaves("web picture");
  Desktop(kNetscape);
  Broadcast();
  EXPECT_EQ(Offers(), 1u);
  Tick();
  Tick();
  EXPECT_EQ(Offers(), 1u);
  BrowserSaves("next web picture", kLaterTime);
  Tick();
  EXPECT_EQ(Offers(), 2u);
}

TEST_F(DetectionTest, TicksWhileTheTimersAreHeldOrABatchRunsAreSkippedAndPollingGoesOnAfter) {
  BrowserSaves("web picture");
  Desktop(kNetscape);
  for (bool TFrmMain::*flag : {&TFrmMain::booHoldTimers, &TFrmMain::booBusy}) {
    (*main).*flag = true;
    Tick();
    EXPECT_EQ(Offers(), 0u);
    EXPECT_TRUE(main->tmrPoll.Enabled());
    (*main).*flag = false;
  }
  Tick();
  EXPECT_EQ(Offers(), 1u);
}

TEST_F(DetectionTest, AFileThatCannotBeReadIsExaminedAgainAndDoesNotStopThePass) {
  BrowserSaves("locked by the browser");
  fakes.files.Lock(kNetscape);
  fakes.files.Put(kExplorer, "other browser");
  Desktop(kExplorer);
  Tick();
  EXPECT_EQ(Offers(), 1u) << "the next name is still polled";

  fakes.files.Lock(kNetscape, false);
  Desktop(kNetscape);
  Tick();
  EXPECT_EQ(Offers(), 2u) << "no stamp was kept for the locked file";
}

TEST_F(DetectionTest, AFailureDuringAPollIsSilentAndTheFileIsExaminedAgain) {
  BrowserSaves("web picture");
  fakes.registry.Put(kDesktopKey, "Wallpaper", RegValue{kRegDword, std::string(4, '\0')});
  Tick();
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_FALSE(main->booBusy);
  EXPECT_TRUE(main->tmrPoll.Enabled());

  Desktop(kNetscape);
  Tick();
  EXPECT_EQ(Offers(), 1u);
}

// ---- detection and the other additions

TEST_F(DetectionTest, WhileADetectionsDialogIsOpenTicksBroadcastsAndPastesDoNothing) {
  BrowserSaves("web picture");
  Desktop(kNetscape);
  ClipboardHoldsAPicture();
  User([this](TfrmItemInfo&) {
    fakes.time.Advance(kPollMs * 3);
    Broadcast();
    Paste();
  });
  Tick();
  EXPECT_EQ(Offers(), 1u);
  EXPECT_EQ(main->cdtData.RecordCount(), 1) << "the detected file only";
  EXPECT_FALSE(fakes.files.FileExists(Img("v1 of Clipboard.bmp")));

  BrowserSaves("next web picture", kLaterTime);
  fakes.time.Advance(kPollMs - 1);
  EXPECT_EQ(Offers(), 1u) << "the poll's wait starts again after its pass";
  fakes.time.Advance(1);
  EXPECT_EQ(Offers(), 2u);
}

TEST_F(DetectionTest, WhileThePasteWaitsForTheUserNoDetectionStartsAndThePasteEndsAsChosen) {
  BrowserSaves("web picture");
  Desktop(kNetscape);
  ClipboardHoldsAPicture();
  User([this](TfrmItemInfo&) {
    Tick();
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
    Tick();
    Broadcast();
  };
  Paste();
  EXPECT_EQ(Offers(), 2u) << "the paste's own dialogs only";
  EXPECT_FALSE(fakes.prompts.shown.empty());

  Tick();
  EXPECT_EQ(Offers(), 3u) << "the detection once the paste is over";
}

}  // namespace
}  // namespace mvx::testing

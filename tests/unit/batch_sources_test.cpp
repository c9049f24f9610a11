#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "inventory/data_file.h"
#include "shared/bitmap_bytes.h"
#include "shared/picture_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

constexpr std::uintptr_t kDrop = 0x4D0;

// How the main window stood while a dialog of the batch was open.
struct DuringBatch {
  bool busy, batchUpdate, barVisible;
  int barMax, barPosition;
};

class BatchSourcesTest : public AddingFixture {
 protected:
  BatchSourcesTest() { fakes.files.AddDir("C:\\Pics"); }

  std::string Pic(const std::string& name) {
    const std::string path = "C:\\Pics\\" + name;
    fakes.files.Put(path, BitmapBytes(2, 2) + name);
    return path;
  }
  using AddingFixture::Accept;
  // The next dialog notes the main window's state and is confirmed, with
  // the apply-to-all box checked or not.
  void Accept(bool forAll) {
    User([this, forAll](TfrmItemInfo& d) {
      during.push_back({main->booBusy, main->booBatchUpdate, main->pbrProgress.Visible(), main->pbrProgress.Max,
                        main->pbrProgress.Position()});
      d.chkApplyToAll.SetChecked(forAll);
    });
  }
  void Drop(std::vector<std::string> names) {
    fakes.shell.droppedNames = std::move(names);
    main->WMDropFiles(kDrop);
  }
  void ExpectBatchEnded() {
    EXPECT_FALSE(main->booBusy);
    EXPECT_FALSE(main->booBatchUpdate);
    EXPECT_FALSE(main->pbrProgress.Visible());
    EXPECT_EQ(main->pbrProgress.Position(), 0);
    EXPECT_TRUE(main->InputTimeout1.Pending()) << "the inventory's save is handed to the notifier";
  }

  std::vector<DuringBatch> during;
};

TEST_F(BatchSourcesTest, ThreeDroppedPicturesAndAListFileAreOneBatchOfThreeWithApplyToAllOffered) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), list = "C:\\Pics\\old.MVL", c = Pic("c.bmp");
  fakes.files.Put(list, "");
  Accept(true);
  Drop({a, b, list, c});

  ASSERT_EQ(seen.size(), 1u) << "the box checked on the first file takes the others through";
  EXPECT_TRUE(seen[0].applyEnabled);
  ASSERT_EQ(during.size(), 1u);
  EXPECT_TRUE(during[0].busy && during[0].batchUpdate && during[0].barVisible);
  EXPECT_EQ(during[0].barMax, 2);
  EXPECT_EQ(during[0].barPosition, 0);
  for (const std::string& p : {a, b, c}) EXPECT_NE(Find(p), nullptr) << p;
  EXPECT_EQ(Find(list), nullptr);
  EXPECT_EQ(records.size(), 3u);
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "the list file is not refused as a picture";
  EXPECT_TRUE(fakes.trace.Saw("FrmMain: WMDropFiles"));
  EXPECT_EQ(fakes.shell.finishedDrops, std::vector<std::uintptr_t>{kDrop});
  ExpectBatchEnded();
  EXPECT_TRUE(main->cdtInventory.Fields().LCFilename == "c.bmp") << "the view stands on the last file";
}

TEST_F(BatchSourcesTest, ADroppedBatchMixingFormatsTakesEveryPictureAndRefusesTheRestOnceEach) {
  const std::vector<std::string> pictures = {Pic("Harbour.JPG"), Pic("map.png"),   Pic("spin.gif"), Pic("scan.tiff"),
                                             Pic("sea.bmp"),     Pic("dune.jfif"), Pic("old.JPE"),  Pic("fax.TIF")};
  const std::string webp = Pic("sky.webp"), text = Pic("read.me");
  std::vector<std::string> dropped = pictures;
  dropped.insert(dropped.begin() + 2, webp);
  dropped.push_back(text);
  Accept(true);
  Drop(dropped);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "Harbour");
  for (const std::string& p : pictures) EXPECT_NE(Find(p), nullptr) << p;
  EXPECT_EQ(records.size(), pictures.size());
  EXPECT_EQ(fakes.prompts.Texts(), (std::vector<std::string>{"Error: sky.webp is not a supported file type.",
                                                             "Error: read.me is not a supported file type."}));
  ExpectBatchEnded();
}

TEST_F(BatchSourcesTest, ASingleDroppedPictureIsABatchOfOneWithoutApplyToAll) {
  Accept(false);
  Drop({Pic("one.bmp")});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0].applyEnabled);
  ASSERT_EQ(during.size(), 1u);
  EXPECT_EQ(during[0].barMax, 0);
  EXPECT_EQ(during[0].barPosition, 0);
  EXPECT_NE(Find("C:\\Pics\\one.bmp"), nullptr);
  ExpectBatchEnded();
}

TEST_F(BatchSourcesTest, DroppedFoldersAreSkippedSilentlyWhateverTheirNames) {
  fakes.files.AddDir("C:\\Pics\\Holiday.bmp");
  fakes.files.AddDir("C:\\Pics\\Lists.mvl");
  fakes.files.AddDir("C:\\Pics\\Plain");
  Drop({"C:\\Pics\\Holiday.bmp", "C:\\Pics\\Lists.mvl", "C:\\Pics\\Plain"});
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(main->cdtData.AllRecords().empty());
  EXPECT_EQ(fakes.shell.finishedDrops.size(), 1u);
}

TEST_F(BatchSourcesTest, ANameThatDoesNotFitTheBufferIsReportedAndNeverTakenCutShort) {
  // Each name's first 126 characters name an existing picture, which a cut
  // name would wrongly take in.
  const std::string folder = "C:\\Pics\\" + std::string(100, 'd');
  fakes.files.AddDir(folder);
  struct Case {
    std::size_t length;
    bool taken;
  };
  for (const Case c : {Case{126, true}, Case{127, false}, Case{200, false}}) {
    SCOPED_TRACE(c.length);
    std::string name = folder + "\\" + std::string(c.length - folder.size() - 5, 'n') + ".bmp";
    fakes.files.Put(name.substr(0, 126), BitmapBytes(2, 2));
    fakes.files.Put(name, BitmapBytes(2, 2));
    fakes.prompts.shown.clear();
    seen.clear();
    Accept();
    Drop({name});
    if (c.taken) {
      EXPECT_TRUE(fakes.prompts.shown.empty());
      EXPECT_NE(Find(name), nullptr);
    } else {
      EXPECT_EQ(fakes.prompts.Texts(),
                std::vector<std::string>{"Error: Filename Buffer Too Small (" + std::to_string(c.length) + ")"});
      EXPECT_TRUE(seen.empty());
      EXPECT_EQ(Find(name.substr(0, 126)), nullptr);
    }
  }
}

TEST_F(BatchSourcesTest, AFailureInTheMiddleOfADropStillEndsTheBatchAndTheDrop) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp");
  User([](TfrmItemInfo&) -> void { throw std::runtime_error("out of memory"); });
  fakes.shell.droppedNames = {a, b};
  EXPECT_THROW(main->WMDropFiles(kDrop), std::runtime_error);
  EXPECT_EQ(fakes.shell.finishedDrops, std::vector<std::uintptr_t>{kDrop});
  ExpectBatchEnded();
}

// The program is told to close while the second of three files waits for the
// user: the first is in the data folder and in the saved list, nothing follows.
class BatchClosingTest : public BatchSourcesTest {
 protected:
  void CloseWhileTheSecondFileWaits(bool inOverwriteQuestion) {
    const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), c = Pic("c.bmp");
    if (inOverwriteQuestion) fakes.files.Put(Img("b.bmp"), "old");
    User([inOverwriteQuestion](TfrmItemInfo& d) {
      d.rdoMove.Click();
      d.chkApplyToAll.SetChecked(inOverwriteQuestion);
    });
    if (inOverwriteQuestion) {
      fakes.prompts.whileOpen = [this] {
        fakes.prompts.whileOpen = nullptr;
        tray->mnuClose.Click();
      };
    } else {
      User([this](TfrmItemInfo&) { tray->mnuClose.Click(); });
    }
    main->AddFiles({a, b, c}, false);

    EXPECT_TRUE(main->Closed());
    EXPECT_EQ(fakes.files.FilesIn("C:\\Pics"), (std::vector<std::string>{b, c}));
    EXPECT_EQ(fakes.files.Content(Img("b.bmp")), inOverwriteQuestion ? "old" : "");
    const DataFileContents saved = DecodeDataFile(fakes.files.Content(main->DataFilePath()));
    ASSERT_TRUE(saved.ok()) << saved.reason;
    EXPECT_EQ(saved.records, main->cdtData.AllRecords());
    ASSERT_EQ(saved.records.size(), 1u);
    EXPECT_EQ(saved.records[0].FileName, "a.bmp");
    EXPECT_EQ(saved.records[0].Location, ImagesDir());
  }
};

TEST_F(BatchClosingTest, AClosingProgramMovesNoFurtherFileAfterTheOverwriteQuestion) {
  CloseWhileTheSecondFileWaits(true);
}

TEST_F(BatchClosingTest, AClosingProgramMovesNoFurtherFileAfterTheDialog) {
  CloseWhileTheSecondFileWaits(false);
}

TEST_F(BatchSourcesTest, TheAddCommandAsksForPicturesInTheImportFolderAndRemembersTheFolderUsed) {
  main->ImportDir = "C:\\Start";
  fakes.dialogs.answers = std::vector<std::string>{Pic("a.bmp"), Pic("b.bmp")};
  Accept(true);
  main->mnuAdd1Click(&main->btnOK);

  ASSERT_EQ(fakes.dialogs.requests.size(), 1u);
  const OpenFileRequest& r = fakes.dialogs.requests[0];
  EXPECT_EQ(r.title + "|" + r.initialDir + "|" + r.fileName + "|" + r.defaultExt,
            "Select Wallpaper Files to Import|C:\\Start||bmp");
  std::string filters;
  for (const auto& f : r.filters) filters += f.description + "|" + f.pattern + "|";
  EXPECT_EQ(filters,
            "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)|"
            "*.bmp;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.tif;*.tiff|"
            "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*|");
  EXPECT_TRUE(r.mustExist && r.hideReadOnly && r.noTestFileCreate);

  EXPECT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].applyEnabled);
  EXPECT_NE(Find("C:\\Pics\\a.bmp"), nullptr);
  EXPECT_NE(Find("C:\\Pics\\b.bmp"), nullptr);
  EXPECT_EQ(main->ImportDir, "C:\\Pics");
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "no question while additions are not to be confirmed";
  ExpectBatchEnded();
}

TEST_F(BatchSourcesTest, CancellingTheAddCommandAddsNothingButStillSchedulesTheSave) {
  main->ImportDir = "C:\\Start";
  main->InputTimeout1.Flush();
  main->mnuAdd1Click(&main->btnOK);
  EXPECT_EQ(fakes.dialogs.requests.size(), 1u);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(main->cdtData.AllRecords().empty());
  EXPECT_EQ(main->ImportDir, "C:\\Start");
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

TEST_F(BatchSourcesTest, AdditionsToConfirmAreAskedAboutAndAnythingButYesDoesNothing) {
  main->chkConfirmAdditions.SetChecked(true);
  const std::vector<std::string> files{Pic("a.bmp"), Pic("b.bmp")};
  const int maxBefore = main->pbrProgress.Max;
  for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
    fakes.prompts.Script(answer);
    main->AddFiles(files, true);
  }
  ASSERT_EQ(fakes.prompts.shown.size(), 2u);
  EXPECT_EQ(fakes.prompts.shown[0].text, "Add 2 files to list?");
  EXPECT_EQ(fakes.prompts.shown[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(main->pbrProgress.Max, maxBefore) << "the progress bar is not even set up";

  fakes.prompts.Script(PromptAnswer::Yes);
  Accept(true);
  fakes.dialogs.answers = files;
  main->mnuAdd1Click(&main->btnOK);
  EXPECT_EQ(fakes.prompts.shown.size(), 3u);
  EXPECT_EQ(main->cdtData.AllRecords().size(), 2u);
}

TEST_F(BatchSourcesTest, AnEmptyBatchOnlySchedulesTheSave) {
  main->chkConfirmAdditions.SetChecked(true);
  main->InputTimeout1.Flush();
  main->AddFiles({}, true);
  EXPECT_TRUE(fakes.prompts.shown.empty());
  ExpectBatchEnded();
}

// The program's start-up as a whole, on a first run and later.
class BatchStartupTest : public MainFixture {};

TEST_F(BatchStartupTest, TheFirstRunTakesInTheWindowsFoldersBitmapsAsOneBatch) {
  fakes.files.Put("C:\\WINDOWS\\Clouds.bmp", BitmapBytes(2, 2) + "1");
  fakes.files.Put("C:\\WINDOWS\\SETUP.BMP", BitmapBytes(2, 2) + "2");
  fakes.files.Put("C:\\WINDOWS\\notes.txt", "x");
  std::vector<bool> applyOffered;
  fakes.prompts.ScriptModal([&](TForm& form) {
    auto& d = static_cast<TfrmItemInfo&>(form);
    applyOffered.push_back(d.chkApplyToAll.Enabled());
    d.chkApplyToAll.SetChecked(true);
    return ModalResult::Ok;
  });
  Build();
  EXPECT_EQ(applyOffered, std::vector<bool>{true});
  const std::vector<InventoryEntry> all = main->cdtData.AllRecords();
  ASSERT_EQ(all.size(), 2u);
  for (const InventoryEntry& e : all) EXPECT_EQ(e.Location, "c:\\windows") << e.FileName;
  EXPECT_FALSE(main->booBusy);
}

// Windows brings its wallpapers as JPEG files in folders by theme under
// Web\Wallpaper; the Windows folder itself holds few pictures, if any.
TEST_F(BatchStartupTest, TheFirstRunAlsoTakesInThePicturesUnderTheWallpaperFolderAndItsSubfoldersInOneBatch) {
  // Whatever the name, every file holds a picture: the last one of the
  // batch is shown in the preview, which drops what it cannot show.
  const std::string png = PngBytes(3, 2, 1, 2, 3);
  fakes.files.Put("C:\\WINDOWS\\Zebra.png", png);
  fakes.files.Put("C:\\WINDOWS\\Clouds.bmp", BitmapBytes(2, 2));
  fakes.files.Put("C:\\WINDOWS\\setup.log", "x");
  fakes.files.Put("C:\\WINDOWS\\Fonts\\Deep.jpg", "not searched: only the wallpaper folder goes deeper");
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Windows\\img0.jpg", png);
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Theme1\\img2.JPG", png);
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Theme1\\img1.jpg", png);
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Theme1\\Night\\Moon.gif", png);
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Theme1\\desktop.ini", "x");
  fakes.files.Put("C:\\WINDOWS\\Web\\Wallpaper\\Flat.tif", png);
  fakes.files.AddDir("C:\\WINDOWS\\Web\\Wallpaper\\Empty.jpg");
  // Each file asked about in turn, as it is offered: folder, name and extension.
  std::vector<std::string> offered;
  bool applyOffered = false;
  for (int i = 0; i < 8; ++i) {
    fakes.prompts.ScriptModal([&](TForm& form) {
      auto& d = static_cast<TfrmItemInfo&>(form);
      offered.push_back(d.edtFromDir.Text() + "\\" + d.edtFileName.Text() + d.Label1.Caption());
      applyOffered = d.chkApplyToAll.Enabled();
      return ModalResult::Ok;
    });
  }
  Build();
  EXPECT_TRUE(applyOffered) << "one batch of several files";
  EXPECT_EQ(offered, (std::vector<std::string>{
                         "c:\\windows\\Clouds.bmp",
                         "c:\\windows\\Zebra.png",
                         "c:\\windows\\web\\wallpaper\\Flat.tif",
                         "c:\\windows\\web\\wallpaper\\theme1\\img1.jpg",
                         "c:\\windows\\web\\wallpaper\\theme1\\img2.JPG",
                         "c:\\windows\\web\\wallpaper\\theme1\\night\\Moon.gif",
                         "c:\\windows\\web\\wallpaper\\windows\\img0.jpg",
                     }));
  EXPECT_EQ(main->cdtData.AllRecords().size(), 7u);
  EXPECT_EQ(fakes.prompts.Texts().size(), 1u) << "the greeting only: nothing was refused";
}

TEST_F(BatchStartupTest, AFolderNestedBeyondTheSearchDepthIsLeftOut) {
  std::string folder = "C:\\WINDOWS\\Web\\Wallpaper";
  for (int level = 1; level <= 17; ++level) {
    folder += "\\L" + std::to_string(level);
    fakes.files.Put(folder + "\\p" + std::to_string(level) + ".png", PngBytes(2, 2, 9, 8, 7));
  }
  fakes.prompts.ScriptModal([](TForm& form) {
    static_cast<TfrmItemInfo&>(form).chkApplyToAll.SetChecked(true);
    return ModalResult::Ok;
  });
  Build();
  const std::vector<InventoryEntry> all = main->cdtData.AllRecords();
  EXPECT_EQ(all.size(), 16u);
  for (const InventoryEntry& e : all) EXPECT_NE(e.FileName, "p17.png") << "seventeen folders down";
}

TEST_F(BatchStartupTest, TheMainWindowTakesDropsFromItsCreationToItsEnd) {
  fakes.files.Put(IniPath(), "[Settings]\r\n");
  Build(false);
  main->Handle = 0x77;
  main->FormCreate();
  EXPECT_EQ(fakes.shell.acceptDrops, (std::vector<std::pair<std::uintptr_t, bool>>{{0x77, true}}));
  main->FormDestroy();
  EXPECT_EQ(fakes.shell.acceptDrops.back(), (std::pair<std::uintptr_t, bool>{0x77, false}));
  EXPECT_EQ(fakes.shell.acceptDrops.size(), 2u);
}

}  // namespace
}  // namespace mvx::testing

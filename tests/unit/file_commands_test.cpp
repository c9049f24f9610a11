#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fileops/frm_confirmation.h"
#include "shared/bitmap_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

constexpr std::uint32_t kSeaTime = 0x5B210000;
constexpr const char* kSea = "C:\\Pics\\Sea Shore.bmp";
const std::string kSeaBytes = BitmapBytes(40, 30);  // 3,654 bytes
const std::string kDawnBytes = BitmapBytes(3, 2);
const std::string kFogBytes = BitmapBytes(2, 3);

// Three pictures: one outside the data folder (disabled, centred, in a group)
// and two inside it, each field different from the others and from its default.
class FileCommandsTest : public AddingFixture {
 protected:
  FileCommandsTest() {
    fakes.files.AddDir("C:\\Pics");
    List("C:\\Pics", "Sea Shore.bmp", kSeaBytes, false, false, "beach", 7, kSeaTime);
    List(ImagesDir(), "Dawn.bmp", kDawnBytes, true, true, "", 0);
    List(ImagesDir(), "Fog.bmp", kFogBytes, true, false, "misty", 3);
    main->chkConfirmDeleteDisk.SetChecked(true);
    main->chkAskBeforeRemoving.SetChecked(true);
    main->InputTimeout1.Flush();
  }
  void List(const std::string& folder, const std::string& file, const std::string& bytes, bool enabled, bool tile,
            const std::string& group, std::int32_t order, std::uint32_t time = 0x5A8C6000) {
    fakes.files.Put(folder + "\\" + file, bytes, time);
    InventoryEntry e = KeyedEntry(file, folder, static_cast<std::int32_t>(bytes.size()));
    e.Enabled = enabled;
    e.Display = tile ? DisplayMode::Tile : DisplayMode::Centre;
    e.Group = group;
    e.Order = order;
    e.Timestamp = DosDateTimeToDateTime(time);
    ListEntry(e);
  }
  void ViewOn(const std::string& path) { ASSERT_TRUE(main->LocateInInventory(path)) << path; }
  // The user at the confirmation dialog: acts, then ends it.
  void Answer(ModalResult result, std::function<void(TfrmConfirmation&)> act = nullptr) {
    fakes.prompts.ScriptModal([this, result, act](TForm& form) {
      auto& d = static_cast<TfrmConfirmation&>(form);
      asked.push_back({d.Caption(), d.lblQuestion.Caption(), d.DBEdit1.Text(), d.DBEdit2.Text(), d.DBEdit3.Text(),
                       d.DBEdit4.Text(), d.DBEdit2.Hint()});
      if (act) act(d);
      return result;
    });
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> out;
    for (const InventoryEntry& e : main->cdtData.AllRecords()) out.push_back(e.Location + "\\" + e.FileName);
    return out;
  }
  struct Asked {
    std::string caption, question, name, folder, size, modified, folderHint;
  };
  std::vector<Asked> asked;
};

TEST_F(FileCommandsTest, RemoveShowsTheEntryAndTakesItOutOnlyOnOkLeavingTheFile) {
  ViewOn(kSea);
  Answer(ModalResult::Cancel);
  main->tbnRemove.Click();
  EXPECT_EQ(Listed().size(), 3u) << "Cancel leaves the list as it was";
  EXPECT_FALSE(main->InputTimeout1.Pending());
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].caption, "Remove File");
  EXPECT_EQ(asked[0].question, "Remove this file from list?");
  EXPECT_EQ(asked[0].name, "Sea Shore.bmp");
  EXPECT_EQ(asked[0].folder, "C:\\Pics");
  EXPECT_EQ(asked[0].size, "3,654");
  EXPECT_EQ(asked[0].modified, FormatDateTime(DosDateTimeToDateTime(kSeaTime)));
  EXPECT_EQ(asked[0].folderHint, "C:\\Pics") << "a long folder can be read in full";

  Answer(ModalResult::Ok);
  main->tbnRemove.Click();
  EXPECT_EQ(Listed(), (std::vector<std::string>{Img("Dawn.bmp"), Img("Fog.bmp")}));
  EXPECT_TRUE(fakes.files.FileExists(kSea)) << "Remove never touches the file";
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

TEST_F(FileCommandsTest, DeleteAsksUnderItsOwnCaptionThenDeletesTheFileAndTheEntry) {
  ViewOn(Img("Fog.bmp"));
  Answer(ModalResult::Ok);
  main->tbnDelete.Click();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].caption, "Delete File");
  EXPECT_EQ(asked[0].question, "Delete this file from disk?");
  EXPECT_FALSE(fakes.files.FileExists(Img("Fog.bmp")));
  EXPECT_EQ(fakes.files.recycled, std::vector<std::string>{LowerAZ(Img("Fog.bmp"))}) << "into the Recycle Bin";
  EXPECT_EQ(Listed(), (std::vector<std::string>{Img("Dawn.bmp"), kSea}));
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

TEST_F(FileCommandsTest, EachQuestionFollowsItsOwnOption) {
  struct Case {
    const char* what;
    bool askDelete, askRemove;
    void (TFrmMain::*command)(TObject*);
    std::size_t questions;
  };
  const Case cases[] = {
      {"Remove asked while its option is on, the other off", false, true, &TFrmMain::tbnRemoveClick, 1},
      {"Remove silent while its option is off, the other on", true, false, &TFrmMain::tbnRemoveClick, 0},
      {"Delete asked while its option is on, the other off", true, false, &TFrmMain::tbnDeleteClick, 1},
      {"Delete silent while its option is off, the other on", false, true, &TFrmMain::tbnDeleteClick, 0},
  };
  List(ImagesDir(), "Haze.bmp", BitmapBytes(5, 4), true, true, "", 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.prompts.modalCaptions.clear();
    main->chkConfirmDeleteDisk.SetChecked(c.askDelete);
    main->chkAskBeforeRemoving.SetChecked(c.askRemove);
    const std::size_t before = Listed().size();
    ASSERT_GT(before, 0u);
    ViewOn(Listed().front());
    if (c.questions > 0) Answer(ModalResult::Ok);
    ((*main).*c.command)(nullptr);
    EXPECT_EQ(fakes.prompts.modalCaptions.size(), c.questions);
    EXPECT_EQ(Listed().size(), before - 1);
  }
}

TEST_F(FileCommandsTest, DontShowAgainSwitchesItsOptionAtOnceEvenWhenCancelled) {
  ViewOn(Img("Dawn.bmp"));
  bool optionWhileOpen = true;
  Answer(ModalResult::Cancel, [&](TfrmConfirmation& d) {
    d.chkDontShowAgain.Click();
    optionWhileOpen = main->chkConfirmDeleteDisk.Checked();
  });
  main->tbnDelete.Click();
  EXPECT_FALSE(optionWhileOpen) << "cleared while the dialog is still open";
  EXPECT_FALSE(main->chkConfirmDeleteDisk.Checked());
  EXPECT_TRUE(main->chkAskBeforeRemoving.Checked()) << "the other question stays on";
  EXPECT_TRUE(fakes.files.FileExists(Img("Dawn.bmp"))) << "Cancel deletes nothing";
  EXPECT_EQ(Listed().size(), 3u);
  EXPECT_TRUE(main->InputTimeout1.Pending()) << "saved with the settings";
  main->InputTimeout1.Flush();

  fakes.prompts.modalCaptions.clear();
  main->tbnDelete.Click();
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty()) << "the next Delete asks nothing";
  EXPECT_FALSE(fakes.files.FileExists(Img("Dawn.bmp")));
}

TEST_F(FileCommandsTest, DontShowAgainTickedAndUntickedLeavesTheOptionOn) {
  ViewOn(Img("Dawn.bmp"));
  Answer(ModalResult::Cancel, [](TfrmConfirmation& d) {
    d.chkDontShowAgain.Click();
    d.chkDontShowAgain.Click();
  });
  main->tbnRemove.Click();
  EXPECT_TRUE(main->chkAskBeforeRemoving.Checked());
  EXPECT_TRUE(main->chkConfirmDeleteDisk.Checked());
}

TEST_F(FileCommandsTest, DeletingAFileAlreadyGoneRemovesTheEntryWithoutAMessage) {
  main->chkConfirmDeleteDisk.SetChecked(false);
  ViewOn(kSea);
  fakes.files.Delete(kSea);
  main->tbnDelete.Click();
  EXPECT_EQ(Listed(), (std::vector<std::string>{Img("Dawn.bmp"), Img("Fog.bmp")}));
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(FileCommandsTest, AnEntryThatLeftTheListWhileTheQuestionWasOpenTakesNoOtherWithIt) {
  ViewOn(Img("Fog.bmp"));
  Answer(ModalResult::Ok, [this](TfrmConfirmation&) {
    // The slideshow's nested tick drops the vanished entry meanwhile.
    ASSERT_TRUE(main->cdtData.FindKey("fog.bmp", LowerAZ(ImagesDir())));
    main->cdtData.Delete();
  });
  main->tbnRemove.Click();
  EXPECT_EQ(Listed(), (std::vector<std::string>{Img("Dawn.bmp"), kSea}));
}

TEST_F(FileCommandsTest, RenamingInTheDataFolderOffersOnlyLeaveAndKeepsTheEntry) {
  ViewOn(Img("Fog.bmp"));
  TypeName("Morning Fog");
  main->tbnMove.Click();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Move/Rename Wallpaper");
  EXPECT_EQ(seen[0].name, "Fog");
  EXPECT_EQ(seen[0].from, ImagesDir());
  EXPECT_TRUE(seen[0].leave);
  EXPECT_TRUE(seen[0].leaveEnabled);
  EXPECT_FALSE(seen[0].moveEnabled);
  EXPECT_FALSE(seen[0].copyEnabled);
  EXPECT_FALSE(seen[0].applyEnabled);
  EXPECT_FALSE(seen[0].tiled) << "the entry's own mode is proposed";
  EXPECT_FALSE(fakes.files.FileExists(Img("Fog.bmp")));
  EXPECT_EQ(fakes.files.Content(Img("Morning Fog.bmp")), kFogBytes);
  const InventoryEntry* e = Find(Img("Morning Fog.bmp"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Group, "misty");
  EXPECT_EQ(e->Order, 3);
  EXPECT_EQ(e->LCFilename, "morning fog.bmp");
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FileCommandsTest, MovingADisabledPictureIntoTheDataFolderKeepsItsEntryAndEnablesIt) {
  ViewOn(kSea);
  User([](TfrmItemInfo& d) {
    d.edtFileName.SetText("Shore");
    d.rdoMove.SetChecked(true);
    d.rdoTiled.SetChecked(true);
  });
  main->tbnMove.Click();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0].moveEnabled && seen[0].copyEnabled && seen[0].leaveEnabled);
  EXPECT_FALSE(fakes.files.FileExists(kSea));
  EXPECT_EQ(fakes.files.Content(Img("Shore.bmp")), kSeaBytes);
  const InventoryEntry* e = Find(Img("Shore.bmp"));
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->Enabled);
  EXPECT_TRUE(e->Display == DisplayMode::Tile) << "the mode chosen in the dialog";
  EXPECT_EQ(e->Group, "beach");
  EXPECT_EQ(e->Order, 7);
  EXPECT_EQ(Listed().size(), 3u);
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

// A device's name typed for a picture of another folder moved into the data
// folder is refused before the system is asked anything: the picture's
// bytes would have gone to the device.
TEST_F(FileCommandsTest, MovingAPictureUnderADevicesNameIsRefusedAndLeavesItsBytes) {
  fakes.files.Put(Img("nul.bmp"), "");  // the system finds the device in every folder
  ViewOn(kSea);
  User([](TfrmItemInfo& d) {
    d.edtFileName.SetText("nul");
    d.rdoMove.SetChecked(true);
  });
  User(nullptr, ModalResult::Cancel);
  main->tbnMove.Click();
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"\"nul.bmp\" cannot be used as a file name."});
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(fakes.files.Content(kSea), kSeaBytes);
  EXPECT_EQ(fakes.files.Content(Img("nul.bmp")), "");
  EXPECT_NE(Find(kSea), nullptr);
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FileCommandsTest, CopyingPointsTheEntryAtTheCopyAndLeavesTheOriginal) {
  ViewOn(kSea);
  User([](TfrmItemInfo& d) { d.rdoCopy.SetChecked(true); });
  main->tbnMove.Click();
  EXPECT_EQ(fakes.files.Content(kSea), kSeaBytes);
  EXPECT_EQ(fakes.files.Content(Img("Sea Shore.bmp")), kSeaBytes);
  EXPECT_NE(Find(Img("Sea Shore.bmp")), nullptr);
  EXPECT_EQ(Find(kSea), nullptr);
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FileCommandsTest, CancelledOrFailedMovesLeaveFileAndEntryAsTheyWere) {
  ViewOn(kSea);
  User([](TfrmItemInfo& d) { d.rdoMove.SetChecked(true); }, ModalResult::Cancel);
  main->tbnMove.Click();
  fakes.files.FailOn(fakes::FileOp::Copy, 5);
  User([](TfrmItemInfo& d) { d.rdoMove.SetChecked(true); });
  main->tbnMove.Click();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_TRUE(fakes.files.FileExists(kSea));
  const InventoryEntry* e = Find(kSea);
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(e->Enabled);
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "a failed move shows nothing";
}

TEST_F(FileCommandsTest, RenamingTheWallpaperOnScreenSetsTheDesktopToTheNewName) {
  main->SetWallpaper(Img("dawn.bmp"), DisplayMode::Tile, true);
  ViewOn(Img("Dawn.bmp"));
  TypeName("Sunrise");
  main->tbnMove.Click();
  ASSERT_FALSE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_TRUE(SameTextAZ(fakes.desktop.wallpaperCalls.back().path, Img("Sunrise.bmp")));
  EXPECT_EQ(main->LastSetDisplay, DisplayMode::Tile);
}

TEST_F(FileCommandsTest, CommandsOnAnEmptyListAskNothingAndChangeNothing) {
  for (const std::string& path : Listed()) {
    ViewOn(path);
    main->cdtInventory.Delete();
  }
  main->InputTimeout1.Flush();
  fakes.prompts.modalCaptions.clear();
  for (TToolButton* button : {&main->tbnMove, &main->tbnRemove, &main->tbnDelete}) {
    SCOPED_TRACE(button->Name());
    button->Click();
  }
  main->mnuEdit1.Click();
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(fakes.shell.executed.empty());
  EXPECT_FALSE(main->InputTimeout1.Pending());
}

TEST_F(FileCommandsTest, ThePreviewPagesKeysRunTheCommands) {
  struct Case {
    const char* what;
    std::uint16_t key;
    TShiftState shift;
    const char* modal;
  };
  main->pgMain.SetActivePage(&main->tsPreview);
  const Case cases[] = {
      {"F2 moves or renames", keys::F2, kNoShift, "Move/Rename Wallpaper"},
      {"Delete removes from the list", keys::Delete, kNoShift, "Remove File"},
      {"Ctrl+Delete deletes from disk", keys::Delete, kCtrlOnly, "Delete File"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.prompts.modalCaptions.clear();
    ViewOn(kSea);
    EXPECT_TRUE(main->FormKeyDown(c.key, c.shift));
    EXPECT_EQ(fakes.prompts.modalCaptions, (std::vector<std::string>{c.modal}));
  }
  fakes.prompts.modalCaptions.clear();
  main->pgMain.SetActivePage(&main->tsOptions);
  EXPECT_FALSE(main->FormKeyDown(keys::Delete, kNoShift));
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty()) << "another page's Delete is its own";
}

TEST(ConfirmationDialogTest, DataFieldsShowTheirTextAsHintsExceptWhileFocused) {
  TfrmConfirmation d;
  EXPECT_EQ(d.ActiveControl(), &d.btnOK) << "Enter confirms";
  InventoryEntry e;
  e.FileName = "A very long name.bmp";
  e.Location = "C:\\Users\\someone\\Pictures";
  e.Size = 1234567;
  d.ShowEntry(e);
  fakes::FakeTrace trace;
  d.FormCreate(96, trace);
  EXPECT_EQ(d.DBEdit1.TooltipText(), "A very long name.bmp");
  EXPECT_EQ(d.DBEdit2.TooltipText(), "C:\\Users\\someone\\Pictures");
  EXPECT_EQ(d.DBEdit3.TooltipText(), "1,234,567");
  d.SetActiveControl(&d.DBEdit2);
  EXPECT_EQ(d.DBEdit2.TooltipText(), "");
  EXPECT_EQ(d.DBEdit1.TooltipText(), "A very long name.bmp");
  d.SetActiveControl(&d.btnOK);
  EXPECT_EQ(d.DBEdit2.TooltipText(), "C:\\Users\\someone\\Pictures");
  EXPECT_TRUE(d.lblQuestion.Bold());
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

using fakes::FileOp;
constexpr int kAll = kCopyLeave | kCopyMove | kCopyCopy;

struct Raised : FormObserver {
  void ControlChanged(TControl&, ControlProp) override {}
  void FormChanged(TForm&) override {}
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override { ++count; }
  int count = 0;
};

class CopyOptionsTest : public AddingFixture {
 protected:
  struct Answer {
    bool accepted;
    std::string path;
    bool copy;
    DisplayMode mode;
    bool tiled() const { return mode == DisplayMode::Tile; }
  };
  Answer Ask(const std::string& proposed, int initial = kCopyLeave, int enabled = kAll, bool tiled = true,
             bool clipboard = false) {
    Answer a{false, proposed, false, tiled ? DisplayMode::Tile : DisplayMode::Centre};
    a.accepted = main->AskCopyOptions("Add Wallpaper", a.path, clipboard, initial, enabled, a.copy, a.mode);
    return a;
  }
  TfrmItemInfo& Dialog() { return main->frmItemInfo; }
};

TEST_F(CopyOptionsTest, UniqueNamesSkipTakenNumbersWhetherFileOrFolderAndKeepTheNamesCase) {
  fakes.files.Put(Img("v1 of Netscape Wallpaper.bmp"), "1");
  fakes.files.Put(Img("V2 OF NETSCAPE WALLPAPER.BMP"), "2");
  EXPECT_EQ(main->MakeUniqueName("Netscape Wallpaper.bmp"), Img("v3 of Netscape Wallpaper.bmp"));
  fakes.files.AddDir(Img("v3 of Netscape Wallpaper.bmp"));
  EXPECT_EQ(main->MakeUniqueName("Netscape Wallpaper.bmp"), Img("v4 of Netscape Wallpaper.bmp"));
}

TEST_F(CopyOptionsTest, InputFileNamesAreTheBrowsersFilesAndThePollFileInAnyCase) {
  main->edtPollFileName.SetText("  My Poll.BMP ");
  const struct {
    std::string path;
    bool input;
  } cases[] = {{"C:\\WINDOWS\\NETSCAPE WALLPAPER.bmp", true},
               {"D:\\x\\internet explorer wallpaper.BMP", true},
               {"C:\\a\\my poll.bmp", true},
               {"C:\\a\\Netscape Wallpaper.bmp.bak", false},
               {"C:\\Netscape Wallpaper.bmp\\sea.bmp", false},
               {"C:\\a\\v1 of Netscape Wallpaper.bmp", false}};
  for (const auto& c : cases) EXPECT_EQ(main->IsInputFileName(c.path), c.input) << c.path;
}

TEST_F(CopyOptionsTest, OverwriteIsAskedOnlyForAnExistingFileAndOnlyYesAgrees) {
  fakes.files.AddDir("C:\\P\\folder.bmp");
  EXPECT_TRUE(main->ConfirmOverwrite("C:\\P\\none.bmp"));
  EXPECT_TRUE(main->ConfirmOverwrite("C:\\P\\folder.bmp"));
  EXPECT_TRUE(fakes.prompts.shown.empty());

  fakes.files.Put("C:\\P\\sea.bmp", "x");
  app.SetTitle("Murovex - sea.bmp");  // as once a wallpaper has been set
  fakes.prompts.Script(PromptAnswer::No);
  EXPECT_FALSE(main->ConfirmOverwrite("C:\\P\\sea.bmp"));
  EXPECT_TRUE(main->ConfirmOverwrite("C:\\P\\sea.bmp"));
  ASSERT_EQ(fakes.prompts.shown.size(), 2u);
  EXPECT_EQ(fakes.prompts.shown[0].text, "Overwrite existing file C:\\P\\sea.bmp ?");
  EXPECT_EQ(fakes.prompts.shown[0].caption, "Murovex - sea.bmp") << "the caption of the other adding boxes";
  EXPECT_EQ(fakes.prompts.shown[0].buttons, PromptButtons::YesNo);
}

TEST_F(CopyOptionsTest, CopyOrMoveRenamesInPlaceCopiesElsewhereAndReportsWhatHappened) {
  struct Case {
    const char* what;
    std::string target;
    bool copy;
    bool ok, sourceLeft;
    std::string targetHolds;
  };
  const std::vector<Case> cases = {
      {"same file in other case", "c:\\p\\S.BMP", false, true, true, "new"},
      {"rename in place", "C:\\P\\t.bmp", false, true, false, "new"},
      {"rename over an agreed file", "C:\\P\\old.bmp", false, true, false, "new"},
      {"move elsewhere", Img("s.bmp"), false, true, false, "new"},
      {"copy elsewhere", Img("s.bmp"), true, true, true, "new"},
      {"copy over an agreed file", Img("old.bmp"), true, true, true, "new"},
      {"folder missing", "C:\\Nowhere\\s.bmp", false, false, true, ""},
  };
  for (const Case& c : cases) {
    fakes.files.Put("C:\\P\\s.bmp", "new");
    fakes.files.Put("C:\\P\\old.bmp", "old");
    fakes.files.Put(Img("old.bmp"), "old");
    fakes.files.Delete(Img("s.bmp"));
    fakes.files.Delete("C:\\P\\t.bmp");
    EXPECT_EQ(main->CopyOrMoveFile("C:\\P\\s.bmp", c.target, c.copy), c.ok) << c.what;
    EXPECT_EQ(fakes.files.FileExists("C:\\P\\s.bmp"), c.sourceLeft) << c.what;
    EXPECT_EQ(fakes.files.Content(c.target), c.targetHolds) << c.what;
  }
}

TEST_F(CopyOptionsTest, AFailedCopyFailsAndAFailedDeleteAfterItDegradesToACopy) {
  fakes.files.Put("C:\\P\\s.bmp", "new");
  fakes.files.FailOn(FileOp::Copy, winerr::kDiskFull);
  EXPECT_FALSE(main->CopyOrMoveFile("C:\\P\\s.bmp", Img("s.bmp"), false));
  EXPECT_FALSE(fakes.files.FileExists(Img("s.bmp")));
  fakes.files.FailOn(FileOp::Delete, winerr::kSharingViolation);
  EXPECT_TRUE(main->CopyOrMoveFile("C:\\P\\s.bmp", Img("s.bmp"), false));
  EXPECT_TRUE(fakes.files.FileExists("C:\\P\\s.bmp"));
  EXPECT_EQ(fakes.files.Content(Img("s.bmp")), "new");
}

TEST_F(CopyOptionsTest, TheFirstDialogShowsTheCallersProposalsAndAnUntouchedNameRaisesNoQuestion) {
  fakes.files.Put("C:\\Pics\\my.photo.bmp", "x");
  Dialog().BeginAddBatch(true);
  Accept();
  const Answer a = Ask("C:\\Pics\\my.photo.bmp", kCopyLeave, kAll, false);
  ASSERT_EQ(seen.size(), 1u);
  const DialogSeen& d = seen[0];
  EXPECT_EQ(d.caption, "Add Wallpaper");
  EXPECT_EQ(d.from, "C:\\Pics");
  EXPECT_EQ(d.name, "my.photo");
  EXPECT_TRUE(!d.tiled && d.leave && d.leaveEnabled && d.moveEnabled && d.copyEnabled && d.groupEnabled);
  EXPECT_TRUE(d.applyEnabled);
  EXPECT_TRUE(a.accepted);
  EXPECT_EQ(a.path, "C:\\Pics\\my.photo.bmp");
  EXPECT_FALSE(a.copy || a.tiled());
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(CopyOptionsTest, AClipboardPictureStaysInTheProposedFolderUnderTheTypedName) {
  const std::string proposed = Img("v1 of Clipboard.bmp");
  Dialog().BeginAddBatch(false);
  Accept();
  EXPECT_EQ(Ask(proposed, kCopyMove, kCopyMove, true, true).path, proposed);
  TypeName("Sky");
  EXPECT_EQ(Ask(proposed, kCopyMove, kCopyMove, true, true).path, Img("Sky.bmp"));
  EXPECT_EQ(seen[0].from, "(Clipboard)");
  EXPECT_FALSE(seen[0].groupEnabled || seen[0].applyEnabled || seen[0].leaveEnabled || seen[0].copyEnabled);
}

TEST_F(CopyOptionsTest, TheTypedNameIsUsedAsTypedWithBmpAppended) {
  fakes.files.Put("C:\\Pics\\sunset.bmp", "x");
  const struct {
    std::string typed, path;
  } cases[] = {{"sunset.bmp", "C:\\Pics\\sunset.bmp.bmp"}, {"", "C:\\Pics\\.bmp"}, {"SunSet", "C:\\Pics\\SunSet.bmp"}};
  for (const auto& c : cases) {
    TypeName(c.typed);
    EXPECT_EQ(Ask("C:\\Pics\\sunset.bmp").path, c.path);
  }
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "a change of case is the same file";
  User([](TfrmItemInfo& d) { d.edtFromDir.SetText("D:\\Other\\"); });
  EXPECT_EQ(Ask("C:\\Pics\\sunset.bmp").path, "D:\\Other\\sunset.bmp");
}

// A typed name is held to the rule of a picture list's names, and a folder
// typed for a file left in place must be a full path; a refused entry is
// said why and the dialog comes back, and nothing is moved or asked.
TEST_F(CopyOptionsTest, ATypedNameOrFolderTheSystemWouldNotKeepIsRefusedAndTheDialogComesBack) {
  const std::string fits = std::string(247, 'x'), moved = std::string(236, 'm');  // C:\Pics\ and 251: 259 units
  auto name = [](const std::string& n) { return "\"" + n + ".bmp\" cannot be used as a file name."; };
  auto folder = [](const std::string& f) {
    return "\"" + f + "\" cannot be used as a folder: type its full path, such as C:\\Pictures.";
  };
  const struct {
    std::string typed, from, refusal;  // from empty: moved to the data folder
  } cases[] = {
      {"nul", "", name("nul")},
      {"COM\xC2\xB9", "", name("COM\xC2\xB9")},
      {"lpt\xC2\xB2", "C:\\Pics", name("lpt\xC2\xB2")},
      {"Con ", "C:\\Pics", name("Con ")},
      {"..\\sea", "C:\\Pics", name("..\\sea")},
      {"C:sea", "", name("C:sea")},
      {"sea*", "C:\\Pics", name("sea*")},
      {"sea\tsky", "", name("sea\tsky")},
      {fits + "xxxxx", "C:\\Pics", "\"" + fits + "xxxxx.bmp\" is too long for a file name (at most 255 characters)."},
      {moved, "", "Error: the path " + Img(moved + ".bmp") + " is too long (at most 259 characters)."},
      {"sea", "Pictures", folder("Pictures")},
      {"sea", "C:Pictures", folder("C:Pictures")},
      {"sea", " C:\\Pics", folder(" C:\\Pics")},
      {"sea", "C:\\Pics\\..\\Other", folder("C:\\Pics\\..\\Other")},
      {"sea", "C:\\Pics\\aux", folder("C:\\Pics\\aux")},
      {"sea", "C:\\Pics.\\Other", folder("C:\\Pics.\\Other")},
      {"sea", "\\\\Server", folder("\\\\Server")},
      {fits, "C:\\Pics", ""},
      {"\xE6\x9D\xB1", "", ""},
      {"console", "\\\\Server\\Share\\Sea\\", ""},
  };
  fakes.files.Put(Img("nul.bmp"), "a device");  // the system finds a device in every folder
  for (const auto& c : cases) {
    fakes.prompts.shown.clear();
    seen.clear();
    User([&c](TfrmItemInfo& d) {
      d.edtFileName.SetText(c.typed);
      d.edtFromDir.SetText(c.from);
      d.rdoMove.SetChecked(c.from.empty());
      d.rdoLeave.SetChecked(!c.from.empty());
    });
    if (!c.refusal.empty()) User(nullptr, ModalResult::Cancel);
    const Answer a = Ask("C:\\Pics\\sea.bmp");
    const std::string to = c.from.empty() ? ImagesDir() : StripTrailingBackslashes(c.from);
    EXPECT_EQ(a.accepted ? a.path : "", c.refusal.empty() ? to + "\\" + c.typed + ".bmp" : "") << c.typed;
    EXPECT_EQ(fakes.prompts.Texts(), c.refusal.empty() ? std::vector<std::string>{} : std::vector{c.refusal});
    EXPECT_EQ(seen.size(), c.refusal.empty() ? 1u : 2u) << "shown again";
  }
  EXPECT_EQ(fakes.files.Content(Img("nul.bmp")), "a device");
}

TEST_F(CopyOptionsTest, TheNameKeepsTheFilesOwnExtensionAndABitmapStillGetsBmp) {
  const struct {
    std::string file, typed, shown, path;
  } cases[] = {
      {"Harbour.jpg", "Port", ".jpg", "C:\\Pics\\Port.jpg"},
      {"Scan.TIFF", "sunset.bmp", ".TIFF", "C:\\Pics\\sunset.bmp.TIFF"},
      {"map.png", "", ".png", "C:\\Pics\\.png"},
      {"holiday.png.gif", "holiday.png", ".gif", "C:\\Pics\\holiday.png.gif"},
      {"Sea.BMP", "Sea", ".bmp", "C:\\Pics\\Sea.bmp"},
      {"sunset.bmp", "sunset.bmp", ".bmp", "C:\\Pics\\sunset.bmp.bmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    fakes.files.Put("C:\\Pics\\" + c.file, "x");
    std::string shown;
    User([&](TfrmItemInfo& d) {
      shown = d.Label1.Caption();
      d.edtFileName.SetText(c.typed);
    });
    EXPECT_EQ(Ask("C:\\Pics\\" + c.file).path, c.path);
    EXPECT_EQ(shown, c.shown);
  }
  // A file of another kind put through the dialog later shows its own again.
  User([&](TfrmItemInfo&) {});
  EXPECT_EQ(Ask(Img("v1 of Clipboard.bmp"), kCopyMove, kCopyMove, true, true).path, Img("v1 of Clipboard.bmp"));
  EXPECT_EQ(Dialog().Label1.Caption(), ".bmp");
}

TEST_F(CopyOptionsTest, DecliningTheOverwriteBringsTheDialogBackWithTheUsersEntries) {
  fakes.files.Put("C:\\Pics\\sea.bmp", "new");
  fakes.files.Put(Img("sea.bmp"), "old");
  Dialog().BeginAddBatch(false);
  User([](TfrmItemInfo& d) { d.rdoMove.Click(); });
  Accept();
  fakes.prompts.Script(PromptAnswer::No);
  fakes.prompts.Script(PromptAnswer::Yes);
  const Answer a = Ask("C:\\Pics\\sea.bmp");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[1].move);
  EXPECT_EQ(seen[1].name, "sea");
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>(2, "Overwrite existing file " + Img("sea.bmp") + " ?"));
  EXPECT_TRUE(a.accepted);
  EXPECT_EQ(a.path, Img("sea.bmp"));
  EXPECT_EQ(fakes.files.Content(Img("sea.bmp")), "old") << "the dialog changes nothing on disk";
}

TEST_F(CopyOptionsTest, LaterDialogsOfABatchKeepTheUsersLastChoices) {
  Dialog().BeginAddBatch(true);
  User([](TfrmItemInfo& d) {
    d.rdoCenter.Click();
    d.rdoCopy.Click();
  });
  Accept();
  Ask("C:\\Pics\\a.bmp");
  const Answer b = Ask("C:\\Pics\\b.bmp", kCopyLeave, kAll, true);
  EXPECT_TRUE(!seen[1].tiled && seen[1].copy);
  EXPECT_TRUE(b.copy);
  EXPECT_FALSE(b.tiled());
  EXPECT_EQ(b.path, Img("b.bmp"));
}

TEST_F(CopyOptionsTest, ApplyToAllTakesTheRestWithoutTheDialogUntilAFileWouldBeOverwritten) {
  fakes.files.Put(Img("c.bmp"), "old");
  Dialog().BeginAddBatch(true);
  User([](TfrmItemInfo& d) {
    d.rdoMove.Click();
    d.rdoCenter.Click();
    d.chkApplyToAll.Click();
  });
  EXPECT_EQ(Ask("C:\\Pics\\a.bmp").path, Img("a.bmp"));
  const Answer b = Ask("D:\\b.bmp", kCopyLeave, kAll, true);
  EXPECT_TRUE(b.accepted && !b.copy && !b.tiled());
  EXPECT_EQ(b.path, Img("b.bmp"));
  EXPECT_EQ(seen.size(), 1u);

  fakes.prompts.Script(PromptAnswer::No);
  Accept();
  EXPECT_TRUE(Ask("C:\\Pics\\c.bmp").accepted);
  ASSERT_EQ(seen.size(), 2u) << "declining the overwrite asks for this file";
  EXPECT_EQ(seen[1].name, "c");
}

TEST_F(CopyOptionsTest, CancelWithApplyToAllSkipsTheRestOfTheBatchAndPlainCancelOnlyThisFile) {
  Dialog().BeginAddBatch(true);
  User(nullptr, ModalResult::Cancel);
  Accept();
  EXPECT_FALSE(Ask("C:\\Pics\\a.bmp").accepted);
  EXPECT_TRUE(Ask("C:\\Pics\\b.bmp").accepted);

  User([](TfrmItemInfo& d) { d.chkApplyToAll.Click(); }, ModalResult::Cancel);
  EXPECT_FALSE(Ask("C:\\Pics\\c.bmp").accepted);
  EXPECT_FALSE(Ask("C:\\Pics\\d.bmp").accepted);
  EXPECT_EQ(seen.size(), 3u);

  Dialog().BeginAddBatch(false);
  Accept();
  EXPECT_TRUE(Ask("C:\\Pics\\e.bmp").accepted) << "a new batch asks again";
}

TEST_F(CopyOptionsTest, ABrowserFileIsMovedWhateverAnEarlierFileOfTheBatchChose) {
  const std::string unique = Img("v1 of Netscape Wallpaper.bmp");
  Dialog().BeginAddBatch(true);
  User([](TfrmItemInfo& d) { d.rdoCopy.Click(); });
  Accept();
  Ask("C:\\Pics\\a.bmp");
  EXPECT_FALSE(Ask(unique, kCopyMove, kCopyMove).copy);
  EXPECT_TRUE(seen[1].move && !seen[1].copy);

  Dialog().BeginAddBatch(true);
  User([](TfrmItemInfo& d) {
    d.rdoCopy.Click();
    d.chkApplyToAll.Click();
  });
  Ask("C:\\Pics\\a.bmp");
  const Answer a = Ask(unique, kCopyMove, kCopyMove);
  EXPECT_TRUE(a.accepted && !a.copy);
  EXPECT_EQ(a.path, unique);
}

TEST_F(CopyOptionsTest, TheDialogHoldsTheForegroundWhileItWaitsAndGivesTheHandlerBack) {
  Raised raised;
  Dialog().AddObserver(&raised);
  int ownHandler = 0;
  app.OnDeactivate = [&ownHandler](TObject*) { ++ownHandler; };
  User([this](TfrmItemInfo& d) {
    app.Deactivate();
    d.Deactivated();
  });
  Ask("C:\\Pics\\a.bmp");
  EXPECT_EQ(raised.count, 3) << "shown, application left, dialog left";
  EXPECT_EQ(fakes.prompts.beeps, 1);
  app.Deactivate();
  Dialog().Deactivated();
  EXPECT_EQ(ownHandler, 1);
  EXPECT_EQ(raised.count, 3) << "a hidden dialog stays where it is";

  fakes.prompts.ScriptModal([](TForm&) -> ModalResult { throw std::runtime_error("broken"); });
  EXPECT_THROW(Ask("C:\\Pics\\b.bmp"), std::runtime_error);
  app.Deactivate();
  EXPECT_EQ(ownHandler, 2);
  EXPECT_EQ(fakes.prompts.beeps, 1);
  Dialog().RemoveObserver(&raised);
}

TEST(ItemInfoDialog, AdjustsItsScalingOnceHoweverOftenItIsAskedToAndKeepsTheDesignFonts) {
  TfrmItemInfo dialog;
  dialog.SetFontHeight(-22);
  fakes::FakeTrace trace;
  dialog.FormCreate(192, trace);
  dialog.FormCreate(192, trace);
  EXPECT_EQ(trace.Texts(),
            (std::vector<std::string>{"AdjustFormScaling: Begin", "AdjustFormScaling: Adjusting for Font Size"}));
  EXPECT_EQ(dialog.btnOK.FontHeight(), -11) << "the view shows it at the monitor's DPI";
}

}  // namespace
}  // namespace mvx::testing

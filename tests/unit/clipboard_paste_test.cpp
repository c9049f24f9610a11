#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/adding_fixture.h"
#include "unit/dib_builder.h"

namespace mvx::testing {
namespace {

using fakes::FileOp;

const char* const kNotSaved = "Clipboard does not contain a valid bitmap.  File not saved.";
const char* const kCannotPaste = "Cannot paste this picture from clipboard";

class ClipboardPasteTest : public AddingFixture {
 protected:
  ClipboardPasteTest() {
    fakes.shell.clipboardBitmap = true;
    fakes.shell.clipboardDib = SmallDib();
  }
  void Paste() { tray->mnuSetWallpaperfromClipboard.Click(); }
  // The files of the data directory other than the inventory's and the history's.
  std::vector<std::string> Pictures() const {
    std::vector<std::string> out;
    for (const std::string& f : fakes.files.FilesIn(ImagesDir())) {
      const std::string name = ExtractFileName(f);
      if (!SameTextAZ(name, main->DBFileName) && !SameTextAZ(name, WallpaperHistory::kFileName)) out.push_back(f);
    }
    return out;
  }
  std::vector<std::string> WallpapersSet() const {
    std::vector<std::string> out;
    for (const auto& c : fakes.desktop.wallpaperCalls) out.push_back(c.path);
    return out;
  }
};

TEST_F(ClipboardPasteTest, PastingTwiceMakesTwoNumberedFilesEachListedAndShownInTurn) {
  ASSERT_TRUE(tray->mnuSetWallpaperfromClipboard.Visible());
  Accept();
  Paste();
  User([](TfrmItemInfo& d) { d.rdoCenter.SetChecked(true); });
  Paste();

  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Add Wallpaper");
  EXPECT_EQ(seen[0].from, "(Clipboard)");
  EXPECT_EQ(seen[0].name, "v1 of Clipboard");
  EXPECT_EQ(seen[1].name, "v2 of Clipboard");
  EXPECT_TRUE(seen[0].move && seen[0].tiled);
  EXPECT_FALSE(seen[0].groupEnabled || seen[0].applyEnabled);

  for (const char* name : {"v1 of Clipboard.bmp", "v2 of Clipboard.bmp"}) {
    const std::string bytes = fakes.files.Content(Img(name));
    EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
    EXPECT_EQ(bytes.substr(14), SmallDib()) << name;
    EXPECT_NE(Find(Img(name)), nullptr) << name;
  }
  EXPECT_TRUE(Find(Img("v1 of Clipboard.bmp"))->Display == DisplayMode::Tile);
  EXPECT_FALSE(Find(Img("v2 of Clipboard.bmp"))->Display == DisplayMode::Tile);
  EXPECT_EQ(WallpapersSet(), (std::vector<std::string>{Img("v1 of Clipboard.bmp"), Img("v2 of Clipboard.bmp")}));
  EXPECT_FALSE(fakes.desktop.wallpaperCalls.back().flags & 1u) << "the picture is shown, not saved as the setting";
  EXPECT_FALSE(main->booBatchUpdate);
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(ClipboardPasteTest, ATypedNameOverAnExistingFileReplacesItOnceConfirmed) {
  fakes.files.Put(Img("Sunset.bmp"), "old picture");
  TypeName("Sunset");
  Paste();
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Overwrite existing file " + Img("Sunset.bmp") + " ?"});
  EXPECT_EQ(fakes.files.Content(Img("Sunset.bmp")).substr(14), SmallDib());
  EXPECT_NE(Find(Img("Sunset.bmp")), nullptr);
}

TEST_F(ClipboardPasteTest, NothingHappensWithoutABitmapOrWhenTheUserCancels) {
  fakes.shell.clipboardBitmap = false;
  Paste();
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty());

  fakes.shell.clipboardBitmap = true;
  User(nullptr, ModalResult::Cancel);
  Paste();
  EXPECT_EQ(fakes.prompts.modalCaptions.size(), 1u);
  EXPECT_TRUE(Pictures().empty());
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
}

TEST_F(ClipboardPasteTest, AClipboardEmptiedWhileTheDialogIsOpenIsReportedOnceAndNothingIsStored) {
  User([this](TfrmItemInfo&) { fakes.shell.clipboardBitmap = false; });
  Paste();
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{kNotSaved});
  EXPECT_TRUE(Pictures().empty());
  EXPECT_TRUE(main->cdtData.AllRecords().empty());
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
}

TEST_F(ClipboardPasteTest, ABitmapThatCannotBeWrittenIsReportedTwiceAndLeavesNoFileBehind) {
  struct Case {
    const char* what;
    std::string dib;
    bool failWrite;
  };
  const Case cases[] = {
      {"unreadable clipboard", "", false},
      {"bitmap cut short", SmallDib().substr(0, 50), false},
      {"disk full while writing", SmallDib(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.prompts.shown.clear();
    fakes.shell.clipboardDib = c.dib;
    if (c.failWrite) fakes.files.FailOn(FileOp::Write, winerr::kDiskFull);
    Accept();
    Paste();
    EXPECT_EQ(fakes.prompts.Texts(), (std::vector<std::string>{kCannotPaste, kNotSaved}));
    EXPECT_TRUE(Pictures().empty());
    EXPECT_TRUE(main->cdtData.AllRecords().empty());
    EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
  }
}

TEST_F(ClipboardPasteTest, AFailedWriteOverAnExistingFileKeepsTheOldPictureWhole) {
  fakes.files.Put(Img("Sunset.bmp"), "old picture");
  fakes.files.FailOn(FileOp::MoveReplace, winerr::kAccessDenied, 100);
  TypeName("Sunset");
  Paste();
  EXPECT_EQ(fakes.files.Content(Img("Sunset.bmp")), "old picture");
  EXPECT_EQ(Pictures(), std::vector<std::string>{Img("Sunset.bmp")}) << "no temporary file is left";
  EXPECT_EQ(fakes.prompts.Texts().back(), kNotSaved);
}

TEST_F(ClipboardPasteTest, ThePasteCommandIsNotRunAgainWhileItsDialogIsOpen) {
  User([this](TfrmItemInfo&) { Paste(); });
  Paste();
  EXPECT_EQ(fakes.prompts.modalCaptions.size(), 1u);
  EXPECT_EQ(Pictures(), std::vector<std::string>{Img("v1 of Clipboard.bmp")});
}

TEST_F(ClipboardPasteTest, APasteWhileABatchAsksAboutOverwritingDoesNothingAndTheBatchGoesOnAsChosen) {
  fakes.files.AddDir("C:\\Pics");
  const std::vector<std::string> batch{"C:\\Pics\\a.bmp", "C:\\Pics\\b.bmp", "C:\\Pics\\c.bmp"};
  for (const std::string& path : batch) fakes.files.Put(path, ExtractFileName(path));
  fakes.files.Put(Img("b.bmp"), "old");
  User([](TfrmItemInfo& d) {
    d.rdoMove.Click();
    d.chkApplyToAll.Click();
  });
  Accept();  // for a paste's dialog, should one come up
  fakes.prompts.whileOpen = [this] {
    fakes.prompts.whileOpen = nullptr;
    Paste();
  };
  main->AddFiles(batch, false);

  EXPECT_EQ(seen.size(), 1u) << "neither the paste's dialog nor another of the batch";
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Overwrite existing file " + Img("b.bmp") + " ?"});
  EXPECT_EQ(Pictures(), (std::vector<std::string>{Img("a.bmp"), Img("b.bmp"), Img("c.bmp")}));
  EXPECT_EQ(fakes.files.Content(Img("b.bmp")), "b.bmp");
  EXPECT_EQ(main->cdtData.RecordCount(), 3);
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
}

}  // namespace
}  // namespace mvx::testing

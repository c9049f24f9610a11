#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adding/frm_export.h"
#include "app/error.h"
#include "forms/keys.h"
#include "shared/bitmap_bytes.h"
#include "unit/adding_fixture.h"

namespace mvx::testing {
namespace {

constexpr TShiftState kShiftCtrlAlt{true, true, true};

// The export dialog opened from the Preview page, over an inventory whose
// pictures lie in C:\Pics and C:\Other.
class ExportTest : public AddingFixture {
 protected:
  ExportTest() {
    fakes.files.AddDir("C:\\Pics");
    fakes.files.AddDir("C:\\Other");
    main->pgMain.SetActivePage(&main->tsPreview);
  }

  // A picture whose bytes end in its path.
  static std::string Bytes(const std::string& path) { return BitmapBytes(2, 2) + path; }
  // Lists the picture, its file holding bytes that name it.
  void Listed(const std::string& folder, const std::string& file, bool enabled, bool tile) {
    InventoryEntry e = KeyedEntry(file, folder);
    e.Enabled = enabled;
    e.Display = tile ? DisplayMode::Tile : DisplayMode::Centre;
    fakes.files.Put(folder + "\\" + file, Bytes(folder + "\\" + file));
    ListEntry(e);
  }
  // The next export dialog: the user acts on it (clicking its buttons); it
  // ends with the result the dialog itself set.
  void User(std::function<void(TFrmExport&)> act) {
    fakes.prompts.ScriptModal([this, act](TForm& form) {
      auto& d = static_cast<TFrmExport&>(form);
      base = d.BaseFolder;
      act(d);
      results.push_back(d.Result);
      return d.Result == ModalResult::None ? ModalResult::Cancel : d.Result;
    });
  }
  void ExportAs(const std::string& subDir) {
    User([subDir](TFrmExport& d) {
      d.edtSubDir.SetText(subDir);
      d.btnExport.Click();
    });
  }
  bool PressExportKey() { return main->FormKeyDown(keys::F11, kShiftCtrlAlt); }
  std::string Exported(const std::string& name) const { return fakes.files.Content(Img("Export1\\" + name)); }

  std::string base;
  std::vector<ModalResult> results;
};

TEST_F(ExportTest, ShiftCtrlAltF11OnThePreviewPageOpensTheExportManagerOverTheDataDirectory) {
  std::vector<std::string> texts;
  std::vector<std::string> tabOrder;
  bool exportIsDefault = false, cancelIsCancel = false;
  std::string active;
  User([&](TFrmExport& d) {
    texts = {d.Caption(),        d.Label1.Caption(),    d.edtExportFileName.Text(), d.Label2.Caption(),
             d.edtSubDir.Text(), d.btnExport.Caption(), d.btnCancel.Caption()};
    for (TControl* c : d.Controls()) {
      if (c->Kind() != ControlKind::Label) tabOrder.push_back(c->Name());
    }
    exportIsDefault = d.btnExport.IsDefault;
    cancelIsCancel = d.btnCancel.IsCancel;
    active = d.ActiveControl() != nullptr ? d.ActiveControl()->Name() : "";
    d.btnCancel.Click();
  });
  EXPECT_TRUE(PressExportKey());
  EXPECT_EQ(fakes.prompts.modalCaptions, std::vector<std::string>{"Export Manager"});
  EXPECT_EQ(base, ImagesDir());
  EXPECT_EQ(texts, (std::vector<std::string>{"Export Manager", "File Name:", "mvx.mvl", "Sub Directory:", "Export1",
                                             "Export Files", "Cancel"}));
  EXPECT_EQ(tabOrder, (std::vector<std::string>{"btnExport", "edtExportFileName", "btnCancel", "edtSubDir"}));
  EXPECT_EQ(active, "btnExport");
  EXPECT_TRUE(exportIsDefault);
  EXPECT_TRUE(cancelIsCancel);
  EXPECT_EQ(results, std::vector<ModalResult>{ModalResult::Cancel});
  EXPECT_FALSE(fakes.files.DirectoryExists(Img("Export1"))) << "Cancel exports nothing";
}

TEST_F(ExportTest, OnlyThatKeyOnThePreviewPageWithTheViewOpenOpensIt) {
  struct Case {
    const char* what;
    std::uint16_t key;
    TShiftState shift;
    TTabSheet* page;
  };
  const Case cases[] = {
      {"F11 alone", keys::F11, kNoShift, &main->tsPreview},
      {"Ctrl+Alt+F11", keys::F11, {false, true, true}, &main->tsPreview},
      {"Shift+Ctrl+F11", keys::F11, {true, true, false}, &main->tsPreview},
      {"Shift+Alt+F11", keys::F11, {true, false, true}, &main->tsPreview},
      {"Shift+Ctrl+Alt+F4", keys::F4, kShiftCtrlAlt, &main->tsPreview},
      {"on the Options page", keys::F11, kShiftCtrlAlt, &main->tsOptions},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    main->pgMain.SetActivePage(c.page);
    EXPECT_FALSE(main->FormKeyDown(c.key, c.shift));
  }
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty());
}

TEST_F(ExportTest, ThreeEnabledPicturesAreCopiedAndListedWithTheirModesAndTheDisabledOneIsLeftOut) {
  Listed("C:\\Pics", "Canyon.bmp", true, false);
  Listed("C:\\Pics", "alps.BMP", true, true);
  Listed("C:\\Other", "Beach.bmp", true, false);
  Listed("C:\\Pics", "dunes.bmp", false, true);
  main->cdtInventory.SetRecNo(2);
  main->cdtSlideShow.SetRecNo(4);
  ExportAs("Export1");
  PressExportKey();

  EXPECT_EQ(Exported("mvx.mvl"), "\"alps.BMP\",\"T\"\r\n\"Beach.bmp\",\"C\"\r\n\"Canyon.bmp\",\"C\"\r\n");
  EXPECT_EQ(Exported("alps.BMP"), Bytes("C:\\Pics\\alps.BMP"));
  EXPECT_EQ(Exported("Beach.bmp"), Bytes("C:\\Other\\Beach.bmp"));
  EXPECT_EQ(Exported("Canyon.bmp"), Bytes("C:\\Pics\\Canyon.bmp"));
  EXPECT_EQ(fakes.files.FilesIn(Img("Export1")).size(), 4u) << "no dunes.bmp, no temporary file";
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Export Successful"});
  EXPECT_EQ(fakes.prompts.shown[0].caption, "Murovex");
  EXPECT_EQ(results, std::vector<ModalResult>{ModalResult::Ok}) << "the dialog closes";
  EXPECT_EQ(main->cdtInventory.RecNo(), 2) << "the view does not move";
  EXPECT_EQ(main->cdtSlideShow.RecNo(), 4) << "nor does the slideshow";
  EXPECT_EQ(fakes.files.Content("C:\\Pics\\alps.BMP"), Bytes("C:\\Pics\\alps.BMP")) << "the source stays";
}

TEST_F(ExportTest, TwoPicturesOfOneNameLeaveTheLaterCopyAndAreListedTwice) {
  Listed("C:\\Pics", "same.bmp", true, true);
  Listed("C:\\Other", "Same.bmp", true, false);
  ExportAs("Export1");
  PressExportKey();
  // In index order c:\other comes before c:\pics, so the copy from C:\Pics is the later one.
  EXPECT_EQ(Exported("mvx.mvl"), "\"Same.bmp\",\"C\"\r\n\"same.bmp\",\"T\"\r\n");
  EXPECT_EQ(Exported("same.bmp"), Bytes("C:\\Pics\\same.bmp"));
  EXPECT_EQ(fakes.files.FilesIn(Img("Export1")).size(), 2u);
}

TEST_F(ExportTest, ATakenFolderNameKeepsTheDialogOpenForAnotherName) {
  Listed("C:\\Pics", "alps.bmp", true, true);
  ExportAs("Export1");
  PressExportKey();
  fakes.files.Put(Img("Export3"), "a file, not a folder");
  User([](TFrmExport& d) {
    d.btnExport.Click();  // the default name again
    EXPECT_EQ(d.Result, ModalResult::None) << "still open after a taken folder";
    d.edtSubDir.SetText("Export3");
    d.btnExport.Click();
    EXPECT_EQ(d.Result, ModalResult::None) << "still open after a taken file name";
    d.edtSubDir.SetText("Export2");
    d.btnExport.Click();
  });
  PressExportKey();
  EXPECT_EQ(fakes.prompts.Texts(),
            (std::vector<std::string>{"Export Successful", "Directory already exists, pick another name",
                                      "Directory already exists, pick another name", "Export Successful"}));
  EXPECT_EQ(fakes.files.Content(Img("Export2\\mvx.mvl")), "\"alps.bmp\",\"T\"\r\n");
  EXPECT_EQ(fakes.files.Content(Img("Export3")), "a file, not a folder");
}

TEST_F(ExportTest, AListOrFolderNameNoFileCanHaveIsRefusedBeforeAnythingIsMadeOrCopied) {
  Listed("C:\\Pics", "alps.bmp", true, true);
  const std::pair<const char*, const char*> cases[] = {
      {"Export1", "a:b.mvl"}, {"..\\Export1", "mvx.mvl"}, {"Export1", "nul.mvl"}, {"Export1 ", "mvx.mvl"}};
  for (const auto& [folder, list] : cases) {
    fakes.prompts.shown.clear();
    User([&](TFrmExport& d) {
      d.edtSubDir.SetText(folder);
      d.edtExportFileName.SetText(list);
      d.btnExport.Click();
      EXPECT_EQ(d.Result, ModalResult::None) << "still open";
      d.btnCancel.Click();
    });
    PressExportKey();
    ASSERT_EQ(fakes.prompts.Texts().size(), 1u) << folder << " " << list;
    EXPECT_NE(fakes.prompts.Texts()[0].find("cannot be used as a file name."), std::string::npos);
    EXPECT_FALSE(fakes.files.DirectoryExists(Img("Export1"))) << "nothing made, nothing copied";
  }
}

TEST_F(ExportTest, WithoutEnabledPicturesTheFolderHoldsAnEmptyListUnderTheNameGiven) {
  Listed("C:\\Pics", "alps.bmp", false, true);
  User([](TFrmExport& d) {
    d.edtExportFileName.SetText("Holiday.MVL");
    d.btnExport.Click();
  });
  PressExportKey();
  EXPECT_EQ(fakes.files.FilesIn(Img("Export1")), std::vector<std::string>{Img("Export1\\Holiday.MVL")});
  EXPECT_EQ(fakes.files.Content(Img("Export1\\Holiday.MVL")), "");
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Export Successful"});
}

TEST_F(ExportTest, APictureThatCannotBeCopiedIsLeftOutWithoutAWord) {
  Listed("C:\\Pics", "alps.bmp", true, true);
  Listed("C:\\Pics", "gone.bmp", true, true);
  fakes.files.Delete("C:\\Pics\\gone.bmp");
  ExportAs("Export1");
  PressExportKey();
  EXPECT_EQ(Exported("mvx.mvl"), "\"alps.bmp\",\"T\"\r\n");
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Export Successful"});
}

TEST_F(ExportTest, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
  Listed("C:\\Pics", "alps.bmp", true, true);
  fakes.files.FailOn(fakes::FileOp::MakeDirectory, winerr::kAccessDenied);
  User([](TFrmExport& d) {
    d.btnExport.Click();
    EXPECT_EQ(d.Result, ModalResult::None) << "the dialog stays open";
    d.btnCancel.Click();
  });
  PressExportKey();
  EXPECT_EQ(fakes.prompts.Texts(), std::vector<std::string>{"Error creating export directory"});
  EXPECT_FALSE(fakes.files.DirectoryExists(Img("Export1")));
  // A sub directory is a name in the data folder, never a path to elsewhere.
  User([](TFrmExport& d) {
    d.edtSubDir.SetText("missing\\Export1");
    d.btnExport.Click();
    d.btnCancel.Click();
  });
  PressExportKey();
  EXPECT_EQ(fakes.prompts.Texts().back(), "\"missing\\Export1\" cannot be used as a file name.");
}

TEST_F(ExportTest, AListThatCannotBeWrittenGoesToTheErrorHandlerAndLeavesNoListBehind) {
  Listed("C:\\Pics", "alps.bmp", true, true);
  Listed("C:\\Pics", "beach.bmp", true, false);
  fakes.files.FailOn(fakes::FileOp::Write, winerr::kDiskFull);
  ModalResult closedWith = ModalResult::None;
  fakes.prompts.ScriptModal([&](TForm& form) {
    auto& d = static_cast<TFrmExport&>(form);
    try {
      d.btnExport.Click();
    } catch (...) {
      closedWith = d.Result;
      throw;
    }
    return ModalResult::Ok;
  });
  EXPECT_THROW(PressExportKey(), AppError);
  EXPECT_EQ(closedWith, ModalResult::Cancel) << "the dialog closes";
  EXPECT_TRUE(fakes.prompts.Texts().empty()) << "no \"Export Successful\"";
  EXPECT_FALSE(fakes.files.FileExists(Img("Export1\\mvx.mvl"))) << "no list naming what may be missing";
  EXPECT_EQ(fakes.files.FilesIn(Img("Export1")),
            (std::vector<std::string>{Img("Export1\\alps.bmp"), Img("Export1\\beach.bmp")}))
      << "the pictures copied stay, and no temporary file does";
}

}  // namespace
}  // namespace mvx::testing

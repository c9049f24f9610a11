#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/data_file.h"
#include "unit/slide_fixture.h"

namespace mvx::testing {
namespace {

// Counts what the grid tells its view: rows changed, current row moved.
class GridSpy : public FormObserver {
 public:
  explicit GridSpy(TControl& grid) : grid_(grid) {}
  void ControlChanged(TControl& control, ControlProp prop) override {
    if (&control != &grid_) return;
    if (prop == ControlProp::Items) ++dataChanges;
    if (prop == ControlProp::Position) ++moves;
  }
  void FormChanged(TForm&) override {}
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override {}
  int dataChanges = 0;
  int moves = 0;

 private:
  TControl& grid_;
};

// The Preview page's grid over pictures in C:\Pics, the list kept in the
// data file of the Images folder so that saves can be watched.
class GridTest : public SlideFixture {
 protected:
  GridTest() {
    fakes.files.AddDir(ImagesDir());
    main->SetDataDir(ImagesDir());
    main->LoadInventory();
    main->chkRandom.SetChecked(false);
    fakes.time.Advance(2250);  // the settings save that follows is done with
  }
  std::string DataFile() const { return ImagesDir() + "\\GDB.CDS"; }
  std::vector<InventoryEntry> OnDisk() { return DecodeDataFile(fakes.files.Content(DataFile())).records; }
  int Picture(int row, std::size_t column) const { return main->dbgrdInventory.Cell(row, column).imageIndex; }
  // The names of the display modes checked in the grid's submenu.
  std::string CheckedModes() const {
    std::string names;
    for (const auto& item : main->mnuDisplayMode1.Item().Items()) {
      if (item->Checked()) names += (names.empty() ? "" : ",") + item->Name().substr(15);
    }
    return names;
  }
  bool Key(std::uint16_t key, TShiftState shift = kNoShift) { return main->FormKeyDown(key, shift); }
  void LimitTo(int kiloBytes) {
    main->updImageSize.SetPosition(kiloBytes);
    main->chkLimitImageSize.SetChecked(true);
  }
};

TEST_F(GridTest, StatusPicturesTellEnabledTooBigAndTileModeApart) {
  struct Row {
    const char* name;
    bool enabled, tile;
    std::int32_t size;
    int enabledPicture, tilePicture;
  };
  const Row rows[] = {
      {"a.bmp", false, true, 1000, grid_images::Disabled, grid_images::Tiled},
      {"b.bmp", true, false, 1000, grid_images::Enabled, grid_images::Centred},
      {"c.bmp", true, true, 1500001, grid_images::EnabledTooBig, grid_images::Tiled},
      {"d.bmp", false, false, 1500001, grid_images::DisabledTooBig, grid_images::Centred},
      {"e.bmp", true, true, 1500000, grid_images::Enabled, grid_images::Tiled},
  };
  for (const Row& r : rows) Add({r.name, r.enabled, r.tile, r.size});
  LimitTo(1500);
  ASSERT_EQ(main->dbgrdInventory.RowCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Picture(i, kEnabledColumn), rows[i].enabledPicture) << rows[i].name;
    EXPECT_EQ(Picture(i, kDisplayColumn), rows[i].tilePicture) << rows[i].name;
    EXPECT_EQ(main->dbgrdInventory.Cell(i, kFileNameColumn).text, rows[i].name);
    EXPECT_EQ(main->dbgrdInventory.Cell(i, kFileNameColumn).imageIndex, -1);
  }
  EXPECT_EQ(main->dbgrdInventory.Cell(5, kFileNameColumn).text, "") << "past the last row";
}

TEST_F(GridTest, F3FlipsTheRowsPictureAndTheListIsWritten2250MsLater) {
  Add({{"A.bmp"}, {"Big.bmp", true, true, 2000000}});
  LimitTo(1500);
  fakes.time.Advance(2250);  // the settings save of the limit is done with
  ViewOn("Big.bmp");
  const std::string before = fakes.files.Content(DataFile());
  EXPECT_FALSE(Key(keys::F3)) << "the key goes on to the grid";
  EXPECT_EQ(Picture(1, kEnabledColumn), grid_images::DisabledTooBig);
  EXPECT_FALSE(main->mnuEnabled1.Checked());
  Key(keys::F3);
  EXPECT_EQ(Picture(1, kEnabledColumn), grid_images::EnabledTooBig);
  ViewOn("A.bmp");
  Key(keys::F3);
  EXPECT_EQ(Picture(0, kEnabledColumn), grid_images::Disabled);
  fakes.time.Advance(2249);
  EXPECT_EQ(fakes.files.Content(DataFile()), before) << "one save for the burst, not yet";
  fakes.time.Advance(1);
  const std::vector<InventoryEntry> saved = OnDisk();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_FALSE(saved[0].Enabled);
  EXPECT_TRUE(saved[1].Enabled);
}

TEST_F(GridTest, F4CyclesTheDisplayModesWithoutTouchingTheDesktop) {
  Add({{"A.bmp", true, true}});
  const std::pair<int, std::string> steps[] = {{grid_images::Centred, "Centre"},  {grid_images::Filled, "Fill"},
                                               {grid_images::Fitted, "Fit"},      {grid_images::Stretched, "Stretch"},
                                               {grid_images::Tiled, "Tile"}};
  for (const auto& [picture, name] : steps) {
    Key(keys::F4);
    EXPECT_EQ(Picture(0, kDisplayColumn), picture) << name;
    EXPECT_EQ(DisplayImageHint(picture), name);
    EXPECT_EQ(DisplayModeName(main->cdtData.Fields().Display), name);
  }
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_TRUE(main->InputTimeout1.Pending());
}

TEST_F(GridTest, SwitchingTheLimitOnMarksABigEnabledRowWithoutChangingIt) {
  Add({{"A.bmp"}, {"Big.bmp", true, true, 2000000}});
  GridSpy spy(main->dbgrdInventory);
  main->AddObserver(&spy);
  main->updImageSize.SetPosition(1500);
  EXPECT_EQ(Picture(1, kEnabledColumn), grid_images::Enabled);
  main->chkLimitImageSize.SetChecked(true);
  EXPECT_EQ(Picture(1, kEnabledColumn), grid_images::EnabledTooBig);
  EXPECT_EQ(Picture(0, kEnabledColumn), grid_images::Enabled);
  EXPECT_GE(spy.dataChanges, 1) << "the view redraws the marks";
  ASSERT_TRUE(main->cdtData.FindKey("big.bmp", "c:\\pics"));
  EXPECT_TRUE(main->cdtData.Fields().Enabled);
  main->RemoveObserver(&spy);
}

TEST_F(GridTest, SpaceChangesTheWallpaperAndSelectsTheNewWallpapersRow) {
  Add({{"A.bmp"}, {"B.bmp"}, {"C.bmp"}});
  SlideOn("A.bmp");
  ViewOn("C.bmp");
  GridSpy spy(main->dbgrdInventory);
  main->AddObserver(&spy);
  EXPECT_FALSE(Key(keys::Space));
  EXPECT_EQ(WallpapersSet().back(), Pics("b.bmp"));
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "b.bmp");
  EXPECT_EQ(main->dbgrdInventory.CurrentRow(), 1);
  EXPECT_GE(spy.moves, 1) << "the view selects the row";
  main->RemoveObserver(&spy);
}

TEST_F(GridTest, KeysOnTheOtherPagesDoNothingSpecial) {
  Add({{"A.bmp"}});
  for (TTabSheet* page : {&main->tsSlideshow, &main->tsOptions}) {
    main->pgMain.SetActivePage(page);
    for (const auto& [key, shift] :
         {std::pair{keys::F3, kNoShift}, std::pair{keys::F4, kNoShift}, std::pair{keys::Space, kNoShift},
          std::pair{keys::Return, kAltOnly}, std::pair{keys::Return, kCtrlOnly}}) {
      EXPECT_FALSE(Key(key, shift)) << page->Caption() << " " << key;
    }
  }
  EXPECT_TRUE(main->cdtData.Fields().Enabled);
  EXPECT_TRUE(main->cdtData.Fields().Display == DisplayMode::Tile);
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_TRUE(fakes.prompts.modalCaptions.empty());
  EXPECT_TRUE(fakes.trace.Saw("FrmMain: FormKeyDown")) << "every key is traced";
}

TEST_F(GridTest, ModifiersMustMatchExactly) {
  Add({{"A.bmp"}});
  const TShiftState ctrlShift{true, true, false};
  EXPECT_FALSE(Key(keys::Return, ctrlShift));
  EXPECT_FALSE(Key(keys::Return, TShiftState{false, true, true}));
  EXPECT_FALSE(Key(keys::F3, TShiftState{true, false, false}));
  EXPECT_FALSE(Key(keys::Return));
  EXPECT_TRUE(fakes.desktop.wallpaperCalls.empty());
  EXPECT_TRUE(main->cdtData.Fields().Enabled);

  EXPECT_TRUE(Key(keys::Return, kCtrlOnly)) << "Ctrl+Enter is used up";
  EXPECT_EQ(WallpapersSet(), (std::vector<std::string>{Pics("a.bmp")}));
}

TEST_F(GridTest, AltEnterOnAnEmptyListOpensThePropertiesWithEmptyFields) {
  std::vector<std::string> fields;
  fakes.prompts.ScriptModal([&](TForm&) {
    TfrmProperties& p = main->frmProperties;
    fields = {p.edtFileName.Text(), p.edtLocation.Text(), p.edtSize.Text(), p.edtTimestamp.Text()};
    EXPECT_FALSE(p.chkEnabled.Checked());
    p.btnOK.Click();
    return p.Result;
  });
  EXPECT_TRUE(Key(keys::Return, kAltOnly));
  EXPECT_EQ(fakes.prompts.modalCaptions, (std::vector<std::string>{"Wallpaper Properties"}));
  EXPECT_EQ(fields, (std::vector<std::string>{"", "", "", ""}));
  EXPECT_FALSE(main->frmProperties.Visible());
}

TEST_F(GridTest, CommandsOnAnEmptyListDoNothingVisible) {
  main->mnuEnabled1Click(nullptr);
  main->CycleDisplayModeClick(nullptr);
  main->tbnNextClick(nullptr);
  main->tbnLastClick(nullptr);
  main->dbgrdInventory.ContextPopup();
  EXPECT_FALSE(main->InputTimeout1.Pending());
  EXPECT_FALSE(main->mnuEnabled1.Checked());
  EXPECT_EQ(main->dbgrdInventory.CurrentRow(), -1);
  EXPECT_EQ(main->dbgrdInventory.RowCount(), 0);
}

TEST_F(GridTest, ThePopUpMenuOpensWithTheSelectedEntrysMarks) {
  Add({{"A.bmp", true, false}, {"B.bmp", false, true}});
  ViewOn("A.bmp");
  main->dbgrdInventory.ContextPopup();
  EXPECT_TRUE(main->mnuEnabled1.Checked());
  EXPECT_EQ(CheckedModes(), "Centre");
  ViewOn("B.bmp");
  main->dbgrdInventory.ContextPopup();
  EXPECT_FALSE(main->mnuEnabled1.Checked());
  EXPECT_EQ(CheckedModes(), "Tile");
  main->mnuDisplayMode1.Item().Items()[3]->Click();
  EXPECT_EQ(main->cdtData.Fields().Display, DisplayMode::Fit) << "the submenu sets the grid's picture";
  EXPECT_EQ(CheckedModes(), "Fit");
  ASSERT_EQ(fakes.shell.popups.size(), 2u);
  std::vector<std::string> captions;
  for (const auto& [caption, enabled] : fakes.shell.popups[0]) captions.push_back(caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"&Enabled", "Display &Mode", "-", "Set as Wallpaper", "E&dit Image", "-",
                                                "P&roperties"}));
  EXPECT_TRUE(main->mnuEdit1.Visible());

  main->mnuSetWallpaper1.Click();
  EXPECT_EQ(WallpapersSet(), (std::vector<std::string>{Pics("b.bmp")}));
  main->mnuProperties1.Click();
  EXPECT_EQ(fakes.prompts.modalCaptions.size(), 1u);
}

TEST_F(GridTest, TheStepButtonsMoveTheGridAndAUsersChoiceMovesTheView) {
  Add({{"A.bmp"}, {"B.bmp"}, {"C.bmp"}});
  GridSpy spy(main->dbgrdInventory);
  main->AddObserver(&spy);
  main->tbnLast.Click();
  EXPECT_EQ(main->dbgrdInventory.CurrentRow(), 2);
  main->tbnPrev.Click();
  EXPECT_EQ(main->dbgrdInventory.CurrentRow(), 1);
  main->tbnFirst.Click();
  EXPECT_EQ(main->dbgrdInventory.CurrentRow(), 0);
  main->tbnNext.Click();
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "b.bmp");
  EXPECT_EQ(spy.moves, 4);
  main->dbgrdInventory.SelectRow(2);
  EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "c.bmp");
  main->dbgrdInventory.SelectRow(7);
  EXPECT_EQ(main->cdtInventory.RecNo(), 3) << "no row there";
  main->RemoveObserver(&spy);
}

TEST_F(GridTest, ADoubleClickOnARowSetsItAsTheWallpaper) {
  Add({{"A.bmp", true, false}, {"B.bmp"}});
  main->dbgrdInventory.SelectRow(0);
  main->dbgrdInventory.DblClick();
  EXPECT_EQ(WallpapersSet(), (std::vector<std::string>{Pics("a.bmp")}));
  EXPECT_EQ(fakes.desktop.wallpaperCalls.back().flags, 3u);
}

TEST_F(GridTest, ThePropertiesShowTheEntryAndFollowTheGrid) {
  Add({{"A.bmp", true, false, 1234567}, {"B.bmp", false, true, 999}});
  ASSERT_TRUE(main->cdtData.FindKey("a.bmp", "c:\\pics"));
  main->cdtData.Edit();
  main->cdtData.EditFields().Timestamp = EncodeDateTime(2001, 2, 3, 4, 5, 6);
  main->cdtData.Post();
  ViewOn("A.bmp");
  TfrmProperties& p = main->frmProperties;
  fakes.prompts.ScriptModal([&](TForm&) {
    EXPECT_EQ(p.edtFileName.Text(), "A.bmp");
    EXPECT_EQ(p.edtLocation.Text(), "C:\\Pics");
    EXPECT_EQ(p.edtSize.Text(), "1,234,567");
    EXPECT_EQ(p.edtTimestamp.Text(), "2001-02-03 04:05:06");
    EXPECT_TRUE(p.chkEnabled.Checked());
    EXPECT_EQ(p.edtDisplay.Text(), "Centre");
    EXPECT_FALSE(p.dbnProperties.Visible());
    p.OnDblClick(&p);
    EXPECT_TRUE(p.dbnProperties.Visible());
    EXPECT_TRUE(p.edtLCFilename.Visible());
    EXPECT_EQ(p.edtLCFilename.Text(), "a.bmp");
    p.btnNext.Click();
    EXPECT_EQ(p.edtFileName.Text(), "B.bmp");
    EXPECT_EQ(p.edtSize.Text(), "999");
    EXPECT_EQ(main->cdtInventory.Fields().LCFilename, "b.bmp") << "the navigator moves the grid";
    p.OnDblClick(&p);
    EXPECT_FALSE(p.edtLCLocation.Visible());
    return ModalResult::Ok;
  });
  main->ShowPropertiesDialog();
  EXPECT_FALSE(main->cdtData.Fields().Display == DisplayMode::Tile) << "the dialog changed nothing";
}

TEST_F(GridTest, TheNavigatorDeletesOnlyWhenToldYesAndSavesTheList) {
  Add({{"A.bmp"}, {"B.bmp"}});
  ViewOn("A.bmp");
  fakes.prompts.Script(PromptAnswer::No);
  main->frmProperties.btnDelete.Click();
  EXPECT_EQ(main->dbgrdInventory.RowCount(), 2);
  main->frmProperties.btnDelete.Click();
  EXPECT_EQ(main->dbgrdInventory.RowCount(), 1);
  EXPECT_EQ(fakes.prompts.Texts(), (std::vector<std::string>{"Delete record?", "Delete record?"}));
  fakes.time.Advance(2250);
  EXPECT_EQ(OnDisk().size(), 1u);
}

TEST(PropertyFormats, SizesAreGroupedByThousandsAndTimesReadInFull) {
  const std::pair<std::int32_t, const char*> sizes[] = {{0, "0"},
                                                        {999, "999"},
                                                        {1000, "1,000"},
                                                        {123456, "123,456"},
                                                        {1234567, "1,234,567"},
                                                        {-1234, "-1,234"},
                                                        {2147483647, "2,147,483,647"},
                                                        {-2147483647 - 1, "-2,147,483,648"}};
  for (const auto& [size, text] : sizes) EXPECT_EQ(FormatGroupedNumber(size), text);
  EXPECT_EQ(FormatDateTime(EncodeDateTime(1999, 12, 31, 23, 59, 59)), "1999-12-31 23:59:59");
  EXPECT_EQ(FormatDateTime(0), "1899-12-30 00:00:00");
}

class GridStartupTest : public MainFixture {};

TEST_F(GridStartupTest, TheStatusColumnsAre20PixelsAndTheFileNameTakesTheRest) {
  Build();
  const auto& columns = main->dbgrdInventory.Columns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[kEnabledColumn].title, "Enabled");
  EXPECT_EQ(columns[kDisplayColumn].title, " Display Mode ");
  EXPECT_EQ(columns[kFileNameColumn].title, "Wallpaper File");
  EXPECT_EQ(columns[kEnabledColumn].width, 20);
  EXPECT_EQ(columns[kDisplayColumn].width, 20);
  // The client width less a scroll bar (16) and the other columns with their margin (50 + 20 + 20).
  EXPECT_EQ(columns[kFileNameColumn].width, main->dbgrdInventory.ClientWidth() - 16 - 90);
}

}  // namespace
}  // namespace mvx::testing

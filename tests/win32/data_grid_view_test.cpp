#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/paths.h"
#include "inventory/inventory_grid.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"
#include "win32/views/common_controls.h"
#include "win32/views/main_window.h"

namespace mvx::testing {
namespace {

SystemFolders GridTestFolders() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  SystemFolders folders;
  folders.programDir = std::string(temp) + "murovex-grid-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folders.programDir.c_str(), nullptr);
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

// A 4 x 4 picture in the 24-bit bitmap format, all of one colour.
void WriteBitmap(const std::string& path) {
  auto put = [](std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  std::string bmp = "BM";
  put(bmp, 54 + 48, 4);
  put(bmp, 0, 4);
  put(bmp, 54, 4);
  for (std::uint32_t v : {40u, 4u, 4u}) put(bmp, v, 4);
  put(bmp, 1, 2);
  put(bmp, 24, 2);
  for (int i = 0; i < 6; ++i) put(bmp, 0, 4);
  bmp += std::string(48, '\x80');
  std::ofstream(path, std::ios::binary) << bmp;
}

// The main window's real grid over three pictures that exist on disk.
class DataGridViewTest : public ::testing::Test {
 protected:
  DataGridViewTest() {
    frm.cdtData.CreateDataSet();
    frm.cdtSlideShow.CloneCursor(frm.cdtData);
    frm.cdtInventory.CloneCursor(frm.cdtData);
    Add("Alps.bmp", true, true);
    Add("Beach.bmp", false, false);
    Add("Canyon.bmp", true, true);
    frm.cdtInventory.First();
    frm.Show();  // the main window makes its controls when first shown
  }
  ~DataGridViewTest() override {
    window.Destroy();
    for (const char* name : {"alps.bmp", "beach.bmp", "canyon.bmp"})
      DeleteFileA((folders.programDir + "\\" + name).c_str());
    RemoveDirectoryA(folders.programDir.c_str());
  }

  void Add(const std::string& name, bool enabled, bool tile) {
    WriteBitmap(folders.programDir + "\\" + name);
    frm.cdtData.Append();
    InventoryEntry& e = frm.cdtData.EditFields();
    e.FileName = name;
    e.Location = folders.programDir;
    e.LCFilename = LowerAZ(name);
    e.LCLocation = LowerAZ(folders.programDir);
    e.Enabled = enabled;
    e.Display = tile ? DisplayMode::Tile : DisplayMode::Centre;
    e.Size = 102;
    frm.cdtData.Post();
  }

  HWND List() const { return window.ControlWindow(frm.dbgrdInventory); }
  std::string Text(int row, int column) const {
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int Image(int row, int column) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  }
  int Selected() const {
    return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  RECT RowRect(int row) const {
    RECT rc{};
    rc.left = LVIR_BOUNDS;
    SendMessageA(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    return rc;
  }
  // The leftmost x of a colour in a cell of the shown list; -1 when it is not there.
  int LeftmostOf(COLORREF colour, int row, int columnLeft, int columnRight) const {
    const RECT rc = RowRect(row);
    HDC dc = GetDC(List());
    int found = -1;
    for (int x = rc.left + columnLeft; x < rc.left + columnRight && found < 0; ++x) {
      for (int y = rc.top; y < rc.bottom; ++y) {
        if (GetPixel(dc, x, y) == colour) {
          found = x - rc.left - columnLeft;
          break;
        }
      }
    }
    ReleaseDC(List(), dc);
    return found;
  }

  ViewEnv env;
  SystemFolders folders = GridTestFolders();
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(DataGridViewTest, AReportListShowsTheRowsTheirNamesAndStatusPictures) {
  ASSERT_NE(List(), nullptr);
  char className[64] = {};
  GetClassNameA(List(), className, sizeof className);
  EXPECT_STREQ(className, WC_LISTVIEWA);
  const auto style = static_cast<DWORD>(GetWindowLongA(List(), GWL_STYLE));
  const DWORD wanted = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(GetParent(List()), window.ControlWindow(frm.tsPreview)) << "its panel is no window";
  EXPECT_NE(style & WS_VISIBLE, 0u) << "made hidden, shown once filled in";
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Text(0, 2), "Alps.bmp");
  EXPECT_EQ(Text(1, 2), "Beach.bmp");
  EXPECT_EQ(Image(0, 0), grid_images::Enabled);
  EXPECT_EQ(Image(1, 0), grid_images::Disabled);
  EXPECT_EQ(Image(1, 1), grid_images::Centred);
  EXPECT_EQ(Image(2, 1), grid_images::Tiled);
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), 20);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), grid_images::Count);

  frm.cdtData.Append();
  frm.cdtData.EditFields().FileName = "Dunes.bmp";
  frm.cdtData.EditFields().LCFilename = "dunes.bmp";
  frm.cdtData.Post();
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 4) << "a new entry shows at once";
}

TEST_F(DataGridViewTest, StatusPicturesAreDrawnCentredInTheirCells) {
  frm.Show();
  UpdateWindow(window.Window());
  Pump();
  // The frame of a status picture starts 2 pixels into its 16; the cell is 20 wide.
  const COLORREF frame = RGB(96, 96, 96);
  EXPECT_EQ(LeftmostOf(frame, 0, 0, 20), (20 - 16) / 2 + 2);
  EXPECT_EQ(LeftmostOf(frame, 0, 20, 40), (20 - 16) / 2 + 1);
  EXPECT_GE(LeftmostOf(RGB(0, 144, 0), 0, 0, 20), 0) << "an enabled row is ticked";
  EXPECT_EQ(LeftmostOf(RGB(0, 144, 0), 1, 0, 20), -1) << "a disabled one is not";
  frm.Hide();
}

TEST_F(DataGridViewTest, AClickSelectsTheEntryAndTheModelsMovesSelectTheRow) {
  EXPECT_EQ(Selected(), 0);
  const RECT third = RowRect(2);
  // The list follows the button until it is let go.
  PostMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(60, (third.top + third.bottom) / 2));
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, (third.top + third.bottom) / 2));
  Pump();
  EXPECT_EQ(frm.cdtInventory.Fields().LCFilename, "canyon.bmp");
  EXPECT_EQ(Selected(), 2);

  frm.tbnFirst.Click();
  EXPECT_EQ(Selected(), 0);
  frm.cdtInventory.Next();
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(frm.cdtInventory.RecNo(), 2) << "selecting the row did not move the model again";
}

TEST_F(DataGridViewTest, ADoubleClickOnARowSetsItsPictureAsTheWallpaper) {
  const RECT first = RowRect(0);
  const LPARAM at = MAKELPARAM(60, (first.top + first.bottom) / 2);
  PostMessageA(List(), WM_LBUTTONUP, 0, at);
  SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  Pump();
  EXPECT_EQ(frm.LastSetWallpaper, LowerAZ(folders.programDir) + "\\alps.bmp");
  EXPECT_EQ(frm.LastSetDisplay, DisplayMode::Tile);
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <string>

#include "app/paths.h"
#include "shared/bitmap_bytes.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"
#include "win32/views/main_window.h"

namespace mvx::testing {
namespace {

SystemFolders PreviewTestFolders() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  SystemFolders folders;
  folders.programDir = std::string(temp) + "murovex-preview-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folders.programDir.c_str(), nullptr);
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

constexpr COLORREF kPictureColour = RGB(kBitmapRed, kBitmapGreen, kBitmapBlue);

// The main window's real Preview page over a list of one picture, shown on screen.
class PreviewViewTest : public ::testing::Test {
 protected:
  PreviewViewTest() {
    frm.cdtData.CreateDataSet();
    frm.cdtSlideShow.CloneCursor(frm.cdtData);
    frm.cdtInventory.CloneCursor(frm.cdtData);
  }
  ~PreviewViewTest() override {
    window.Destroy();
    DeleteFileA(picture.c_str());
    RemoveDirectoryA(folders.programDir.c_str());
  }
  void AddPicture(int width, int height, std::int32_t size) {
    const std::string bytes = BitmapBytes(width, height);
    HANDLE file = CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    frm.cdtData.Append();
    frm.cdtData.EditFields() =
        InventoryEntry{true, DisplayMode::Tile,           "view.bmp", folders.programDir, size, 0, "",
                       0,    LowerAZ(folders.programDir), "view.bmp"};
    frm.cdtData.Post();
  }
  void ShowNow() {
    frm.Show();
    for (HWND w : {window.Window(), Picture(), Panel()}) {
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    Pump();
  }
  // A pixel of a control as it is on the screen.
  static COLORREF PixelOf(HWND control, int x, int y) {
    HDC dc = GetDC(control);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return pixel;
  }
  HWND Picture() const { return window.ControlWindow(frm.imgDesktop); }
  HWND Panel() const { return window.ControlWindow(frm.pnlImageMessage); }
  static RECT PlaceOf(HWND control) {
    RECT rc{};
    GetWindowRect(control, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }
  // The picture's place on the black panel it lies over.
  RECT PlaceOnPanel(HWND control) const {
    RECT rc{};
    GetWindowRect(control, &rc);
    MapWindowPoints(HWND_DESKTOP, Panel(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  ViewEnv env;
  SystemFolders folders = PreviewTestFolders();
  std::string picture = folders.programDir + "\\view.bmp";
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(PreviewViewTest, ASmallPictureShowsCentredOnTheBlackPanel) {
  AddPicture(100, 50, 15054);
  frm.LoadPreview(false);
  ShowNow();
  ASSERT_NE(Picture(), nullptr);
  EXPECT_TRUE(IsWindowVisible(Picture()));
  const RECT place = PlaceOnPanel(Picture());
  EXPECT_EQ(place.left, 138) << "on the preview panel";
  EXPECT_EQ(place.top, 67);
  EXPECT_EQ(place.right - place.left, 100);
  EXPECT_EQ(PixelOf(Picture(), 0, 0), kPictureColour);
  EXPECT_EQ(PixelOf(Picture(), 99, 49), kPictureColour);
  EXPECT_EQ(PixelOf(Panel(), 2, 2), RGB(0, 0, 0)) << "the panel around the picture";
}

TEST_F(PreviewViewTest, OnAMonitorOfTwiceTheDpiASmallPictureShowsTwiceAsLargeAndWhole) {
  AddPicture(100, 50, 15054);
  frm.LoadPreview(false);
  RECT now{};
  GetWindowRect(window.Window(), &now);
  SendMessageA(window.Window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&now));
  ShowNow();
  const RECT place = PlaceOnPanel(Picture());
  EXPECT_EQ(place.left, 2 * 138);
  EXPECT_EQ(place.top, 2 * 67);
  EXPECT_EQ(place.right - place.left, 200);
  EXPECT_EQ(place.bottom - place.top, 100);
  EXPECT_EQ(PixelOf(Picture(), 0, 0), kPictureColour);
  EXPECT_EQ(PixelOf(Picture(), 199, 99), kPictureColour) << "drawn over the whole control";
  EXPECT_EQ(PixelOf(Panel(), 4, 4), RGB(0, 0, 0)) << "the panel around the picture";
}

TEST_F(PreviewViewTest, ALargePictureIsScaledDownKeepingItsShapeAndCentred) {
  AddPicture(600, 20, 36054);
  frm.LoadPreview(false);
  ShowNow();
  const RECT place = PlaceOnPanel(Picture());
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 86);
  EXPECT_EQ(place.right - place.left, 376);
  EXPECT_EQ(place.bottom - place.top, 12);
  EXPECT_EQ(PixelOf(Picture(), 0, 0), kPictureColour);
  EXPECT_EQ(PixelOf(Picture(), 375, 11), kPictureColour);
  EXPECT_EQ(PixelOf(Panel(), 188, 40), RGB(0, 0, 0)) << "the panel above the picture";
  EXPECT_EQ(PixelOf(Panel(), 188, 150), RGB(0, 0, 0)) << "the panel below the picture";
}

TEST_F(PreviewViewTest, TheClickOnThePromptLoadsThePicture) {
  AddPicture(10, 10, 900000);
  frm.LoadPreview(false);
  ShowNow();
  EXPECT_EQ(win32::WindowText(Panel()), "Click Here to Preview view.bmp (900K)");
  EXPECT_FALSE(IsWindowVisible(Picture()));
  ClickAt(Panel(), 20, 20);
  ShowNow();
  EXPECT_TRUE(IsWindowVisible(Picture()));
  EXPECT_EQ(PixelOf(Picture(), 5, 5), kPictureColour);
}

// Each part shows its cursor once the mouse is over it, whatever cursor was there.
TEST_F(PreviewViewTest, EachPartShowsItsCursorAsTheMouseComesOverIt) {
  ShowNow();
  struct Case {
    const char* what;
    HWND window;
    LPCSTR cursor;
  };
  const Case cases[] = {
      {"picture", Picture(), IDC_HAND},
      {"message panel", Panel(), IDC_ARROW},
      {"splitter", window.ControlWindow(frm.Splitter1), IDC_SIZENS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(c.window, nullptr);
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const LRESULT handled =
        SendMessageA(c.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(handled, TRUE);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, c.cursor));
  }
}

TEST_F(PreviewViewTest, DraggingTheSplitterResizesThePreview) {
  ShowNow();
  HWND splitter = window.ControlWindow(frm.Splitter1);
  ASSERT_NE(splitter, nullptr);
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 1));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 41));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(50, 41));
  EXPECT_EQ(frm.PreviewPanelHeight, 225);
  EXPECT_EQ(PlaceOf(splitter).top, 4 + 225);
  EXPECT_EQ(PlaceOf(Panel()).bottom, 4 + 225) << "on the page, at the preview panel's place";
  EXPECT_EQ(PlaceOf(window.ControlWindow(frm.tbrMainToolbar)).top, 4 + 225 + 3);
}

}  // namespace
}  // namespace mvx::testing

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/paths.h"
#include "shared/bitmap_bytes.h"
#include "shared/exif_bytes.h"
#include "shared/wic_encode.h"
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

// A pixel of a control as it is on the screen.
COLORREF PixelOf(HWND control, int x, int y) {
  HDC dc = GetDC(control);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(control, dc);
  return pixel;
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
  void AddPicture(int width, int height, std::int32_t size) { AddPicture(BitmapBytes(width, height), size); }
  void AddPicture(const std::string& bytes, std::int32_t size) {
    HANDLE file = CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!frm.cdtData.IsEmpty()) return;
    frm.cdtData.Append();
    frm.cdtData.EditFields() =
        InventoryEntry{true, DisplayMode::Tile,           "view.bmp", folders.programDir, size, 0, "",
                       0,    LowerAZ(folders.programDir), "view.bmp"};
    frm.cdtData.Post();
  }
  // Shows the window once the picture asked for, if any, has been decoded.
  void ShowNow() {
    const DWORD until = GetTickCount() + 10000;
    while (frm.pnlImageMessage.Caption() == "Loading image file..." && GetTickCount() < until) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      Pump();
    }
    frm.Show();
    for (HWND w : {window.Window(), Picture(), Panel()}) {
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    Pump();
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

// A photograph as stored: a red strip down its left quarter, blue above and
// green below on the rest.
Rgb PhotoColour(int x, int y, int width, int height) {
  if (x < width / 4) return {220, 20, 20};
  return y < height / 2 ? Rgb{20, 20, 220} : Rgb{20, 200, 20};
}

// 'd' for the desktop's colour, else the picture's colour the pixel is:
// 'r', 'g', 'b', or '?' for none of them.
char ColourName(COLORREF c) {
  if (c == GetSysColor(COLOR_DESKTOP)) return 'd';
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (r > 150 && g < 90 && b < 90) return 'r';
  if (g > 130 && r < 90 && b < 90) return 'g';
  if (b > 150 && r < 90 && g < 90) return 'b';
  return '?';
}

// What the picture window shows: its top left pixel ('d' or '-' for the
// picture), then the colours an eighth in from each corner of the picture
// in its place, top left, top right, bottom left, bottom right.
std::string Seen(HWND window, const PictureScene& scene, const PixelRect& place) {
  RECT client{};
  GetClientRect(window, &client);
  const char corner = ColourName(PixelOf(window, 1, 1));
  std::string seen(1, corner == 'd' ? 'd' : '-');
  for (const auto& [fx, fy] : {std::pair{1, 1}, {7, 1}, {1, 7}, {7, 7}}) {
    const int x = MulDiv(place.left + MulDiv(place.Width(), fx, 8), client.right, scene.extentWidth);
    const int y = MulDiv(place.top + MulDiv(place.Height(), fy, 8), client.bottom, scene.extentHeight);
    seen += ColourName(PixelOf(window, x, y));
  }
  return seen;
}

// The places come from the preview's geometry; the window draws the picture
// turned into each, and the desktop's colour where the picture is not.
TEST_F(PreviewViewTest, EachModeAndOrientationShowsThePhotographUprightWhereTheDesktopWould) {
  using enum DisplayMode;
  const struct {
    DisplayMode mode;
    int orientation, width;  // the photograph is 4:3
    const char* seen;
  } cases[] = {
      {Stretch, 1, 400, "-rbrg"}, {Stretch, 2, 400, "-brgr"}, {Stretch, 3, 400, "-grbr"}, {Stretch, 4, 400, "-rgrb"},
      {Stretch, 5, 400, "-rrbg"}, {Stretch, 6, 400, "-rrgb"}, {Stretch, 7, 400, "-gbrr"}, {Stretch, 8, 400, "-bgrr"},
      {Tile, 1, 400, "-rbrg"},    {Tile, 3, 256, "-grbr"},    {Centre, 1, 400, "drbrg"},  {Fit, 6, 400, "drrgb"},
      {Fill, 3, 400, "-grbr"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(DisplayModeName(c.mode)) + " " + std::to_string(c.orientation));
    const std::string jpeg = picture + ".jpg";
    std::string stored;
    const int width = c.width, height = c.width * 3 / 4;
    ASSERT_TRUE(EncodePicture(GUID_ContainerFormatJpeg, jpeg, width, height,
                              [&](int x, int y) { return PhotoColour(x, y, width, height); }));
    ASSERT_TRUE(env.ports.files.ReadAll(jpeg, stored));
    DeleteFileA(jpeg.c_str());
    AddPicture(WithOrientation(stored, c.orientation, c.orientation % 2 == 0), 20000);
    frm.LoadPreview(false);
    frm.SetGridDisplayMode(c.mode);  // drawn again in the new mode
    ShowNow();
    // The first copy of the picture, and a tile's last in the first place.
    const PictureScene& scene = frm.imgDesktop.Scene();
    ASSERT_FALSE(scene.places.empty());
    const PixelRect& p = scene.places.front();
    const int w = p.Width() / scene.across, h = p.Height() / scene.down;
    EXPECT_EQ(Seen(Picture(), scene, {p.left, p.top, p.left + w, p.top + h}), c.seen);
    EXPECT_EQ(Seen(Picture(), scene, {p.right - w, p.bottom - h, p.right, p.bottom}), c.seen);
  }
  EXPECT_EQ(PixelOf(Panel(), 2, 2), RGB(0, 0, 0)) << "the panel beside the monitor";
}

TEST_F(PreviewViewTest, OnAMonitorOfTwiceTheDpiTheDesktopShowsTwiceAsLargeAndWhole) {
  AddPicture(100, 50, 15054);
  frm.LoadPreview(false);
  frm.SetGridDisplayMode(DisplayMode::Stretch);
  RECT now{};
  GetWindowRect(window.Window(), &now);
  SendMessageA(window.Window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&now));
  ShowNow();
  const RECT place = PlaceOnPanel(Picture());
  const TImage& image = frm.imgDesktop;
  EXPECT_EQ(place.left, 2 * image.Left());
  EXPECT_EQ(place.right - place.left, 2 * image.Width());
  EXPECT_EQ(place.bottom - place.top, 2 * image.Height());
  EXPECT_EQ(PixelOf(Picture(), 0, 0), kPictureColour);
  EXPECT_EQ(PixelOf(Picture(), place.right - place.left - 1, place.bottom - place.top - 1), kPictureColour)
      << "drawn over the whole control";
  EXPECT_EQ(PixelOf(Panel(), 4, 4), RGB(0, 0, 0)) << "the panel beside the monitor";
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

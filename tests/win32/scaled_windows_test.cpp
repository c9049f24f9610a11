// Windows laid out from their 96-DPI design at another DPI: a move to a
// monitor of another scale (WM_DPICHANGED, sent here as the system sends it)
// and, in the HighDpi cases, a whole prefix running at 192 DPI.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adding/frm_export.h"
#include "adding/frm_item_info.h"
#include "fileops/frm_confirmation.h"
#include "forms/dpi_scaling.h"
#include "inventory/frm_properties.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"
#include "win32/views/common_controls.h"
#include "win32/views/main_window.h"
#include "win32/views/tray_window.h"

namespace mvx::testing {
namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

RECT PlaceInParent(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

int FontHeightOf(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

int ImageSize(HIMAGELIST images) {
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, height);
  return width;
}

// What the system sends when a window goes to a monitor of another scale.
void MoveToDpi(HWND window, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left, now.top, now.left + (now.right - now.left) * 2, now.top + (now.bottom - now.top) * 2};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class ScaledMainWindow : public ::testing::Test {
 protected:
  // Shown, with every page opened once, since a page makes its controls when first shown.
  ScaledMainWindow() {
    frm.Show();
    for (TTabSheet* page : frm.pgMain.Pages()) frm.pgMain.SetActivePage(page);
    frm.pgMain.SetActivePage(&frm.tsPreview);
  }
  ~ScaledMainWindow() override { RemoveDirectoryA(folders.programDir.c_str()); }
  HWND W() const { return window.Window(); }
  HWND Of(const TControl& control) const { return window.ControlWindow(control); }
  HIMAGELIST ToolbarImages() const {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(Of(frm.tbrMainToolbar), TB_GETIMAGELIST, 0, 0));
  }
  HIMAGELIST GridImages() const {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(Of(frm.dbgrdInventory), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  }
  int ColumnWidth(int column) const {
    return static_cast<int>(SendMessageA(Of(frm.dbgrdInventory), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
  }

  ViewEnv env;
  SystemFolders folders = TempProgramFolders("scaled");
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(ScaledMainWindow, AMoveTo192DpiDoublesTheWindowItsControlsFontsAndPicturesAndTheModelKeepsTheDesign) {
  ASSERT_EQ(window.Dpi(), 96) << "the shared prefix runs at 96 DPI";
  const SIZE client96 = ClientSize(W());
  const RECT ok96 = PlaceInParent(Of(frm.btnOK));
  const int okFont96 = FontHeightOf(Of(frm.btnOK));
  const int column96 = ColumnWidth(1);
  const auto button96 = static_cast<DWORD>(SendMessageA(Of(frm.tbrMainToolbar), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_EQ(ImageSize(ToolbarImages()), 16);
  EXPECT_EQ(ImageSize(GridImages()), 16);

  MoveToDpi(W(), 192);

  EXPECT_EQ(window.Dpi(), 192);
  const SIZE client = ClientSize(W());
  EXPECT_EQ(client.cx, 2 * client96.cx);
  EXPECT_EQ(client.cy, 2 * client96.cy);
  const RECT ok = PlaceInParent(Of(frm.btnOK));
  EXPECT_EQ(ok.left, 2 * ok96.left);
  EXPECT_EQ(ok.top, 2 * ok96.top);
  EXPECT_EQ(ok.right - ok.left, 2 * (ok96.right - ok96.left));
  EXPECT_EQ(FontHeightOf(Of(frm.btnOK)), 2 * okFont96);
  EXPECT_EQ(ColumnWidth(1), 2 * column96);
  EXPECT_EQ(ImageSize(ToolbarImages()), 32);
  EXPECT_EQ(ImageSize(GridImages()), 32);
  const auto button = static_cast<DWORD>(SendMessageA(Of(frm.tbrMainToolbar), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_EQ(LOWORD(button), 2 * LOWORD(button96));
  EXPECT_EQ(frm.ClientWidth(), 402) << "the model keeps its design size";
  EXPECT_EQ(frm.btnOK.Width(), ok96.right - ok96.left);
  ExpectEveryCaptionFits(W(), 192);
}

TEST_F(ScaledMainWindow, BackAt96DpiEveryControlIsWhereItWasPixelForPixel) {
  std::vector<RECT> before;
  std::string names;
  for (HWND child : Children(W())) {
    before.push_back(PlaceInParent(child));
    names += ClassOf(child) + " ";
  }
  const SIZE client96 = ClientSize(W());
  MoveToDpi(W(), 144);
  EXPECT_EQ(ClientSize(W()).cx, 603);
  EXPECT_EQ(ImageSize(ToolbarImages()), 24);
  MoveToDpi(W(), 96);
  const SIZE client = ClientSize(W());
  EXPECT_EQ(client.cx, client96.cx);
  EXPECT_EQ(client.cy, client96.cy);
  const std::vector<HWND> children = Children(W());
  std::string namesNow;
  for (HWND child : children) namesNow += ClassOf(child) + " ";
  ASSERT_EQ(children.size(), before.size()) << names << "\n" << namesNow;
  for (std::size_t i = 0; i < children.size(); ++i) {
    const RECT now = PlaceInParent(children[i]);
    EXPECT_TRUE(EqualRect(&now, &before[i])) << ClassOf(children[i]) << " " << win32::WindowText(children[i]);
  }
  EXPECT_EQ(ImageSize(ToolbarImages()), 16);
}

TEST_F(ScaledMainWindow, TheSplitterMovesTheModelInDesignUnitsAt192Dpi) {
  MoveToDpi(W(), 192);
  HWND splitter = Of(frm.Splitter1);
  const RECT before = PlaceInParent(splitter);
  const int height = frm.pnlPreviewImage.Height();
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 0));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1, 41));  // 41 pixels: 20 design units and a half
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(1, 41));
  EXPECT_EQ(frm.pnlPreviewImage.Height(), height + 20);
  EXPECT_EQ(frm.PreviewPanelHeight, height + 20) << "the setting is kept in 96-DPI units";
  const RECT after = PlaceInParent(splitter);
  EXPECT_EQ(after.top - before.top, 40);
}

// ---- a whole prefix at 192 DPI (run in a fresh prefix of its own)

TEST(HighDpi, TheScreenRunsAt192Dpi) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 192);
  ReleaseDC(nullptr, screen);
}

class HighDpiMainWindow : public ScaledMainWindow {};

TEST_F(HighDpiMainWindow, OpensTwiceItsDesignSizeWithFontsTwiceAsTallAndEveryCaptionFits) {
  EXPECT_EQ(window.Dpi(), 192);
  const SIZE client = ClientSize(W());
  EXPECT_EQ(client.cx, 2 * 402);
  EXPECT_EQ(client.cy, 2 * 443);
  EXPECT_EQ(FontHeightOf(Of(frm.btnOK)), 2 * frm.btnOK.FontHeight());
  EXPECT_EQ(FontHeightOf(Of(frm.btnHelp)), -22);
  EXPECT_EQ(ImageSize(ToolbarImages()), 32);
  EXPECT_EQ(ImageSize(GridImages()), 32);
  ExpectEveryCaptionFits(W(), 192);
}

TEST_F(HighDpiMainWindow, TheShutDownNoticeOpensTwiceItsDesignSizeInTheMiddleOfTheScreen) {
  frm.frmStartup.ShowNotice("Shutting Down Murovex");
  HWND notice = window.NoticeWindow();
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(ClientSize(notice).cx, 2 * frm.frmStartup.ClientWidth());
  RECT rc{};
  GetWindowRect(notice, &rc);
  EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  frm.frmStartup.Hide();
}

// A window made for a form on this screen: twice its design size, its
// fonts twice as tall, every caption inside its control.
void ExpectTwiceTheDesign(TForm& form, TControl& button) {
  ViewEnv env;
  win32::FormView view(form, env.app, win32::FormWindowStyle{});
  EXPECT_EQ(view.Dpi(), 192) << form.Name();
  EXPECT_EQ(ClientSize(view.Window()).cx, 2 * form.ClientWidth()) << form.Name();
  EXPECT_EQ(ClientSize(view.Window()).cy, 2 * form.ClientHeight()) << form.Name();
  EXPECT_EQ(FontHeightOf(view.ControlWindow(button)), 2 * button.FontHeight()) << form.Name();
  ExpectEveryCaptionFits(view.Window(), 192);
}

TEST(HighDpiDialogs, TheDialogsOpenTwiceTheirDesignSizeAndEveryCaptionFits) {
  TfrmItemInfo copyOptions;
  ExpectTwiceTheDesign(copyOptions, copyOptions.btnOK);
  TfrmConfirmation confirmation;
  ExpectTwiceTheDesign(confirmation, confirmation.btnOK);
  TClientDataSet data("cdtData");
  data.CreateDataSet();
  TfrmProperties properties(data);
  ExpectTwiceTheDesign(properties, properties.btnOK);
  ViewEnv env;
  TFrmExport exportManager(env.ports.files, env.ports.prompts, data, "Murovex");
  ExpectTwiceTheDesign(exportManager, exportManager.btnExport);
}

int TrayIconWidth() {
  ViewEnv env;
  TFrmTray tray{env.ports};
  win32::TrayWindow trayWindow(tray, tray.TrayIcon1, env.real.notifyIcon, env.app);
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(env.real.notifyIcon.icon), &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The program's icon resource holds an image drawn for each small-icon size
// from 100% to 200% and the 48-pixel one of 300%.
TEST(ScaledTray, TheIconResourceHoldsImagesOf16To48Pixels) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
  struct GroupHeader {
    WORD reserved, type, count;
  };
#pragma pack(pop)
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_NE(header, nullptr);
  const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
  std::vector<int> sizes;
  for (WORD i = 0; i < header->count; ++i) {
    EXPECT_EQ(entries[i].width, entries[i].height);
    EXPECT_EQ(entries[i].bitCount, 32) << "with an alpha channel";
    sizes.push_back(entries[i].width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48}));
}

TEST(ScaledTray, TheNotificationIconIsTheSmallIconSizeOfTheScreen) {
  EXPECT_EQ(TrayIconWidth(), GetSystemMetricsForDpi(SM_CXSMICON, 96));
  EXPECT_EQ(TrayIconWidth(), 16);
}

TEST(HighDpiTray, TheNotificationIconIsTheSmallIconSizeOfTheScreen) {
  EXPECT_EQ(TrayIconWidth(), GetSystemMetricsForDpi(SM_CXSMICON, 192));
  EXPECT_EQ(TrayIconWidth(), 32);
}

}  // namespace
}  // namespace mvx::testing

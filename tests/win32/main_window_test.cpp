#include "win32/views/main_window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"

namespace mvx::testing {
namespace {

// A control's rectangle in its form's client area, as left, top, right, bottom.
std::array<LONG, 4> PlaceOn(HWND control, HWND form) {
  RECT rc{};
  GetWindowRect(control, &rc);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rc), 2);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

LONG FontHeight(HWND control) {
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (handle == nullptr || GetObjectA(handle, sizeof font, &font) == 0) return 0;
  return font.lfHeight;
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

class MainWindowTest : public ::testing::Test {
 protected:
  ~MainWindowTest() override { RemoveDirectoryA(folders.programDir.c_str()); }
  HWND W() const { return window.Window(); }

  ViewEnv env;
  SystemFolders folders = TempProgramFolders("main-window");
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(MainWindowTest, IsAHiddenTopLevelWindowWithAFixedSingleBorder) {
  EXPECT_EQ(GetParent(W()), nullptr);
  EXPECT_EQ(GetWindow(W(), GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(W()));
  const auto style = static_cast<DWORD>(GetWindowLongA(W(), GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);
  char className[64] = {};
  GetClassNameA(W(), className, sizeof className);
  EXPECT_STREQ(className, "TFrmMain");
  RECT client{};
  GetClientRect(W(), &client);
  EXPECT_EQ(client.right, 402);
  EXPECT_EQ(client.bottom, 443);
  EXPECT_EQ(frm.Handle, reinterpret_cast<std::uintptr_t>(W()));
}

// The caption's and the task switcher's images, each the resource's own at its size.
TEST_F(MainWindowTest, TheWindowCarriesTheProgramsIconInBothSizes) {
  const auto big = reinterpret_cast<HICON>(GetClassLongPtrA(W(), GCLP_HICON));
  const auto small = reinterpret_cast<HICON>(GetClassLongPtrA(W(), GCLP_HICONSM));
  EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
}

TEST_F(MainWindowTest, TheFixedOptionsGetNoWindow) {
  frm.Show();
  for (TTabSheet* page : {&frm.tsSlideshow, &frm.tsOptions, &frm.tsOnline}) frm.pgMain.SetActivePage(page);
  EXPECT_EQ(window.ControlWindow(frm.pnlDesignOptions), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.chkSaveEachChange), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.rdoAll), nullptr);
  EXPECT_NE(window.ControlWindow(frm.chkAutoChange), nullptr);
}

// A program in the tray costs only its hidden frame: the controls come with
// the first showing, and show what the program set while they were missing.
TEST_F(MainWindowTest, ControlsAreMadeWhenFirstShownWithTheValuesSetBefore) {
  EXPECT_EQ(window.ControlWindow(frm.chkConfirmExit), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.dbgrdInventory), nullptr);
  EXPECT_EQ(GetWindow(W(), GW_CHILD), nullptr);
  frm.chkConfirmExit.SetChecked(!frm.chkConfirmExit.Checked());
  const bool checked = frm.chkConfirmExit.Checked();
  frm.lblHints.SetCaption("Shown late");
  frm.btnHelp.SetEnabled(false);
  frm.SetCaption("Murovex - shown late");

  frm.Show();
  frm.pgMain.SetActivePage(&frm.tsOptions);
  HWND confirmExit = window.ControlWindow(frm.chkConfirmExit);
  ASSERT_NE(confirmExit, nullptr);
  EXPECT_EQ(SendMessageA(confirmExit, BM_GETCHECK, 0, 0), checked ? BST_CHECKED : BST_UNCHECKED);
  EXPECT_EQ(win32::WindowText(window.ControlWindow(frm.lblHints)), "Shown late");
  EXPECT_FALSE(IsWindowEnabled(window.ControlWindow(frm.btnHelp)));
  EXPECT_NE(window.ControlWindow(frm.dbgrdInventory), nullptr);
  EXPECT_EQ(win32::WindowText(W()), "Murovex - shown late");

  // Hidden again and shown again: the same controls, not a second set.
  frm.Hide();
  frm.Show();
  EXPECT_EQ(window.ControlWindow(frm.chkConfirmExit), confirmExit);
}

// The list's panel is no window: the list lies on the page, filling the
// panel's place inside its border wherever the panel goes.
TEST_F(MainWindowTest, TheListFillsItsPanelsPlaceInsideItsBorder) {
  frm.Show();
  HWND grid = window.ControlWindow(frm.dbgrdInventory);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(window.ControlWindow(frm.pnlGrid), nullptr);
  EXPECT_EQ(GetParent(grid), window.ControlWindow(frm.tsPreview));
  const auto place = [grid] {
    RECT rc{};
    GetWindowRect(grid, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(grid), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  };
  constexpr int b = TDBGrid::kBorder;
  for (const RECT panel : {RECT{4, 250, 380, 373}, RECT{9, 200, 371, 360}}) {
    frm.pnlGrid.SetBounds(panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top);
    const RECT want{panel.left + b, panel.top + b, panel.right - b, panel.bottom - b};
    const RECT got = place();
    EXPECT_TRUE(EqualRect(&got, &want)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
  }
}

// The progress bar, hidden at first, is made when first shown, as it would
// have been with the rest: its id, place and value, and its place in the
// order of the windows, between the hint and the Help button.
TEST_F(MainWindowTest, TheProgressBarIsMadeWhenFirstShownAsIfMadeWithTheRest) {
  frm.Show();
  EXPECT_EQ(window.ControlWindow(frm.pbrProgress), nullptr);
  frm.pbrProgress.Max = 40;
  frm.pbrProgress.SetPosition(30);
  frm.pbrProgress.SetVisible(true);
  HWND bar = window.ControlWindow(frm.pbrProgress);
  ASSERT_NE(bar, nullptr);
  HWND hints = window.ControlWindow(frm.lblHints);
  HWND help = window.ControlWindow(frm.btnHelp);
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(GetParent(bar), W());
  EXPECT_EQ(GetDlgCtrlID(bar), GetDlgCtrlID(hints) + 1);
  EXPECT_EQ(GetDlgCtrlID(help), GetDlgCtrlID(bar) + 1);
  EXPECT_EQ(GetWindow(help, GW_HWNDNEXT), window.ControlWindow(frm.btnOK)) << "windows lie in the order made";
  EXPECT_EQ(GetWindow(hints, GW_HWNDNEXT), bar);
  EXPECT_EQ(GetWindow(bar, GW_HWNDNEXT), help);
  RECT rc{};
  GetWindowRect(bar, &rc);
  MapWindowPoints(HWND_DESKTOP, W(), reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, frm.pnlButtons.Left() + frm.pbrProgress.Left());
  EXPECT_EQ(rc.top, frm.pnlButtons.Top() + frm.pbrProgress.Top());
  EXPECT_EQ(rc.right - rc.left, frm.pbrProgress.Width());
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 40);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 30);
  frm.pbrProgress.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(bar));
  frm.pbrProgress.SetVisible(true);
  EXPECT_EQ(window.ControlWindow(frm.pbrProgress), bar) << "made once";
}

// The pages not shown get their windows and controls when first shown,
// each with the id, style, text, place and font it has in a window made
// whole at once, and each page above the tabs.
TEST_F(MainWindowTest, APageGetsItsControlsWhenFirstShownAsIfMadeAtOnce) {
  frm.Show();
  ASSERT_EQ(frm.pgMain.ActivePage(), &frm.tsPreview);
  EXPECT_NE(window.ControlWindow(frm.dbgrdInventory), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.tsSlideshow), nullptr) << "nor the page itself";
  EXPECT_EQ(window.ControlWindow(frm.chkAutoChange), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.edtPollFileName), nullptr);
  frm.chkRandom.SetEnabled(false);

  frm.pgMain.SetActivePage(&frm.tsSlideshow);
  HWND random = window.ControlWindow(frm.chkRandom);
  ASSERT_NE(random, nullptr);
  EXPECT_TRUE(IsWindowVisible(random));
  EXPECT_FALSE(IsWindowEnabled(random));
  EXPECT_EQ(window.ControlWindow(frm.edtPollFileName), nullptr) << "another page, still not shown";
  frm.pgMain.SetActivePage(&frm.tsOptions);
  frm.pgMain.SetActivePage(&frm.tsOnline);
  frm.pgMain.SetActivePage(&frm.remote.keys.tsKeys);
  frm.pgMain.SetActivePage(&frm.tsPreview);

  TFrmTray wholeTray{env.ports};
  TFrmMain whole{env.ports, env.app, folders, wholeTray};
  whole.pgMain.SetActivePage(&whole.tsPreview);
  whole.chkRandom.SetEnabled(false);
  win32::FormWindowStyle style;
  style.neverShown = &whole.pnlDesignOptions;
  win32::FormView atOnce(whole, env.app, style);
  int compared = 0;
  for (std::size_t i = 0; i < frm.Controls().size(); ++i) {
    const TControl& late = *frm.Controls()[i];
    HWND lateWindow = window.ControlWindow(late);
    HWND onceWindow = atOnce.ControlWindow(*whole.Controls()[i]);
    SCOPED_TRACE(late.Name());
    ASSERT_EQ(lateWindow == nullptr, onceWindow == nullptr);
    if (lateWindow == nullptr) continue;
    EXPECT_EQ(GetDlgCtrlID(lateWindow), GetDlgCtrlID(onceWindow));
    EXPECT_EQ(GetWindowLongA(lateWindow, GWL_STYLE), GetWindowLongA(onceWindow, GWL_STYLE));
    EXPECT_EQ(win32::WindowText(lateWindow), win32::WindowText(onceWindow));
    EXPECT_EQ(PlaceOn(lateWindow, W()), PlaceOn(onceWindow, atOnce.Window()));
    EXPECT_EQ(FontHeight(lateWindow), FontHeight(onceWindow));
    ++compared;
  }
  EXPECT_GT(compared, 60);
  // Above the tabs, or the tabs would hide the page.
  HWND tabs = window.ControlWindow(frm.pgMain);
  for (const TTabSheet* page : frm.pgMain.Pages()) {
    SCOPED_TRACE(page->Name());
    bool above = false;
    for (HWND w = GetWindow(tabs, GW_HWNDPREV); w != nullptr && !above; w = GetWindow(w, GW_HWNDPREV)) {
      above = w == window.ControlWindow(*page);
    }
    EXPECT_TRUE(above);
  }
}

TEST_F(MainWindowTest, TheRestoreMessageShowsTheWindowRestoredInFront) {
  frm.msgMyWindowMessageHandle = RegisterWindowMessageA("RestoreMurovex");
  EXPECT_EQ(SendMessageA(W(), frm.msgMyWindowMessageHandle, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(W()));
  EXPECT_TRUE(frm.Visible());
  ShowWindow(W(), SW_MINIMIZE);
  EXPECT_EQ(frm.State(), WindowState::Minimized);
  SendMessageA(W(), frm.msgMyWindowMessageHandle, 0, 0);
  EXPECT_FALSE(IsIconic(W()));
  EXPECT_EQ(GetForegroundWindow(), W());
}

std::vector<UINT> passedOn;

LRESULT CALLBACK RecordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER || message == WM_DPICHANGED) passedOn.push_back(message);
  if (message == WM_DPICHANGED) passedOn.push_back(LOWORD(wParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

// The notification icon's window is message-only: the shell's news reach it
// only through the main window, which goes on handling them as before.
TEST_F(MainWindowTest, TheShellsNewsArePassedOnToTheTrayWindow) {
  HWND recorder =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(recorder, nullptr);
  SetWindowLongPtrA(recorder, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordMessage));
  passedOn.clear();
  window.PassShellNewsTo(recorder);
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  const UINT other = RegisterWindowMessageA("MurovexUnrelatedNews");
  RECT frame{};
  GetWindowRect(W(), &frame);
  SendMessageA(W(), other, 0, 0);
  SendMessageA(W(), taskbarCreated, 0, 0);
  SendMessageA(W(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(W(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
  EXPECT_EQ(passedOn, (std::vector<UINT>{taskbarCreated, WM_DPICHANGED, 144}));
  EXPECT_EQ(window.Dpi(), 144) << "the main window is laid out anew all the same";
  DestroyWindow(recorder);
}

TEST_F(MainWindowTest, TheShutDownNoticeIsShownWithItsTextWhenTheModelShowsIt) {
  EXPECT_EQ(window.NoticeWindow(), nullptr) << "no window before the notice first shows";
  frm.frmStartup.ShowNotice("Shutting Down Murovex");
  HWND notice = window.NoticeWindow();
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_EQ(GetParent(notice), nullptr);
  HWND label = GetWindow(notice, GW_CHILD);
  EXPECT_EQ(win32::WindowText(label), "Shutting Down Murovex");
  RECT rc{};
  GetWindowRect(notice, &rc);
  EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  frm.frmStartup.Hide();
  EXPECT_FALSE(IsWindowVisible(notice));
}

TEST_F(MainWindowTest, DestroyingTheWindowRunsFormDestroyAndEndsTheMessageLoop) {
  HANDLE file = CreateFileA(folders.workingBitmapPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  window.Destroy();
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(GetFileAttributesA(folders.workingBitmapPath.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(frm.Handle, 0u);
}

}  // namespace
}  // namespace mvx::testing

#include "win32/views/main_window.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/view_test_env.h"

namespace mvx::testing {
namespace {

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

TEST_F(MainWindowTest, TheFixedOptionsGetNoWindow) {
  EXPECT_EQ(window.ControlWindow(frm.pnlDesignOptions), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.chkSaveEachChange), nullptr);
  EXPECT_EQ(window.ControlWindow(frm.rdoAll), nullptr);
  EXPECT_NE(window.ControlWindow(frm.chkAutoChange), nullptr);
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

TEST_F(MainWindowTest, TheShutDownNoticeIsShownWithItsTextWhenTheModelShowsIt) {
  frm.frmStartup.ShowNotice("Shutting Down Murovex");
  HWND notice = window.NoticeWindow();
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_EQ(GetParent(notice), nullptr);
  HWND label = GetWindow(notice, GW_CHILD);
  EXPECT_EQ(win32::WindowText(label), "Shutting Down Murovex");
  RECT rc{};
  GetWindowRect(notice, &rc);
  EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
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

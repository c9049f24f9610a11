#include "win32/views/tray_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/view_test_env.h"

namespace mvx::testing {
namespace {

// The shell's side of the icon: what was asked, and whether it knows the icon.
class RecordingNotify : public NotifyIconPort {
 public:
  bool NotifyIcon(NotifyIconMessage message, std::uint16_t, std::uint16_t, const std::string&) override {
    calls.push_back(message);
    if (message == NotifyIconMessage::Delete && iconOf != nullptr) {
      windowAtDelete = IsWindow(reinterpret_cast<HWND>(iconOf->Window)) != FALSE;
    }
    if ((message == NotifyIconMessage::Modify || message == NotifyIconMessage::ModifyTip) && !shellKnowsIcon) {
      return false;
    }
    shellKnowsIcon = message != NotifyIconMessage::Delete;
    return true;
  }
  std::vector<NotifyIconMessage> calls;
  bool shellKnowsIcon = false;
  // Whether the icon's window still existed when the shell was told to take it away.
  const TTrayIcon* iconOf = nullptr;
  bool windowAtDelete = false;
};

class RecordingShell : public ShellPort {
 public:
  void ProcessMessages() override {}
  void SetBusyCursor(bool) override {}
  void SetApplicationTitle(const std::string&) override {}
  void Terminate() override {}
  bool ClipboardHasBitmap() override { return false; }
  bool ClipboardDib(std::string&) override { return false; }
  std::uint32_t DropFileCount(std::uintptr_t) override { return 0; }
  std::uint32_t DropNameLength(std::uintptr_t, std::uint32_t) override { return 0; }
  std::string DropName(std::uintptr_t, std::uint32_t, std::uint32_t) override { return {}; }
  void DropFinish(std::uintptr_t) override {}
  void AcceptDrops(std::uintptr_t, bool) override {}
  void PopupMenuAtCursor(TMenuItem& menu, std::uintptr_t owner) override {
    poppedUp = &menu;
    popupOwner = owner;
  }
  int Execute(std::uintptr_t, const std::string&, const std::string&, const std::string&, const std::string&,
              int) override {
    return 2;
  }
  ShortcutSave SaveShortcut(const std::string&, const std::string&, const std::string&) override {
    return ShortcutSave::Refused;
  }
  std::optional<std::string> ShortcutTarget(const std::string&) override { return std::nullopt; }
  TMenuItem* poppedUp = nullptr;
  std::uintptr_t popupOwner = 0;
};

class TrayWindowTest : public ::testing::Test {
 protected:
  TrayWindowTest() {
    menu.Add("now", "Change Wallpaper &Now").SetDefault(true);
    menu.Items()[0]->OnClick = [this](TObject*) { ++defaultRuns; };
    icon.PopupMenu = &menu;
    icon.SetActive(true);
    icon.Loaded();
  }
  HWND W() const { return window.Window(); }

  ViewEnv env;
  RecordingNotify notify;
  RecordingShell shell;
  TMenuItem menu{"menuIcon"};
  TTrayIcon icon{notify, shell, env.real.trace};
  TForm form{"FrmTray"};
  win32::TrayWindow window{form, icon, env.real.notifyIcon, env.app};
  int defaultRuns = 0;
};

// A message-only window: found among those, on no desktop, never shown.
TEST_F(TrayWindowTest, TheIconAndTheAdapterGetTheFormsMessageOnlyWindow) {
  ASSERT_NE(W(), nullptr);
  EXPECT_EQ(form.Handle, reinterpret_cast<std::uintptr_t>(W()));
  EXPECT_EQ(icon.Window, reinterpret_cast<std::uintptr_t>(W()));
  EXPECT_EQ(env.real.notifyIcon.window, reinterpret_cast<std::uintptr_t>(W()));
  EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "TFrmTray", nullptr), W());
  EXPECT_NE(GetAncestor(W(), GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(W()));
}

TEST_F(TrayWindowTest, DoubleClickOnTheIconRunsTheDefaultItem) {
  SendMessageA(W(), icon.CallbackMessage(), icon.IconID, WM_LBUTTONDBLCLK);
  EXPECT_EQ(defaultRuns, 1);
  EXPECT_EQ(shell.poppedUp, nullptr);
}

TEST_F(TrayWindowTest, RightButtonPopsTheMenuUpForTheIconsWindow) {
  SendMessageA(W(), icon.CallbackMessage(), icon.IconID, WM_RBUTTONUP);
  EXPECT_EQ(shell.poppedUp, &menu);
  EXPECT_EQ(shell.popupOwner, reinterpret_cast<std::uintptr_t>(W()));
  EXPECT_EQ(defaultRuns, 0);
}

TEST_F(TrayWindowTest, ANewShellGetsTheIconAgain) {
  struct Case {
    const char* what;
    bool shellStillKnowsIcon;
    std::vector<NotifyIconMessage> calls;
  };
  using M = NotifyIconMessage;
  const Case cases[] = {
      {"restarted shell", false, {M::Modify, M::Add}},
      {"same shell", true, {M::Modify}},
  };
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    notify.calls.clear();
    notify.shellKnowsIcon = c.shellStillKnowsIcon;
    SendMessageA(W(), taskbarCreated, 0, 0);
    EXPECT_EQ(notify.calls, c.calls);
    EXPECT_TRUE(icon.IconAdded());
  }
}

// Passed on by the main window: the icon is given again at the size now asked for.
TEST_F(TrayWindowTest, AChangeOfScaleGivesTheIconAgain) {
  notify.calls.clear();
  notify.shellKnowsIcon = true;
  RECT suggested{0, 0, 800, 600};
  EXPECT_EQ(SendMessageA(W(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested)), 0);
  EXPECT_EQ(notify.calls, std::vector<NotifyIconMessage>{NotifyIconMessage::Modify});
  EXPECT_EQ(env.real.notifyIcon.window, reinterpret_cast<std::uintptr_t>(W()));
}

TEST_F(TrayWindowTest, AnInactiveIconStaysAwayFromANewShell) {
  icon.SetActive(false);
  notify.calls.clear();
  SendMessageA(W(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(notify.calls.empty());
}

TEST_F(TrayWindowTest, TheIconLeavesWithItsWindow) {
  TTrayIcon other{notify, shell, env.real.trace};
  TForm otherForm{"FrmOtherTray"};
  {
    win32::TrayWindow otherWindow{otherForm, other, env.real.notifyIcon, env.app};
    other.SetActive(true);
    other.Loaded();
    notify.calls.clear();
    notify.iconOf = &other;
  }
  EXPECT_EQ(notify.calls, std::vector<NotifyIconMessage>{NotifyIconMessage::Delete});
  EXPECT_TRUE(notify.windowAtDelete);
  EXPECT_FALSE(other.Active());
}

}  // namespace
}  // namespace mvx::testing

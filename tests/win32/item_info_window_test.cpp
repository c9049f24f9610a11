#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adding/frm_item_info.h"
#include "win32/view_test_env.h"
#include "win32/views/form_view.h"

namespace mvx::testing {
namespace {

bool Checked(HWND button) {
  return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void PostText(HWND window, const std::string& text) {
  for (char c : text) PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
}

// The copy-option dialog shown modally over a window of the program, with
// a scripted user who acts once the dialog is up.
class ItemInfoWindowTest : public ::testing::Test {
 protected:
  ItemInfoWindowTest() {
    owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    env.real.prompts.owner = reinterpret_cast<std::uintptr_t>(owner);
    dialog.edtFromDir.SetText("C:\\Pictures");
    dialog.edtFileName.SetText("sunset");
    dialog.edtFileName.SelectAll();
    dialog.SetActiveControl(&dialog.edtFileName);
    Pump();  // also forgets an end of the message loop that an earlier window left
  }
  ~ItemInfoWindowTest() override {
    DestroyWindow(owner);
    Pump();
  }

  // Shows the dialog; user runs with its window once it is shown.
  ModalResult Show(const std::function<void(HWND)>& user) {
    TNotifyEvent formShow = dialog.OnShow;
    dialog.OnShow = [&](TObject* sender) {
      if (formShow) formShow(sender);
      user(reinterpret_cast<HWND>(dialog.Handle));
    };
    const ModalResult result = env.prompts.ShowModal(dialog);
    dialog.OnShow = formShow;
    return result;
  }

  ViewEnv env;
  TfrmItemInfo dialog;
  HWND owner = nullptr;
};

TEST_F(ItemInfoWindowTest, ShowsAsAToolWindowOnTopCentredOverItsDisabledOwner) {
  HWND shown = nullptr;
  const ModalResult result = Show([&](HWND window) {
    shown = window;
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0u);
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0u);
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(win32::WindowText(window), "Add Wallpaper");
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, 390);
    EXPECT_EQ(client.bottom, 199);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(result, ModalResult::Cancel);
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(dialog.Handle, 0u);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ItemInfoWindowTest, OkEndsItWithTheTypedNameAndTheChosenChoicesInTheModel) {
  const ModalResult result = Show([&](HWND window) {
    // The name is selected whole, so typing replaces it.
    PostText(Child(window, "Edit", "sunset"), "dawn");
    PostMessageA(Child(window, "Button", "&Fill"), BM_CLICK, 0, 0);
    PostMessageA(Child(window, "Button", "Make a &copy of the file in Murovex's folder"), BM_CLICK, 0, 0);
    PostMessageA(Child(window, "Button", "OK"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, ModalResult::Ok);
  EXPECT_EQ(dialog.Result, ModalResult::Ok);
  EXPECT_EQ(dialog.edtFileName.Text(), "dawn");
  EXPECT_TRUE(dialog.rdoFill.Checked());
  EXPECT_FALSE(dialog.rdoTiled.Checked());
  EXPECT_TRUE(dialog.rdoCopy.Checked());
  EXPECT_FALSE(dialog.rdoLeave.Checked());
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ItemInfoWindowTest, KeysAndTheCloseBoxEndItAsTheButtonsDo) {
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    ModalResult expected;
  };
  const Case cases[] = {
      {"Esc", [](HWND) { PostKey(GetFocus(), VK_ESCAPE); }, ModalResult::Cancel},
      {"Enter", [](HWND) { PostKey(GetFocus(), VK_RETURN); }, ModalResult::Ok},
      {"close box", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, ModalResult::Cancel},
      {"Cancel button", [](HWND w) { PostMessageA(Child(w, "Button", "Cancel"), BM_CLICK, 0, 0); },
       ModalResult::Cancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Show(c.act), c.expected);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
}

TEST_F(ItemInfoWindowTest, TheProgramsEndAskedForMeanwhileStillReachesItsOwnLoop) {
  EXPECT_EQ(Show([](HWND) { PostQuitMessage(7); }), ModalResult::Cancel);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ItemInfoWindowTest, TheFromFieldReadsLikeALabelAndTheKeyboardPassesItBy) {
  Show([&](HWND window) {
    HWND from = Child(window, "Edit", "C:\\Pictures");
    HWND name = Child(window, "Edit", "sunset");
    ASSERT_NE(from, nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongA(from, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(from, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_BORDER | WS_TABSTOP), 0u);
    EXPECT_EQ(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0u);
    HDC dc = GetDC(from);
    EXPECT_EQ(SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from)),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(from, dc);
    EXPECT_NE(GetWindowLongA(name, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    HWND stop = name;
    for (int i = 0; i < 12; ++i) {
      stop = GetNextDlgTabItem(window, stop, FALSE);
      EXPECT_NE(stop, from);
    }
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

TEST_F(ItemInfoWindowTest, TheDisplayModeAndTheCopyOptionAreTwoSeparateGroups) {
  Show([&](HWND window) {
    HWND tiled = Child(window, "Button", "&Tile");
    HWND center = Child(window, "Button", "Ce&ntre");
    HWND fit = Child(window, "Button", "F&it");
    HWND stretch = Child(window, "Button", "&Stretch");
    HWND leave = Child(window, "Button", "&Leave the file in its current folder");
    HWND move = Child(window, "Button", "&Move the file to Murovex's own folder");
    SendMessageA(center, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(center));
    EXPECT_FALSE(Checked(tiled));
    EXPECT_TRUE(Checked(leave));
    SendMessageA(move, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(move));
    EXPECT_FALSE(Checked(leave));
    EXPECT_TRUE(Checked(center));
    EXPECT_TRUE(dialog.rdoMove.Checked());
    EXPECT_TRUE(dialog.rdoCenter.Checked());
    SendMessageA(fit, BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ChosenDisplayMode(), DisplayMode::Fit);
    EXPECT_FALSE(Checked(center));
    // The arrow keys move within a group, never out of it: the five modes
    // go round from Stretch back to Tile.
    SetFocus(center);
    EXPECT_EQ(GetNextDlgGroupItem(window, center, FALSE), Child(window, "Button", "&Fill"));
    EXPECT_EQ(GetNextDlgGroupItem(window, stretch, FALSE), tiled);
    EXPECT_EQ(GetNextDlgGroupItem(window, move, FALSE),
              Child(window, "Button", "Make a &copy of the file in Murovex's folder"));
    EXPECT_EQ(
        GetNextDlgGroupItem(window, Child(window, "Button", "Make a &copy of the file in Murovex's folder"), FALSE),
        leave);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

// Where a control lies in the dialog's client area.
RECT PlaceIn(HWND dialog, HWND control) {
  RECT rc{};
  GetWindowRect(control, &rc);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

// The message font stands in for the design font here, and it is wider.
TEST_F(ItemInfoWindowTest, EveryCaptionFitsItsControlAndNoControlCoversAnother) {
  Show([&](HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<HWND> placed;
    for (HWND child : children) {
      char className[32] = {};
      GetClassNameA(child, className, sizeof className);
      const auto type = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & BS_TYPEMASK;
      const bool button = lstrcmpiA(className, "Button") == 0;
      if (button && type == BS_GROUPBOX) continue;  // it holds the copy options
      const std::string text = win32::WindowText(child);
      SCOPED_TRACE(text);
      if (button || lstrcmpiA(className, "Static") == 0) {
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        RECT need{};
        DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        const bool box = button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
        RECT client{};
        GetClientRect(child, &client);
        EXPECT_LE(need.right + (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0), client.right);
      }
      if (GetParent(child) != window) continue;
      const RECT rc = PlaceIn(window, child);
      for (HWND other : placed) {
        RECT both{};
        const RECT otherRc = PlaceIn(window, other);
        EXPECT_FALSE(IntersectRect(&both, &rc, &otherRc)) << "covers " << win32::WindowText(other);
      }
      placed.push_back(child);
    }
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

TEST_F(ItemInfoWindowTest, TheCopyOptionBoxShowsTheFormsColourAroundItsChoices) {
  Show([&](HWND window) {
    UpdateWindow(window);
    HWND leave = Child(window, "Button", "&Leave the file in its current folder");
    const RECT choice = PlaceIn(window, leave);
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, choice.left - 4, choice.bottom), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(dc, choice.left - 4, choice.top + 4), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(window, dc);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

TEST_F(ItemInfoWindowTest, LosingTheActivationTellsTheFormWhichTakesTheFrontBack) {
  int deactivations = 0;
  TNotifyEvent formDeactivate = dialog.OnDeactivate;
  dialog.OnDeactivate = [&](TObject* sender) {
    ++deactivations;
    formDeactivate(sender);
  };
  HWND other = nullptr;
  Show([&](HWND window) {
    other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPED | WS_VISIBLE, 300, 300, 100, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    Pump();
    EXPECT_GE(deactivations, 1);
    EXPECT_EQ(GetForegroundWindow(), window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  DestroyWindow(other);
}

}  // namespace
}  // namespace mvx::testing

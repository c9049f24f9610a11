#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <string>
#include <vector>

#include "fileops/frm_confirmation.h"
#include "forms/standard_controls.h"
#include "win32/view_test_env.h"
#include "win32/views/form_view.h"

namespace mvx::testing {
namespace {

// Runs the user's part once the real modal window is up.
class UserAtModal : public PromptPort {
 public:
  explicit UserAtModal(PromptPort& real) : real_(real) {}
  PromptAnswer Show(const std::string& t, const std::string& c, PromptKind k, PromptButtons b) override {
    return real_.Show(t, c, k, b);
  }
  ModalResult ShowModal(TForm& form) override {
    form.OnShow = [this, &form](TObject*) {
      if (user) user(reinterpret_cast<HWND>(form.Handle));
    };
    return real_.ShowModal(form);
  }
  void Beep() override {}
  std::function<void(HWND)> user;

 private:
  PromptPort& real_;
};

// The tooltip window that belongs to the dialog.
HWND TipsOf(HWND dialog) {
  HWND tips = nullptr;
  while ((tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
    if (GetWindow(tips, GW_OWNER) == dialog) return tips;
  }
  return nullptr;
}

class ConfirmationWindowTest : public ::testing::Test {
 protected:
  ConfirmationWindowTest() {
    entry.FileName = "v1 of Netscape Wallpaper.bmp";
    entry.Location = "C:\\Users\\someone\\Pictures\\Murovex\\Images";
    entry.Size = 2359350;
    entry.Timestamp = 45000.5;
    option.SetChecked(true);
    Pump();
  }
  ConfirmationContext Context() { return {user, env.real.trace, 96}; }

  ViewEnv env;
  UserAtModal user{env.real.prompts};
  TForm optionsPage{"frmOptions"};
  TCheckBox& option = optionsPage.Make<TCheckBox>(nullptr, "chkConfirmDeleteDisk");
  InventoryEntry entry;
};

TEST_F(ConfirmationWindowTest, RemoveShowsTheEntryInFieldsThatReadLikeLabels) {
  user.user = [&](HWND window) {
    EXPECT_EQ(win32::WindowText(window), "Remove File");
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, 0u) << "an ordinary dialog, not a tool window";
    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), static_cast<DWORD>(WS_SYSMENU));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 352);
    EXPECT_EQ(client.bottom, 133);
    for (const char* label : {"Remove this file from list?", "Name:", "In Folder:", "Size:", "Modified:"}) {
      EXPECT_NE(Child(window, "Static", label), nullptr) << label;
    }
    for (const std::string& text : {entry.FileName, entry.Location, std::string("2,359,350")}) {
      HWND field = Child(window, "Edit", text);
      ASSERT_NE(field, nullptr) << text;
      const auto fieldStyle = static_cast<DWORD>(GetWindowLongA(field, GWL_STYLE));
      EXPECT_NE(fieldStyle & ES_READONLY, 0u) << text;
      EXPECT_EQ(fieldStyle & (WS_TABSTOP | WS_BORDER), 0u) << text;
      EXPECT_EQ(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << text;
    }
    EXPECT_EQ(TipsOf(window), nullptr) << "no tooltip window before the mouse comes over the dialog";
    HWND name = Child(window, "Edit", entry.FileName);
    SendMessageA(name, WM_SETCURSOR, reinterpret_cast<WPARAM>(name), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HWND tips = TipsOf(window);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 4) << "one tooltip a data field";
    EXPECT_EQ(GetFocus(), Child(window, "Button", "&OK"));
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  EXPECT_FALSE(ConfirmRemove(Context(), option, entry));
}

TEST_F(ConfirmationWindowTest, OnlyOkConfirms) {
  struct Case {
    const char* what;
    std::function<void(HWND)> act;
    bool confirmed;
  };
  auto key = [](WPARAM k) {
    return [k](HWND) {
      PostMessageA(GetFocus(), WM_KEYDOWN, k, 1);
      PostMessageA(GetFocus(), WM_KEYUP, k, 0xC0000001);
    };
  };
  const Case cases[] = {
      {"Esc", key(VK_ESCAPE), false},
      {"close box", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
      {"Cancel", [](HWND w) { PostMessageA(Child(w, "Button", "Cancel"), BM_CLICK, 0, 0); }, false},
      {"Enter on OK", key(VK_RETURN), true},
      {"OK", [](HWND w) { PostMessageA(Child(w, "Button", "&OK"), BM_CLICK, 0, 0); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    user.user = c.act;
    EXPECT_EQ(ConfirmDelete(Context(), option, entry), c.confirmed);
    EXPECT_TRUE(option.Checked());
  }
}

TEST_F(ConfirmationWindowTest, TheDontShowBoxClearsTheOptionAtOnceThoughCancelled) {
  bool whileOpen = true;
  user.user = [&](HWND window) {
    EXPECT_EQ(win32::WindowText(window), "Delete File");
    HWND box = Child(window, "Button", "&Don't show this message again.");
    ASSERT_NE(box, nullptr);
    SendMessageA(box, BM_CLICK, 0, 0);
    whileOpen = option.Checked();
    PostMessageA(Child(window, "Button", "Cancel"), BM_CLICK, 0, 0);
  };
  EXPECT_FALSE(ConfirmDelete(Context(), option, entry));
  EXPECT_FALSE(whileOpen);
  EXPECT_FALSE(option.Checked());
}

TEST_F(ConfirmationWindowTest, EveryCaptionFitsItsControl) {
  user.user = [&](HWND window) {
    ExpectEveryCaptionFits(window, 96);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  ConfirmDelete(Context(), option, entry);
}

}  // namespace
}  // namespace mvx::testing

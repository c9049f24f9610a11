#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "ui/toolbar_images.h"
#include "win32/view_test_env.h"
#include "win32/views/common_controls.h"
#include "win32/views/main_window.h"
#include "win32/views/toolbar_view.h"

namespace mvx::testing {
namespace {

SystemFolders ToolbarTestFolders() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  SystemFolders folders;
  folders.programDir = std::string(temp) + "murovex-toolbar-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folders.programDir.c_str(), nullptr);
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

// The main window's real toolbar, its buttons known by the model's names.
class ToolbarViewTest : public ::testing::Test {
 protected:
  // The main window makes its controls when first shown.
  ToolbarViewTest() { frm.Show(); }
  ~ToolbarViewTest() override { RemoveDirectoryA(folders.programDir.c_str()); }

  HWND Bar() const { return window.ControlWindow(frm.tbrMainToolbar); }
  int IdOf(const TToolButton& button) const {
    const auto& all = frm.tbrMainToolbar.Buttons();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (all[i].get() == &button) return win32::kFirstToolButtonId + static_cast<int>(i);
    }
    return -1;
  }
  BYTE State(const TToolButton& button) const {
    return static_cast<BYTE>(SendMessageA(Bar(), TB_GETSTATE, static_cast<WPARAM>(IdOf(button)), 0));
  }
  // What the toolbar's tooltip says for a button, asked of the real tooltip.
  std::string Tip(const TToolButton& button) const {
    HWND tips = reinterpret_cast<HWND>(SendMessageA(Bar(), TB_GETTOOLTIPS, 0, 0));
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Bar();
    tool.uId = static_cast<UINT_PTR>(IdOf(button));
    tool.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
  }
  // The names of the buttons a user sees, left to right; "|" for a separator.
  std::vector<std::string> ShownButtons() const {
    std::vector<std::pair<LONG, std::string>> shown;
    for (const auto& b : frm.tbrMainToolbar.Buttons()) {
      if (State(*b) & TBSTATE_HIDDEN) continue;
      RECT rc{};
      SendMessageA(Bar(), TB_GETRECT, static_cast<WPARAM>(IdOf(*b)), reinterpret_cast<LPARAM>(&rc));
      shown.emplace_back(rc.left, b->IsSeparator() ? "|" : b->Name());
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> names;
    for (const auto& s : shown) names.push_back(s.second);
    return names;
  }
  RECT PlaceOn(HWND page, const TControl& control) const {
    RECT rc{};
    GetWindowRect(window.ControlWindow(control), &rc);
    MapWindowPoints(HWND_DESKTOP, page, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  ViewEnv env;
  SystemFolders folders = ToolbarTestFolders();
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(ToolbarViewTest, AFlatToolbarWithTooltipsSitsBetweenThePreviewAndTheGrid) {
  ASSERT_NE(Bar(), nullptr);
  char className[64] = {};
  GetClassNameA(Bar(), className, sizeof className);
  EXPECT_STREQ(className, TOOLBARCLASSNAMEA);
  const auto style = static_cast<DWORD>(GetWindowLongA(Bar(), GWL_STYLE));
  EXPECT_EQ(style & (TBSTYLE_FLAT | TBSTYLE_TOOLTIPS), static_cast<DWORD>(TBSTYLE_FLAT | TBSTYLE_TOOLTIPS));
  EXPECT_EQ(style & TBSTYLE_WRAPABLE, 0u);

  HWND page = GetParent(Bar());
  EXPECT_EQ(page, window.ControlWindow(frm.tsPreview));
  // The panels are no windows: the preview fills its panel, the list its
  // own inside its border.
  const RECT preview = PlaceOn(page, frm.pnlImageMessage);
  const RECT bar = PlaceOn(page, frm.tbrMainToolbar);
  const RECT list = PlaceOn(page, frm.dbgrdInventory);
  EXPECT_EQ(bar.top, preview.bottom + 3) << "room for the splitter";
  EXPECT_EQ(list.top - TDBGrid::kBorder, bar.bottom);
  EXPECT_EQ(list.bottom + TDBGrid::kBorder, 373);

  const LRESULT size = SendMessageA(Bar(), TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(size), 25);
  EXPECT_EQ(HIWORD(size), 25);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(Bar(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), kToolbarImageCount);
}

TEST_F(ToolbarViewTest, TheFourGroupsShowWithOneSeparatorBetweenEachTwo) {
  EXPECT_EQ(ShownButtons(), (std::vector<std::string>{"tbnFindInList", "tbnSetWallpaper", "tbnNone", "|", "tbnAddFiles",
                                                      "tbnMove", "tbnRemove", "|", "tbnDelete", "|", "tbnFirst",
                                                      "tbnPrev", "tbnNext", "tbnLast"}));
  frm.tbnDelete.SetVisible(false);
  frm.tbnNone.SetEnabled(false);
  EXPECT_EQ(ShownButtons(), (std::vector<std::string>{"tbnFindInList", "tbnSetWallpaper", "tbnNone", "|", "tbnAddFiles",
                                                      "tbnMove", "tbnRemove", "|", "tbnFirst", "tbnPrev", "tbnNext",
                                                      "tbnLast"}));
  EXPECT_EQ(State(frm.tbnNone) & TBSTATE_ENABLED, 0);
  for (auto [button, image] : {std::pair{&frm.tbnMove, ToolbarImage::Move}, std::pair{&frm.tbnRemove, ToolbarImage::Remove},
                               std::pair{&frm.tbnDelete, ToolbarImage::Delete}}) {
    EXPECT_EQ(SendMessageA(Bar(), TB_GETBITMAP, static_cast<WPARAM>(IdOf(*button)), 0), static_cast<int>(image))
        << button->Name();
  }
}

TEST_F(ToolbarViewTest, ClicksOnTheButtonsReachTheModelsButtons) {
  std::vector<std::string> clicked;
  for (TToolButton* b : {&frm.tbnFindInList, &frm.tbnSetWallpaper, &frm.tbnNone, &frm.tbnAddFiles, &frm.tbnMove,
                         &frm.tbnDelete}) {
    b->OnClick = [&clicked, b](TObject* sender) {
      EXPECT_EQ(sender, b);
      clicked.push_back(b->Name());
    };
  }
  for (TToolButton* b : {&frm.tbnFindInList, &frm.tbnSetWallpaper, &frm.tbnNone, &frm.tbnAddFiles, &frm.tbnDelete}) {
    RECT rc{};
    SendMessageA(Bar(), TB_GETRECT, static_cast<WPARAM>(IdOf(*b)), reinterpret_cast<LPARAM>(&rc));
    ClickAt(Bar(), (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  }
  // A hidden button's command, as a program could send it, does nothing.
  frm.tbnMove.SetVisible(false);
  SendMessageA(GetParent(Bar()), WM_COMMAND, MAKEWPARAM(IdOf(frm.tbnMove), BN_CLICKED),
               reinterpret_cast<LPARAM>(Bar()));
  SendMessageA(GetParent(Bar()), WM_COMMAND, MAKEWPARAM(IdOf(frm.tbnNone), BN_CLICKED),
               reinterpret_cast<LPARAM>(Bar()));
  EXPECT_EQ(clicked,
            (std::vector<std::string>{"tbnFindInList", "tbnSetWallpaper", "tbnNone", "tbnAddFiles", "tbnDelete",
                                      "tbnNone"}));
}

TEST_F(ToolbarViewTest, TooltipsShowTheHintsOnlyWhileTheOptionIsOn) {
  EXPECT_EQ(Tip(frm.tbnFindInList), "Find current wallpaper in list");
  EXPECT_EQ(Tip(frm.tbnAddFiles), "Add files to list");
  frm.chkToolbarHints.SetChecked(false);
  EXPECT_EQ(Tip(frm.tbnFindInList), "");
  frm.chkToolbarHints.SetChecked(true);
  EXPECT_EQ(Tip(frm.tbnSetWallpaper), "Set wallpaper to currently selected");
}

}  // namespace
}  // namespace mvx::testing

// The main window's four pages and the copy-option dialog as the user sees
// them at the screen's scale: run in the shared prefix at 96 DPI and, as the
// e2e_high_dpi test, in a fresh prefix at 192 DPI. The screenshots are named
// after the DPI ("scaled-192-options"), to be looked at side by side.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstring>
#include <string>

#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

// The design: a 402 x 443 client area at 96 DPI.
constexpr int kDesignWidth = 402;
constexpr int kDesignHeight = 443;

bool ShownNow(HWND parent, const WindowQuery& query) {
  return PumpUntil(
      [&] {
        const auto found = FindChild(parent, query);
        return found && IsWindowVisible(found->handle);
      },
      5s);
}

using Screens = E2eTest;

TEST_F(Screens, TheFourPagesAndTheCopyOptionDialogAtTheScreensScale) {
  Driver& app = Prepare({kQuietSettings, {}});
  PutPictures(app.Folder().ImagesFolder(), {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre, false}, {"Canyon.bmp"}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "3 Pictures in List"}, 5s));
  RECT client{};
  GetClientRect(main->handle, &client);
  const int dpi = client.right * 96 / kDesignWidth;
  EXPECT_TRUE(dpi == 96 || dpi == 192) << client.right;
  EXPECT_EQ(client.right, kDesignWidth * dpi / 96);
  EXPECT_EQ(client.bottom, kDesignHeight * dpi / 96);
  const std::string prefix = "scaled-" + std::to_string(dpi) + "-";
  app.Screenshot(prefix + "preview");

  const auto tabs = FindChild(main->handle, {"SysTabControl32", std::nullopt});
  ASSERT_TRUE(tabs);
  const struct {
    int index;
    WindowQuery shown;
    const char* name;
  } pages[] = {{1, {"Button", "&Enable Slideshow"}, "slideshow"},
               {2, {"Button", "Show &hints for toolbar buttons"}, "options"},
               {3, {"Static", "Murovex Home Page"}, "online"},
               {4, {"Button", "Clear"}, "keys"}};
  for (const auto& page : pages) {
    ClickTab(tabs->handle, page.index);
    ASSERT_TRUE(ShownNow(main->handle, page.shown)) << page.name;
    app.Screenshot(prefix + page.name);
  }

  ASSERT_TRUE(CopyPictureToClipboard(8, 0x60));
  ASSERT_TRUE(ChooseFromTrayMenu(*murovex, 'p'));
  const auto dialog = WaitForTopLevel(murovex->Id(), {"TfrmItemInfo", "Add Wallpaper"}, 10s, true);
  ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog";
  app.Screenshot(prefix + "add-wallpaper");
  const auto cancel = FindChild(dialog->handle, {"Button", "Cancel"});
  ASSERT_TRUE(cancel);
  PostMessageA(cancel->handle, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog->handle); }, 5s));
}

}  // namespace
}  // namespace mvx::e2e

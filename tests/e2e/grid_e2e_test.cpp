// The Preview page's grid of the running program, seen from outside.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

class Grid : public E2eTest {};

TEST_F(Grid, ThePreviewPageListsThePicturesOfTheDataFileOneRowEach) {
  Driver& app = Prepare({kQuietSettings, {}});
  PutPictures(app.Folder().ImagesFolder(), {{"Alps.bmp"}, {"Beach.bmp", false, false}, {"Canyon.bmp"}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "3 Pictures in List"}, 5s));
  const auto list = WaitForChild(main->handle, {"SysListView32", std::nullopt}, 5s);
  ASSERT_TRUE(list);
  EXPECT_EQ(SendMessageA(list->handle, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(IsWindowVisible(list->handle));
  app.Screenshot("preview");
}

}  // namespace
}  // namespace mvx::e2e

// The Preview page's grid of the running program, seen from outside.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "e2e/app_folder.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/pump.h"
#include "e2e/running_app.h"
#include "inventory/data_file.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

class Grid : public E2eTest {};

TEST_F(Grid, ThePreviewPageListsThePicturesOfTheDataFileOneRowEach) {
  Driver& app = Prepare({kQuietSettings, {}});
  PutPictures(app.Folder().ImagesFolder(), {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre, false}, {"Canyon.bmp"}});
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

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  PumpFor(150ms);
}

// The display modes of the data file's records, in their order, by name.
std::string SavedModes(const std::string& images) {
  const DataFileContents saved = DecodeDataFile(ReadWholeFile(images + "\\GDB.CDS"));
  std::string modes;
  for (const InventoryEntry& e : saved.records) modes += std::string(DisplayModeName(e.Display)) + " ";
  return modes;
}

TEST_F(Grid, F4CyclesTheDisplayModesOfTheSelectedRowAndTheDataFileKeepsThemOverARestart) {
  Driver& app = Prepare({kQuietSettings, {}});
  const std::string images = app.Folder().ImagesFolder();
  PutPictures(images, {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp", DisplayMode::Fill}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  const auto list = WaitForChild(main->handle, {"SysListView32", std::nullopt}, 5s);
  ASSERT_TRUE(list);
  SetForegroundWindow(main->handle);
  PostKey(list->handle, VK_HOME);
  for (int i = 0; i < 2; ++i) PostKey(list->handle, VK_F4);  // Tile, Centre, Fill
  PostKey(list->handle, VK_DOWN);
  for (int i = 0; i < 3; ++i) PostKey(list->handle, VK_F4);  // Centre, Fill, Fit, Stretch
  PostKey(list->handle, VK_DOWN);
  PostKey(list->handle, VK_F4);  // Fill, Fit
  app.Screenshot("display-modes");
  // Saved once the changes have settled.
  EXPECT_TRUE(PumpUntil([&] { return SavedModes(images) == "Fill Stretch Fit "; }, 6s)) << SavedModes(images);
  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex->WaitForExit(15s));

  Process* again = StartReady(app, ":");
  ASSERT_NE(again, nullptr);
  const auto main2 = MainWindowOf(*again);
  ASSERT_TRUE(main2);
  EXPECT_TRUE(WaitForChild(main2->handle, {"Static", "3 Pictures in List"}, 5s));
  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  EXPECT_TRUE(again->WaitForExit(15s));
  EXPECT_EQ(SavedModes(images), "Fill Stretch Fit ");
}

}  // namespace
}  // namespace mvx::e2e

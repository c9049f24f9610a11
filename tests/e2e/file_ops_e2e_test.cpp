// Renaming, removing and deleting pictures from the Preview page of the
// running program, and what a restart then finds.
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

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Ctrl held down through the system's input, so the program reads it as a
// user's; the key itself goes to the window.
void PostCtrlKey(HWND window, WPARAM key) {
  INPUT down{};
  down.type = INPUT_KEYBOARD;
  down.ki.wVk = VK_CONTROL;
  SendInput(1, &down, sizeof down);
  PumpFor(200ms);
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PumpFor(300ms);
  INPUT up = down;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &up, sizeof up);
}

class FileOps : public E2eTest {
 protected:
  // The grid's first row selected, as Home in the list does.
  void FirstRow(HWND list) {
    PostKey(list, VK_HOME);
    PumpFor(300ms);
  }
  std::optional<WindowInfo> Dialog(const Process& p, const char* caption) {
    return WaitForTopLevel(p.Id(), {std::nullopt, std::string(caption)}, 5s);
  }
};

TEST_F(FileOps, RenameRemoveAndDeleteFromThePreviewPageAgreeWithTheImagesFolderAfterARestart) {
  Driver& app = Prepare({kQuietSettings, {}});
  const std::string images = app.Folder().ImagesFolder();
  PutPictures(
      images,
      {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp"}, {"Dunes.bmp", DisplayMode::Tile, false}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  const auto list = WaitForChild(main->handle, {"SysListView32", std::nullopt}, 5s);
  ASSERT_TRUE(list);
  SetForegroundWindow(main->handle);

  // F2 on Alps: renamed in place to Mountains.
  FirstRow(list->handle);
  PostKey(list->handle, VK_F2);
  const auto move = Dialog(*murovex, "Move/Rename Wallpaper");
  ASSERT_TRUE(move);
  const auto name = WaitForChild(move->handle, {"Edit", "Alps"}, 2s);
  ASSERT_TRUE(name);
  SendMessageA(name->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Mountains"));
  const auto ok = WaitForChild(move->handle, {"Button", "OK"}, 2s);
  ASSERT_TRUE(ok);
  PostMessageA(ok->handle, BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Exists(images + "\\Mountains.bmp"); }, 5s));
  EXPECT_FALSE(Exists(images + "\\Alps.bmp"));
  app.Screenshot("toolbar");

  // Delete on Beach, now the first row: out of the list, the file stays.
  FirstRow(list->handle);
  PostKey(list->handle, VK_DELETE);
  const auto remove = Dialog(*murovex, "Remove File");
  ASSERT_TRUE(remove);
  EXPECT_TRUE(WaitForChild(remove->handle, {"Static", "Remove this file from list?"}, 2s));
  EXPECT_TRUE(WaitForChild(remove->handle, {"Edit", "Beach.bmp"}, 2s));
  const auto removeOk = WaitForChild(remove->handle, {"Button", "&OK"}, 2s);
  ASSERT_TRUE(removeOk);
  PostMessageA(removeOk->handle, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "3 Pictures in List"}, 5s));

  // Ctrl+Delete on Canyon: the file goes too.
  FirstRow(list->handle);
  PostCtrlKey(list->handle, VK_DELETE);
  const auto del = Dialog(*murovex, "Delete File");
  ASSERT_TRUE(del);
  EXPECT_TRUE(WaitForChild(del->handle, {"Edit", "Canyon.bmp"}, 2s));
  app.Screenshot("confirm-delete");
  const auto delOk = WaitForChild(del->handle, {"Button", "&OK"}, 2s);
  ASSERT_TRUE(delOk);
  PostMessageA(delOk->handle, BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !Exists(images + "\\Canyon.bmp"); }, 5s));
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "2 Pictures in List"}, 5s));

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex->WaitForExit(15s));
  EXPECT_TRUE(Exists(images + "\\Beach.bmp")) << "Remove never touches the file";
  EXPECT_TRUE(Exists(images + "\\Dunes.bmp"));
  const DataFileContents saved = DecodeDataFile(ReadWholeFile(images + "\\GDB.CDS"));
  ASSERT_TRUE(saved.ok()) << saved.reason;
  ASSERT_EQ(saved.records.size(), 2u);
  EXPECT_EQ(saved.records[0].FileName, "Dunes.bmp");
  EXPECT_FALSE(saved.records[0].Enabled) << "Dunes kept as it was";
  EXPECT_EQ(saved.records[1].FileName, "Mountains.bmp");
  EXPECT_TRUE(saved.records[1].Enabled);
  EXPECT_TRUE(saved.records[1].Display == DisplayMode::Tile);

  Process* again = StartReady(app, ":");
  ASSERT_NE(again, nullptr);
  const auto main2 = MainWindowOf(*again);
  ASSERT_TRUE(main2);
  EXPECT_TRUE(WaitForChild(main2->handle, {"Static", "2 Pictures in List"}, 5s)) << "Dunes and Mountains";
  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  EXPECT_TRUE(again->WaitForExit(15s));
}

}  // namespace
}  // namespace mvx::e2e

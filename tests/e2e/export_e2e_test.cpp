// Pictures exported from one installation and dropped, as a picture list,
// on the main window of another.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/app_folder.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"
#include "inventory/data_file.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Shift+Ctrl+Alt+F11 typed on the keyboard into the foreground window.
bool TypeExportKey(HWND window) {
  SetForegroundWindow(window);
  const WORD keys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_F11};
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(Key(key, false));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(Key(*it, true));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Drops the files on another process's window as the shell does: the drop
// block (a DROPFILES header and the names) is placed in that process, where
// DragQueryFile reads it, and handed over with WM_DROPFILES.
bool DropFiles(DWORD processId, HWND window, const std::vector<std::string>& paths) {
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &header, sizeof header);
  for (const std::string& path : paths) block += path + '\0';
  block += '\0';
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written =
      remote != nullptr && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) != 0;
  CloseHandle(process);
  return written && PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != 0;
}

// A folder outside both installations, as a stick carries the export.
class CarriedFolder {
 public:
  CarriedFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "murovex-carried-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~CarriedFolder() {
    for (const std::string& name : names_) DeleteFileA((path_ + "\\" + name).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  CarriedFolder(const CarriedFolder&) = delete;
  CarriedFolder& operator=(const CarriedFolder&) = delete;
  bool Take(const std::string& from, const std::string& name) {
    names_.push_back(name);
    return CopyFileA((from + "\\" + name).c_str(), (path_ + "\\" + name).c_str(), FALSE) != 0;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> names_;
};

using PictureListTransfer = E2eTest;

TEST_F(PictureListTransfer, ThreePicturesExportedAndDroppedOnAFreshInstallationAreListedWithTheirModes) {
  const char* const names[] = {"Alps.bmp", "Beach.bmp", "Canyon.bmp", "mvx.mvl"};
  CarriedFolder carried;
  {
    Driver& first = Prepare({kQuietSettings, {}});
    const std::string images = first.Folder().ImagesFolder();
    PutPictures(
        images,
        {{"Alps.bmp"}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp"}, {"Dunes.bmp", DisplayMode::Tile, false}});
    Process* murovex = StartReady(first, ":");
    ASSERT_NE(murovex, nullptr);
    const auto main = MainWindowOf(*murovex);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitForChild(main->handle, {"Static", "4 Pictures in List"}, 5s));
    ASSERT_TRUE(TypeExportKey(main->handle));
    const auto dialog = WaitForTopLevel(murovex->Id(), {"TFrmExport", "Export Manager"}, 10s, true);
    ASSERT_TRUE(dialog) << "no \"Export Manager\" dialog";
    EXPECT_TRUE(FindChild(dialog->handle, {"Edit", "mvx.mvl"}));
    EXPECT_TRUE(FindChild(dialog->handle, {"Edit", "Export1"}));
    first.Screenshot("export-manager");
    const auto exportButton = FindChild(dialog->handle, {"Button", "Export Files"});
    ASSERT_TRUE(exportButton);
    PostMessageA(exportButton->handle, BM_CLICK, 0, 0);
    const auto done = WaitForMessageBox(murovex->Id(), 10s);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->text, "Export Successful");
    ASSERT_TRUE(AnswerMessageBox(done->handle, IDOK));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog->handle); }, 5s)) << "the dialog stays open";

    const std::string exported = images + "\\Export1";
    EXPECT_EQ(ReadWholeFile(exported + "\\mvx.mvl"),
              "\"Alps.bmp\",\"T\"\r\n\"Beach.bmp\",\"C\"\r\n\"Canyon.bmp\",\"T\"\r\n");
    EXPECT_EQ(GetFileAttributesA((exported + "\\Dunes.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    for (const char* name : names) ASSERT_TRUE(carried.Take(exported, name)) << name;
    ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
    ASSERT_TRUE(murovex->WaitForExit(kExitTimeout));
  }

  Driver& second = Prepare({kQuietSettings, {}});
  Process* murovex = StartReady(second, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitForChild(main->handle, {"Static", "0 Pictures in List"}, 5s));
  ASSERT_TRUE(DropFiles(murovex->Id(), main->handle, {carried.Path() + "\\mvx.mvl"}));

  const auto dialog = WaitForTopLevel(murovex->Id(), {"TfrmItemInfo", "Add Wallpaper"}, 10s, true);
  ASSERT_TRUE(dialog) << "no \"Add Wallpaper\" dialog for the dropped list";
  EXPECT_TRUE(FindChild(dialog->handle, {"Edit", carried.Path()})) << "offered from the list's folder";
  const auto tiled = FindChild(dialog->handle, {"Button", "&Tile"});
  const auto applyToAll = FindChild(dialog->handle, {"Button", "&Apply these options to all remaining files."});
  const auto ok = FindChild(dialog->handle, {"Button", "OK"});
  ASSERT_TRUE(tiled && applyToAll && ok);
  EXPECT_TRUE(IsChecked(tiled->handle)) << "the first line's mode is proposed";
  ASSERT_TRUE(Click(applyToAll->handle));
  PostMessageA(ok->handle, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitForChild(main->handle, {"Static", "3 Pictures in List"}, 10s));

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex->WaitForExit(kExitTimeout));
  const DataFileContents listed = DecodeDataFile(ReadWholeFile(second.Folder().ImagesFolder() + "\\GDB.CDS"));
  ASSERT_TRUE(listed.ok()) << listed.reason;
  std::string modes;
  for (const InventoryEntry& e : listed.records) {
    modes += e.FileName + (e.Display == DisplayMode::Tile ? ":T " : ":C ");
    EXPECT_EQ(e.Location, carried.Path()) << e.FileName << " left where the list lies";
  }
  EXPECT_EQ(modes, "Alps.bmp:T Beach.bmp:C Canyon.bmp:T ");
}

}  // namespace
}  // namespace mvx::e2e

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "win32/drop_handle.h"
#include "win32/view_test_env.h"
#include "win32/views/main_window.h"

namespace mvx::testing {
namespace {

std::string NewFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

SystemFolders TestFolders() {
  SystemFolders folders;
  folders.programDir = NewFolder("murovex-drop-program");
  folders.programPath = folders.programDir + "\\murovex.exe";
  folders.workingBitmapPath = folders.programDir + "\\murovex.bmp";
  folders.windowsDir = "c:\\windows";
  return folders;
}

bool Freed(std::uintptr_t drop) {
  return GlobalFlags(reinterpret_cast<HGLOBAL>(drop)) == static_cast<UINT>(GMEM_INVALID_HANDLE);
}

// Files dropped on the real main window, and the program losing the activation.
class MainWindowDropTest : public ::testing::Test {
 protected:
  MainWindowDropTest() {
    env.real.prompts.owner = reinterpret_cast<std::uintptr_t>(W());
    frm.SetDataDir(folders.programDir);
    frm.LoadInventory();  // an empty inventory: there is no data file yet
    Pump();               // also forgets an end of the message loop that an earlier window left
  }
  ~MainWindowDropTest() override {
    window.Destroy();
    DeleteFileA(frm.DataFilePath().c_str());
    for (const std::string& path : created) DeleteFileA(path.c_str());
    DeleteFileA(folders.workingBitmapPath.c_str());
    RemoveDirectoryA(pictures.c_str());
    RemoveDirectoryA(folders.programDir.c_str());
  }
  HWND W() const { return window.Window(); }
  std::string NewFile(const std::string& name) {
    created.push_back(pictures + "\\" + name);
    WriteWholeFile(created.back(), "BM not really a picture");
    return created.back();
  }

  ViewEnv env;
  SystemFolders folders = TestFolders();
  std::string pictures = NewFolder("murovex-drop-pictures");
  std::vector<std::string> created;
  TFrmTray tray{env.ports};
  TFrmMain frm{env.ports, env.app, folders, tray};
  win32::MainWindow window{frm, env.app};
};

TEST_F(MainWindowDropTest, ADroppedPictureComesUpInTheCopyOptionDialogAndIsTakenIn) {
  const std::string beach = NewFile("beach.bmp");
  std::string from, name;
  bool mainWindowEnabled = true;
  TNotifyEvent formShow = frm.frmItemInfo.OnShow;
  frm.frmItemInfo.OnShow = [&](TObject* sender) {
    formShow(sender);
    from = frm.frmItemInfo.edtFromDir.Text();
    name = frm.frmItemInfo.edtFileName.Text();
    mainWindowEnabled = IsWindowEnabled(W()) != FALSE;
    HWND ok = FindWindowExA(reinterpret_cast<HWND>(frm.frmItemInfo.Handle), nullptr, "Button", "OK");
    PostMessageA(ok, BM_CLICK, 0, 0);
  };
  const std::uintptr_t drop = MakeDrop({beach});
  SendMessageA(W(), WM_DROPFILES, static_cast<WPARAM>(drop), 0);
  EXPECT_EQ(from, pictures);
  EXPECT_EQ(name, "beach");
  EXPECT_FALSE(mainWindowEnabled);
  EXPECT_TRUE(IsWindowEnabled(W()));
  EXPECT_TRUE(frm.IsKnownPicture(beach));
  EXPECT_TRUE(Freed(drop));
  EXPECT_TRUE(env.prompts.texts.empty()) << env.prompts.texts.front();
}

TEST_F(MainWindowDropTest, RefusedDropsAreToldAndTheDropIsLetGo) {
  const std::string notes = NewFile("notes.txt");
  const std::string tooLong = pictures + "\\" + std::string(190, 'x') + ".bmp";
  const std::uintptr_t drop = MakeDrop({notes, pictures + "\\missing.bmp", tooLong});
  SendMessageA(W(), WM_DROPFILES, static_cast<WPARAM>(drop), 0);
  EXPECT_EQ(env.prompts.texts,
            (std::vector<std::string>{"Error: Filename Buffer Too Small (" + std::to_string(tooLong.size()) + ")",
                                      "Error: notes.txt is not a supported file type."}));
  EXPECT_TRUE(Freed(drop));
  EXPECT_FALSE(frm.IsKnownPicture(notes));
}

TEST_F(MainWindowDropTest, OnlyLosingTheActivationToAnotherProgramCountsAsTheProgramsDeactivation) {
  int deactivations = 0;
  env.app.OnDeactivate = [&](TObject*) { ++deactivations; };
  SendMessageA(W(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(deactivations, 0);
  SendMessageA(W(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(deactivations, 1);
}

}  // namespace
}  // namespace mvx::testing

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/adapters/win32_ports.h"

namespace mvx::testing {
namespace {

constexpr const char* kTitle = "Select Wallpaper Files to Import";
// The name box of the explorer-style dialog: a combo box, or an edit.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// Plays the user of the open dialog: once it is up, types into its name box
// and presses a button.
class DialogUser {
 public:
  DialogUser(std::string typed, int button) : typed_(std::move(typed)), button_(button) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, OnTimer);
  }
  ~DialogUser() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogUser(const DialogUser&) = delete;
  DialogUser& operator=(const DialogUser&) = delete;
  bool acted = false;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogUser* user = current_;
    if (user == nullptr || user->acted) return;
    HWND dialog = FindWindowA("#32770", kTitle);
    if (dialog == nullptr) return;
    user->acted = true;
    const int box = GetDlgItem(dialog, kFileNameCombo) != nullptr ? kFileNameCombo : kFileNameEdit;
    SetDlgItemTextA(dialog, box, user->typed_.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(user->button_, BN_CLICKED), 0);
  }
  static inline DialogUser* current_ = nullptr;
  std::string typed_;
  int button_;
  UINT_PTR timer_ = 0;
};

class Win32DialogsOpenFiles : public ::testing::Test {
 protected:
  Win32DialogsOpenFiles() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "murovex-open-" + std::to_string(GetCurrentProcessId()) +
             " Br\xC3\xBC"
             "cke";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
      HANDLE h = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(h);
    }
    request.title = kTitle;
    request.initialDir = folder;
    request.defaultExt = "bmp";
    request.filters = {{"Bitmaps (*.bmp)", "*.bmp"}, {"All Files (*.*)", "*.*"}};
    request.hideReadOnly = true;
    request.noTestFileCreate = true;
    GetCurrentDirectoryA(MAX_PATH, startDir);
    // An end of the message loop left by an earlier window would end the dialog at once.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  ~Win32DialogsOpenFiles() override {
    SetCurrentDirectoryA(startDir);  // the dialog moves it to the folder it was left in
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
  }

  win32::Win32Dialogs dialogs;
  OpenFileRequest request;
  std::string folder;
  char startDir[MAX_PATH] = {};
};

TEST_F(Win32DialogsOpenFiles, SeveralChosenFilesComeBackAsFullPathsInTheirOrder) {
  DialogUser user("\"c.bmp\" \"a.bmp\"", IDOK);
  const auto files = dialogs.OpenFiles(request);
  ASSERT_TRUE(user.acted);
  ASSERT_TRUE(files.has_value());
  EXPECT_EQ(*files, (std::vector<std::string>{folder + "\\c.bmp", folder + "\\a.bmp"}));
}

TEST_F(Win32DialogsOpenFiles, OneChosenFileComesBackAsItsFullPath) {
  DialogUser user("b.bmp", IDOK);
  const auto files = dialogs.OpenFiles(request);
  ASSERT_TRUE(files.has_value());
  EXPECT_EQ(*files, std::vector<std::string>{folder + "\\b.bmp"});
}

TEST_F(Win32DialogsOpenFiles, CancelGivesNothing) {
  DialogUser user("a.bmp", IDCANCEL);
  EXPECT_FALSE(dialogs.OpenFiles(request).has_value());
  EXPECT_TRUE(user.acted);
}

}  // namespace
}  // namespace mvx::testing

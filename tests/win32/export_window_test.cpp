#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adding/frm_export.h"
#include "win32/view_test_env.h"
#include "win32/views/form_view.h"

namespace mvx::testing {
namespace {

// "class:text" of each control, in the order the windows were made.
std::vector<std::string> Controls(HWND dialog) {
  std::vector<std::string> out;
  for (HWND child : AllChildren(dialog)) out.push_back(ClassOf(child) + ":" + win32::WindowText(child));
  return out;
}

// The export dialog shown modally over a window of the program, exporting
// an empty inventory into a folder of its own.
class ExportWindowTest : public ::testing::Test {
 protected:
  ExportWindowTest() {
    owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    env.real.prompts.owner = reinterpret_cast<std::uintptr_t>(owner);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    base = std::string(temp) + "murovex-export-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(base.c_str(), nullptr);
    data.CreateDataSet();
    dialog.BaseFolder = base;
    Pump();  // also forgets an end of the message loop that an earlier window left
  }
  ~ExportWindowTest() override {
    DeleteFileA((base + "\\Export1\\mvx.mvl").c_str());
    RemoveDirectoryA((base + "\\Export1").c_str());
    RemoveDirectoryA(base.c_str());
    DestroyWindow(owner);
    Pump();
  }

  ModalResult Show(const std::function<void(HWND)>& user) {
    dialog.OnShow = [&](TObject*) { user(reinterpret_cast<HWND>(dialog.Handle)); };
    return env.prompts.ShowModal(dialog);
  }

  ViewEnv env;
  TClientDataSet data{"cdtData"};
  TFrmExport dialog{env.ports.files, env.ports.prompts, data, "Murovex"};
  HWND owner = nullptr;
  std::string base;
};

TEST_F(ExportWindowTest, ShowsItsTextsAndTabsFromExportToTheFileNameToCancelToTheFolder) {
  const ModalResult result = Show([&](HWND window) {
    EXPECT_EQ(ClassOf(window), "TFrmExport");
    EXPECT_EQ(win32::WindowText(window), "Export Manager");
    EXPECT_EQ(Controls(window),
              (std::vector<std::string>{"Static:File Name:", "Static:Sub Directory:", "Button:Export Files",
                                        "Edit:mvx.mvl", "Button:Cancel", "Edit:Export1"}));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 355);
    EXPECT_EQ(frame.bottom - frame.top, 110);
    HWND exportButton = FindWindowExA(window, nullptr, "Button", "Export Files");
    ASSERT_NE(exportButton, nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(exportButton, GWL_STYLE)) & BS_TYPEMASK,
              static_cast<DWORD>(BS_DEFPUSHBUTTON));
    std::vector<std::string> tabs;
    HWND at = exportButton;
    for (int i = 0; i < 5; ++i) {
      tabs.push_back(win32::WindowText(at));
      at = GetNextDlgTabItem(window, at, FALSE);
    }
    EXPECT_EQ(tabs, (std::vector<std::string>{"Export Files", "mvx.mvl", "Cancel", "Export1", "Export Files"}));
    PostMessageA(FindWindowExA(window, nullptr, "Button", "Cancel"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, ModalResult::Cancel);
  EXPECT_EQ(GetFileAttributesA((base + "\\Export1").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ExportWindowTest, EnterExportsIntoANewFolderAndClosesAndEscCancels) {
  EXPECT_EQ(Show([](HWND) {
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
              PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
            }),
            ModalResult::Cancel);
  EXPECT_EQ(Show([](HWND) {
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
              PostMessageA(GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000001);
            }),
            ModalResult::Ok);
  EXPECT_EQ(env.prompts.texts, std::vector<std::string>{"Export Successful"});
  const DWORD list = GetFileAttributesA((base + "\\Export1\\mvx.mvl").c_str());
  EXPECT_NE(list, INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(list & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// A list name no file can have is refused before anything is made: the
// dialog stays open for another name, and no folder is left behind.
TEST_F(ExportWindowTest, AListNameNoFileCanHaveIsRefusedAndNoFolderIsMade) {
  dialog.edtExportFileName.SetText("no|list.mvl");
  const ModalResult result = Show([](HWND window) {
    PostMessageA(FindWindowExA(window, nullptr, "Button", "Export Files"), BM_CLICK, 0, 0);
    PostMessageA(FindWindowExA(window, nullptr, "Button", "Cancel"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, ModalResult::Cancel);
  ASSERT_EQ(env.prompts.texts.size(), 1u);
  EXPECT_EQ(env.prompts.texts[0], "\"no|list.mvl\" cannot be used as a file name.");
  EXPECT_EQ(GetFileAttributesA((base + "\\Export1").c_str()), INVALID_FILE_ATTRIBUTES) << "no folder made";
}

}  // namespace
}  // namespace mvx::testing

// The change notifications of another process's writes, through the adapter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/adapters/win32_ports.h"
#include "win32/child_process.h"
#include "win32/view_test_env.h"

namespace mvx::testing {
namespace {

constexpr const char* kProbe = "MurovexWatchProbe";

TEST(Watches, AnotherProcessWritingTheDesktopKeyOrAWatchedFolderWakesTheWatchWithinASecond) {
  const std::string folder = TempProgramFolders("watch").programDir;
  win32::Win32Watches watches;
  int keyCalls = 0, folderCalls = 0;
  const WatchId key = watches.WatchKey(kHkeyCurrentUser, "Control Panel\\Desktop", [&] { ++keyCalls; });
  const WatchId files = watches.WatchFolder(folder, [&] { ++folderCalls; });
  ASSERT_NE(key, 0u);
  ASSERT_NE(files, 0u);
  const struct {
    const char* what;
    std::vector<std::string> child;
    const int& calls;
  } cases[] = {
      {"a value of the desktop key", {"desktop", kProbe, "1"}, keyCalls},
      {"a file in the folder", {"write", folder + "\\Netscape Wallpaper.bmp", "BM web picture"}, folderCalls},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Pump();
    const int before = c.calls;
    ASSERT_EQ(RunChild(c.child), 0);
    const ULONGLONG written = GetTickCount64();
    while (c.calls == before && GetTickCount64() - written < 1000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Pump();
    }
    EXPECT_GT(c.calls, before) << "not woken within a second";
  }
  watches.StopWatch(key);
  watches.StopWatch(files);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", kProbe);
  DeleteFileA((folder + "\\Netscape Wallpaper.bmp").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace mvx::testing

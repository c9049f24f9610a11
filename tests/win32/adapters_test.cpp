#include <gtest/gtest.h>
#include <windows.h>

#include "win32/adapters/win32_ports.h"
#include "win32/child_process.h"

namespace mvx::win32 {
namespace {

std::string UniqueName(const std::string& what) {
  return "Murovex " + what + " " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
}

std::string TempPath(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

TEST(Win32InstanceAdapter, ASecondProcessTimesOutWhileTheFirstHoldsTheMutex) {
  const std::string name = UniqueName("mutex");
  Win32Instance instance;
  ASSERT_EQ(instance.CreateAndWaitMutex(name), MutexWait::Acquired);
  EXPECT_EQ(testing::RunChild({"mutex", name}), static_cast<int>(MutexWait::Timeout));
}

TEST(Win32InstanceAdapter, AHolderThatEndsWithoutReleasingLeavesTheMutexAbandoned) {
  const std::string name = UniqueName("mutex");
  // Our own handle keeps the mutex alive while the holder comes and goes.
  HANDLE keep = CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_NE(keep, nullptr);
  EXPECT_EQ(testing::RunChild({"mutex", name}), static_cast<int>(MutexWait::Acquired));
  Win32Instance instance;
  EXPECT_EQ(instance.CreateAndWaitMutex(name), MutexWait::Abandoned);
  CloseHandle(keep);
}

TEST(Win32InstanceAdapter, ABroadcastOfARegisteredMessageReachesAHiddenTopLevelWindow) {
  static std::vector<std::pair<UINT, WPARAM>> seen;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) noexcept -> LRESULT {
    if (m >= 0xC000) seen.emplace_back(m, w);
    return DefWindowProcA(h, m, w, l);
  };
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MurovexBroadcastProbe";
  RegisterClassA(&wc);
  HWND hidden = CreateWindowExA(0, wc.lpszClassName, "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(hidden, nullptr);
  Win32Instance instance;
  const std::uint32_t message = instance.RegisterMessage(UniqueName("message"));
  instance.Broadcast(message, 7, 0);
  DestroyWindow(hidden);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, message);
  EXPECT_EQ(seen[0].second, 7u);
}

class Win32DesktopAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    auto panel = registry.OpenKey(kHkeyCurrentUser, "Control Panel");
    ASSERT_TRUE(panel.has_value());
    auto desk = registry.OpenKey(*panel, "Desktop");
    registry.CloseKey(*panel);
    ASSERT_TRUE(desk.has_value());
    desktopKey = *desk;
    saved = registry.QueryValue(desktopKey, "Wallpaper");
  }
  void TearDown() override {
    if (saved) {
      registry.SetValue(desktopKey, "Wallpaper", *saved);
    } else {
      registry.DeleteValue(desktopKey, "Wallpaper");
    }
    registry.CloseKey(desktopKey);
  }
  std::string Wallpaper() {
    const auto v = registry.QueryValue(desktopKey, "Wallpaper");
    return v ? v->data : "<missing>";
  }

  Win32Registry registry;
  Win32Desktop desktop;
  RegKey desktopKey = 0;
  std::optional<RegValue> saved;
};

TEST_F(Win32DesktopAdapter, SavingTheWallpaperWritesTheDesktopRegistryValue) {
  const std::string path = TempPath(UniqueName("wallpaper") + ".bmp");
  ASSERT_TRUE(desktop.SetDeskWallpaper(path, kSpifUpdateIniFile));
  EXPECT_EQ(Wallpaper(), path);
}

TEST_F(Win32DesktopAdapter, AnUnsavedChangeLeavesTheRegistryAlone) {
  const std::string before = Wallpaper();
  ASSERT_TRUE(desktop.SetDeskWallpaper(TempPath(UniqueName("unsaved") + ".bmp"), 0));
  EXPECT_EQ(Wallpaper(), before);
}

TEST_F(Win32DesktopAdapter, ASavedChangeWithNotificationReachesHiddenWindowsAsASettingChange) {
  static std::vector<WPARAM> changes;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) noexcept -> LRESULT {
    if (m == WM_SETTINGCHANGE) changes.push_back(w);
    return DefWindowProcA(h, m, w, l);
  };
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MurovexSettingProbe";
  RegisterClassA(&wc);
  HWND hidden = CreateWindowExA(0, wc.lpszClassName, "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(hidden, nullptr);
  ASSERT_TRUE(
      desktop.SetDeskWallpaper(TempPath(UniqueName("notified") + ".bmp"), kSpifUpdateIniFile | kSpifSendWinIniChange));
  DestroyWindow(hidden);
  EXPECT_EQ(changes, std::vector<WPARAM>{SPI_SETDESKWALLPAPER});
}

TEST(Win32FilesAdapter, SizeAndTimeAreReadWhileAnotherProgramWritesTheFile) {
  const std::string path = TempPath(UniqueName("shared") + ".bmp");
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DWORD wrote = 0;
  WriteFile(writer, "abc", 3, &wrote, nullptr);
  Win32Files files;
  EXPECT_EQ(files.OpenedFileSize(path), 3);
  EXPECT_TRUE(files.LocalDosDateTime(path).has_value());
  CloseHandle(writer);
  DeleteFileA(path.c_str());
}

TEST(Win32FilesAdapter, FailuresCarryWhatWasDoneAndTheSystemsText) {
  Win32Files files;
  const std::string missing = TempPath(UniqueName("missing") + ".bmp");
  const Status s = files.Delete(missing);
  EXPECT_EQ(s.code, 2u);
  EXPECT_EQ(s.what, "delete " + missing);
  EXPECT_FALSE(s.message.empty());
  EXPECT_EQ(s.message.find('\n'), std::string::npos);
}

TEST(Win32SystemAdapter, TheCodePageIsUtf8SoNamesPassThroughTheAnsiFunctions) {
  EXPECT_EQ(GetACP(), 65001u);
}

}  // namespace
}  // namespace mvx::win32

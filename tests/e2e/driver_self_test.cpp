// Guards the harness itself, so an end-to-end failure points at the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/trace.h"
#include "e2e/app_folder.h"
#include "e2e/desktop_registry.h"
#include "e2e/driver.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

void SendRecord(HWND to, HWND from, std::uintptr_t id, const void* data, DWORD size) {
  COPYDATASTRUCT cds{id, size, const_cast<void*>(data)};
  SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&cds));
}

void SendText(HWND to, HWND from, const std::string& text) {
  const auto record = BuildTraceRecord(text);
  SendRecord(to, from, kTraceCopyDataId, record.data(), static_cast<DWORD>(record.size()));
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(TraceListener, ReceivesARecordSentByTheTestItselfThroughItsTitle) {
  TraceListener listener;
  HWND found = FindWindowA(nullptr, kTraceListenerTitle);
  ASSERT_EQ(found, listener.Window());
  const auto before = Clock::now();
  SendText(found, reinterpret_cast<HWND>(0x1234), "FormCreate");
  const auto entry = listener.WaitFor("FormCreate", 1s);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->sender, reinterpret_cast<HWND>(0x1234));
  EXPECT_GE(entry->at, before);
  EXPECT_LE(entry->at, Clock::now());
  EXPECT_EQ(listener.Rejected(), 0u);
}

TEST(TraceListener, CollectsTextsSentFromAnotherThreadInOrderWhileTheTestWaits) {
  TraceListener listener;
  std::thread sender([to = listener.Window()] {
    for (int i = 0; i < 50; ++i) SendText(to, nullptr, "text " + std::to_string(i));
  });
  const auto last = listener.WaitFor("text 49", 5s);
  sender.join();
  ASSERT_TRUE(last);
  const auto texts = listener.Texts();
  ASSERT_EQ(texts.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(texts[static_cast<std::size_t>(i)], "text " + std::to_string(i));
}

TEST(TraceListener, CountsBlocksThatAreNotTraceRecordsWithoutKeepingThem) {
  TraceListener listener;
  auto record = BuildTraceRecord("x");
  SendRecord(listener.Window(), nullptr, 3233, record.data(), 260);
  SendRecord(listener.Window(), nullptr, kTraceCopyDataId, record.data(), 259);
  PumpFor(50ms);
  EXPECT_EQ(listener.Rejected(), 2u);
  EXPECT_TRUE(listener.Entries().empty());
}

TEST(TraceListener, WaitGivesUpAfterItsTimeOut) {
  TraceListener listener;
  const auto start = Clock::now();
  EXPECT_FALSE(listener.WaitFor("never sent", 200ms));
  EXPECT_GE(Clock::now() - start, 200ms);
  EXPECT_LT(Clock::now() - start, 2s);
}

TEST(DecodeTraceRecord, ReadsOnlyWellFormedRecords) {
  const auto record = [](const std::string& text) { return BuildTraceRecord(text); };
  auto badTag = record("abc");
  badTag[256] = 31;
  const std::string longText(300, 'a');
  struct Case {
    const char* name;
    std::uintptr_t id;
    std::array<std::uint8_t, 260> bytes;
    std::size_t size;
    std::optional<std::string> expected;
  } cases[] = {
      {"plain", 3232, record("FormCreate"), 260, "FormCreate"},
      {"empty", 3232, record(""), 260, ""},
      {"long text cut at 255", 3232, record(longText), 260, longText.substr(0, 255)},
      {"other id", 3231, record("abc"), 260, std::nullopt},
      {"short block", 3232, record("abc"), 259, std::nullopt},
      {"tag other than 32", 3232, badTag, 260, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeTraceRecord(c.id, c.bytes.data(), c.size), c.expected) << c.name;
  }
}

TEST(AppFolder, IsAFreshCopyWithTheGivenSettingsAndPictures) {
  std::string path;
  {
    AppFolder folder({"[General]\r\nVerbose=0\r\n", {{"one.bmp", "BM1"}, {"two.bmp", "BM2"}}});
    AppFolder other;
    path = folder.Path();
    EXPECT_NE(folder.Path(), other.Path());
    EXPECT_TRUE(FileExists(folder.Exe()));
    EXPECT_TRUE(FileExists(folder.Path() + "\\help\\index.html"));
    EXPECT_EQ(folder.ReadSetting("General", "Verbose"), "0");
    EXPECT_EQ(folder.ReadSetting("General", "Missing"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(folder.ImagesFolder() + "\\two.bmp"), "BM2");
    EXPECT_FALSE(FileExists(other.SettingsFile()));
    EXPECT_FALSE(FileExists(other.ImagesFolder()));
  }
  EXPECT_FALSE(FileExists(path));
}

TEST(AppFolder, NeverReusesAFolderLeftByAnEarlierRun) {
  std::string next;
  {
    AppFolder probe;
    // The name the next folder would get, taken by a kept folder of an earlier run.
    const std::size_t dash = probe.Path().find_last_of('-');
    next = probe.Path().substr(0, dash + 1) + std::to_string(std::stoi(probe.Path().substr(dash + 1)) + 1);
  }
  ASSERT_TRUE(CreateDirectoryA(next.c_str(), nullptr));
  WriteWholeFile(next + "\\murovex.INI", "[General]\r\nVerbose=0\r\n");
  {
    AppFolder folder;
    EXPECT_NE(folder.Path(), next);
    EXPECT_FALSE(FileExists(folder.SettingsFile()));
  }
  DeleteFileA((next + "\\murovex.INI").c_str());
  RemoveDirectoryA(next.c_str());
}

TEST(WindowsPath, MapsLinuxPathsOntoWinesRootDrive) {
  EXPECT_EQ(WindowsPath("/work/build/app/"), "Z:\\work\\build\\app");
  EXPECT_EQ(WindowsPath("C:\\app"), "C:\\app");
}

TEST(Process, ReportsTheExitCodeOfAProgramThatEnds) {
  Process cmd("C:\\windows\\system32\\cmd.exe", "/c exit 7", "C:\\");
  EXPECT_EQ(cmd.WaitForExit(kExitTimeout), 7u);
}

TEST(Process, FindsTheWindowOfARunningProgramAndEndsItWithItsOwner) {
  HANDLE handle = nullptr;
  {
    Process notepad("C:\\windows\\system32\\notepad.exe", "", "C:\\");
    const auto window = WaitForTopLevel(notepad.Id(), {"Notepad", std::nullopt}, kStartTimeout, true);
    ASSERT_TRUE(window);
    EXPECT_NE(CaptionOf(window->handle), "");
    EXPECT_TRUE(notepad.Running());
    DuplicateHandle(GetCurrentProcess(), notepad.Handle(), GetCurrentProcess(), &handle, SYNCHRONIZE, FALSE, 0);
  }
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_OBJECT_0);
  CloseHandle(handle);
}

LRESULT CALLBACK CountProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT probe = RegisterWindowMessageA("MurovexE2eProbe");
  if (message == probe) {
    SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(BroadcastRegistered, ReachesAHiddenTopLevelWindow) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountProbe;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MurovexE2eProbe";
  RegisterClassA(&wc);
  HWND probe =
      CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(probe, nullptr);
  EXPECT_TRUE(BroadcastRegistered("MurovexE2eProbe"));
  EXPECT_EQ(GetWindowLongPtrA(probe, GWLP_USERDATA), 1);
  DestroyWindow(probe);
}

TEST(Buttons, AreFoundByCaptionAndClickedLikeAUser) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND box = CreateWindowExA(0, "BUTTON", "&Enable Slideshow", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 150, 20,
                             parent, nullptr, nullptr, nullptr);
  ASSERT_NE(box, nullptr);
  const auto found = FindChild(parent, {"Button", "&Enable Slideshow"});
  ASSERT_TRUE(found);
  EXPECT_EQ(found->handle, box);
  EXPECT_FALSE(FindChild(parent, {"Button", "Enable Slideshow"}));
  EXPECT_FALSE(IsChecked(box));
  EXPECT_TRUE(Click(box));
  EXPECT_TRUE(IsChecked(box));
  EXPECT_FALSE(IsShown(parent));
  DestroyWindow(parent);
}

TEST(MessageBoxes, AreFoundWithTheirTextAndAnsweredByButton) {
  static std::atomic<int> answer{0};
  std::thread asker([] { answer = MessageBoxA(nullptr, "Exit Now?", "Murovex", MB_YESNOCANCEL | MB_TASKMODAL); });
  const auto box = WaitForMessageBox(GetCurrentProcessId(), kStartTimeout);
  if (!box) {
    asker.detach();  // its box never showed; nothing can answer it
    FAIL() << "no message box";
  }
  EXPECT_EQ(box->caption, "Murovex");
  EXPECT_EQ(box->text, "Exit Now?");
  EXPECT_FALSE(AnswerMessageBox(box->handle, IDOK));
  EXPECT_TRUE(AnswerMessageBox(box->handle, IDNO));
  asker.join();
  EXPECT_EQ(answer, IDNO);
}

TEST(DesktopRegistry, WritesReadsAndDeletesStringValues) {
  const auto saved = ReadDesktopValue("TileWallpaper");
  ASSERT_TRUE(WriteDesktopValue("TileWallpaper", "1"));
  EXPECT_EQ(ReadDesktopValue("TileWallpaper"), "1");
  ASSERT_TRUE(DeleteDesktopValue("TileWallpaper"));
  EXPECT_EQ(ReadDesktopValue("TileWallpaper"), std::nullopt);
  EXPECT_TRUE(DeleteDesktopValue("TileWallpaper"));
  if (saved) WriteDesktopValue("TileWallpaper", *saved);
}

TEST(Screenshot, SavesWhatTheScreenShowsAsABitmap) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
  wc.lpszClassName = "MurovexE2eRedSquare";
  RegisterClassA(&wc);
  HWND square = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ASSERT_NE(square, nullptr);
  UpdateWindow(square);
  PumpFor(200ms);
  AppFolder folder;
  const std::string path = SaveScreenshot("self-test", folder.Path());
  DestroyWindow(square);
  ASSERT_FALSE(path.empty());
  const std::string bmp = ReadWholeFile(path);
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  BITMAPINFOHEADER header;
  std::memcpy(&header, bmp.data() + 14, sizeof header);
  const LONG width = GetSystemMetrics(SM_CXSCREEN);
  const LONG height = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_EQ(header.biWidth, width);
  ASSERT_EQ(header.biHeight, height);
  ASSERT_EQ(bmp.size(), 54u + ((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}) * height);
  // Rows are stored bottom-up as blue, green, red.
  const std::size_t row = static_cast<std::size_t>(height - 1 - 200);
  const std::size_t at = 54 + row * ((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}) + 200 * 3;
  EXPECT_EQ(static_cast<unsigned char>(bmp[at]), 0);
  EXPECT_EQ(static_cast<unsigned char>(bmp[at + 1]), 0);
  EXPECT_EQ(static_cast<unsigned char>(bmp[at + 2]), 255);
}

}  // namespace
}  // namespace mvx::e2e

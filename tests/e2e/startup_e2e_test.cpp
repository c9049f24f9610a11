// Start, second start and shutdown of murovex.exe, driven from outside.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

// A settings file keeps the start from being a first run (which greets the
// user with a message box); these values also keep the shared Wine prefix's
// start-up folder and desktop as they are.
AppSetup QuietApp() {
  return {"[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n", {}};
}

bool BelongsTo(HWND window, const Process& process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == process.Id();
}

std::vector<WindowInfo> VisibleWindowsOf(const Process& process) {
  auto windows = TopLevelWindowsOf(process.Id());
  std::erase_if(windows, [](const WindowInfo& w) { return !w.visible; });
  return windows;
}

// Where `text` first occurs among the traces, or npos.
std::size_t IndexOf(const std::vector<std::string>& texts, const std::string& text) {
  const auto it = std::find(texts.begin(), texts.end(), text);
  return it == texts.end() ? std::string::npos : static_cast<std::size_t>(it - texts.begin());
}

using Startup = E2eTest;

TEST_F(Startup, StartTracesFormCreateAndOnlyAColonParameterShowsTheMainWindow) {
  struct Case {
    const char* args;
    bool shown;
  } cases[] = {{"", false}, {":", true}, {"\"x:\"", false}, {"\": \"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("arguments [") + c.args + "]");
    Driver& app = Prepare(QuietApp());
    Process* murovex = StartReady(app, c.args);
    ASSERT_NE(murovex, nullptr);
    EXPECT_TRUE(murovex->Running());
    EXPECT_EQ(VisibleWindowsOf(*murovex).empty(), !c.shown);
  }
}

TEST_F(Startup, SecondStartShowsTheRunningInstanceAndLeaves) {
  Driver& app = Prepare(QuietApp());
  Process* started = StartReady(app);
  ASSERT_NE(started, nullptr);
  Process& first = *started;
  ASSERT_TRUE(VisibleWindowsOf(first).empty());

  Process& second = app.Start();
  std::vector<WindowInfo> windowsOfSecond;
  const bool left = PumpUntil(
      [&] {
        for (const auto& w : TopLevelWindowsOf(second.Id())) windowsOfSecond.push_back(w);
        return !second.Running();
      },
      5s);
  EXPECT_TRUE(left) << "the second start is still running";
  EXPECT_TRUE(windowsOfSecond.empty()) << "the second start created a window: " << windowsOfSecond[0].className;
  EXPECT_TRUE(first.Running());

  const auto restore = app.WaitForTrace("FrmMain.WndProc = msgMyWindowMessageHandle", first, kStartTimeout);
  ASSERT_TRUE(restore);
  EXPECT_TRUE(BelongsTo(restore->sender, first));
  EXPECT_TRUE(PumpUntil([&] { return IsShown(restore->sender); }, kStartTimeout)) << "the main window stays hidden";
  EXPECT_EQ(CaptionOf(restore->sender).rfind("Murovex", 0), 0u);
  EXPECT_EQ(app.Traces().Count("FormCreate"), 1u) << "the second start created a main window";
  app.Screenshot("second-start-shows-main-window");
}

TEST_F(Startup, ShutdownBroadcastEndsTheProgramWithoutAQuestionKeepingTheWallpaper) {
  const std::string wallpaper = "c:\\pictures\\sunset.bmp";
  ASSERT_TRUE(WriteDesktopValue("Wallpaper", wallpaper));
  ASSERT_TRUE(WriteDesktopValue("TileWallpaper", "0"));
  Driver& app =
      Prepare({"[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Confirmation]\r\nConfirmExit=1\r\n"
               "[Slideshow]\r\nChangeOnStartup=0\r\n",
               {}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  EXPECT_TRUE(murovex->WaitForExit(kExitTimeout)) << "murovex.exe still runs";

  const auto texts = app.Traces().Texts();
  const std::size_t asked = IndexOf(texts, "FrmMain.WndProc = msgPrivateShutdown");
  const std::size_t begun = IndexOf(texts, "FrmMain: CloseProcessing Begun");
  const std::size_t done = IndexOf(texts, "FrmMain: CloseProcessing Done");
  ASSERT_NE(asked, std::string::npos);
  ASSERT_NE(done, std::string::npos);
  EXPECT_LT(asked, begun);
  EXPECT_LT(begun, done);
  EXPECT_EQ(IndexOf(texts, "FrmMain: FormCloseQuery - booCloseFromMenu"), std::string::npos);
  // The picture on the desktop at the end is recorded and stays the wallpaper, centred as it was.
  EXPECT_EQ(app.Folder().ReadSetting("Slideshow", "LastWallpaper"), wallpaper);
  EXPECT_EQ(ReadDesktopValue("Wallpaper"), wallpaper);
  EXPECT_EQ(ReadDesktopValue("TileWallpaper"), "0");
}

}  // namespace
}  // namespace mvx::e2e

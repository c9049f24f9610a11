// The settings file and the ways of closing, driven from outside.
#include <gtest/gtest.h>

#include <array>

#include "app/paths.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"
#include "shared/settings_defaults.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

constexpr const char* kExitQuestion = "Exiting Murovex will disable Slideshow and Wallpaper Detection.\rExit Now?";

// The program's top-level windows, one a line, for a failure message.
std::string WindowsOf(const Process& process) {
  std::string text;
  for (const auto& w : TopLevelWindowsOf(process.Id())) {
    text += "\n  " + w.className + " \"" + w.caption + "\"" + (w.visible ? " shown" : " hidden");
  }
  return text;
}

class Settings : public E2eTest {};

TEST_F(Settings, TheCloseBoxSavesTheSettingsAndHidesTheWindowAndTheProgramKeepsRunning) {
  Driver& app = Prepare({kQuietSettings, {}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  ASSERT_TRUE(main->visible);
  ASSERT_EQ(app.Folder().ReadSetting("Positions", "MainTop"), std::nullopt);

  PostMessageA(main->handle, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitForTrace("FrmMain: FormCloseQuery - else", *murovex, 5s));
  EXPECT_TRUE(PumpUntil([&] { return !IsShown(main->handle); }, 5s)) << "the main window is still shown";
  EXPECT_EQ(app.Folder().ReadSetting("Positions", "MainTop"), "0");
  EXPECT_EQ(app.Folder().ReadSetting("Confirmation", "ConfirmExit"), "1");
  EXPECT_FALSE(murovex->WaitForExit(500ms)) << "the close box ended the program";
  EXPECT_EQ(app.Traces().Count("FrmMain: CloseProcessing Begun"), 0u);
}

TEST_F(Settings, TheCloseCommandAsksWhileAskBeforeExitingIsOnAndNoKeepsTheProgramRunning) {
  Driver& app = Prepare({kQuietSettings, {}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);

  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE("close command " + std::to_string(attempt));
    ASSERT_TRUE(ChooseFromTrayMenu(*murovex, 'c'));
    const auto box = WaitForMessageBox(murovex->Id(), kStartTimeout);
    ASSERT_TRUE(box) << "no question; the program's windows:" << WindowsOf(*murovex);
    EXPECT_EQ(box->text, kExitQuestion);
    EXPECT_EQ(box->caption, "Murovex");
    ASSERT_TRUE(AnswerMessageBox(box->handle, attempt == 1 ? IDNO : IDYES));
    if (attempt == 1) {
      EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box->handle); }, 5s)) << "the question stays open";
      EXPECT_FALSE(murovex->WaitForExit(300ms)) << "No ended the program";
    }
  }
  EXPECT_TRUE(murovex->WaitForExit(kExitTimeout)) << "Yes did not end the program";
  EXPECT_EQ(app.Traces().Count("FrmMain: mnuClose1Click"), 2u);
}

TEST_F(Settings, OkWritesEveryKeyWithItsDefault) {
  // An empty settings file is no first run; one picture keeps the change at
  // start from finding nothing and switching the slideshow off.
  Driver& app = Prepare({"", {}});
  PutPictures(app.Folder().ImagesFolder(), {{"Dune.bmp"}});
  Process* murovex = StartReady(app, ":");
  ASSERT_NE(murovex, nullptr);
  const auto main = MainWindowOf(*murovex);
  ASSERT_TRUE(main);
  HWND ok = ControlOf(main->handle, "Button", "&OK");
  ASSERT_NE(ok, nullptr);
  ASSERT_TRUE(Click(ok));
  EXPECT_FALSE(IsShown(main->handle));

  const std::string dataDir = LowerAZ(app.Folder().ImagesFolder());
  const std::string importDir = app.Folder().Path();
  const auto expected = mvx::testing::DefaultSettings(dataDir, importDir);
  for (const auto& [section, key, value] : expected) {
    EXPECT_EQ(app.Folder().ReadSetting(section, key), value) << "[" << section << "] " << key;
  }
}

TEST_F(Settings, AClickedOptionIsSavedAMomentLaterAndSurvivesARestart) {
  Driver& app = Prepare({kQuietSettings, {}});
  Process* first = StartReady(app, ":");
  ASSERT_NE(first, nullptr);
  const auto main = MainWindowOf(*first);
  ASSERT_TRUE(main);
  ASSERT_TRUE(OpenPage(main->handle, 2)) << "the Options page";
  HWND askBeforeExiting = ControlOf(main->handle, "Button", "Ask before e&xiting");
  ASSERT_NE(askBeforeExiting, nullptr);
  ASSERT_TRUE(IsChecked(askBeforeExiting));

  const auto clicked = Clock::now();
  ASSERT_TRUE(Click(askBeforeExiting));
  EXPECT_FALSE(IsChecked(askBeforeExiting));
  const auto saved = [&] { return app.Folder().ReadSetting("Confirmation", "ConfirmExit") == "0"; };
  EXPECT_FALSE(PumpUntil(saved, 1500ms)) << "saved at once, not after the pause";
  ASSERT_TRUE(PumpUntil(saved, 4s)) << "not saved";
  EXPECT_GE(Clock::now() - clicked, 2250ms);

  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(first->WaitForExit(kExitTimeout));
  Process* second = StartReady(app, ":");
  ASSERT_NE(second, nullptr);
  const auto restarted = MainWindowOf(*second);
  ASSERT_TRUE(restarted);
  ASSERT_TRUE(OpenPage(restarted->handle, 2)) << "the Options page";
  HWND again = ControlOf(restarted->handle, "Button", "Ask before e&xiting");
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(IsChecked(again));
}

}  // namespace
}  // namespace mvx::e2e

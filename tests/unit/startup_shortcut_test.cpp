#include <gtest/gtest.h>

#include "app/error.h"
#include "unit/main_fixture.h"

namespace mvx {
namespace {

constexpr const char* kCommonKey = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCommonLink = "C:\\ProgramData\\Startup\\Murovex Tray Icon.lnk";
constexpr const char* kUserLink = "C:\\Users\\ann\\Startup\\Murovex Tray Icon.lnk";

class StartupShortcutTest : public testing::MainFixture {
 protected:
  StartupShortcutTest() {
    fakes.files.AddDir("C:\\ProgramData");
    fakes.files.AddDir("C:\\Users\\ann");
    fakes.registry.Put(kCommonKey, "Common Startup", {kRegSz, "C:\\ProgramData\\Startup"});
    fakes.registry.Put(kUserKey, "Startup", {kRegSz, "C:\\Users\\ann\\Startup"});
  }
  void Start(bool startWithWindows) {
    fakes.files.Put(IniPath(), std::string("[General]\r\nStartWithWindows=") + (startWithWindows ? "1" : "0") +
                                   "\r\n[Slideshow]\r\nChangeOnStartup=0\r\n");
    tray.reset();
    main.reset();
    Build();
  }
  std::string Link(const char* path) { return fakes.files.FileExists(path) ? fakes.files.Content(path) : "<none>"; }
};

TEST_F(StartupShortcutTest, EveryStartWithTheOptionOnWritesTheShortcutToWhereTheProgramIsNow) {
  Start(true);
  EXPECT_EQ(Link(kCommonLink), "C:\\Apps\\Murovex\\Murovex.exe\nC:\\Apps\\Murovex");
  EXPECT_EQ(Link(kUserLink), "<none>");

  fakes.system.modulePath = "D:\\Moved\\Murovex.exe";
  fakes.files.AddDir("D:\\Moved");
  fakes.files.Put("D:\\Moved\\Murovex.INI", "[Slideshow]\r\nChangeOnStartup=0\r\n");
  tray.reset();
  main.reset();
  Build();
  EXPECT_EQ(Link(kCommonLink), "D:\\Moved\\Murovex.exe\nD:\\Moved") << "a moved program gets a shortcut to its place";
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(StartupShortcutTest, ACommonFolderThatRefusesTheShortcutLeavesItInTheUsersOwnStartupFolder) {
  fakes.registry.Put(kCommonKey, "Common Startup", {kRegSz, "C:\\Locked\\All Users\\Startup"});
  Start(true);
  EXPECT_EQ(Link(kUserLink), "C:\\Apps\\Murovex\\Murovex.exe\nC:\\Apps\\Murovex");
  EXPECT_TRUE(fakes.prompts.shown.empty());
}

TEST_F(StartupShortcutTest, AShortcutSavedForAllUsersTakesTheUsersOwnAway) {
  fakes.files.AddDir("C:\\Users\\ann\\Startup");
  fakes.files.Put(kUserLink, "old");
  Start(true);
  EXPECT_NE(Link(kCommonLink), "<none>");
  EXPECT_EQ(Link(kUserLink), "<none>") << "two shortcuts would start the program twice";
}

TEST_F(StartupShortcutTest, NowhereToSaveTheShortcutIsReported) {
  fakes.registry.Put(kCommonKey, "Common Startup", {kRegSz, "C:\\Locked\\All Users\\Startup"});
  fakes.registry.Put(kUserKey, "Startup", {kRegSz, "C:\\Gone\\ann\\Startup"});
  Start(true);
  EXPECT_EQ(fakes.prompts.Texts(),
            std::vector<std::string>{"Unable to create Startup icon: C:\\Gone\\ann\\Startup\\Murovex Tray Icon.lnk"});
}

// The message comes once for a folder; a start after it stays quiet.
TEST_F(StartupShortcutTest, NowhereToSaveTheShortcutIsToldOnceForAFolder) {
  fakes.registry.Put(kCommonKey, "Common Startup", {kRegSz, "C:\\Locked\\All Users\\Startup"});
  fakes.registry.Put(kUserKey, "Startup", {kRegSz, "C:\\Gone\\ann\\Startup"});
  Start(true);
  tray.reset();
  main.reset();
  Build();
  EXPECT_EQ(fakes.prompts.Texts().size(), 1u);
  EXPECT_EQ(Ini("General", "StartupIconRefused"), "C:\\Gone\\ann\\Startup");
  fakes.registry.Put(kUserKey, "Startup", {kRegSz, "C:\\Gone\\bob\\Startup"});
  tray.reset();
  main.reset();
  Build();
  EXPECT_EQ(fakes.prompts.Texts().size(), 2u) << "another folder is told again";
}

// An all-users shortcut that cannot be written anew still starts the
// program when it points at it; a second one in the user's folder would
// start it twice.
TEST_F(StartupShortcutTest, AnAllUsersShortcutThatCannotBeRewrittenCountsWhenItPointsAtThisProgram) {
  const std::pair<const char*, const char*> cases[] = {{"C:\\APPS\\Murovex\\murovex.exe", "<none>"},
                                                       {"C:\\Old\\Murovex.exe", "C:\\Apps\\Murovex\\Murovex.exe"}};
  for (const auto& [target, userTarget] : cases) {
    SCOPED_TRACE(target);
    fakes.files.AddDir("C:\\ProgramData\\Startup");
    fakes.files.Put(kCommonLink, std::string(target) + "\nC:\\Apps");
    fakes.files.MakeReadOnly(kCommonLink);
    if (fakes.files.FileExists(kUserLink)) fakes.files.Delete(kUserLink);
    Start(true);
    const std::string user = Link(kUserLink);
    EXPECT_EQ(user.substr(0, user.find('\n')), userTarget);
    EXPECT_TRUE(fakes.prompts.shown.empty());
  }
}

TEST_F(StartupShortcutTest, TheOptionOffDeletesTheShortcutFromBothPlacesAndShowsNothing) {
  for (bool present : {true, false}) {
    SCOPED_TRACE(present ? "both present" : "none present");
    fakes.files.AddDir("C:\\ProgramData\\Startup");
    fakes.files.AddDir("C:\\Users\\ann\\Startup");
    if (present) {
      fakes.files.Put(kCommonLink, "x");
      fakes.files.Put(kUserLink, "y");
    }
    Start(false);
    EXPECT_EQ(Link(kCommonLink), "<none>");
    EXPECT_EQ(Link(kUserLink), "<none>");
    EXPECT_TRUE(fakes.prompts.shown.empty());
    EXPECT_EQ(fakes.shell.shortcutSaves, 0);
  }
}

TEST_F(StartupShortcutTest, AShortcutThatCannotBeDeletedIsNamedAndTheOptionStaysOff) {
  fakes.files.AddDir("C:\\ProgramData\\Startup");
  fakes.files.Put(kCommonLink, "x");
  fakes.files.FailOn(fakes::FileOp::Delete, winerr::kAccessDenied);
  Start(false);
  EXPECT_EQ(fakes.prompts.Texts(),
            std::vector<std::string>{std::string("Unable to delete Startup icon: ") + kCommonLink});
  EXPECT_FALSE(main->chkStartWithWindows.Checked());
}

TEST_F(StartupShortcutTest, AMissingShellFoldersKeyMakesAndDeletesNothing) {
  for (bool on : {true, false}) {
    fakes::FakePorts local;
    local.files.AddDir("C:\\Apps\\Murovex");
    local.files.AddDir("C:\\ProgramData\\Startup");
    local.files.Put(kCommonLink, "kept");
    local.files.Put("C:\\Apps\\Murovex\\Murovex.INI", std::string("[General]\r\nStartWithWindows=") + (on ? "1" : "0") +
                                                          "\r\n[Slideshow]\r\nChangeOnStartup=0\r\n");
    TApplication localApp(local.ports);
    SystemFolders f = ComputeSystemFolders(local.system);
    TFrmTray t(local.ports);
    TFrmMain m(local.ports, localApp, f, t);
    m.FormCreate();
    EXPECT_EQ(local.files.Content(kCommonLink), "kept");
    EXPECT_EQ(local.shell.shortcutSaves, 0);
    EXPECT_TRUE(local.prompts.shown.empty());
  }
}

TEST_F(StartupShortcutTest, SwitchingOnAndOffWithinTheWaitActsOnceOnTheFinalState) {
  Start(true);
  const int saves = fakes.shell.shortcutSaves;
  main->chkStartWithWindows.Click();
  fakes.time.Advance(1000);
  main->chkStartWithWindows.Click();
  fakes.time.Advance(2249);
  EXPECT_EQ(fakes.shell.shortcutSaves, saves) << "not before the wait is over";
  fakes.time.Advance(1);
  EXPECT_EQ(fakes.shell.shortcutSaves, saves + 1);
  EXPECT_NE(Link(kCommonLink), "<none>");

  main->chkStartWithWindows.Click();
  fakes.time.Advance(2250);
  EXPECT_EQ(Link(kCommonLink), "<none>");
  EXPECT_EQ(fakes.shell.shortcutSaves, saves + 1);
}

TEST_F(StartupShortcutTest, ASaveBringsTheShortcutInLineOnlyWhenTheStoredValueDiffers) {
  Start(true);
  fakes.files.Delete(kCommonLink);
  main->SaveSettings();
  EXPECT_EQ(Link(kCommonLink), "<none>") << "stored value and box agree";
  fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
  main->SaveSettings();
  EXPECT_NE(Link(kCommonLink), "<none>") << "the key was missing";
}

TEST_F(StartupShortcutTest, NoShellLinkObjectReachesTheErrorHandler) {
  Start(false);
  fakes.shell.linkObjectMissing = true;
  main->chkStartWithWindows.SetChecked(true);
  EXPECT_THROW(fakes.time.Advance(2250), AppError);
}

// The shortcut waits for the window: it is written once the main window
// shows (when it shows at start), and a failure to write it is reported
// after the rest of start-up, which it no longer cuts short.
TEST_F(StartupShortcutTest, AtStartTheShortcutIsWrittenOnceTheWindowShowsAndItsFailureCutsNothingShort) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    bool linkObjectMissing;
    bool visibleAtSave;
    const char* link;
    std::size_t prompts;
  };
  const Case cases[] = {
      {"shown at start", {":"}, false, true, "C:\\Apps\\Murovex\\Murovex.exe\nC:\\Apps\\Murovex", 0},
      {"started in the tray", {}, false, false, "C:\\Apps\\Murovex\\Murovex.exe\nC:\\Apps\\Murovex", 0},
      {"no link object", {":"}, true, true, "<none>", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.files.Delete(kCommonLink);
    fakes.prompts.shown.clear();
    fakes.system.args = c.args;
    fakes.shell.linkObjectMissing = c.linkObjectMissing;
    std::vector<bool> visibleAtSave;
    fakes.shell.onSaveShortcut = [&] { visibleAtSave.push_back(main->Visible()); };
    Start(true);
    EXPECT_EQ(visibleAtSave, std::vector<bool>{c.visibleAtSave});
    EXPECT_EQ(Link(kCommonLink), c.link);
    ASSERT_EQ(fakes.prompts.shown.size(), c.prompts);
    if (c.prompts > 0) {
      EXPECT_EQ(fakes.prompts.shown[0].text, "Exception: Unable to create the shell link object");
    }
    EXPECT_FALSE(main->booCreating);
    EXPECT_TRUE(tray->TrayIcon1.CanShowMenu);
  }
}

}  // namespace
}  // namespace mvx

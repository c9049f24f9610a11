#include <gtest/gtest.h>

#include "ui/frm_about.h"
#include "ui/splash.h"
#include "ui/version_info.h"
#include "unit/main_fixture.h"

namespace mvx {
namespace {

constexpr const char* kIni = "C:\\Apps\\Murovex\\Murovex.INI";

class SplashTest : public ::testing::Test {
 protected:
  SplashTest() { fakes.files.AddDir("C:\\Apps\\Murovex"); }
  fakes::FakePorts fakes;
  TWebLinks links{fakes.prompts, fakes.shell};
  TFrmSplash form{fakes.ports, links};
  TSplashScreen splash{fakes.ports, form, kIni};
};

TEST_F(SplashTest, VerboseDecidesWhetherTheSplashShows) {
  struct Case {
    const char* ini;
    bool shown;
  };
  const Case cases[] = {{"", true},
                        {"[General]\r\nVerbose=1\r\n", true},
                        {"[General]\r\nVerbose=yes\r\n", true},
                        {"[General]\r\nVerbose=2\r\n", true},
                        {"[General]\r\nVerbose=0\r\n", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    fakes::FakePorts local;
    local.files.AddDir("C:\\Apps\\Murovex");
    if (*c.ini != '\0') local.files.Put(kIni, c.ini);
    TFrmSplash localForm(local.ports, links);
    TSplashScreen localSplash(local.ports, localForm, kIni);
    localSplash.BeginSplash();
    EXPECT_EQ(localForm.Visible(), c.shown);
    EXPECT_EQ(localForm.Timer1.Enabled(), c.shown);
    localSplash.EndSplash();
    localSplash.EndSplash();
    EXPECT_FALSE(localForm.Visible());
  }
}

TEST_F(SplashTest, TheSplashIsCentredBorderlessAndSized) {
  fakes.system.screenWidth = 1280;
  fakes.system.screenHeight = 1024;
  splash.BeginSplash();
  EXPECT_EQ(form.ClientWidth(), 360);
  EXPECT_EQ(form.ClientHeight(), 240);
  EXPECT_EQ(form.Left(), 460);
  EXPECT_EQ(form.Top(), 392);
  EXPECT_EQ(form.lblHome.Caption(), "www.kestrane.com");
  EXPECT_TRUE(form.lblHome.Link);

  // At twice the scale it shows at 720 x 480, and is centred so.
  splash.EndSplash();
  splash.EndSplash();
  fakes.system.logPixelsY = 192;
  splash.BeginSplash();
  EXPECT_EQ(form.Left(), (1280 - 720) / 2);
  EXPECT_EQ(form.Top(), (1024 - 480) / 2);
}

TEST_F(SplashTest, StartUpEndingFirstLeavesTheSplashUntilItsThreeSecondsAreOver) {
  splash.BeginSplash();
  fakes.time.Advance(500);
  splash.EndSplash();
  EXPECT_TRUE(form.Visible());
  fakes.time.Advance(2499);
  EXPECT_TRUE(form.Visible());
  fakes.time.Advance(1);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(splash.Current(), nullptr);
  EXPECT_FALSE(form.Timer1.Enabled()) << "the timer asks once";
}

TEST_F(SplashTest, ALongStartUpKeepsTheSplashUntilItEnds) {
  splash.BeginSplash();
  fakes.time.Advance(10000);
  EXPECT_TRUE(form.Visible());
  splash.EndSplash();
  EXPECT_FALSE(form.Visible());
}

TEST_F(SplashTest, TwoRequestsOfStartUpCloseItBeforeThreeSeconds) {
  splash.BeginSplash();
  splash.EndSplash();
  splash.EndSplash();
  EXPECT_FALSE(form.Visible());
  fakes.time.Advance(3000);
  EXPECT_FALSE(form.Visible());
}

TEST_F(SplashTest, ClosingHidesAtOnceAndTheLaterRequestFinishesUnseen) {
  splash.BeginSplash();
  splash.CloseSplash();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(splash.Current(), &form);
  fakes.time.Advance(3000);
  splash.EndSplash();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(splash.Current(), nullptr);
}

TEST_F(SplashTest, TheLinkOpensTheSplashPageForTheSplashWindow) {
  fakes.files.AddDir("C:\\Web");
  fakes.files.Put("C:\\Web\\b.exe", "MZ");
  links.BrowserPath = "C:\\Web\\b.exe";
  splash.BeginSplash();
  form.Handle = 0x3131;
  form.lblHome.Click();
  ASSERT_EQ(fakes.shell.executed.size(), 1u);
  EXPECT_EQ(fakes.shell.executed[0].parameters,
            "\"http://www.kestrane.com/cgi-bin/redir.cgi?app=mvx&ver=1.1&func=splash\"");
  EXPECT_EQ(fakes.shell.executed[0].owner, 0x3131u);
}

// The entry's order: the splash, the windows, the end of start-up; hiding
// the main window takes the splash away.
class MainWithSplashTest : public testing::MainFixture {
 protected:
  void Start(const std::string& ini) {
    fakes.files.Put(IniPath(), ini);
    splash.BeginSplash();
    Build(false);
    main->Splash = &splash;
    main->FormCreate();
    splash.EndSplash();
  }
  TWebLinks links{fakes.prompts, fakes.shell};
  TFrmSplash form{fakes.ports, links};
  TSplashScreen splash{fakes.ports, form, IniPath()};
};

TEST_F(MainWithSplashTest, ChangingTheWallpaperOnStartupEndsTheSplashWithStartUp) {
  Start("[Slideshow]\r\nChangeOnStartup=1\r\n");
  EXPECT_FALSE(form.Visible());
}

TEST_F(MainWithSplashTest, WithoutTheChangeTheSplashWaitsForItsTimer) {
  Start("[Slideshow]\r\nChangeOnStartup=0\r\n");
  EXPECT_TRUE(form.Visible());
  fakes.time.Advance(3000);
  EXPECT_FALSE(form.Visible());
}

TEST_F(MainWithSplashTest, HidingTheMainWindowRemovesTheSplashAtOnce) {
  Start("[Slideshow]\r\nChangeOnStartup=0\r\n");
  main->Show();
  main->btnOK.Click();
  EXPECT_FALSE(form.Visible());
}

TEST(VersionTableTest, TheTwelveNamesAreReadFromTheProgramsOwnResourceAndMissingOnesLeftOut) {
  fakes::FakeSystem system;
  const std::string prefix = "StringFileInfo\\040904E4\\";
  system.versionStrings = {{prefix + "ProductVersion", "Version 2.7"},
                           {prefix + "FileVersion", "2.7.1.40"},
                           {prefix + "CompanyName", "Kestrane Software"},
                           {"StringFileInfo\\040704B0\\Comments", "other language"}};
  VersionTable table;
  table.Read(system, system.modulePath);
  EXPECT_EQ(system.versionQueries.size(), 12u);
  EXPECT_EQ(system.versionQueries.front(), prefix + "CompanyName");
  EXPECT_EQ(system.versionQueries.back(), prefix + "Channel");
  EXPECT_EQ(table.Entries(),
            (std::vector<std::pair<std::string, std::string>>{
                {"CompanyName", "Kestrane Software"}, {"FileVersion", "2.7.1.40"}, {"ProductVersion", "Version 2.7"}}));
  EXPECT_EQ(table.GetVersionValue("Comments"), "");

  VersionTable none;
  none.Read(system, "C:\\Other\\program.exe");
  EXPECT_TRUE(none.Entries().empty()) << "a program without a version resource";
}

class AboutTest : public testing::MainFixture {
 protected:
  AboutTest() {
    fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
    Build();
    main->Versions = &versions;
  }
  // Opens the about box from the tray; what it showed.
  std::vector<std::string> AboutTexts() {
    std::vector<std::string> seen;
    fakes.prompts.ScriptModal([&](TForm& form) {
      auto& about = static_cast<TFrmAbout&>(form);
      seen = {about.Caption(), about.lblProduct.Caption(), about.lblVersionName.Caption(),
              about.lblVersionAndBuild.Caption()};
      about.btnOK.Click();
      return about.Result;
    });
    tray->mnuAbout.Click();
    return seen;
  }
  VersionTable versions;
};

TEST_F(AboutTest, TheAboutBoxShowsTheProductVersionAndTheBuild) {
  fakes.system.versionStrings = {{"StringFileInfo\\040904E4\\ProductVersion", "Version 1.1"},
                                 {"StringFileInfo\\040904E4\\FileVersion", "1.1.0.17"}};
  versions.Read(fakes.system, fakes.system.modulePath);
  EXPECT_EQ(AboutTexts(), (std::vector<std::string>{"About Murovex", "Murovex", "Version 1.1", "Build 1.1.0.17"}));
  EXPECT_EQ(fakes.prompts.modalCaptions, std::vector<std::string>{"About Murovex"});
}

TEST_F(AboutTest, WithoutAVersionResourceTheVersionIsEmptyAndTheBuildBare) {
  versions.Read(fakes.system, fakes.system.modulePath);
  EXPECT_EQ(AboutTexts(), (std::vector<std::string>{"About Murovex", "Murovex", "", "Build "}));
}

}  // namespace
}  // namespace mvx

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "ui/web_links.h"
#include "unit/main_fixture.h"

namespace mvx {
namespace {

TEST(BrowserCommandLine, TheBrowserIsThePathBeforeTheFirstBlankOrTheQuotedPath) {
  struct Case {
    const char* commandLine;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\PROGRA~1\\BROWSER\\BROWSER.EXE -nohome", "C:\\PROGRA~1\\BROWSER\\BROWSER.EXE"},
      {"\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"", "C:\\Program Files\\Browser\\browser.exe"},
      {"\"C:\\Program Files\\Browser\\browser.exe\"", "C:\\Program Files\\Browser\\browser.exe"},
      {"\"C:\\Program Files\\Browser\\browser.exe", ""},
      {"C:\\BROWSER.EXE", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BrowserFromCommandLine(c.commandLine), c.path) << c.commandLine;
}

class FindBrowserTest : public ::testing::Test {
 protected:
  void Register(const std::string& fileType, const std::string& commandLine) {
    fakes.registry.Put("HKLM\\SOFTWARE\\Classes\\.html", "", {kRegSz, fileType});
    fakes.registry.Put("HKLM\\SOFTWARE\\Classes\\" + fileType + "\\shell\\open\\command", "", {kRegSz, commandLine});
  }
  fakes::FakePorts fakes;
};

TEST_F(FindBrowserTest, TheRegisteredProgramIsFoundOnlyWhenItsFileIsThere) {
  fakes.files.AddDir("C:\\Program Files\\Browser");
  fakes.files.Put("C:\\Program Files\\Browser\\browser.exe", "MZ");
  Register("BrowserHTML", "\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"");
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "C:\\Program Files\\Browser\\browser.exe");
  Register("BrowserHTML", "\"C:\\Program Files\\Other\\other.exe\" \"%1\"");
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "") << "no such file";
  Register("", "\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"");
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "") << "no file type for .html";
  EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

TEST_F(FindBrowserTest, NoHtmlTypeOrNoOpenCommandGivesNoBrowser) {
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "");
  fakes.registry.Put("HKLM\\SOFTWARE\\Classes\\.html", "", {kRegSz, "htmlfile"});
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "");
  fakes.registry.Put("HKLM\\SOFTWARE\\Classes\\htmlfile\\shell\\open\\command", "", {kRegDword, "\x01\0\0\0"});
  EXPECT_EQ(FindBrowserPath(fakes.registry, fakes.files), "") << "a value that is no text";
  EXPECT_EQ(fakes.registry.OpenHandles(), 0u);
}

class OnlinePageTest : public testing::MainFixture {
 protected:
  OnlinePageTest() {
    fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
    fakes.files.AddDir("D:\\Web\\Browser");
    fakes.files.Put("D:\\Web\\Browser\\browser.exe", "MZ");
    Build();
    main->Links = &links;
  }
  TWebLinks links{fakes.prompts, fakes.shell};
};

TEST_F(OnlinePageTest, EachLinkStartsTheBrowserOnItsPageQuotedFromTheBrowsersFolder) {
  links.BrowserPath = "D:\\Web\\Browser\\browser.exe";
  struct Case {
    TLabel& label;
    const char* caption;
    const char* key;
    bool shown;
  };
  const Case cases[] = {
      {main->lblHome, "Kestrane Software Home Page", "home", true},
      {main->lblImageLibrary, "Kestrane's Wallpaper and Image Gallery", "imglib", true},
      {main->lblOnlineStore, "Buy Murovex from our Online Store", "order", false},
      {main->lblFeedback, "Send us your Comments", "feedback", true},
      {main->lblMVXHome, "Murovex Home Page", "apphome", true},
      {main->lblTutorial, "Capturing Wallpaper from the Web - Tutorial", "tutorial", false},
  };
  main->Handle = 0x5150;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.label.Caption(), c.caption);
    EXPECT_EQ(c.label.Visible(), c.shown);
    EXPECT_TRUE(c.label.Link);
    fakes.shell.executed.clear();
    c.label.Click();
    ASSERT_EQ(fakes.shell.executed.size(), 1u);
    const auto& run = fakes.shell.executed[0];
    EXPECT_EQ(run.file, "D:\\Web\\Browser\\browser.exe");
    EXPECT_EQ(run.parameters,
              std::string("\"http://www.kestrane.com/cgi-bin/redir.cgi?app=mvx&ver=1.1&func=") + c.key + "\"");
    EXPECT_EQ(run.directory, "D:\\Web\\Browser\\");
    EXPECT_EQ(run.verb, "");
    EXPECT_EQ(run.showCommand, 1);
    EXPECT_EQ(run.owner, 0x5150u);
  }
  EXPECT_TRUE(fakes.prompts.shown.empty());
  EXPECT_EQ(main->lblVisit.Caption(), "Visit us on the Web");
  EXPECT_TRUE(main->bvlVisit.Rule);
}

TEST_F(OnlinePageTest, WithoutABrowserEveryLinkSaysSoAndStartsNothing) {
  EXPECT_FALSE(links.OpenWebPage(PageAddress("home"), 0));
  main->lblFeedback.Click();
  EXPECT_EQ(fakes.prompts.Texts(),
            std::vector<std::string>(2, "Unable to find a web browser. Install one or try connecting manually."));
  EXPECT_TRUE(fakes.shell.executed.empty());
}

TEST_F(OnlinePageTest, TheResultSaysWhetherTheBrowserStarted) {
  links.BrowserPath = "D:\\Web\\Browser\\browser.exe";
  EXPECT_TRUE(links.OpenWebPage(PageAddress("home"), 0));
  links.BrowserPath = "D:\\Web\\Browser\\gone.exe";
  EXPECT_FALSE(links.OpenWebPage(PageAddress("home"), 0)) << "the shell answered 2";
  EXPECT_TRUE(fakes.prompts.shown.empty()) << "a failed start shows nothing";
}

}  // namespace
}  // namespace mvx

#include <gtest/gtest.h>

#include "unit/main_fixture.h"

namespace mvx {
namespace {

class DesktopIconsTest : public testing::MainFixture {
 protected:
  void WithProgman() { fakes.desktop.windows.push_back({0x77, "Progman", "Program Manager", true}); }
  bool IconsVisible() const { return fakes.desktop.windows.at(0).visible; }
  void Start() {
    fakes.files.Put(IniPath(), "[Slideshow]\r\nChangeOnStartup=0\r\n");
    Build();
  }
};

TEST_F(DesktopIconsTest, TheItemHidesTheDesktopWindowAndTheNextClickShowsItAgain) {
  WithProgman();
  fakes.desktop.windows.push_back({0x99, "Progman", "Other Title", true});
  Start();
  tray->mnuHideDesktopIcons.Click();
  EXPECT_FALSE(IconsVisible());
  EXPECT_TRUE(tray->mnuHideDesktopIcons.Checked());
  tray->mnuHideDesktopIcons.Click();
  EXPECT_TRUE(IconsVisible());
  EXPECT_FALSE(tray->mnuHideDesktopIcons.Checked());
  EXPECT_EQ(fakes.desktop.showCalls, (std::vector<std::pair<std::uintptr_t, int>>{{0x77, 0}, {0x77, 5}}));
  EXPECT_TRUE(fakes.desktop.windows.at(1).visible) << "only the window of that class and title";
}

TEST_F(DesktopIconsTest, WithoutTheShellsDesktopWindowNothingChangesNotEvenTheCheckMark) {
  fakes.desktop.windows.push_back({0x99, "Progman", "Desktop", true});
  Start();
  tray->mnuHideDesktopIcons.Click();
  tray->mnuHideDesktopIcons.Click();
  tray->mnuHideDesktopIcons.Click();
  EXPECT_FALSE(tray->mnuHideDesktopIcons.Checked());
  EXPECT_TRUE(fakes.desktop.showCalls.empty());
}

TEST_F(DesktopIconsTest, TheEndOfTheProgramShowsHiddenIconsAndLeavesVisibleOnesAlone) {
  for (bool hidden : {true, false}) {
    SCOPED_TRACE(hidden ? "hidden" : "visible");
    fakes.desktop.windows.clear();
    fakes.desktop.showCalls.clear();
    WithProgman();
    Start();
    if (hidden) tray->mnuHideDesktopIcons.Click();
    main->FormDestroy();
    EXPECT_TRUE(IconsVisible());
    EXPECT_EQ(fakes.desktop.showCalls.size(), hidden ? 2u : 0u);
    EXPECT_EQ(fakes.trace.Texts().back(), "FormDestroy") << "the restore comes first";
    tray.reset();
    main.reset();
  }
}

}  // namespace
}  // namespace mvx

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "ui/frm_tray.h"

namespace mvx {
namespace {

class TrayTest : public ::testing::Test {
 protected:
  fakes::FakePorts fakes;
  TFrmTray tray{fakes.ports};
};

TEST_F(TrayTest, TheIconAppearsWhenLoadedWithTheLoadingHint) {
  EXPECT_FALSE(fakes.notifyIcon.present) << "not before loading has finished";
  tray.FormCreate();
  EXPECT_TRUE(fakes.notifyIcon.present);
  EXPECT_EQ(fakes.notifyIcon.tip, "Loading Murovex...");
  EXPECT_TRUE(fakes.trace.Saw("FrmTray.FormCreate"));
  EXPECT_TRUE(tray.TrayIcon1.IconAdded());
}

TEST_F(TrayTest, HintsAreCutTo63CharactersAndAFailedAddIsRetriedOnTheNextHint) {
  fakes.notifyIcon.succeed = false;
  tray.FormCreate();
  EXPECT_FALSE(tray.TrayIcon1.IconAdded());
  fakes.notifyIcon.succeed = true;
  tray.TrayIcon1.SetHint(std::string(70, 'h'));
  EXPECT_TRUE(tray.TrayIcon1.IconAdded());
  EXPECT_EQ(fakes.notifyIcon.tip, std::string(63, 'h'));
  EXPECT_EQ(fakes.notifyIcon.calls.back(), NotifyIconMessage::Add);
  // A name with a character of two bytes at the cut loses that character whole.
  tray.TrayIcon1.SetHint(std::string(62, 'a') + "\xC3\xA9");
  EXPECT_EQ(fakes.notifyIcon.tip, std::string(62, 'a'));
  tray.TrayIcon1.SetHint("Murovex - sea.bmp");
  EXPECT_EQ(fakes.notifyIcon.calls.back(), NotifyIconMessage::ModifyTip);
  // A shell that lost the icon refuses the tip; the next hint adds it again.
  fakes.notifyIcon.present = false;
  tray.TrayIcon1.SetHint("Murovex - dunes.bmp");
  EXPECT_FALSE(tray.TrayIcon1.IconAdded());
  tray.TrayIcon1.SetHint("Murovex - alps.bmp");
  EXPECT_EQ(fakes.notifyIcon.calls.back(), NotifyIconMessage::Add);
  EXPECT_EQ(fakes.notifyIcon.tip, "Murovex - alps.bmp");
}

TEST_F(TrayTest, RightClickDuringStartUpShowsEveryItemDisabledAndUnchanged) {
  tray.FormCreate();
  bool before = false;
  tray.TrayIcon1.BeforePopup = [&](TObject*) { before = true; };
  tray.TrayIcon1.HandleCallback(kWmRButtonUp);
  ASSERT_EQ(fakes.shell.popups.size(), 1u);
  for (const auto& [caption, enabled] : fakes.shell.popups[0]) EXPECT_FALSE(enabled) << caption;
  EXPECT_FALSE(before);
  EXPECT_TRUE(fakes.trace.Saw("TrayIcon: WndProc WM_RBUTTONUP"));
}

TEST_F(TrayTest, BeforePopupRewritesTheSlideshowCaptionOnceAndFollowsTheClipboard) {
  tray.FormCreate();
  tray.TrayIcon1BeforePopup("5 mins");
  tray.TrayIcon1BeforePopup("1 hrs 30 seconds");
  EXPECT_EQ(tray.mnuRunSlideshow.Caption(), "Run &Slideshow (1 hrs 30 seconds)");
  EXPECT_FALSE(tray.mnuSetWallpaperfromClipboard.Enabled());
  fakes.shell.clipboardBitmap = true;
  tray.TrayIcon1BeforePopup("never");
  EXPECT_TRUE(tray.mnuSetWallpaperfromClipboard.Enabled());
}

TEST_F(TrayTest, DoubleClickRunsTheDefaultItemEvenDuringStartUp) {
  tray.FormCreate();
  int runs = 0;
  TObject* sender = nullptr;
  tray.mnuChangeWallpaperNow.OnClick = [&](TObject* s) {
    ++runs;
    sender = s;
  };
  tray.TrayIcon1.HandleCallback(kWmLButtonDblClk);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(sender, &tray.menuIcon);
  tray.TrayIcon1.HandleCallback(0x0200);
  EXPECT_TRUE(fakes.trace.Saw("TrayIcon: WndProc ELSE msg=1025"));
}

TEST_F(TrayTest, DestroyingTheIconRemovesIt) {
  {
    TFrmTray local(fakes.ports);
    local.FormCreate();
    EXPECT_TRUE(fakes.notifyIcon.present);
  }
  EXPECT_FALSE(fakes.notifyIcon.present);
}

}  // namespace
}  // namespace mvx

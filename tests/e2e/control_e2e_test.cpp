// The program driven from outside its windows: commands of a second start
// and keys pressed anywhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/app_folder.h"
#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

const std::vector<Picture> kPictures = {
    {"Alps.bmp", DisplayMode::Tile}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp", DisplayMode::Fill}};

// Quiet, in the list's order, and the slideshow's own timer far away.
std::string Settings(const std::string& more = "") {
  return std::string(kQuietSettings) + "Random=0\r\nSlideMins=30\r\n" + more;
}

std::string Wallpaper() {
  return ReadDesktopValue("Wallpaper").value_or("");
}

class Control : public E2eTest {
 protected:
  // The instance, started with three pictures listed.
  Process* StartWithPictures(const std::string& more = "") {
    Driver& app = Prepare({Settings(more), {}});
    PutPictures(app.Folder().ImagesFolder(), kPictures);
    app_ = &app;
    return StartReady(app);
  }
  // A second start with these arguments: its exit code.
  std::optional<DWORD> SecondStart(const std::string& args) {
    return app_->Start(args).WaitForExit(kStartTimeout + kExitTimeout);
  }
  bool WallpaperBecomes(const std::string& expected) {
    return PumpUntil([&] { return Wallpaper() == expected; }, 5s);
  }
  std::string Slide(const std::string& name) { return SlidePath(app_->Folder().ImagesFolder(), name); }

  Driver* app_ = nullptr;
};

TEST_F(Control, NextThenPreviousFromASecondStartChangeTheWallpaperForwardAndBack) {
  Process* instance = StartWithPictures();
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(SecondStart("/next"), 0u);
  const std::string first = Wallpaper();
  EXPECT_NE(first, "");
  EXPECT_EQ(SecondStart("/NEXT"), 0u);
  const std::string second = Wallpaper();
  EXPECT_NE(second, first);
  EXPECT_EQ(SecondStart("/previous"), 0u);
  EXPECT_EQ(Wallpaper(), first);
  EXPECT_TRUE(instance->Running());
  // No restore message: the main window stayed hidden.
  const auto main = MainWindowOf(*instance);
  ASSERT_TRUE(main.has_value());
  EXPECT_FALSE(IsShown(main->handle));
  EXPECT_EQ(SecondStart("/set"), 1u);  // told what is missing, the instance untouched
  EXPECT_EQ(Wallpaper(), first);
}

TEST_F(Control, AHotkeyTypedThroughTheSystemsInputChangesTheWallpaper) {
  Process* instance = StartWithPictures();
  ASSERT_NE(instance, nullptr);
  const std::string before = Wallpaper();
  const WORD keys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_RIGHT};
  std::vector<INPUT> input;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    if (key == VK_RIGHT) down.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    input.push_back(down);
  }
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *it;
    up.ki.dwFlags = KEYEVENTF_KEYUP | (*it == VK_RIGHT ? KEYEVENTF_EXTENDEDKEY : 0);
    input.push_back(up);
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)), input.size());
  EXPECT_TRUE(PumpUntil([&] { return app_->Traces().Count("FrmMain: HotKey Next wallpaper") == 1; }, 5s));
  EXPECT_TRUE(PumpUntil([&] { return Wallpaper() != before && !Wallpaper().empty(); }, 5s)) << Wallpaper();
}

TEST_F(Control, AddTakesAPictureInWithoutADialogAndCloseEndsTheInstance) {
  Process* instance = StartWithPictures("[AddWallpaper]\r\nDisplay=Centre\r\nCopyOption=Copy\r\n");
  ASSERT_NE(instance, nullptr);
  const std::string outside = app_->Folder().Path() + "\\Outside";
  CreateDirectoryA(outside.c_str(), nullptr);
  WriteWholeFile(outside + "\\Dunes.bmp", SmallBitmap(90));

  EXPECT_EQ(SecondStart("/add \"" + outside + "\\Dunes.bmp\""), 0u);
  EXPECT_FALSE(FindTopLevel(instance->Id(), {std::nullopt, std::string("Add Wallpaper")}).has_value());
  EXPECT_EQ(ReadWholeFile(app_->Folder().ImagesFolder() + "\\Dunes.bmp"), SmallBitmap(90));
  EXPECT_EQ(ReadWholeFile(outside + "\\Dunes.bmp"), SmallBitmap(90));  // copied, as remembered

  EXPECT_EQ(SecondStart("/set \"" + app_->Folder().ImagesFolder() + "\\Dunes.bmp\""), 0u);
  EXPECT_EQ(Wallpaper(), Slide("Dunes.bmp"));

  EXPECT_EQ(SecondStart("/close"), 0u);
  EXPECT_TRUE(instance->WaitForExit(kExitTimeout).has_value());
  const std::string list = ReadWholeFile(app_->Folder().ImagesFolder() + "\\GDB.CDS");
  EXPECT_NE(list.find("Dunes.bmp"), std::string::npos);
}

}  // namespace
}  // namespace mvx::e2e

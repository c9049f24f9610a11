// The slideshow changing the desktop wallpaper by itself, watched from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/paths.h"
#include "e2e/app_folder.h"
#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"
#include "inventory/data_file.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

constexpr const char* kSelected = "FrmMain.GetNextSlideInfo: Selected ";
constexpr std::size_t kChangesWatched = 3;
constexpr auto kInterval = 2s;
// Timer ticks never come early; the slack covers the trace's own delivery.
constexpr auto kIntervalSlack = 50ms;

// In index order (by lower-case name), so their record numbers are 1, 2, 3.
const std::vector<Picture> kPictures = {
    {"Alps.bmp", DisplayMode::Tile}, {"Beach.bmp", DisplayMode::Centre}, {"Canyon.bmp", DisplayMode::Fill}};

// The desktop's two values as "WallpaperStyle/TileWallpaper".
std::string DesktopStyle() {
  return ReadDesktopValue("WallpaperStyle").value_or("-") + "/" + ReadDesktopValue("TileWallpaper").value_or("-");
}

std::string StyleOf(const Picture& picture) {
  const auto style = DesktopStyleOf(picture.mode);
  return std::string(style.wallpaperStyle) + "/" + std::string(style.tileWallpaper);
}

// A slideshow of a short interval (stored as it is, whatever the up-down's
// step) that does not change at start.
std::string SlideshowSettings(bool random) {
  return std::string("[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nAutoChange=1\r\n") +
         "SlideHrs=0\r\nSlideMins=0\r\nSlideSecs=" + std::to_string(kInterval.count()) +
         "\r\nRandom=" + (random ? "1" : "0") + "\r\nChangeOnStartup=0\r\n";
}

struct Slide {
  std::size_t recNo = 0;
  std::string path;
  Clock::time_point at;
};

// The slides chosen so far, from the traces "Selected <record number> <path>".
std::vector<Slide> SlidesSelected(const TraceListener& traces) {
  std::vector<Slide> slides;
  for (const TraceEntry& entry : traces.Entries()) {
    if (entry.text.rfind(kSelected, 0) != 0) continue;
    const std::string rest = entry.text.substr(std::char_traits<char>::length(kSelected));
    const std::size_t blank = rest.find(' ');
    if (blank == std::string::npos) continue;
    slides.push_back({std::stoul(rest.substr(0, blank)), rest.substr(blank + 1), entry.at});
  }
  return slides;
}

class Slideshow : public E2eTest {
 protected:
  // The picture a slide path stands for, or nothing.
  const Picture* PictureAt(const std::string& path) const {
    for (const Picture& p : kPictures) {
      if (SlidePath(images_, p.name) == path) return &p;
    }
    return nullptr;
  }

  // Checks that the desktop and the main window show the slide.
  void ExpectShown(const Slide& slide, HWND mainWindow) {
    const Picture* picture = PictureAt(slide.path);
    ASSERT_NE(picture, nullptr) << "a slide not in the list: " << slide.path;
    EXPECT_EQ(slide.recNo, static_cast<std::size_t>(picture - kPictures.data()) + 1) << slide.path;
    // Sent as the choice is made; the setter follows at once.
    EXPECT_TRUE(PumpUntil([&] { return ReadDesktopValue("Wallpaper") == slide.path; }, 1s))
        << "the desktop holds " << ReadDesktopValue("Wallpaper").value_or("(nothing)");
    EXPECT_EQ(DesktopStyle(), StyleOf(*picture)) << slide.path;
    const std::string caption = "Murovex - " + LowerAZ(picture->name);
    EXPECT_TRUE(PumpUntil([&] { return CaptionOf(mainWindow) == caption; }, 1s))
        << "the caption reads " << CaptionOf(mainWindow);
  }

  std::string images_;
};

TEST_F(Slideshow, ChangesTheWallpaperAmongThePicturesByItselfAndKeepsTheLastOneAtExit) {
  for (const bool random : {false, true}) {
    SCOPED_TRACE(random ? "random order" : "in order");
    Driver& app = Prepare({SlideshowSettings(random), {}});
    images_ = app.Folder().ImagesFolder();
    // A fresh Windows shows every picture filled unless told otherwise.
    WriteDesktopValue("WallpaperStyle", "10");
    PutPictures(images_, kPictures);
    Process* murovex = StartReady(app);
    ASSERT_NE(murovex, nullptr);
    const auto main = MainWindowOf(*murovex);
    ASSERT_TRUE(main);

    std::vector<Slide> slides;
    for (std::size_t n = 1; n <= kChangesWatched; ++n) {
      ASSERT_TRUE(PumpUntil([&] { return (slides = SlidesSelected(app.Traces())).size() >= n; }, kInterval + 3s))
          << "no change number " << n;
      ExpectShown(slides[n - 1], main->handle);
    }
    for (std::size_t i = 1; i < slides.size(); ++i) {
      // Neither order picks the slide it starts from while others qualify.
      EXPECT_NE(slides[i].path, slides[i - 1].path);
      EXPECT_GE(slides[i].at - slides[i - 1].at, kInterval - kIntervalSlack) << "a change before its interval ran out";
      if (!random) {
        EXPECT_EQ(slides[i].recNo, slides[i - 1].recNo % kPictures.size() + 1) << "not the next in the list";
      }
    }

    ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
    ASSERT_TRUE(murovex->WaitForExit(kExitTimeout));
    const std::string last = SlidesSelected(app.Traces()).back().path;
    EXPECT_EQ(app.Folder().ReadSetting("Slideshow", "LastWallpaper"), last);
    EXPECT_EQ(ReadDesktopValue("Wallpaper"), last);
    EXPECT_EQ(DesktopStyle(), StyleOf(*PictureAt(last)));
  }
}

// Pictures on a drive that is not there keep their entries: the slideshow
// passes over them, and the data file still lists them after the close.
TEST_F(Slideshow, PicturesOnADriveThatIsAwayStayInTheList) {
  Driver& app = Prepare({SlideshowSettings(false), {}});
  images_ = app.Folder().ImagesFolder();
  PutPictures(images_, kPictures, "Q:\\Unplugged", {{"Away1.bmp", DisplayMode::Fit}, {"Away2.bmp", DisplayMode::Fill}});
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  std::vector<Slide> slides;
  ASSERT_TRUE(PumpUntil([&] { return (slides = SlidesSelected(app.Traces())).size() >= 4; }, 4 * kInterval + 3s));
  for (const Slide& s : slides) EXPECT_NE(PictureAt(s.path), nullptr) << "only pictures that are there: " << s.path;
  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex->WaitForExit(kExitTimeout));
  const DataFileContents saved = DecodeDataFile(ReadWholeFile(images_ + "\\GDB.CDS"));
  ASSERT_TRUE(saved.ok()) << saved.reason;
  EXPECT_EQ(saved.records.size(), kPictures.size() + 2) << "the two on the drive that is away are kept";
}

}  // namespace
}  // namespace mvx::e2e
